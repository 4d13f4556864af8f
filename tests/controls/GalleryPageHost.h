// The gallery's controls page as the gallery shows it, for the accessibility and keyboard tests:
// inside a skinned dialog in one of the bundled skins, read as a screen reader reads it (through
// the system's accessibility library) and driven by keys as the framework's message loop sees
// them.
#pragma once
#include "ControlsTestSupport.h"
#include "CControlsPage.h"
#include <oleacc.h>
#include <vector>

namespace GalleryTest
{
// Active Accessibility talks COM: the test thread joins an apartment while the object lives.
struct CComApartment
{
    CComApartment() { ::CoInitialize(NULL); }
    ~CComApartment() { ::CoUninitialize(); }
};

// The gallery's folder is the application folder while the object lives, with the named bundled
// skin loaded under the gallery's language file; afterwards the theme and registry are emptied.
class CBundledSkin
{
public:
    explicit CBundledSkin(LPCWSTR pszSkin = L"Aurora");
    ~CBundledSkin();

private:
    CString m_strSavedFolder;
};

// The controls page, recording the button clicks it is told of.
class CRecordingPage : public CControlsPage
{
public:
    std::vector<UINT> m_clicks;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// A skinned dialog, shown and active, holding the page in its client area.
class CGalleryHost : public CSkinDialog
{
public:
    enum { STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT | WS_CLIPCHILDREN };
    CGalleryHost();
    ~CGalleryHost();
    HWND Control(UINT nID) const { return ::GetDlgItem(m_page.m_hWnd, (int)nID); }
    // The first of the picture controls the page adds below its template's controls.
    static const UINT FIRST_PICTURE_ID = 1391;

    CRecordingPage m_page;

protected:
    void OnCancel() override {}
    void OnOK() override {}

private:
    KorvoTest::CDialogTemplate m_template;
};

// What a screen reader reads of an object, or of one of its items.
struct CReading
{
    HRESULT hr = E_FAIL;
    CString strName;
    long nRole = 0;
    long nState = 0;
    HRESULT hrValue = E_FAIL;
    CString strValue;
    CString strAction;
    CString strShortcut;
    long nChildren = 0;
    CRect rc;
};

// The object of a window, as AccessibleObjectFromWindow gives it; null when none.
IAccessible* ObjectOf(HWND hWnd, LONG idObject = OBJID_CLIENT);
CReading Read(IAccessible* pObject, long idChild = CHILDID_SELF);
CReading ReadWindow(HWND hWnd, LONG idObject = OBJID_CLIENT, long idChild = CHILDID_SELF);
HRESULT DoDefaultAction(HWND hWnd, LONG idObject = OBJID_CLIENT, long idChild = CHILDID_SELF);

// Keys posted to the window with the focus and pumped through the framework's message loop,
// which hands them to the dialogs' keyboard handling first.
void PressKey(UINT nVirtualKey);
void PressKeyDown(UINT nVirtualKey);
void ReleaseKey(UINT nVirtualKey);
// Alt and a letter: a mnemonic.
void PressMnemonic(wchar_t chLetter);
// The page's controls that take input, in its tab order; disabled ones are passed over.
const UINT TAB_ORDER[] = {
    IDC_CT_SLIDER_BOTH,    IDC_CT_SLIDER_TOP,     IDC_CT_SLIDER_BOTTOM, IDC_CT_SLIDER_LEFT, IDC_CT_SLIDER_RIGHT,
    IDC_CT_SLIDER_VBOTH,   IDC_CT_CHECK_OFF,      IDC_CT_CHECK_ON,      IDC_CT_CHECK_LEFT,  IDC_CT_COMBO,
    IDC_CT_EFFECT_NORMAL,  IDC_CT_EFFECT_PITCHED, IDC_CT_ICON_OPEN,     IDC_CT_ICON_ONLY,   IDC_CT_ICON_LEFT,
    IDC_CT_ICON_HOT,       IDC_CT_EDIT,           IDC_CT_TOUCH_COMBO,   IDC_CT_TREE,        IDC_CT_TOUCH_EDIT,
    IDC_CT_TOUCH_PASSWORD, IDC_CT_TOUCH_DATE,
};
}
