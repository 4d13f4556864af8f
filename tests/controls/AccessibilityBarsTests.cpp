// The command bars as a screen reader reads them: the toolbar a toolbar of named push buttons,
// the menu bar a menu bar of menu items, each button with its states, place, default action
// and keyboard moves told as focus and selection events.
#include "GalleryPageHost.h"
#include "AccessibilityBars.h"

using namespace GalleryTest;

namespace
{
VARIANT Child(long idChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = idChild;
    return var;
}

// The focus and selection events of one window, as a screen reader hears them.
class CEventLog
{
public:
    explicit CEventLog(HWND hWnd) : m_hWnd(hWnd)
    {
        s_pLog = this;
        m_hHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, NULL, OnEvent, ::GetCurrentProcessId(),
                                    0, WINEVENT_OUTOFCONTEXT);
    }
    ~CEventLog()
    {
        if (m_hHook)
            ::UnhookWinEvent(m_hHook);
        s_pLog = NULL;
    }
    bool IsHooked() const { return m_hHook != NULL; }
    // "focus 3", "selection 3", in the order the bar's buttons' events came.
    std::vector<CString> m_events;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
    {
        // The system's own events for the window (its focus) are left out.
        if (!s_pLog || hWnd != s_pLog->m_hWnd || idObject != OBJID_CLIENT || idChild == CHILDID_SELF)
            return;
        CString strEvent;
        strEvent.Format(L"%s %ld", dwEvent == EVENT_OBJECT_FOCUS ? L"focus" : L"selection", (long)idChild);
        s_pLog->m_events.push_back(strEvent);
    }
    static CEventLog* s_pLog;
    HWND m_hWnd;
    HWINEVENTHOOK m_hHook = NULL;
};
CEventLog* CEventLog::s_pLog = NULL;

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

struct AccessibleBars : ::testing::Test
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CBarsHost host;
};
}

TEST_F(AccessibleBars, TheToolbarIsNamedAndEachButtonToldWithItsPlaceAndState)
{
    IAccessible* pBar = ObjectOf(host.m_toolBar.m_hWnd);
    ASSERT_TRUE(pBar);
    CReading bar = Read(pBar);
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, bar.nRole);
    // The skin's name for the bar until the host gives one.
    EXPECT_STREQ(L"Gallery", bar.strName);
    host.m_toolBar.SetWindowText(L"Standard");
    EXPECT_STREQ(L"Standard", Read(pBar).strName);
    host.m_toolBar.SetWindowText(L"");
    ASSERT_EQ(host.m_toolBar.GetCount(), bar.nChildren);

    const LPCWSTR NAMES[] = { L"Open", L"Save", L"", L"Cut", L"Copy", L"Paste" };
    ASSERT_EQ((long)_countof(NAMES), bar.nChildren);
    for (long n = 0; n < bar.nChildren; n++)
    {
        CReading button = Read(pBar, n + 1);
        EXPECT_STREQ(NAMES[n], button.strName) << n;
        EXPECT_EQ(*NAMES[n] ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_SEPARATOR, button.nRole) << n;
        EXPECT_STREQ(*NAMES[n] ? L"Press" : L"", button.strAction) << n;
        // Where the bar draws it, and found there.
        CRect rc;
        ASSERT_TRUE(host.m_toolBar.GetItemRect(host.m_toolBar.GetIndex((int)n), &rc));
        host.m_toolBar.ClientToScreen(&rc);
        EXPECT_EQ(rc, button.rc) << n;
        VARIANT var;
        ::VariantInit(&var);
        ASSERT_EQ(S_OK, pBar->accHitTest(rc.CenterPoint().x, rc.CenterPoint().y, &var)) << n;
        EXPECT_EQ(n + 1, var.lVal) << n;
    }
    // Disabled, checked and pressed as the bar shows them.
    CCoolBarItem* pCut = host.m_toolBar.GetIndex(3);
    pCut->Enable(FALSE);
    pCut->SetCheck(1);
    host.m_toolBar.SetCheck(host.m_toolBar.GetIndex(4)->m_nID);
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED,
              Read(pBar, 4).nState & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE));
    EXPECT_EQ(STATE_SYSTEM_PRESSED | STATE_SYSTEM_FOCUSABLE,
              Read(pBar, 5).nState & (STATE_SYSTEM_PRESSED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE));
    // A disabled button does nothing when pressed.
    VARIANT varCut = Child(4);
    EXPECT_EQ(S_OK, pBar->accDoDefaultAction(varCut));
    KorvoTest::PumpMessages(20);
    EXPECT_TRUE(host.m_commands.empty());
    // Hot under the pointer.
    CRect rcOpen;
    host.m_toolBar.GetItemRect(host.m_toolBar.GetIndex(0), &rcOpen);
    ControlsTest::MovePointer(host.m_toolBar.m_hWnd, rcOpen.CenterPoint().x, rcOpen.CenterPoint().y);
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return (Read(pBar, 1).nState & STATE_SYSTEM_HOTTRACKED) != 0; }));
    ControlsTest::MovePointerAway();
    pBar->Release();
}

TEST_F(AccessibleBars, AButtonWithoutTextIsNamedByItsCommandsMenuText)
{
    // The skin's menus name the command "_Open..." and "Cu_t".
    CCoolBarItem* pOpen = host.m_toolBar.GetIndex(0);
    UINT nOpen = pOpen->m_nID;
    host.m_toolBar.Clear();
    host.m_toolBar.Add(nOpen, L"ID_FILE_OPEN", 24);
    IAccessible* pBar = ObjectOf(host.m_toolBar.m_hWnd);
    ASSERT_TRUE(pBar);
    EXPECT_STREQ(L"Open...", Read(pBar, 1).strName);
    // A cleared bar keeps no skin name.
    EXPECT_STREQ(L"Toolbar", Read(pBar).strName);
    pBar->Release();
}

