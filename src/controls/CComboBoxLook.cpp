#include "CComboBoxLook.h"
#include "ControlTheme.h"
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CWindowDpi.h"

// The module this code is linked into holds the library's resources, the arrow among them.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace
{
const UINT HOVER_POLL_MS = 10;
const UINT IDB_COMBO_ARROW = 101;
const int ARROW_SIZE = 9;
const COLORREF ARROW_KEY = RGB(255, 0, 255);
}

CComboBoxLook::CComboBoxLook()
    : m_hover(CHoverTracker::timerPoll, CHoverTracker::DEFAULT_TIMER_ID, HOVER_POLL_MS), m_bPressed(false),
      // The combo's first width comes from the system's metrics, which are for the screen's DPI.
      m_nArrowDpi(CWindowDpi::OfScreen())
{
    // The arrow is the library's own bitmap, whatever resources the host has.
    m_imlArrow.Attach(::ImageList_LoadImageW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(IDB_COMBO_ARROW),
                                             ARROW_SIZE, 1, ARROW_KEY, IMAGE_BITMAP, 0));
}

CComboBoxLook::~CComboBoxLook()
{
    m_imlArrow.DeleteImageList();
}

void CComboBoxLook::Draw(CWnd* pCombo, CDC* pDC, Show show, int nArrowWidth) const
{
    if (!pDC->GetSafeHdc())
        return;
    const CInterfaceTheme& theme = ControlTheme::Theme();
    CRect rc;
    pCombo->GetClientRect(&rc);
    int W = rc.Width(), H = rc.Height(), A = nArrowWidth;
    COLORREF crMidtone = theme.Colour(SkinColour::Midtone);
    COLORREF crBorder = theme.Colour(SkinColour::Border);
    pDC->Draw3dRect(CRect(0, 0, W, H), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(1, 1, W - 1, H - 1), crBorder, crBorder);
    pDC->Draw3dRect(CRect(W - 2 - A, 2, W - 2, H - 2), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(W - 1 - A, 3, W - 3, H - 3), crBorder, crBorder);
    COLORREF crFill = show == showHover ? theme.Colour(SkinColour::BackSel) : show == showPressed ? theme.Colour(SkinColour::BackCheckSel) : crMidtone;
    CBrush brFill(crFill);
    CRect rcButton(W - 2 - A, 1, W - 2, H - 1);
    pDC->FillRect(&rcButton, &brFill);
    pDC->Draw3dRect(CRect(W - 2 - A, 1, W - 1, H - 1), crBorder, crBorder);
    const CDpiScale scale(CWindowDpi::Of(pCombo->m_hWnd));
    DrawArrowImage(pCombo, pDC, W - 2 - A + scale.Scale(3), 1 + (H - scale.Scale(11)) / 2);
}

void CComboBoxLook::DrawArrow(CWnd* pCombo, CDC* pDC, const CRect& rect, int nArrowWidth) const
{
    if (!pDC->GetSafeHdc())
        return;
    const CDpiScale scale(CWindowDpi::Of(pCombo->m_hWnd));
    DrawArrowImage(pCombo, pDC, rect.right - nArrowWidth + scale.Scale(2),
                   rect.top + (rect.Height() - scale.Scale(ARROW_SIZE)) / 2);
}

void CComboBoxLook::DrawArrowImage(CWnd* pCombo, CDC* pDC, int x, int y) const
{
    const CDpiScale scale(CWindowDpi::Of(pCombo->m_hWnd));
    if (scale.IsBase())
    {
        ::ImageList_Draw(m_imlArrow.m_hImageList, 0, pDC->m_hDC, x, y, ILD_TRANSPARENT);
        return;
    }
    int cx = 0, cy = 0;
    if (!::ImageList_GetIconSize(m_imlArrow.m_hImageList, &cx, &cy))
        return;
    // Drawn at its own size over the key colour, then stretched pixel for pixel (no blending,
    // so the arrow's edges stay sharp) with the key left out.
    CDC dcImage;
    CBitmap bmImage;
    if (!dcImage.CreateCompatibleDC(pDC) || !bmImage.CreateCompatibleBitmap(pDC, cx, cy))
        return;
    CGdiSelect select(&dcImage, bmImage);
    dcImage.FillSolidRect(0, 0, cx, cy, ARROW_KEY);
    ::ImageList_Draw(m_imlArrow.m_hImageList, 0, dcImage.m_hDC, 0, 0, ILD_TRANSPARENT);
    ::TransparentBlt(pDC->m_hDC, x, y, scale.Scale(cx), scale.Scale(cy), dcImage.m_hDC, 0, 0, cx, cy, ARROW_KEY);
}

int CComboBoxLook::FitArrowWidth(HWND hCombo, int nCurrent)
{
    const UINT nDpi = CWindowDpi::Of(hCombo);
    const int nFitted = m_arrow.Fit(nCurrent, m_nArrowDpi, nDpi);
    m_arrow.Took(nFitted);
    m_nArrowDpi = nDpi;
    return nFitted;
}

void CComboBoxLook::DrawNow(CWnd* pCombo, Show show, int nArrowWidth) const
{
    CClientDC dc(pCombo);
    Draw(pCombo, &dc, show, nArrowWidth);
}
