// The gallery's controls page walked as a screen reader walks it: each kind of control named,
// with its role, states, value and default action, through the system's accessibility library;
// and the gallery's command bars walked from another process, as a screen reader reads them.
#include "GalleryPageHost.h"
#include "AccessibilityBars.h"
#include "AccessibilityChild.h"

using namespace GalleryTest;

namespace
{
const long FOCUSABLE = STATE_SYSTEM_FOCUSABLE;

struct Row
{
    const char* pszKind;
    UINT nID;
    LPCWSTR pszName;
    long nRole;
    // States the object must show, and states it must not.
    long nState;
    long nNotState;
    // Null: the object has no value.
    LPCWSTR pszValue;
    LPCWSTR pszAction;
    LPCWSTR pszShortcut;
};

const UINT PICTURE = GalleryTest::CGalleryHost::FIRST_PICTURE_ID;

// One row per kind of control, and per state the page shows it in.
const Row ROWS[] = {
    { "slider", IDC_CT_SLIDER_TOP, L"Slider, ticks above", ROLE_SYSTEM_SLIDER, FOCUSABLE, STATE_SYSTEM_UNAVAILABLE, L"32", L"", L"" },
    { "disabled slider", IDC_CT_SLIDER_DISABLED, L"Disabled slider", ROLE_SYSTEM_SLIDER, STATE_SYSTEM_UNAVAILABLE, FOCUSABLE, L"56", L"", L"" },
    { "check box", IDC_CT_CHECK_OFF, L"Unchecked", ROLE_SYSTEM_CHECKBUTTON, FOCUSABLE, STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED, NULL, L"Check", L"Alt+U" },
    { "checked check box", IDC_CT_CHECK_ON, L"Checked", ROLE_SYSTEM_CHECKBUTTON, FOCUSABLE | STATE_SYSTEM_CHECKED, STATE_SYSTEM_MIXED, NULL, L"Uncheck", L"Alt+K" },
    { "disabled check box", IDC_CT_CHECK_DISABLED, L"Disabled", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED, FOCUSABLE, NULL, L"Uncheck", L"" },
    { "combo box", IDC_CT_COMBO, L"Skin", ROLE_SYSTEM_COMBOBOX, FOCUSABLE | STATE_SYSTEM_COLLAPSED, STATE_SYSTEM_EXPANDED, L"Aurora", L"Open", L"" },
    { "effect button", IDC_CT_EFFECT_NORMAL, L"Normal", ROLE_SYSTEM_PUSHBUTTON, FOCUSABLE, STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED, NULL, L"Press", L"Alt+N" },
    { "pitched-on effect button", IDC_CT_EFFECT_PITCHED, L"Pitched on", ROLE_SYSTEM_PUSHBUTTON, FOCUSABLE | STATE_SYSTEM_CHECKED, 0, NULL, L"Press", L"Alt+P" },
    { "effect static", IDC_CT_EFFECT_STATIC, L"The effect static wraps by characters.\nLine feeds end lines.", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, FOCUSABLE, NULL, L"", L"" },
    { "icon button", IDC_CT_ICON_OPEN, L"Open", ROLE_SYSTEM_PUSHBUTTON, FOCUSABLE, STATE_SYSTEM_HOTTRACKED, NULL, L"Press", L"Alt+O" },
    { "icon button without text", IDC_CT_ICON_ONLY, L"Copy", ROLE_SYSTEM_PUSHBUTTON, FOCUSABLE, 0, NULL, L"Press", L"" },
    { "disabled icon button", IDC_CT_ICON_DISABLED, L"Disabled", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, FOCUSABLE, NULL, L"Press", L"" },
    { "skinned edit", IDC_CT_EDIT, L"Edit", ROLE_SYSTEM_TEXT, FOCUSABLE, STATE_SYSTEM_PROTECTED, L"Skinned edit", L"", L"" },
    { "skinned static", IDC_CT_STATIC_BOLD, L"Bold static", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, FOCUSABLE, NULL, L"", L"" },
    { "touch combo box", IDC_CT_TOUCH_COMBO, L"Tree background", ROLE_SYSTEM_COMBOBOX, FOCUSABLE | STATE_SYSTEM_COLLAPSED, 0, L"Gradient", L"Open", L"" },
    { "tree", IDC_CT_TREE, L"Contacts", ROLE_SYSTEM_OUTLINE, FOCUSABLE, 0, NULL, L"", L"" },
    { "touch edit", IDC_CT_TOUCH_EDIT, L"Touch edit", ROLE_SYSTEM_TEXT, FOCUSABLE, STATE_SYSTEM_PROTECTED, L"Touch edit", L"", L"" },
    { "touch password", IDC_CT_TOUCH_PASSWORD, L"Password", ROLE_SYSTEM_TEXT, FOCUSABLE | STATE_SYSTEM_PROTECTED, 0, NULL, L"", L"" },
    { "animated image", PICTURE, L"Lights", ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY, FOCUSABLE, NULL, L"", L"" },
    { "group head photo", PICTURE + 1, L"Group photo", ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY, FOCUSABLE, NULL, L"", L"" },
    { "user head photo", PICTURE + 4, L"User photo", ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY, FOCUSABLE, NULL, L"", L"" },
};

struct AccessibilityWalk : ::testing::Test
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CGalleryHost host;
};
}