TEST_F(AccessibleBars, AButtonThatDropsAMenuIsADropDownButton)
{
    CMenu* pMenu = GetSkinMenu(L"Context");
    ASSERT_TRUE(pMenu);
    IAccessible* pBar = ObjectOf(host.m_toolBar.m_hWnd);
    ASSERT_TRUE(pBar);
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, Read(pBar, 2).nRole);
    // The host drops a menu under "Save"; the menu is ended as soon as it runs.
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuSoon);
    host.m_toolBar.ThrowMenu(host.m_toolBar.GetIndex(1)->m_nID, pMenu, &host, TRUE);
    ::KillTimer(NULL, nTimer);
    CReading save = Read(pBar, 2);
    EXPECT_EQ(ROLE_SYSTEM_BUTTONDROPDOWN, save.nRole);
    EXPECT_EQ(STATE_SYSTEM_HASPOPUP, save.nState & STATE_SYSTEM_HASPOPUP);
    EXPECT_STREQ(L"Open", save.strAction);
    EXPECT_STREQ(L"Save", save.strName);
    // The others stay push buttons.
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, Read(pBar, 1).nRole);
    pBar->Release();
}

TEST_F(AccessibleBars, TheMenuBarsItemsOpenTheirPopups)
{
    IAccessible* pMenuBar = ObjectOf(host.m_menuBar.m_hWnd);
    ASSERT_TRUE(pMenuBar);
    CReading bar = Read(pMenuBar);
    EXPECT_EQ(ROLE_SYSTEM_MENUBAR, bar.nRole);
    EXPECT_STREQ(L"GalleryBar", bar.strName);
    const LPCWSTR NAMES[] = { L"File", L"Edit", L"View" };
    const LPCWSTR SHORTCUTS[] = { L"Alt+F", L"Alt+E", L"Alt+V" };
    ASSERT_EQ((long)_countof(NAMES), bar.nChildren);
    for (long n = 0; n < bar.nChildren; n++)
    {
        CReading item = Read(pMenuBar, n + 1);
        EXPECT_STREQ(NAMES[n], item.strName) << n;
        EXPECT_EQ(ROLE_SYSTEM_MENUITEM, item.nRole) << n;
        EXPECT_EQ(STATE_SYSTEM_HASPOPUP, item.nState & STATE_SYSTEM_HASPOPUP) << n;
        EXPECT_STREQ(L"Open", item.strAction) << n;
        EXPECT_STREQ(SHORTCUTS[n], item.strShortcut) << n;
    }
    // The default action opens the item's popup, as a click does; the popup is closed as soon
    // as it is idle.
    host.m_popups.clear();
    host.m_bEndMenus = true;
    EXPECT_EQ(S_OK, pMenuBar->accDoDefaultAction(Child(2)));
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return !host.m_popups.empty(); }));
    ASSERT_FALSE(host.m_popups.empty());
    EXPECT_EQ(::GetSubMenu(host.m_menuBar.GetMenu(), 1), host.m_popups.front());
    pMenuBar->Release();
}

TEST_F(AccessibleBars, KeyboardMovesAreToldAsFocusAndSelection)
{
    CEventLog log(host.m_toolBar.m_hWnd);
    ASSERT_TRUE(log.IsHooked());
    host.m_toolBar.SetFocus();
    KorvoTest::PumpMessages(10);
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    // The separator is passed over.
    PressKey(VK_RIGHT);
    PressKey(VK_END);
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return log.m_events.size() >= 8; }));
    const LPCWSTR EXPECTED[] = { L"focus 1", L"selection 1", L"focus 2", L"selection 2",
                                 L"focus 4", L"selection 4", L"focus 6", L"selection 6" };
    ASSERT_EQ(_countof(EXPECTED), log.m_events.size());
    for (size_t n = 0; n < _countof(EXPECTED); n++)
        EXPECT_STREQ(EXPECTED[n], log.m_events[n]) << n;
    // The object names the button the keyboard is on as its focus, focused.
    IAccessible* pBar = ObjectOf(host.m_toolBar.m_hWnd);
    ASSERT_TRUE(pBar);
    VARIANT var;
    ::VariantInit(&var);
    ASSERT_EQ(S_OK, pBar->get_accFocus(&var));
    EXPECT_EQ(6, var.lVal);
    EXPECT_EQ(STATE_SYSTEM_FOCUSED, Read(pBar, 6).nState & STATE_SYSTEM_FOCUSED);
    // Space presses it.
    PressKey(VK_SPACE);
    ASSERT_EQ(1u, host.m_commands.size());
    EXPECT_EQ(host.m_toolBar.GetIndex(5)->m_nID, host.m_commands[0]);
    pBar->Release();
}

TEST_F(AccessibleBars, AMenuBarItemOpenedByItsMnemonicIsToldAsFocusAndSelection)
{
    CEventLog log(host.m_menuBar.m_hWnd);
    ASSERT_TRUE(log.IsHooked());
    host.m_bEndMenus = true;
    EXPECT_TRUE(host.m_menuBar.OpenMenuChar(L'e'));
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return !host.m_popups.empty() && log.m_events.size() >= 2; }));
    ASSERT_EQ(2u, log.m_events.size());
    EXPECT_STREQ(L"focus 2", log.m_events[0]);
    EXPECT_STREQ(L"selection 2", log.m_events[1]);
    ASSERT_FALSE(host.m_popups.empty());
    EXPECT_EQ(::GetSubMenu(host.m_menuBar.GetMenu(), 1), host.m_popups.front());
}
