// Controls on a screen of the DPI the prefix gives, with no window told any other: the slider's
// thumb and the check box are sized at the screen's scale.
#include "ControlsTestSupport.h"
#include "ScreenDpi.h"
#include <parts/CDpiScale.h>

using namespace ControlsTest;

TEST(ScreenDpi, SliderThumbIsTheSystemsOwnAtTheScreensScale)
{
    KorvoTest::ScreenDpi();
    const CRect rc(10, 10, 250, 80);
    CControlHost<CSkinSliderCtrl> host(TRACKBAR_CLASSW, TBS_NOTICKS, rc);
    // The thumb the system's own control takes, from a plain one beside it: the system makes it
    // for the screen's DPI, 1.5 or 2 times its size at 96 there, and it is not scaled again.
    HWND hPlain = host.dlg.AddControl(TRACKBAR_CLASSW, 1001, TBS_NOTICKS, rc.left, rc.bottom + 10, rc.Width(), rc.Height());
    CRect rcPlain;
    ::SendMessageW(hPlain, TBM_GETTHUMBRECT, 0, (LPARAM)&rcPlain);
    Repaint(host.control.m_hWnd);
    CRect rcThumb;
    host.control.GetThumbRect(&rcThumb);
    EXPECT_NEAR(rcPlain.Height(), rcThumb.Height(), 1);
    EXPECT_NEAR(rcPlain.Width(), rcThumb.Width(), 1);
}

TEST(ScreenDpi, CheckBoxIsSizedAtTheScreensScale)
{
    const CDpiScale s(KorvoTest::ScreenDpi());
    const COLORREF crFrame = ::GetSysColor(COLOR_HIGHLIGHT);
    CControlHost<CSkinCheckBox> host(L"Button", BS_AUTOCHECKBOX, CRect(10, 10, 170, 50), L"Check me");
    // The box's frame, 13 square at 96 DPI, down the left edge and along its top row.
    const CCapture capture = host.Paint();
    const int nSide = capture.CountColumn(0, 0, capture.m_cy, crFrame);
    EXPECT_NEAR(s.Scale(13), nSide, 1);
    EXPECT_EQ(nSide, capture.CountRow((capture.m_cy - nSide) / 2, 0, capture.m_cy, crFrame));
}
