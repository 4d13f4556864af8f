#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const COLORREF ORANGE_EDGE = RGB(255, 203, 121);
const COLORREF CHECK_MARK = RGB(0, 170, 170);
// The check mark's middle stroke passes (l + 3, b - 3) of the 9x9 box inside the frame.
const CPoint MARK(2 + 3, 5 + 9 - 3);

// A check box of 120 by cy at (10, 10), painted.
struct CCheckHost : CControlHost<CSkinCheckBox>
{
    CCheckHost(int cy, DWORD dwStyle = BS_AUTOCHECKBOX, LPCWSTR pszText = L"Check me")
        : CControlHost<CSkinCheckBox>(L"Button", dwStyle, CRect(10, 10, 130, 10 + cy), pszText)
    {
        Repaint(control.m_hWnd);
    }
};
}

TEST(CheckBox, OwnerDrawnWhateverItsTypeWithTheBoxCentredFromFourteenPixels)
{
    const COLORREF crFrame = ::GetSysColor(COLOR_HIGHLIGHT);
    // Lower controls are filled by the box; every button type becomes owner-drawn and keeps
    // its other styles.
    struct Row
    {
        int cy;
        DWORD dwStyle;
        int nTop, nBottom;
    } rows[] = {
        { 12, BS_AUTOCHECKBOX, 0, 12 }, { 13, BS_CHECKBOX, 0, 13 }, { 14, BS_3STATE, 0, 13 },
        { 20, BS_AUTO3STATE, 3, 16 },   { 21, BS_PUSHBUTTON, 4, 17 }, { 12, BS_AUTOCHECKBOX | BS_LEFTTEXT, 0, 12 },
        { 20, BS_PUSHBUTTON | BS_LEFTTEXT, 3, 16 },
    };
    for (const Row& row : rows)
    {
        CCheckHost host(row.cy, row.dwStyle);
        EXPECT_EQ((DWORD)BS_OWNERDRAW, host.control.GetStyle() & BS_TYPEMASK) << row.dwStyle;
        EXPECT_EQ(row.dwStyle & BS_LEFTTEXT, host.control.GetStyle() & BS_LEFTTEXT) << row.dwStyle;
        CCapture capture(host.control.m_hWnd);
        int nLeft = row.dwStyle & BS_LEFTTEXT ? 120 - 13 : 0;
        EXPECT_EQ(crFrame, capture.At(nLeft, row.nTop)) << row.cy;
        EXPECT_EQ(crFrame, capture.At(nLeft + 12, row.nBottom - 1)) << row.cy;
        EXPECT_EQ(13, capture.CountRow(row.nTop, nLeft, nLeft + 13, crFrame)) << row.cy;
        EXPECT_EQ(row.nBottom - row.nTop, capture.CountColumn(nLeft, 0, row.cy, crFrame)) << row.cy;
        // Text right of the box, or from the left edge with the box on the right.
        auto ink = [](COLORREF cr) { return IsDark(cr, 150); };
        int nText = capture.FirstColumn(CRect(0, 0, capture.m_cx, capture.m_cy), ink);
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
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), CCapture(host.control.m_hWnd).At(l + 5, t + 5));

    MovePointer(host.control.m_hWnd, 60, 10);
    ASSERT_TRUE(PumpUntil([&] { return host.control.IsHover(); }));
    CCapture hot = host.Capture();
    EXPECT_EQ(RGB(254, 255, 255), hot.At(l, t));
    EXPECT_EQ(RGB(254, 255, 255), hot.At(l, t + 1));
    EXPECT_EQ(RGB(255, 243, 217), hot.At(l, t + 5));
    EXPECT_EQ(RGB(255, 243, 217), hot.At(l + 4, t));
    EXPECT_EQ(RGB(254, 220, 139), hot.At(l + 3, t + 1));
    EXPECT_EQ(RGB(255, 220, 185), hot.At(l + 1, t + 4));
    EXPECT_EQ(ORANGE_EDGE, hot.At(l + 10, t + 10));
    EXPECT_EQ(RGB(255, 204, 122), hot.At(l + 9, t + 9));

    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.control.IsHover(); }));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), host.Capture().At(l + 10, t + 10));
}

TEST(CheckBox, ClicksToggleTheStateAndNotifyTheParent)
{
    CCheckHost host(20);
    // Each click lands elsewhere than the one before, so no two make a double click.
    int nClick = 0;
    auto click = [&] {
        MovePointer(host.control.m_hWnd, nClick++ % 2 ? 80 : 40, 10);
        size_t nClicks = host.dlg.m_clicks.size();
        ClickPointer();
        EXPECT_TRUE(PumpUntil([&] { return host.dlg.m_clicks.size() > nClicks; }));
        return host.Capture().At(MARK.x, MARK.y);
    };
    EXPECT_EQ(0, host.control.GetCheck());
    EXPECT_EQ(CHECK_MARK, click());
    EXPECT_EQ(1, host.control.GetCheck());
    EXPECT_FALSE(host.control.IsHover());
    EXPECT_NE(CHECK_MARK, click());
    EXPECT_EQ(0, host.control.GetCheck());
    host.control.SetCheck(2);
    EXPECT_EQ(CHECK_MARK, host.Capture().At(MARK.x, MARK.y));
    click();
    EXPECT_EQ(1, host.control.GetCheck());
    ASSERT_EQ(3u, host.dlg.m_clicks.size());
    EXPECT_EQ(CCheckHost::ID, host.dlg.m_clicks[0]);
    MovePointerAway();
}