TEST_F(AccessibilityWalk, EveryKindOfControlTellsItsNameRoleStateValueAndAction)
{
    ASSERT_TRUE(::IsWindow(host.m_page.m_hWnd));
    for (const Row& row : ROWS)
    {
        HWND hControl = host.Control(row.nID);
        ASSERT_TRUE(hControl) << row.pszKind;
        CReading reading = ReadWindow(hControl);
        ASSERT_EQ(S_OK, reading.hr) << row.pszKind;
        EXPECT_STREQ(row.pszName, reading.strName) << row.pszKind;
        EXPECT_EQ(row.nRole, reading.nRole) << row.pszKind;
        EXPECT_EQ(row.nState, reading.nState & row.nState) << row.pszKind;
        EXPECT_EQ(0, reading.nState & row.nNotState) << row.pszKind;
        EXPECT_EQ(0, reading.nState & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_INVISIBLE)) << row.pszKind;
        if (row.pszValue)
            EXPECT_STREQ(row.pszValue, reading.strValue) << row.pszKind;
        else if (row.nState & STATE_SYSTEM_PROTECTED)
            EXPECT_EQ(E_ACCESSDENIED, reading.hrValue) << row.pszKind;
        else
            EXPECT_TRUE(FAILED(reading.hrValue)) << row.pszKind;
        EXPECT_STREQ(row.pszAction, reading.strAction) << row.pszKind;
        EXPECT_STREQ(row.pszShortcut, reading.strShortcut) << row.pszKind;
        // The object covers the control's client area on the screen.
        CRect rcClient;
        ::GetClientRect(hControl, &rcClient);
        ::MapWindowPoints(hControl, NULL, (LPPOINT)&rcClient, 2);
        EXPECT_EQ(rcClient, reading.rc) << row.pszKind;
    }
    // The date picker's value is the date it shows.
    CReading date = ReadWindow(host.Control(IDC_CT_TOUCH_DATE));
    EXPECT_STREQ(L"Date", date.strName);
    EXPECT_EQ(ROLE_SYSTEM_DROPLIST, date.nRole);
    CString strDate;
    ::GetWindowTextW(host.Control(IDC_CT_TOUCH_DATE), strDate.GetBuffer(64), 64);
    strDate.ReleaseBuffer();
    EXPECT_FALSE(strDate.IsEmpty());
    EXPECT_STREQ(strDate, date.strValue);
    // The skinned frame's client area is the dialog, named by its title.
    CReading dialog = ReadWindow(host.m_hWnd);
    EXPECT_EQ(ROLE_SYSTEM_DIALOG, dialog.nRole);
    EXPECT_STREQ(L"Gallery", dialog.strName);
}

