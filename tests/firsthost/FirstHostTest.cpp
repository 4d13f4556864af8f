// The first host of docs/host-guide.md, started as its user starts it: from its own folder,
// which holds its own definitions and the bundled skins only. Its main window comes up framed by
// the bundled skin it names, and what shows on the screen is that skin's frame bitmap; its bars
// are docked along the top.
#include "KorvoTest.h"
#include <gtest/gtest.h>

using namespace KorvoTest;

namespace
{
const wchar_t FOLDER[] = KORVO_FIRSTHOST_DIR L"/";

// A started process, ended by the test or, failing that, when the test leaves.
class CHostProcess
{
public:
    ~CHostProcess()
    {
        if (m_pi.hProcess)
        {
            if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_pi.hProcess, 1);
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
        }
    }
    BOOL Start(const CString& strFolder, const CString& strArguments)
    {
        CString strCommand = L"\"" + strFolder + L"firsthost.exe\" " + strArguments;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        return ::CreateProcessW(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, strFolder, &si, &m_pi);
    }
    // The process's visible top-level window of that title, waited for (a loaded machine may
    // take long to start it); null when it never shows or the process ends.
    HWND WaitForWindow(LPCWSTR pszTitle) const
    {
        for (int n = 0; n < 600; n++)
        {
            HWND hWnd = ::FindWindowW(NULL, pszTitle);
            DWORD dwProcess = 0;
            if (hWnd)
                ::GetWindowThreadProcessId(hWnd, &dwProcess);
            if (hWnd && dwProcess == m_pi.dwProcessId && ::IsWindowVisible(hWnd))
                return hWnd;
            if (::WaitForSingleObject(m_pi.hProcess, 100) != WAIT_TIMEOUT)
                return NULL;
        }
        return NULL;
    }
    BOOL IsRunning() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    BOOL WaitForExit() const { return ::WaitForSingleObject(m_pi.hProcess, 60000) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION m_pi = {};
};

COLORREF ScreenPixel(int x, int y)
{
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// A pixel of a bitmap file.
COLORREF FilePixel(const CString& strPath, int x, int y)
{
    CBitmap bitmap;
    if (!bitmap.Attach(::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)))
        return CLR_INVALID;
    CClientDC screen(NULL);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return CLR_INVALID;
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)bitmap.m_hObject);
    COLORREF cr = dc.GetPixel(x, y);
    dc.SelectObject(hOld);
    return cr;
}

