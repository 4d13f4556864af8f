// The shared drawing and hover parts, on real device contexts and a real window.
#include "../support/KorvoTest.h"
#include "parts/CBufferedPaint.h"
#include "parts/CGdiSelect.h"
#include "parts/CHoverTracker.h"
#include <gtest/gtest.h>

using namespace KorvoTest;

TEST(BufferedPaint, CopiesTheRectangleInTargetCoordinatesAndNothingElse)
{
    CPixelCanvas canvas(60, 40, RGB(255, 255, 255));
    CDC* pTarget = CDC::FromHandle(canvas.Dc());
    COffscreenBuffer buffer;
    {
        CBufferedPaint paint(buffer, pTarget, CRect(10, 5, 30, 25));
        ASSERT_TRUE(paint.IsBuffered());
        paint.GetDC()->FillSolidRect(CRect(10, 5, 30, 25), RGB(0, 0, 200));
        paint.GetDC()->FillSolidRect(CRect(20, 15, 21, 16), RGB(200, 0, 0));
        // Nothing reaches the target before the scope ends.
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 5));
    }
    EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(10, 5));
    EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(29, 24));
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(20, 15));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(9, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(30, 24));

    // The buffer is kept: a second, smaller paint reuses it and starts at the origin again.
    CSize szKept = buffer.GetSize();
    {
        CBufferedPaint paint(buffer, pTarget, CRect(0, 0, 8, 8));
        paint.GetDC()->FillSolidRect(CRect(0, 0, 8, 8), RGB(0, 150, 0));
    }
    EXPECT_EQ(szKept, buffer.GetSize());
    EXPECT_EQ(RGB(0, 150, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(10, 5));
}

TEST(BufferedPaint, WithoutATargetOrAreaItDrawsNothingAndDoesNotCrash)
{
    COffscreenBuffer buffer;
    {
        CBufferedPaint paint(buffer, NULL, CRect(0, 0, 10, 10));
        EXPECT_FALSE(paint.IsBuffered());
        EXPECT_EQ(nullptr, paint.GetDC());
    }
    CPixelCanvas canvas(10, 10);
    CBufferedPaint empty(buffer, CDC::FromHandle(canvas.Dc()), CRect(5, 5, 5, 9));
    EXPECT_FALSE(empty.IsBuffered());
}

TEST(GdiSelect, PutsThePreviousObjectBackAndIgnoresNull)
{
    CPixelCanvas canvas(4, 4);
    HGDIOBJ hBefore = ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    CBrush brush;
    brush.CreateSolidBrush(RGB(1, 2, 3));
    {
        CGdiSelect select(CDC::FromHandle(canvas.Dc()), brush);
        EXPECT_TRUE(select.IsSelected());
        EXPECT_EQ(brush.m_hObject, ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH));
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH));
    CGdiSelect none(canvas.Dc(), NULL);
    EXPECT_FALSE(none.IsSelected());
}

namespace
{
// A plain top-level window at a known place of the screen, and the cursor put over it or away.
struct CHoverWindow
{
    HWND hWnd;
    CHoverWindow()
    {
        hWnd = ::CreateWindowExW(WS_EX_TOPMOST, L"BUTTON", L"", WS_POPUP | WS_VISIBLE, 100, 100, 80, 40, NULL, NULL,
                                 NULL, NULL);
        PumpMessages(50);
    }
    ~CHoverWindow() { ::DestroyWindow(hWnd); }
};
}

TEST(HoverTracker, PollModeEndsWhenTheCursorLeavesAndOwnsOnlyItsTimer)
{
    CHoverWindow window;
    ASSERT_TRUE(window.hWnd);
    ::SetCursorPos(120, 120);
    PumpMessages(50);
    CHoverTracker tracker(CHoverTracker::timerPoll, 77);
    EXPECT_TRUE(tracker.OnMouseMove(window.hWnd));
    EXPECT_FALSE(tracker.OnMouseMove(window.hWnd)) << "only the first move starts a hover";
    EXPECT_TRUE(tracker.IsHover());
    EXPECT_FALSE(tracker.OnTimer(window.hWnd, 78));
    EXPECT_FALSE(tracker.OnTimer(window.hWnd, 77)) << "the cursor is still over the window";
    ::SetCursorPos(400, 400);
    PumpMessages(50);
    EXPECT_TRUE(tracker.OnTimer(window.hWnd, 77));
    EXPECT_FALSE(tracker.IsHover());
    EXPECT_FALSE(tracker.OnTimer(window.hWnd, 77));
}

TEST(HoverTracker, LeaveModeFollowsTheNotificationAndCancel)
{
    CHoverWindow window;
    CHoverTracker tracker;
    EXPECT_FALSE(tracker.OnMouseLeave()) << "no hover to end";
    EXPECT_TRUE(tracker.OnMouseMove(window.hWnd));
    EXPECT_TRUE(tracker.OnMouseLeave());
    EXPECT_TRUE(tracker.OnMouseMove(window.hWnd));
    EXPECT_TRUE(tracker.Cancel(window.hWnd));
    EXPECT_FALSE(tracker.Cancel(window.hWnd));
    EXPECT_FALSE(tracker.OnMouseMove(NULL));
}
