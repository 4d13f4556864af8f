// Base of windows docked along a frame or dialog edge: borders, the inside rectangle, painting
// through DoPaint, and command-UI updates when the thread is idle.
#pragma once
#include "CWnd.h"
#include "CBarLayout.h"

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
// The edge a bar docks to in a layout pass (CBarLayout.h); a bar without one is placed by hand.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_ALL 0x0040FFFFL

// Control IDs: bars take theirs from the first range, so that a layout pass over it finds them
// all; the window that fills the rest of a frame takes the first pane ID.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

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
    // The size the bar needs, laid along the top or bottom edge (bHorz) or a side: its content
    // and its edges and borders. Stretched, it is as long as the edge allows (32767 along it).
    // This bar has no content of its own.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
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
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Sends WM_IDLEUPDATECMDUI to the window and all its descendants; run when a message loop
// finds its queue empty.
AFX_API void AfxIdleUpdateCmdUI(HWND hWndTop);
