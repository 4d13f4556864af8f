#include "ControlsTestSupport.h"
#include <functional>

using namespace ControlsTest;

namespace
{
const UINT IDC_TOUCH = 900;
const UINT IDC_OTHER = 901;
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF NORMAL = RGB(189, 189, 189);
const COLORREF HOVER = RGB(96, 200, 253);
const COLORREF FOCUS = RGB(58, 146, 199);
const COLORREF TRIANGLE = RGB(200, 200, 200);

// A touch control of class T in a host dialog, with a second control to take the focus away.
template <typename T> struct CTouchHost
{
    CTouchHost(LPCWSTR pszClass, DWORD dwStyle, int cx, int cy, LPCWSTR pszText = L"")
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_DATE_CLASSES };
        ::InitCommonControlsEx(&icc);
        dlg.AddControl(L"Button", IDC_OTHER, BS_PUSHBUTTON, 300, 200, 60, 24, L"Other");
        dlg.AddControl(pszClass, IDC_TOUCH, dwStyle | WS_TABSTOP, 20, 20, cx, cy, pszText);
        EXPECT_TRUE(control.SubclassDlgItem(IDC_TOUCH, &dlg));
        MovePointerAway();
        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_OTHER));
        KorvoTest::PumpMessages(0);
    }
    void Hover(bool bOn) { EXPECT_TRUE(bOn ? PointerOver(control, 40, 5) : PointerLeaves(control)); }
    void Focus(bool bOn)
    {
        ::SetFocus(bOn ? control.m_hWnd : ::GetDlgItem(dlg.m_hWnd, IDC_OTHER));
        KorvoTest::PumpMessages(0);
        EXPECT_EQ(bOn, ::GetFocus() == control.m_hWnd);
    }
    CCapture Capture() { return CCapture(control.m_hWnd); }
    CHostDialog dlg;
    CCounting<T> control;
};

// The frame at the middle of the left edge: outer pixel, inner pixel.
struct CFrame
{
    COLORREF crOuter, crInner;
};

template <typename T> CFrame LeftEdge(CTouchHost<T>& host)
{
    CCapture capture = host.Capture();
    int y = capture.m_cy / 2;
    return { capture.At(0, y), capture.At(1, y) };
}
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
        // Focus alone shows no frame.
        { "focused only", [&] { host.Hover(false); }, WHITE, WHITE },
        // The flag shows from the next repaint, here the loss of focus.
        { "always, not yet drawn", [&] { host.control.SetAlwaysBorder(true); }, WHITE, WHITE },
        { "always", [&] { host.Focus(false); }, WHITE, NORMAL },
        { "always and hovered", [&] { host.Hover(true); }, WHITE, NORMAL },
        { "always, hovered and focused", [&] { host.Focus(true); }, HOVER, FOCUS },
    };
    for (Step& step : steps)
    {
        step.fnDo();
        CFrame frame = LeftEdge(host);
        EXPECT_EQ(step.crOuter, frame.crOuter) << step.pszName;
        EXPECT_EQ(step.crInner, frame.crInner) << step.pszName;
    }
}

TEST(TouchComboBox, TriangleSitsAtFixedPlaceWhileHovered)
{
    CTouchHost<CTouchComboBox> host(L"ComboBox", CBS_DROPDOWNLIST, 150, 200);
    CCapture before = host.Capture();
    EXPECT_NE(TRIANGLE, before.At(139, 10));
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
    host.Focus(true);
    if (rcWindow.left == 0)
    {
        CFrame frame = LeftEdge(host);
        EXPECT_EQ(HOVER, frame.crOuter);
        EXPECT_EQ(FOCUS, frame.crInner);
    }
    host.Hover(false);
    EXPECT_NE(TRIANGLE, host.Capture().At(x, 10));
}

TEST(TouchEdit, FrameBackgroundAndNoTriangle)
{
    CTouchHost<CTouchEdit> host(L"Edit", ES_AUTOHSCROLL, 150, 26, L"Text");
    const COLORREF BACK = RGB(250, 240, 200);
    host.control.SetBkColor(BACK);
    host.Hover(true);
    CCapture hovered = host.Capture();
    EXPECT_EQ(BACK, hovered.At(0, 13));
    EXPECT_EQ(NORMAL, hovered.At(1, 13));
    EXPECT_EQ(BACK, hovered.At(139, 10));
    host.Focus(true);
    CFrame frame = LeftEdge(host);
    EXPECT_EQ(HOVER, frame.crOuter);
    EXPECT_EQ(FOCUS, frame.crInner);
    host.Hover(false);
    frame = LeftEdge(host);
    EXPECT_EQ(BACK, frame.crOuter);
    EXPECT_EQ(BACK, frame.crInner);
}

TEST(TouchEdit, PasswordShowsOneStarPerCharacter)
{
    CTouchHost<CTouchEdit> password(L"Edit", ES_PASSWORD | ES_AUTOHSCROLL, 150, 26, L"abcdef");
    CTouchHost<CTouchEdit> stars(L"Edit", ES_AUTOHSCROLL, 150, 26, L"******");
    CTouchHost<CTouchEdit> fewer(L"Edit", ES_AUTOHSCROLL, 150, 26, L"*****");
    Repaint(password.control.m_hWnd);
    Repaint(stars.control.m_hWnd);
    Repaint(fewer.control.m_hWnd);
    CCapture a = password.Capture(), b = stars.Capture(), c = fewer.Capture();
    EXPECT_TRUE(a.m_pixels == b.m_pixels);
    EXPECT_FALSE(a.m_pixels == c.m_pixels);
    EXPECT_TRUE(a.AnyOtherThan(CRect(0, 0, a.m_cx, a.m_cy), WHITE));
}
