// The menu bar driven by real messages while its popups are open: keys and mouse moves sent
// into the popup's modal loop from a timer.
#include "BarTestSupport.h"
#include <algorithm>

using namespace BarTest;

namespace
{

class MenuBar : public CBarTest<CCoolMenuBarCtrl>
{
protected:
    void SetUp() override
    {
        CBarTest::SetUp();
        m_folder.WriteBase(R"(<colourScheme><colour name="menu.back" value="FAE60A"/></colourScheme><menus>
            <menu name="Main" type="bar">
                <menu text="_File"><item id="301" text="_New"/><item id="302" text="_Quit"/></menu>
                <menu text="_Edit"><item id="311" text="_Undo"/></menu>
                <menu text="_View"><item id="321" text="_Zoom"/></menu>
                <menu text="_Help"><item id="331" text="_About"/></menu>
            </menu>
            <menu name="Plain" type="bar"><menu text="Plain"><item id="1" text="x"/></menu><item id="2" text="cmd"/></menu>
        </menus>)");
        LoadSkin(L"", L"");
        ASSERT_NO_FATAL_FAILURE(CreateWindows(500, 300, 300));
        ASSERT_NE(nullptr, GetSkinMenu(L"Main"));
        m_bar.SetMenu(GetSkinMenu(L"Main")->m_hMenu);
        m_bar.UpdateWindow();
    }
    void TearDown() override
    {
        if (OpenPopup())
            ::EndMenu();
        CBarTest::TearDown();
    }
    UINT Open() const { return m_bar.GetPressed() ? m_bar.GetPressed()->m_nID : 0; }
    CPoint ItemCentre(int n)
    {
        CRect rc;
        m_bar.GetItemRect(m_bar.GetIndex(n), &rc);
        CPoint pt = rc.CenterPoint();
        m_bar.ClientToScreen(&pt);
        return pt;
    }
    // Moves the cursor and posts the move to the popup, as the mouse would.
    static void MoveTo(HWND hPopup, CPoint pt)
    {
        ::SetCursorPos(pt.x, pt.y);
        ::PostMessageW(hPopup, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
    static void Key(HWND hPopup, UINT nKey) { ::PostMessageW(hPopup, WM_KEYDOWN, nKey, 0); }
};
}

TEST_F(MenuBar, SetMenuMakesOneButtonPerPopupWithItsCaption)
{
    ASSERT_EQ(4, m_bar.GetCount());
    for (int n = 0; n < 4; n++)
    {
        EXPECT_EQ((UINT)n + 1, m_bar.GetIndex(n)->m_nID);
        EXPECT_TRUE(m_bar.GetIndex(n)->m_bVisible);
    }
    EXPECT_NE(GetSkinMenu(L"Main")->m_hMenu, m_bar.GetMenu()) << "the bar holds its own copy";
    // The captions are drawn: some pixels of the first button are not the background.
    KorvoTest::CWindowPixels shot(m_host.m_hWnd, true);
    CRect rc;
    m_bar.GetItemRect(m_bar.GetIndex(0), &rc);
    int nInk = 0;
    for (int x = rc.left; x < rc.right; x++)
        for (int y = rc.top; y < rc.bottom; y++)
            nInk += shot.At(BAR_X + x, BAR_Y + y) != shot.At(BAR_X + rc.right + 200, BAR_Y + 2);
    EXPECT_GT(nInk, 10);

    m_bar.SetMenu(GetSkinMenu(L"Plain")->m_hMenu);
    ASSERT_EQ(2, m_bar.GetCount());
    EXPECT_FALSE(m_bar.GetIndex(1)->m_bVisible) << "a plain command opens nothing and is hidden";
    EXPECT_FALSE(m_bar.OpenMenuChar('p')) << "a caption without a mnemonic never matches";
    m_bar.SetMenu(NULL);
    EXPECT_EQ(0, m_bar.GetCount());
    EXPECT_FALSE(m_bar.OpenMenuChar('f'));
}

TEST_F(MenuBar, LeftAndRightWrapOverTheFourPopups)
{
    std::vector<UINT> seen;
    size_t nRan = RunInMenuLoop(
        { [&](HWND h) { seen.push_back(Open()); Key(h, VK_LEFT); },
          [&](HWND h) { seen.push_back(Open()); Key(h, VK_LEFT); },
          [&](HWND h) { seen.push_back(Open()); Key(h, VK_RIGHT); },
          [&](HWND h) { seen.push_back(Open()); Key(h, VK_ESCAPE); } },
        [&] { EXPECT_TRUE(m_bar.OpenMenuChar('E')) << "mnemonics match either case"; });
    EXPECT_EQ(4u, nRan);
    EXPECT_EQ((std::vector<UINT>{ 2, 1, 4, 1 }), seen);
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_EQ(nullptr, m_bar.GetPressed());
    // The bar has let go of the loop and its hook: it opens a popup again.
    EXPECT_EQ(1u, RunInMenuLoop({ [&](HWND h) { seen.push_back(Open()); Key(h, VK_ESCAPE); } },
                                [&] { m_bar.OpenMenuBar(); }));
    EXPECT_EQ(1u, seen.back());
}

TEST_F(MenuBar, AnUnknownMnemonicOpensNothingAndACommandReachesTheOwner)
{
    EXPECT_FALSE(m_bar.OpenMenuChar('x'));

    m_host.m_commands.clear();
    RunInMenuLoop({ [&](HWND h) { Key(h, 'Q'); } }, [&] { m_bar.OpenMenuBar(); });
    KorvoTest::PumpMessages(20);
    ASSERT_EQ(1u, m_host.m_commands.size());
    EXPECT_EQ((WPARAM)302, m_host.m_commands[0].first);
}

TEST_F(MenuBar, MovingOntoAnotherButtonSwitchesPopupsAndMovingInsideThePopupDoesNot)
{
    std::vector<UINT> seen;
    size_t nRan = RunInMenuLoop(
        { [&](HWND h) { seen.push_back(Open()); MoveTo(h, ItemCentre(2)); },
          [&](HWND h) {
              seen.push_back(Open());
              CRect rc;
              ::GetWindowRect(h, &rc);
              MoveTo(h, rc.CenterPoint());
          },
          [&](HWND h) { seen.push_back(Open()); MoveTo(h, ItemCentre(2)); },
          [&](HWND h) { seen.push_back(Open()); Key(h, VK_ESCAPE); } },
        [&] { m_bar.OpenMenuChar('f'); });
    EXPECT_EQ(4u, nRan);
    EXPECT_EQ((std::vector<UINT>{ 1, 3, 3, 3 }), seen);
}

TEST_F(MenuBar, ClickingTheOpenButtonClosesItsPopupAndLeavesItHot)
{
    RunInMenuLoop({ [&](HWND h) {
                      CPoint pt = ItemCentre(0);
                      ::SetCursorPos(pt.x, pt.y);
                      ::PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
                  } },
                  [&] { m_bar.OpenMenuChar('f'); });
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_EQ(nullptr, m_bar.GetPressed());
    EXPECT_EQ(m_bar.GetIndex(0), m_bar.GetHot()) << "the mouse is still on it";
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    KorvoTest::PumpMessages(10);
    EXPECT_TRUE(m_host.m_commands.empty()) << "menu-bar buttons post no commands of their own";
}

TEST_F(MenuBar, ButtonsWithoutAPopupOpenNothing)
{
    m_bar.Add(9, NULL, 30);
    m_bar.Add(0, NULL, 30);
    CRect rc;
    m_bar.GetItemRect(m_bar.GetIndex(4), &rc);
    CPoint pt = rc.CenterPoint();
    m_bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ASSERT_EQ(m_bar.GetIndex(4), m_bar.GetHot());
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_EQ(nullptr, m_bar.GetHot()) << "the attempt clears the highlight";
    m_bar.GetItemRect(m_bar.GetIndex(5), &rc);
    m_bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 2, 5));
    EXPECT_EQ(nullptr, m_bar.GetHot());
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 2, 5));
    EXPECT_EQ(nullptr, OpenPopup());
}

