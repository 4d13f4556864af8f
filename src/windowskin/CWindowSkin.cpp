#include "CWindowSkin.h"
#include "../theme/CInterfaceTheme.h"
#include <algorithm>
#include <climits>
#include <new>

namespace
{
// No colour: the outline or shadow is not drawn.
const COLORREF COLOUR_NONE = 0xFFFFFFFF;
// A second press on the system button this soon after its menu opened closes the window.
const DWORD SYSTEM_DOUBLE_PRESS_MS = 300;
// The largest part side, the classic GDI coordinate limit.
const int MAX_PART_SIZE = 0x7FFF;

// Integer arithmetic on numbers straight from a skin file wraps instead of overflowing.
int WrapAdd(int a, int b)
{
    return (int)((unsigned)a + (unsigned)b);
}

int WrapSub(int a, int b)
{
    return (int)((unsigned)a - (unsigned)b);
}

// Keeps a position one pixel inside the integer range, so that the outline's neighbours fit.
int ClampToInt(LONGLONG n)
{
    return (int)std::min<LONGLONG>(std::max<LONGLONG>(n, INT_MIN + 1), INT_MAX - 1);
}

// A leading "%i" number: sign, then 0x for hexadecimal, 0 for octal, else decimal.
BOOL ReadInteger(const CString& strText, int& nOut)
{
    int nValue = 0;
    if (swscanf(strText, L"%i", &nValue) != 1)
        return FALSE;
    nOut = nValue;
    return TRUE;
}

int IndexOfName(const CString& strName, const wchar_t* const* ppszNames, int nCount)
{
    for (int n = 0; n < nCount; n++)
        if (strName.CompareNoCase(ppszNames[n]) == 0)
            return n;
    return -1;
}

BOOL IsHexDigit(wchar_t ch)
{
    return (ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'f') || (ch >= L'A' && ch <= L'F');
}

int HexValue(wchar_t ch)
{
    if (ch <= L'9')
        return ch - L'0';
    return (ch | 0x20) - L'a' + 10;
}

CWindowSkin* ParseWindowSkin(CXmlElement* pElement, const CString& strFolder)
{
    CWindowSkin* pSkin = new (std::nothrow) CWindowSkin;
    if (pSkin && !pSkin->Parse(pElement, strFolder))
    {
        delete pSkin;
        pSkin = NULL;
    }
    return pSkin;
}

void DeleteWindowSkin(CWindowSkin* pSkin)
{
    delete pSkin;
}

BOOL WindowSkinHasTarget(const CWindowSkin* pSkin, const CString& strKey)
{
    return pSkin->HasTarget(strKey);
}
}

const wchar_t* const CWindowSkin::s_pszPartNames[WINDOWSKIN_PART_COUNT] = {
    L"TopLeft", L"Top", L"TopRight",
    L"TopLeftIA", L"TopIA", L"TopRightIA",
    L"LeftTop", L"Left", L"LeftBottom",
    L"RightTop", L"Right", L"RightBottom",
    L"BottomLeft", L"Bottom", L"BottomRight",
    L"System", L"SystemHover", L"SystemDown",
    L"Minimise", L"MinimiseHover", L"MinimiseDown",
    L"Maximise", L"MaximiseHover", L"MaximiseDown",
    L"Close", L"CloseHover", L"CloseDown",
};

const wchar_t* const CWindowSkin::s_pszAnchorNames[WINDOWSKIN_ANCHOR_COUNT] = {
    L"Icon", L"System", L"Minimise", L"Maximise", L"Close",
};

const WINDOWSKIN_OPERATIONS* CWindowSkin::GetOperations()
{
    // The skinned dialogs fill in pfnBeforeDelete when they need to let go of their skins.
    static const WINDOWSKIN_OPERATIONS operations = { ParseWindowSkin, DeleteWindowSkin, WindowSkinHasTarget, NULL };
    return &operations;
}

CWindowSkin::CWindowSkin()
    : m_hOldBitmap(NULL),
      m_rcMaximiseCrop(-1, 0, -1, -1),
      m_bCaption(0),
      m_bCaps(0),
      m_crCaption(RGB(255, 255, 255)),
      m_crCaptionInactive(RGB(128, 128, 128)),
      m_crShadow(COLOUR_NONE),
      m_crOutline(COLOUR_NONE),
      m_nCaptionAlign(ALIGN_LEFT),
      m_pRegion(NULL),
      m_nHotButton(0),
      m_nPressedButton(0)
{
    memset(m_pPartPresent, 0, sizeof(m_pPartPresent));
    memset(m_pPartMode, 0, sizeof(m_pPartMode));
    memset(m_pAnchorPresent, 0, sizeof(m_pAnchorPresent));
    m_mapParts.InitHashTable(17);
    m_mapAnchors.InitHashTable(17);
    int nFrame = ::GetSystemMetrics(SM_CXFRAME);
    m_rcResizeBorder.SetRect(nFrame, nFrame, nFrame, nFrame);
}

