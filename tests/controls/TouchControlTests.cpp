#include "ControlsTestSupport.h"

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
const COLORREF NORMAL = RGB(189, 189, 189);
const COLORREF HOVER = RGB(96, 200, 253);
const COLORREF FOCUS = RGB(58, 146, 199);
const COLORREF TRIANGLE = RGB(200, 200, 200);

// A touch control of class T at (20, 20) in a host dialog whose own button has the focus;
// hover and focus come from the real pointer and the real focus.
template <typename T> struct CTouchHost : CControlHost<CCounting<T>>
{
    CTouchHost(LPCWSTR pszClass, DWORD dwStyle, int cx, int cy, LPCWSTR pszText = L"")
        : CControlHost<CCounting<T>>(pszClass, dwStyle | WS_TABSTOP, CRect(20, 20, 20 + cx, 20 + cy), pszText)
    {
        this->dlg.FocusElsewhere();
    }
    void Hover(bool bOn) { EXPECT_TRUE(bOn ? PointerOver(this->control, 40, 5) : PointerLeaves(this->control)); }
    void Focus(bool bOn)
    {
        if (bOn)
            this->control.SetFocus();
        else
            this->dlg.FocusElsewhere();
        KorvoTest::PumpMessages(0);
        EXPECT_EQ(bOn, ::GetFocus() == this->control.m_hWnd);
    }
    // The frame at the middle of the left edge: outer pixel, inner pixel.
    std::pair<COLORREF, COLORREF> LeftEdge()
    {
        CCapture capture = this->Capture();
        return { capture.At(0, capture.m_cy / 2), capture.At(1, capture.m_cy / 2) };
    }
};
}

TEST(TouchComboBox, FrameFollowsHoverFocusAndAlways)
{
    CTouchHost<CTouchComboBox> host(L"ComboBox", CBS_DROPDOWNLIST, 150, 200);
    host.control.AddString(L"First");
    host.control.SetCurSel(0);
    struct Step
    {
        const char* pszName;
        std::function<void()> fnDo;
        COLORREF crOuter, crInner;
    } steps[] = {
        { "hovered", [&] { host.Hover(true); }, WHITE, NORMAL },
        { "hovered and focused", [&] { host.Focus(true); }, HOVER, FOCUS },
        // Focus alone shows the inner frame, the keyboard user's sign of it.
        { "focused only", [&] { host.Hover(false); }, WHITE, FOCUS },
        // The flag shows from the next repaint, here the loss of focus.
        { "always, not yet drawn", [&] { host.control.SetAlwaysBorder(true); }, WHITE, FOCUS },
        { "always", [&] { host.Focus(false); }, WHITE, NORMAL },
        { "always and hovered", [&] { host.Hover(true); }, WHITE, NORMAL },
        { "always, hovered and focused", [&] { host.Focus(true); }, HOVER, FOCUS },
    };
    for (Step& step : steps)
    {
        step.fnDo();
        EXPECT_EQ(std::make_pair(step.crOuter, step.crInner), host.LeftEdge()) << step.pszName;
    }
}

TEST(TouchComboBox, TriangleSitsAtFixedPlaceWhileHovered)
{
    CTouchHost<CTouchComboBox> host(L"ComboBox", CBS_DROPDOWNLIST, 150, 200);
    EXPECT_NE(TRIANGLE, host.Capture().At(139, 10));
    host.Hover(true);
    CCapture capture = host.Capture();
    struct Row
    {
        int x, y;
        bool bGrey;
    } rows[] = {
        { 134, 8, true }, { 143, 8, true }, { 139, 10, true }, { 139, 13, true },
        { 133, 8, false }, { 145, 8, false }, { 139, 7, false }, { 139, 15, false }, { 135, 12, false },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.bGrey, capture.At(row.x, row.y) == TRIANGLE) << row.x << "," << row.y;
    host.Hover(false);
    EXPECT_NE(TRIANGLE, host.Capture().At(139, 10));
}

TEST(TouchDateTimeCtrl, FrameAndTriangleByHover)
{
    CTouchHost<CTouchDateTimeCtrl> host(DATETIMEPICK_CLASSW, 0, 160, 26);
    CRect rcWindow;
    host.control.GetWindowRect(&rcWindow);
    host.control.ScreenToClient(&rcWindow);
    host.Hover(true);
    CCapture capture = host.Capture();
    int x = rcWindow.right - 11;
    EXPECT_EQ(TRIANGLE, capture.At(x, 10));
    EXPECT_NE(TRIANGLE, capture.At(x, 16));
    host.Hover(false);
    EXPECT_NE(TRIANGLE, host.Capture().At(x, 10));
}

TEST(TouchEdit, FrameOverItsOwnBackgroundAndNoTriangle)
{
    // The frame's states are the combo box's; the edit's background stands for the white.
    CTouchHost<CTouchEdit> host(L"Edit", ES_AUTOHSCROLL, 150, 26, L"Text");
    const COLORREF BACK = RGB(250, 240, 200);
    host.control.SetBkColor(BACK);
    host.Hover(true);
    EXPECT_EQ(std::make_pair(BACK, NORMAL), host.LeftEdge());
    EXPECT_EQ(BACK, host.Capture().At(139, 10));
    host.Focus(true);
    host.Hover(false);
    EXPECT_EQ(std::make_pair(BACK, FOCUS), host.LeftEdge());
    host.Focus(false);
    EXPECT_EQ(std::make_pair(BACK, BACK), host.LeftEdge());
}

TEST(TouchEdit, PasswordShowsOneStarPerCharacter)
{
    CTouchHost<CTouchEdit> password(L"Edit", ES_PASSWORD | ES_AUTOHSCROLL, 150, 26, L"abcdef");
    CTouchHost<CTouchEdit> stars(L"Edit", ES_AUTOHSCROLL, 150, 26, L"******");
    CTouchHost<CTouchEdit> fewer(L"Edit", ES_AUTOHSCROLL, 150, 26, L"*****");
    CCapture a = password.Paint(), b = stars.Paint(), c = fewer.Paint();
    EXPECT_TRUE(a.m_pixels == b.m_pixels);
    EXPECT_FALSE(a.m_pixels == c.m_pixels);
    EXPECT_TRUE(a.AnyOtherThan(CRect(0, 0, a.m_cx, a.m_cy), WHITE));
}
