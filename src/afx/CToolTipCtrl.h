// The common controls' tooltip window.
#pragma once
#include "CWnd.h"

class AFX_API CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();
    virtual ~CToolTipCtrl();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate) { ::SendMessageW(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    // A tool over lpRectTool of pWnd (its whole client area when null), identified by nIDTool.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL GetToolInfo(TOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    CString GetText(CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const { return (int)::SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessageW(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    void SetTipTextColor(COLORREF cr) { ::SendMessageW(m_hWnd, TTM_SETTIPTEXTCOLOR, cr, 0); }
    void SetTipBkColor(COLORREF cr) { ::SendMessageW(m_hWnd, TTM_SETTIPBKCOLOR, cr, 0); }
    COLORREF GetTipTextColor() const { return (COLORREF)::SendMessageW(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0); }
    COLORREF GetTipBkColor() const { return (COLORREF)::SendMessageW(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0); }
    void RelayEvent(MSG* pMsg) { ::SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)pMsg); }

private:
    static void InitToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
