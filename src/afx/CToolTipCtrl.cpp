#include "CToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::CToolTipCtrl()
{
}

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL, WS_POPUP | TTS_ALWAYSTIP | dwStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, (pParentWnd ? pParentWnd->m_hWnd : NULL), NULL);
}

void CToolTipCtrl::InitToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool)
{
    // The size without the last member is understood by every version of the control.
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = pWnd ? pWnd->m_hWnd : NULL;
    ti.uId = nIDTool;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd)
        return FALSE;
    TOOLINFOW ti;
    InitToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPWSTR)lpszText;
    if (lpRectTool)
        ti.rect = *lpRectTool;
    else
        pWnd->GetClientRect(&ti.rect);
    return (BOOL)::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    InitToolInfo(ti, pWnd, nIDTool);
    ::SendMessageW(m_hWnd, TTM_DELTOOLW, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    InitToolInfo(*pToolInfo, pWnd, nIDTool);
    return (BOOL)::SendMessageW(m_hWnd, TTM_GETTOOLINFOW, 0, (LPARAM)pToolInfo);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    InitToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPWSTR)lpszText;
    ::SendMessageW(m_hWnd, TTM_UPDATETIPTEXTW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOW ti;
    InitToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    ::SendMessageW(m_hWnd, TTM_NEWTOOLRECTW, 0, (LPARAM)&ti);
}

CString CToolTipCtrl::GetText(CWnd* pWnd, UINT_PTR nIDTool) const
{
    // The control copies at most 80 characters unless it is told the buffer's size.
    wchar_t szText[1024] = L"";
    TOOLINFOW ti;
    InitToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = szText;
    ::SendMessageW(m_hWnd, TTM_GETTEXTW, _countof(szText), (LPARAM)&ti);
    return CString(szText);
}