CWindowSkin::~CWindowSkin()
{
    // The main image cannot be deleted while the memory DC still holds it.
    if (m_dcImage.m_hDC)
    {
        if (m_hOldBitmap)
            m_dcImage.SelectObject((HGDIOBJ)m_hOldBitmap);
        m_dcImage.DeleteDC();
    }
    delete m_pRegion;
}

// Definition ------------------------------------------------------------------------------

BOOL CWindowSkin::Parse(CXmlElement* pElement, const CString& strFolder)
{
    if (!pElement || !pElement->IsNamed(L"windowSkin"))
        return FALSE;

    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        POSITION posChild = pos;
        CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        CRect rc;
        if (pChild->IsNamed(L"target"))
        {
            CString strWindow = pChild->GetAttributeValue(L"window");
            if (!strWindow.IsEmpty())
                m_strTargets += L"|" + strWindow + L"|";
        }
        else if (pChild->IsNamed(L"parts"))
            ParseParts(pChild);
        else if (pChild->IsNamed(L"anchors"))
            ParseAnchors(pChild);
        else if (pChild->IsNamed(L"region"))
        {
            // The shapes are evaluated at every size change, long after the document is gone.
            delete m_pRegion;
            pElement->m_listChildren.RemoveAt(posChild);
            pChild->m_pParent = NULL;
            m_pRegion = pChild;
        }
        else if (pChild->IsNamed(L"caption"))
            ParseCaption(pChild);
        else if (pChild->IsNamed(L"image"))
        {
            if (!ParseImage(pChild, strFolder))
                return FALSE;
        }
        else if (pChild->IsNamed(L"maximiseCrop"))
        {
            if (ParseRect(pChild, rc))
                m_rcMaximiseCrop.SetRect(rc.left, rc.top, WrapSub(rc.right, rc.left), WrapSub(rc.bottom, rc.top));
        }
        else if (pChild->IsNamed(L"resizeBorder"))
        {
            if (ParseRect(pChild, rc))
                m_rcResizeBorder.SetRect(rc.left, rc.top, WrapSub(rc.right, rc.left), WrapSub(rc.bottom, rc.top));
        }
        else if (pChild->IsNamed(L"minimumSize"))
        {
            int nValue;
            if (ReadInteger(pChild->GetAttributeValue(L"width"), nValue))
                m_szMinimum.cx = nValue;
            if (ReadInteger(pChild->GetAttributeValue(L"height"), nValue))
                m_szMinimum.cy = nValue;
        }
    }
    return m_bmpImage.m_hObject != NULL;
}

void CWindowSkin::ParseParts(CXmlElement* pParts)
{
    for (POSITION pos = pParts->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pPart = pParts->m_listChildren.GetNext(pos);
        CRect rc;
        if (!pPart->IsNamed(L"part") || !ParseRect(pPart, rc))
            continue;
        // A part is never empty.
        if (rc.right == rc.left)
            rc.right++;
        if (rc.bottom == rc.top)
            rc.bottom++;
        // Sizes no bitmap can have would run the frame arithmetic backwards or past the
        // integer range; such a part is as unreadable as one without a rectangle.
        int cx = WrapSub(rc.right, rc.left);
        int cy = WrapSub(rc.bottom, rc.top);
        if (cx < 1 || cx > MAX_PART_SIZE || cy < 1 || cy > MAX_PART_SIZE)
            continue;
        int nMode = pPart->GetAttributeValue(L"mode").CompareNoCase(L"stretch") == 0 ? MODE_STRETCH : MODE_TILE;
        CString strName = pPart->GetAttributeValue(L"name");
        if (strName.IsEmpty())
            continue;
        int nPart = IndexOfName(strName, s_pszPartNames, WINDOWSKIN_PART_COUNT);
        if (nPart < 0)
        {
            m_mapParts[strName] = rc;
            continue;
        }
        m_pPartPresent[nPart] = 1;
        m_pPartMode[nPart] = nMode;
        m_pPartRects[nPart] = rc;
    }
}

void CWindowSkin::ParseAnchors(CXmlElement* pAnchors)
{
    for (POSITION pos = pAnchors->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pAnchor = pAnchors->m_listChildren.GetNext(pos);
        CRect rc;
        if (!pAnchor->IsNamed(L"anchor") || !ParseRect(pAnchor, rc))
            continue;
        CString strName = pAnchor->GetAttributeValue(L"name");
        int nAnchor = IndexOfName(strName, s_pszAnchorNames, WINDOWSKIN_ANCHOR_COUNT);
        if (nAnchor < 0)
        {
            m_mapAnchors[strName] = rc;
            continue;
        }
        m_pAnchorPresent[nAnchor] = 1;
        m_pAnchorRects[nAnchor] = rc;
    }
}

