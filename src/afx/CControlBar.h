// Base of windows docked along a frame or dialog edge: borders, the inside rectangle, painting
// through DoPaint, and command-UI updates when the thread is idle.
#pragma once
#include "CWnd.h"

class CDC;
class CFrameWnd;

// Sent to every window of a thread's top-level window when the thread goes idle; wParam says
// whether items without a handler are disabled.
#define WM_IDLEUPDATECMDUI 0x0363

// Bar styles, kept apart from the window style.
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_ALL 0x0040FFFFL

#define AFX_IDW_TOOLBAR 0xE800

class AFX_API CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    // Removes the bar's edges and borders from rect (the borders turned round for a vertical bar).
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }

    // The window that receives the bar's commands: the one given to SetOwner, else the parent.
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->GetSafeHwnd() : NULL; }
    CWnd* GetOwner() const;

    // Updates the bar's items from pTarget's handlers; a null target means the bar's owner.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    // The command under the point, with the tool's description in pTI; -1 for none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;

    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    DWORD m_dwStyle;
    HWND m_hWndOwner;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Sends WM_IDLEUPDATECMDUI to the window and all its descendants; run when a message loop
// finds its queue empty.
AFX_API void AfxIdleUpdateCmdUI(HWND hWndTop);
