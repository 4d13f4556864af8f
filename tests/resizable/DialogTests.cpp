#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;

namespace
{
// What the system puts in the query before the window answers it.
MINMAXINFO SystemMinMaxInfo()
{
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = CPoint(11, 12);
    mmi.ptMaxTrackSize = CPoint(2001, 2002);
    mmi.ptMaxPosition = CPoint(-4, -5);
    mmi.ptMaxSize = CPoint(1031, 777);
    return mmi;
}

MINMAXINFO AskMinMaxInfo(CWnd& wnd)
{
    MINMAXINFO mmi = SystemMinMaxInfo();
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi;
}
}

TEST(ResizableDialog, TrackSizesReachTheMinMaxQueryAndTheCreatedSizeIsTheLeastForTopLevelDialogs)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    const CSize sizeCreated = WindowRectOf(dlg).Size();
    CRect rectFrame;
    dlg.GetClientRect(&rectFrame);
    ::AdjustWindowRectEx(&rectFrame, dlg.GetStyle(), FALSE, dlg.GetExStyle());
    EXPECT_EQ(rectFrame.Size(), sizeCreated) << "the frame fits the template's client area";
    dlg.SetWindowPos(NULL, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(sizeCreated, WindowRectOf(dlg).Size()) << "it cannot be made smaller";

    dlg.SetMaxTrackSize(CSize(900, 700));
    dlg.SetMaximizedRect(CRect(10, 20, 810, 620));
    auto expectSet = [&](const MINMAXINFO& mmi) {
        EXPECT_EQ(CPoint(sizeCreated.cx, sizeCreated.cy), CPoint(mmi.ptMinTrackSize));
        EXPECT_EQ(CPoint(900, 700), CPoint(mmi.ptMaxTrackSize));
        EXPECT_EQ(CPoint(10, 20), CPoint(mmi.ptMaxPosition));
        EXPECT_EQ(CPoint(800, 600), CPoint(mmi.ptMaxSize));
    };
    expectSet(AskMinMaxInfo(dlg));
    CResizableMinMax copy(dlg), assigned;
    assigned = dlg;

    dlg.ResetMinTrackSize();
    dlg.ResetMaxTrackSize();
    dlg.ResetMaximizedRect();
    MINMAXINFO mmiReset = AskMinMaxInfo(dlg), mmiSystem = SystemMinMaxInfo();
    EXPECT_EQ(0, memcmp(&mmiSystem, &mmiReset, sizeof(MINMAXINFO))) << "what is not set keeps the system's value";
    // Copies carry every setting.
    for (CResizableMinMax* p : { &copy, &assigned })
    {
        MINMAXINFO mmi = SystemMinMaxInfo();
        p->MinMaxInfo(&mmi);
        expectSet(mmi);
    }
    dlg.DestroyWindow();

    // A child dialog gets no minimum, but its grip all the same.
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, NULL, L"host", WS_POPUP, 0, 0, 400, 300, NULL, NULL));
    KorvoTest::CDialogTemplate dlgTemplate(WS_CHILD | DS_CONTROL | DS_SETFONT, 120, 80, L"child");
    ASSERT_TRUE(dlg.CreateIndirect(dlgTemplate.Get(), &host));
    EXPECT_TRUE(dlg.m_wndGrip.m_hWnd != NULL);
    EXPECT_EQ(CPoint(11, 12), CPoint(AskMinMaxInfo(dlg).ptMinTrackSize));
    dlg.DestroyWindow();
    host.DestroyWindow();
}
