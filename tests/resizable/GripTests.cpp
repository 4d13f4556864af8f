#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;
using KorvoTest::CDialogTemplate;

namespace
{
struct CGripDialog
{
    CDialogTemplate dlgTemplate;
    CTestDialog dlg;

    explicit CGripDialog(DWORD dwExStyle = 0) : dlgTemplate(TOP_LEVEL_STYLE, 120, 80, L"grip", dwExStyle) {}
    ~CGripDialog() { dlg.DestroyWindow(); }
    BOOL Create() { return dlg.CreateFrom(dlgTemplate); }
    // Adds a show request of its own so that the grip appears.
    void ShowGrip()
    {
        DWORD dwStatus = 0;
        dlg.RequestGripShown(&dwStatus, 2);
        dlg.PositionGrip();
    }
};

CSize SystemGripSize()
{
    return CSize(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
}
}

TEST(SizeGrip, IsAHiddenSizeGripScrollBarInTheCorner)
{
    CGripDialog d;
    ASSERT_TRUE(d.Create());
    CGripWindow& grip = d.dlg.m_wndGrip;
    wchar_t szClass[64];
    ::GetClassNameW(grip.m_hWnd, szClass, 64);
    EXPECT_EQ(0, _wcsicmp(L"ScrollBar", szClass)) << szClass;
    EXPECT_EQ((DWORD)(WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP),
              grip.GetStyle() & (WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP | WS_VISIBLE));
    EXPECT_EQ(0, grip.GetDlgCtrlID());
    EXPECT_EQ(SystemGripSize(), grip.GetGripSize());
    EXPECT_EQ(DLGC_STATIC, grip.SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(HTBOTTOMRIGHT, grip.SendMessage(WM_NCHITTEST, 0, 0));
}

TEST(SizeGrip, RightToLeftGripsSizeFromTheBottomLeft)
{
    CGripDialog d(WS_EX_LAYOUTRTL);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(HTBOTTOMLEFT, d.dlg.m_wndGrip.SendMessage(WM_NCHITTEST, 0, 0));
}

TEST(SizeGrip, VisibilityIsCountedOncePerStatusBit)
{
    CGripDialog d;
    ASSERT_TRUE(d.Create());
    CTestDialog& dlg = d.dlg;
    d.dlg.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(0, dlg.m_nGripVisibility);

    DWORD dwAlreadyShown = 1;
    for (int n = 0; n < 5; n++)
        dlg.RequestGripShown(&dwAlreadyShown, 1);
    dlg.PositionGrip();
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());

    DWORD dwStatus = 0;
    dlg.RequestGripShown(&dwStatus, 4);
    EXPECT_EQ(4u, dwStatus);
    dlg.PositionGrip();
    EXPECT_TRUE(dlg.m_wndGrip.IsWindowVisible());

    dlg.RequestGripHidden(&dwStatus, 4);
    dlg.RequestGripHidden(&dwStatus, 4);
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_EQ(0u, dwStatus);
    dlg.PositionGrip();
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());

    // Below zero, one more show request is not enough.
    DWORD dwHide = 8;
    dlg.RequestGripHidden(&dwHide, 8);
    EXPECT_EQ(-1, dlg.m_nGripVisibility);
    DWORD dwShow = 0;
    dlg.RequestGripShown(&dwShow, 16);
    dlg.PositionGrip();
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());
}

TEST(SizeGrip, TriangleRegionFollowsTheSwitchAndTheSize)
{
    CGripDialog d;
    ASSERT_TRUE(d.Create());
    CGripWindow& grip = d.dlg.m_wndGrip;
    CSize size = grip.GetGripSize();
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    EXPECT_TRUE(rgn.PtInRegion(size.cx - 1, size.cy - 1));
    EXPECT_TRUE(rgn.PtInRegion(size.cx - 1, 1));
    EXPECT_TRUE(rgn.PtInRegion(1, size.cy - 1));
    EXPECT_FALSE(rgn.PtInRegion(0, 0));
    EXPECT_FALSE(rgn.PtInRegion(size.cx / 2 - 2, size.cy / 2 - 2));
    EXPECT_TRUE(rgn.PtInRegion(size.cx / 2 + 2, size.cy / 2 + 2));

    grip.EnableTriangle(FALSE);
    EXPECT_EQ(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    EXPECT_FALSE(grip.IsTriangle());

    // A settings change re-reads the size, keeps the bottom-right corner and reshapes.
    grip.MoveWindow(50, 40, 40, 30);
    grip.EnableTriangle(TRUE);
    grip.EnableSeeThrough(TRUE);
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    EXPECT_TRUE(rgn.PtInRegion(39, 29)) << "the triangle of the window's size";
    grip.SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    CRect rect;
    grip.GetWindowRect(&rect);
    d.dlg.ScreenToClient(&rect);
    EXPECT_EQ(CRect(CPoint(90 - size.cx, 70 - size.cy), size), rect);
    EXPECT_TRUE(grip.IsSeeThrough());
    ASSERT_NE(ERROR, grip.GetWindowRgn((HRGN)rgn.m_hObject));
    CRect rectBox;
    rgn.GetRgnBox(&rectBox);
    EXPECT_EQ(size.cx, rectBox.right);
    EXPECT_EQ(size.cy, rectBox.bottom);
}

TEST(SizeGrip, SeeThroughPaintingShowsTheParentAroundTheDots)
{
    CGripDialog d;
    ASSERT_TRUE(d.Create());
    CTestDialog& dlg = d.dlg;
    const COLORREF crParent = RGB(255, 0, 0);
    CBrush brParent(crParent);
    dlg.m_hbrDialog = (HBRUSH)brParent.m_hObject;
    CGripWindow& grip = dlg.m_wndGrip;
    grip.EnableTriangle(FALSE); // the whole square is painted by the grip
    dlg.ShowWindow(SW_SHOWNORMAL);
    d.ShowGrip();

    CSize size = grip.GetGripSize();
    CRect rectGrip;
    grip.GetWindowRect(&rectGrip);
    dlg.ScreenToClient(&rectGrip);
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

    int nOpaque = countParentPixels();
    EXPECT_EQ(0, nOpaque) << "an opaque grip covers its square";

    grip.EnableSeeThrough(TRUE);
    ASSERT_TRUE(grip.IsSeeThrough());
    int nSeeThrough = countParentPixels();
    EXPECT_GT(nSeeThrough, size.cx * size.cy / 2) << "the parent shows around the dots";
    EXPECT_LT(nSeeThrough, size.cx * size.cy) << "the dots are still drawn";

    grip.EnableSeeThrough(FALSE);
    EXPECT_FALSE(grip.IsSeeThrough());
    EXPECT_EQ(0, countParentPixels());
}
