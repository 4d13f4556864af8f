#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const UINT IDC_CHECK = 200;
const COLORREF ORANGE_EDGE = RGB(255, 203, 121);
const COLORREF CHECK_MARK = RGB(0, 170, 170);

BOOL IsDark(COLORREF cr)
{
    return GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 150;
}

// The leftmost column holding a dark (text) pixel, or -1.
int FirstDarkColumn(const CCapture& capture)
{
    for (int x = 0; x < capture.m_cx; x++)
        for (int y = 0; y < capture.m_cy; y++)
            if (IsDark(capture.At(x, y)))
                return x;
    return -1;
}

struct CCheckHost
{
    CCheckHost(int cy, DWORD dwStyle = BS_AUTOCHECKBOX, LPCWSTR pszText = L"Check me")
    {
        dlg.AddControl(L"Button", IDC_CHECK, dwStyle, 10, 10, 120, cy, pszText);
        EXPECT_TRUE(check.SubclassDlgItem(IDC_CHECK, &dlg));
        MovePointerAway();
        Repaint(check.m_hWnd);
    }
    CHostDialog dlg;
    CSkinCheckBox check;
};
}

TEST(CheckBox, TakesTheOwnerDrawTypeWhateverButtonTypeItHad)
{
    for (DWORD dwType : { BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE, BS_PUSHBUTTON })
    {
        CCheckHost host(16, dwType | BS_LEFTTEXT);
        EXPECT_EQ((DWORD)BS_OWNERDRAW, host.check.GetStyle() & BS_TYPEMASK) << dwType;
        EXPECT_TRUE(host.check.GetStyle() & BS_LEFTTEXT) << dwType;
    }
}

TEST(CheckBox, BoxIsCentredFromFourteenPixelsAndFillsLowerControls)
{
    const COLORREF crFrame = ::GetSysColor(COLOR_HIGHLIGHT);
    struct Row
    {
        int cy;
        DWORD dwStyle;
        int nTop, nBottom;
    } rows[] = {
        { 12, 0, 0, 12 }, { 13, 0, 0, 13 }, { 14, 0, 0, 13 }, { 20, 0, 3, 16 }, { 21, 0, 4, 17 },
        { 12, BS_LEFTTEXT, 0, 12 }, { 20, BS_LEFTTEXT, 3, 16 },
    };
    for (const Row& row : rows)
    {
        CCheckHost host(row.cy, BS_AUTOCHECKBOX | row.dwStyle);
        CCapture capture(host.check.m_hWnd);
        int nLeft = row.dwStyle & BS_LEFTTEXT ? 120 - 13 : 0;
        EXPECT_EQ(crFrame, capture.At(nLeft, row.nTop)) << row.cy;
        EXPECT_EQ(crFrame, capture.At(nLeft + 12, row.nBottom - 1)) << row.cy;
        EXPECT_EQ(13, capture.CountRow(row.nTop, nLeft, nLeft + 13, crFrame)) << row.cy;
        EXPECT_EQ(row.nBottom - row.nTop, capture.CountColumn(nLeft, 0, row.cy, crFrame)) << row.cy;
        // Text right of the box, or from the left edge with the box on the right.
        int nText = FirstDarkColumn(capture);
        if (row.dwStyle & BS_LEFTTEXT)
            EXPECT_LE(nText, 2) << row.cy;
        else
            EXPECT_GE(nText, 16) << row.cy;
    }
}

