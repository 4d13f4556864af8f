// Menu items: conversion to owner-drawn items, measuring, painting into a device context, and
// the command-UI update pass.
#include "ThemeTestSupport.h"

namespace
{
const int W = 200;
const int H = 25;

class MenuItems : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareMenuTheme();
        g_bMenuPrinting = 0;
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

    void Draw(CPixelCanvas& canvas, int nPosition, UINT nState, const RECT& rcItem = { 0, 0, W, H })
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = m_menu.GetMenuItemID(nPosition);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hwndItem = (HWND)m_menu.m_hMenu;
        dis.hDC = canvas.Dc();
        dis.rcItem = rcItem;
        dis.itemData = ItemData(m_menu.m_hMenu, nPosition);
        g_MenuSkinner.DrawItem(&dis);
    }

    CMenu m_menu;
};

// Columns holding pixels other than crBack, within rows [0, nRows).
std::vector<int> InkColumns(const CPixelCanvas& canvas, COLORREF crBack, int nLeft, int nRight, int nRows = H)
{
    std::vector<int> columns;
    for (int x = nLeft; x < nRight; x++)
        for (int y = 0; y < nRows; y++)
            if (canvas.Pixel(x, y) != crBack)
            {
                columns.push_back(x);
                break;
            }
    return columns;
}

int InkCount(const CPixelCanvas& canvas, COLORREF crBack)
{
    int nCount = 0;
    for (int y = 0; y < H; y++)
        for (int x = 32; x < W; x++)
            nCount += canvas.Pixel(x, y) != crBack;
    return nCount;
}

int TextWidth(LPCWSTR pszText, CFont& font)
{
    HDC hScreen = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hScreen, font.m_hObject);
    SIZE size = {};
    ::GetTextExtentPoint32W(hScreen, pszText, (int)wcslen(pszText), &size);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(NULL, hScreen);
    return size.cx;
}

class CUpdateTarget : public CCmdTarget
{
public:
    std::vector<UINT> m_updated;

protected:
    afx_msg void OnUpdateItem(CCmdUI* pCmdUI)
    {
        m_updated.push_back(pCmdUI->m_nID);
        if (pCmdUI->m_nID == 202)
            pCmdUI->Enable(FALSE);
        if (pCmdUI->m_nID == 201)
            pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(201, OnUpdateItem)
    ON_UPDATE_COMMAND_UI(202, OnUpdateItem)
    ON_UPDATE_COMMAND_UI(203, OnUpdateItem)
END_MESSAGE_MAP()
}

// A host may draw menu items before loading any skin.
TEST(MenuTheme, FontsExistBeforeAnySkinLoads)
{
    CInterfaceTheme theme;
    EXPECT_NE(nullptr, theme.m_fntNormal.m_hObject);
    EXPECT_NE(nullptr, theme.m_fntBold.m_hObject);
}

TEST_F(MenuItems, PrepareMakesEveryLevelOwnerDrawnAndRemembersTexts)
{
    CMenu deeper, sub;
    deeper.CreatePopupMenu();
    deeper.AppendMenu(MF_STRING, 106, L"Deepest");
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, 104, L"Deep");
    sub.AppendMenu(MF_POPUP, (UINT_PTR)deeper.Detach(), L"Deeper");
    m_menu.AppendMenu(MF_STRING, 101, L"&Open\tCtrl+O");
    m_menu.AppendMenu(MF_SEPARATOR);
    m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.m_hMenu, L"More");
    m_menu.AppendMenu(MF_OWNERDRAW, 107, (LPCWSTR)0xABC);
    CString strLong(L'x', 200);
    m_menu.AppendMenu(MF_STRING, 108, strLong);

    EXPECT_TRUE(g_MenuSkinner.PrepareMenu(&m_menu));

    HMENU hMenu = m_menu.m_hMenu;
    CString strText;
    for (int n = 0; n < 5; n++)
        EXPECT_TRUE(ItemType(hMenu, n) & MFT_OWNERDRAW) << n;
    EXPECT_EQ(CMenuSkinner::ItemKey(hMenu, 101), ItemData(hMenu, 0));
    EXPECT_EQ((((DWORD)(UINT_PTR)hMenu) << 16) | 101u, CMenuSkinner::ItemKey(hMenu, 101));
    ASSERT_TRUE(g_MenuSkinner.m_mapText.Lookup(CMenuSkinner::ItemKey(hMenu, 101), strText));
    EXPECT_EQ(CString(L"&Open\tCtrl+O"), strText);
    EXPECT_EQ(0u, ItemData(hMenu, 1)) << "separators carry no key";
    EXPECT_TRUE(ItemType(hMenu, 1) & MFT_SEPARATOR);
    EXPECT_EQ(0xABCu, ItemData(hMenu, 3)) << "the host's own owner-drawn item is left as it was";
    ASSERT_TRUE(g_MenuSkinner.m_mapText.Lookup((DWORD)ItemData(hMenu, 4), strText));
    EXPECT_EQ(strLong, strText) << "long captions are read whole";

    HMENU hSub = ::GetSubMenu(hMenu, 2);
    HMENU hDeeper = ::GetSubMenu(hSub, 1);
    EXPECT_TRUE(ItemType(hSub, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(hDeeper, 0) & MFT_OWNERDRAW);
    ASSERT_TRUE(g_MenuSkinner.m_mapText.Lookup((DWORD)ItemData(hDeeper, 0), strText));
    EXPECT_EQ(CString(L"Deepest"), strText);
}