void CWindowSkin::ParseCaption(CXmlElement* pCaption)
{
    m_bCaption = ParseRect(pCaption, m_rcCaption);

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
        ParseColour(pCaption->GetAttributeValue(pszColours[n][0]), *pTargets[n]);
        ParseColour(pCaption->GetAttributeValue(pszColours[n][1]), *pTargets[n]);
    }

    m_bCaps = pCaption->GetAttributeValue(L"caps").IsEmpty() ? 0 : 1;

    CString strAlign = pCaption->GetAttributeValue(L"align");
    if (strAlign.CompareNoCase(L"left") == 0)
        m_nCaptionAlign = ALIGN_LEFT;
    else if (strAlign.CompareNoCase(L"center") == 0)
        m_nCaptionAlign = ALIGN_CENTER;
    else if (strAlign.CompareNoCase(L"right") == 0)
        m_nCaptionAlign = ALIGN_RIGHT;

    if (m_bCaption && !m_fontCaption.m_hObject)
    {
        // The structure as it was before Vista added a field, which every version accepts.
        NONCLIENTMETRICSW ncm;
        memset(&ncm, 0, sizeof(ncm));
        ncm.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
            m_fontCaption.CreateFontIndirect(&ncm.lfCaptionFont);
    }
}

void CWindowSkin::CreateCaptionFont(CXmlElement* pCaption)
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

    LOGFONTW lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nSize;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, pCaption->GetAttributeValue(L"fontFace"), LF_FACESIZE);

    // A later caption replaces the font of an earlier one.
    m_fontCaption.DeleteObject();
    CString strSizeLower(strSize);
    if (strSizeLower.MakeLower().Find(L"pt") >= 0)
        m_fontCaption.CreatePointFontIndirect(&lf);
    else
    {
        lf.lfHeight = -lf.lfHeight;
        m_fontCaption.CreateFontIndirect(&lf);
    }
}

BOOL CWindowSkin::ParseImage(CXmlElement* pImage, const CString& strFolder)
{
    CString strPath = pImage->GetAttributeValue(L"path");
    if (strPath.IsEmpty())
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(NULL, strFolder + strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!hBitmap)
        return FALSE;
    CString strType = pImage->GetAttributeValue(L"type");
    strType.MakeLower();
    CBitmap* pSlot = &m_bmpImage;
    if (strType == L"watermark" || strType == L"water")
        pSlot = &m_bmpWatermark;
    else if (strType == L"alpha")
        pSlot = &m_bmpAlpha;
    pSlot->DeleteObject();
    pSlot->Attach(hBitmap);
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

BOOL CWindowSkin::ParseColour(const wchar_t* pszText, COLORREF& crOut)
{
    if (!pszText || wcslen(pszText) != 6)
        return FALSE;
    for (int n = 0; n < 6; n++)
        if (!IsHexDigit(pszText[n]))
            return FALSE;
    int nRed = HexValue(pszText[0]) * 16 + HexValue(pszText[1]);
    int nGreen = HexValue(pszText[2]) * 16 + HexValue(pszText[3]);
    int nBlue = HexValue(pszText[4]) * 16 + HexValue(pszText[5]);
    crOut = RGB(nRed, nGreen, nBlue);
    return TRUE;
}

// Rendering -------------------------------------------------------------------------------

CRect CWindowSkin::GetFrameThickness() const
{
    CRect rc(0, 0, 0, 0);
    for (int nPart = PART_TOPLEFT; nPart <= PART_TOPRIGHT; nPart++)
        if (IsPartDrawn(nPart))
            rc.top = std::max<int>(rc.top, PartHeight(nPart));
    for (int nPart = PART_BOTTOMLEFT; nPart <= PART_BOTTOMRIGHT; nPart++)
        if (IsPartDrawn(nPart))
            rc.bottom = std::max<int>(rc.bottom, PartHeight(nPart));
    if (IsPartDrawn(PART_LEFT))
        rc.left = std::max<int>(0, PartWidth(PART_LEFT));
    if (IsPartDrawn(PART_RIGHT))
        rc.right = std::max<int>(0, PartWidth(PART_RIGHT));
    return rc;
}

void CWindowSkin::CalcFrame(LPRECT lpRect, BOOL bShrink) const
{
    CRect rcFrame = GetFrameThickness();
    if (bShrink)
    {
        lpRect->left += rcFrame.left;
        lpRect->top += rcFrame.top;
        lpRect->right -= rcFrame.right;
        lpRect->bottom -= rcFrame.bottom;
    }
    else
    {
        lpRect->left -= rcFrame.left;
        lpRect->top -= rcFrame.top;
        lpRect->right += rcFrame.right;
        lpRect->bottom += rcFrame.bottom;
    }
}

void CWindowSkin::OnNcCalcSize(CWnd*, BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // Without valid-rectangle calculation lParam is a bare RECT, the same first member.
    CalcFrame(&lpncsp->rgrc[0], TRUE);
}

CRect CWindowSkin::GetAnchorRect(const CRect& rc, int nAnchor) const
{
    CRect rcAnchor = m_pAnchorRects[nAnchor];
    rcAnchor.OffsetRect(rcAnchor.left >= 0 ? rc.left : rc.right, rcAnchor.top >= 0 ? rc.top : rc.bottom);
    return rcAnchor;
}

void CWindowSkin::PrepareImageDC(CDC* pDC)
{
    if (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(pDC))
        return;
    // The watermark may have created the DC without the main image in it.
    if (!m_hOldBitmap && m_bmpImage.m_hObject)
        m_hOldBitmap = (HBITMAP)m_dcImage.SelectObject((HGDIOBJ)m_bmpImage.m_hObject);
}

void CWindowSkin::CopyPart(CDC* pDC, int nPart, int x, int y)
{
    const CRect& rcPart = m_pPartRects[nPart];
    pDC->BitBlt(x, y, rcPart.Width(), rcPart.Height(), &m_dcImage, rcPart.left, rcPart.top, SRCCOPY);
}

void CWindowSkin::FillHorizontal(CDC* pDC, int nPart, int xStart, int xEnd, int y)
{
    const CRect& rcPart = m_pPartRects[nPart];
    int cx = rcPart.Width();
    int cy = rcPart.Height();
    if (m_pPartMode[nPart] == MODE_STRETCH)
    {
        pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(xStart, y, xEnd - xStart, cy, &m_dcImage, rcPart.left, rcPart.top, cx, cy, SRCCOPY);
        return;
    }
    // A part written with a negative width would never advance.
    if (cx <= 0)
        return;
    for (int x = xStart; x < xEnd; x += cx)
        pDC->BitBlt(x, y, std::min<int>(cx, xEnd - x), cy, &m_dcImage, rcPart.left, rcPart.top, SRCCOPY);
}

void CWindowSkin::FillVertical(CDC* pDC, int nPart, int yStart, int yEnd, int x)
{
    const CRect& rcPart = m_pPartRects[nPart];
    int cx = rcPart.Width();
    int cy = rcPart.Height();
    if (m_pPartMode[nPart] == MODE_STRETCH)
    {
        pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(x, yStart, cx, yEnd - yStart, &m_dcImage, rcPart.left, rcPart.top, cx, cy, SRCCOPY);
        return;
    }
    if (cy <= 0)
        return;
    for (int y = yStart; y < yEnd; y += cy)
        pDC->BitBlt(x, y, cx, std::min<int>(cy, yEnd - y), &m_dcImage, rcPart.left, rcPart.top, SRCCOPY);
}

BOOL CWindowSkin::IsWindowActive(CWnd* pWnd)
{
    if (pWnd->GetExStyle() & WS_EX_MDICHILD)
    {
        HWND hClient = ::GetParent(pWnd->m_hWnd);
        return hClient && (HWND)::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0) == pWnd->m_hWnd;
    }
    return ::GetForegroundWindow() == pWnd->m_hWnd;
}

