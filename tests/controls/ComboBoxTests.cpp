#include "ControlsTestSupport.h"
#include "api/Globals.h"

using namespace ControlsTest;

namespace
{
class CComboProbe : public CSkinComboBox
{
public:
    void SetArrowWidth(int nWidth) { m_nArrowWidth = nWidth; }
};

// A combo box of 120 by 22 pixels at (10, 10), "First" selected, the focus elsewhere.
struct CComboHost : CFreshTheme, CControlHost<CComboProbe>
{
    CComboHost()
        : CControlHost<CComboProbe>(L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, CRect(10, 10, 130, 210))
    {
        // The selection field's height decides the control's: make it 22 pixels high.
        for (int nItem = 10; nItem < 30; nItem++)
            if (control.SetItemHeight(-1, nItem) != CB_ERR && WindowHeight() >= 22)
                break;
        control.SetArrowWidth(17);
        control.AddString(L"First");
        control.AddString(L"Second");
        control.SetCurSel(0);
        dlg.FocusElsewhere();
        Repaint(dlg.m_hWnd);
    }
    int WindowHeight()
    {
        CRect rc;
        control.GetWindowRect(&rc);
        return rc.Height();
    }
    COLORREF ButtonFill() { return CCapture(control.m_hWnd).At(110, 3); }
};
}

TEST(ComboBox, FramesAndArrowOfA120By22Control)
{
    CComboHost host;
    CRect rc;
    host.control.GetClientRect(&rc);
    ASSERT_EQ(120, rc.Width());
    ASSERT_EQ(22, rc.Height());
    CCapture capture(host.control.m_hWnd);
    const COLORREF crMid = g_Theme.Colour(SkinColour::Midtone), crBorder = g_Theme.Colour(SkinColour::Border);
    struct Row
    {
        int x, y;
        COLORREF cr;
    } rows[] = {
        { 0, 0, crMid }, { 60, 0, crMid }, { 119, 21, crMid }, { 0, 11, crMid },
        { 1, 1, crBorder }, { 60, 20, crBorder }, { 1, 11, crBorder },
        // The drop button's frame (101, 1, 119, 21) and its midtone fill.
        { 101, 5, crBorder }, { 118, 5, crBorder }, { 110, 1, crBorder }, { 110, 20, crBorder },
        { 102, 3, crMid }, { 117, 19, crMid },
        // The arrow image at (104, 6): black rows 3 to 5.
        { 106, 9, RGB(0, 0, 0) }, { 110, 9, RGB(0, 0, 0) }, { 107, 10, RGB(0, 0, 0) }, { 108, 11, RGB(0, 0, 0) },
        { 105, 9, crMid }, { 111, 9, crMid }, { 107, 11, crMid }, { 108, 12, crMid },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.cr, capture.At(row.x, row.y)) << row.x << "," << row.y;
}

TEST(ComboBox, HoverOverTheEditChildEndsWhenThePointerLeavesIt)
{
    // The edit takes the pointer's moves, so neither the combo's moves nor a leave
    // notification of its own tell it the pointer left.
    CControlHost<CSkinComboBox> host(L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, CRect(10, 10, 130, 210));
    HWND hEdit = ::GetWindow(host.control.m_hWnd, GW_CHILD);
    ASSERT_TRUE(hEdit != NULL);
    MovePointer(hEdit, 10, 5);
    ASSERT_TRUE(PumpUntil([&] { return host.control.IsHover(); }));
    MovePointerAway();
    EXPECT_TRUE(PumpUntil([&] { return !host.control.IsHover(); }));
}

TEST(ComboBox, HoveredThenPressedWhileTheListIsOpenUntilThePollFindsThePointerGone)
{
    CComboHost host;
    EXPECT_EQ(g_Theme.Colour(SkinColour::Midtone), host.ButtonFill());
    MovePointer(host.control.m_hWnd, 110, 10);
    ASSERT_TRUE(PumpUntil([&] { return host.control.IsHover(); }));
    EXPECT_EQ(g_Theme.Colour(SkinColour::BackSel), host.ButtonFill());
    ClickPointer();
    ASSERT_TRUE(PumpUntil([&] { return host.control.GetDroppedState(); }));
    EXPECT_TRUE(host.control.IsPressed());
    EXPECT_EQ(g_Theme.Colour(SkinColour::BackCheckSel), host.ButtonFill());

    // Closed with the pointer still over it: the pressed look stays until the pointer leaves.
    host.control.ShowDropDown(FALSE);
    ASSERT_TRUE(PumpUntil([&] { return !host.control.IsPressed(); }));
    EXPECT_EQ(g_Theme.Colour(SkinColour::BackCheckSel), host.ButtonFill());
    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.control.IsHover(); }));
    EXPECT_EQ(g_Theme.Colour(SkinColour::Midtone), host.ButtonFill());
}

TEST(ComboBox, FocusShowsThePressedLookWithoutPressing)
{
    CComboHost host;
    host.control.SetFocus();
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(g_Theme.Colour(SkinColour::BackCheckSel), host.ButtonFill());
    EXPECT_FALSE(host.control.IsPressed());
    // The look stays through a repaint while the focus does, so the keyboard's place shows.
    Repaint(host.control.m_hWnd);
    EXPECT_EQ(g_Theme.Colour(SkinColour::BackCheckSel), host.ButtonFill());
    host.control.SetFocus();
    KorvoTest::PumpMessages(0);
    host.dlg.FocusElsewhere();
    EXPECT_EQ(g_Theme.Colour(SkinColour::Midtone), host.ButtonFill());
}