TEST_F(MenuItems, OpeningAgainKeepsTheFirstTextAndSharedIdsShareOneEntry)
{
    AddItem(301, L"First");
    AddItem(301, L"Second");
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_STRING;
    info.dwTypeData = (LPWSTR)L"Changed";
    ::SetMenuItemInfoW(m_menu.m_hMenu, 0, TRUE, &info);
    EXPECT_TRUE(g_MenuSkinner.PrepareMenu(&m_menu));

    CString strText;
    ASSERT_TRUE(g_MenuSkinner.m_mapText.Lookup(CMenuSkinner::ItemKey(m_menu.m_hMenu, 301), strText));
    EXPECT_EQ(CString(L"Second"), strText);
    EXPECT_EQ(ItemData(m_menu.m_hMenu, 0), ItemData(m_menu.m_hMenu, 1));
}

TEST_F(MenuItems, DisabledEngineConvertsNothing)
{
    m_menu.AppendMenu(MF_STRING, 310, L"Plain");
    g_MenuSkinner.m_bEnabled = FALSE;
    EXPECT_FALSE(g_MenuSkinner.PrepareMenu(&m_menu));
    g_MenuSkinner.m_bEnabled = TRUE;
    EXPECT_FALSE(ItemType(m_menu.m_hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(g_MenuSkinner.PrepareMenu(NULL));
}

TEST_F(MenuItems, MeasureUsesTheNormalFontAndOneMoreRowWithoutTheHook)
{
    int nText = AddItem(320, L"Measure me\tCtrl+M");
    AddItem(0, NULL, MF_SEPARATOR);
    int nZero = AddItem(0, L"No command");

    MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 320, 0, 0, ItemData(m_menu.m_hMenu, nText) };
    g_MenuSkinner.MeasureItem(&mis);
    EXPECT_EQ(25u, mis.itemHeight);
    EXPECT_EQ((UINT)TextWidth(L"Measure me\tCtrl+M", g_Theme.m_fntNormal) + 32, mis.itemWidth);

    MEASUREITEMSTRUCT separator = { ODT_MENU, 0, 0, 0, 0, 0 };
    g_MenuSkinner.MeasureItem(&separator);
    EXPECT_EQ(10u, separator.itemWidth);
    EXPECT_EQ(5u, separator.itemHeight);

    MEASUREITEMSTRUCT zero = { ODT_MENU, 0, 0, 0, 0, ItemData(m_menu.m_hMenu, nZero) };
    g_MenuSkinner.MeasureItem(&zero);
    EXPECT_EQ(25u, zero.itemHeight) << "a text item without a command is not a separator";

    g_MenuSkinner.Release();
    ASSERT_TRUE(g_hMenuHook == NULL);
    mis.itemHeight = separator.itemHeight = 0;
    g_MenuSkinner.MeasureItem(&mis);
    g_MenuSkinner.MeasureItem(&separator);
    g_MenuSkinner.Initialize();
    EXPECT_EQ(26u, mis.itemHeight);
    EXPECT_EQ(6u, separator.itemHeight);
}

TEST_F(MenuItems, PlainItemFillsMenuBackAndWritesTextFromColumn32)
{
    int nItem = AddItem(330, L"Plain");
    CPixelCanvas canvas(W, H, RGB(0, 0, 0));
    Draw(canvas, nItem, 0);
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(0, 0));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(W - 1, H - 1));
    EXPECT_TRUE(InkColumns(canvas, MenuPalette::BACK, 0, 32).empty()) << "nothing left of the text";
    std::vector<int> ink = InkColumns(canvas, MenuPalette::BACK, 0, W);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.front(), 32);
    EXPECT_LE(ink.front(), 34);
}

