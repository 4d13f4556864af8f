#include <KorvoSkin/CResizableGrip.h>
#include "CResizableGripState.h"

CResizableGrip::CResizableGrip() : m_pGrip(std::make_unique<CResizableGripState>())
{
}

CResizableGrip::~CResizableGrip()
{
}

BOOL CResizableGrip::CreateGripWindow(BOOL bVisible, BOOL bTriangular, BOOL bTransparent)
{
    if (!m_pGrip->m_wndGrip.Create(GetResizableWnd()))
        return FALSE;
    m_pGrip->m_wndGrip.EnableTriangle(bTriangular);
    m_pGrip->m_wndGrip.EnableSeeThrough(bTransparent);
    m_pGrip->m_nGripVisibility = bVisible ? 1 : 0;
    PositionGrip();
    return TRUE;
}

void CResizableGrip::PositionGrip()
{
    if (!m_pGrip->m_wndGrip.m_hWnd)
        return;
    CRect rectClient;
    GetResizableWnd()->GetClientRect(&rectClient);
    const CSize& szGrip = m_pGrip->m_wndGrip.GetGripSize();
    UINT nFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER
        | (m_pGrip->m_nGripVisibility >= 1 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    ::SetWindowPos(m_pGrip->m_wndGrip.m_hWnd, HWND_BOTTOM, rectClient.right - szGrip.cx, rectClient.bottom - szGrip.cy, 0, 0,
                   nFlags);
}

void CResizableGrip::RequestGripShown(DWORD* pStatus, DWORD dwMask)
{
    if (!(*pStatus & dwMask))
    {
        m_pGrip->m_nGripVisibility++;
        *pStatus |= dwMask;
    }
}

void CResizableGrip::RequestGripHidden(DWORD* pStatus, DWORD dwMask)
{
    if (*pStatus & dwMask)
    {
        m_pGrip->m_nGripVisibility--;
        *pStatus &= ~dwMask;
    }
}
