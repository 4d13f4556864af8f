// The skin's menus: replacement, limits, pointers kept across loads, TrackSkinPopupMenu driven
// by keys posted into its modal loop, and skin loads inside that loop.
#include "BarTestSupport.h"

using namespace BarTest;

namespace
{
const char* const CONTEXT_MENU = R"(<menus><menu name="Context"><item id="201" text="_First"/>
    <item id="202" text="_Second"/><item id="203" text="_Third"/></menu></menus>)";

class SkinMenus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(1, 1);
        ASSERT_TRUE(m_host.Create());
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        KorvoTest::PumpMessages(10);
    }
    CSkinFolder m_folder;
    CHostWnd m_host;
};

std::string Repeat(const std::string& strPart, int nCount)
{
    std::string str;
    for (int i = 0; i < nCount; i++)
        str += strPart;
    return str;
}

// A timer that posts keys to the open popup.
std::vector<UINT> s_keys;
void CALLBACK PostKeys(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    HWND hPopup = OpenPopup();
    if (!hPopup)
        return;
    for (UINT nKey : s_keys)
        ::PostMessageW(hPopup, WM_KEYDOWN, nKey, 0);
    ::KillTimer(NULL, nTimer);
}

UINT TrackWithKeys(const wchar_t* pszName, std::vector<UINT> keys, HWND hOwner, UINT nDefault = 0)
{
    s_keys = std::move(keys);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, PostKeys);
    UINT nResult = TrackSkinPopupMenu(pszName, CPoint(300, 300), nDefault, TPM_RETURNCMD, CWnd::FromHandle(hOwner));
    ::KillTimer(NULL, nTimer);
    return nResult;
}
}

TEST_F(SkinMenus, ALaterMenuOfTheSameNameReplacesTheEarlierOneWhichIsDestroyed)
{
    m_folder.WriteBase(R"(<menus><menu name="X"><item id="1" text="one"/></menu></menus>)");
    m_folder.WriteSkin(L"first.xml", R"(<menus><menu name="X" type="BAR"><item id="2" text="two"/></menu>
        <menu name="Y" type="other"><item id="3" text="three"/></menu></menus>)");
    LoadSkin(L"first.xml", L"");
    CMenu* pX = GetSkinMenu(L"X");
    ASSERT_NE(nullptr, pX);
    EXPECT_EQ(2u, pX->GetMenuItemID(0)) << "the later file's menu";
    HMENU hOld = pX->m_hMenu;

    // A pointer the host kept holds the next load's menu of that name, or none.
    LoadSkin(L"", L"");
    EXPECT_FALSE(::IsMenu(hOld)) << "the replaced menu is destroyed";
    EXPECT_EQ(pX, GetSkinMenu(L"X"));
    EXPECT_EQ(1u, pX->GetMenuItemID(0));
    m_folder.WriteBase("");
    LoadSkin(L"", L"");
    EXPECT_EQ(nullptr, GetSkinMenu(L"X"));
    EXPECT_EQ(nullptr, pX->m_hMenu) << "the kept object is empty, not freed";
    EXPECT_EQ(0u, TrackSkinPopupMenu(L"X", CPoint(1, 1), 0, TPM_RETURNCMD, &m_host));

    // Many replacements of one name cost one menu each and leave one.
    m_folder.WriteBase("<menus>" + Repeat(R"(<menu name="R"><item id="5" text="r"/></menu>)", 900) + "</menus>");
    LoadSkin(L"", L"");
    ASSERT_NE(nullptr, GetSkinMenu(L"R"));
    EXPECT_EQ(1u, GetSkinMenu(L"R")->GetMenuItemCount());
}

