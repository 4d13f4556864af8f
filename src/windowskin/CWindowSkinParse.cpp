// Reading a <windowSkin> definition: targets, parts, anchors, caption, images, the figures of the
// window's shape and the sizes kept for the host. Everything is read once, at load.
#include "CWindowSkin.h"
#include "WindowSkinNumbers.h"
#include "../theme/CInterfaceTheme.h"
#include "../parts/CWindowDpi.h"
#include <stdlib.h>

using namespace WindowSkinNumbers;

namespace
{
// The largest part side, the classic GDI coordinate limit.
const int MAX_PART_SIZE = 0x7FFF;

// A leading "%i" number: sign, then 0x for hexadecimal, 0 for octal, else decimal.
BOOL ReadInteger(const CString& strText, int& nOut)
{
    int nValue = 0;
    if (swscanf(strText, L"%i", &nValue) != 1)
        return FALSE;
    nOut = nValue;
    return TRUE;
}

// Up to nCount "%i" numbers separated by commas, read wide so that no number wraps; those the
// text does not hold stay as they were. The count read.
int ReadNumbers(const CString& strText, LONGLONG* pNumbers, int nCount)
{
    const wchar_t* psz = strText;
    for (int n = 0; n < nCount; n++)
    {
        if (n > 0)
        {
            if (*psz != L',')
                return n;
            psz++;
        }
        wchar_t* pszEnd = NULL;
        const LONGLONG nValue = wcstoll(psz, &pszEnd, 0);
        if (pszEnd == psz)
            return n;
        pNumbers[n] = nValue;
        psz = pszEnd;
    }
    return nCount;
}

int IndexOfName(const CString& strName, const wchar_t* const* ppszNames, int nCount)
{
    for (int n = 0; n < nCount; n++)
        if (strName.CompareNoCase(ppszNames[n]) == 0)
            return n;
    return -1;
}

int Bound(int n, int nLow, int nHigh)
{
    return std::min<int>(std::max<int>(n, nLow), nHigh);
}
}

BOOL CWindowSkin::Parse(const CXmlElement* pElement, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    if (!pElement || !pElement->IsNamed(L"windowSkin"))
        return FALSE;
    SkinCheckAttributes(pDiagnostics, pElement, { L"corners", L"border" });
    ParseSystemFrame(pElement, pDiagnostics);

    const CXmlElement* pCaption = NULL;
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        CRect rc;
        if (pChild->IsNamed(L"target"))
        {
            SkinCheckAttributes(pDiagnostics, pChild, { L"window" });
            // A bar once separated stored targets; a name holding one is no window's name.
            CString strWindow = pChild->GetAttributeValue(L"window");
            if (!strWindow.IsEmpty() && strWindow.Find(L'|') < 0)
                m_targets.push_back(strWindow);
            else
                SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pChild, L"window"),
                           strWindow.IsEmpty() ? CString(L"<target> without a window name matches no window")
                                               : L"target '" + strWindow + L"' holds '|' and matches no window");
        }
        else if (pChild->IsNamed(L"parts"))
            ParseParts(pChild, pDiagnostics);
        else if (pChild->IsNamed(L"anchors"))
            ParseAnchors(pChild, pDiagnostics);
        else if (pChild->IsNamed(L"region"))
            ParseRegion(pChild, pDiagnostics);
        else if (pChild->IsNamed(L"shadow"))
            ParseShadow(pChild, strFolder, pDiagnostics);
        else if (pChild->IsNamed(L"caption"))
        {
            ParseCaption(pChild, pDiagnostics);
            pCaption = pChild;
        }
        else if (pChild->IsNamed(L"image"))
        {
            if (!ParseImage(pChild, strFolder, pDiagnostics))
                return FALSE;
        }
        else if (pChild->IsNamed(L"maximiseCrop") || pChild->IsNamed(L"resizeBorder"))
        {
            SkinCheckAttributes(pDiagnostics, pChild, { L"rect", L"point" });
            CRect& rcTarget = pChild->IsNamed(L"resizeBorder") ? m_rcResizeBorder : m_rcMaximiseCrop;
            if (ParseRect(pChild, rc))
                rcTarget.SetRect(rc.left, rc.top, WrapSub(rc.right, rc.left), WrapSub(rc.bottom, rc.top));
            else
                SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pChild,
                           SkinTag(pChild) + L" without a rect or point is ignored");
        }
        else if (pChild->IsNamed(L"minimumSize"))
        {
            SkinCheckAttributes(pDiagnostics, pChild, { L"width", L"height" });
            int nValue;
            if (ReadInteger(pChild->GetAttributeValue(L"width"), nValue))
                m_szMinimum.cx = nValue;
            if (ReadInteger(pChild->GetAttributeValue(L"height"), nValue))
                m_szMinimum.cy = nValue;
        }
        else
            SkinReportUnknownElement(pDiagnostics, pChild, pElement);
    }
    CheckButtons(pElement, pDiagnostics);
    if (!m_pImage)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                   L"window skin without a main <image> (one without a type) is discarded");
        return FALSE;
    }
    if (pDiagnostics)
    {
        if (m_targets.empty())
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                       L"window skin without a <target> is used by no window");
        CheckPartsInImage(pElement, pDiagnostics);
        CheckCaptionContrast(pCaption, pDiagnostics);
    }
    BlendAlphaImage(pElement, pDiagnostics);
    return TRUE;
}