TEST_F(MenuItems, SelectedItemGetsTheHoverRoundedRectangle)
{
    int nItem = AddItem(340, L"Hover");
    CPixelCanvas canvas(W, H + 5, RGB(0, 0, 0));
    Draw(canvas, nItem, ODS_SELECTED);
    const COLORREF WHITE = RGB(255, 255, 255);
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(0, 12));
    EXPECT_EQ(WHITE, canvas.Pixel(1, 12)) << "left edge of the white outline";
    EXPECT_EQ(WHITE, canvas.Pixel(W - 2, 12));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(W - 1, 12));
    EXPECT_EQ(WHITE, canvas.Pixel(100, 1));
    EXPECT_EQ(WHITE, canvas.Pixel(100, H - 2));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(100, H - 1));
    EXPECT_EQ(MenuPalette::HOVER, canvas.Pixel(10, 10));
    EXPECT_EQ(MenuPalette::HOVER, canvas.Pixel(W - 3, H - 3));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, H)) << "only the item's rows are copied after a paint";

    // While the menu renders through WM_PRINT each item paints one more row.
    g_bMenuPrinting = 1;
    Draw(canvas, nItem, ODS_SELECTED);
    EXPECT_EQ(WHITE, canvas.Pixel(100, H - 2));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(100, H - 1));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(100, H));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, H + 1));
}

TEST_F(MenuItems, CheckedItemShowsTheBoxAndTheDefaultCheckMark)
{
    int nItem = AddItem(350, L"Checked");
    CPixelCanvas canvas(W, H);
    Draw(canvas, nItem, ODS_CHECKED);
    EXPECT_EQ(MenuPalette::BORDER, canvas.Pixel(2, 2));
    EXPECT_EQ(MenuPalette::BORDER, canvas.Pixel(21, 12));
    EXPECT_EQ(MenuPalette::BORDER, canvas.Pixel(2, 23)) << "frame height B - 3";
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(2, 24));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(22, 12));
    EXPECT_EQ(MenuPalette::BACK_CHECK, canvas.Pixel(3, 3));
    EXPECT_EQ(MenuPalette::BACK_CHECK, canvas.Pixel(20, 22));
    EXPECT_EQ(MenuPalette::BACK_CHECK, canvas.Pixel(8, 4)) << "the tick is transparent around its stroke";
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8 + 11, 4 + 5));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8 + 7, 4 + 10));

    Draw(canvas, nItem, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(MenuPalette::BACK_CHECK_SEL, canvas.Pixel(3, 3));
    Draw(canvas, nItem, ODS_CHECKED | ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(MenuPalette::BACK_CHECK, canvas.Pixel(3, 3));
}

TEST_F(MenuItems, ItemImagesReplaceTheCheckMark)
{
    int nItem = AddItem(360, L"Imaged");
    HICON hIcon = MakeSolidIcon(RGB(0, 200, 0));
    g_Theme.AddIcon(360, hIcon, SIZE_CODE_16);
    ::DestroyIcon(hIcon);

    CPixelCanvas canvas(W, H);
    Draw(canvas, nItem, 0);
    EXPECT_EQ(RGB(0, 200, 0), canvas.Pixel(8, 4));
    EXPECT_EQ(RGB(0, 200, 0), canvas.Pixel(23, 19));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(24, 20));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(7, 4));

    Draw(canvas, nItem, ODS_CHECKED);
    EXPECT_EQ(MenuPalette::BORDER, canvas.Pixel(2, 2));
    EXPECT_EQ(RGB(0, 200, 0), canvas.Pixel(8 + 11, 4 + 5)) << "the item's own image, not the tick";

    Draw(canvas, nItem, ODS_GRAYED);
    EXPECT_NE(MenuPalette::BACK, canvas.Pixel(16, 12)) << "grayed items keep their image";
}

