// Skinned dialogs across skin reloads: no dialog touches a skin the registry deleted, SkinMe
// takes the new one, and a thousand reloads leave no GDI or USER object behind.
#include "SkinDialogTestSupport.h"
#include <theme/CInterfaceTheme.h>
#include <gtest/gtest.h>
#include <algorithm>

using namespace SkinDialogTest;
using SkinTest::WindowPart;
typedef CWindowSkin S;

namespace
{
CSize SkinnedWindowSize(const CSize& client, const CFrame& frame)
{
    return CSize(client.cx + frame.nLeft + frame.nRight, client.cy + frame.nTop + frame.nBottom);
}

CRect WorkArea(const CWnd& wnd)
{
    MONITORINFO info = { sizeof(info) };
    ::GetMonitorInfoW(::MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

// Every non-client message a dialog may get between a reload and the host's next SkinMe.
void Bombard(CTestSkinDialog& dlg)
{
    const CRect rc = dlg.WindowRect();
    const LPARAM lCaption = MAKELPARAM(rc.left + 150, rc.top + 10);
    ::RedrawWindow(dlg.m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    dlg.SendMessage(WM_NCPAINT, 1, 0);
    dlg.SendMessage(WM_NCHITTEST, 0, lCaption);
    dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.right - 25, rc.top + 12));
    dlg.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, lCaption);
    dlg.SendMessage(WM_NCACTIVATE, TRUE, 0);
    dlg.SendMessage(WM_NCACTIVATE, FALSE, 0);
    dlg.SendMessage(WM_SETTEXT, 0, (LPARAM)L"After the reload");
    dlg.SetWindowPos(NULL, 0, 0, rc.Width() + 10, rc.Height() + 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    HWND hStatic = ::GetDlgItem(dlg.m_hWnd, CTestSkinDialog::ID_STATIC);
    HDC hDC = ::GetDC(hStatic);
    dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hStatic);
    ::ReleaseDC(hStatic, hDC);
    KorvoTest::PumpMessages(10);
}
}

