// Hit testing a skinned window's frame and the caption buttons' state machine: hover, press,
// release, and the system menu tracked on a press of the system button.
#include "CWindowSkin.h"
#include "../parts/CWindowDpi.h"

namespace
{
// A second press on the system button this soon after its menu opened closes the window.
const DWORD SYSTEM_DOUBLE_PRESS_MS = 300;
}

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
    const CDpiScale scale = ScaleOf(pWnd);

    static const UINT nButtonCodes[] = { HTSYSMENU, HTREDUCE, HTZOOM, HTCLOSE };
    // A button the style leaves out, or greys out, is caption: it never lights up or acts.
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
        if (ButtonWorks(pWnd->m_hWnd, nButton) && GetAnchorRect(rcWindow, nButton, scale).PtInRect(point))
            return nButtonCodes[nButton - ANCHOR_SYSTEM];

    if (bResizable && !pWnd->IsZoomed())
    {
        // The border widths come from the skin file: compare wide.
        const LONGLONG x = point.x, y = point.y;
        const CRect rb = scale.ScaleEdges(m_rcResizeBorder);
        // A grip the size of a caption button in the bottom-right corner; the system measures
        // it at the screen's DPI.
        const int nGrip = CDpiScale::MulDivRound(::GetSystemMetrics(SM_CXSIZE), scale.GetDpi(), CWindowDpi::OfScreen());
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

    const CRect rcFrame = FrameOf(pWnd, scale);
    const CRect rcClient(rcWindow.left + rcFrame.left, rcWindow.top + rcFrame.top, rcWindow.right - rcFrame.right,
                         rcWindow.bottom - rcFrame.bottom);
    if (point.y < rcClient.top)
        return HTCAPTION;
    return rcClient.PtInRect(point) ? HTCLIENT : HTBORDER;
}

void CWindowSkin::OnNcMouseMove(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint)
{
    int nButton = ButtonOfHitTest(nHitTest);
    if (state.nPressedButton && state.nPressedButton != nButton)
    {
        // The press is not captured: a release elsewhere is noticed here.
        if (!(::GetAsyncKeyState(VK_LBUTTON) & 0x8000))
            state.nPressedButton = 0;
        nButton = 0;
    }
    if (nButton != state.nHotButton)
    {
        state.nHotButton = nButton;
        RepaintCaption(pWnd, state, STATE_WORK_OUT);
    }
    if (state.nHotButton)
    {
        // Asked again on every move: the system ends the request once it has reported a leave.
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE | TME_NONCLIENT, pWnd->m_hWnd, 0 };
        ::TrackMouseEvent(&tme);
    }
}

void CWindowSkin::OnNcMouseLeave(CWnd* pWnd, CWindowSkinState& state)
{
    if (!state.nHotButton)
        return;
    state.nHotButton = 0;
    RepaintCaption(pWnd, state, STATE_WORK_OUT);
}

BOOL CWindowSkin::OnNcLButtonDown(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint)
{
    int nButton = ButtonOfHitTest(nHitTest);
    if (!nButton)
        return FALSE;
    state.nHotButton = state.nPressedButton = nButton;
    if (nButton != ANCHOR_SYSTEM)
    {
        RepaintCaption(pWnd, state, STATE_WORK_OUT);
        return TRUE;
    }

    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    CRect rcSystem = GetAnchorRect(rcWindow, ANCHOR_SYSTEM, ScaleOf(pWnd));
    CMenu* pMenu = pWnd->GetSystemMenu(FALSE);
    RepaintCaption(pWnd, state, STATE_WORK_OUT);

    // The window may be destroyed inside the modal menu loop, and a reload inside it deletes
    // this skin: from here on only the window's handle is trusted, and this skin only while the
    // registry has deleted no window skins. The press ends whatever happens.
    const HWND hWnd = pWnd->m_hWnd;
    const unsigned* pGeneration = GetOwnerGeneration();
    const unsigned nGeneration = pGeneration ? *pGeneration : 0;
    const LPARAM lParam = MAKELPARAM(rcSystem.left, rcSystem.bottom);
    DWORD dwOpened = ::GetTickCount();
    UINT nCommand = pMenu ? (UINT)pMenu->TrackPopupMenu(TPM_RETURNCMD, rcSystem.left, rcSystem.bottom, pWnd) : 0;
    // A window destroyed inside the loop took its state with it.
    if (!::IsWindow(hWnd))
        return TRUE;
    if (pGeneration && *pGeneration != nGeneration)
    {
        // The window took the plain frame or a new skin; a chosen command still counts.
        if (nCommand)
            ::PostMessageW(hWnd, WM_SYSCOMMAND, nCommand, lParam);
        return TRUE;
    }
    state.nHotButton = state.nPressedButton = 0;

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
    RepaintCaption(pWnd, state, STATE_WORK_OUT);
    return TRUE;
}

BOOL CWindowSkin::OnNcLButtonUp(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint)
{
    if (!state.nPressedButton)
        return FALSE;
    // Only a release over the pressed button counts, whatever moves were or were not reported
    // between (the system's snap layouts take the Maximise button's moves while they show).
    if (state.nPressedButton == state.nHotButton && ButtonOfHitTest(nHitTest) == state.nPressedButton)
    {
        UINT nCommand = 0;
        if (state.nPressedButton == ANCHOR_MINIMISE)
            nCommand = SC_MINIMIZE;
        else if (state.nPressedButton == ANCHOR_MAXIMISE)
            nCommand = pWnd->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
        else if (state.nPressedButton == ANCHOR_CLOSE)
            nCommand = SC_CLOSE;
        if (nCommand)
            pWnd->PostMessage(WM_SYSCOMMAND, nCommand, 0);
    }
    state.nHotButton = state.nPressedButton = 0;
    RepaintCaption(pWnd, state, STATE_WORK_OUT);
    return FALSE;
}

BOOL CWindowSkin::OnNcLButtonDblClk(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint point)
{
    // The system reports a second press soon after the first as a double click even outside
    // the client area; maximising and restoring at once must not lose it.
    if (nHitTest == HTMAXBUTTON && m_pAnchorPresent[ANCHOR_MAXIMISE])
        return OnNcLButtonDown(pWnd, state, nHitTest, point);
    if (nHitTest != HTSYSMENU)
        return FALSE;
    pWnd->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

int CWindowSkin::HiddenButtons(HWND hWnd)
{
    const LONG_PTR nStyle = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    if (!(nStyle & WS_SYSMENU))
        return (1 << ANCHOR_SYSTEM) | (1 << ANCHOR_MINIMISE) | (1 << ANCHOR_MAXIMISE) | (1 << ANCHOR_CLOSE);
    if (!(nStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        return (1 << ANCHOR_MINIMISE) | (1 << ANCHOR_MAXIMISE);
    return 0;
}

BOOL CWindowSkin::ButtonWorks(HWND hWnd, int nButton) const
{
    if (nButton < ANCHOR_SYSTEM || nButton > ANCHOR_CLOSE || !m_pAnchorPresent[nButton] ||
        (HiddenButtons(hWnd) & (1 << nButton)))
        return FALSE;
    const LONG_PTR nStyle = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    return (nButton != ANCHOR_MINIMISE || (nStyle & WS_MINIMIZEBOX)) && (nButton != ANCHOR_MAXIMISE || (nStyle & WS_MAXIMIZEBOX));
}
