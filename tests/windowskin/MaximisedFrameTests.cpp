// A maximised skinned window takes its monitor's work area exactly, as a system-framed one does:
// the caption on screen, the side and bottom edges gone, a pixel left to each auto-hide taskbar,
// and its normal rectangle back on restore.
#include "SkinTestSupport.h"
#include <parts/CWorkArea.h>
#include <shellapi.h>

using namespace SkinTest;

namespace
{
using MaximisedFrame = CSkinnedDialogTest;

CWorkArea::MONITOR g_fed;
CWorkArea::MONITOR FedMonitor(HMONITOR)
{
    return g_fed;
}

// Gives the library monitors of the test's choosing while it lives.
struct CFedMonitors
{
    CFedMonitors() { m_pfnOld = CWorkArea::SetReader(FedMonitor); }
    ~CFedMonitors() { CWorkArea::SetReader(m_pfnOld); }
    CWorkArea::READER m_pfnOld;
};

CRect ClientOnScreen(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    wnd.ClientToScreen(&rc);
    return rc;
}
}

TEST_F(MaximisedFrame, FillsTheWorkAreaWithTheCaptionOnScreenAndComesBackOnRestore)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(40, 40, 440, 240)));
    const CRect rcNormal = dlg.WindowRect();
    const CRect rcWork = CWorkArea::FromSystem(::MonitorFromWindow(dlg.m_hWnd, MONITOR_DEFAULTTONEAREST)).rcWork;

    dlg.ShowWindow(SW_MAXIMIZE);
    KorvoTest::PumpMessages(30);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(rcWork, dlg.WindowRect());
    // The caption strip, 30 rows, stays; the client reaches the work area's other three edges.
    EXPECT_EQ(CRect(rcWork.left, rcWork.top + 30, rcWork.right, rcWork.bottom), ClientOnScreen(dlg));
    EXPECT_EQ(CRect(), dlg.RegionBox()) << "no shape while maximised";
    RedrawFrame(dlg.m_hWnd);
    const CWindowCapture capture(dlg.m_hWnd);
    EXPECT_EQ(S::PART_TOPLEFT, capture.Part(2, 2).nPart);
    EXPECT_NE(S::PART_LEFT, capture.Part(2, 100).nPart) << "no left edge over the client area";
    EXPECT_NE(S::PART_BOTTOM, capture.Part(100, rcWork.Height() - 1).nPart) << "no bottom edge over the client area";
    EXPECT_EQ((UINT)HTCLIENT, dlg.SendNc(WM_NCHITTEST, 0, 1, 100)) << "no resize border";
    EXPECT_EQ((UINT)HTCLIENT, dlg.SendNc(WM_NCHITTEST, 0, 100, rcWork.Height() - 1));

    dlg.ShowWindow(SW_RESTORE);
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(rcNormal, dlg.WindowRect());
    EXPECT_EQ(CSize(400 - 9, 200 - 36), dlg.ClientSize()) << "the skin's frame again";
}

TEST_F(MaximisedFrame, LeavesAPixelToAnAutoHideTaskbarOnAnyEdgeAndKeepsToTheWorkArea)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(40, 40, 440, 240)));
    CFedMonitors fed;
    g_fed.rcMonitor = CRect(0, 0, 1024, 768);
    // A docked taskbar takes 40 pixels at the bottom.
    g_fed.rcWork = CRect(0, 0, 1024, 728);
    g_fed.nAutoHideEdges = 0;
    struct { UINT nEdges; CRect rcExpected; } cases[] = {
        { 0, CRect(0, 0, 1024, 728) },
        { 1u << ABE_LEFT, CRect(1, 0, 1024, 728) },
        { 1u << ABE_TOP, CRect(0, 1, 1024, 728) },
        { 1u << ABE_RIGHT, CRect(0, 0, 1023, 728) },
        { 1u << ABE_BOTTOM, CRect(0, 0, 1024, 727) },
    };
    for (const auto& c : cases)
    {
        g_fed.nAutoHideEdges = c.nEdges;
        dlg.ShowWindow(SW_MAXIMIZE);
        KorvoTest::PumpMessages(30);
        EXPECT_EQ(c.rcExpected, dlg.WindowRect()) << "edges " << c.nEdges;
        EXPECT_EQ(c.rcExpected.bottom, ClientOnScreen(dlg).bottom) << "edges " << c.nEdges;
        dlg.ShowWindow(SW_RESTORE);
        KorvoTest::PumpMessages(30);
    }
    EXPECT_EQ(CRect(40, 40, 440, 240), dlg.WindowRect());
}
