// The skinned frame's caption buttons as the title bar object shows them, owner-drawn menus
// still readable by their items' strings, and what the platform's own accessibility proxies
// tell about the classes the library's controls are made of.
#include "GalleryPageHost.h"
#include <theme/CMenuSkinner.h>

using namespace GalleryTest;

namespace
{
struct AccessibleFrame : ::testing::Test
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CGalleryHost host;
};

// Takes the system commands waiting for the window.
std::vector<WPARAM> TakeSysCommands(HWND hWnd)
{
    std::vector<WPARAM> commands;
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
        commands.push_back(msg.wParam & 0xFFF0);
    return commands;
}
}

TEST_F(AccessibleFrame, TheSkinnedCaptionButtonsAreTheTitleBarsButtons)
{
    IAccessible* pTitleBar = ObjectOf(host.m_hWnd, OBJID_TITLEBAR);
    ASSERT_TRUE(pTitleBar);
    CReading bar = Read(pTitleBar);
    EXPECT_EQ(ROLE_SYSTEM_TITLEBAR, bar.nRole);
    EXPECT_STREQ(L"Gallery", bar.strName);
    EXPECT_EQ(5, bar.nChildren);
    CRect rcWindow;
    host.GetWindowRect(&rcWindow);
    // The bundled skin's anchors, counted from the window's right edge.
    struct Button
    {
        long idChild;
        LPCWSTR pszName;
        int nRight;
    } buttons[] = { { 2, L"Minimize", 72 }, { 3, L"Maximize", 50 }, { 5, L"Close", 28 } };
    for (const Button& button : buttons)
    {
        CReading reading = Read(pTitleBar, button.idChild);
        EXPECT_STREQ(button.pszName, reading.strName);
        EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, reading.nRole);
        EXPECT_EQ(0, reading.nState);
        EXPECT_STREQ(L"Press", reading.strAction);
        EXPECT_EQ(CRect(rcWindow.right - button.nRight, rcWindow.top + 5, rcWindow.right - button.nRight + 20,
                        rcWindow.top + 25),
                  reading.rc)
            << button.pszName;
    }
    // The input-method and help buttons are the system's only; a skin never shows them.
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, Read(pTitleBar, 1).nState);
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, Read(pTitleBar, 4).nState);
    EXPECT_EQ(E_INVALIDARG, Read(pTitleBar, 6).hr);

    // Hover and press as the frame draws them, from the non-client messages the system sends.
    CPoint ptClose(rcWindow.right - 18, rcWindow.top + 15);
    host.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(STATE_SYSTEM_HOTTRACKED, Read(pTitleBar, 5).nState);
    EXPECT_EQ(0, Read(pTitleBar, 2).nState);
    host.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_PRESSED, Read(pTitleBar, 5).nState);
    // Dragged off, the press no longer shows.
    host.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rcWindow.left + 100, rcWindow.top + 15));
    EXPECT_EQ(0, Read(pTitleBar, 5).nState);
    host.SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(rcWindow.left + 100, rcWindow.top + 15));
    TakeSysCommands(host.m_hWnd);

    // A point on a button finds it.
    VARIANT var;
    ::VariantInit(&var);
    ASSERT_EQ(S_OK, pTitleBar->accHitTest(ptClose.x, ptClose.y, &var));
    EXPECT_EQ(5, var.lVal);

    // Pressing a button through its object asks the window for the button's command.
    VARIANT varMinimise;
    varMinimise.vt = VT_I4;
    varMinimise.lVal = 2;
    EXPECT_EQ(S_OK, pTitleBar->accDoDefaultAction(varMinimise));
    EXPECT_EQ(std::vector<WPARAM>{ SC_MINIMIZE }, TakeSysCommands(host.m_hWnd));
    pTitleBar->Release();

    // Without its box the button is there but unavailable.
    host.ModifyStyle(WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE, ReadWindow(host.m_hWnd, OBJID_TITLEBAR, 3).nState);
    host.ModifyStyle(0, WS_MAXIMIZEBOX);
    // Maximised, the button restores.
    host.ShowWindow(SW_MAXIMIZE);
    KorvoTest::PumpMessages(20);
    EXPECT_STREQ(L"Restore", ReadWindow(host.m_hWnd, OBJID_TITLEBAR, 3).strName);
    host.ShowWindow(SW_RESTORE);
    KorvoTest::PumpMessages(20);
}

