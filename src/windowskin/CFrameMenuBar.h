// The menu bar of a skinned top-level window whose menu was set with SetMenu: the frame takes its
// room below the caption, and this draws it in the theme's menu colours and font and works it as
// the system's bar does. A click or a mnemonic drops the item's popup (skinned like every popup
// of the thread); while it is open, the arrows and the pointer move to the neighbouring items'
// popups. Alt or F10 puts the bar in keyboard mode, where the arrows pick an item, Enter or Down
// opens it and Esc leaves. The window's own processing hears WM_INITMENU, WM_INITMENUPOPUP,
// WM_MENUSELECT and WM_COMMAND as from the system's bar. The window keeps its menu: the bar reads
// it whenever the frame is laid out.
#pragma once
#include <afxwin.h>
#include "../parts/CDpiScale.h"
#include "../parts/CScaledFont.h"
#include <memory>
#include <vector>

class CInterfaceTheme;
struct CAccessibleQuery;

class CFrameMenuBar
{
public:
    CFrameMenuBar(CWnd& wnd, CInterfaceTheme& theme);
    ~CFrameMenuBar();

    // Lays the bar out for the window's menu along the top of rcClient (screen coordinates of a
    // window whose top-left corner is at ptWindow) and takes its rows from rcClient. Without a
    // menu the bar is empty and takes nothing.
    void TakeRoom(RECT& rcClient, const POINT& ptWindow, const CDpiScale& scale);
    // Lays the bar out for a client area cxClient wide; the height it takes.
    int Measure(int cxClient, const CDpiScale& scale);
    // The height the bar takes now (0 without a menu).
    int GetHeight() const { return m_rcBar.Height(); }
    // Forgets the layout: the window shows the system's frame and bar.
    void Clear();

    // Draws the bar into the window's DC.
    void Paint(CDC* pWindowDC);
    // Whether ptScreen is on the bar.
    BOOL HitTest(const CPoint& ptScreen) const;

    void OnNcMouseMove(const CPoint& ptScreen);
    void OnNcMouseLeave();
    // Drops the popup of the item under ptScreen; FALSE when there is none.
    BOOL OnNcLButtonDown(const CPoint& ptScreen);
    // SC_KEYMENU: Alt or F10 (nChar 0) enters keyboard mode; a character opens the item it is
    // the mnemonic of. FALSE leaves the command to the system (no bar, or Alt+Space).
    BOOL OnKeyMenu(UINT nChar);
    // Ends keyboard mode and any open popup of the bar.
    void Cancel();
    // Answers assistive technology for the bar (OBJID_MENU) and its items; FALSE without a bar.
    BOOL Describe(CAccessibleQuery& query);
    // WM_INITMENU while the bar opens its popups: the window hears it once, for the bar's menu,
    // as from the system's bar. FALSE swallows a repeat; wParam becomes the bar's menu.
    BOOL OnInitMenu(WPARAM& wParam) const;

private:
    struct CItem
    {
        // In window coordinates.
        CRect rc;
        CString strText;
        UINT nPosition;
        BOOL bPopup;
        // An item without text: one of the HBMMENU_ buttons a maximised MDI child adds.
        HBITMAP hBitmap;
    };
    // Draws the items over rcPart (window coordinates, within the bar) and copies that part.
    void PaintPart(CDC* pWindowDC, const CRect& rcPart);
    void PaintBitmapItem(CDC* pDC, const CItem& item, const CRect& rc, BOOL bPressed);
    // The index of the item under ptScreen, or -1.
    int ItemAt(const CPoint& ptScreen) const;
    // The item whose mnemonic nChar is, or -1.
    int ItemOfMnemonic(UINT nChar) const;
    // The next item from nItem nDir steps along that can open, round the ends; -1 for none.
    int Neighbour(int nItem, int nDir) const;
    CRect ScreenRect(int nItem) const;
    void SetHot(int nItem);
    // Repaints the items among these (-1 for none) and what lies between them: the items whose
    // state changed, where the whole bar would cost a copy of the bar to the screen.
    void Redraw(int nItemA, int nItemB, int nItemC);
    BOOL HasMenu() const;

    // Drops nItem's popup, and the neighbours' the user moves to, until a popup closes for good.
    void Track(int nItem, BOOL bKeyboard);
    // Ends the open popup; nItem's (none for -1) opens next.
    void SwitchTo(int nItem, BOOL bKeyboard);
    // The popup's modal loop passes its messages here; TRUE swallows pMsg.
    BOOL OnMenuMessage(MSG* pMsg);
    static LRESULT CALLBACK MenuFilter(int nCode, WPARAM wParam, LPARAM lParam);

    // Keyboard mode (CFrameMenuBarKeys.cpp): a message hook of the thread sees the keys first.
    void EnterKeyboardMode(int nItem);
    void LeaveKeyboardMode();
    // TRUE swallows the message.
    BOOL OnKeyboardModeMessage(MSG* pMsg);
    static LRESULT CALLBACK KeyboardModeHook(int nCode, WPARAM wParam, LPARAM lParam);
    // The thread's system commands: SC_KEYMENU reaches the bar even when a child has the focus.
    static LRESULT CALLBACK SysCommandHook(int nCode, WPARAM wParam, LPARAM lParam);
    static CFrameMenuBar* BarOfFocus();
    // Bars with a menu are listed for their thread's system-command hook while they have one.
    void Register();
    void Unregister();
    // Opens nItem's popup from the thread's message loop: keys arrive in hooks, where a popup's
    // modal loop does not belong.
    void RequestOpen(int nItem);
    static void CALLBACK OnOpenRequest(HWND, UINT, UINT_PTR nTimer, DWORD);

    CWnd& m_wnd;
    CInterfaceTheme& m_theme;
    CDpiScale m_scale;
    CScaledFont m_font;
    HMENU m_hMenu;
    CRect m_rcBar;
    std::vector<CItem> m_items;
    int m_nHot;
    int m_nPressed;
    // Set while a popup is open: the item to open once it has closed, and whether the user
    // went back to the bar with Esc.
    int m_nNext;
    BOOL m_bNextByKeyboard;
    // The popup being tracked, and whether the window has heard WM_INITMENU since the bar opened.
    HMENU m_hTracked;
    mutable BOOL m_bInitMenuHeard;
    BOOL m_bBackToBar;
    BOOL m_bKeyboardMode;
    // Keyboard mode ends on the release of the Alt or F10 that was pressed in it.
    BOOL m_bLeaveOnKeyUp;
    CFrameMenuBar* m_pNextBar;
    // False once this is gone, for the loops that outlive a call.
    std::shared_ptr<bool> m_pAlive;

    CFrameMenuBar(const CFrameMenuBar&) = delete;
    CFrameMenuBar& operator=(const CFrameMenuBar&) = delete;
};
