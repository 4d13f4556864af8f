#include "CControlDpi.h"
#include "../parts/CDpiScale.h"
#include "../parts/CWindowDpi.h"

CControlDpi::CControlDpi() : m_nDpi(CWindowDpi::OfScreen())
{
}

bool CControlDpi::Moved(CWnd* pWnd)
{
    if (!pWnd->m_hWnd)
        return false;
    const UINT nDpi = CWindowDpi::Of(pWnd->m_hWnd);
    if (nDpi == m_nDpi)
        return false;
    m_nDpi = nDpi;
    return true;
}

void CControlDpi::Repaint(CWnd* pWnd)
{
    // The frame too: some controls draw their look over their non-client border.
    ::RedrawWindow(pWnd->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

UINT CControlDpi::FontScaleDpi(HWND hWnd)
{
    return CDpiScale::Bound(
        (UINT)CDpiScale::MulDivRound(CWindowDpi::Of(hWnd), CDpiScale::BASE_DPI, CWindowDpi::OfScreen()));
}