TEST_F(SkinMenus, OneLoadCreatesAtMostAThousandMenusAndTenThousandItems)
{
    std::string strMenus;
    for (int i = 0; i < 1001; i++)
        strMenus += "<menu name=\"M" + std::to_string(i) + "\"><item id=\"1\" text=\"a\"/></menu>";
    m_folder.WriteBase("<menus>" + strMenus + R"(</menus><strings><string id="1" value="after"/></strings>)");
    LoadSkin(L"", L"");
    EXPECT_NE(nullptr, GetSkinMenu(L"M999"));
    EXPECT_EQ(nullptr, GetSkinMenu(L"M1000"));
    EXPECT_EQ(CString(), GetSkinString(1)) << "the limit stops the rest of the file";

    // 100 menus of 101 items pass the item limit in the last one; the load's next file reads none.
    std::string strItems;
    for (int i = 0; i < 100; i++)
        strItems += "<menu name=\"I" + std::to_string(i) + "\">" + Repeat(R"(<item id="7" text="x"/><item id="0"/>)", 101) + "</menu>";
    m_folder.WriteBase("<menus>" + strItems + "</menus>");
    m_folder.WriteSkin(L"first.xml", R"(<menus><menu name="Later"><item id="1" text="a"/></menu></menus>)");
    LoadSkin(L"first.xml", L"");
    EXPECT_NE(nullptr, GetSkinMenu(L"I98"));
    EXPECT_EQ(nullptr, GetSkinMenu(L"I99"));
    EXPECT_EQ(nullptr, GetSkinMenu(L"Later")) << "the limit is the load's, not the file's";
}

TEST_F(SkinMenus, TrackSkinPopupMenuReturnsTheCommandChosenWithTheKeyboard)
{
    m_folder.WriteBase(CONTEXT_MENU);
    LoadSkin(L"", L"");
    EXPECT_EQ(202u, TrackWithKeys(L"Context", { VK_DOWN, VK_DOWN, VK_RETURN }, m_host.m_hWnd));
    EXPECT_EQ(203u, TrackWithKeys(L"Context", { 'T' }, m_host.m_hWnd)) << "mnemonics from the underscores";
    EXPECT_EQ(0u, TrackWithKeys(L"Context", { VK_ESCAPE }, m_host.m_hWnd));
    EXPECT_EQ(0u, TrackWithKeys(L"Unknown", {}, m_host.m_hWnd));
    EXPECT_EQ(0u, TrackWithKeys(NULL, {}, m_host.m_hWnd));

    EXPECT_EQ(0u, TrackWithKeys(L"Context", { VK_ESCAPE }, m_host.m_hWnd, 202));
    EXPECT_EQ(202u, ::GetMenuDefaultItem(GetSkinMenu(L"Context")->m_hMenu, FALSE, 0))
        << "the default item stays on the stored menu";
    TrackWithKeys(L"Context", { VK_ESCAPE }, m_host.m_hWnd, 0);
    EXPECT_EQ(202u, ::GetMenuDefaultItem(GetSkinMenu(L"Context")->m_hMenu, FALSE, 0));
}

namespace
{
int s_nReloads = 0;
CHostWnd* s_pHost = NULL;
void CALLBACK ReloadInLoop(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    if (!OpenPopup())
        return;
    ::KillTimer(NULL, nTimer);
    LoadSkin(L"", L"");
    s_nReloads++;
    // From here on the menu must not be drawn: its items are the old skin's.
    s_pHost->m_bRecordDrawing = TRUE;
}
}

// A skin load from a timer inside the menu's own loop used to destroy the menu being tracked.
TEST_F(SkinMenus, ASkinLoadInsideTheMenuLoopEndsTheMenuAndDrawsNothingOld)
{
    m_folder.WriteBase(CONTEXT_MENU);
    LoadSkin(L"", L"");
    s_nReloads = 0;
    for (int nRound = 0; nRound < 100; nRound++)
    {
        m_host.m_drawn.clear();
        m_host.m_bRecordDrawing = FALSE;
        s_pHost = &m_host;
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 10, ReloadInLoop);
        int nBefore = s_nReloads;
        UINT nResult = TrackSkinPopupMenu(L"Context", CPoint(300, 300), 201, TPM_RETURNCMD, &m_host);
        ::KillTimer(NULL, nTimer);
        KorvoTest::PumpMessages(0);
        ASSERT_EQ(0u, nResult) << "round " << nRound;
        ASSERT_TRUE(m_host.m_drawn.empty()) << "round " << nRound << ": an item was drawn after the reload";
        ASSERT_EQ(nBefore + 1, s_nReloads) << "round " << nRound;
        ASSERT_FALSE(OpenPopup());
        ASSERT_NE(nullptr, GetSkinMenu(L"Context"));
    }
    EXPECT_EQ(100, s_nReloads);
}

namespace
{
const COLORREF MENU_BACK = RGB(20, 180, 160), MARK = RGB(255, 0, 255);
const char* const COLOURED_MENU = R"(<colourScheme><colour name="menu.back" value="14B4A0"/></colourScheme>
    <menus><menu name="Context"><item id="201" text="_First"/><separator/><item id="202" text="_Second"/></menu></menus>)";