BOOL CWindowSkin::ReadPartRect(const CXmlElement* pPart, CRect& rc)
{
    if (!ParseRect(pPart, rc))
        return FALSE;
    // A part is never empty.
    if (rc.right == rc.left)
        rc.right++;
    if (rc.bottom == rc.top)
        rc.bottom++;
    // Sizes no bitmap can have would run the frame arithmetic backwards or past the
    // integer range; such a part is as unreadable as one without a rectangle.
    int cx = WrapSub(rc.right, rc.left);
    int cy = WrapSub(rc.bottom, rc.top);
    return cx >= 1 && cx <= MAX_PART_SIZE && cy >= 1 && cy <= MAX_PART_SIZE;
}

void CWindowSkin::ParseParts(const CXmlElement* pParts, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pParts, {});
    for (POSITION pos = pParts->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pPart = pParts->m_listChildren.GetNext(pos);
        CRect rc;
        if (!pPart->IsNamed(L"part"))
        {
            SkinReportUnknownElement(pDiagnostics, pPart, pParts);
            continue;
        }
        SkinCheckAttributes(pDiagnostics, pPart, { L"name", L"rect", L"point", L"mode", L"grid" });
        CheckPartMode(pPart, pDiagnostics);
        if (!ReadPartRect(pPart, rc))
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pPart, L"rect"),
                       L"part '" + pPart->GetAttributeValue(L"name") + L"' has no usable rectangle: it is ignored");
            continue;
        }
        int nMode = pPart->GetAttributeValue(L"mode").CompareNoCase(L"stretch") == 0 ? MODE_STRETCH : MODE_TILE;
        CString strName = pPart->GetAttributeValue(L"name");
        if (strName.IsEmpty())
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pPart, L"<part> without a name is ignored");
            continue;
        }
        int nPart = IndexOfName(strName, s_pszPartNames, WINDOWSKIN_PART_COUNT);
        if (nPart < 0)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pPart, L"name"),
                       L"unknown part '" + strName + L"' is kept but never drawn");
            m_mapParts[strName] = rc;
            continue;
        }
        m_pPartPresent[nPart] = 1;
        m_pPartMode[nPart] = nMode;
        m_pPartRects[nPart] = rc;
        m_pPartGrids[nPart] = ReadPartGrid(pPart, rc, pDiagnostics);
    }
}

