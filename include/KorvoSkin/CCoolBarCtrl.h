// A skinned toolbar: a row or column of bitmap buttons with normal, hover and pressed images,
// white being transparent. Clicks post WM_COMMAND to the bar's owner; the owner's command-UI
// handlers enable, check and retitle the buttons; child controls may sit on the bar.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <memory>
#include <vector>

class CCoolBarCtrl;
class CCoolBarImage;
class CCoolBarImageTable;

// One button of a bar, also the command-UI state handed to the owner's update handlers.
class KORVOSKIN_API CCoolBarItem : public CCmdUI
{
public:
    CCoolBarItem(CCoolBarCtrl* pBar, int nSize, UINT nID, LPCWSTR lpszName);
    // A copy of pSrc for pBar, with its images looked up again in the current skin.
    CCoolBarItem(CCoolBarCtrl* pBar, const CCoolBarItem* pSrc);
    virtual ~CCoolBarItem();

    // A disabled button is drawn faded and posts no command.
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(LPCWSTR lpszText);
    virtual void Show(BOOL bShow);

    // Takes copies of the skin's watermarks named m_strName, + ".HOVER" and + ".SELECT" as the
    // button's images, shared with the bar's other buttons that name the same image file; a
    // missing one, or one past the bar's bound of pixels, leaves that state showing the
    // background.
    void LoadSkinImages();

    enum { IMAGE_NORMAL, IMAGE_HOVER, IMAGE_SELECT, IMAGE_COUNT };
    HBITMAP GetImage(int nState) const { return m_hImages[nState]; }
    CSize GetImageSize(int nState) const { return m_sizeImages[nState]; }
    // Draws the image of a state with white transparent: its top-left cx x cy pixels at (x, y).
    void DrawImage(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const;

    BOOL m_bVisible;
    BOOL m_bChecked;
    CString m_strTip;
    CCoolBarCtrl* m_pBar;
    int m_nSize;
    CString m_strName;
    BOOL m_bEnabled;

private:
    // The item holds copies of the skin's images, so a later skin load cannot pull them away;
    // the bitmap and size of each are kept beside it for the inline getters.
    std::shared_ptr<const CCoolBarImage> m_pImages[IMAGE_COUNT];
    HBITMAP m_hImages[IMAGE_COUNT];
    CSize m_sizeImages[IMAGE_COUNT];
};

// Buttons with this command take 20 pixels and are never painted: a gap.
const UINT ID_COOLBAR_GAP = 3038;

class KORVOSKIN_API CCoolBarCtrl : public CControlBar
{
public:
    CCoolBarCtrl();
    virtual ~CCoolBarCtrl();

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

    virtual void InitToolTip();
    virtual void SetToolTip(CCoolBarItem* pItem);
    virtual void PrepareRect(CRect* pRect) const;
    // Draws the visible buttons into pDC, laid out from rc.
    virtual void DoPaint(CDC* pDC, CRect& rc, BOOL bTransparent);

    CToolTipCtrl m_wndTip;

protected:
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
