// Painting a window skin: the frame's edges straight into the window, the caption strip composed
// off screen and kept in the caption-strip cache, the caption text and the watermark.
#include "CWindowSkin.h"
#include "WindowSkinNumbers.h"
#include "../theme/CInterfaceTheme.h"
#include "../parts/CWindowDpi.h"

using namespace WindowSkinNumbers;

// A caption shows no more of a title than this.
static const int MAX_CAPTION_TEXT = 512;

CDpiScale CWindowSkin::ScaleOf(const CWnd* pWnd)
{
    return CDpiScale(CWindowDpi::Of(pWnd ? pWnd->m_hWnd : NULL));
}

CRect CWindowSkin::GetFrameThickness(const CDpiScale& scale) const
{
    CRect rc(0, 0, 0, 0);
    for (int nPart = PART_TOPLEFT; nPart <= PART_TOPRIGHT; nPart++)
        if (IsPartDrawn(nPart))
            rc.top = std::max<int>(rc.top, PartHeight(nPart, scale));
    for (int nPart = PART_BOTTOMLEFT; nPart <= PART_BOTTOMRIGHT; nPart++)
        if (IsPartDrawn(nPart))
            rc.bottom = std::max<int>(rc.bottom, PartHeight(nPart, scale));
    if (IsPartDrawn(PART_LEFT))
        rc.left = std::max<int>(0, PartWidth(PART_LEFT, scale));
    if (IsPartDrawn(PART_RIGHT))
        rc.right = std::max<int>(0, PartWidth(PART_RIGHT, scale));
    return rc;
}