void CWindowSkin::Paint(CWnd* pWnd, CDC* pDC, BOOL bCaptionOnly, int nState)
{
    PrepareImageDC(pDC);
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();

    if (nState == STATE_WORK_OUT)
        nState = IsWindowActive(pWnd) ? STATE_ACTIVE : STATE_INACTIVE;

    CCaptionStripCache::Key key;
    if (m_bCaption)
    {
        pWnd->GetWindowText(key.strText);
        if (m_bCaps && !key.strText.IsEmpty())
        {
            ::CharUpperW(key.strText.GetBuffer());
            key.strText.ReleaseBuffer();
        }
    }

    key.hIcon = NULL;
    if (m_pAnchorPresent[ANCHOR_ICON])
    {
        key.hIcon = (HICON)pWnd->SendMessage(WM_GETICON, ICON_SMALL);
        if (!key.hIcon)
            key.hIcon = (HICON)pWnd->SendMessage(WM_GETICON, ICON_BIG);
    }

    // The edges go straight to the window; the caption strip, copied over them last, covers
    // whatever of them reaches into it.
    const int nTopLeft = nState == STATE_INACTIVE && IsPartDrawn(PART_TOPLEFT_IA) ? PART_TOPLEFT_IA : PART_TOPLEFT;
    const int nTopRight = nState == STATE_INACTIVE && IsPartDrawn(PART_TOPRIGHT_IA) ? PART_TOPRIGHT_IA : PART_TOPRIGHT;
    if (!bCaptionOnly)
        PaintEdges(pDC, cx, cy, IsPartDrawn(nTopLeft) ? PartHeight(nTopLeft) : 0,
                   IsPartDrawn(nTopRight) ? PartHeight(nTopRight) : 0);

    // A strip taller than the window would only grow the shared buffer for nothing.
    key.size = CSize(cx, std::min<int>(GetFrameThickness().top, cy));
    // Anchors may count from the window's bottom.
    key.nWindowHeight = cy;
    key.nState = nState;
    key.nHotButton = m_nHotButton;
    key.nPressedButton = m_nPressedButton;
    key.crText = nState == STATE_ACTIVE ? m_crCaption : m_crCaptionInactive;
    key.crOutline = m_crOutline;
    key.crShadow = m_crShadow;
    key.nAlign = m_nCaptionAlign;
    key.rcCaption = m_rcCaption;
    if (m_captionCache.Draw(pDC, key))
        return;

    // The caption strip is composed off screen and copied in one transfer.
    CDC* pBuffer = g_Theme.GetBufferDC(pDC, CSize(cx, std::max<int>(key.size.cy, 1)));
    if (!pBuffer)
        return;
    ComposeCaptionStrip(pBuffer, cx, cy, nState, nTopLeft, nTopRight, key.hIcon, key.strText);
    pDC->BitBlt(0, 0, key.size.cx, key.size.cy, pBuffer, 0, 0, SRCCOPY);
    m_captionCache.Store(pBuffer, key);
    pBuffer->SelectClipRgn(NULL);
}