TEST_F(AccessibilityWalk, StatesFollowHoverCheckAndDefaultActions)
{
    HWND hCheck = host.Control(IDC_CT_CHECK_OFF);
    // The third state shows as mixed.
    CSkinCheckBox* pCheck = (CSkinCheckBox*)CWnd::FromHandlePermanent(hCheck);
    ASSERT_TRUE(pCheck);
    pCheck->SetCheck(2);
    EXPECT_EQ(STATE_SYSTEM_MIXED, ReadWindow(hCheck).nState & (STATE_SYSTEM_MIXED | STATE_SYSTEM_CHECKED));
    pCheck->SetCheck(0);
    // The default action clicks: the box is checked and the page told.
    EXPECT_EQ(S_OK, DoDefaultAction(hCheck));
    EXPECT_EQ(1, pCheck->GetCheck());
    EXPECT_EQ(STATE_SYSTEM_CHECKED, ReadWindow(hCheck).nState & STATE_SYSTEM_CHECKED);
    ASSERT_FALSE(host.m_page.m_clicks.empty());
    EXPECT_EQ((UINT)IDC_CT_CHECK_OFF, host.m_page.m_clicks.back());

    // Hot while the pointer is over the button.
    HWND hIcon = host.Control(IDC_CT_ICON_OPEN);
    CRect rc;
    ::GetClientRect(hIcon, &rc);
    ControlsTest::MovePointer(hIcon, rc.Width() / 2, rc.Height() / 2);
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return (ReadWindow(hIcon).nState & STATE_SYSTEM_HOTTRACKED) != 0; }));
    ControlsTest::MovePointerAway();
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return !(ReadWindow(hIcon).nState & STATE_SYSTEM_HOTTRACKED); }));

    // A combo box opens and closes by its default action.
    HWND hCombo = host.Control(IDC_CT_COMBO);
    EXPECT_EQ(S_OK, DoDefaultAction(hCombo));
    CReading open = ReadWindow(hCombo);
    EXPECT_EQ(STATE_SYSTEM_EXPANDED, open.nState & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED));
    EXPECT_STREQ(L"Close", open.strAction);
    EXPECT_EQ(S_OK, DoDefaultAction(hCombo));
    EXPECT_EQ(STATE_SYSTEM_COLLAPSED, ReadWindow(hCombo).nState & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED));

    // A disabled control is neither focusable nor hot, whatever it was.
    ::EnableWindow(hCheck, FALSE);
    CReading disabled = ReadWindow(hCheck);
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE, disabled.nState & (STATE_SYSTEM_UNAVAILABLE | FOCUSABLE));
    EXPECT_EQ(S_OK, DoDefaultAction(hCheck));
    EXPECT_EQ(1, pCheck->GetCheck());
}

TEST_F(AccessibilityWalk, TheTreeIsAnOutlineOfItsShownItems)
{
    HWND hTree = host.Control(IDC_CT_TREE);
    IAccessible* pTree = ObjectOf(hTree);
    ASSERT_TRUE(pTree);
    struct Item
    {
        LPCWSTR pszName;
        LPCWSTR pszLevel;
        long nState;
        LPCWSTR pszAction;
    } items[] = {
        { L"Friends", L"0", STATE_SYSTEM_EXPANDED, L"Collapse" },
        { L"Friend 1", L"1", 0, L"" },
        { L"Friend 2", L"1", STATE_SYSTEM_SELECTED, L"" },
        { L"Colleagues", L"0", STATE_SYSTEM_EXPANDED, L"Collapse" },
        { L"Colleague 1", L"1", 0, L"" },
        { L"Colleague 2", L"1", 0, L"" },
    };
    EXPECT_EQ((long)_countof(items), Read(pTree).nChildren);
    for (long n = 0; n < (long)_countof(items); n++)
    {
        CReading item = Read(pTree, n + 1);
        EXPECT_STREQ(items[n].pszName, item.strName) << n;
        EXPECT_EQ(ROLE_SYSTEM_OUTLINEITEM, item.nRole) << n;
        EXPECT_STREQ(items[n].pszLevel, item.strValue) << n;
        const long nShown = STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED | STATE_SYSTEM_SELECTED;
        EXPECT_EQ(items[n].nState | STATE_SYSTEM_SELECTABLE, item.nState & (nShown | STATE_SYSTEM_SELECTABLE)) << n;
        EXPECT_STREQ(items[n].pszAction, item.strAction) << n;
        // Each item sits where the tree shows it, and is found there.
        VARIANT var;
        ::VariantInit(&var);
        CPoint ptCentre = item.rc.CenterPoint();
        ASSERT_EQ(S_OK, pTree->accHitTest(ptCentre.x, ptCentre.y, &var)) << n;
        EXPECT_EQ(n + 1, var.lVal) << n;
    }
    VARIANT varSelection;
    ::VariantInit(&varSelection);
    ASSERT_EQ(S_OK, pTree->get_accSelection(&varSelection));
    EXPECT_EQ(3, varSelection.lVal);
    // Focused, the tree names its selected item as the focus.
    ::SetFocus(hTree);
    KorvoTest::PumpMessages(10);
    VARIANT varFocus;
    ::VariantInit(&varFocus);
    ASSERT_EQ(S_OK, pTree->get_accFocus(&varFocus));
    EXPECT_EQ(3, varFocus.lVal);
    EXPECT_EQ(STATE_SYSTEM_FOCUSED, Read(pTree, 3).nState & STATE_SYSTEM_FOCUSED);
    // Collapsing a group hides its items from the outline.
    EXPECT_EQ(S_OK, DoDefaultAction(hTree, OBJID_CLIENT, 4));
    EXPECT_EQ(4, Read(pTree).nChildren);
    EXPECT_EQ(STATE_SYSTEM_COLLAPSED, Read(pTree, 4).nState & STATE_SYSTEM_COLLAPSED);
    // An item the tree does not have is refused.
    EXPECT_EQ(E_INVALIDARG, Read(pTree, 5).hr);
    pTree->Release();
}

