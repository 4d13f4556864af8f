// The menu engine: items converted to owner-drawn items, measured and painted into a device
// context, and real popup menus tracked on the test thread, which the hook re-frames and whose
// owner routes their items to the engine. Every menu is closed from a timer, never by a person.
#include "ThemeTestSupport.h"
#include <functional>
#include <thread>
#include "api/Globals.h"

namespace
{
// Distinct colours, so every painted part can be told apart.
const COLORREF BACK = RGB(250, 240, 230), HOVER = RGB(100, 150, 250), FRAME = RGB(200, 0, 0), BORDER = RGB(0, 0, 160);
const COLORREF BACK_NORMAL = RGB(230, 230, 200), BACK_CHECK = RGB(180, 220, 180), BACK_CHECK_SEL = RGB(120, 200, 120);
const COLORREF DISABLED = RGB(255, 0, 0), WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);

// The item data and type PrepareMenu wrote for an item.
MENUITEMINFOW ItemInfo(HMENU hMenu, int nPosition)
{
    MENUITEMINFOW info = { sizeof(info), MIIM_DATA | MIIM_FTYPE };
    ::GetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
    return info;
}

// The text stored under an item's key.
CString TextOf(ULONG_PTR nKey)
{
    CString strText(L"<none>");
    g_MenuSkinner.m_mapText.Lookup((DWORD)nKey, strText);
    return strText;
}

const int W = 200;
const int H = 25;
const UINT PRINTING = 0x10000; // painted while the menu renders itself through WM_PRINT

// The theme after a skin load with the distinct colours and the hook in place, and an empty popup.
class MenuItems : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::pair<SkinColour, COLORREF> palette[] = {
            { SkinColour::MenuBack, BACK }, { SkinColour::MenuHover, HOVER }, { SkinColour::MenuBorder, FRAME },
            { SkinColour::Border, BORDER }, { SkinColour::BackNormal, BACK_NORMAL }, { SkinColour::BackCheck, BACK_CHECK },
            { SkinColour::BackCheckSel, BACK_CHECK_SEL }, { SkinColour::Disabled, DISABLED }
        };
        ResetTheme();
        for (const auto& colour : palette)
            g_Theme.SetColour(colour.first, colour.second);
        g_MenuSkinner.Initialize();
        m_menu.CreatePopupMenu();
    }
    void TearDown() override { g_bMenuPrinting = 1; }

    // Appends a text item and converts the whole menu again; returns its position.
    int AddItem(UINT nID, LPCWSTR pszText, UINT nFlags = MF_STRING)
    {
        m_menu.AppendMenu(nFlags, nID, pszText);
        g_MenuSkinner.PrepareMenu(&m_menu);
        return (int)m_menu.GetMenuItemCount() - 1;
    }

    void Draw(HDC hDC, int nPosition, UINT nState)
    {
        g_bMenuPrinting = (nState & PRINTING) ? 1 : 0;
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, m_menu.GetMenuItemID(nPosition), ODA_DRAWENTIRE, nState & ~PRINTING,
                               (HWND)m_menu.m_hMenu, hDC, { 0, 0, W, H } };
        dis.itemData = ItemInfo(m_menu.m_hMenu, nPosition).dwItemData;
        g_MenuSkinner.DrawItem(&dis);
    }

    CMenu m_menu;
};

// The pixels other than crBack in columns [nLeft, nRight), column by column.
std::vector<CPoint> Ink(const CPixelCanvas& canvas, COLORREF crBack, int nLeft = 0, int nRight = W)
{
    std::vector<CPoint> ink;
    for (int x = nLeft; x < nRight; x++)
        for (int y = 0; y < H; y++)
            if (canvas.Pixel(x, y) != crBack)
                ink.push_back(CPoint(x, y));
    return ink;
}