void CWindowSkin::PaintEdges(CDC* pDC, int cx, int cy, int nTopLeftHeight, int nTopRightHeight)
{
    int yLeftStart = nTopLeftHeight, yLeftEnd = cy;
    int yRightStart = nTopRightHeight, yRightEnd = cy;
    int xBottomStart = 0, xBottomEnd = cx;
    if (IsPartDrawn(PART_BOTTOMLEFT))
    {
        CopyPart(pDC, PART_BOTTOMLEFT, 0, cy - PartHeight(PART_BOTTOMLEFT));
        xBottomStart += PartWidth(PART_BOTTOMLEFT);
        yLeftEnd -= PartHeight(PART_BOTTOMLEFT);
    }
    if (IsPartDrawn(PART_BOTTOMRIGHT))
    {
        CopyPart(pDC, PART_BOTTOMRIGHT, cx - PartWidth(PART_BOTTOMRIGHT), cy - PartHeight(PART_BOTTOMRIGHT));
        yRightEnd -= PartHeight(PART_BOTTOMRIGHT);
        xBottomEnd -= PartWidth(PART_BOTTOMRIGHT);
    }
    if (IsPartDrawn(PART_LEFTTOP))
    {
        CopyPart(pDC, PART_LEFTTOP, 0, yLeftStart);
        yLeftStart += PartHeight(PART_LEFTTOP);
    }
    if (IsPartDrawn(PART_LEFTBOTTOM))
    {
        CopyPart(pDC, PART_LEFTBOTTOM, 0, yLeftEnd - PartHeight(PART_LEFTBOTTOM));
        yLeftEnd -= PartHeight(PART_LEFTBOTTOM);
    }
    if (IsPartDrawn(PART_RIGHTTOP))
    {
        CopyPart(pDC, PART_RIGHTTOP, cx - PartWidth(PART_RIGHTTOP), yRightStart);
        yRightStart += PartHeight(PART_RIGHTTOP);
    }
    if (IsPartDrawn(PART_RIGHTBOTTOM))
    {
        CopyPart(pDC, PART_RIGHTBOTTOM, cx - PartWidth(PART_RIGHTBOTTOM), yRightEnd - PartHeight(PART_RIGHTBOTTOM));
        yRightEnd -= PartHeight(PART_RIGHTBOTTOM);
    }
    if (IsPartDrawn(PART_LEFT) && yLeftStart < yLeftEnd)
        FillVertical(pDC, PART_LEFT, yLeftStart, yLeftEnd, 0);
    if (IsPartDrawn(PART_RIGHT) && yRightStart < yRightEnd)
        FillVertical(pDC, PART_RIGHT, yRightStart, yRightEnd, cx - PartWidth(PART_RIGHT));
    if (IsPartDrawn(PART_BOTTOM) && xBottomStart < xBottomEnd)
        FillHorizontal(pDC, PART_BOTTOM, xBottomStart, xBottomEnd, cy - PartHeight(PART_BOTTOM));
}

void CWindowSkin::ComposeCaptionStrip(CDC* pBuffer, int cx, int cy, int nState, int nTopLeft, int nTopRight, HICON hIcon,
                                      const CString& strText)
{
    const CRect rcW(0, 0, cx, cy);
    // Buttons first, then kept out of the clipping so the strip drawn later leaves them intact.
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
    {
        if (!m_pAnchorPresent[nButton])
            continue;
        int nPart = PART_SYSTEM + 3 * (nButton - ANCHOR_SYSTEM);
        if (nButton == m_nHotButton)
            nPart += nButton == m_nPressedButton ? 2 : 1;
        if (!IsPartDrawn(nPart))
            continue;
        CRect rcButton = GetAnchorRect(rcW, nButton);
        CopyPart(pBuffer, nPart, rcButton.left, rcButton.top);
        pBuffer->ExcludeClipRect(rcButton.left, rcButton.top, WrapAdd(rcButton.left, PartWidth(nPart)),
                                 WrapAdd(rcButton.top, PartHeight(nPart)));
    }

    int xTopStart = 0, xTopEnd = cx;
    if (IsPartDrawn(nTopLeft))
    {
        CopyPart(pBuffer, nTopLeft, 0, 0);
        xTopStart += PartWidth(nTopLeft);
    }
    if (IsPartDrawn(nTopRight))
    {
        CopyPart(pBuffer, nTopRight, cx - PartWidth(nTopRight), 0);
        xTopEnd -= PartWidth(nTopRight);
    }
    const int nTop = nState == STATE_INACTIVE && IsPartDrawn(PART_TOP_IA) ? PART_TOP_IA : PART_TOP;
    if (IsPartDrawn(nTop) && xTopStart < xTopEnd)
        FillHorizontal(pBuffer, nTop, xTopStart, xTopEnd, 0);

    if (hIcon)
    {
        CRect rcIcon = GetAnchorRect(rcW, ANCHOR_ICON);
        ::DrawIconEx(pBuffer->m_hDC, rcIcon.left, rcIcon.top, hIcon, 16, 16, 0, NULL, DI_NORMAL);
    }

    if (m_bCaption && !strText.IsEmpty())
        PaintCaptionText(pBuffer, strText, cx, nState);
}

