// The gallery's controls page by keyboard alone: Tab reaches every control that takes input in
// the page's order, mnemonics reach their controls, and each control is operated with the keys
// its system counterpart answers, the change read back as a screen reader reads it.
#include "GalleryPageHost.h"

using namespace GalleryTest;

namespace
{
struct Keyboard : ::testing::Test
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CGalleryHost host;

    UINT FocusID() const { return (UINT)::GetDlgCtrlID(::GetFocus()); }
    void Focus(UINT nID)
    {
        ::SetFocus(host.Control(nID));
        KorvoTest::PumpMessages(10);
    }
    CString Value(UINT nID) { return ReadWindow(host.Control(nID)).strValue; }
    long State(UINT nID) { return ReadWindow(host.Control(nID)).nState; }
};

}

TEST_F(Keyboard, TabVisitsEveryControlInThePagesOrderAndComesRound)
{
    Focus(TAB_ORDER[0]);
    for (size_t n = 1; n <= _countof(TAB_ORDER); n++)
    {
        PressKey(VK_TAB);
        EXPECT_EQ(TAB_ORDER[n % _countof(TAB_ORDER)], FocusID()) << "after " << TAB_ORDER[n - 1];
        // What has the focus says so.
        EXPECT_EQ(STATE_SYSTEM_FOCUSED, State(FocusID()) & STATE_SYSTEM_FOCUSED);
    }
    // Shift+Tab goes back.
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    PressKey(VK_TAB);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(TAB_ORDER[_countof(TAB_ORDER) - 1], FocusID());
}

TEST_F(Keyboard, MnemonicsReachTheirControls)
{
    Focus(IDC_CT_EDIT);
    // A group's mnemonic goes to the group's first control.
    PressMnemonic(L's');
    EXPECT_EQ((UINT)IDC_CT_SLIDER_BOTH, FocusID());
    PressMnemonic(L'e');
    EXPECT_EQ((UINT)IDC_CT_EDIT, FocusID());
    PressMnemonic(L'f');
    EXPECT_EQ((UINT)IDC_CT_EFFECT_NORMAL, FocusID());
    // A check box's mnemonic clicks it.
    EXPECT_EQ(0, State(IDC_CT_CHECK_OFF) & STATE_SYSTEM_CHECKED);
    PressMnemonic(L'u');
    EXPECT_EQ(STATE_SYSTEM_CHECKED, State(IDC_CT_CHECK_OFF) & STATE_SYSTEM_CHECKED);
    PressMnemonic(L'k');
    EXPECT_EQ(0, State(IDC_CT_CHECK_ON) & STATE_SYSTEM_CHECKED);
    // A button's mnemonic presses it.
    host.m_page.m_clicks.clear();
    PressMnemonic(L'o');
    PressMnemonic(L'h');
    PressMnemonic(L'n');
    PressMnemonic(L'p');
    EXPECT_EQ((std::vector<UINT>{ IDC_CT_ICON_OPEN, IDC_CT_ICON_HOT, IDC_CT_EFFECT_NORMAL, IDC_CT_EFFECT_PITCHED }),
              host.m_page.m_clicks);
}

TEST_F(Keyboard, EachControlIsOperatedByItsKeys)
{
    // Check box: Space toggles it, as a click does, and tells the page.
    Focus(IDC_CT_CHECK_OFF);
    host.m_page.m_clicks.clear();
    PressKeyDown(VK_SPACE);
    EXPECT_EQ(STATE_SYSTEM_PRESSED, State(IDC_CT_CHECK_OFF) & STATE_SYSTEM_PRESSED);
    ReleaseKey(VK_SPACE);
    EXPECT_EQ(STATE_SYSTEM_CHECKED, State(IDC_CT_CHECK_OFF) & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED));
    PressKey(VK_SPACE);
    EXPECT_EQ(0, State(IDC_CT_CHECK_OFF) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ((std::vector<UINT>{ IDC_CT_CHECK_OFF, IDC_CT_CHECK_OFF }), host.m_page.m_clicks);

    // Buttons: Space clicks.
    for (UINT nID : { IDC_CT_EFFECT_NORMAL, IDC_CT_ICON_ONLY })
    {
        Focus(nID);
        host.m_page.m_clicks.clear();
        PressKey(VK_SPACE);
        EXPECT_EQ(std::vector<UINT>{ nID }, host.m_page.m_clicks);
    }

    // Sliders: arrows, Page keys, Home and End.
    Focus(IDC_CT_SLIDER_TOP);
    PressKey(VK_RIGHT);
    EXPECT_STREQ(L"33", Value(IDC_CT_SLIDER_TOP));
    PressKey(VK_END);
    EXPECT_STREQ(L"100", Value(IDC_CT_SLIDER_TOP));
    PressKey(VK_HOME);
    EXPECT_STREQ(L"0", Value(IDC_CT_SLIDER_TOP));
    Focus(IDC_CT_SLIDER_LEFT);
    PressKey(VK_DOWN);
    EXPECT_STREQ(L"69", Value(IDC_CT_SLIDER_LEFT));

    // Combo boxes: arrows choose.
    Focus(IDC_CT_COMBO);
    PressKey(VK_DOWN);
    EXPECT_STREQ(L"Ember", Value(IDC_CT_COMBO));
    Focus(IDC_CT_TOUCH_COMBO);
    PressKey(VK_DOWN);
    EXPECT_STREQ(L"Vertical gradient", Value(IDC_CT_TOUCH_COMBO));

    // Date picker: Right picks a field (the platform starts with none), Up changes it, and so
    // the date shown.
    Focus(IDC_CT_TOUCH_DATE);
    CString strBefore = Value(IDC_CT_TOUCH_DATE);
    PressKey(VK_RIGHT);
    PressKey(VK_UP);
    EXPECT_STRNE(strBefore, Value(IDC_CT_TOUCH_DATE));

    // Edits: the text typed is the value.
    for (UINT nID : { IDC_CT_EDIT, IDC_CT_TOUCH_EDIT })
    {
        Focus(nID);
        ::SendMessageW(host.Control(nID), EM_SETSEL, 0, -1);
        PressKey('X');
        EXPECT_STREQ(L"x", Value(nID));
    }
}
