// What a menu bar holds behind its public face: its own copy of the menu, the popup being
// opened or tracked, and the message-filter hook that lets the bar steer a tracked popup (the
// arrows move to the next popup, a move onto another button opens that one).
#pragma once
#include <KorvoSkin/CCoolMenuBarCtrl.h>
#include "../parts/CScaledFont.h"

class CCoolBarState;

class CCoolMenuBarState
{
public:
    explicit CCoolMenuBarState(CCoolMenuBarCtrl& bar);
    ~CCoolMenuBarState();

    void SetMenu(HMENU hMenu);
    HMENU GetMenu() const { return m_menu.m_hMenu; }
    void OpenFirst();
    BOOL OpenChar(UINT nChar);
    // Opens pItem's popup, as a keyboard does: the keyboard moves to it.
    void Open(CCoolBarItem* pItem);
    // The caption of pItem's popup, mnemonic marker and all.
    CString GetCaption(const CCoolBarItem* pItem) const;
    // Whether one of the bar's popups is open.
    bool IsTracking() const;

    // Whether the button shows its popup's caption: it has no images of its own.
    BOOL ShowsCaption(const CCoolBarItem* pItem) const;
    // The breadth of a caption button at 96 DPI: a line of the menu font and its margins
    // across a horizontal bar, its size along a vertical one.
    int GetCaptionBreadth(const CCoolBarItem* pItem) const;
    void DrawCaption(CDC* pDC, const CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot);

    // The bar's deferred requests, posted as WM_TIMER; FALSE for any other timer.
    BOOL OnRequest(UINT_PTR nIDEvent);
    // A press on the hot button opens its popup; FALSE leaves the press to the toolbar.
    BOOL OnLButtonDown(const CPoint& point);

    // Filters the messages of the popup's modal loop; TRUE swallows pMsg.
    BOOL OnMenuMessage(MSG* pMsg);

private:
    CCoolBarState& Bar() const;
    // Sizes the caption buttons for their text in the caption font at the bar's DPI, in the
    // bar's 96-DPI lengths, rounded up so the scaled button holds the text.
    void MeasureCaptions();
    void PostRequest(UINT_PTR nRequest);
    // Tracks the hot button's popup until it closes, then posts its choice to the owner.
    void ShowMenu();
    // Moves to the popup nDir positions along, round the ends.
    void ShiftMenu(int nDir);
    // Ends the open popup's modal loop.
    void CloseMenu();

    CCoolMenuBarCtrl& m_bar;
    CMenu m_menu;
    // The previous menu, replaced while one of its popups was open; destroyed when the popup's
    // loop has returned.
    CMenu m_menuRetired;
    CPoint m_ptLast;
    CCoolBarItem* m_pOpenItem;
    // A caption button's breadth at 96 DPI.
    int m_cyCaption;
    CScaledFont m_font;
};