void CWindowSkin::PaintCaptionText(CDC* pDC, const CString& strText, int nWidth, int nState)
{
    HGDIOBJ hOldFont = m_fontCaption.m_hObject ? pDC->SelectObject(m_fontCaption.m_hObject) : NULL;
    CSize szText = pDC->GetTextExtent(strText);

    // The box ends where the right corner begins; the caption rectangle's own right is unused.
    // Positions are worked out wide, as the caption rectangle is written in the skin file.
    LONGLONG nLeft = m_rcCaption.left < 0 ? (LONGLONG)m_rcCaption.left + nWidth : m_rcCaption.left;
    LONGLONG nRight = nWidth - (IsPartDrawn(PART_TOPRIGHT) ? PartWidth(PART_TOPRIGHT) : 0);
    LONGLONG x;
    if (m_nCaptionAlign == ALIGN_CENTER)
        x = (nLeft + nRight) / 2 - szText.cx / 2;
    else if (m_nCaptionAlign == ALIGN_RIGHT)
        x = nRight - szText.cx - 1;
    else
        x = nLeft + 1;
    x = std::max<LONGLONG>(x, nLeft + 1);
    LONGLONG y = ((LONGLONG)m_rcCaption.top + m_rcCaption.bottom) / 2 - szText.cy / 2;
    CRect rcBox(ClampToInt(nLeft), m_rcCaption.top, ClampToInt(nRight), m_rcCaption.bottom);
    const int xText = ClampToInt(x);
    const int yText = ClampToInt(y);

    pDC->SetBkMode(TRANSPARENT);
    const UINT nLength = (UINT)strText.GetLength();
    if (m_crOutline != COLOUR_NONE)
    {
        static const POINT ptNeighbours[8] = {
            { -1, -1 }, { 0, -1 }, { 1, -1 }, { -1, 0 }, { 1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 1 },
        };
        pDC->SetTextColor(m_crOutline);
        for (const POINT& pt : ptNeighbours)
            pDC->ExtTextOut(xText + pt.x, yText + pt.y, ETO_CLIPPED, &rcBox, strText, nLength, NULL);
    }
    if (m_crShadow != COLOUR_NONE)
    {
        pDC->SetTextColor(m_crShadow);
        pDC->ExtTextOut(xText + 1, yText + 1, ETO_CLIPPED, &rcBox, strText, nLength, NULL);
    }
    pDC->SetTextColor(nState == STATE_ACTIVE ? m_crCaption : m_crCaptionInactive);
    pDC->ExtTextOut(xText, yText, ETO_CLIPPED, &rcBox, strText, nLength, NULL);

    if (hOldFont)
        pDC->SelectObject(hOldFont);
}

// Painting leaves the window DC's font as it found it (text is drawn off screen), so the DC
// goes back as it came: selecting a font into it first would only cost a font realisation on
// every repaint.
void CWindowSkin::RepaintCaption(CWnd* pWnd, int nState)
{
    CWindowDC dc(pWnd);
    Paint(pWnd, &dc, TRUE, nState);
}

void CWindowSkin::OnNcPaint(CWnd* pWnd)
{
    CWindowDC dc(pWnd);
    Paint(pWnd, &dc, FALSE, STATE_WORK_OUT);
}

BOOL CWindowSkin::OnNcActivate(CWnd* pWnd, BOOL bActive)
{
    RepaintCaption(pWnd, bActive ? STATE_ACTIVE : STATE_INACTIVE);
    return FALSE;
}

void CWindowSkin::OnSetText(CWnd* pWnd)
{
    RepaintCaption(pWnd, STATE_WORK_OUT);
}

BOOL CWindowSkin::PaintWatermark(CWnd* pWnd, CDC* pDC)
{
    if (!m_bmpWatermark.m_hObject)
        return FALSE;
    if (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(pDC))
        return FALSE;
    BITMAP bm;
    if (!m_bmpWatermark.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;

    HGDIOBJ hPrevious = m_dcImage.SelectObject((HGDIOBJ)m_bmpWatermark.m_hObject);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    for (int y = rcClient.top; y < rcClient.bottom; y += bm.bmHeight)
        for (int x = rcClient.left; x < rcClient.right; x += bm.bmWidth)
            pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &m_dcImage, 0, 0, SRCCOPY);
    m_dcImage.SelectObject(hPrevious);
    return TRUE;
}

// Hit testing, caption buttons and shape --------------------------------------------------

