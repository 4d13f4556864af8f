#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;

TEST(SizeGrip, VisibilityIsCountedOncePerStatusBitAndMayGoBelowZero)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    CGripWindow& grip = dlg.m_wndGrip;
    dlg.ShowWindow(SW_SHOWNORMAL);
    // The dialog's own show request counts from the start, so its grip stays hidden.
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_FALSE(grip.IsWindowVisible());

    dlg.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(-1, dlg.m_nGripVisibility);
    DWORD dwMine = 0;
    dlg.RequestGripShown(&dwMine, 4);
    EXPECT_EQ(4u, dwMine);
    dlg.PositionGrip();
    EXPECT_FALSE(grip.IsWindowVisible()) << "below zero, one show request is not enough";

    dlg.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(grip.IsWindowVisible());
    CRect rectClient;
    dlg.GetClientRect(&rectClient);
    CSize sizeSystem(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(CRect(rectClient.BottomRight() - sizeSystem, sizeSystem), dlg.ChildRect(grip.m_hWnd));
    EXPECT_EQ(DLGC_STATIC, grip.SendMessage(WM_GETDLGCODE)) << "never a tab stop";
    EXPECT_EQ(HTBOTTOMRIGHT, grip.SendMessage(WM_NCHITTEST, 0, 0));

    for (int n = 0; n < 3; n++)
        dlg.RequestGripShown(&dwMine, 4);
    dlg.RequestGripHidden(&dwMine, 4);
    dlg.RequestGripHidden(&dwMine, 4);
    EXPECT_EQ(0, dlg.m_nGripVisibility) << "a bit counts once, whichever way it is toggled";
    EXPECT_EQ(0u, dwMine);
    dlg.PositionGrip();
    EXPECT_FALSE(grip.IsWindowVisible());
    dlg.DestroyWindow();
}

TEST(SizeGrip, TriangleAndSeeThroughFollowTheSwitchesTheSizeAndSettingChanges)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    const COLORREF crParent = RGB(255, 0, 0);
    CBrush brParent(crParent);
    dlg.m_hbrDialog = (HBRUSH)brParent.m_hObject;
    CGripWindow& grip = dlg.m_wndGrip;
    const CSize size = grip.GetGripSize();
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject)) << "the dialog's grip starts as a triangle";
    // The lower-right triangle: its three corners in, the diagonal's upper-left side out.
    EXPECT_TRUE(rgn.PtInRegion(size.cx - 1, size.cy - 1) && rgn.PtInRegion(size.cx - 1, 1)
                && rgn.PtInRegion(1, size.cy - 1));
    EXPECT_FALSE(rgn.PtInRegion(0, 0) || rgn.PtInRegion(size.cx / 2 - 2, size.cy / 2 - 2));
    EXPECT_TRUE(rgn.PtInRegion(size.cx / 2 + 2, size.cy / 2 + 2));
    grip.EnableTriangle(FALSE);
    EXPECT_EQ(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));

    // The whole square is the grip's now: count the parent's colour in it on the screen.
    dlg.ShowWindow(SW_SHOWNORMAL);
    DWORD dwMine = 0;
    dlg.RequestGripShown(&dwMine, 2);
    dlg.PositionGrip();
    const CRect rectGrip = dlg.ChildRect(grip.m_hWnd);
    auto countParentPixels = [&]() {
        dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        KorvoTest::PumpMessages(50);
        CClientDC dc(&dlg);
        int nParent = 0;
        for (int y = 0; y < size.cy; y++)
            for (int x = 0; x < size.cx; x++)
                nParent += dc.GetPixel(rectGrip.left + x, rectGrip.top + y) == crParent;
        return nParent;
    };
    EXPECT_EQ(0, countParentPixels()) << "an opaque grip covers its square";
    grip.EnableSeeThrough(TRUE);
    int nSeeThrough = countParentPixels();
    EXPECT_GT(nSeeThrough, size.cx * size.cy / 2) << "the parent shows around the dots";
    EXPECT_LT(nSeeThrough, size.cx * size.cy) << "the dots are still drawn";
    grip.EnableSeeThrough(FALSE);
    EXPECT_EQ(0, countParentPixels());

    // A settings change re-reads the size, keeps the bottom-right corner and reshapes.
    grip.MoveWindow(50, 40, 40, 30);
    grip.EnableTriangle(TRUE);
    grip.EnableSeeThrough(TRUE);
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    EXPECT_TRUE(rgn.PtInRegion(39, 29)) << "the triangle of the window's size";
    grip.SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(CRect(CPoint(90 - size.cx, 70 - size.cy), size), dlg.ChildRect(grip.m_hWnd));
    EXPECT_TRUE(grip.IsSeeThrough());
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    CRect rectBox;
    rgn.GetRgnBox(&rectBox);
    EXPECT_EQ(CPoint(size.cx, size.cy), rectBox.BottomRight());
    dlg.DestroyWindow();
}
