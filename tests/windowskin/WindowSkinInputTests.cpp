#include "SkinTestSupport.h"
#include <gtest/gtest.h>

using namespace SkinTest;
typedef CWindowSkin S;

namespace
{
// Frame of 30 on top, 4 left, 5 right, 6 below; resize zones 6, 5, 4 and 3 wide; all four
// buttons in their three looks: System at the left, the others counted from the right edge.
std::unique_ptr<CWindowSkin> MakeButtonSkin(CSkinBuilder& builder)
{
    builder.Part(L"TopLeft", 10, 30).Part(L"Top", 16, 30).Part(L"TopRight", 60, 30).Part(L"Left", 4, 8)
        .Part(L"Right", 5, 8).Part(L"Bottom", 16, 6);
    for (LPCWSTR pszButton : { L"System", L"Minimise", L"Maximise", L"Close" })
    {
        builder.Part(pszButton, 20, 18);
        builder.Part(CString(pszButton) + L"Hover", 20, 18);
        builder.Part(CString(pszButton) + L"Down", 20, 18);
    }
    builder.Xml(L"<anchors><anchor name=\"System\" rect=\"12,6,20,18\"/><anchor name=\"Minimise\" rect=\"-90,6,20,18\"/>"
                L"<anchor name=\"Maximise\" rect=\"-60,6,20,18\"/><anchor name=\"Close\" rect=\"-30,6,20,18\"/></anchors>"
                L"<resizeBorder rect=\"6,5,4,3\"/>");
    return builder.Parse();
}

LPARAM ScreenPoint(const CWnd& wnd, int x, int y)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return MAKELPARAM(rc.left + x, rc.top + y);
}

int PartAt(const CWnd& wnd, int x, int y)
{
    return WindowPart(wnd.m_hWnd, x, y).nPart;
}

struct CMenuProbe
{
    HWND hWnd = NULL;
    CRect rcMenu;
    int nSystemPart = -1;
    BOOL bDestroy = FALSE;
    WPARAM nChar = 0;
};

// Runs inside the system menu's modal loop: looks at the open menu, then closes it.
void ProbeAndCloseMenu(void* pContext)
{
    CMenuProbe* pProbe = (CMenuProbe*)pContext;
    if (HWND hMenu = ::FindWindowW(L"#32768", NULL))
        ::GetWindowRect(hMenu, &pProbe->rcMenu);
    pProbe->nSystemPart = WindowPart(pProbe->hWnd, 12, 6).nPart;
    if (pProbe->nChar)
    {
        ::PostMessageW(pProbe->hWnd, WM_CHAR, pProbe->nChar, 0);
        return;
    }
    if (pProbe->bDestroy)
        ::DestroyWindow(pProbe->hWnd);
    ::EndMenu();
}
}

TEST(WindowSkinHitTest, ResizeZonesButtonsCaptionClientAndBorder)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    pSkin->m_pAnchorRects[S::ANCHOR_MINIMISE] = CRect(100, 6, 0, 0);   // given as a point: never hits
    pSkin->m_pAnchorRects[S::ANCHOR_MAXIMISE] = CRect(-60, -20, -44, -6); // counted from the bottom
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    const int L = 100, T = 100, R = 400, B = 300;
    const int s = ::GetSystemMetrics(SM_CXSIZE);
    ASSERT_GT(s, 7) << "the grip must be wider than the resize zones for this table";

    struct { int x, y; UINT nResizable, nFixed; } table[] = {
        { L, T, HTTOPLEFT, HTCAPTION },
        { L + 5, T + 4, HTTOPLEFT, HTCAPTION },
        { L + 6, T + 4, HTTOP, HTCAPTION },
        { L + 5, T + 5, HTLEFT, HTCAPTION },
        { L + 5, T + 100, HTLEFT, HTCLIENT },
        { L + 3, T + 100, HTLEFT, HTBORDER },
        { L + 5, B - 4, HTLEFT, HTBORDER },
        { L + 5, B - 7, HTLEFT, HTCLIENT },
        { L + 5, B - 3, HTBOTTOMLEFT, HTBORDER },
        { R - 1, T, HTTOPRIGHT, HTCAPTION },
        { R - 4, T + 4, HTTOPRIGHT, HTCAPTION },
        { R - 5, T + 4, HTTOP, HTCAPTION },
        { R - 4, T + 5, HTRIGHT, HTCAPTION },
        { R - 4, B - s - 1, HTRIGHT, HTBORDER },
        { R - s, B - s, HTBOTTOMRIGHT, HTCLIENT },  // the grip, though the zones are narrower
        { R - s - 1, B - 1, HTBOTTOM, HTBORDER },
        { L + 50, B - 1, HTBOTTOM, HTBORDER },
        { L + 50, B - 3, HTBOTTOM, HTBORDER },
        { L + 50, B - 4, HTBORDER, HTBORDER },
        { L + 50, T + 10, HTCAPTION, HTCAPTION },
        { L + 50, T + 29, HTCAPTION, HTCAPTION },
        { L + 50, T + 30, HTCLIENT, HTCLIENT },
        { L + 12, T + 6, HTSYSMENU, HTSYSMENU },
        { R - 30, T + 6, HTCLOSE, HTCLOSE },
        { R - 11, T + 23, HTCLOSE, HTCLOSE },
        { R - 10, T + 6, HTCAPTION, HTCAPTION },
        { R - 30, T + 24, HTCAPTION, HTCAPTION },
        { L + 100, T + 6, HTCAPTION, HTCAPTION },
        { R - 60, B - 20, HTZOOM, HTZOOM },
        { R - 45, B - 7, HTZOOM, HTZOOM },
    };
    for (const auto& row : table)
    {
        CPoint pt(row.x, row.y);
        EXPECT_EQ(row.nResizable, pSkin->HitTest(&wnd, pt, TRUE)) << "resizable at " << row.x - L << "," << row.y - T;
        EXPECT_EQ(row.nFixed, pSkin->HitTest(&wnd, pt, FALSE)) << "fixed at " << row.x - L << "," << row.y - T;
    }
    // The window asks the skin with its own style.
    EXPECT_EQ((LRESULT)HTTOPLEFT, wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(L, T)));
    EXPECT_EQ((LRESULT)HTCLOSE, wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(R - 30, T + 6)));
}

