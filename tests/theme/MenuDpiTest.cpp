// Popup menu items measured and painted at the DPI of the window their menu opens for.
#include "ThemeTestSupport.h"
#include "parts/CWindowDpi.h"

namespace
{
const COLORREF BACK = RGB(250, 240, 230), BORDER = RGB(0, 0, 160), BACK_CHECK = RGB(180, 220, 180), BLACK = RGB(0, 0, 0);
const int W = 200;

class MenuDpi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTheme();
        g_Theme.m_crMenuBack = BACK;
        g_Theme.m_crBorder = BORDER;
        g_Theme.m_crBackCheck = BACK_CHECK;
        g_MenuSkinner.Initialize();
        m_menu.CreatePopupMenu();
    }
    void TearDown() override
    {
        g_bMenuPrinting = 1;
        g_MenuSkinner.SetMenuDpi(CDpiScale::BASE_DPI);
    }
    void AddItem(UINT nID, LPCWSTR pszText, UINT nFlags = MF_STRING)
    {
        m_menu.AppendMenu(nFlags, nID, pszText);
        g_MenuSkinner.PrepareMenu(&m_menu);
    }
    ULONG_PTR ItemData(int nPosition)
    {
        MENUITEMINFOW info = { sizeof(info), MIIM_DATA };
        ::GetMenuItemInfoW(m_menu.m_hMenu, nPosition, TRUE, &info);
        return info.dwItemData;
    }

    CMenu m_menu;
};
}

TEST_F(MenuDpi, ItemsAreMeasuredAndBoxedAtTheDpiOfTheirOwner)
{
    AddItem(102, L"Checked item");
    AddItem(0, NULL, MF_SEPARATOR);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    UINT nWidthAt96 = 0;
    for (UINT nDpi : { 96u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        ASSERT_TRUE(CWindowDpi::Remember(owner.m_hWnd, nDpi));
        g_MenuSkinner.SetMenuWindow(owner.m_hWnd);
        MEASUREITEMSTRUCT text = { ODT_MENU, 0, 102, 0, 0, ItemData(0) };
        MEASUREITEMSTRUCT separator = { ODT_MENU, 0, 0, 0, 0, 0 };
        g_MenuSkinner.MeasureItem(&text);
        g_MenuSkinner.MeasureItem(&separator);
        EXPECT_EQ((UINT)s.Scale(25), text.itemHeight);
        EXPECT_EQ(CSize(s.Scale(10), s.Scale(5)), CSize(separator.itemWidth, separator.itemHeight));
        if (nDpi == 96)
            nWidthAt96 = text.itemWidth;
        else
            EXPECT_GT(text.itemWidth, nWidthAt96 + 16) << "the font and the margins grow";

        // The check box from (2, 2), 20 wide, and the 16-pixel mark centred in its scaled place.
        const int cy = (int)text.itemHeight, nBox = s.Scale(2), nRight = nBox + s.Scale(20) - 1;
        CPixelCanvas canvas(W, cy + 2, BLACK);
        g_bMenuPrinting = 0;
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, 102, ODA_DRAWENTIRE, ODS_CHECKED, (HWND)m_menu.m_hMenu, canvas.Dc(), { 0, 0, W, cy } };
        dis.itemData = text.itemData;
        g_MenuSkinner.DrawItem(&dis);
        EXPECT_EQ(BORDER, canvas.Pixel(nBox, nBox));
        EXPECT_EQ(BORDER, canvas.Pixel(nRight, cy / 2));
        EXPECT_EQ(BORDER, canvas.Pixel(nBox, cy - 2));
        EXPECT_EQ(BACK, canvas.Pixel(nRight + 1, cy / 2));
        EXPECT_EQ(BACK_CHECK, canvas.Pixel(nRight - 1, cy - 3));
        const CPoint ptMark(s.Scale(8) + (s.Scale(16) - 16) / 2, s.Scale(4) + (s.Scale(16) - 16) / 2);
        EXPECT_EQ(BLACK, canvas.Pixel(ptMark.x + 11, ptMark.y + 5));
        EXPECT_EQ(BLACK, canvas.Pixel(ptMark.x + 7, ptMark.y + 10));
    }
    CWindowDpi::Forget(owner.m_hWnd);
    owner.DestroyWindow();
}
