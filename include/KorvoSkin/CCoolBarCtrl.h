// A skinned toolbar: a row or column of bitmap buttons with normal, hover and pressed images,
// white being transparent. Clicks post WM_COMMAND to the bar's owner; the owner's command-UI
// handlers enable, check and retitle the buttons; child controls may sit on the bar.
#pragma once
#include <KorvoSkin/CCoolBarItem.h>
#include <memory>

class CCoolBarState;

class KORVOSKIN_API CCoolBarCtrl : public CControlBar
{
public:
    CCoolBarCtrl();
    virtual ~CCoolBarCtrl();

    // The bar docks along its parent's top edge unless dwStyle names another CBRS_ALIGN_ edge;
    // along a side it stacks its buttons (see CalcFixedLayout).
    virtual BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);

    // Content. Add inserts before position nIndex, or appends when nIndex is not a position.
    CCoolBarItem* Add(UINT nID, LPCWSTR lpszName, int nSize, LPCWSTR lpszTip = NULL, int nIndex = -1);
    // One button of size 16 per button of the toolbar resource (command 0 for separators).
    BOOL LoadToolBar(UINT nIDResource);
    // Takes pSrc's buttons (their images looked up in the current skin) and alignment.
    void Copy(CCoolBarCtrl* pSrc);
    void Clear();

    int GetCount() const;
    CCoolBarItem* GetIndex(int n) const;
    CCoolBarItem* GetID(UINT nID) const;
    int GetIndexForID(UINT nID) const;

    void SetAlignVert(bool bVertical);
    bool GetAlignVert() const;
    void SetEraseBg(HBITMAP hBitmap);
    void OnUpdated();
    // Shows the last button with this command pressed.
    void SetCheck(UINT nID);
    CCoolBarItem* GetPressed() const;
    CCoolBarItem* GetHot() const;

    // Geometry: the button under a point (null for none or a separator), a button's rectangle.
    CCoolBarItem* HitTest(const CPoint& pt, CRect* pRect = NULL, int = 0) const;
    BOOL GetItemRect(CCoolBarItem* pItem, CRect* pRect) const;

    // Drops pMenu down under the first button with command nID and tracks it; returns the
    // command chosen with bReturnCmd, else what the menu returned.
    UINT ThrowMenu(UINT nID, CMenu* pMenu, CWnd* pOwner = NULL, BOOL bReturnCmd = FALSE, BOOL = FALSE);

    // Overridables
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoPaint(CDC* pDC);
    // Docking: the bar is as long as its visible buttons and as broad as its broadest button,
    // plus its style's edges, all scaled for its window's DPI, so a host never measures it;
    // stretched, it fills its edge. The
    // parent lays its bars out with RepositionBars (a frame does so when it is resized); after
    // refilling, showing or hiding a bar, lay them out again.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The tooltip is made with the window; SetToolTip gives it pItem's text.
    virtual void InitToolTip();
    virtual void SetToolTip(CCoolBarItem* pItem);
    // The room the buttons are laid out in, in client coordinates.
    virtual void PrepareRect(CRect* pRect) const;
    // Draws the visible buttons into pDC, laid out from rc.
    virtual void DoPaint(CDC* pDC, CRect& rc, BOOL bTransparent);

    // Host-facing data: the buttons' tooltip control, made with the bar's window (InitToolTip);
    // a host or derived bar may set its delays and width.
    CToolTipCtrl m_wndTip;

protected:
    // Overridables
    // How broad a button is across the bar at 96 DPI (the bar scales it as it does the
    // buttons' sizes): its broadest image, or its size when it has no image (a square);
    // separators and gaps have no breadth.
    virtual int GetItemBreadth(const CCoolBarItem* pItem) const;
    // Paints one button from its image for the state into pDC.
    virtual void DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot);

    // Message handlers a derived class may chain to
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // The window's DPI changed: the bar measures its buttons again and its parent docks it anew.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    // Assistive technology's questions: a toolbar (a menu bar) whose buttons are its children.
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CCoolBarState;
    std::unique_ptr<CCoolBarState> m_pState;
};