TEST(WindowSkinButtons, HoverPressAndReleasePostTheCommand)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    TakeSysCommands(wnd.m_hWnd);
    const LPARAM ptClose = ScreenPoint(wnd, 275, 10);

    wnd.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, ptClose);
    EXPECT_EQ(4, pSkin->m_nHotButton);
    EXPECT_EQ(S::PART_CLOSE_HOVER, PartAt(wnd, 270, 6));
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(wnd, 240, 6));

    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ptClose);
    EXPECT_EQ(4, pSkin->m_nPressedButton);
    EXPECT_EQ(S::PART_CLOSE_DOWN, PartAt(wnd, 270, 6));
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty()) << "nothing happens before the release";

    wnd.SendMessage(WM_NCLBUTTONUP, HTCLOSE, ptClose);
    EXPECT_EQ(0, pSkin->m_nHotButton);
    EXPECT_EQ(0, pSkin->m_nPressedButton);
    EXPECT_EQ(S::PART_CLOSE, PartAt(wnd, 270, 6));
    std::vector<MSG> commands = TakeSysCommands(wnd.m_hWnd);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)SC_CLOSE, commands[0].wParam);
    EXPECT_EQ(0, commands[0].lParam);

    struct { UINT nHitTest; int x; WPARAM nCommand; } buttons[] = {
        { HTREDUCE, 215, SC_MINIMIZE },
        { HTZOOM, 245, SC_MAXIMIZE },
    };
    for (const auto& button : buttons)
    {
        LPARAM pt = ScreenPoint(wnd, button.x, 10);
        wnd.SendMessage(WM_NCMOUSEMOVE, button.nHitTest, pt);
        wnd.SendMessage(WM_NCLBUTTONDOWN, button.nHitTest, pt);
        wnd.SendMessage(WM_NCLBUTTONUP, button.nHitTest, pt);
        commands = TakeSysCommands(wnd.m_hWnd);
        ASSERT_EQ(1u, commands.size());
        EXPECT_EQ(button.nCommand, commands[0].wParam);
    }

    // A release with no press, and a press away from the buttons, do nothing.
    EXPECT_FALSE(pSkin->OnNcLButtonUp(&wnd, HTCLOSE, CPoint(ptClose)));
    EXPECT_FALSE(pSkin->OnNcLButtonDown(&wnd, HTCAPTION, CPoint(ptClose)));
    EXPECT_EQ(0, pSkin->m_nPressedButton);
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());
}

TEST(WindowSkinButtons, DraggingOffAndReleasingElsewherePostsNothing)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    TakeSysCommands(wnd.m_hWnd);
    const LPARAM ptClose = ScreenPoint(wnd, 275, 10);
    const LPARAM ptCaption = ScreenPoint(wnd, 150, 10);

    wnd.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, ptClose);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ptClose);
    ASSERT_EQ(S::PART_CLOSE_DOWN, PartAt(wnd, 270, 6));
    // The mouse button is not held down here, so leaving the button also ends the press.
    ASSERT_FALSE(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    wnd.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, ptCaption);
    EXPECT_EQ(0, pSkin->m_nHotButton);
    EXPECT_EQ(0, pSkin->m_nPressedButton);
    EXPECT_EQ(S::PART_CLOSE, PartAt(wnd, 270, 6));
    wnd.SendMessage(WM_NCLBUTTONUP, HTCAPTION, ptCaption);
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());

    // Pressed on Close, moved onto Maximise: no hover there, and releasing on it does nothing.
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ptClose);
    wnd.SendMessage(WM_NCMOUSEMOVE, HTZOOM, ScreenPoint(wnd, 245, 10));
    EXPECT_EQ(0, pSkin->m_nHotButton);
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(wnd, 240, 6));
    wnd.SendMessage(WM_NCLBUTTONUP, HTZOOM, ScreenPoint(wnd, 245, 10));
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());
}

