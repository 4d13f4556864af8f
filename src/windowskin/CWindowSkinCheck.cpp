// What the checker is told about a window skin beyond what reading it rejects: values of
// enumerated attributes and sizes the reader falls back from, and caption buttons whose parts
// and anchor do not come together. Reading a skin for a host asks none of this.
#include "CWindowSkin.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/ColourContrast.h"
#include <algorithm>
#include <cwctype>

namespace
{
// The caption is checked as it shows in a window of this size.
const int CAPTION_PROBE_WIDTH = 480;
const int CAPTION_PROBE_HEIGHT = 360;
// Large text, as a caption's is, needs 3:1.
const double LARGE_TEXT_CONTRAST = 3.0;
const int POINT_CAPTION_HEIGHT = 14;

// Whether the text is a whole "%i" number with at most the given suffix after it (spaces allowed
// around both); a "pt" suffix found sets bSuffix.
BOOL IsNumber(const CString& strText, const wchar_t* pszSuffix, BOOL& bSuffix, LONGLONG& nValue)
{
    const wchar_t* psz = strText;
    wchar_t* pszEnd = NULL;
    nValue = wcstoll(psz, &pszEnd, 0);
    if (pszEnd == psz)
        return FALSE;
    while (iswspace(*pszEnd))
        pszEnd++;
    bSuffix = pszSuffix && _wcsnicmp(pszEnd, pszSuffix, wcslen(pszSuffix)) == 0;
    if (bSuffix)
        pszEnd += wcslen(pszSuffix);
    while (iswspace(*pszEnd))
        pszEnd++;
    return *pszEnd == 0;
}

// The first <part> or <anchor> of the definition whose name is one of names, for the position
// of a report.
const CXmlElement* FindNamed(const CXmlElement* pSkin, const wchar_t* pszList, const wchar_t* pszItem,
                             std::initializer_list<const wchar_t*> names)
{
    for (POSITION pos = pSkin->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pList = pSkin->m_listChildren.GetNext(pos);
        if (!pList->IsNamed(pszList))
            continue;
        for (POSITION posItem = pList->m_listChildren.GetHeadPosition(); posItem;)
        {
            const CXmlElement* pItem = pList->m_listChildren.GetNext(posItem);
            if (pItem->IsNamed(pszItem))
                for (const wchar_t* pszName : names)
                    if (pItem->GetAttributeValue(L"name").CompareNoCase(pszName) == 0)
                        return pItem;
        }
    }
    return NULL;
}
}

void CWindowSkin::CheckPartMode(const CXmlElement* pPart, CSkinDiagnostics* pDiagnostics)
{
    const CString strMode = pPart->GetAttributeValue(L"mode");
    if (pDiagnostics && !strMode.IsEmpty() && strMode.CompareNoCase(L"tile") != 0 && strMode.CompareNoCase(L"stretch") != 0)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pPart, L"mode"),
                   L"mode '" + strMode + L"' is not tile or stretch: the part tiles");
}

void CWindowSkin::CheckImageType(const CXmlElement* pImage, CSkinDiagnostics* pDiagnostics)
{
    const CString strType = pImage->GetAttributeValue(L"type");
    if (pDiagnostics && !strType.IsEmpty() && strType.CompareNoCase(L"watermark") != 0 &&
        strType.CompareNoCase(L"water") != 0 && strType.CompareNoCase(L"alpha") != 0)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pImage, L"type"),
                   L"image type '" + strType + L"' is not watermark or alpha: the image is taken as the main bitmap");
}

void CWindowSkin::CheckCaptionFont(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics)
{
    if (!pDiagnostics)
        return;
    BOOL bPoints = FALSE;
    LONGLONG nValue = 0;
    const CXmlAttribute* pWeight = pCaption->GetAttribute(L"fontWeight");
    if (pWeight && pWeight->m_strValue.CompareNoCase(L"bold") != 0 && pWeight->m_strValue.CompareNoCase(L"normal") != 0 &&
        !IsNumber(pWeight->m_strValue, NULL, bPoints, nValue))
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pWeight,
                   L"fontWeight '" + pWeight->m_strValue + L"' is not a number, bold or normal: the caption is bold");
    const CXmlAttribute* pSize = pCaption->GetAttribute(L"fontSize");
    if (!pSize)
        return;
    if (!IsNumber(pSize->m_strValue, L"pt", bPoints, nValue))
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pSize,
                   L"fontSize '" + pSize->m_strValue +
                       L"' is neither pixels (a number) nor tenths of a point (a number and pt): only its leading number is read");
    else if (bPoints && nValue > -40 && nValue < 40)
    {
        // Sizes in points are counted in tenths; "9pt" is almost always meant as 9 points.
        CString strMessage;
        strMessage.Format(L"fontSize '%s' is %d.%d points, as sizes with pt are tenths of a point (9 points is 90pt)",
                          (LPCWSTR)pSize->m_strValue, (int)(nValue / 10), (int)(std::abs(nValue) % 10));
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pSize, strMessage);
    }
    if (pCaption->GetAttributeValue(L"fontFace").IsEmpty())
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pWeight ? pWeight : pSize,
                   L"<caption> without a fontFace uses the system caption font: fontSize and fontWeight are ignored");
}

