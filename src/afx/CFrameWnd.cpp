#include "CFrameWnd.h"
#include "AfxMsgMap.h"
#include "AfxResource.h"
#include "CControlBar.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = { (LONG)CW_USEDEFAULT, (LONG)CW_USEDEFAULT, 0, 0 };

CFrameWnd::CFrameWnd()
{
}

CFrameWnd::~CFrameWnd()
{
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd)
{
    int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                    (pParentWnd ? pParentWnd->m_hWnd : NULL), NULL);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    // A minimised frame has no client area to lay out; its bars keep their places.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