TEST(WindowSkinButtons, DoubleClickOnTheSystemButtonCloses)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    TakeSysCommands(wnd.m_hWnd);

    wnd.SendMessage(WM_NCLBUTTONDBLCLK, HTSYSMENU, ScreenPoint(wnd, 15, 10));
    std::vector<MSG> commands = TakeSysCommands(wnd.m_hWnd);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)SC_CLOSE, commands[0].wParam);
    EXPECT_EQ(0, commands[0].lParam);
    // The caption's double click is left to the default processing.
    EXPECT_FALSE(pSkin->OnNcLButtonDblClk(&wnd, HTCAPTION, CPoint(ScreenPoint(wnd, 150, 10))));
    EXPECT_FALSE(pSkin->OnNcLButtonDblClk(&wnd, HTCLOSE, CPoint(ScreenPoint(wnd, 275, 10))));
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());
}

TEST(WindowSkinButtons, SystemButtonOpensTheSystemMenuBelowItsAnchor)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    TakeSysCommands(wnd.m_hWnd);
    const LPARAM ptSystem = ScreenPoint(wnd, 15, 10);
    const LPARAM lAnchorCorner = MAKELPARAM(100 + 12, 100 + 24);

    // Closed from outside with the cursor elsewhere: no command.
    ::SetCursorPos(900, 700);
    CMenuProbe probe;
    probe.hWnd = wnd.m_hWnd;
    RunSoon(10, ProbeAndCloseMenu, &probe);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, ptSystem);
    EXPECT_EQ(CPoint(112, 124), probe.rcMenu.TopLeft()) << "at the anchor's bottom-left corner";
    EXPECT_EQ(S::PART_SYSTEM_DOWN, probe.nSystemPart) << "pressed while the menu is open";
    EXPECT_EQ(0, pSkin->m_nHotButton);
    EXPECT_EQ(0, pSkin->m_nPressedButton);
    EXPECT_EQ(S::PART_SYSTEM, PartAt(wnd, 12, 6));
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());

    // A command chosen in the menu is posted with the anchor corner.
    probe = CMenuProbe();
    probe.hWnd = wnd.m_hWnd;
    probe.nChar = 'm';
    RunSoon(10, ProbeAndCloseMenu, &probe);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, ptSystem);
    std::vector<MSG> commands = TakeSysCommands(wnd.m_hWnd);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)SC_MOVE, commands[0].wParam & 0xFFF0);
    EXPECT_EQ(lAnchorCorner, commands[0].lParam);

    // The menu closed at once by a second press on the button: the window closes.
    ::SetCursorPos(100 + 15, 100 + 10);
    probe = CMenuProbe();
    probe.hWnd = wnd.m_hWnd;
    RunSoon(1, ProbeAndCloseMenu, &probe);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, ptSystem);
    commands = TakeSysCommands(wnd.m_hWnd);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)SC_CLOSE, commands[0].wParam);
    EXPECT_EQ(lAnchorCorner, commands[0].lParam);
    ::SetCursorPos(900, 700);
    KorvoTest::PumpMessages(20);
}

TEST(WindowSkinButtons, WindowDestroyedWhileTheSystemMenuIsOpen)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    HWND hWnd = wnd.m_hWnd;
    ::SetCursorPos(900, 700);

    CMenuProbe probe;
    probe.hWnd = hWnd;
    probe.bDestroy = TRUE;
    RunSoon(10, ProbeAndCloseMenu, &probe);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, ScreenPoint(wnd, 15, 10));
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(0, pSkin->m_nHotButton) << "no button stays stuck for the other windows of the skin";
    EXPECT_EQ(0, pSkin->m_nPressedButton);
}

TEST(WindowSkinButtons, WindowWithoutSystemMenuOpensNoneAndPostsNothing)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300), WS_POPUP | WS_THICKFRAME));
    TakeSysCommands(wnd.m_hWnd);
    ::SetCursorPos(100 + 15, 100 + 10);
    EXPECT_TRUE(pSkin->OnNcLButtonDown(&wnd, HTSYSMENU, CPoint(ScreenPoint(wnd, 15, 10))));
    EXPECT_EQ(0, pSkin->m_nPressedButton);
    EXPECT_TRUE(TakeSysCommands(wnd.m_hWnd).empty());
    ::SetCursorPos(900, 700);
    KorvoTest::PumpMessages(20);
}

