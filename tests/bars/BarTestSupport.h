// Helpers of the command-bar tests: skin folders with button images, a host window that
// records the commands it is sent, pixels read back from the screen, and a driver that runs
// steps inside a menu's modal loop from a timer.
#pragma once
#include "SkinFolder.h"
#include <KorvoSkin.h>
#include <api/Globals.h>
#include <skin/CSkinRegistry.h>
#include <theme/CInterfaceTheme.h>
#include <theme/CMenuSkinner.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace BarTest
{
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF DIALOG = RGB(10, 200, 30); // the skins' dialog background
const COLORREF NORMAL = RGB(200, 0, 0), HOVER = RGB(0, 0, 200), SELECT = RGB(200, 200, 0);
const int BAR_X = 40, BAR_Y = 40; // the bar's place in the host's client area
const UINT BAR_ID = 4321;

// A button image: one colour with a white (transparent) top-left 4x4 corner.
std::vector<BYTE> ButtonImage(int cx, int cy, COLORREF cr);

using KorvoTest::CSkinFolder;

// Writes a button image (see ButtonImage) into the folder.
inline void WriteButtonImage(const CSkinFolder& folder, LPCWSTR pszRelative, int cx, int cy, COLORREF cr)
{
    std::vector<BYTE> bytes = ButtonImage(cx, cy, cr);
    folder.WriteFile(pszRelative, bytes.data(), bytes.size());
}

// The watermarks and dialog colour of a skin whose buttons named Save and Open have all three
// images (Open has no hover image when bNoOpenHover).
std::string ButtonSkin(bool bNoOpenHover = false);
void WriteButtonImages(const CSkinFolder& folder);

// The host: a frame window that records every WM_COMMAND it gets and disables command 102 and
// retitles command 101 in its command-UI handlers.
class CHostWnd : public CFrameWnd
{
public:
    BOOL Create(int cx = 400, int cy = 200);
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;
    CString m_strTip101;
    std::vector<UINT> m_drawn;  // menu items drawn, by command
    BOOL m_bRecordDrawing = FALSE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnUpdate101(CCmdUI* pCmdUI);
    afx_msg void OnUpdate102(CCmdUI* pCmdUI);
    afx_msg void OnCommand103();
    DECLARE_MESSAGE_MAP()
};

// A test with the cursor parked out of the way, a skin folder, the host and a bar of type BAR
// on it; the windows go with the test.
template <class BAR>
class CBarTest : public ::testing::Test
{
protected:
    void SetUp() override { ::SetCursorPos(1, 1); }
    // The host, and the bar on it at (BAR_X, BAR_Y), cxBar wide and 24 high.
    void CreateWindows(int cxHost, int cyHost, int cxBar)
    {
        ASSERT_TRUE(m_host.Create(cxHost, cyHost));
        ASSERT_TRUE(m_bar.Create(&m_host, WS_VISIBLE, BAR_ID));
        m_bar.MoveWindow(BAR_X, BAR_Y, cxBar, 24);
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_host.DestroyWindow();
        KorvoTest::PumpMessages(10);
    }

    CSkinFolder m_folder;
    CHostWnd m_host;
    BAR m_bar;
};

// Runs each step on a timer tick while a popup menu is open, then lets the menu close; gives
// up after a bounded number of idle ticks. Returns how many steps ran.
typedef std::function<void(HWND hPopup)> MenuStep;
size_t RunInMenuLoop(std::vector<MenuStep> steps, std::function<void()> start, DWORD nLimitMs = 8000);
HWND OpenPopup();
// The ids of a bar docked at the top and one docked at the side.
const UINT ID_TOP = AFX_IDW_CONTROLBAR_FIRST;
const UINT ID_SIDE = AFX_IDW_CONTROLBAR_FIRST + 1;

// A window's rectangle in its parent's client coordinates.
inline CRect Place(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rc, 2);
    return rc;
}
}