void CWindowSkin::ParseAnchors(const CXmlElement* pAnchors, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pAnchors, {});
    for (POSITION pos = pAnchors->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pAnchor = pAnchors->m_listChildren.GetNext(pos);
        CRect rc;
        if (!pAnchor->IsNamed(L"anchor"))
        {
            SkinReportUnknownElement(pDiagnostics, pAnchor, pAnchors);
            continue;
        }
        SkinCheckAttributes(pDiagnostics, pAnchor, { L"name", L"rect", L"point" });
        CString strName = pAnchor->GetAttributeValue(L"name");
        if (!ParseRect(pAnchor, rc))
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pAnchor,
                       L"anchor '" + strName + L"' has neither rect nor point: it is ignored");
            continue;
        }
        int nAnchor = IndexOfName(strName, s_pszAnchorNames, WINDOWSKIN_ANCHOR_COUNT);
        if (nAnchor < 0)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pAnchor, L"name"),
                       L"unknown anchor '" + strName + L"' is kept but never used");
            m_mapAnchors[strName] = rc;
            continue;
        }
        m_pAnchorPresent[nAnchor] = 1;
        m_pAnchorRects[nAnchor] = rc;
    }
}

void CWindowSkin::ParseCaption(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pCaption, { L"rect", L"point", L"fontFace", L"fontSize", L"fontWeight", L"color",
                                                  L"colour", L"inactiveColor", L"inactiveColour", L"outlineColor",
                                                  L"outlineColour", L"shadowColor", L"shadowColour", L"caps", L"align" });
    CheckCaptionFont(pCaption, pDiagnostics);
    m_bCaption = ParseRect(pCaption, m_rcCaption);
    if (!m_bCaption)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pCaption,
                   L"<caption> without a rect or point draws no caption text");

    if (!pCaption->GetAttributeValue(L"fontFace").IsEmpty())
        CreateCaptionFont(pCaption);

    // Of the two spellings the one ending in "Colour" is read last and so wins.
    static const wchar_t* const pszColours[][2] = {
        { L"color", L"colour" },
        { L"inactiveColor", L"inactiveColour" },
        { L"outlineColor", L"outlineColour" },
        { L"shadowColor", L"shadowColour" },
    };
    COLORREF* pTargets[] = { &m_crCaption, &m_crCaptionInactive, &m_crOutline, &m_crShadow };
    for (int n = 0; n < 4; n++)
    {
        for (const wchar_t* pszAttribute : pszColours[n])
        {
            const CXmlAttribute* pAttribute = pCaption->GetAttribute(pszAttribute);
            if (pAttribute && !ParseSkinColour(pAttribute->m_strValue, *pTargets[n]))
                SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pAttribute,
                           L"colour '" + pAttribute->m_strValue + L"' is not six hexadecimal digits: " +
                           pAttribute->m_strName + L" is ignored");
        }
    }

    m_bCaps = pCaption->GetAttributeValue(L"caps").IsEmpty() ? 0 : 1;

    CString strAlign = pCaption->GetAttributeValue(L"align");
    if (strAlign.CompareNoCase(L"left") == 0)
        m_nCaptionAlign = ALIGN_LEFT;
    else if (strAlign.CompareNoCase(L"center") == 0)
        m_nCaptionAlign = ALIGN_CENTER;
    else if (strAlign.CompareNoCase(L"right") == 0)
        m_nCaptionAlign = ALIGN_RIGHT;
    else if (!strAlign.IsEmpty())
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pCaption, L"align"),
                   L"align '" + strAlign + L"' is not left, center or right: it is ignored");

    if (m_bCaption && !m_fontCaption.m_hObject)
    {
        // The structure as it was before Vista added a field, which every version accepts.
        NONCLIENTMETRICSW ncm;
        memset(&ncm, 0, sizeof(ncm));
        ncm.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        {
            m_fontCaption.CreateFontIndirect(&ncm.lfCaptionFont);
            m_nCaptionFontDpi = CWindowDpi::OfScreen();
        }
    }
}

