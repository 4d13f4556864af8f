#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;
using KorvoTest::CDialogTemplate;

namespace
{
const UINT ID_CORNER = 701;
const UINT ID_FILL = 702;

CDialogTemplate AnchoredTemplate(DWORD dwStyle = TOP_LEVEL_STYLE)
{
    CDialogTemplate dlgTemplate(dwStyle, 120, 80, L"resizable");
    dlgTemplate.AddControl(L"Button", ID_CORNER, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"OK")
        .AddControl(L"ListBox", ID_FILL, LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VISIBLE, 0, 0, 10, 10);
    return dlgTemplate;
}

CSize WindowSize(CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.Size();
}

MINMAXINFO AskMinMaxInfo(CWnd& wnd)
{
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = CPoint(11, 12);
    mmi.ptMaxTrackSize = CPoint(2001, 2002);
    mmi.ptMaxPosition = CPoint(-4, -5);
    mmi.ptMaxSize = CPoint(1031, 777);
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi;
}
}

TEST(ResizableDialog, CannotBecomeSmallerThanItWasCreated)
{
    CDialogTemplate dlgTemplate = AnchoredTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    CSize sizeCreated = WindowSize(dlg);
    CRect rectClient;
    dlg.GetClientRect(&rectClient);
    CRect rectFrame = rectClient;
    ::AdjustWindowRectEx(&rectFrame, dlg.GetStyle(), FALSE, dlg.GetExStyle());
    EXPECT_EQ(rectFrame.Size(), sizeCreated) << "the frame fits the template's client area";

    MINMAXINFO mmi = AskMinMaxInfo(dlg);
    EXPECT_EQ(sizeCreated.cx, mmi.ptMinTrackSize.x);
    EXPECT_EQ(sizeCreated.cy, mmi.ptMinTrackSize.y);
    EXPECT_EQ(2001, mmi.ptMaxTrackSize.x) << "what was not set keeps the system's value";
    EXPECT_EQ(1031, mmi.ptMaxSize.x);

    dlg.SetWindowPos(NULL, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(sizeCreated, WindowSize(dlg));
    dlg.SetWindowPos(NULL, 0, 0, sizeCreated.cx + 50, sizeCreated.cy + 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CSize(sizeCreated.cx + 50, sizeCreated.cy + 40), WindowSize(dlg));
    dlg.DestroyWindow();
}

TEST(ResizableDialog, TrackSizesReachTheMinMaxQuery)
{
    CDialogTemplate dlgTemplate = AnchoredTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));

    dlg.SetMaxTrackSize(CSize(900, 700));
    dlg.SetMaximizedRect(CRect(10, 20, 810, 620));
    MINMAXINFO mmi = AskMinMaxInfo(dlg);
    EXPECT_EQ(CPoint(900, 700), CPoint(mmi.ptMaxTrackSize));
    EXPECT_EQ(CPoint(10, 20), CPoint(mmi.ptMaxPosition));
    EXPECT_EQ(CPoint(800, 600), CPoint(mmi.ptMaxSize));

    dlg.ResetMinTrackSize();
    dlg.ResetMaxTrackSize();
    dlg.ResetMaximizedRect();
    mmi = AskMinMaxInfo(dlg);
    EXPECT_EQ(CPoint(11, 12), CPoint(mmi.ptMinTrackSize));
    EXPECT_EQ(CPoint(2001, 2002), CPoint(mmi.ptMaxTrackSize));
    EXPECT_EQ(CPoint(-4, -5), CPoint(mmi.ptMaxPosition));
    EXPECT_EQ(CPoint(1031, 777), CPoint(mmi.ptMaxSize));

    // Copies carry every setting.
    CResizableMinMax minmax;
    minmax.SetMinTrackSize(CSize(3, 4));
    minmax.SetMaximizedRect(CRect(1, 2, 11, 22));
    CResizableMinMax copy(minmax);
    CResizableMinMax assigned;
    assigned = minmax;
    for (CResizableMinMax* p : { &copy, &assigned })
    {
        MINMAXINFO info = {};
        p->MinMaxInfo(&info);
        EXPECT_EQ(CPoint(3, 4), CPoint(info.ptMinTrackSize));
        EXPECT_EQ(CPoint(0, 0), CPoint(info.ptMaxTrackSize));
        EXPECT_EQ(CPoint(1, 2), CPoint(info.ptMaxPosition));
        EXPECT_EQ(CPoint(10, 20), CPoint(info.ptMaxSize));
    }
    dlg.DestroyWindow();
}

