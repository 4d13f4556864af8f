// A top-level window that routes commands to itself, then to the application; the target of
// its control bars' command-UI updates. Its bars dock along its edges whenever it is resized,
// and the child with ID AFX_IDW_PANE_FIRST fills what they leave.
#pragma once
#include "CWnd.h"

class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    virtual ~CFrameWnd();

    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // Lays the bars out again: call it after adding, filling, showing or hiding a bar.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    static const RECT rectDefault;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