// A child's rectangle in its parent's client coordinates; empty when there is no such child.
CRect ChildRect(HWND hParent, UINT nID)
{
    CRect rc;
    HWND hChild = ::GetDlgItem(hParent, nID);
    if (hChild && ::GetWindowRect(hChild, &rc))
        ::MapWindowPoints(NULL, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The control-bar ids the host gives its menu bar and its toolbar, its first label's id and its
// Skin menu's Ember command.
const UINT IDW_MENU_BAR = 0xE800, IDW_TOOL_BAR = 0xE801, IDC_INTRO = 1001, ID_SKIN_EMBER = 32812;
}

TEST(FirstHost, ABundledSkinFramesItsMainWindow)
{
    CString strFolder(FOLDER);
    strFolder.Replace(L'/', L'\\');
    // The host ships its own definitions and the skins, and nothing of the gallery's.
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strFolder + L"Definitions\\Definitions.xml"));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strFolder + L"Skins\\Aurora.xml"));
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strFolder + L"Definitions\\Aurora.xml"));
    const CString strFrame = strFolder + L"Skins\\Aurora\\frame.bmp";
    // Aurora's frame bitmap: the caption edge (active and inactive) at x 24..40 of rows 0..30
    // and 30..60, the left side at x 64..70, the corners' outside magenta.
    const COLORREF crCaption = FilePixel(strFrame, 30, 4), crCaptionInactive = FilePixel(strFrame, 30, 34);
    const COLORREF crLeft = FilePixel(strFrame, 67, 12), crOutside = FilePixel(strFrame, 0, 0);
    ASSERT_NE(CLR_INVALID, crCaption);
    ASSERT_EQ(RGB(255, 0, 255), crOutside);

    CHostProcess host;
    ASSERT_TRUE(host.Start(strFolder, L"Aurora"));
    HWND hWnd = host.WaitForWindow(L"First host");
    ASSERT_TRUE(hWnd);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    // The window paints in its own time: the caption is waited for, within bounds.
    COLORREF crShown = CLR_INVALID;
    for (int n = 0; n < 300 && crShown != crCaption && crShown != crCaptionInactive; n++)
    {
        PumpMessages(100);
        crShown = ScreenPixel(rcWindow.left + rcWindow.Width() / 2, rcWindow.top + 4);
    }
    EXPECT_TRUE(crShown == crCaption || crShown == crCaptionInactive) << std::hex << crShown;
    EXPECT_EQ(crLeft, ScreenPixel(rcWindow.left + 3, rcWindow.top + rcWindow.Height() / 2));
    // The skin's rounded shape cuts the corner away: its magenta never shows.
    EXPECT_NE(crOutside, ScreenPixel(rcWindow.left, rcWindow.top));
    // The frame is the skin's, so the client area sits inside Aurora's edges: 30 pixels of
    // caption above it and 6 of side to its left.
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rcClient.left));
    EXPECT_EQ(CPoint(6, 30), CPoint(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top));

    // The bars dock along the top of the client area, the menu bar above the toolbar, each as
    // wide as the client area, and the template's controls lie below them; a wider window
    // gets wider bars.
    CRect rcInner, rcMenuBar = ChildRect(hWnd, IDW_MENU_BAR), rcToolBar = ChildRect(hWnd, IDW_TOOL_BAR);
    ::GetClientRect(hWnd, &rcInner);
    EXPECT_EQ(CRect(0, 0, rcInner.right, rcMenuBar.bottom), rcMenuBar);
    EXPECT_GT(rcMenuBar.Height(), 0);
    EXPECT_EQ(CRect(0, rcMenuBar.bottom, rcInner.right, rcToolBar.bottom), rcToolBar);
    EXPECT_GE(rcToolBar.Height(), 24);
    EXPECT_LE(rcToolBar.bottom, ChildRect(hWnd, IDC_INTRO).top);
    ::SetWindowPos(hWnd, NULL, 0, 0, rcWindow.Width() + 100, rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int n = 0; n < 100 && ChildRect(hWnd, IDW_TOOL_BAR).Width() != rcInner.Width() + 100 && host.IsRunning(); n++)
        PumpMessages(100);
    EXPECT_EQ(rcInner.Width() + 100, ChildRect(hWnd, IDW_TOOL_BAR).Width());
    EXPECT_EQ(rcInner.Width() + 100, ChildRect(hWnd, IDW_MENU_BAR).Width());

    // The Skin menu's Ember switches the running host to that skin: Ember's caption shows.
    const CString strEmber = strFolder + L"Skins\\Ember\\frame.bmp";
    const COLORREF crEmber = FilePixel(strEmber, 30, 4), crEmberInactive = FilePixel(strEmber, 30, 34);
    ASSERT_NE(crCaption, crEmber);
    ::PostMessageW(hWnd, WM_COMMAND, ID_SKIN_EMBER, 0);
    ::GetWindowRect(hWnd, &rcWindow);
    crShown = CLR_INVALID;
    for (int n = 0; n < 300 && crShown != crEmber && crShown != crEmberInactive && host.IsRunning(); n++)
    {
        PumpMessages(100);
        crShown = ScreenPixel(rcWindow.left + rcWindow.Width() / 2, rcWindow.top + 4);
    }
    EXPECT_TRUE(crShown == crEmber || crShown == crEmberInactive) << std::hex << crShown;

    ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(host.WaitForExit());
}
