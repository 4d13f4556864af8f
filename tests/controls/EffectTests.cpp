#include "ControlsTestSupport.h"

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
// An effect button made 10 by 10 at (30, 40), with a red and a blue 60 by 24 image at hand.
struct CEffectHost : CControlHost<CEffectButton>
{
    CEffectHost(LPCWSTR pszText = L"")
        : CControlHost<CEffectButton>(L"Button", BS_OWNERDRAW, CRect(30, 40, 40, 50), pszText)
    {
        normal.Attach(MakeBitmap(60, 24, RED, WHITE));
        hover.Attach(MakeBitmap(60, 24, BLUE, WHITE));
    }
    COLORREF Centre() { return Capture().At(40, 20); }
    CBitmap normal;
    CBitmap hover;
};

// The first row of inked pixels of each text line of the window, top to bottom.
std::vector<int> LineTops(HWND hWnd, COLORREF crBack)
{
    Repaint(hWnd);
    CCapture capture(hWnd);
    std::vector<int> tops;
    for (int y = 0, bInLine = FALSE; y < capture.m_cy; y++)
    {
        BOOL bInk = capture.AnyOtherThan(CRect(0, y, capture.m_cx, y + 1), crBack);
        if (bInk && !bInLine)
            tops.push_back(y);
        bInLine = bInk;
    }
    return tops;
}
}

TEST(EffectButton, SetImageTakesTheBitmapSizeInPlaceAndLeavesOutTheTransparentColour)
{
    CEffectHost host;
    host.control.SetImage(NULL, host.hover, WHITE);
    CRect rc;
    host.control.GetWindowRect(&rc);
    EXPECT_EQ(10, rc.Width());
    host.control.SetImage(host.normal, host.hover, WHITE);
    host.control.GetWindowRect(&rc);
    host.dlg.ScreenToClient(&rc);
    EXPECT_EQ(CRect(30, 40, 90, 64), rc);
    EXPECT_EQ(RED, host.Centre());
    EXPECT_NE(WHITE, host.Capture().At(1, 1));
    host.control.SetImage(host.normal, NULL, RED);
    EXPECT_EQ(WHITE, host.Capture().At(1, 1));
}

TEST(EffectButton, ImageFollowsHoverAndPitchOn)
{
    CEffectHost host;
    host.control.SetImage(host.normal, host.hover, WHITE);
    EXPECT_EQ(RED, host.Centre());

    MovePointer(host.control.m_hWnd, 30, 12);
    ASSERT_TRUE(PumpUntil([&] { return host.control.IsHover(); }));
    EXPECT_EQ(BLUE, host.Centre());
    // The platform's leave notification ends the hover.
    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.control.IsHover(); }));
    EXPECT_EQ(RED, host.Centre());

    host.control.SetPitchOn(true);
    host.control.Invalidate();
    EXPECT_EQ(BLUE, host.Centre());
    // Pitched on without a hover image: the normal image.
    host.control.SetImage(host.normal, NULL, WHITE);
    EXPECT_EQ(RED, host.Centre());
}

TEST(EffectButton, TextStartsAtTheIndent)
{
    for (int nIndent : { 0, 10, 25 })
    {
        CEffectHost host(L"WWW");
        host.control.SetImage(host.normal, NULL, WHITE);
        host.control.SetIndent(nIndent);
        host.control.SetTextColor(BLACK);
        CCapture capture = host.Paint();
        auto ink = [](COLORREF cr) { return IsDark(cr, 100); };
        int nFirst = capture.FirstColumn(CRect(0, 4, capture.m_cx, capture.m_cy), ink);
        EXPECT_GE(nFirst, nIndent) << nIndent;
        EXPECT_LE(nFirst, nIndent + 2) << nIndent;
    }
}

TEST(EffectButton, HandCursorIsSharedAndToolTipComesAndGoes)
{
    CEffectHost host;
    // A tip set empty first makes the window without a tool.
    host.control.SetToolTip(L"");
    ASSERT_TRUE(::IsWindow(host.control.GetToolTipWindow()));
    EXPECT_EQ(0, (int)::SendMessageW(host.control.GetToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0));
    CheckHandCursorAndToolTip(host.control);
}

TEST(EffectStatic, WrapsAtLineFeedsAndTheWidthOverItsOwnBackground)
{
    const COLORREF BACK = RGB(10, 200, 30);
    CControlHost<CEffectStatic> host(L"Static", SS_RIGHT, CRect(10, 10, 210, 100));
    EXPECT_EQ((DWORD)SS_OWNERDRAW, host.control.GetStyle() & SS_TYPEMASK);
    host.control.SetBackColor(BACK);
    host.control.SetWindowText(L"Hbc\nHef");
    std::vector<int> tops = LineTops(host.control.m_hWnd, BACK);
    ASSERT_EQ(2u, tops.size());
    EXPECT_EQ(18, tops[1] - tops[0]);
    EXPECT_GE(tops[0], 5);

    host.control.SetLineHeight(25);
    host.control.SetWindowText(L"Hbc\nHef\nHb");
    tops = LineTops(host.control.m_hWnd, BACK);
    ASSERT_EQ(3u, tops.size());
    EXPECT_EQ(25, tops[1] - tops[0]);
    EXPECT_EQ(25, tops[2] - tops[1]);

    // A text wider than the control breaks by characters; the last line is drawn.
    host.control.SetLineHeight(18);
    host.control.SetWindowText(CString(L'H', 50));
    EXPECT_EQ(3u, LineTops(host.control.m_hWnd, BACK).size());
    host.control.SetWindowText(L"H");
    EXPECT_EQ(1u, LineTops(host.control.m_hWnd, BACK).size());
}