TEST(SkinDialogReload, OpenDialogsLetGoOfDeletedSkinsAndTakeTheNewOnesWithSkinMe)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Login", Frame(30), L"Definitions\\", L"login.bmp")
                         + defs.WindowSkin(L"Main", Frame(26, 6, 6, 6), L"Definitions\\", L"main.bmp")));
    defs.Write(L"other.xml", Skins(defs.WindowSkin(L"Login", Frame(24, 2, 3, 4), L"", L"login2.bmp")
                                   + defs.WindowSkin(L"Main", Frame(28, 7, 8, 9), L"", L"main2.bmp")));
    LoadSkin(L"", L"");

    CTestSkinDialog login, main;
    ASSERT_TRUE(login.CreateAt(60, 60, L"Login"));
    ASSERT_TRUE(main.CreateAt(420, 80, L"Main"));
    const CSize loginClient = login.ClientSize();
    const CSize mainClient = main.ClientSize();
    ASSERT_TRUE(login.SkinMe(L"Login"));
    ASSERT_TRUE(main.SkinMe(L"Main"));
    // A dialog that went away while skinned is not asked to let go.
    {
        std::unique_ptr<CTestSkinDialog> pGone(new CTestSkinDialog);
        ASSERT_TRUE(pGone->CreateAt(200, 300, L"Gone"));
        ASSERT_TRUE(pGone->SkinMe(L"Main"));
    }
    CTestSkinDialog closed;
    ASSERT_TRUE(closed.CreateAt(200, 300, L"Closed"));
    ASSERT_TRUE(closed.SkinMe(L"Login"));
    closed.DestroyWindow();

    LoadSkin(L"other.xml", L"");
    EXPECT_TRUE(login.m_pSkin == NULL) << "no dialog keeps a deleted skin";
    EXPECT_TRUE(main.m_pSkin == NULL);
    for (CTestSkinDialog* pDialog : { &login, &main })
    {
        Bombard(*pDialog);
        ASSERT_TRUE(::IsWindow(pDialog->m_hWnd));
        EXPECT_TRUE(pDialog->IsWindowVisible());
        EXPECT_TRUE(pDialog->GetStyle() & WS_CAPTION) << "the plain frame until SkinMe";
        EXPECT_EQ(CRect(0, 0, 0, 0), pDialog->RegionBox());
        CRect rcPlain(CPoint(0, 0), pDialog == &login ? loginClient : mainClient);
        ::AdjustWindowRectEx(&rcPlain, pDialog->GetStyle(), FALSE, pDialog->GetExStyle());
        EXPECT_EQ(rcPlain.Size(), pDialog->WindowRect().Size());
    }
    EXPECT_EQ(loginClient, login.ClientSize());
    EXPECT_EQ(mainClient, main.ClientSize());

    ASSERT_TRUE(login.SkinMe(L"Login"));
    ASSERT_TRUE(main.SkinMe(L"Main"));
    EXPECT_EQ(g_Registry.FindWindowSkin(L"Login"), login.m_pSkin);
    EXPECT_EQ(g_Registry.FindWindowSkin(L"Main"), main.m_pSkin);
    EXPECT_EQ(CRect(2, 24, 3, 4), login.m_pSkin->GetFrameThickness());
    EXPECT_EQ(CRect(7, 28, 8, 9), main.m_pSkin->GetFrameThickness());
    EXPECT_EQ(loginClient, login.ClientSize());
    EXPECT_EQ(mainClient, main.ClientSize());
    EXPECT_EQ(SkinnedWindowSize(loginClient, Frame(24, 2, 3, 4)), login.WindowRect().Size());
    EXPECT_EQ(SkinnedWindowSize(mainClient, Frame(28, 7, 8, 9)), main.WindowRect().Size());
    Bombard(main);
    SkinTest::RedrawFrame(main.m_hWnd);
    EXPECT_EQ(S::PART_TOPLEFT, WindowPart(main.m_hWnd, 2, 2).nPart);
    EXPECT_EQ(S::PART_LEFT, WindowPart(main.m_hWnd, 3, 60).nPart);

    // A reload that no longer defines the dialog's skin: SkinMe goes back to the plain frame.
    defs.WriteBase(L"");
    LoadSkin(L"", L"");
    EXPECT_TRUE(main.m_pSkin == NULL);
    EXPECT_FALSE(main.SkinMe(L"Main"));
    EXPECT_EQ(mainClient, main.ClientSize());
    login.DestroyWindow();
    main.DestroyWindow();
}

namespace
{
// The highest handle index (low 16 bits) among n fresh brushes and n fresh menus. Released
// handles are reused before new slots are taken, so while n exceeds the free slots the highest
// index grows exactly with the number of objects alive.
struct CHandleHighs
{
    int nGdi = 0;
    int nUser = 0;
};

CHandleHighs FreshHandleHighs(int n)
{
    CHandleHighs highs;
    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    for (int i = 0; i < n; i++)
    {
        brushes.push_back(::CreateSolidBrush(RGB(i & 0xFF, 1, 2)));
        menus.push_back(::CreateMenu());
        highs.nGdi = std::max(highs.nGdi, (int)((UINT_PTR)brushes.back() & 0xFFFF));
        highs.nUser = std::max(highs.nUser, (int)((UINT_PTR)menus.back() & 0xFFFF));
    }
    for (HBRUSH hBrush : brushes)
        ::DeleteObject(hBrush);
    for (HMENU hMenu : menus)
        ::DestroyMenu(hMenu);
    return highs;
}

CString StressSkin(const CSkinDefinitions& defs, int nTop, LPCWSTR pszFolder, LPCWSTR pszImage, LPCWSTR pszColour)
{
    CString strSkin = defs.WindowSkin(L"Main", Frame(nTop), pszFolder, pszImage);
    // A shaped window: the region is built again on every skin change and size change.
    strSkin.Replace(L"</windowSkin>", L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"12,12\"/>"
                                      L"<shape type=\"ellipse\" point=\"40,40\" combine=\"or\"/></region></windowSkin>");
    return CString(L"<colourScheme><colour name=\"dialog.back\" value=\"") + pszColour + L"\"/></colourScheme>"
        + L"<menus><menu name=\"File\"><item id=\"300\" text=\"_Open\"/><menu text=\"_More\"><item id=\"301\" text=\"Deep\"/>"
          L"</menu></menu></menus>"
        + Skins(strSkin);
}
}

