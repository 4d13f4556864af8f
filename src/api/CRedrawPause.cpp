#include "CRedrawPause.h"

CRedrawPause::CRedrawPause(const std::vector<HWND>& windows)
{
    for (HWND hWnd : windows)
        if (::IsWindowVisible(hWnd))
        {
            ::SendMessageW(hWnd, WM_SETREDRAW, FALSE, 0);
            m_paused.push_back(hWnd);
        }
}

CRedrawPause::~CRedrawPause()
{
    // The change may have destroyed a window.
    for (HWND hWnd : m_paused)
        if (::IsWindow(hWnd))
        {
            ::SendMessageW(hWnd, WM_SETREDRAW, TRUE, 0);
            ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
}
