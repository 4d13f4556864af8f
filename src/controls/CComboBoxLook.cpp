#include "CComboBoxLook.h"
#include "ControlTheme.h"

// The module this code is linked into holds the library's resources, the arrow among them.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace
{
const UINT HOVER_POLL_MS = 10;
const UINT IDB_COMBO_ARROW = 101;
const int ARROW_SIZE = 9;
}

CComboBoxLook::CComboBoxLook()
    : m_hover(CHoverTracker::timerPoll, CHoverTracker::DEFAULT_TIMER_ID, HOVER_POLL_MS), m_bPressed(false)
{
    // The arrow is the library's own bitmap, whatever resources the host has.
    m_imlArrow.Attach(::ImageList_LoadImageW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(IDB_COMBO_ARROW),
                                             ARROW_SIZE, 1, RGB(255, 0, 255), IMAGE_BITMAP, 0));
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
    COLORREF crMidtone = theme.m_crMidtone;
    COLORREF crBorder = theme.m_crBorder;
    pDC->Draw3dRect(CRect(0, 0, W, H), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(1, 1, W - 1, H - 1), crBorder, crBorder);
    pDC->Draw3dRect(CRect(W - 2 - A, 2, W - 2, H - 2), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(W - 1 - A, 3, W - 3, H - 3), crBorder, crBorder);
    COLORREF crFill = show == showHover ? theme.m_crBackSel : show == showPressed ? theme.m_crBackCheckSel : crMidtone;
    CBrush brFill(crFill);
    CRect rcButton(W - 2 - A, 1, W - 2, H - 1);
    pDC->FillRect(&rcButton, &brFill);
    pDC->Draw3dRect(CRect(W - 2 - A, 1, W - 1, H - 1), crBorder, crBorder);
    ::ImageList_Draw(m_imlArrow.m_hImageList, 0, pDC->m_hDC, W + 1 - A, 1 + (H - 11) / 2, ILD_TRANSPARENT);
}

void CComboBoxLook::DrawArrow(CDC* pDC, const CRect& rect, int nArrowWidth) const
{
    ::ImageList_Draw(m_imlArrow.m_hImageList, 0, pDC->GetSafeHdc(), rect.right - nArrowWidth + 2,
                     rect.top + (rect.Height() - ARROW_SIZE) / 2, ILD_TRANSPARENT);
}

void CComboBoxLook::DrawNow(CWnd* pCombo, Show show, int nArrowWidth) const
{
    CClientDC dc(pCombo);
    Draw(pCombo, &dc, show, nArrowWidth);
}
