#include "CFrameShadow.h"
#include "CWindowSkin.h"
#include "../parts/CDwmAttributes.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CWorkArea.h"
#include "../parts/ModuleWindowClass.h"

const wchar_t CFrameShadow::WINDOW_CLASS[] = L"KorvoSkin.FrameShadow";
thread_local CFrameShadow::CSpare CFrameShadow::t_spare;

CFrameShadow::CFrameShadow()
    : m_hFrame(NULL), m_pSkin(NULL), m_bSystem(FALSE), m_bActive(TRUE), m_bHeld(FALSE), m_nRestackTicks(0), m_bSettled(FALSE)
{
}

bool CFrameShadow::CLook::From(const CWindowSkin* pFrom) const
{
    return pFrom && pSkin == pFrom && pGeneration == pFrom->GetOwnerGeneration() && pGeneration
           && nGeneration == *pGeneration;
}

void CFrameShadow::Release()
{
    Apply(m_hFrame, NULL);
    const CLook look = m_look;
    const HWND hWindow = LetGo();
    if (!hWindow)
        return;
    ::SetWindowLongPtrW(hWindow, GWLP_USERDATA, 0);
    if (t_spare.hWnd || !::IsWindow(hWindow))
        ::DestroyWindow(hWindow);
    else
        t_spare = CSpare{ hWindow, look };
}

HWND CFrameShadow::LetGo()
{
    m_bSettled = FALSE;
    m_look = CLook();
    return m_window.release();
}

void CFrameShadow::DestroySpare()
{
    const HWND hSpare = t_spare.hWnd;
    t_spare = CSpare();
    if (hSpare)
        ::DestroyWindow(hSpare);
}

void CFrameShadow::Apply(HWND hFrame, const CWindowSkin* pSkin)
{
    m_hFrame = hFrame;
    const BOOL bWanted = pSkin && pSkin->m_pShadow;
    // The system shadows a frame it composes, which a region takes out of its hands.
    const BOOL bSystem = bWanted && !pSkin->m_bShaped && ::IsWindow(hFrame) && CDwmAttributes::IsCompositionEnabled();
    if (bSystem && !m_bSystem)
        m_bSystem = CDwmAttributes::ExtendFrame(hFrame, 1);
    else if (!bSystem && m_bSystem)
    {
        if (::IsWindow(hFrame))
            CDwmAttributes::ExtendFrame(hFrame, 0);
        m_bSystem = FALSE;
    }

    m_pSkin = bWanted && !m_bSystem ? pSkin : NULL;
    if (!m_pSkin)
    {
        Hide();
        return;
    }
    m_bActive = ::GetActiveWindow() == hFrame;
    Follow();
}

void CFrameShadow::SetActive(BOOL bActive)
{
    if (bActive == m_bActive)
        return;
    m_bActive = bActive;
    // Only a skin with an inactive look has anything to redraw.
    if (m_pSkin && m_pSkin->m_pShadowInactive)
        Follow();
}

void CFrameShadow::Hold(BOOL bHold)
{
    m_bHeld = bHold;
    if (!bHold)
        Follow();
}