TEST(AccessibleMenu, OwnerDrawnItemsKeepTheirStrings)
{
    // The system's menu proxy reads an item's string; the menu engine owner-draws the item
    // without taking it away.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu submenu;
    ASSERT_TRUE(submenu.CreatePopupMenu());
    ::AppendMenuW(submenu.m_hMenu, MF_STRING, 102, L"&Large icons");
    ::AppendMenuW(menu.m_hMenu, MF_STRING, 100, L"&Open...\tCtrl+O");
    ::AppendMenuW(menu.m_hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuW(menu.m_hMenu, MF_STRING | MF_POPUP, (UINT_PTR)submenu.m_hMenu, L"&View");
    ASSERT_TRUE(g_MenuSkinner.PrepareMenu(&menu));

    struct Item
    {
        HMENU hMenu;
        UINT nPosition;
        LPCWSTR pszText;
    } items[] = { { menu.m_hMenu, 0, L"&Open...\tCtrl+O" }, { menu.m_hMenu, 2, L"&View" }, { submenu.m_hMenu, 0, L"&Large icons" } };
    for (const Item& item : items)
    {
        wchar_t szText[64] = {};
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = _countof(szText);
        ASSERT_TRUE(::GetMenuItemInfoW(item.hMenu, item.nPosition, TRUE, &info));
        EXPECT_EQ((UINT)MFT_OWNERDRAW, info.fType & MFT_OWNERDRAW) << item.pszText;
        EXPECT_STREQ(item.pszText, szText);
        wchar_t szString[64] = {};
        EXPECT_EQ((int)wcslen(item.pszText), ::GetMenuStringW(item.hMenu, item.nPosition, szString, 64, MF_BYPOSITION));
        EXPECT_STREQ(item.pszText, szString);
    }
}

namespace
{
struct CMenuReading
{
    HRESULT hr = E_FAIL;
    long nRole = 0;
    long nChildren = -1;
    CString strFirst;
    bool bOpen = false;
};
CMenuReading g_menuReading;

// Runs inside the menu's modal loop: reads the open popup as a screen reader would, then closes it.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    HWND hPopup = ::FindWindowW(L"#32768", NULL);
    g_menuReading.bOpen = hPopup != NULL;
    if (IAccessible* pMenu = hPopup ? ObjectOf(hPopup) : NULL)
    {
        CReading reading = Read(pMenu);
        g_menuReading.hr = reading.hr;
        g_menuReading.nRole = reading.nRole;
        g_menuReading.nChildren = reading.nChildren;
        g_menuReading.strFirst = Read(pMenu, 1).strName;
        pMenu->Release();
    }
    ::EndMenu();
}
}

// Floor: Wine's proxy of a popup-menu window is its generic client object, which knows no items,
// whether the menu is drawn by the system or by the owner; so the strings that owner-drawn
// items keep are what a screen reader on Windows reads, and what Wine cannot show.
TEST_F(AccessibleFrame, FloorThePlatformsMenuProxyListsNoItems)
{
    for (bool bSkinned : { false, true })
    {
        g_menuReading = CMenuReading();
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        ::AppendMenuW(menu.m_hMenu, MF_STRING, ID_FILE_OPEN, L"&Open...\tCtrl+O");
        ::AppendMenuW(menu.m_hMenu, MF_STRING, ID_FILE_SAVE, L"&Save");
        if (bSkinned)
            g_MenuSkinner.PrepareMenu(&menu);
        ::SetTimer(NULL, 0, 100, ReadOpenMenu);
        ::TrackPopupMenu(menu.m_hMenu, TPM_LEFTALIGN | TPM_RETURNCMD, 200, 200, 0, host.m_hWnd, NULL);
        ASSERT_TRUE(g_menuReading.bOpen) << bSkinned;
        EXPECT_EQ(S_OK, SUCCEEDED(g_menuReading.hr) ? S_OK : g_menuReading.hr) << bSkinned;
        EXPECT_EQ(ROLE_SYSTEM_CLIENT, g_menuReading.nRole) << bSkinned;
        EXPECT_EQ(0, g_menuReading.nChildren) << bSkinned;
    }
}

// Floor: what Wine's own proxies say of the classes the controls are made of. Only the edit's
// tells its role; a button is a client area whatever it shows, a trackbar has no value, the
// tree no items, and there is no title bar object at all. The library answers for each itself.
TEST(AccessibleFloor, ThePlatformsProxiesTellOnlyTheEditsRole)
{
    CComApartment apartment;
    ControlsTest::CHostDialog dlg;
    struct Row
    {
        LPCWSTR pszClass;
        DWORD dwStyle;
        long nRole;
    } rows[] = {
        { L"Button", BS_OWNERDRAW, ROLE_SYSTEM_CLIENT },   { L"Button", BS_AUTOCHECKBOX, ROLE_SYSTEM_CLIENT },
        { L"msctls_trackbar32", 0, ROLE_SYSTEM_CLIENT },  { L"ComboBox", CBS_DROPDOWNLIST, ROLE_SYSTEM_CLIENT },
        { L"SysTreeView32", 0, ROLE_SYSTEM_CLIENT },      { L"SysDateTimePick32", 0, ROLE_SYSTEM_CLIENT },
        { L"Static", SS_LEFT, ROLE_SYSTEM_CLIENT },       { L"Edit", 0, ROLE_SYSTEM_TEXT },
    };
    UINT nID = 100;
    for (const Row& row : rows)
    {
        HWND hWnd = dlg.AddControl(row.pszClass, nID++, row.dwStyle, 10, 10, 100, 22, L"");
        IAccessible* pObject = NULL;
        ASSERT_EQ(S_OK, ::CreateStdAccessibleObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible), (void**)&pObject))
            << row.pszClass;
        CReading reading = Read(pObject);
        EXPECT_EQ(row.nRole, reading.nRole) << row.pszClass;
        EXPECT_EQ(0, reading.nChildren) << row.pszClass;
        pObject->Release();
    }
    IAccessible* pTitleBar = NULL;
    EXPECT_EQ(E_NOTIMPL, ::CreateStdAccessibleObject(dlg.m_hWnd, OBJID_TITLEBAR, __uuidof(IAccessible), (void**)&pTitleBar));
}
