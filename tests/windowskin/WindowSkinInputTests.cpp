// Hit testing and the caption buttons of a skinned dialog, driven by the messages the system
// sends; commands are read from the window's queue before anything carries them out.
#include "SkinTestSupport.h"
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
const CRect WINDOW(100, 100, 500, 300);

using WindowSkinHitTest = CSkinnedDialogTest;
using WindowSkinButtons = CSkinnedDialogTest;

// Takes the system commands waiting for the window: the one command without its low bits, 0 when
// there is none, 1 when there are several.
WPARAM OnlyCommand(HWND hWnd, LPARAM* plParam = NULL)
{
    MSG msg;
    WPARAM nCommand = 0;
    for (int n = 0; ::PeekMessageW(&msg, hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE); n++)
    {
        nCommand = n ? 1 : msg.wParam & 0xFFF0;
        if (plParam)
            *plParam = msg.lParam;
    }
    return nCommand;
}

struct CMenuProbe
{
    HWND hWnd;
    WPARAM nChar;
    BOOL bDestroy;
    CRect rcMenu;
    int nSystemLook;
};

// Runs inside the system menu's modal loop: looks at the open menu, then closes it.
void ProbeAndCloseMenu(void* pContext)
{
    CMenuProbe* pProbe = (CMenuProbe*)pContext;
    if (HWND hMenu = ::FindWindowW(L"#32768", NULL))
        ::GetWindowRect(hMenu, &pProbe->rcMenu);
    pProbe->nSystemLook = PartAt(pProbe->hWnd, 12, 6);
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

TEST_F(WindowSkinHitTest, ZonesButtonsCaptionClientAndBorderResizableFixedAndMaximised)
{
    // Minimise given as a point never hits; Maximise is counted from the bottom.
    defs.Load(defs.Skin(FrameSkin(L"Main").Xml(L"<anchors><anchor name=\"Minimise\" point=\"100,6\"/>"
                                               L"<anchor name=\"Maximise\" rect=\"-60,-20,16,14\"/></anchors>")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const int s = ::GetSystemMetrics(SM_CXSIZE);
    ASSERT_GT(s, 7) << "the grip must be wider than the resize zones for this table";

    // Offsets from the left and top edges, negative ones from the right and bottom edges. The
    // fixed column also holds for the maximised window, which has no resize zones, except that
    // its side and bottom edges are gone: their border is client area.
    struct { int x, y; UINT nResizable, nFixed; } table[] = {
        { 0, 0, HTTOPLEFT, HTCAPTION },       { 5, 4, HTTOPLEFT, HTCAPTION },    { 6, 4, HTTOP, HTCAPTION },
        { 5, 5, HTLEFT, HTCAPTION },          { 5, 100, HTLEFT, HTCLIENT },      { 3, 100, HTLEFT, HTBORDER },
        { 5, -4, HTLEFT, HTBORDER },          { 5, -7, HTLEFT, HTCLIENT },       { 5, -3, HTBOTTOMLEFT, HTBORDER },
        { -1, 0, HTTOPRIGHT, HTCAPTION },     { -4, 4, HTTOPRIGHT, HTCAPTION },  { -5, 4, HTTOP, HTCAPTION },
        { -4, 5, HTRIGHT, HTCAPTION },        { -4, -s - 1, HTRIGHT, HTBORDER }, { -s - 1, -1, HTBOTTOM, HTBORDER },
        { -s, -s, HTBOTTOMRIGHT, HTCLIENT },  // the grip, though the zones are narrower
        { 50, -1, HTBOTTOM, HTBORDER },       { 50, -3, HTBOTTOM, HTBORDER },    { 50, -4, HTBORDER, HTBORDER },
        { 50, 10, HTCAPTION, HTCAPTION },     { 50, 29, HTCAPTION, HTCAPTION },  { 50, 30, HTCLIENT, HTCLIENT },
        { 12, 6, HTSYSMENU, HTSYSMENU },      { -30, 6, HTCLOSE, HTCLOSE },      { -11, 23, HTCLOSE, HTCLOSE },
        { -10, 6, HTCAPTION, HTCAPTION },     { -30, 24, HTCAPTION, HTCAPTION }, { 100, 6, HTCAPTION, HTCAPTION },
        { -60, -20, HTZOOM, HTZOOM },         { -45, -7, HTZOOM, HTZOOM },
    };
    auto Check = [&](const char* pszHow, bool bFixed, bool bMaximised = false) {
        const CRect rc = dlg.WindowRect();
        for (const auto& row : table)
        {
            const int x = row.x >= 0 ? row.x : rc.Width() + row.x, y = row.y >= 0 ? row.y : rc.Height() + row.y;
            const UINT nExpected = bFixed ? row.nFixed : row.nResizable;
            EXPECT_EQ(bMaximised && nExpected == HTBORDER ? (UINT)HTCLIENT : nExpected, (UINT)dlg.SendNc(WM_NCHITTEST, 0, x, y))
                << pszHow << " at " << row.x << "," << row.y;
        }
    };
    Check("resizable", false);
    dlg.ModifyStyle(WS_THICKFRAME, 0);
    Check("fixed", true);
    dlg.ModifyStyle(0, WS_THICKFRAME);

    // Maximised: exactly the work area, and no window region.
    dlg.ShowWindow(SW_MAXIMIZE);
    KorvoTest::PumpMessages(30);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(WorkArea(dlg), dlg.WindowRect());
    EXPECT_EQ(CRect(0, 0, 0, 0), dlg.RegionBox());
    Check("maximised", true, true);
}

TEST_F(WindowSkinButtons, HoverPressAndReleaseOnAButtonPostItsCommandAndNothingElseDoes)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    OnlyCommand(dlg.m_hWnd);

    // Each button at its left edge x in the 400-wide window, with its first look.
    struct { UINT nHit; int x; int nLook; WPARAM nCommand; } buttons[] = {
        { HTCLOSE, 370, S::PART_CLOSE, SC_CLOSE },
        { HTREDUCE, 310, S::PART_MINIMISE, SC_MINIMIZE },
        { HTZOOM, 340, S::PART_MAXIMISE, SC_MAXIMIZE },
    };
    for (const auto& b : buttons)
    {
        dlg.SendNc(WM_NCMOUSEMOVE, b.nHit, b.x + 5, 10);
        EXPECT_EQ(b.nLook + 1, PartAt(dlg.m_hWnd, b.x, 6)) << "hover";
        dlg.SendNc(WM_NCLBUTTONDOWN, b.nHit, b.x + 5, 10);
        EXPECT_EQ(b.nLook + 2, PartAt(dlg.m_hWnd, b.x, 6)) << "pressed";
        EXPECT_EQ(0u, OnlyCommand(dlg.m_hWnd)) << "nothing happens before the release";
        dlg.SendNc(WM_NCLBUTTONUP, b.nHit, b.x + 5, 10);
        EXPECT_EQ(b.nLook, PartAt(dlg.m_hWnd, b.x, 6)) << "released";
        EXPECT_EQ(b.nCommand, OnlyCommand(dlg.m_hWnd));
    }

    // Pressed on Close, moved off onto the caption or onto Maximise and released there. The
    // mouse button is not really held, so leaving the button ends the press.
    ASSERT_FALSE(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    for (auto away : { std::make_pair(HTCAPTION, 150), std::make_pair(HTZOOM, 345) })
    {
        dlg.SendNc(WM_NCMOUSEMOVE, HTCLOSE, 375, 10);
        dlg.SendNc(WM_NCLBUTTONDOWN, HTCLOSE, 375, 10);
        dlg.SendNc(WM_NCMOUSEMOVE, away.first, away.second, 10);
        EXPECT_EQ(S::PART_CLOSE, PartAt(dlg.m_hWnd, 370, 6)) << away.second;
        EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, 340, 6)) << "no other button lights up";
        dlg.SendNc(WM_NCLBUTTONUP, away.first, away.second, 10);
        EXPECT_EQ(0u, OnlyCommand(dlg.m_hWnd)) << away.second;
    }

    // Maximised, the maximise button restores; a double click on the system button closes.
    dlg.ShowWindow(SW_MAXIMIZE);
    KorvoTest::PumpMessages(30);
    OnlyCommand(dlg.m_hWnd);
    for (UINT nMessage : { WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP })
        dlg.SendNc(nMessage, HTZOOM, dlg.WindowRect().Width() - 55, 10);
    EXPECT_EQ((WPARAM)SC_RESTORE, OnlyCommand(dlg.m_hWnd));
    dlg.SendNc(WM_NCLBUTTONDBLCLK, HTSYSMENU, 15, 10);
    EXPECT_EQ((WPARAM)SC_CLOSE, OnlyCommand(dlg.m_hWnd));
}

TEST_F(WindowSkinButtons, SystemMenuOpensBelowItsButtonAndNeverLeavesItPressed)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hWnd = dlg.m_hWnd;
    OnlyCommand(hWnd);

    // Closed from outside with the cursor elsewhere; a command chosen; closed at once by a second
    // press on the button, a double press; the window destroyed while the menu is open.
    const CPoint ptAway(900, 700), ptButton = WINDOW.TopLeft() + CPoint(15, 10);
    struct { CPoint ptCursor; UINT nDelay; WPARAM nChar; BOOL bDestroy; WPARAM nCommand; } rows[] = {
        { ptAway, 10, 0, FALSE, 0 },
        { ptAway, 10, 'm', FALSE, SC_MOVE },
        { ptButton, 1, 0, FALSE, SC_CLOSE },
        { ptAway, 10, 0, TRUE, 0 },
    };
    for (const auto& row : rows)
    {
        ::SetCursorPos(row.ptCursor.x, row.ptCursor.y);
        CMenuProbe probe = { hWnd, row.nChar, row.bDestroy, CRect(), -1 };
        RunSoon(row.nDelay, ProbeAndCloseMenu, &probe);
        dlg.SendNc(WM_NCLBUTTONDOWN, HTSYSMENU, 15, 10);
        EXPECT_EQ(WINDOW.TopLeft() + CPoint(12, 24), probe.rcMenu.TopLeft()) << "at the button's bottom-left corner";
        EXPECT_EQ(S::PART_SYSTEM_DOWN, probe.nSystemLook) << "pressed while the menu is open";
        EXPECT_EQ(0, CSkinDialogFrame::StateOf(dlg).nHotButton) << "no button stays stuck";
        EXPECT_EQ(0, CSkinDialogFrame::StateOf(dlg).nPressedButton);
        if (row.bDestroy)
        {
            EXPECT_FALSE(::IsWindow(hWnd));
            continue;
        }
        EXPECT_EQ(S::PART_SYSTEM, PartAt(hWnd, 12, 6));
        LPARAM lParam = 0;
        EXPECT_EQ(row.nCommand, OnlyCommand(hWnd, &lParam)) << row.nChar;
        EXPECT_EQ(row.nCommand ? MAKELPARAM(WINDOW.left + 12, WINDOW.top + 24) : 0, lParam) << "posted with the anchor corner";
    }

    // Without a system menu there is no menu to open and nothing to post.
    CTestSkinDialog plain;
    ASSERT_TRUE(plain.CreateAt(WINDOW.left, WINDOW.top, L"", 40, 20, CTestSkinDialog::STYLE & ~WS_SYSMENU));
    ASSERT_TRUE(plain.SkinMe(L"Main"));
    ::SetCursorPos(ptButton.x, ptButton.y);
    plain.SendNc(WM_NCLBUTTONDOWN, HTSYSMENU, 15, 10);
    EXPECT_EQ(0, CSkinDialogFrame::StateOf(plain).nPressedButton);
    EXPECT_EQ(0u, OnlyCommand(plain.m_hWnd));
    ::SetCursorPos(ptAway.x, ptAway.y);
    KorvoTest::PumpMessages(20);
}