void CFrameShadow::Follow(UINT nPosFlags)
{
    if (!m_pSkin || m_bHeld)
        return;
    const HWND hFrame = m_hFrame;
    if (!::IsWindowVisible(hFrame) || ::IsIconic(hFrame) || ::IsZoomed(hFrame))
    {
        Hide();
        // Made before the frame first shows, the popup goes under it when the frame is raised
        // for its showing.
        if (!::IsWindowVisible(hFrame))
            Window();
        return;
    }
    // Shown on top, the frame was raised over every window there was.
    if ((nPosFlags & SWP_SHOWWINDOW) && m_window && FrameIsUppermost())
        m_bSettled = TRUE;
    CRect rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    const CDpiScale scale(CWindowDpi::Of(hFrame));
    CRect rcReach = rcFrame;
    const CRect rcGrid = scale.ScaleEdges(m_pSkin->m_rcShadowGrid);
    rcReach.InflateRect(rcGrid.left, rcGrid.top, rcGrid.right, rcGrid.bottom);
    rcReach.OffsetRect(scale.Scale(m_pSkin->m_ptShadowOffset));

    // A frame edge on its work area's edge was put there (snapped, or docked): nothing shows
    // past it.
    const CRect rcWork = CWorkArea::WorkArea(::MonitorFromWindow(hFrame, MONITOR_DEFAULTTONEAREST));
    CRect rcShadow = rcReach;
    if (rcFrame.left == rcWork.left)
        rcShadow.left = std::max(rcShadow.left, rcFrame.left);
    if (rcFrame.top == rcWork.top)
        rcShadow.top = std::max(rcShadow.top, rcFrame.top);
    if (rcFrame.right == rcWork.right)
        rcShadow.right = std::min(rcShadow.right, rcFrame.right);
    if (rcFrame.bottom == rcWork.bottom)
        rcShadow.bottom = std::min(rcShadow.bottom, rcFrame.bottom);
    if (rcShadow.IsRectEmpty())
    {
        Hide();
        return;
    }

    CLook look;
    look.pSkin = m_pSkin;
    look.pGeneration = m_pSkin->GetOwnerGeneration();
    look.nGeneration = look.pGeneration ? *look.pGeneration : 0;
    look.pImage = !m_bActive && m_pSkin->m_pShadowInactive ? m_pSkin->m_pShadowInactive : m_pSkin->m_pShadow;
    look.size = rcShadow.Size();
    look.rcGrid = rcReach - rcShadow.TopLeft();
    look.nDpi = scale.GetDpi();

    // A popup whose place in the stack is not known would show above whatever covers the frame.
    if (!m_bSettled && !FrameIsUppermost())
    {
        Hide();
        return;
    }
    const HWND hShadow = Window();
    if (!hShadow)
        return;
    const UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (look == m_look)
    {
        // Most moves leave the shadow where it was in the z-order and shown: a plain move is
        // cheaper than one that also restacks.
        const BOOL bInPlace = ::GetWindow(hFrame, GW_HWNDNEXT) == hShadow && ::IsWindowVisible(hShadow);
        CRect rcNow;
        ::GetWindowRect(hShadow, &rcNow);
        if (bInPlace && rcNow.TopLeft() == rcShadow.TopLeft())
            return;
        if (bInPlace)
            ::SetWindowPos(hShadow, NULL, rcShadow.left, rcShadow.top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
        else
            ::SetWindowPos(hShadow, hFrame, rcShadow.left, rcShadow.top, 0, 0, nFlags | SWP_NOSIZE);
        return;
    }
    CPicture picture;
    POINT ptDest = rcShadow.TopLeft();
    SIZE size = look.size;
    POINT ptSource = { 0, 0 };
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    if (!Compose(look, picture)
        || !::UpdateLayeredWindow(hShadow, NULL, &ptDest, &size, picture.dc.m_hDC, &ptSource, 0, &blend, ULW_ALPHA))
    {
        Hide();
        return;
    }
    m_look = look;
    if (m_bSettled)
        ::SetWindowPos(hShadow, hFrame, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE);
    else
    {
        // Shown on top, then covered by the frame raised over it: the one order every window
        // manager carries out. The frame was uppermost already, so nothing else changes place.
        m_bSettled = TRUE;
        ::SetWindowPos(hShadow, HWND_TOP, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE);
        ::SetWindowPos(hFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    // Wine also moves a popup whose picture it was just given to the top of the windows' own
    // order in its own time, without a message (the screen keeps the right order): for a few
    // ticks after, the shadow goes back below whenever it finds itself elsewhere.
    m_nRestackTicks = RESTACK_TICKS;
    ::SetTimer(hShadow, RESTACK_TIMER, USER_TIMER_MINIMUM, NULL);
}

BOOL CFrameShadow::FrameIsUppermost() const
{
    const BOOL bTopmost = (::GetWindowLongW(m_hFrame, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    for (HWND hAbove = ::GetWindow(m_hFrame, GW_HWNDPREV); hAbove; hAbove = ::GetWindow(hAbove, GW_HWNDPREV))
        if (hAbove != m_window.get() && ::IsWindowVisible(hAbove)
            && (bTopmost || !(::GetWindowLongW(hAbove, GWL_EXSTYLE) & WS_EX_TOPMOST)))
            return FALSE;
    return TRUE;
}

HWND CFrameShadow::Window()
{
    if (m_window)
        return m_window.get();
    const HWND hOwner = ::GetWindow(m_hFrame, GW_OWNER);
    if (t_spare.hWnd)
    {
        m_window.reset(t_spare.hWnd);
        m_look = t_spare.look;
        t_spare = CSpare();
        if (::GetWindow(m_window.get(), GW_OWNER) != hOwner)
            ::SetWindowLongPtrW(m_window.get(), GWLP_HWNDPARENT, (LONG_PTR)hOwner);
    }
    else
    {
        m_window.reset(::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                         WINDOW_CLASS, L"", WS_POPUP, 0, 0, 0, 0, hOwner, NULL,
                                         RegisterModuleWindowClass(WINDOW_CLASS, WindowProc), NULL));
        // A first picture, of one transparent pixel: the window manager makes the window anew
        // for it now, not later above the frame.
        CPicture nothing;
        void* pBits = NULL;
        if (m_window && nothing.dc.CreateCompatibleDC(NULL)
            && nothing.bitmap.Attach(CSkinImage::CreateTopDownDib(1, 1, &pBits)))
        {
            nothing.hOldBitmap = ::SelectObject(nothing.dc.m_hDC, nothing.bitmap.m_hObject);
            SIZE size = { 1, 1 };
            POINT ptSource = { 0, 0 };
            BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
            ::UpdateLayeredWindow(m_window.get(), NULL, NULL, &size, nothing.dc.m_hDC, &ptSource, 0, &blend, ULW_ALPHA);
        }
    }
    if (m_window)
        ::SetWindowLongPtrW(m_window.get(), GWLP_USERDATA, (LONG_PTR)this);
    return m_window.get();
}

void CFrameShadow::Hide()
{
    // Hidden where it lies: a plain SW_HIDE raises a top-level window first (in Wine, above the
    // frame for good).
    if (m_window && ::IsWindowVisible(m_window.get()))
        ::SetWindowPos(m_window.get(), NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

CFrameShadow::CPicture::~CPicture()
{
    if (hOldBitmap)
        ::SelectObject(dc.m_hDC, hOldBitmap);
}

BOOL CFrameShadow::Compose(const CLook& look, CPicture& picture) const
{
    void* pBits = NULL;
    if (!m_pSkin || !look.pImage || !picture.dc.CreateCompatibleDC(NULL)
        || !picture.bitmap.Attach(CSkinImage::CreateTopDownDib(look.size.cx, look.size.cy, &pBits)))
        return FALSE;
    picture.hOldBitmap = ::SelectObject(picture.dc.m_hDC, picture.bitmap.m_hObject);
    // The image's premultiplied pixels are blended over transparent ones, which they become.
    look.pImage->DrawGrid(picture.dc.m_hDC, look.rcGrid, CRect(CPoint(0, 0), look.pImage->GetSize()), m_pSkin->m_rcShadowGrid,
                          CSkinImage::FILL_STRETCH, CDpiScale(look.nDpi));
    ::GdiFlush();
    return TRUE;
}

void CFrameShadow::Print(HDC hDC) const
{
    CPicture picture;
    if (!m_window || !::IsWindowVisible(m_window.get()) || !m_look.From(m_pSkin) || !Compose(m_look, picture))
        return;
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    ::AlphaBlend(hDC, 0, 0, m_look.size.cx, m_look.size.cy, picture.dc.m_hDC, 0, 0, m_look.size.cx, m_look.size.cy, blend);
}

LRESULT CALLBACK CFrameShadow::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (CFrameShadow* pThis = (CFrameShadow*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA))
        {
            if (wParam != RESTACK_TIMER || --pThis->m_nRestackTicks <= 0)
                ::KillTimer(hWnd, wParam);
            if (::IsWindowVisible(hWnd) && ::GetWindow(pThis->m_hFrame, GW_HWNDNEXT) != hWnd)
                ::SetWindowPos(hWnd, pThis->m_hFrame, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
        else
            ::KillTimer(hWnd, wParam);
        return 0;
    case WM_SETREDRAW:
        // Turning redraw off takes a window's visible style away behind its back: whoever pauses
        // every window of the thread leaves the shadow as it is.
        return 0;
    case WM_NCDESTROY:
        // Gone with its owner before the frame let it go.
        if (CFrameShadow* pThis = (CFrameShadow*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA))
            pThis->LetGo();
        if (hWnd == t_spare.hWnd)
            t_spare = CSpare();
        break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        // What the window shows, over what the caller's DC holds.
        if (const CFrameShadow* pThis = (const CFrameShadow*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA))
            pThis->Print((HDC)wParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
