// A modeless dialog gets the dialog keys (Tab, Escape, Enter) through the framework's
// pre-translation of queued messages, as MFC's message loop gives them to IsDialogMessage.
#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>

using KorvoTest::CDialogTemplate;

namespace
{
const UINT IDC_FIRST = 301;
const UINT IDC_SECOND = 302;
const UINT IDC_THIRD = 303;

class CKeyDialog : public CDialog
{
public:
    int m_nOK = 0;
    int m_nCancel = 0;
    // A modeless dialog stays open: it only counts.
    void OnOK() override { m_nOK++; }
    void OnCancel() override { m_nCancel++; }
};

void PostKey(HWND hWnd, UINT nKey)
{
    LPARAM lParam = 1 | (::MapVirtualKeyW(nKey, 0) << 16);
    ::PostMessageW(hWnd, WM_KEYDOWN, nKey, lParam);
    ::PostMessageW(hWnd, WM_KEYUP, nKey, lParam | 0xC0000000);
}

// Dispatches the queue as a loop without the framework's pre-translation would.
void PumpPlainly()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void SetShift(BOOL bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}
} // namespace

TEST(DialogKeyboard, TabEscapeAndEnterWorkInAModelessDialog)
{
    CDialogTemplate tmpl(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT, 160, 90, L"Keys");
    tmpl.AddControl(L"Edit", IDC_FIRST, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 5, 100, 12)
        .AddControl(L"Static", 399, WS_VISIBLE, 5, 20, 100, 10, L"not a tab stop")
        .AddControl(L"Edit", IDC_SECOND, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 32, 100, 12)
        .AddControl(L"Button", IDC_THIRD, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5, 50, 50, 14, L"Third")
        .AddControl(L"Button", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 60, 50, 50, 14, L"OK");
    CKeyDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    dlg.SetForegroundWindow();
    HWND hFirst = ::GetDlgItem(dlg.m_hWnd, IDC_FIRST);
    HWND hSecond = ::GetDlgItem(dlg.m_hWnd, IDC_SECOND);
    HWND hThird = ::GetDlgItem(dlg.m_hWnd, IDC_THIRD);
    ::SetFocus(hFirst);
    ASSERT_EQ(hFirst, ::GetFocus());

    // Without the framework's pre-translation a Tab is only a character for the edit control.
    PostKey(hFirst, VK_TAB);
    PumpPlainly();
    EXPECT_EQ(hFirst, ::GetFocus());

    struct { UINT nKey; BOOL bShift; HWND hFocus; int nOK; int nCancel; const char* pszWhat; } cases[] = {
        { VK_TAB, FALSE, hSecond, 0, 0, "Tab skips the static text" },
        { VK_TAB, FALSE, hThird, 0, 0, "Tab reaches the button" },
        { VK_TAB, TRUE, hSecond, 0, 0, "Shift+Tab goes back" },
        { VK_ESCAPE, FALSE, hSecond, 0, 1, "Escape is IDCANCEL" },
        { VK_RETURN, FALSE, hSecond, 1, 1, "Enter in an edit control is the default button's IDOK" },
    };
    for (const auto& c : cases)
    {
        SetShift(c.bShift);
        PostKey(::GetFocus(), c.nKey);
        KorvoTest::PumpMessages();
        SetShift(FALSE);
        EXPECT_EQ(c.hFocus, ::GetFocus()) << c.pszWhat;
        EXPECT_EQ(c.nOK, dlg.m_nOK) << c.pszWhat;
        EXPECT_EQ(c.nCancel, dlg.m_nCancel) << c.pszWhat;
    }
    dlg.DestroyWindow();
}