// The ink the platform draws for a text in the menu font, placed as DrawText places it in the
// item's rectangle: the reference for where the library put its text, whatever glyphs the
// machine has for that font.
std::vector<CPoint> ReferenceInk(LPCWSTR pszText, const CRect& rc, UINT nFormat)
{
    CPixelCanvas canvas(W, H, WHITE);
    HGDIOBJ hOld = ::SelectObject(canvas.Dc(), g_Theme.NormalFont().m_hObject);
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    CRect rcText(rc);
    ::DrawTextW(canvas.Dc(), pszText, -1, &rcText, nFormat | DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(canvas.Dc(), hOld);
    return Ink(canvas, WHITE);
}

int TextWidth(LPCWSTR pszText)
{
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&g_Theme.NormalFont());
    int cx = dc.GetTextExtent(pszText, (int)wcslen(pszText)).cx;
    dc.SelectObject(pOld);
    return cx;
}

const int MENU_X = 400;
const int MENU_Y = 200;

// Routes its menus' items to the menu engine and records the commands it was asked to update.
class CMenuOwnerWnd : public CWnd
{
public:
    std::vector<UINT> m_updated;

protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_INITMENUPOPUP)
            g_MenuSkinner.UpdateMenuPopup(CMenu::FromHandle((HMENU)wParam), this);
        else if (nMessage == WM_MEASUREITEM && ((MEASUREITEMSTRUCT*)lParam)->CtlType == ODT_MENU)
            g_MenuSkinner.MeasureItem((MEASUREITEMSTRUCT*)lParam);
        else if (nMessage == WM_DRAWITEM && ((DRAWITEMSTRUCT*)lParam)->CtlType == ODT_MENU)
            g_MenuSkinner.DrawItem((DRAWITEMSTRUCT*)lParam);
        else
            return CWnd::WindowProc(nMessage, wParam, lParam);
        return TRUE;
    }
    afx_msg void OnUpdateItem(CCmdUI* pCmdUI)
    {
        m_updated.push_back(pCmdUI->m_nID);
        pCmdUI->Enable(pCmdUI->m_nID != 104);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwnerWnd, CWnd)
    ON_UPDATE_COMMAND_UI(101, OnUpdateItem)
    ON_UPDATE_COMMAND_UI(104, OnUpdateItem)
    ON_UPDATE_COMMAND_UI(105, OnUpdateItem)
END_MESSAGE_MAP()

// The steps of the menu being tracked: each timer tick runs the next one against the open popup,
// then the menu is ended; a menu that never opens is ended after a bounded number of ticks.
std::vector<std::function<void(HWND hPopup)>> s_steps;
size_t s_nNextStep = 0;
int s_nIdleTicks = 0;

void CALLBACK OnTrackTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hPopup = ::FindWindowW(L"#32768", NULL);
    if (hPopup && ::IsWindowVisible(hPopup) && s_nNextStep < s_steps.size())
        s_steps[s_nNextStep++](hPopup);
    else if (s_nNextStep == s_steps.size() || ++s_nIdleTicks > 40)
        ::EndMenu();
}

void Track(HMENU hMenu, HWND hOwner, std::vector<std::function<void(HWND hPopup)>> steps)
{
    s_steps = std::move(steps);
    s_nNextStep = s_nIdleTicks = 0;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 150, OnTrackTimer);
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, MENU_X, MENU_Y, 0, hOwner, NULL);
    ::KillTimer(NULL, nTimer);
    KorvoTest::PumpMessages(50);
    EXPECT_EQ(s_steps.size(), s_nNextStep) << "every step ran while the menu was open";
}

// An item's rectangle within the popup window. Without a window the system finds the popup's
// own window to map the item from.
CRect ItemRect(HMENU hMenu, int nPosition, HWND hPopup)
{
    CRect rc;
    ::GetMenuItemRect(NULL, hMenu, nPosition, &rc);
    return rc - WindowRect(hPopup).TopLeft();
}