int CWindowSkin::ButtonOfHitTest(UINT nHitTest)
{
    switch (nHitTest)
    {
    case HTSYSMENU: return ANCHOR_SYSTEM;
    case HTREDUCE: return ANCHOR_MINIMISE;
    case HTZOOM: return ANCHOR_MAXIMISE;
    case HTCLOSE: return ANCHOR_CLOSE;
    default: return 0;
    }
}

UINT CWindowSkin::HitTest(CWnd* pWnd, CPoint point, BOOL bResizable)
{
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);

    static const UINT nButtonCodes[] = { HTSYSMENU, HTREDUCE, HTZOOM, HTCLOSE };
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
        if (m_pAnchorPresent[nButton] && GetAnchorRect(rcWindow, nButton).PtInRect(point))
            return nButtonCodes[nButton - ANCHOR_SYSTEM];

    if (bResizable && !pWnd->IsZoomed())
    {
        // The border widths come from the skin file: compare wide.
        const LONGLONG x = point.x, y = point.y;
        const CRect& rb = m_rcResizeBorder;
        // A grip the size of a caption button in the bottom-right corner.
        int nGrip = ::GetSystemMetrics(SM_CXSIZE);
        if (x >= (LONGLONG)rcWindow.right - nGrip && y >= (LONGLONG)rcWindow.bottom - nGrip)
            return HTBOTTOMRIGHT;
        const BOOL bTop = y < (LONGLONG)rcWindow.top + rb.top;
        const BOOL bBottom = y >= (LONGLONG)rcWindow.bottom - rb.bottom;
        if (x < (LONGLONG)rcWindow.left + rb.left)
            return bTop ? HTTOPLEFT : bBottom ? HTBOTTOMLEFT : HTLEFT;
        if (x >= (LONGLONG)rcWindow.right - rb.right)
            return bTop ? HTTOPRIGHT : bBottom ? HTBOTTOMRIGHT : HTRIGHT;
        if (bTop)
            return HTTOP;
        if (bBottom)
            return HTBOTTOM;
    }

    CRect rcClient = rcWindow;
    CalcFrame(&rcClient, TRUE);
    if (point.y < rcClient.top)
        return HTCAPTION;
    return rcClient.PtInRect(point) ? HTCLIENT : HTBORDER;
}

void CWindowSkin::OnNcMouseMove(CWnd* pWnd, UINT nHitTest, CPoint)
{
    int nButton = ButtonOfHitTest(nHitTest);
    if (m_nPressedButton && m_nPressedButton != nButton)
    {
        // The press is not captured: a release elsewhere is noticed here.
        if (!(::GetAsyncKeyState(VK_LBUTTON) & 0x8000))
            m_nPressedButton = 0;
        nButton = 0;
    }
    if (nButton != m_nHotButton)
    {
        m_nHotButton = nButton;
        RepaintCaption(pWnd, STATE_WORK_OUT);
    }
}

BOOL CWindowSkin::OnNcLButtonDown(CWnd* pWnd, UINT nHitTest, CPoint)
{
    int nButton = ButtonOfHitTest(nHitTest);
    if (!nButton)
        return FALSE;
    m_nHotButton = m_nPressedButton = nButton;
    if (nButton != ANCHOR_SYSTEM)
    {
        RepaintCaption(pWnd, STATE_WORK_OUT);
        return TRUE;
    }

    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    CRect rcSystem = GetAnchorRect(rcWindow, ANCHOR_SYSTEM);
    CMenu* pMenu = pWnd->GetSystemMenu(FALSE);
    RepaintCaption(pWnd, STATE_WORK_OUT);

    // The window may be destroyed inside the modal menu loop: from here on only its handle is
    // trusted, and the press ends whatever happens.
    const HWND hWnd = pWnd->m_hWnd;
    const LPARAM lParam = MAKELPARAM(rcSystem.left, rcSystem.bottom);
    DWORD dwOpened = ::GetTickCount();
    UINT nCommand = pMenu ? (UINT)pMenu->TrackPopupMenu(TPM_RETURNCMD, rcSystem.left, rcSystem.bottom, pWnd) : 0;
    m_nHotButton = m_nPressedButton = 0;
    if (!::IsWindow(hWnd))
        return TRUE;

    if (nCommand)
        ::PostMessageW(hWnd, WM_SYSCOMMAND, nCommand, lParam);
    else if (pMenu && ::GetTickCount() - dwOpened < SYSTEM_DOUBLE_PRESS_MS)
    {
        // The menu was dismissed by a second press on the same button: a double press closes.
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        if (HitTest(pWnd, ptCursor, FALSE) == HTSYSMENU)
            ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
    }
    RepaintCaption(pWnd, STATE_WORK_OUT);
    return TRUE;
}

BOOL CWindowSkin::OnNcLButtonUp(CWnd* pWnd, UINT, CPoint)
{
    if (!m_nPressedButton)
        return FALSE;
    if (m_nPressedButton == m_nHotButton)
    {
        UINT nCommand = 0;
        if (m_nPressedButton == ANCHOR_MINIMISE)
            nCommand = SC_MINIMIZE;
        else if (m_nPressedButton == ANCHOR_MAXIMISE)
            nCommand = pWnd->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
        else if (m_nPressedButton == ANCHOR_CLOSE)
            nCommand = SC_CLOSE;
        if (nCommand)
            pWnd->PostMessage(WM_SYSCOMMAND, nCommand, 0);
    }
    m_nHotButton = m_nPressedButton = 0;
    RepaintCaption(pWnd, STATE_WORK_OUT);
    return FALSE;
}