TEST_F(AccessibilityWalk, ThePagesObjectsLetGoOfTheirWindowsHarmlessly)
{
    IAccessible* pCheck = ObjectOf(host.Control(IDC_CT_CHECK_ON));
    ASSERT_TRUE(pCheck);
    host.DestroyWindow();
    CReading gone = Read(pCheck);
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, gone.hr);
    EXPECT_EQ(0, gone.nRole);
    pCheck->Release();
}

TEST(AccessibleNames, TextThenLabelBeforeThenNothingAndTheHostsNameFirst)
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    ControlsTest::CHostDialog dlg;
    dlg.AddControl(L"Static", 10, SS_LEFT, 10, 10, 80, 20, L"&Volume:");
    dlg.AddControl(L"msctls_trackbar32", 11, WS_TABSTOP, 100, 10, 150, 24);
    dlg.AddControl(L"Static", 12, SS_LEFT, 10, 40, 80, 20, L"N&otes");
    dlg.AddControl(L"Edit", 13, WS_TABSTOP, 100, 40, 150, 24, L"Some text");
    dlg.AddControl(L"Button", 14, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 70, 150, 20, L"Salt && &pepper");
    // After a check box, not a label: no name.
    dlg.AddControl(L"msctls_trackbar32", 15, WS_TABSTOP, 10, 100, 150, 24);
    CSkinSliderCtrl slider, unlabelled;
    CSkinEdit edit;
    CSkinCheckBox check;
    ASSERT_TRUE(slider.SubclassDlgItem(11, &dlg) && edit.SubclassDlgItem(13, &dlg) && check.SubclassDlgItem(14, &dlg)
                && unlabelled.SubclassDlgItem(15, &dlg));
    struct
    {
        CWnd* pWnd;
        LPCWSTR pszName;
        LPCWSTR pszShortcut;
    } rows[] = {
        { &slider, L"Volume:", L"Alt+V" },
        // An edit's text is its value, not its name.
        { &edit, L"Notes", L"Alt+O" },
        { &check, L"Salt & pepper", L"Alt+P" },
        { &unlabelled, L"", L"" },
    };
    for (const auto& row : rows)
    {
        CReading reading = ReadWindow(row.pWnd->m_hWnd);
        EXPECT_STREQ(row.pszName, reading.strName);
        EXPECT_STREQ(row.pszShortcut, reading.strShortcut);
    }
    EXPECT_STREQ(L"Some text", ReadWindow(edit.m_hWnd).strValue);
    // The host's name goes before all; an empty one gives the control back its own.
    slider.SetAccessibleName(L"Master volume");
    EXPECT_STREQ(L"Master volume", ReadWindow(slider.m_hWnd).strName);
    slider.SetAccessibleName(L"");
    EXPECT_STREQ(L"Volume:", ReadWindow(slider.m_hWnd).strName);
    // A hidden label names nothing.
    ::ShowWindow(::GetDlgItem(dlg.m_hWnd, 10), SW_HIDE);
    EXPECT_STREQ(L"", ReadWindow(slider.m_hWnd).strName);
}

