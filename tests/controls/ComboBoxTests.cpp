#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const UINT IDC_COMBO = 300;
const UINT IDC_OTHER = 301;

class CComboProbe : public CSkinComboBox
{
public:
    void SetArrowWidth(int nWidth) { m_nArrowWidth = nWidth; }
};

struct CComboHost
{
    CComboHost()
    {
        g_Theme.Clear();
        g_Theme.Reset();
        dlg.AddControl(L"Button", IDC_OTHER, BS_PUSHBUTTON | WS_TABSTOP, 200, 10, 60, 20, L"Other");
        HWND hCombo = dlg.AddControl(L"ComboBox", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 10, 120, 200);
        // The selection field's height decides the control's: make it 22 pixels high.
        for (int nItem = 10; nItem < 30; nItem++)
        {
            ::SendMessageW(hCombo, CB_SETITEMHEIGHT, (WPARAM)-1, nItem);
            CRect rc;
            ::GetWindowRect(hCombo, &rc);
            if (rc.Height() >= 22)
                break;
        }
        EXPECT_TRUE(combo.SubclassDlgItem(IDC_COMBO, &dlg));
        combo.SetArrowWidth(17);
        combo.AddString(L"First");
        combo.AddString(L"Second");
        combo.SetCurSel(0);
        MovePointerAway();
        ::SetFocus(dlg.GetDlgItem(IDC_OTHER)->m_hWnd);
        Repaint(dlg.m_hWnd);
    }
    COLORREF ButtonFill() { return CCapture(combo.m_hWnd).At(110, 3); }
    CHostDialog dlg;
    CComboProbe combo;
};
}

TEST(ComboBox, FramesAndArrowOfA120By22Control)
{
    CComboHost host;
    CRect rc;
    host.combo.GetClientRect(&rc);
    ASSERT_EQ(120, rc.Width());
    ASSERT_EQ(22, rc.Height());
    CCapture capture(host.combo.m_hWnd);
    const COLORREF crMid = g_Theme.m_crMidtone, crBorder = g_Theme.m_crBorder;
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

TEST(ComboBox, HoverShowsUntilThePollFindsThePointerGone)
{
    CComboHost host;
    EXPECT_EQ(g_Theme.m_crMidtone, host.ButtonFill());
    MovePointer(host.combo.m_hWnd, 40, 10);
    ASSERT_TRUE(PumpUntil([&] { return host.combo.IsHover(); }));
    EXPECT_EQ(g_Theme.m_crBackSel, host.ButtonFill());
    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.combo.IsHover(); }));
    EXPECT_EQ(g_Theme.m_crMidtone, host.ButtonFill());
}

TEST(ComboBox, PressedWhileTheListIsOpenAndUntilThePointerLeaves)
{
    CComboHost host;
    MovePointer(host.combo.m_hWnd, 110, 10);
    INPUT inputs[2] = { { INPUT_MOUSE }, { INPUT_MOUSE } };
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return host.combo.GetDroppedState(); }));
    EXPECT_TRUE(host.combo.IsPressed());
    EXPECT_EQ(g_Theme.m_crBackCheckSel, host.ButtonFill());

    // Closed with the pointer still over it: the pressed look stays until the pointer leaves.
    host.combo.ShowDropDown(FALSE);
    ASSERT_TRUE(PumpUntil([&] { return !host.combo.IsPressed(); }));
    EXPECT_EQ(g_Theme.m_crBackCheckSel, host.ButtonFill());
    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.combo.IsHover(); }));
    EXPECT_EQ(g_Theme.m_crMidtone, host.ButtonFill());
}

TEST(ComboBox, FocusShowsThePressedLookWithoutPressing)
{
    CComboHost host;
    host.combo.SetFocus();
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(g_Theme.m_crBackCheckSel, host.ButtonFill());
    EXPECT_FALSE(host.combo.IsPressed());
    Repaint(host.combo.m_hWnd);
    EXPECT_EQ(g_Theme.m_crMidtone, host.ButtonFill());
    host.combo.SetFocus();
    KorvoTest::PumpMessages(0);
    ::SetFocus(host.dlg.GetDlgItem(IDC_OTHER)->m_hWnd);
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(g_Theme.m_crMidtone, host.ButtonFill());
}
