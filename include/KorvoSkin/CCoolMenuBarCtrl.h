// A menu bar made of a skinned toolbar: the button with command n opens the popup at position
// n - 1 of the bar's menu. Hovering, clicks, the Left and Right arrows, Escape and mnemonic
// characters move between the popups as in a menu bar. The popups are tracked with the bar as
// their owner; it passes their menu messages on to its own owner, whose owner-drawn menu
// routing draws them.
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>

class CCoolMenuBarState;

class KORVOSKIN_API CCoolMenuBarCtrl : public CCoolBarCtrl
{
public:
    CCoolMenuBarCtrl();
    virtual ~CCoolMenuBarCtrl();

    // Takes its own copy of hMenu (so a later skin load cannot pull it away) and makes one
    // button per top-level item: command position + 1, showing the item's caption until the
    // host gives the buttons images (CreateSkinToolBar); items without a popup are hidden.
    void SetMenu(HMENU hMenu);
    HMENU GetMenu() const;

    // Keyboard entry: opens the first popup.
    void OpenMenuBar();
    // Opens the popup whose caption has nChar as its mnemonic; FALSE when none has.
    BOOL OpenMenuChar(UINT nChar);

    // Overridables
    // Menu-bar buttons take no command-UI updates.
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}

protected:
    // Overridables
    // A button without images shows its popup's caption, highlighted as the menus are.
    virtual void DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot);
    // A button that shows its caption is as broad as a line of the menu font, so the bar docks
    // as high as its captions need whichever font the skin gives.
    virtual int GetItemBreadth(const CCoolBarItem* pItem) const;

    // Message handlers a derived class may chain to
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnForwardToOwner(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CCoolMenuBarState> m_pMenuState;
};