TEST(SkinDialogStress, AThousandReloadsWithASkinnedDialogOpenLeaveNoObjectsBehind)
{
    CSkinDefinitions defs;
    defs.WriteBase(StressSkin(defs, 30, L"Definitions\\", L"a.bmp", L"3366CC"));
    defs.Write(L"b.xml", StressSkin(defs, 24, L"", L"b.bmp", L"CC6633"));

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(300, 200));
    const CSize client = dlg.ClientSize();
    auto Cycle = [&](int n) {
        LoadSkin(n % 2 ? L"b.xml" : L"", L"");
        if (!dlg.SkinMe(L"Main", ID_DEFAULT_CHECK_MARK))
            return false;
        SkinTest::RedrawFrame(dlg.m_hWnd);
        dlg.SetWindowText(n % 2 ? L"odd" : L"even");
        return true;
    };
    // The first rounds create what lives as long as the library: buffers, fonts, lists.
    for (int n = 0; n < 4; n++)
        ASSERT_TRUE(Cycle(n));
    const int PROBES = 3000;
    const CHandleHighs before = FreshHandleHighs(PROBES);

    const int CYCLES = 1000;
    int nFailed = 0;
    for (int n = 0; n < CYCLES; n++)
        nFailed += !Cycle(n);
    EXPECT_EQ(0, nFailed);

    const CHandleHighs after = FreshHandleHighs(PROBES);
    // One object lost per reload would show as a thousand; other programs on the shared
    // Wine server move the USER numbers a little.
    EXPECT_LT(after.nGdi - before.nGdi, 40) << "GDI objects " << before.nGdi << " -> " << after.nGdi;
    EXPECT_LT(after.nUser - before.nUser, 200) << "USER objects " << before.nUser << " -> " << after.nUser;
    EXPECT_EQ(client, dlg.ClientSize()) << "the dialog neither grew nor shrank";
    EXPECT_EQ(SkinnedWindowSize(client, Frame(24)), dlg.WindowRect().Size()) << "the last reload read b.xml";
    EXPECT_EQ(g_Registry.FindWindowSkin(L"Main"), dlg.m_pSkin);
    dlg.DestroyWindow();
}

TEST(SkinDialogReload, MinimisedAndMaximisedDialogsComeBackWithTheirClientArea)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"a.bmp")));
    defs.Write(L"b.xml", Skins(defs.WindowSkin(L"Main", Frame(24, 2, 3, 4), L"", L"b.bmp")));

    for (int nShow : { SW_SHOWMINNOACTIVE, SW_MAXIMIZE })
    {
        LoadSkin(L"", L"");
        CTestSkinDialog dlg;
        ASSERT_TRUE(dlg.CreateAt(150, 120));
        const CSize client = dlg.ClientSize();
        ASSERT_TRUE(dlg.SkinMe(L"Main"));
        const CPoint ptNormal = dlg.WindowRect().TopLeft();
        dlg.ShowWindow(nShow);
        KorvoTest::PumpMessages(20);

        // Reloaded and skinned again while away from the normal size, with another frame.
        LoadSkin(L"b.xml", L"");
        Bombard(dlg);
        EXPECT_EQ(nShow == SW_MAXIMIZE, !!dlg.IsZoomed());
        EXPECT_EQ(nShow != SW_MAXIMIZE, !!dlg.IsIconic());
        ASSERT_TRUE(dlg.SkinMe(L"Main"));
        if (nShow == SW_MAXIMIZE)
        {
            EXPECT_TRUE(dlg.IsZoomed());
            EXPECT_EQ(WorkArea(dlg), dlg.WindowRect());
        }
        else
            EXPECT_TRUE(dlg.IsIconic());

        dlg.ShowWindow(SW_RESTORE);
        KorvoTest::PumpMessages(20);
        const CSize expected = SkinnedWindowSize(client, Frame(24, 2, 3, 4));
        EXPECT_EQ(client, dlg.ClientSize()) << nShow;
        EXPECT_EQ(CRect(ptNormal, expected), dlg.WindowRect()) << nShow;
        MINMAXINFO mmi = {};
        dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        EXPECT_EQ(expected, CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y)) << nShow;
        dlg.DestroyWindow();
    }
}