// A frame window with no menu handling of its own.
class CPlainHost : public CFrameWnd
{
public:
    BOOL Create()
    {
        if (!CreateEx(0, NULL, L"plain host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, NULL, NULL))
            return FALSE;
        ::SetForegroundWindow(m_hWnd);
        KorvoTest::PumpMessages(20);
        return TRUE;
    }
};

// Routes items to the engine as hosts used to, then marks each item's top-left pixel, which a
// second painting by the engine would cover.
class CForwardingHost : public CHostWnd
{
protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = CHostWnd::WindowProc(nMessage, wParam, lParam);
        if (nMessage == WM_DRAWITEM && ((DRAWITEMSTRUCT*)lParam)->CtlType == ODT_MENU)
        {
            const DRAWITEMSTRUCT* pDIS = (const DRAWITEMSTRUCT*)lParam;
            ::SetPixel(pDIS->hDC, pDIS->rcItem.left, pDIS->rcItem.top, MARK);
        }
        return lResult;
    }
};

CRect PopupItemRect(HMENU hMenu, int nPosition, HWND hPopup)
{
    CRect rc, rcPopup;
    ::GetMenuItemRect(NULL, hMenu, nPosition, &rc);
    ::GetWindowRect(hPopup, &rcPopup);
    return rc - rcPopup.TopLeft();
}

// Opens the skin's Context menu from pOwner and reads its first item and its separator.
void ExpectSkinnedPopup(CWnd* pOwner, COLORREF crItemCorner)
{
    HMENU hMenu = GetSkinMenu(L"Context")->m_hMenu;
    size_t nRan = RunInMenuLoop({ [&](HWND hPopup) {
                                     CRect rcFirst = PopupItemRect(hMenu, 0, hPopup);
                                     EXPECT_EQ(25, rcFirst.Height()) << "measured by the engine";
                                     EXPECT_EQ(5, PopupItemRect(hMenu, 1, hPopup).Height());
                                     KorvoTest::CWindowPixels shot(hPopup);
                                     EXPECT_EQ(MENU_BACK, shot.At(rcFirst.left + 5, rcFirst.top + 5));
                                     EXPECT_EQ(MENU_BACK, shot.At(rcFirst.right - 3, rcFirst.bottom - 3));
                                     EXPECT_EQ(crItemCorner, shot.At(rcFirst.left, rcFirst.top));
                                 } },
                                [&] { TrackSkinPopupMenu(L"Context", CPoint(300, 300), 0, TPM_RETURNCMD, pOwner); });
    EXPECT_EQ(1u, nRan);
}
}

// The engine serves the menus of any window of the host: one that routes nothing gets
// owner-drawn popups, and one that routes its items itself gets each item painted once.
TEST_F(SkinMenus, PopupsAreSkinnedWhetherOrNotTheOwnerRoutesItsMenuMessages)
{
    m_folder.WriteBase(COLOURED_MENU);
    LoadSkin(L"", L"");
    CPlainHost plain;
    ASSERT_TRUE(plain.Create());
    ExpectSkinnedPopup(&plain, MENU_BACK);
    plain.DestroyWindow();

    CForwardingHost forwarding;
    ASSERT_TRUE(forwarding.Create());
    ExpectSkinnedPopup(&forwarding, MARK);
    forwarding.DestroyWindow();
}

namespace
{
// The limits the skin format documents.
const int MAX_MENU_DEPTH = 16;
const int MAX_MENU_ENTRIES = 1000;

// nDepth menus, each the only submenu of the one before, with an item in the innermost.
std::string NestedMenu(const std::string& strName, int nDepth)
{
    return "<menu name=\"" + strName + "\">" + Repeat(R"(<menu text="sub">)", nDepth - 1) + R"(<item id="9" text="deep"/>)" +
           Repeat("</menu>", nDepth);
}

// The menus reached from hMenu through first items, hMenu counted, and the last of them.
int ChainDepth(HMENU hMenu)
{
    int nDepth = 0;
    for (; hMenu; hMenu = ::GetSubMenu(hMenu, 0))
        nDepth++;
    return nDepth;
}

HMENU Innermost(HMENU hMenu)
{
    while (::GetSubMenu(hMenu, 0))
        hMenu = ::GetSubMenu(hMenu, 0);
    return hMenu;
}
}