// A popup with an item two levels down, owned by a window of the host that is in front.
class MenuPopups : public MenuItems
{
protected:
    void SetUp() override
    {
        MenuItems::SetUp();
        ASSERT_TRUE(g_hMenuHook != NULL);
        CMenuSkinner::SetMenuAttach(0, 0, 0);
        ::SetCursorPos(5, 5);
        ASSERT_TRUE(m_owner.CreateEx(0, NULL, L"menu owner", WS_POPUP | WS_VISIBLE, 20, 20, 200, 120, NULL, NULL));
        ::SetForegroundWindow(m_owner.m_hWnd);
        KorvoTest::PumpMessages(20);
        ASSERT_EQ(m_owner.m_hWnd, ::GetForegroundWindow());

        HMENU hDeeper = ::CreatePopupMenu(), hSub = ::CreatePopupMenu();
        ::AppendMenuW(hDeeper, MF_STRING, 105, L"Deepest");
        ::AppendMenuW(hSub, MF_STRING, 104, L"Deep");
        ::AppendMenuW(hSub, MF_POPUP, (UINT_PTR)hDeeper, L"Deeper");
        m_menu.AppendMenu(MF_STRING, 101, L"&Open\tCtrl+O");
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING | MF_CHECKED, 102, L"Checked");
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)hSub, L"More");
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        KorvoTest::PumpMessages(20);
        MenuItems::TearDown();
    }

    CMenuOwnerWnd m_owner;
};
}

// A host may draw menu items before loading any skin, when the theme has no fonts yet.
TEST_F(MenuItems, ItemsDrawnBeforeTheThemeHasFontsStillShowTheirText)
{
    g_Theme.SetColour(SkinColour::MenuBack, WHITE);
    g_Theme.NormalFont().DeleteObject();
    g_Theme.BoldFont().DeleteObject();
    CPixelCanvas canvas(W, H);
    Draw(canvas.Dc(), AddItem(395, L"Open"), 0);
    Draw(canvas.Dc(), 0, ODS_DEFAULT);
    g_Theme.CreateFonts();
    EXPECT_FALSE(Ink(canvas, WHITE, 32).empty());
}

TEST_F(MenuItems, PrepareAndMeasureTakeWholeTextsAndLeaveTheHostsOwnerDrawnItems)
{
    AddItem(107, (LPCWSTR)0xABC, MF_OWNERDRAW);
    AddItem(108, CString(L'x', 200));
    AddItem(0, L"No command");
    MEASUREITEMSTRUCT text = { ODT_MENU, 0, 108, 0, 0, ItemInfo(m_menu.m_hMenu, 1).dwItemData };
    MEASUREITEMSTRUCT zero = { ODT_MENU, 0, 0, 0, 0, ItemInfo(m_menu.m_hMenu, 2).dwItemData };
    EXPECT_EQ(0xABCu, ItemInfo(m_menu.m_hMenu, 0).dwItemData);
    EXPECT_EQ(CString(L'x', 200), TextOf(text.itemData)) << "long captions are read whole";
    EXPECT_TRUE(g_MenuSkinner.PrepareMenu(NULL));
    g_MenuSkinner.UpdateMenuPopup(NULL, NULL);

    for (MEASUREITEMSTRUCT* pMIS : { &text, &zero })
        g_MenuSkinner.MeasureItem(pMIS);
    LOGFONTW font;
    ASSERT_TRUE(g_Theme.NormalFont().GetLogFont(&font));
    EXPECT_STREQ(L"Tahoma", font.lfFaceName);
    EXPECT_EQ(-11, font.lfHeight);
    EXPECT_EQ(CSize(TextWidth(CString(L'x', 200)) + 32, 25), CSize(text.itemWidth, text.itemHeight));
    EXPECT_EQ(25u, zero.itemHeight) << "a text item without a command is not a separator";
}