void CWindowSkin::CreateCaptionFont(const CXmlElement* pCaption)
{
    CString strSize = pCaption->GetAttributeValue(L"fontSize");
    CString strWeight = pCaption->GetAttributeValue(L"fontWeight");
    if (strWeight.CompareNoCase(L"bold") == 0)
        strWeight = L"700";
    else if (strWeight.CompareNoCase(L"normal") == 0)
        strWeight = L"400";
    int nSize = 13;
    int nWeight = FW_BOLD;
    ReadInteger(strSize, nSize);
    ReadInteger(strWeight, nWeight);

    // Sizes in tenths of a point become pixels on the screen, as the framework converts them.
    LONGLONG nPixels = nSize;
    UINT nFontDpi = CDpiScale::BASE_DPI;
    CString strSizeLower(strSize);
    if (strSizeLower.MakeLower().Find(L"pt") >= 0)
    {
        nFontDpi = CWindowDpi::OfScreen();
        nPixels = ((LONGLONG)nFontDpi * std::abs((LONGLONG)nSize) + 360) / 720;
    }
    // No caption band shows letters taller than this; far larger ones take the font engine
    // seconds and gigabytes to draw. The sign keeps its meaning: character or cell height.
    nPixels = std::min<LONGLONG>(std::max<LONGLONG>(nPixels, -MAX_CAPTION_FONT_PIXELS), MAX_CAPTION_FONT_PIXELS);

    LOGFONTW lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -(int)nPixels;
    lf.lfWeight = Bound(nWeight, 0, 1000);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, pCaption->GetAttributeValue(L"fontFace"), LF_FACESIZE);

    // A later caption replaces the font of an earlier one.
    m_fontCaption.DeleteObject();
    m_scaledFonts.clear();
    m_fontCaption.CreateFontIndirect(&lf);
    m_nCaptionFontDpi = nFontDpi;
}

BOOL CWindowSkin::ParseImage(const CXmlElement* pImage, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pImage, { L"path", L"type", L"grid" });
    CheckImageType(pImage, pDiagnostics);
    CString strPath = pImage->GetAttributeValue(L"path");
    if (strPath.IsEmpty())
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pImage,
                   L"<image> without a path: the window skin is discarded");
        return FALSE;
    }
    CString strType = pImage->GetAttributeValue(L"type");
    strType.MakeLower();
    CSkinImage** ppSlot = &m_pImage;
    if (strType == L"watermark" || strType == L"water")
        ppSlot = &m_pWatermark;
    else if (strType == L"alpha")
        ppSlot = &m_pAlphaImage;
    CSkinImage* pLoaded = m_theme.Images().BorrowImage(strFolder + strPath);
    if (!pLoaded)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pImage, L"path"),
                   L"image '" + strPath + L"' " + m_theme.Images().DescribeFailure(strFolder + strPath) +
                       L": the window skin is discarded");
        return FALSE;
    }
    *ppSlot = pLoaded;
    if (ppSlot == &m_pWatermark)
    {
        // A later watermark replaces an earlier one with its grid.
        m_rcWatermarkGrid = ReadPartGrid(pImage, CRect(CPoint(0, 0), pLoaded->GetSize()), pDiagnostics, L"watermark");
    }
    else if (pImage->GetAttribute(L"grid"))
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pImage, L"grid"),
                   L"only a watermark image takes a grid: this one is ignored");
    return TRUE;
}

BOOL CWindowSkin::ParseRect(const CXmlElement* pElement, CRect& rc)
{
    // Numbers the text does not hold read as 0.
    int n[4] = { 0, 0, 0, 0 };
    CString strRect = pElement->GetAttributeValue(L"rect");
    if (!strRect.IsEmpty())
    {
        swscanf(strRect, L"%i,%i,%i,%i", &n[0], &n[1], &n[2], &n[3]);
        rc.SetRect(n[0], n[1], WrapAdd(n[0], n[2]), WrapAdd(n[1], n[3]));
        return TRUE;
    }
    CString strPoint = pElement->GetAttributeValue(L"point");
    if (!strPoint.IsEmpty())
    {
        swscanf(strPoint, L"%i,%i", &n[0], &n[1]);
        rc.SetRect(n[0], n[1], 0, 0);
        return TRUE;
    }
    return FALSE;
}