BOOL CWindowSkin::OnNcLButtonDblClk(CWnd* pWnd, UINT nHitTest, CPoint)
{
    if (nHitTest != HTSYSMENU)
        return FALSE;
    pWnd->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

void CWindowSkin::ApplyRegion(CWnd* pWnd)
{
    if (pWnd->IsIconic())
        return;

    if (pWnd->IsZoomed())
    {
        // A maximised window fills the primary work area exactly and needs no shape.
        MONITORINFO mi;
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(pWnd->m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfoW(hMonitor, &mi) && (mi.dwFlags & MONITORINFOF_PRIMARY))
        {
            CRect rcWork;
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
            pWnd->SetWindowPos(NULL, rcWork.left, rcWork.top, rcWork.Width(), rcWork.Height(), 0);
        }
        pWnd->SetWindowRgn(NULL, TRUE);
        return;
    }

    if (m_pRegion)
    {
        BuildShapeRegion(pWnd);
        return;
    }

    // From Windows XP on, a window region keeps the system's themed frame from showing.
    OSVERSIONINFOW osvi;
    memset(&osvi, 0, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    ::GetVersionExW(&osvi);
    if (osvi.dwMajorVersion > 5 || (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion >= 1))
    {
        CRect rcWindow;
        pWnd->GetWindowRect(&rcWindow);
        CRgn rgn;
        if (rgn.CreateRectRgn(0, 0, rcWindow.Width() + 1, rcWindow.Height() + 1))
            pWnd->SetWindowRgn((HRGN)rgn.Detach(), TRUE);
    }
}

void CWindowSkin::BuildShapeRegion(CWnd* pWnd)
{
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const CRect rcFull(0, 0, rcWindow.Width() + 1, rcWindow.Height() + 1);

    CRgn rgnShape;
    CRgn rgnAccumulated;
    for (POSITION pos = m_pRegion->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pShape = m_pRegion->m_listChildren.GetNext(pos);
        if (!pShape->IsNamed(L"shape"))
            continue;

        // The four numbers as written are left, top, right, bottom; negative ones count back
        // from the far edges, so -1 is the far edge itself.
        CRect rc = rcFull;
        CRect rcRead;
        if (ParseRect(pShape, rcRead))
        {
            int n[4] = { rcRead.left, rcRead.top, WrapSub(rcRead.right, rcRead.left), WrapSub(rcRead.bottom, rcRead.top) };
            for (int i = 0; i < 4; i++)
                if (n[i] < 0)
                    n[i] = WrapAdd((i % 2 ? rcFull.bottom : rcFull.right) + 1, n[i]);
            rc.SetRect(n[0], n[1], n[2], n[3]);
        }

        CString strType = pShape->GetAttributeValue(L"type");
        BOOL bCreated;
        if (strType.CompareNoCase(L"rectangle") == 0)
            bCreated = rgnShape.CreateRectRgnIndirect(&rc);
        else if (strType.CompareNoCase(L"ellipse") == 0)
            bCreated = rgnShape.CreateEllipticRgnIndirect(&rc);
        else if (strType.CompareNoCase(L"roundRect") == 0)
        {
            // Without a readable size the corners are square.
            int nCornerX = 0, nCornerY = 0;
            swscanf(pShape->GetAttributeValue(L"size"), L"%i,%i", &nCornerX, &nCornerY);
            bCreated = rgnShape.CreateRoundRectRgn(rc.left, rc.top, rc.right, rc.bottom, nCornerX, nCornerY);
        }
        else
            continue;

        if (!bCreated)
        {
            // A partial shape would be worse than none.
            rgnAccumulated.DeleteObject();
            pWnd->SetWindowRgn(NULL, TRUE);
            return;
        }

        if (!rgnAccumulated.m_hObject)
        {
            rgnAccumulated.Attach(rgnShape.Detach());
            continue;
        }
        CString strCombine = pShape->GetAttributeValue(L"combine");
        if (strCombine.CompareNoCase(L"and") == 0)
            rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_AND);
        else if (strCombine.CompareNoCase(L"or") == 0)
            rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_OR);
        else if (strCombine.CompareNoCase(L"xor") == 0)
            rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_XOR);
        else if (strCombine.CompareNoCase(L"copy") == 0)
            rgnAccumulated.CombineRgn(&rgnShape, NULL, RGN_COPY);
        else if (strCombine.CompareNoCase(L"diff") == 0)
            rgnAccumulated.CombineRgn(&rgnAccumulated, &rgnShape, RGN_DIFF);
        rgnShape.DeleteObject();
    }

    // The window takes ownership of the region.
    if (rgnAccumulated.m_hObject)
        pWnd->SetWindowRgn((HRGN)rgnAccumulated.Detach(), TRUE);
}