TEST_F(MenuItems, EveryStatePaintsItsParts)
{
    AddItem(330, L"Plain");
    AddItem(0, NULL, MF_SEPARATOR);

    const UINT SEL = ODS_SELECTED, CHECKED = ODS_CHECKED, GRAYED = ODS_GRAYED;
    const struct { int nPosition; UINT nState; int x, y; COLORREF cr; } cases[] = {
        // Menu background over the whole item, and only the item's rows are copied.
        { 0, 0, 0, 0, BACK }, { 0, 0, W - 1, H - 1, BACK }, { 0, 0, 100, H, BLACK },
        // The hover rounded rectangle with its white outline.
        { 0, SEL, 0, 12, BACK }, { 0, SEL, 1, 12, WHITE }, { 0, SEL, W - 2, 12, WHITE }, { 0, SEL, W - 1, 12, BACK },
        { 0, SEL, 100, 1, WHITE }, { 0, SEL, 100, H - 2, WHITE }, { 0, SEL, 100, H - 1, BACK },
        { 0, SEL, 10, 10, HOVER },
        // While the menu renders through WM_PRINT each item paints one more row.
        { 0, SEL | PRINTING, 100, H - 2, WHITE }, { 0, SEL | PRINTING, 100, H, BACK },
        { 0, SEL | PRINTING, 100, H + 1, BLACK },
        // Selected under the mouse (a memory DC has no window, so no keyboard): no highlight.
        { 0, GRAYED | SEL, 1, 12, BACK }, { 0, GRAYED | SEL, 5, 5, BACK },
        // The check box, B - 3 high, and the default check mark, transparent around its stroke.
        { 0, CHECKED, 2, 24, BACK }, { 0, CHECKED, 8, 4, BACK_CHECK },
        { 0, CHECKED | SEL, 3, 3, BACK_CHECK_SEL }, { 0, CHECKED | SEL | GRAYED, 3, 3, BACK_CHECK },
        // A separator is one line in the disabled colour from column 32.
        { 1, 0, 31, 1, BACK }, { 1, 0, 32, 1, DISABLED }, { 1, 0, W - 1, 1, DISABLED }, { 1, 0, 32, 0, BACK },
        { 1, 0, 32, 2, BACK },
    };
    for (const auto& test : cases)
    {
        CPixelCanvas canvas(W, H + 5, BLACK);
        Draw(canvas.Dc(), test.nPosition, test.nState);
        EXPECT_EQ(test.cr, canvas.Pixel(test.x, test.y))
            << "item " << test.nPosition << " state " << test.nState << " at " << test.x << "," << test.y;
    }
}