TEST(CheckBox, HoverLightsTheBoxOrangeUntilThePollFindsThePointerGone)
{
    CCheckHost host(20);
    // Interior of the box: (l, t) one inside the frame at (0, 3).
    const int l = 1, t = 4;
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), CCapture(host.check.m_hWnd).At(l + 5, t + 5));

    MovePointer(host.check.m_hWnd, 60, 10);
    ASSERT_TRUE(PumpUntil([&] { return host.check.IsHover(); }));
    KorvoTest::PumpMessages(0);
    CCapture hot(host.check.m_hWnd);
    EXPECT_EQ(RGB(254, 255, 255), hot.At(l, t));
    EXPECT_EQ(RGB(254, 255, 255), hot.At(l, t + 1));
    EXPECT_EQ(RGB(255, 243, 217), hot.At(l, t + 5));
    EXPECT_EQ(RGB(255, 243, 217), hot.At(l + 4, t));
    EXPECT_EQ(RGB(254, 220, 139), hot.At(l + 3, t + 1));
    EXPECT_EQ(RGB(255, 220, 185), hot.At(l + 1, t + 4));
    EXPECT_EQ(ORANGE_EDGE, hot.At(l + 10, t + 10));
    EXPECT_EQ(RGB(255, 204, 122), hot.At(l + 9, t + 9));

    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.check.IsHover(); }));
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), CCapture(host.check.m_hWnd).At(l + 10, t + 10));
}

TEST(CheckBox, ClicksToggleTheStateAndNotifyTheParent)
{
    CCheckHost host(20);
    // The check mark's middle stroke passes (l + 3, b - 3) of the 9x9 box inside the frame.
    const CPoint ptMark(2 + 3, 5 + 9 - 3);
    CRect rc;
    host.check.GetWindowRect(&rc);
    // Each click lands elsewhere than the one before, so no two make a double click.
    int nClick = 0;
    auto click = [&] {
        MovePointer(host.check.m_hWnd, nClick++ % 2 ? 80 : 40, 10);
        INPUT inputs[2] = { { INPUT_MOUSE }, { INPUT_MOUSE } };
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        size_t nClicks = host.dlg.m_clicks.size();
        ::SendInput(2, inputs, sizeof(INPUT));
        EXPECT_TRUE(PumpUntil([&] { return host.dlg.m_clicks.size() > nClicks; }));
        KorvoTest::PumpMessages(0);
    };
    EXPECT_EQ(0, host.check.GetCheck());
    click();
    EXPECT_EQ(1, host.check.GetCheck());
    EXPECT_FALSE(host.check.IsHover());
    EXPECT_EQ(CHECK_MARK, CCapture(host.check.m_hWnd).At(ptMark.x, ptMark.y));
    click();
    EXPECT_EQ(0, host.check.GetCheck());
    EXPECT_NE(CHECK_MARK, CCapture(host.check.m_hWnd).At(ptMark.x, ptMark.y));
    host.check.SetCheck(2);
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(CHECK_MARK, CCapture(host.check.m_hWnd).At(ptMark.x, ptMark.y));
    click();
    EXPECT_EQ(1, host.check.GetCheck());
    ASSERT_EQ(3u, host.dlg.m_clicks.size());
    EXPECT_EQ(IDC_CHECK, host.dlg.m_clicks[0]);
    MovePointerAway();
}

TEST(CheckBox, DisabledShowsGreyTextAndNoCheckMark)
{
    const CPoint ptMark(2 + 3, 5 + 9 - 3);
    for (LPCWSTR pszText : { L"Disabled", L"X" })
    {
        CCheckHost host(20, BS_AUTOCHECKBOX, pszText);
        host.check.SetCheck(1);
        host.check.EnableWindow(FALSE);
        Repaint(host.check.m_hWnd);
        CCapture capture(host.check.m_hWnd);
        EXPECT_NE(CHECK_MARK, capture.At(ptMark.x, ptMark.y)) << pszText;
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), capture.At(ptMark.x, ptMark.y)) << pszText;
        // Embossed text in the shadow colour, hardly any in the normal text colour; a one-letter
        // text is measured by the system and drawn too.
        int nShadow = 0, nDark = 0;
        for (int y = 0; y < 20; y++)
        {
            nShadow += capture.CountRow(y, 16, 120, ::GetSysColor(COLOR_BTNSHADOW));
            nDark += capture.CountRow(y, 16, 120, RGB(0, 0, 0));
        }
        EXPECT_GT(nShadow, 0) << pszText;
        EXPECT_LT(nDark * 4, nShadow) << pszText;
    }
}