namespace
{
// The child of the child whose name is pszName; 0 when none is.
long ChildNamed(IAccessible* pObject, LPCWSTR pszName)
{
    long nCount = 0;
    pObject->get_accChildCount(&nCount);
    for (long idChild = 1; idChild <= nCount; idChild++)
        if (Read(pObject, idChild).strName == pszName)
            return idChild;
    return 0;
}
}

// The walk the test below runs in another process: given the toolbar and the menu bar, it finds
// the toolbar's buttons by name, presses "Copy" and finds every menu-bar item by name.
TEST(ScreenReaderProcess, DISABLED_WalksTheGalleryBars)
{
    CComApartment apartment;
    std::vector<HWND> bars = AccessibilityChild::ParseWindows(AccessibilityChild::Argument());
    ASSERT_EQ(2u, bars.size());
    IAccessible* pToolBar = ObjectOf(bars[0]);
    ASSERT_TRUE(pToolBar);
    CReading toolBar = Read(pToolBar);
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, toolBar.nRole);
    EXPECT_STREQ(L"Gallery", toolBar.strName);
    for (LPCWSTR pszName : { L"Open", L"Save", L"Cut", L"Copy", L"Paste" })
    {
        long idButton = ChildNamed(pToolBar, pszName);
        ASSERT_NE(0, idButton) << pszName;
        CReading button = Read(pToolBar, idButton);
        EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, button.nRole);
        EXPECT_STREQ(L"Press", button.strAction);
        EXPECT_FALSE(button.rc.IsRectEmpty());
        // The button is where it says.
        VARIANT var;
        ::VariantInit(&var);
        ASSERT_EQ(S_OK, pToolBar->accHitTest(button.rc.CenterPoint().x, button.rc.CenterPoint().y, &var));
        EXPECT_EQ(idButton, var.lVal);
    }
    VARIANT varCopy;
    varCopy.vt = VT_I4;
    varCopy.lVal = ChildNamed(pToolBar, L"Copy");
    EXPECT_EQ(S_OK, pToolBar->accDoDefaultAction(varCopy));
    pToolBar->Release();

    IAccessible* pMenuBar = ObjectOf(bars[1]);
    ASSERT_TRUE(pMenuBar);
    EXPECT_EQ(ROLE_SYSTEM_MENUBAR, Read(pMenuBar).nRole);
    for (LPCWSTR pszName : { L"File", L"Edit", L"View" })
    {
        long idItem = ChildNamed(pMenuBar, pszName);
        ASSERT_NE(0, idItem) << pszName;
        EXPECT_EQ(ROLE_SYSTEM_MENUITEM, Read(pMenuBar, idItem).nRole);
    }
    pMenuBar->Release();
}

TEST(AccessibleGalleryBars, AScreenReaderInAnotherProcessFindsPressesAndNamesTheirButtons)
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CBarsHost host;
    ASSERT_TRUE(::IsWindow(host.m_toolBar.m_hWnd) && ::IsWindow(host.m_menuBar.m_hWnd));
    HWND bars[] = { host.m_toolBar.m_hWnd, host.m_menuBar.m_hWnd };
    AccessibilityChild::CResult child = AccessibilityChild::Run(L"ScreenReaderProcess", L"WalksTheGalleryBars",
                                                                AccessibilityChild::FormatWindows(bars, 2));
    EXPECT_EQ(0, child.nExit) << (LPCWSTR)child.strOutput;
    // The press arrives as the button's command, as a click's does.
    KorvoTest::PumpMessages(50);
    ASSERT_EQ(1u, host.m_commands.size());
    EXPECT_EQ(host.m_toolBar.GetIndex(4)->m_nID, host.m_commands[0]);
}
