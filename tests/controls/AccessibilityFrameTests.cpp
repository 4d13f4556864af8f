// The skinned frame's caption buttons as the title bar object shows them, and owner-drawn menus
// still readable by their items' strings.
#include "GalleryPageHost.h"
#include <theme/CMenuSkinner.h>
#include "api/Globals.h"

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
    ASSERT_TRUE(g_MenuSkinner.PrepareMenu(&submenu));

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
