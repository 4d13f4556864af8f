// A skinned dialog on a screen of the DPI the prefix gives, with no window told any other: its
// frame, caption and Close button are laid out at the screen's scale.
#include "SkinTestSupport.h"
#include "ScreenDpi.h"
#include <parts/CDpiScale.h>
#include <cstdlib>

using namespace SkinTest;

namespace
{
using ScreenDpi = CSkinnedDialogTest;
}

TEST_F(ScreenDpi, SkinnedFrameCaptionAndCloseButtonAreAtTheScreensScale)
{
    const CDpiScale s(KorvoTest::ScreenDpi());
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(CPoint(20, 20), s.Scale(CSize(360, 200)))));
    const CRect rcWindow = dlg.WindowRect();
    const int cx = rcWindow.Width(), cy = rcWindow.Height();

    // The frame is 4, 5 and 6 thick at 96 DPI, under a caption of 30.
    const CRect rcClient = ClientInWindow(dlg);
    EXPECT_NEAR(s.Scale(4), rcClient.left, 1);
    EXPECT_NEAR(s.Scale(30), rcClient.top, 1);
    EXPECT_NEAR(s.Scale(5), cx - rcClient.right, 1);
    EXPECT_NEAR(s.Scale(6), cy - rcClient.bottom, 1);

    // Close is 20 x 18 at (-30, 6) at 96 DPI: its corners within a pixel hit it, a pixel and
    // more outside does not.
    const CRect rcClose(CPoint(cx - s.Scale(30), s.Scale(6)), s.Scale(CSize(20, 18)));
    EXPECT_EQ(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.left + 1, rcClose.top + 1));
    EXPECT_EQ(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.right - 2, rcClose.bottom - 2));
    EXPECT_NE(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.right + 1, rcClose.top + 1));
    EXPECT_NE(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.left - 2, rcClose.bottom - 2));
    EXPECT_NE(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.left + 1, rcClose.bottom + 1));
    // And it is painted there.
    RedrawFrame(dlg.m_hWnd);
    const CWindowCapture capture(dlg.m_hWnd);
    EXPECT_EQ(S::PART_CLOSE, capture.Part(rcClose.left + 1, rcClose.top + 1).nPart);
    EXPECT_EQ(S::PART_CLOSE, capture.Part(rcClose.right - 2, rcClose.bottom - 2).nPart);
}