TEST(ResizableDialog, ChildDialogsGetNoMinimumSize)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, NULL, L"host", WS_POPUP, 0, 0, 400, 300, NULL, NULL));
    CDialogTemplate dlgTemplate = AnchoredTemplate(WS_CHILD | DS_CONTROL | DS_SETFONT);
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate, &host));
    EXPECT_FALSE(dlg.m_bMinTrackSet);
    EXPECT_TRUE(dlg.m_wndGrip.m_hWnd != NULL) << "the grip is made all the same";
    MINMAXINFO mmi = AskMinMaxInfo(dlg);
    EXPECT_EQ(CPoint(11, 12), CPoint(mmi.ptMinTrackSize));
    dlg.DestroyWindow();
    host.DestroyWindow();
}

TEST(ResizableDialog, ChildrenFollowTheFrameAndComeBackAfterMinimising)
{
    CDialogTemplate dlgTemplate = AnchoredTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(300, 200);
    dlg.PlaceChild(ID_CORNER, 220, 160, 70, 30);
    dlg.PlaceChild(ID_FILL, 10, 10, 280, 140);
    dlg.AddAnchor(ID_CORNER, BOTTOM_RIGHT);
    dlg.AddAnchor(ID_FILL, TOP_LEFT, BOTTOM_RIGHT);
    dlg.ShowWindow(SW_SHOWNORMAL);

    dlg.SetClientSize(360, 250);
    EXPECT_EQ(CRect(280, 210, 350, 240), dlg.ChildRect(ID_CORNER));
    EXPECT_EQ(CRect(10, 10, 350, 200), dlg.ChildRect(ID_FILL));

    dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(dlg.IsIconic());
    dlg.ShowWindow(SW_RESTORE);
    ASSERT_FALSE(dlg.IsIconic());
    EXPECT_EQ(CRect(280, 210, 350, 240), dlg.ChildRect(ID_CORNER));
    EXPECT_EQ(CRect(10, 10, 350, 200), dlg.ChildRect(ID_FILL));

    // Another window maximised or restored: nothing here is arranged, even out of place.
    dlg.PlaceChild(ID_CORNER, 5, 5, 70, 30);
    dlg.SendMessage(WM_SIZE, SIZE_MAXSHOW, MAKELPARAM(360, 250));
    dlg.SendMessage(WM_SIZE, SIZE_MAXHIDE, MAKELPARAM(360, 250));
    EXPECT_EQ(CRect(5, 5, 75, 35), dlg.ChildRect(ID_CORNER));
    dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(360, 250));
    EXPECT_EQ(CRect(280, 210, 350, 240), dlg.ChildRect(ID_CORNER));

    dlg.DestroyWindow();
    EXPECT_EQ(0, dlg.m_lstLayout.GetCount()) << "the window's anchors go with it";
}

TEST(ResizableDialog, TheOwnGripRequestsKeepTheGripHidden)
{
    CDialogTemplate dlgTemplate = AnchoredTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.ShowWindow(SW_SHOWNORMAL);
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());
    EXPECT_TRUE(dlg.m_wndGrip.IsTriangle());
    EXPECT_FALSE(dlg.m_wndGrip.IsSeeThrough());

    dlg.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(-1, dlg.m_nGripVisibility);
    EXPECT_EQ(0u, dlg.m_dwGripRequests);
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_EQ(1u, dlg.m_dwGripRequests);

    // A show request of a derived class's own shows it, in the bottom-right corner.
    DWORD dwMine = 0;
    dlg.RequestGripShown(&dwMine, 2);
    dlg.PositionGrip();
    EXPECT_TRUE(dlg.m_wndGrip.IsWindowVisible());
    CRect rectClient, rectGrip;
    dlg.GetClientRect(&rectClient);
    dlg.m_wndGrip.GetWindowRect(&rectGrip);
    dlg.ScreenToClient(&rectGrip);
    EXPECT_EQ(rectClient.BottomRight(), rectGrip.BottomRight());
    dlg.DestroyWindow();
}

TEST(ResizableDialog, ADialogObjectReopenedAfterClosingMaximisedKeepsItsGripHidden)
{
    CDialogTemplate dlgTemplate = AnchoredTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.ShowWindow(SW_SHOWNORMAL);
    dlg.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    dlg.DestroyWindow();

    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.ShowWindow(SW_SHOWNORMAL);
    dlg.SetClientSize(400, 300);
    EXPECT_EQ(0, dlg.m_nGripVisibility);
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());
    dlg.DestroyWindow();
}