TEST(CheckBox, DisabledShowsGreyTextAndNoCheckMark)
{
    for (LPCWSTR pszText : { L"Disabled", L"X" })
    {
        // Disabled from the start: the control draws its text over the background without
        // erasing it, so an enabled paint before would leave its text beneath.
        CCheckHost host(20, BS_AUTOCHECKBOX | WS_DISABLED, pszText);
        host.control.SetCheck(1);
        Repaint(host.control.m_hWnd);
        CCapture capture(host.control.m_hWnd);
        EXPECT_NE(CHECK_MARK, capture.At(MARK.x, MARK.y)) << pszText;
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), capture.At(MARK.x, MARK.y)) << pszText;
        // The text is the platform's embossed disabled text in the control's font, drawn two
        // pixels right of the box and one below its top; a one-letter text is measured by the
        // system. The reference is drawn the same way over the control's own surface, so any font
        // the machine has gives the same pixels to both.
        HWND hControl = host.control.m_hWnd;
        HDC hDC = ::GetDC(hControl);
        CRect rcClient;
        ::GetClientRect(hControl, &rcClient);
        ::FillRect(hDC, &rcClient, ::GetSysColorBrush(COLOR_BTNFACE));
        HFONT hFont = (HFONT)host.control.SendMessage(WM_GETFONT);
        HGDIOBJ hOldFont = hFont ? ::SelectObject(hDC, hFont) : NULL;
        ::SetBkMode(hDC, TRANSPARENT);
        CSize szText(0, 0);
        if (wcslen(pszText) > 1)
            ::GetTextExtentPoint32W(hDC, pszText, (int)wcslen(pszText), &szText);
        const int nBoxTop = (20 - 13) / 2;
        ::DrawStateW(hDC, NULL, NULL, (LPARAM)pszText, 0, 13 + 2, nBoxTop + 1, szText.cx, szText.cy,
                     DST_TEXT | DSS_DISABLED);
        if (hOldFont)
            ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(hControl, hDC);
        CCapture reference(hControl);
        int nShadow = 0, nDifferent = 0;
        for (int y = 0; y < 20; y++)
        {
            nShadow += capture.CountRow(y, 16, 120, ::GetSysColor(COLOR_BTNSHADOW));
            for (int x = 14; x < 120; x++)
                nDifferent += capture.At(x, y) != reference.At(x, y);
        }
        EXPECT_GT(nShadow, 0) << pszText;
        EXPECT_EQ(0, nDifferent) << pszText;
    }
}

namespace
{
bool SamePixels(const CCapture& a, const CCapture& b)
{
    return a.m_cx == b.m_cx && a.m_cy == b.m_cy && a.m_pixels == b.m_pixels;
}
}

TEST(CheckBox, EachPaintStartsFromTheParentsBackground)
{
    // The enabled look is the box and the text over what the dialog shows beneath.
    CCheckHost host(20, BS_AUTOCHECKBOX, L"Check me");
    host.control.SetCheck(1);
    CCapture enabled = host.Paint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), enabled.At(119, 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), enabled.At(5, 1));

    // Disabled, the enabled text leaves nothing under the grey one: the same pixels as a control
    // disabled from the start.
    host.control.EnableWindow(FALSE);
    CCapture disabled = host.Paint();
    CCheckHost fresh(20, BS_AUTOCHECKBOX | WS_DISABLED, L"Check me");
    fresh.control.SetCheck(1);
    EXPECT_TRUE(SamePixels(fresh.Paint(), disabled));

    // Enabled again, it looks as it did.
    host.control.EnableWindow(TRUE);
    EXPECT_TRUE(SamePixels(enabled, host.Paint()));
}

TEST(CheckBox, TheFocusFramesTheTextAndGoesWithTheFocus)
{
    CCheckHost host(20, BS_AUTOCHECKBOX, L"Check me");
    host.dlg.FocusElsewhere();
    CCapture unfocused = host.Paint();
    host.control.SetFocus();
    CCapture focused = host.Capture();
    EXPECT_FALSE(SamePixels(unfocused, focused));
    // The frame lies round the text, right of the box, and leaves the box alone.
    CRect rcBox(0, 3, 13, 16);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 120; x++)
            if (unfocused.At(x, y) != focused.At(x, y))
            {
                EXPECT_FALSE(rcBox.PtInRect(CPoint(x, y))) << x << ", " << y;
            }
    host.dlg.FocusElsewhere();
    EXPECT_TRUE(SamePixels(unfocused, host.Capture()));
}
