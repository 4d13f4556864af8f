#include "CDpiWindowSize.h"
#include "../parts/CWindowDpi.h"

void CDpiWindowSize::OnSized(HWND hWnd)
{
    if (m_bChanging || !::IsWindow(hWnd) || ::IsIconic(hWnd) || ::IsZoomed(hWnd))
        return;
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    m_size = rc.Size();
    m_nDpi = CWindowDpi::Of(hWnd);
}