TEST_F(MenuItems, GrayedItemsUseTheDisabledColourAndOnlyKeyboardSelectionShows)
{
    g_Theme.m_crMenuBack = RGB(255, 255, 255);
    int nItem = AddItem(370, L"Grayed item");
    CPixelCanvas canvas(W, H);
    Draw(canvas, nItem, ODS_GRAYED | ODS_DEFAULT);
    int nInk = 0;
    for (int y = 0; y < H; y++)
        for (int x = 32; x < W; x++)
        {
            COLORREF cr = canvas.Pixel(x, y);
            if (cr == RGB(255, 255, 255))
                continue;
            nInk++;
            EXPECT_EQ(255, GetRValue(cr)) << x << "," << y;
            EXPECT_EQ(GetGValue(cr), GetBValue(cr)) << x << "," << y;
        }
    EXPECT_GT(nInk, 10);

    // Selected under the mouse (a memory DC has no window, so no keyboard): no highlight.
    Draw(canvas, nItem, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 12));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));

    // On a window the cursor is not over, the selection came from the keyboard.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOOLWINDOW, NULL, L"item", WS_POPUP | WS_VISIBLE, 20, 20, W, H, NULL, NULL));
    ::SetCursorPos(700, 500);
    HDC hWndDC = ::GetDC(wnd.m_hWnd);
    DRAWITEMSTRUCT dis = { ODT_MENU, 0, 370, ODA_DRAWENTIRE, ODS_GRAYED | ODS_SELECTED, (HWND)m_menu.m_hMenu,
                           hWndDC, { 0, 0, W, H }, ItemData(m_menu.m_hMenu, nItem) };
    g_MenuSkinner.DrawItem(&dis);
    EXPECT_EQ(MenuPalette::BORDER, ::GetPixel(hWndDC, 1, 1));
    EXPECT_EQ(MenuPalette::BORDER, ::GetPixel(hWndDC, W - 2, 12));
    EXPECT_EQ(MenuPalette::BACK_NORMAL, ::GetPixel(hWndDC, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hWndDC, 0, 0));

    ::SetCursorPos(30, 30);
    g_MenuSkinner.DrawItem(&dis);
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hWndDC, 1, 1)) << "under the mouse nothing is highlighted";
    ::ReleaseDC(wnd.m_hWnd, hWndDC);
    ::SetCursorPos(700, 500);
    wnd.DestroyWindow();
}

TEST_F(MenuItems, DefaultItemIsBoldUnlessGrayed)
{
    int nItem = AddItem(380, L"Default item");
    CPixelCanvas normal(W, H), bold(W, H), grayedDefault(W, H), grayed(W, H);
    Draw(normal, nItem, 0);
    Draw(bold, nItem, ODS_DEFAULT);
    Draw(grayed, nItem, ODS_GRAYED);
    Draw(grayedDefault, nItem, ODS_GRAYED | ODS_DEFAULT);
    EXPECT_GT(InkCount(bold, MenuPalette::BACK), InkCount(normal, MenuPalette::BACK) + 10);
    EXPECT_EQ(InkCount(grayed, MenuPalette::BACK), InkCount(grayedDefault, MenuPalette::BACK));
}

TEST_F(MenuItems, ShortcutIsRightAlignedTenPixelsFromTheEdgeAndTheMnemonicUnderlined)
{
    int nMnemonic = AddItem(390, L"&Open\tCtrl+O");
    int nPlain = AddItem(391, L"Open\tCtrl+O");
    CPixelCanvas withMnemonic(W, H), plain(W, H);
    Draw(withMnemonic, nMnemonic, 0);
    Draw(plain, nPlain, 0);

    std::vector<int> ink = InkColumns(withMnemonic, MenuPalette::BACK, 0, W);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.front(), 32);
    EXPECT_LE(ink.front(), 33);
    EXPECT_LE(ink.back(), W - 11) << "the shortcut ends 10 pixels before the item's right edge";
    EXPECT_GE(ink.back(), W - 12);

    // The shortcut starts where its width ends at the column W - 10.
    int nShortcut = TextWidth(L"Ctrl+O", g_Theme.m_fntNormal);
    std::vector<int> shortcutInk = InkColumns(withMnemonic, MenuPalette::BACK, W - 10 - nShortcut - 3, W);
    ASSERT_FALSE(shortcutInk.empty());
    EXPECT_LE(std::abs(shortcutInk.front() - (W - 10 - nShortcut)), 2);
    int nOpen = TextWidth(L"Open", g_Theme.m_fntNormal);
    EXPECT_TRUE(InkColumns(withMnemonic, MenuPalette::BACK, 32 + nOpen + 2, W - 10 - nShortcut - 3).empty())
        << "nothing between the caption and the shortcut";

    // The only difference the ampersand makes is a one-row underline below the O.
    int nO = TextWidth(L"O", g_Theme.m_fntNormal);
    int nRow = -1, nDiff = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (withMnemonic.Pixel(x, y) != plain.Pixel(x, y))
            {
                nDiff++;
                EXPECT_GE(x, 32);
                EXPECT_LT(x, 32 + nO + 1);
                if (nRow < 0)
                    nRow = y;
                EXPECT_EQ(nRow, y);
            }
    EXPECT_GE(nDiff, nO - 2);
    EXPECT_GT(nRow, H / 2);
}

