// A menu bar made of a skinned toolbar: the button with command n opens the popup at position
// n - 1 of the bar's menu. Hovering, clicks, the Left and Right arrows, Escape and mnemonic
// characters move between the popups as in a menu bar. The popups are tracked with the bar as
// their owner; it passes their menu messages on to its own owner, whose owner-drawn menu
// routing draws them.
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>

class KORVOSKIN_API CCoolMenuBarCtrl : public CCoolBarCtrl
{
public:
    CCoolMenuBarCtrl();
    virtual ~CCoolMenuBarCtrl();

    // Takes its own copy of hMenu (so a later skin load cannot pull it away) and makes one
    // button per top-level item: command position + 1, showing the item's caption until the
    // host gives the buttons images (CreateSkinToolBar); items without a popup are hidden.
    void SetMenu(HMENU hMenu);
    HMENU GetMenu() const { return m_menu.m_hMenu; }

    // Keyboard entry: opens the first popup.
    void OpenMenuBar();
    // Opens the popup whose caption has nChar as its mnemonic; FALSE when none has.
    BOOL OpenMenuChar(UINT nChar);

    // Menu-bar buttons take no command-UI updates.
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}

    // The bar whose popup is open and the message-filter hook installed meanwhile.
    static CCoolMenuBarCtrl* m_pMenuBar;
    static HHOOK m_hMsgHook;

protected:
    void ShiftMenu(int nDir);
    void ShowMenu();
    // Ends the open popup's modal loop.
    void CloseMenu();
    BOOL OnMenuMessage(MSG* pMsg);
    static LRESULT CALLBACK MenuFilter(int nCode, WPARAM wParam, LPARAM lParam);

    virtual void DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot);
    // A button that shows its caption is as broad as a line of the menu font, so the bar docks
    // as high as its captions need whichever font the skin gives.
    virtual int GetItemBreadth(const CCoolBarItem* pItem) const;
    // Whether the button shows its popup's caption: it has no images of its own.
    BOOL ShowsCaption(const CCoolBarItem* pItem) const;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnForwardToOwner(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPoint m_ptLast;
    CMenu m_menu;
    CCoolBarItem* m_pOpenItem;
    // The previous menu, replaced while one of its popups was open; destroyed when the popup's
    // loop has returned.
    CMenu m_menuRetired;
    // The breadth of a caption button: the menu font's line and margins, measured by SetMenu.
    int m_cyCaption;
};
