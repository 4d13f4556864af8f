// Toolbars on a screen of the DPI the prefix gives, with no window told any other: their buttons
// are laid out at the screen's scale.
#include "BarTestSupport.h"
#include "ScreenDpi.h"
#include <parts/CDpiScale.h>

using namespace BarTest;

TEST(ScreenDpi, ToolbarButtonsAreSizedAtTheScreensScale)
{
    const CDpiScale s(KorvoTest::ScreenDpi());
    ::SetCursorPos(1, 1);
    CHostWnd host;
    ASSERT_TRUE(host.Create(s.Scale(400), s.Scale(200)));
    {
        // Two buttons 30 wide at 96 DPI across the top, one 18 square down the side.
        CCoolBarCtrl top, side;
        ASSERT_TRUE(top.Create(&host, WS_VISIBLE, ID_TOP));
        ASSERT_TRUE(side.Create(&host, WS_VISIBLE | CBRS_ALIGN_LEFT, ID_SIDE));
        top.Add(101, NULL, 30);
        top.Add(102, NULL, 30);
        side.Add(1, NULL, 18);
        host.RecalcLayout();
        for (int n = 0; n < 2; n++)
        {
            CRect rc;
            ASSERT_TRUE(top.GetItemRect(top.GetIndex(n), &rc));
            EXPECT_NEAR(n * s.Scale(30), rc.left, 1) << n;
            EXPECT_NEAR(s.Scale(30), rc.Width(), 1) << n;
        }
        const CSize size = side.CalcFixedLayout(FALSE, FALSE);
        EXPECT_NEAR(s.Scale(18), size.cx, 1);
        EXPECT_NEAR(s.Scale(18), size.cy, 1);
        top.DestroyWindow();
        side.DestroyWindow();
    }
    host.DestroyWindow();
    KorvoTest::PumpMessages(10);
}