TEST_F(MenuItems, TextIsLaidOutBoldWhenDefaultAndInTheDisabledColourWhenGrayed)
{
    g_Theme.SetColour(SkinColour::MenuBack, WHITE);
    CPixelCanvas withMnemonic(W, H), plain(W, H), bold(W, H), grayed(W, H), grayedDefault(W, H);
    Draw(withMnemonic.Dc(), AddItem(390, L"&Open\tCtrl+O"), 0);
    Draw(plain.Dc(), AddItem(391, L"Open\tCtrl+O"), 0);
    Draw(bold.Dc(), 1, ODS_DEFAULT);
    Draw(grayed.Dc(), 1, ODS_GRAYED);
    Draw(grayedDefault.Dc(), 1, ODS_GRAYED | ODS_DEFAULT);

    std::vector<CPoint> ink = Ink(withMnemonic, WHITE);
    ASSERT_FALSE(ink.empty());
    std::vector<CPoint> caption = ReferenceInk(L"Open", CRect(32, 0, W, H), 0);
    std::vector<CPoint> shortcut = ReferenceInk(L"Ctrl+O", CRect(0, 0, W - 10, H), DT_RIGHT);
    ASSERT_FALSE(caption.empty() || shortcut.empty());
    EXPECT_EQ(caption.front().x, ink.front().x) << "the caption starts at column 32";
    EXPECT_EQ(shortcut.back().x, ink.back().x) << "the shortcut ends 10 pixels before the item's right edge";
    EXPECT_TRUE(Ink(withMnemonic, WHITE, 32 + TextWidth(L"Open") + 2, W - 10 - TextWidth(L"Ctrl+O") - 3).empty())
        << "nothing between the caption and the shortcut";

    // The only difference the ampersand makes is a one-row underline below the O.
    int nO = TextWidth(L"O");
    std::vector<CPoint> diff;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (withMnemonic.Pixel(x, y) != plain.Pixel(x, y))
                diff.push_back(CPoint(x, y));
    ASSERT_GE((int)diff.size(), nO - 2);
    for (CPoint pt : diff)
    {
        EXPECT_TRUE(pt.x >= 32 && pt.x <= 32 + nO) << pt.x;
        EXPECT_EQ(diff.front().y, pt.y);
    }
    EXPECT_GT(diff.front().y, H / 2);

    EXPECT_GT(Ink(bold, WHITE).size(), Ink(plain, WHITE).size() + 10) << "the default item is bold";
    EXPECT_EQ(Ink(grayed, WHITE).size(), Ink(grayedDefault, WHITE).size()) << "unless it is grayed";
    for (CPoint pt : Ink(grayed, WHITE))
    {
        COLORREF cr = grayed.Pixel(pt.x, pt.y);
        EXPECT_TRUE(GetRValue(cr) == 255 && GetGValue(cr) == GetBValue(cr)) << pt.x << "," << pt.y;
    }
}

