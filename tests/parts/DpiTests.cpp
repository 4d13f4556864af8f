// A window's DPI and lengths scaled to it: rounding, numbers at the ends of the integer range,
// boxes that keep their size wherever they start, and the DPI a window and its descendants
// report once told one.
#include "../support/KorvoTest.h"
#include "parts/CDpiScale.h"
#include "parts/CWindowDpi.h"
#include <gtest/gtest.h>
#include <climits>

TEST(DpiScale, RoundsHalvesAwayFromZeroAndClampsToTheIntegerRange)
{
    const CDpiScale s144(144), s192(192);
    EXPECT_EQ(2, s144.Scale(1)) << "1.5 rounds up";
    EXPECT_EQ(-2, s144.Scale(-1)) << "and -1.5 down, so boxes counted from the far edge mirror";
    EXPECT_EQ(45, s144.Scale(30));
    EXPECT_EQ(67, s144.Unscale(100));
    EXPECT_EQ(INT_MAX, s192.Scale(INT_MAX));
    EXPECT_EQ(INT_MIN, s192.Scale(INT_MIN));
    EXPECT_EQ(0, CDpiScale::MulDivRound(5, 1, 0)) << "no denominator";

    // A box keeps its size wherever it sits; a point anchor's zero far edge stays zero.
    EXPECT_EQ(CRect(-45, 9, -15, 36), s144.ScaleBox(CRect(-30, 6, -10, 24)));
    EXPECT_EQ(CRect(6, 9, 0, 0), s144.ScaleBox(CRect(4, 6, 0, 0)));
    EXPECT_EQ(CRect(2, 4, 6, 8), CDpiScale(96).ScaleBox(CRect(2, 4, 6, 8)));

    EXPECT_EQ((UINT)CDpiScale::MIN_DPI, CDpiScale(0).GetDpi());
    EXPECT_EQ((UINT)CDpiScale::MAX_DPI, CDpiScale(100000).GetDpi());
}

TEST(DpiScale, ABoxKeepsItsScaledSizeWhereverItStarts)
{
    // At 1.25x, 1.5x and 1.75x an odd origin rounds up by a fraction that its far edge does not
    // share: scaling the two edges apart would give the same box a pixel more or less here and
    // there. The box's origin is the scaled origin, its size the scaled size.
    for (UINT nDpi : { 120u, 144u, 168u })
    {
        const CDpiScale s(nDpi);
        for (int x = -9; x <= 9; x++)
            for (int cx = 1; cx <= 7; cx++)
            {
                const CRect rc(x, 2 * x + 1, x + cx, 2 * x + 1 + cx + 2);
                const CRect rcScaled = s.ScaleBox(rc);
                ASSERT_EQ(s.Scale(rc.TopLeft()), rcScaled.TopLeft()) << nDpi << ": " << x << ", " << cx;
                ASSERT_EQ(s.Scale(rc.Size()), rcScaled.Size()) << nDpi << ": " << x << ", " << cx;
            }
    }
    // Such a box and its edges scaled apart: at 1.5x (1, 3) + 7 x 5 is 11 x 8 wherever it sits,
    // though its edges 1, 3, 8 and 8 become 2, 5, 12 and 12.
    EXPECT_EQ(CRect(2, 5, 13, 13), CDpiScale(144).ScaleBox(CRect(1, 3, 8, 8)));
    EXPECT_EQ(CRect(2, 5, 12, 12), CDpiScale(144).ScaleEdges(CRect(1, 3, 8, 8)));
    EXPECT_EQ(CRect(-14, -11, -3, -3), CDpiScale(144).ScaleBox(CRect(-9, -7, -2, -2)));
}

TEST(WindowDpi, AToldDpiHoldsForTheWindowAndAllItsDescendantsUntilForgotten)
{
    // A page inside a dialog and a control on the page, as an embedded child dialog holds one.
    CWnd parent, child, grandchild;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_TRUE(child.CreateEx(0, L"STATIC", L"", WS_CHILD, 0, 0, 20, 20, parent.m_hWnd, NULL));
    ASSERT_TRUE(grandchild.CreateEx(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, child.m_hWnd, NULL));
    const UINT nSystem = CWindowDpi::Of(parent.m_hWnd);
    EXPECT_GE(nSystem, (UINT)CDpiScale::MIN_DPI);
    const UINT nTold = nSystem == 168 ? 120 : 168;
    ASSERT_TRUE(CWindowDpi::Remember(parent.m_hWnd, nTold));
    EXPECT_EQ(nTold, CWindowDpi::Of(parent.m_hWnd));
    EXPECT_EQ(nTold, CWindowDpi::Of(child.m_hWnd)) << "children follow their top-level window";
    EXPECT_EQ(nTold, CWindowDpi::Of(grandchild.m_hWnd)) << "and so do their children";
    CWindowDpi::Forget(parent.m_hWnd);
    EXPECT_EQ(nSystem, CWindowDpi::Of(child.m_hWnd));
    EXPECT_EQ(nSystem, CWindowDpi::Of(grandchild.m_hWnd));
    EXPECT_EQ(CWindowDpi::OfScreen(), CWindowDpi::Of(NULL));
    EXPECT_FALSE(CWindowDpi::Remember(NULL, 96));
    grandchild.DestroyWindow();
    child.DestroyWindow();
    parent.DestroyWindow();
}