void CWindowSkin::CheckButtons(const CXmlElement* pSkin, CSkinDiagnostics* pDiagnostics) const
{
    if (!pDiagnostics)
        return;
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
    {
        const int nPart = PART_SYSTEM + 3 * (nButton - ANCHOR_SYSTEM);
        const CString strButton = s_pszAnchorNames[nButton];
        const BOOL bParts = m_pPartPresent[nPart] || m_pPartPresent[nPart + 1] || m_pPartPresent[nPart + 2];
        if (bParts && !m_pAnchorPresent[nButton])
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING,
                       FindNamed(pSkin, L"parts", L"part",
                                 { s_pszPartNames[nPart], s_pszPartNames[nPart + 1], s_pszPartNames[nPart + 2] }),
                       strButton + L" parts without a " + strButton + L" anchor: the window has no " + strButton +
                           L" button");
        else if (m_pAnchorPresent[nButton] && !m_pPartPresent[nPart])
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING,
                       FindNamed(pSkin, L"anchors", L"anchor", { s_pszAnchorNames[nButton] }),
                       strButton + L" anchor without a " + strButton + L" part: the button takes clicks but is not drawn");
    }
}

void CWindowSkin::CheckPartsInImage(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics) const
{
    if (!m_pImage)
        return;
    const CSize info = m_pImage->GetSize();
    const CRect rcImage(0, 0, info.cx, info.cy);
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pParts = pElement->m_listChildren.GetNext(pos);
        if (!pParts->IsNamed(L"parts"))
            continue;
        for (POSITION posPart = pParts->m_listChildren.GetHeadPosition(); posPart;)
        {
            const CXmlElement* pPart = pParts->m_listChildren.GetNext(posPart);
            CRect rc;
            if (!pPart->IsNamed(L"part") || !ReadPartRect(pPart, rc))
                continue;
            CRect rcInside;
            rcInside.IntersectRect(rc, rcImage);
            if (rcInside == rc)
                continue;
            CString strFigures;
            strFigures.Format(L"(%d,%d,%d,%d) is not inside the %dx%d main image", rc.left, rc.top, rc.Width(),
                              rc.Height(), (int)info.cx, (int)info.cy);
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pPart, L"rect"),
                       L"part '" + pPart->GetAttributeValue(L"name") + L"' " + strFigures);
        }
    }
}

void CWindowSkin::CheckCaptionContrast(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics)
{
    // The active window's caption only: an inactive one is greyed on purpose, as the system's is.
    if (!pCaption || !m_bCaption)
        return;
    const TEXT_CONTRAST contrast = ContrastOn(m_crCaption, CaptionBackground(CAPTION_PROBE_WIDTH, STATE_ACTIVE));
    if (contrast.dRatio == 0 || contrast.dRatio >= LARGE_TEXT_CONTRAST)
        return;
    const CXmlNode* pNode = pCaption->GetAttribute(L"color");
    if (!pNode)
        pNode = SkinNodeOf(pCaption, L"colour");
    CString strMessage;
    strMessage.Format(L"the caption text is hard to read: contrast %.2f:1, below %.1f:1, of #%02X%02X%02X%s on the "
                      L"frame's #%02X%02X%02X beneath it",
                      contrast.dRatio, LARGE_TEXT_CONTRAST, GetRValue(m_crCaption), GetGValue(m_crCaption),
                      GetBValue(m_crCaption), pNode == pCaption ? L" (color unset)" : L"", GetRValue(contrast.crBack),
                      GetGValue(contrast.crBack), GetBValue(contrast.crBack));
    SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pNode, strMessage);
}

std::vector<COLORREF> CWindowSkin::CaptionBackground(int cx, int nState)
{
    std::vector<COLORREF> pixels;
    // The definition is checked as written, at 96 DPI.
    const CDpiScale scale;
    const int cy = std::min<int>(GetFrameThickness(scale).top, CAPTION_PROBE_HEIGHT);
    CRect rcBox = CaptionBox(cx, scale);
    // A caption given as a point centres its text on it: a line of text's height around it.
    if (rcBox.Height() < POINT_CAPTION_HEIGHT)
    {
        rcBox.top = (int)(((LONGLONG)rcBox.top + rcBox.bottom) / 2 - POINT_CAPTION_HEIGHT / 2);
        rcBox.bottom = rcBox.top + POINT_CAPTION_HEIGHT;
    }
    if (cy <= 0 || !rcBox.IntersectRect(rcBox, CRect(0, 0, cx, cy)))
        return pixels;
    // The text runs between the caption buttons' places, never under them.
    std::vector<CRect> buttons;
    for (int nAnchor = ANCHOR_ICON; nAnchor <= ANCHOR_CLOSE; nAnchor++)
        if (m_pAnchorPresent[nAnchor])
            buttons.push_back(GetAnchorRect(CRect(0, 0, cx, CAPTION_PROBE_HEIGHT), nAnchor, scale));
    if (!FrameImage())
        return pixels;
    // Composed in the shared buffer, as a paint does.
    CClientDC screen(NULL);
    if (CDC* pBuffer = m_theme.GetBufferDC(&screen, CSize(cx, cy)))
    {
        const CWindowSkinState noButtonTouched;
        ComposeCaptionStrip(pBuffer, noButtonTouched, cx, CAPTION_PROBE_HEIGHT, nState, FALSE, 0, TopLeftPart(nState), TopRightPart(nState),
                            NULL, CString(), scale);
        pBuffer->SelectClipRgn(NULL);
        for (int y = rcBox.top; y < rcBox.bottom; y++)
            for (int x = rcBox.left; x < rcBox.right; x++)
                if (std::none_of(buttons.begin(), buttons.end(), [x, y](const CRect& rc) { return rc.PtInRect(CPoint(x, y)); }))
                    pixels.push_back(pBuffer->GetPixel(x, y));
    }
    return pixels;
}