void CWindowSkin::CalcFrame(LPRECT lpRect, BOOL bShrink, const CDpiScale& scale) const
{
    CRect rcFrame = GetFrameThickness(scale);
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

CRect CWindowSkin::FrameOf(CWnd* pWnd, const CDpiScale& scale) const
{
    CRect rcFrame = GetFrameThickness(scale);
    if (pWnd && pWnd->IsZoomed())
        rcFrame.left = rcFrame.right = rcFrame.bottom = 0;
    return rcFrame;
}

void CWindowSkin::OnNcCalcSize(CWnd* pWnd, BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // Without valid-rectangle calculation lParam is a bare RECT, the same first member.
    RECT& rc = lpncsp->rgrc[0];
    const CRect rcFrame = FrameOf(pWnd, ScaleOf(pWnd));
    rc.left += rcFrame.left;
    rc.top += rcFrame.top;
    rc.right -= rcFrame.right;
    rc.bottom -= rcFrame.bottom;
}

CRect CWindowSkin::GetAnchorRect(const CRect& rc, int nAnchor, const CDpiScale& scale) const
{
    CRect rcAnchor = scale.ScaleBox(m_pAnchorRects[nAnchor]);
    rcAnchor.OffsetRect(rcAnchor.left >= 0 ? rc.left : rc.right, rcAnchor.top >= 0 ? rc.top : rc.bottom);
    return rcAnchor;
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

int CWindowSkin::TopLeftPart(int nState) const
{
    return nState == STATE_INACTIVE && IsPartDrawn(PART_TOPLEFT_IA) ? PART_TOPLEFT_IA : PART_TOPLEFT;
}

int CWindowSkin::TopRightPart(int nState) const
{
    return nState == STATE_INACTIVE && IsPartDrawn(PART_TOPRIGHT_IA) ? PART_TOPRIGHT_IA : PART_TOPRIGHT;
}

void CWindowSkin::Paint(CWnd* pWnd, const CWindowSkinState& state, CDC* pDC, BOOL bCaptionOnly, int nState)
{
    if (!FrameImage())
        return;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();
    const CDpiScale scale = ScaleOf(pWnd);

    if (nState == STATE_WORK_OUT)
    {
        if (!state.nActivation)
            state.nActivation = IsWindowActive(pWnd) ? STATE_ACTIVE : STATE_INACTIVE;
        nState = state.nActivation;
    }

    CCaptionStripCache::Key key;
    if (m_bCaption)
    {
        // The text the window keeps, as the system's own caption reads it: no message to the
        // window on every paint.
        wchar_t szText[MAX_CAPTION_TEXT] = L"";
        ::InternalGetWindowText(pWnd->m_hWnd, szText, _countof(szText));
        key.strText = szText;
        if (m_bCaps && !key.strText.IsEmpty())
        {
            ::CharUpperW(key.strText.GetBuffer());
            key.strText.ReleaseBuffer();
        }
    }

    key.hIcon = m_pAnchorPresent[ANCHOR_ICON] ? state.CaptionIcon(pWnd->m_hWnd) : NULL;

    // The edges go straight to the window; the caption strip, copied over them last, covers
    // whatever of them reaches into it.
    const int nTopLeft = TopLeftPart(nState);
    const int nTopRight = TopRightPart(nState);
    const BOOL bZoomed = pWnd->IsZoomed();
    if (!bCaptionOnly && !bZoomed)
    {
        CFrameEdgeCache::Key edgesKey;
        edgesKey.pSkin = this;
        edgesKey.window = CSize(cx, cy);
        edgesKey.nDpi = scale.GetDpi();
        edgesKey.nTopLeftHeight = IsPartDrawn(nTopLeft) ? PartHeight(nTopLeft, scale) : 0;
        edgesKey.nTopRightHeight = IsPartDrawn(nTopRight) ? PartHeight(nTopRight, scale) : 0;
        edgesKey.crBack = BackgroundColour();
        edgesKey.rcFrame = GetFrameThickness(scale);
        auto paintEdges = [&](CDC* pTarget) {
            PaintEdges(pTarget, cx, cy, edgesKey.nTopLeftHeight, edgesKey.nTopRightHeight, scale);
        };
        // A part reaching past the frame's thickness draws into the client area, which only a
        // direct paint reproduces.
        if (!EdgesFitFrame(edgesKey.rcFrame, scale) || !state.edges.Draw(pDC, edgesKey, paintEdges))
            paintEdges(pDC);
    }

    // A strip taller than the window would only grow the shared buffer for nothing.
    key.size = m_theme.ClipToBuffer(CSize(cx, std::min<int>(GetFrameThickness(scale).top, cy)));
    // Anchors may count from the window's bottom.
    key.nWindowHeight = cy;
    key.nState = nState;
    key.nHotButton = state.nHotButton;
    key.nPressedButton = state.nPressedButton;
    key.bZoomed = bZoomed;
    key.nHiddenButtons = HiddenButtons(pWnd->m_hWnd);
    key.crText = nState == STATE_ACTIVE ? m_crCaption : m_crCaptionInactive;
    key.crOutline = m_crOutline;
    key.crShadow = m_crShadow;
    key.nAlign = m_nCaptionAlign;
    key.rcCaption = m_rcCaption;
    key.nDpi = scale.GetDpi();
    if (m_captionCache.Draw(pDC, key))
        return;

    // The caption strip is composed off screen and copied in one transfer.
    CDC* pBuffer = m_theme.GetBufferDC(pDC, CSize(cx, std::max<int>(key.size.cy, 1)));
    if (!pBuffer)
        return;
    ComposeCaptionStrip(pBuffer, state, cx, cy, nState, key.bZoomed, key.nHiddenButtons, nTopLeft, nTopRight, key.hIcon,
                        key.strText, scale);
    pDC->BitBlt(0, 0, key.size.cx, key.size.cy, pBuffer, 0, 0, SRCCOPY);
    m_captionCache.Store(pBuffer, key);
    pBuffer->SelectClipRgn(NULL);
}

void CWindowSkin::PaintEdges(CDC* pDC, int cx, int cy, int nTopLeftHeight, int nTopRightHeight, const CDpiScale& scale)
{
    int yLeftStart = nTopLeftHeight, yLeftEnd = cy;
    int yRightStart = nTopRightHeight, yRightEnd = cy;
    int xBottomStart = 0, xBottomEnd = cx;
    if (IsPartDrawn(PART_BOTTOMLEFT))
    {
        CopyPart(pDC, PART_BOTTOMLEFT, 0, cy - PartHeight(PART_BOTTOMLEFT, scale), scale);
        xBottomStart += PartWidth(PART_BOTTOMLEFT, scale);
        yLeftEnd -= PartHeight(PART_BOTTOMLEFT, scale);
    }
    if (IsPartDrawn(PART_BOTTOMRIGHT))
    {
        CopyPart(pDC, PART_BOTTOMRIGHT, cx - PartWidth(PART_BOTTOMRIGHT, scale), cy - PartHeight(PART_BOTTOMRIGHT, scale), scale);
        yRightEnd -= PartHeight(PART_BOTTOMRIGHT, scale);
        xBottomEnd -= PartWidth(PART_BOTTOMRIGHT, scale);
    }
    if (IsPartDrawn(PART_LEFTTOP))
    {
        CopyPart(pDC, PART_LEFTTOP, 0, yLeftStart, scale);
        yLeftStart += PartHeight(PART_LEFTTOP, scale);
    }
    if (IsPartDrawn(PART_LEFTBOTTOM))
    {
        CopyPart(pDC, PART_LEFTBOTTOM, 0, yLeftEnd - PartHeight(PART_LEFTBOTTOM, scale), scale);
        yLeftEnd -= PartHeight(PART_LEFTBOTTOM, scale);
    }
    if (IsPartDrawn(PART_RIGHTTOP))
    {
        CopyPart(pDC, PART_RIGHTTOP, cx - PartWidth(PART_RIGHTTOP, scale), yRightStart, scale);
        yRightStart += PartHeight(PART_RIGHTTOP, scale);
    }
    if (IsPartDrawn(PART_RIGHTBOTTOM))
    {
        CopyPart(pDC, PART_RIGHTBOTTOM, cx - PartWidth(PART_RIGHTBOTTOM, scale), yRightEnd - PartHeight(PART_RIGHTBOTTOM, scale), scale);
        yRightEnd -= PartHeight(PART_RIGHTBOTTOM, scale);
    }
    if (IsPartDrawn(PART_LEFT) && yLeftStart < yLeftEnd)
        FillVertical(pDC, PART_LEFT, yLeftStart, yLeftEnd, 0, scale);
    if (IsPartDrawn(PART_RIGHT) && yRightStart < yRightEnd)
        FillVertical(pDC, PART_RIGHT, yRightStart, yRightEnd, cx - PartWidth(PART_RIGHT, scale), scale);
    if (IsPartDrawn(PART_BOTTOM) && xBottomStart < xBottomEnd)
        FillHorizontal(pDC, PART_BOTTOM, xBottomStart, xBottomEnd, cy - PartHeight(PART_BOTTOM, scale), scale);
}

bool CWindowSkin::EdgesFitFrame(const CRect& rcFrame, const CDpiScale& scale) const
{
    static const int nLeftParts[] = { PART_LEFT, PART_LEFTTOP, PART_LEFTBOTTOM };
    static const int nRightParts[] = { PART_RIGHT, PART_RIGHTTOP, PART_RIGHTBOTTOM };
    for (int nPart : nLeftParts)
        if (IsPartDrawn(nPart) && PartWidth(nPart, scale) > rcFrame.left)
            return false;
    for (int nPart : nRightParts)
        if (IsPartDrawn(nPart) && PartWidth(nPart, scale) > rcFrame.right)
            return false;
    return true;
}

int CWindowSkin::ButtonPart(int nButton, BOOL bZoomed, const CWindowSkinState& state) const
{
    int nLook = nButton == state.nHotButton ? (nButton == state.nPressedButton ? 2 : 1) : 0;
    if (nButton == ANCHOR_MAXIMISE && bZoomed && IsPartDrawn(PART_RESTORE + nLook))
        return PART_RESTORE + nLook;
    return PART_SYSTEM + 3 * (nButton - ANCHOR_SYSTEM) + nLook;
}

void CWindowSkin::ComposeCaptionStrip(CDC* pBuffer, const CWindowSkinState& state, int cx, int cy, int nState, BOOL bZoomed,
                                      int nHiddenButtons, int nTopLeft, int nTopRight, HICON hIcon, const CString& strText, const CDpiScale& scale)
{
    const CRect rcW(0, 0, cx, cy);
    int xTopStart = 0, xTopEnd = cx;
    if (IsPartDrawn(nTopLeft))
    {
        CopyPart(pBuffer, nTopLeft, 0, 0, scale);
        xTopStart += PartWidth(nTopLeft, scale);
    }
    if (IsPartDrawn(nTopRight))
    {
        CopyPart(pBuffer, nTopRight, cx - PartWidth(nTopRight, scale), 0, scale);
        xTopEnd -= PartWidth(nTopRight, scale);
    }
    const int nTop = nState == STATE_INACTIVE && IsPartDrawn(PART_TOP_IA) ? PART_TOP_IA : PART_TOP;
    if (IsPartDrawn(nTop) && xTopStart < xTopEnd)
        FillHorizontal(pBuffer, nTop, xTopStart, xTopEnd, 0, scale);

    // Buttons over the strip, so a translucent one shows it through; then kept out of the
    // clipping so the icon and text leave them intact.
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
    {
        if (!m_pAnchorPresent[nButton] || (nHiddenButtons & (1 << nButton)))
            continue;
        int nPart = ButtonPart(nButton, bZoomed, state);
        if (!IsPartDrawn(nPart))
            continue;
        CRect rcButton = GetAnchorRect(rcW, nButton, scale);
        CopyPart(pBuffer, nPart, rcButton.left, rcButton.top, scale, false);
        pBuffer->ExcludeClipRect(rcButton.left, rcButton.top, WrapAdd(rcButton.left, PartWidth(nPart, scale)),
                                 WrapAdd(rcButton.top, PartHeight(nPart, scale)));
    }

    if (hIcon)
    {
        CRect rcIcon = GetAnchorRect(rcW, ANCHOR_ICON, scale);
        const int nIcon = scale.Scale(16);
        ::DrawIconEx(pBuffer->m_hDC, rcIcon.left, rcIcon.top, hIcon, nIcon, nIcon, 0, NULL, DI_NORMAL);
    }

    if (m_bCaption && !strText.IsEmpty())
        PaintCaptionText(pBuffer, strText, cx, nState, scale);
}

CRect CWindowSkin::CaptionBox(int nWidth, const CDpiScale& scale) const
{
    // The box ends where the right corner begins; the caption rectangle's own right is unused.
    const CRect rcCaption = scale.ScaleBox(m_rcCaption);
    const LONGLONG nLeft = rcCaption.left < 0 ? (LONGLONG)rcCaption.left + nWidth : rcCaption.left;
    const LONGLONG nRight = (LONGLONG)nWidth - (IsPartDrawn(PART_TOPRIGHT) ? PartWidth(PART_TOPRIGHT, scale) : 0);
    return CRect(ClampToInt(nLeft), rcCaption.top, ClampToInt(nRight), rcCaption.bottom);
}

CFont* CWindowSkin::GetCaptionFont(const CDpiScale& scale)
{
    if (!m_fontCaption.m_hObject)
        return NULL;
    if (scale.GetDpi() == m_nCaptionFontDpi)
        return &m_fontCaption;
    for (const SCALED_CAPTION_FONT& scaled : m_scaledFonts)
        if (scaled.nDpi == scale.GetDpi())
            return scaled.pFont.get();
    LOGFONTW lf;
    if (!m_fontCaption.GetLogFont(&lf))
        return &m_fontCaption;
    lf.lfHeight = CDpiScale::MulDivRound(lf.lfHeight, scale.GetDpi(), m_nCaptionFontDpi);
    std::unique_ptr<CFont> pFont(new CFont);
    if (!pFont->CreateFontIndirect(&lf))
        return &m_fontCaption;
    // Windows on a few monitors at most share a skin: the font made least lately goes.
    if (m_scaledFonts.size() >= MAX_SCALED_FONTS)
        m_scaledFonts.erase(m_scaledFonts.begin());
    m_scaledFonts.push_back({ scale.GetDpi(), std::move(pFont) });
    return m_scaledFonts.back().pFont.get();
}

void CWindowSkin::PaintCaptionText(CDC* pDC, const CString& strText, int nWidth, int nState, const CDpiScale& scale)
{
    CFont* pFont = GetCaptionFont(scale);
    HGDIOBJ hOldFont = pFont ? pDC->SelectObject(pFont->m_hObject) : NULL;
    CSize szText = pDC->GetTextExtent(strText);

    // Positions are worked out wide, as the caption rectangle is written in the skin file.
    const CRect rcBox = CaptionBox(nWidth, scale);
    const LONGLONG nLeft = rcBox.left, nRight = rcBox.right;
    LONGLONG x;
    if (m_nCaptionAlign == ALIGN_CENTER)
        x = (nLeft + nRight) / 2 - szText.cx / 2;
    else if (m_nCaptionAlign == ALIGN_RIGHT)
        x = nRight - szText.cx - 1;
    else
        x = nLeft + 1;
    x = std::max<LONGLONG>(x, nLeft + 1);
    LONGLONG y = ((LONGLONG)rcBox.top + rcBox.bottom) / 2 - szText.cy / 2;
    const int xText = ClampToInt(x);
    const int yText = ClampToInt(y);

    pDC->SetBkMode(TRANSPARENT);
    const UINT nLength = (UINT)strText.GetLength();
    if (m_crOutline != NO_COLOUR)
    {
        static const POINT ptNeighbours[8] = {
            { -1, -1 }, { 0, -1 }, { 1, -1 }, { -1, 0 }, { 1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 1 },
        };
        pDC->SetTextColor(m_crOutline);
        for (const POINT& pt : ptNeighbours)
            pDC->ExtTextOut(xText + pt.x, yText + pt.y, ETO_CLIPPED, &rcBox, strText, nLength, NULL);
    }
    if (m_crShadow != NO_COLOUR)
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
void CWindowSkin::RepaintCaption(CWnd* pWnd, const CWindowSkinState& state, int nState)
{
    CWindowDC dc(pWnd);
    Paint(pWnd, state, &dc, TRUE, nState);
}

void CWindowSkin::OnNcPaint(CWnd* pWnd, const CWindowSkinState& state)
{
    CWindowDC dc(pWnd);
    Paint(pWnd, state, &dc, FALSE, STATE_WORK_OUT);
}

BOOL CWindowSkin::OnNcActivate(CWnd* pWnd, CWindowSkinState& state, BOOL bActive)
{
    state.nActivation = bActive ? STATE_ACTIVE : STATE_INACTIVE;
    RepaintCaption(pWnd, state, bActive ? STATE_ACTIVE : STATE_INACTIVE);
    return FALSE;
}

void CWindowSkin::OnSetText(CWnd* pWnd, const CWindowSkinState& state)
{
    RepaintCaption(pWnd, state, STATE_WORK_OUT);
}

