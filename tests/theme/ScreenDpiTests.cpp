// Popup menu items for a window on a screen of the DPI the prefix gives, with no window told any
// other: measured at the screen's scale.
#include "ThemeTestSupport.h"
#include "ScreenDpi.h"
#include "parts/CDpiScale.h"
#include "api/Globals.h"

TEST(ScreenDpi, MenuItemsAreMeasuredAtTheScreensScale)
{
    const CDpiScale s(KorvoTest::ScreenDpi());
    ResetTheme();
    g_MenuSkinner.Initialize();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 102, L"Item");
    menu.AppendMenu(MF_SEPARATOR, 0, (LPCWSTR)NULL);
    g_MenuSkinner.PrepareMenu(&menu);
    MENUITEMINFOW info = { sizeof(info), MIIM_DATA };
    ASSERT_TRUE(::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info));

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    g_MenuSkinner.SetMenuWindow(owner.m_hWnd);
    MEASUREITEMSTRUCT text = { ODT_MENU, 0, 102, 0, 0, info.dwItemData };
    MEASUREITEMSTRUCT separator = { ODT_MENU, 0, 0, 0, 0, 0 };
    g_MenuSkinner.MeasureItem(&text);
    g_MenuSkinner.MeasureItem(&separator);
    // 25 and 5 high at 96 DPI.
    EXPECT_NEAR(s.Scale(25), (int)text.itemHeight, 1);
    EXPECT_NEAR(s.Scale(5), (int)separator.itemHeight, 1);
    g_MenuSkinner.SetMenuDpi(CDpiScale::BASE_DPI);
    owner.DestroyWindow();
}