TEST_F(MenuPopups, HookedPopupGetsAOnePixelFrameAndOwnerDrawnItems)
{
    HMENU hMenu = m_menu.m_hMenu;
    // Data the program keeps in its items.
    for (UINT nPosition : { 0u, 1u })
    {
        MENUITEMINFOW info = { sizeof(info), MIIM_DATA };
        info.dwItemData = 0x5EED;
        ::SetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
    }
    auto OpenPopup = [&](HWND hPopup) {
        EXPECT_EQ((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC));
        CRect rcWindow = WindowRect(hPopup);
        EXPECT_EQ(CPoint(MENU_X + 1, MENU_Y), rcWindow.TopLeft()) << "popups not at the attach point move right";

        CWindowPixels shot(hPopup);
        int w = rcWindow.Width(), h = rcWindow.Height();
        for (POINT pt : { POINT{ 0, 0 }, POINT{ w / 2, 0 }, POINT{ w - 1, 0 }, POINT{ 0, h / 2 }, POINT{ w - 1, h / 2 },
                          POINT{ 0, h - 1 }, POINT{ w / 2, h - 1 }, POINT{ w - 1, h - 1 } })
            EXPECT_EQ(FRAME, shot.At(pt.x, pt.y)) << pt.x << "," << pt.y;
        CRect rcOpen = ItemRect(hMenu, 0, hPopup), rcChecked = ItemRect(hMenu, 2, hPopup);
        EXPECT_EQ(25, rcOpen.Height());
        EXPECT_EQ(5, ItemRect(hMenu, 1, hPopup).Height());
        EXPECT_EQ(BACK, shot.At(rcOpen.left + 5, rcOpen.top + 5)) << "items are drawn by the engine";
        EXPECT_EQ(BLACK, shot.At(rcChecked.left + 19, rcChecked.top + 9)) << "the tick";
        EXPECT_EQ(0, g_bMenuPrinting) << "the popup painted normally";

        // WM_PRINT renders the frame and the client inside it into the given DC.
        CPixelCanvas printed(w, h, BLACK);
        EXPECT_EQ(0, ::SendMessageW(hPopup, WM_PRINT, (WPARAM)printed.Dc(), PRF_NONCLIENT | PRF_CLIENT));
        EXPECT_EQ(1, g_bMenuPrinting);
        EXPECT_EQ(FRAME, printed.Pixel(w - 1, h / 2));
        EXPECT_EQ(BACK, printed.Pixel(rcOpen.left + 5, rcOpen.top + 5));
        ::InvalidateRect(hPopup, NULL, FALSE);
        ::PostMessageW(hPopup, WM_KEYDOWN, VK_DOWN, 0);
    };
    auto KeyboardSelected = [&](HWND hPopup) {
        CWindowPixels shot(hPopup);
        CRect rcOpen = ItemRect(hMenu, 0, hPopup);
        EXPECT_EQ(HOVER, shot.At(rcOpen.left + 10, rcOpen.top + 10));
        EXPECT_EQ(WHITE, shot.At(rcOpen.left + 1, rcOpen.top + 12));
        EXPECT_EQ(BACK, shot.At(rcOpen.left, rcOpen.top + 12));
        EXPECT_EQ(0, g_bMenuPrinting) << "the next paint ends the printing state";
    };
    Track(hMenu, m_owner.m_hWnd, { OpenPopup, KeyboardSelected });

    // Opening the popup updated its items and those one submenu down, not two.
    EXPECT_EQ((std::vector<UINT>{ 101, 104 }), m_owner.m_updated);
    EXPECT_TRUE(::GetMenuState(::GetSubMenu(hMenu, 3), 0, MF_BYPOSITION) & MF_GRAYED) << "the handler acted";
    // Closed, the popup's items are the program's own again.
    EXPECT_FALSE(ItemInfo(hMenu, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(0x5EEDu, ItemInfo(hMenu, 0).dwItemData) << "the program's item data";
    EXPECT_EQ(0x5EEDu, ItemInfo(hMenu, 1).dwItemData);
    // Preparing converts the popup's own items, each text stored under the item's key; its
    // submenus are prepared as they open.
    g_MenuSkinner.PrepareMenu(&m_menu);
    HMENU hDeeper = ::GetSubMenu(::GetSubMenu(hMenu, 3), 1);
    EXPECT_FALSE(ItemInfo(hDeeper, 0).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemInfo(hMenu, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(CMenuSkinner::ItemKey(hMenu, 101), ItemInfo(hMenu, 0).dwItemData);
    EXPECT_EQ(CString(L"&Open\tCtrl+O"), TextOf(ItemInfo(hMenu, 0).dwItemData));
    EXPECT_EQ(0u, ItemInfo(hMenu, 1).dwItemData) << "separators carry no key";
    // The engine let go with a popup still prepared: given back all the same.
    g_MenuSkinner.Release();
    EXPECT_FALSE(ItemInfo(hMenu, 0).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemInfo(hMenu, 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(0x5EEDu, ItemInfo(hMenu, 1).dwItemData);
    g_MenuSkinner.Initialize();
}

// The cursor decides the look of a selected grayed item in a real popup: reached with the
// keyboard it is framed, under the mouse it shows no highlight.
TEST_F(MenuPopups, SelectedGrayedItemIsFramedOnlyWhenTheKeyboardReachedIt)
{
    HMENU hMenu = m_menu.m_hMenu;
    ::InsertMenuW(hMenu, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 106, L"Grayed");
    auto SelectFirst = [&](HWND hPopup) { ::PostMessageW(hPopup, WM_KEYDOWN, VK_DOWN, 0); };
    auto KeyboardSelected = [&](HWND hPopup) {
        CRect rcGrayed = ItemRect(hMenu, 0, hPopup);
        ASSERT_TRUE(::GetMenuState(hMenu, 0, MF_BYPOSITION) & MF_HILITE) << "the keyboard reached the grayed item";
        CWindowPixels shot(hPopup);
        EXPECT_EQ(BORDER, shot.At(rcGrayed.left + 1, rcGrayed.top + 12));
        EXPECT_EQ(BACK_NORMAL, shot.At(rcGrayed.left + 5, rcGrayed.top + 5));
        // The cursor comes over the item; the repaint that follows draws it as the mouse's.
        CRect rcScreen = rcGrayed + WindowRect(hPopup).TopLeft();
        ::SetCursorPos(rcScreen.CenterPoint().x, rcScreen.CenterPoint().y);
        ::InvalidateRect(hPopup, NULL, FALSE);
    };
    auto UnderTheMouse = [&](HWND hPopup) {
        CRect rcGrayed = ItemRect(hMenu, 0, hPopup);
        CWindowPixels shot(hPopup);
        EXPECT_EQ(BACK, shot.At(rcGrayed.left + 1, rcGrayed.top + 12));
        EXPECT_EQ(BACK, shot.At(rcGrayed.left + 5, rcGrayed.top + 5));
    };
    Track(hMenu, m_owner.m_hWnd, { SelectFirst, KeyboardSelected, UnderTheMouse });
}

TEST_F(MenuPopups, PopupAtTheAttachPointJoinsTheButton)
{
    CMenuSkinner::SetMenuAttach(MENU_X, MENU_Y, 60);
    Track(m_menu.m_hMenu, m_owner.m_hWnd, { [&](HWND hPopup) {
              CRect rcWindow = WindowRect(hPopup);
              EXPECT_EQ(CPoint(MENU_X, MENU_Y), rcWindow.TopLeft()) << "not nudged";
              ASSERT_GT(rcWindow.Width(), 60);
              CWindowPixels shot(hPopup);
              for (int x = 0; x < rcWindow.Width(); x++)
                  EXPECT_EQ(x >= 1 && x <= 58 ? BACK : FRAME, shot.At(x, 0)) << x;
              EXPECT_EQ(FRAME, shot.At(0, 5));
          } });
}

TEST_F(MenuPopups, MenusOfWindowsTheHostDoesNotOwnAreLeftAlone)
{
    HWND hForeign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP | WS_VISIBLE, 40, 40, 100, 60, NULL, NULL,
                                      ::GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(hForeign != NULL);
    ::SetForegroundWindow(hForeign);
    KorvoTest::PumpMessages(20);
    ASSERT_EQ(hForeign, ::GetForegroundWindow());
    ASSERT_TRUE(CWnd::FromHandlePermanent(hForeign) == NULL);

    Track(m_menu.m_hMenu, hForeign, { [&](HWND hPopup) {
              EXPECT_NE((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC));
              EXPECT_EQ(MENU_X, WindowRect(hPopup).left) << "not re-framed";
          } });
    ::DestroyWindow(hForeign);
}

// Without the hook nothing is subclassed and items are one row taller. A hook dies with the
// thread that installed it: the next Initialize hooks the calling thread, while another thread's
// Initialize or another object's Release changes nothing here.
TEST_F(MenuPopups, TheHookBelongsToTheThreadAndTheObjectThatInstalledIt)
{
    g_MenuSkinner.Release();
    ASSERT_TRUE(g_hMenuHook == NULL);
    Track(m_menu.m_hMenu, m_owner.m_hWnd, { [&](HWND hPopup) {
              EXPECT_NE((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC));
              EXPECT_EQ(26, ItemRect(m_menu.m_hMenu, 0, hPopup).Height());
              EXPECT_EQ(6, ItemRect(m_menu.m_hMenu, 1, hPopup).Height());
          } });
    std::thread([] { g_MenuSkinner.Initialize(); }).join();
    g_MenuSkinner.Initialize();
    std::thread([] { g_MenuSkinner.Initialize(); }).join();
    {
        CMenuSkinner other(g_Theme);
        other.Initialize();
        other.Release();
    }
    EXPECT_TRUE(g_hMenuHook != NULL);
    Track(m_menu.m_hMenu, m_owner.m_hWnd, { [&](HWND hPopup) {
              EXPECT_EQ((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC)) << "re-framed by this thread's live hook";
          } });
}