TEST_F(MenuItems, SeparatorIsOneLineInTheDisabledColour)
{
    AddItem(0, NULL, MF_SEPARATOR);
    CPixelCanvas canvas(W, 5, RGB(0, 0, 0));
    Draw(canvas, 0, 0, { 0, 0, W, 5 });
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(31, 1));
    EXPECT_EQ(MenuPalette::DISABLED, canvas.Pixel(32, 1));
    EXPECT_EQ(MenuPalette::DISABLED, canvas.Pixel(W - 1, 1));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(32, 0));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(32, 2));

    // An item whose text was never stored paints the same way.
    DRAWITEMSTRUCT dis = { ODT_MENU, 0, 999, ODA_DRAWENTIRE, ODS_SELECTED, NULL, canvas.Dc(), { 0, 0, W, 5 }, 0x12345 };
    canvas.Fill(RGB(0, 0, 0));
    g_MenuSkinner.DrawItem(&dis);
    EXPECT_EQ(MenuPalette::DISABLED, canvas.Pixel(100, 1));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(100, 3));
}

TEST_F(MenuItems, ItemsAreDrawnAtTheirRectangle)
{
    int nItem = AddItem(395, L"Offset");
    CPixelCanvas canvas(W + 20, H + 40, RGB(0, 0, 0));
    Draw(canvas, nItem, ODS_SELECTED, { 10, 30, W + 10, H + 30 });
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(9, 40));
    EXPECT_EQ(MenuPalette::BACK, canvas.Pixel(10, 30));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(11, 42));
    EXPECT_EQ(MenuPalette::HOVER, canvas.Pixel(20, 40));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 29));
}

TEST_F(MenuItems, UpdatePassVisitsThePopupAndOneSubmenuLevel)
{
    CMenu sub, subsub;
    subsub.CreatePopupMenu();
    subsub.AppendMenu(MF_STRING, 203, L"Third");
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, 202, L"Second");
    sub.AppendMenu(MF_POPUP, (UINT_PTR)subsub.Detach(), L"Level two");
    m_menu.AppendMenu(MF_STRING, 201, L"First");
    m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), L"Level one");

    CUpdateTarget target;
    g_MenuSkinner.UpdateMenuPopup(&m_menu, &target);
    EXPECT_EQ((std::vector<UINT>{ 201, 202 }), target.m_updated) << "items two levels down are not updated";
    HMENU hSub = ::GetSubMenu(m_menu.m_hMenu, 1);
    EXPECT_TRUE(::GetMenuState(hSub, 0, MF_BYPOSITION) & MF_GRAYED) << "the handler acted on the submenu item";
    EXPECT_TRUE(::GetMenuState(m_menu.m_hMenu, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(m_menu.m_hMenu, 1, MF_BYPOSITION) & MF_GRAYED) << "no handler leaves items enabled";
    EXPECT_TRUE(ItemType(m_menu.m_hMenu, 0) & MFT_OWNERDRAW) << "the popup was prepared first";

    target.m_updated.clear();
    g_MenuSkinner.UpdateMenuPopup(NULL, &target);
    CMenu empty;
    empty.CreatePopupMenu();
    g_MenuSkinner.UpdateMenuPopup(&empty, &target);
    g_MenuSkinner.UpdateMenuPopup(&m_menu, NULL);
    EXPECT_TRUE(target.m_updated.empty());
}