TEST_F(MenuBar, PopupsAreOwnerDrawnByTheLibraryInTheSkinsColours)
{
    m_host.m_bRecordDrawing = TRUE;
    MENUITEMINFOW info = { sizeof(info), MIIM_FTYPE };
    // The popup's middle column, top to bottom, as the screen shows it.
    std::vector<COLORREF> column;
    RunInMenuLoop({ [&](HWND h) {
                      ::GetMenuItemInfoW(::GetSubMenu(m_bar.GetMenu(), 2), 0, TRUE, &info);
                      ::RedrawWindow(h, NULL, NULL, RDW_UPDATENOW);
                      KorvoTest::CWindowPixels shot(h);
                      for (int y = 0; y < shot.m_cy; y++)
                          column.push_back(shot.At(shot.m_cx / 2, y));
                      Key(h, VK_ESCAPE);
                  } },
                  [&] { m_bar.OpenMenuChar('v'); });
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "the owner's routing prepared the popup";
    // The item is painted in the skin's menu background, which the system never uses.
    const COLORREF MENU_BACK = RGB(0xFA, 0xE6, 0x0A);
    ASSERT_FALSE(column.empty());
    size_t nSkinned = std::count(column.begin(), column.end(), MENU_BACK);
    EXPECT_GE(nSkinned, column.size() / 3) << "a third of the popup or more shows the skin's menu background";
    ASSERT_FALSE(m_host.m_drawn.empty());
    for (UINT nID : m_host.m_drawn)
        EXPECT_EQ(321u, nID) << "the owner's routing drew the item";
}

TEST_F(MenuBar, AReloadInsideThePopupKeepsTheBarsOwnMenu)
{
    HMENU hCopy = m_bar.GetMenu();
    size_t nRan = RunInMenuLoop({ [&](HWND h) { LoadSkin(L"", L""); Key(h, VK_RIGHT); },
                                  [&](HWND h) { Key(h, VK_ESCAPE); } },
                                [&] { m_bar.OpenMenuChar('f'); });
    EXPECT_EQ(2u, nRan);
    EXPECT_TRUE(::IsMenu(hCopy));
    // Refilling the bar while its popup is open ends the popup and frees the old copy after.
    nRan = RunInMenuLoop({ [&](HWND) { m_bar.SetMenu(GetSkinMenu(L"Main")->m_hMenu); } }, [&] { m_bar.OpenMenuChar('f'); });
    EXPECT_EQ(1u, nRan);
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_FALSE(::IsMenu(hCopy));
    EXPECT_EQ(4, m_bar.GetCount());
}