TEST(WindowSkinButtons, MaximisedWindowRestoresFillsTheWorkAreaAndHasNoResizeZones)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    wnd.ShowWindow(SW_MAXIMIZE);
    KorvoTest::PumpMessages(30);
    ASSERT_TRUE(wnd.IsZoomed());
    TakeSysCommands(wnd.m_hWnd);

    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWork, rcWindow) << "exactly the primary work area";
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, wnd.GetWindowRgn(hRgn)) << "and no window region";
    ::DeleteObject(hRgn);

    const int L = rcWindow.left, T = rcWindow.top, R = rcWindow.right, B = rcWindow.bottom;
    EXPECT_EQ((UINT)HTCAPTION, pSkin->HitTest(&wnd, CPoint(L, T), TRUE));
    EXPECT_EQ((UINT)HTBORDER, pSkin->HitTest(&wnd, CPoint(L + 1, T + 100), TRUE));
    EXPECT_EQ((UINT)HTBORDER, pSkin->HitTest(&wnd, CPoint(R - 1, B - 1), TRUE));
    EXPECT_EQ((UINT)HTCLIENT, pSkin->HitTest(&wnd, CPoint(L + 100, T + 100), TRUE));

    LPARAM ptMaximise = MAKELPARAM(R - 55, T + 10);
    EXPECT_EQ((LRESULT)HTZOOM, wnd.SendMessage(WM_NCHITTEST, 0, ptMaximise));
    wnd.SendMessage(WM_NCMOUSEMOVE, HTZOOM, ptMaximise);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTZOOM, ptMaximise);
    wnd.SendMessage(WM_NCLBUTTONUP, HTZOOM, ptMaximise);
    std::vector<MSG> commands = TakeSysCommands(wnd.m_hWnd);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)SC_RESTORE, commands[0].wParam);

    wnd.ShowWindow(SW_RESTORE);
    KorvoTest::PumpMessages(30);
    wnd.GetWindowRect(&rcWindow);
    EXPECT_EQ(CRect(100, 100, 400, 300), rcWindow);
    EXPECT_NE(ERROR, wnd.GetWindowRgn(hRgn = ::CreateRectRgn(0, 0, 0, 0))) << "restored windows get their shape back";
    ::DeleteObject(hRgn);
}

TEST(WindowSkinButtons, RealMouseInputDrivesTheCloseButton)
{
    CSkinBuilder builder;
    auto pSkin = MakeButtonSkin(builder);
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(100, 100, 400, 300)));
    // Real input goes to whatever window is on top at the cursor.
    wnd.SetWindowPos(CWnd::FromHandle(HWND_TOPMOST), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Moves the cursor (and presses or releases), then lets the messages arrive until the
    // expected state shows, for at most a second.
    auto Mouse = [&](int x, int y, DWORD dwFlags, int nHot, int nPressed) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
        ::SendInput(1, &input, sizeof(input));
        for (int n = 0; n < 100 && (pSkin->m_nHotButton != nHot || pSkin->m_nPressedButton != nPressed); n++)
            KorvoTest::PumpMessages(10);
        KorvoTest::PumpMessages(10);
        EXPECT_EQ(nHot, pSkin->m_nHotButton) << "at " << x << "," << y;
        EXPECT_EQ(nPressed, pSkin->m_nPressedButton) << "at " << x << "," << y;
    };
    Mouse(375, 110, 0, 4, 0);
    EXPECT_EQ(S::PART_CLOSE_HOVER, PartAt(wnd, 270, 6));
    Mouse(375, 110, MOUSEEVENTF_LEFTDOWN, 4, 4);
    EXPECT_EQ(S::PART_CLOSE_DOWN, PartAt(wnd, 270, 6));
    // Held down: leaving shows the button normal but keeps the press; coming back re-arms it.
    Mouse(250, 110, 0, 0, 4);
    EXPECT_EQ(S::PART_CLOSE, PartAt(wnd, 270, 6));
    Mouse(375, 110, 0, 4, 4);
    EXPECT_EQ(S::PART_CLOSE_DOWN, PartAt(wnd, 270, 6));
    Mouse(375, 110, MOUSEEVENTF_LEFTUP, 0, 0);
    ASSERT_EQ(1u, wnd.m_sysCommands.size());
    EXPECT_EQ((UINT)SC_CLOSE, wnd.m_sysCommands[0]);
    EXPECT_EQ(S::PART_CLOSE, PartAt(wnd, 270, 6));
    Mouse(900, 700, 0, 0, 0);
}