void CWindowSkin::ParseRegion(const CXmlElement* pRegion, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pRegion, {});
    // A later region replaces an earlier one.
    m_bShaped = TRUE;
    m_figures.clear();
    for (POSITION pos = pRegion->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pShape = pRegion->m_listChildren.GetNext(pos);
        if (!pShape->IsNamed(L"shape"))
        {
            SkinReportUnknownElement(pDiagnostics, pShape, pRegion);
            continue;
        }
        if (m_figures.size() >= MAX_FIGURES)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pShape,
                       L"a region keeps 256 shapes: this one and the rest are left out");
            break;
        }
        CFigure figure;
        if (ParseFigure(pShape, figure, pDiagnostics))
            m_figures.push_back(figure);
    }
}

BOOL CWindowSkin::ParseFigure(const CXmlElement* pShape, CFigure& figure, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pShape, { L"type", L"rect", L"point", L"size", L"combine" });
    const CString strType = pShape->GetAttributeValue(L"type");
    if (strType.CompareNoCase(L"rectangle") == 0)
        figure.nType = FIGURE_RECTANGLE;
    else if (strType.CompareNoCase(L"ellipse") == 0)
        figure.nType = FIGURE_ELLIPSE;
    else if (strType.CompareNoCase(L"roundRect") == 0)
        figure.nType = FIGURE_ROUND_RECT;
    else
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShape, L"type"),
                   L"shape type '" + strType + L"' is not rectangle, ellipse or roundRect: the shape is left out");
        return FALSE;
    }

    static const struct { const wchar_t* pszName; int nCombine; } combines[] = {
        { L"and", COMBINE_AND }, { L"or", COMBINE_OR }, { L"xor", COMBINE_XOR },
        { L"copy", COMBINE_COPY }, { L"diff", COMBINE_DIFF },
    };
    const CString strCombine = pShape->GetAttributeValue(L"combine");
    figure.nCombine = COMBINE_NONE;
    for (const auto& combine : combines)
        if (strCombine.CompareNoCase(combine.pszName) == 0)
            figure.nCombine = combine.nCombine;
    if (figure.nCombine == COMBINE_NONE && !strCombine.IsEmpty())
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pShape, L"combine"),
                   L"combine '" + strCombine + L"' is not and, or, xor, copy or diff: it is ignored");

    // "rect" is left, top, right, bottom; "point" x, y stands for x, y, -x, -y; without either
    // the figure fills the window.
    LONGLONG n[4] = { 0, 0, -1, -1 };
    const CString strRect = pShape->GetAttributeValue(L"rect");
    const CString strPoint = pShape->GetAttributeValue(L"point");
    if (!strRect.IsEmpty())
    {
        n[2] = n[3] = 0;
        ReadNumbers(strRect, n, 4);
    }
    else if (!strPoint.IsEmpty())
    {
        n[2] = n[3] = 0;
        ReadNumbers(strPoint, n, 2);
        n[2] = -n[0];
        n[3] = -n[1];
    }
    // Without a readable size the corners are square.
    LONGLONG nCorner[2] = { 0, 0 };
    if (figure.nType == FIGURE_ROUND_RECT)
        ReadNumbers(pShape->GetAttributeValue(L"size"), nCorner, 2);

    // A number past the window manager's coordinates fits no window, from either edge.
    BOOL bInRange = TRUE;
    for (int i = 0; i < 4; i++)
    {
        bInRange = bInRange && n[i] >= -MAX_FIGURE_COORDINATE && n[i] <= MAX_FIGURE_COORDINATE;
        figure.pCoordinates[i] = (int)n[i];
    }
    for (LONGLONG nSide : nCorner)
        bInRange = bInRange && nSide >= 0 && nSide <= MAX_FIGURE_COORDINATE;
    if (!bInRange)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pShape,
                   L"a shape number is past -32767 to 32767 (corner sizes 0 to 32767): the shape is left out");
        return FALSE;
    }
    figure.nCornerWidth = (int)nCorner[0];
    figure.nCornerHeight = (int)nCorner[1];
    return TRUE;
}