// The platform refuses submenus past a depth of its own; the ones it refused were never
// destroyed, so every load of a deep menu left its deep levels behind.
TEST_F(SkinMenus, DeepMenusAreCutAtTheDepthLimitAndLeaveNothingBehindAcrossLoads)
{
    m_folder.WriteBase("<menus>" + NestedMenu("Deep", 252) + NestedMenu("AtLimit", MAX_MENU_DEPTH) +
                       NestedMenu("Past", MAX_MENU_DEPTH + 1) + R"(</menus><strings><string id="1" value="after"/></strings>)");
    LoadSkin(L"", L"");
    ASSERT_NE(nullptr, GetSkinMenu(L"Deep"));
    EXPECT_EQ(MAX_MENU_DEPTH, ChainDepth(GetSkinMenu(L"Deep")->m_hMenu));
    EXPECT_EQ(MAX_MENU_DEPTH, ChainDepth(GetSkinMenu(L"AtLimit")->m_hMenu));
    EXPECT_EQ(9u, ::GetMenuItemID(Innermost(GetSkinMenu(L"AtLimit")->m_hMenu), 0))
        << "the innermost level within the limit keeps its item";
    EXPECT_EQ(MAX_MENU_DEPTH, ChainDepth(GetSkinMenu(L"Past")->m_hMenu));
    EXPECT_EQ(CString(L"after"), GetSkinString(1)) << "the rest of the file is read";

    const HANDLE hProcess = ::GetCurrentProcess();
    const int nUserBefore = (int)::GetGuiResources(hProcess, GR_USEROBJECTS);
    const int nHighBefore = KorvoTest::FreshHandleHighs().nUser;
    m_folder.WriteBase("<menus>" + NestedMenu("Deep", 252) + "</menus>");
    for (int n = 0; n < 150; n++)
        LoadSkin(L"", L"");
    const int nHighGrowth = KorvoTest::FreshHandleHighs().nUser - nHighBefore;
    const int nUserGrowth = (int)::GetGuiResources(hProcess, GR_USEROBJECTS) - nUserBefore;
    EXPECT_LT(nHighGrowth, 100) << "USER handles grew by " << nHighGrowth << " over 150 loads";
    EXPECT_LT(nUserGrowth, 100) << "USER objects grew by " << nUserGrowth << " over 150 loads";
    EXPECT_EQ(MAX_MENU_DEPTH, ChainDepth(GetSkinMenu(L"Deep")->m_hMenu));
}

// Appending and tracking grow much faster than the item count past a few thousand items.
TEST_F(SkinMenus, AMenuKeepsItsFirstThousandEntriesAndTheLoadGoesOn)
{
    m_folder.WriteBase("<menus><menu name=\"Huge\">" + Repeat(R"(<item id="7" text="x"/><separator/>)", 5000) +
                       "</menu>" + NestedMenu("After", 2) + R"(</menus><strings><string id="1" value="after"/></strings>)");
    LoadSkin(L"", L"");
    ASSERT_NE(nullptr, GetSkinMenu(L"Huge"));
    EXPECT_EQ((UINT)MAX_MENU_ENTRIES, GetSkinMenu(L"Huge")->GetMenuItemCount());
    EXPECT_EQ(7u, GetSkinMenu(L"Huge")->GetMenuItemID(MAX_MENU_ENTRIES - 2));
    EXPECT_NE(nullptr, GetSkinMenu(L"After"));
    EXPECT_EQ(CString(L"after"), GetSkinString(1));

    // A submenu's entries are counted on their own.
    m_folder.WriteBase(R"(<menus><menu name="Outer"><item id="1" text="a"/><menu text="inner">)" +
                       Repeat(R"(<item id="8" text="y"/>)", MAX_MENU_ENTRIES + 1) + "</menu></menu></menus>");
    LoadSkin(L"", L"");
    ASSERT_NE(nullptr, GetSkinMenu(L"Outer"));
    EXPECT_EQ(2u, GetSkinMenu(L"Outer")->GetMenuItemCount());
    EXPECT_EQ(MAX_MENU_ENTRIES, ::GetMenuItemCount(::GetSubMenu(GetSkinMenu(L"Outer")->m_hMenu, 1)));
}
