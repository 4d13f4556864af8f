#include "GalleryPageHost.h"
#include <api/Globals.h>

namespace GalleryTest
{
CBundledSkin::CBundledSkin(LPCWSTR pszSkin) : m_strSavedFolder(g_strAppFolder)
{
    g_strAppFolder = KORVO_TESTS_DIR L"\\..\\samples\\gallery\\";
    LoadSkin(L"Definitions\\English.xml", CString(L"Definitions\\") + pszSkin + L".xml");
}

CBundledSkin::~CBundledSkin()
{
    g_strAppFolder = m_strSavedFolder;
    LoadSkin(L"", L"");
    ControlsTest::CFreshTheme::Reset();
}

BOOL CRecordingPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED)
        m_clicks.push_back(LOWORD(wParam));
    return CControlsPage::OnCommand(wParam, lParam);
}

CGalleryHost::CGalleryHost() : CSkinDialog(0), m_template(STYLE, 20, 20, L"Gallery")
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (!CreateIndirect(m_template.Get(), NULL) || !m_page.Create(IDD_CONTROLS, this))
        return;
    CRect rcPage;
    m_page.GetWindowRect(&rcPage);
    m_page.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_page.ShowWindow(SW_SHOW);
    SkinMe(L"Gallery");
    // The client area takes the page; the frame around it is the skin's.
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    SetWindowPos(NULL, 20, 20, rcWindow.Width() - rcClient.Width() + rcPage.Width(),
                 rcWindow.Height() - rcClient.Height() + rcPage.Height(), SWP_NOZORDER);
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ControlsTest::MovePointerAway();
    KorvoTest::PumpMessages(50);
}

CGalleryHost::~CGalleryHost()
{
    if (m_hWnd)
        DestroyWindow();
}

IAccessible* ObjectOf(HWND hWnd, LONG idObject)
{
    IAccessible* pObject = NULL;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, (DWORD)idObject, __uuidof(IAccessible), (void**)&pObject)))
        return NULL;
    return pObject;
}

CReading Read(IAccessible* pObject, long idChild)
{
    CReading reading;
    if (!pObject)
        return reading;
    VARIANT varChild;
    varChild.vt = VT_I4;
    varChild.lVal = idChild;
    BSTR bstr = NULL;
    reading.hr = pObject->get_accName(varChild, &bstr);
    reading.strName = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    VARIANT var;
    ::VariantInit(&var);
    if (SUCCEEDED(pObject->get_accRole(varChild, &var)) && var.vt == VT_I4)
        reading.nRole = var.lVal;
    ::VariantInit(&var);
    if (SUCCEEDED(pObject->get_accState(varChild, &var)) && var.vt == VT_I4)
        reading.nState = var.lVal;
    bstr = NULL;
    reading.hrValue = pObject->get_accValue(varChild, &bstr);
    reading.strValue = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    bstr = NULL;
    pObject->get_accDefaultAction(varChild, &bstr);
    reading.strAction = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    bstr = NULL;
    pObject->get_accKeyboardShortcut(varChild, &bstr);
    reading.strShortcut = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    if (idChild == CHILDID_SELF)
        pObject->get_accChildCount(&reading.nChildren);
    long x = 0, y = 0, cx = 0, cy = 0;
    if (SUCCEEDED(pObject->accLocation(&x, &y, &cx, &cy, varChild)))
        reading.rc = CRect(x, y, x + cx, y + cy);
    return reading;
}

CReading ReadWindow(HWND hWnd, LONG idObject, long idChild)
{
    IAccessible* pObject = ObjectOf(hWnd, idObject);
    CReading reading = Read(pObject, idChild);
    if (pObject)
        pObject->Release();
    return reading;
}

HRESULT DoDefaultAction(HWND hWnd, LONG idObject, long idChild)
{
    IAccessible* pObject = ObjectOf(hWnd, idObject);
    if (!pObject)
        return E_FAIL;
    VARIANT varChild;
    varChild.vt = VT_I4;
    varChild.lVal = idChild;
    HRESULT hr = pObject->accDoDefaultAction(varChild);
    pObject->Release();
    KorvoTest::PumpMessages(20);
    return hr;
}

namespace
{
void PostKey(UINT nMessage, UINT nVirtualKey)
{
    UINT nScan = ::MapVirtualKeyW(nVirtualKey, MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | ((LPARAM)nScan << 16);
    if (nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP)
        lParam |= (LPARAM)3 << 30;
    ::PostMessageW(::GetFocus(), nMessage, nVirtualKey, lParam);
    KorvoTest::PumpMessages(0);
}
}

void PressKeyDown(UINT nVirtualKey)
{
    PostKey(WM_KEYDOWN, nVirtualKey);
}

void ReleaseKey(UINT nVirtualKey)
{
    PostKey(WM_KEYUP, nVirtualKey);
}

void PressKey(UINT nVirtualKey)
{
    PressKeyDown(nVirtualKey);
    ReleaseKey(nVirtualKey);
    KorvoTest::PumpMessages(10);
}

void PressMnemonic(wchar_t chLetter)
{
    // The character message of Alt and the letter, the one the dialogs look mnemonics up by.
    ::PostMessageW(::GetFocus(), WM_SYSCHAR, chLetter, 1 | ((LPARAM)1 << 29));
    KorvoTest::PumpMessages(10);
}
}
