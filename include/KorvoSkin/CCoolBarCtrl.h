// A skinned toolbar: a row or column of bitmap buttons with normal, hover and pressed images,
// white being transparent. Clicks post WM_COMMAND to the bar's owner; the owner's command-UI
// handlers enable, check and retitle the buttons; child controls may sit on the bar.
#pragma once
#include <KorvoSkin/CCoolBarItem.h>
#include <memory>
#include <vector>

class CCoolBarImageTable;

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

    int GetCount() const { return (int)m_items.size(); }
    CCoolBarItem* GetIndex(int n) const;
    CCoolBarItem* GetID(UINT nID) const;
    int GetIndexForID(UINT nID) const;

    void SetAlignVert(bool bVertical);
    bool GetAlignVert() const { return m_bVertical; }
    void SetEraseBg(HBITMAP hBitmap);
    void OnUpdated();
    // Shows the last button with this command pressed.
    void SetCheck(UINT nID);
    CCoolBarItem* GetPressed() const { return m_pPressed; }
    CCoolBarItem* GetHot() const { return m_pHot; }
    // Called by an item whose state, visibility or tooltip changed.
    void OnItemChanged(CCoolBarItem* pItem);

    // Geometry: the button under a point (null for none or a separator), a button's rectangle.
    CCoolBarItem* HitTest(const CPoint& pt, CRect* pRect = NULL, int = 0) const;
    BOOL GetItemRect(CCoolBarItem* pItem, CRect* pRect) const;

    // Drops pMenu down under the first button with command nID and tracks it; returns the
    // command chosen with bReturnCmd, else what the menu returned.
    UINT ThrowMenu(UINT nID, CMenu* pMenu, CWnd* pOwner = NULL, BOOL bReturnCmd = FALSE, BOOL = FALSE);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoPaint(CDC* pDC);
    // Docking: the bar is as long as its visible buttons and as broad as its broadest button,
    // plus its style's edges, so a host never measures it; stretched, it fills its edge. The
    // parent lays its bars out with RepositionBars (a frame does so when it is resized); after
    // refilling, showing or hiding a bar, lay them out again.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    virtual void InitToolTip();
    virtual void SetToolTip(CCoolBarItem* pItem);
    virtual void PrepareRect(CRect* pRect) const;
    // Draws the visible buttons into pDC, laid out from rc.
    virtual void DoPaint(CDC* pDC, CRect& rc, BOOL bTransparent);

    CToolTipCtrl m_wndTip;

protected:
    // The hover timer: while it runs, each tick checks whether the cursor has left the bar.
    enum { TIMER_HOVER = 1, HOVER_INTERVAL = 100 };
    // How broad a button is across the bar: its broadest image, or its size when it has no
    // image (a square); separators and gaps have no breadth.
    virtual int GetItemBreadth(const CCoolBarItem* pItem) const;
    // Takes the bar style's edges off rc, leaving the buttons' room.
    void DeflateToButtons(CRect& rc) const;
    // Repaints one button (or nothing for null); the rest of the bar is left alone.
    void InvalidateItem(CCoolBarItem* pItem);
    // Paints one button from its image for the state into pDC.
    virtual void DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot);
    BOOL HasItem(const CCoolBarItem* pItem) const;
    // The hover check of the timer: clears the hot button once the cursor has left the bar.
    void CheckHover();

    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    std::vector<std::unique_ptr<CCoolBarItem>> m_items;
    HBITMAP m_hbmErase;
    CCoolBarItem* m_pPressed;
    CCoolBarItem* m_pHot;
    BOOL m_bHoverTimer;
    // Whether the tooltip was last switched on: switching it costs a round trip to the window
    // system, so it is only done when the state changes.
    BOOL m_bTipActive;
    CBrush m_brBack;
    COLORREF m_crBack;
    bool m_bVertical;
    // The button whose text the tooltip holds.
    CCoolBarItem* m_pTipItem;
    // The memory bitmap the bar is composed in, kept at the client size and selected into a DC
    // kept with it (m_hOldBuffer is what the DC held before; null while no bitmap is in it), and the DC the buttons' images are drawn from: making a DC costs as much as
    // drawing a few buttons, and a hover change draws two.
    CBitmap m_bmBuffer;
    CSize m_sizeBuffer;
    CDC m_dcBuffer;
    HGDIOBJ m_hOldBuffer;
    CDC m_dcImage;

private:
    friend class CCoolBarItem;
    // The copies of skin images the buttons hold, shared among them.
    std::unique_ptr<CCoolBarImageTable> m_pImageTable;
};
