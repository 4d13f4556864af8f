// Skinned dialogs across skin reloads: no dialog touches a skin the registry deleted, SkinMe takes
// the new one, and hundreds of reloads leave no GDI or USER object behind.
#include "SkinTestSupport.h"
#include <skin/CSkinRegistry.h>
#include <theme/CInterfaceTheme.h>
#include <functional>
#include <windowskin/CSkinDialogFrame.h>
#include "api/Globals.h"

using namespace SkinTest;

namespace
{
// Every non-client message a dialog may get between a reload and the host's next SkinMe.
void Bombard(CTestSkinDialog& dlg)
{
    const CRect rc = dlg.WindowRect();
    // The forced repaint reaches the statics' colour requests too.
    ::RedrawWindow(dlg.m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    dlg.SendMessage(WM_NCPAINT, 1, 0);
    dlg.SendNc(WM_NCHITTEST, 0, rc.Width() - 25, 12);
    dlg.SendNc(WM_NCMOUSEMOVE, HTCLOSE, rc.Width() - 25, 12);
    dlg.SendMessage(WM_NCACTIVATE, TRUE, 0);
    dlg.SendMessage(WM_NCACTIVATE, FALSE, 0);
    dlg.SendMessage(WM_SETTEXT, 0, (LPARAM)L"After the reload");
    dlg.SetWindowPos(NULL, 0, 0, rc.Width() + 10, rc.Height() + 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    KorvoTest::PumpMessages(10);
}
}

TEST(SkinDialogReload, OpenDialogsLetGoOfDeletedSkinsAndTakeTheNewOnesWithSkinMe)
{
    const CRect rcLogin(2, 24, 3, 4), rcMain(7, 28, 8, 9);
    CSkinDefinitions defs;
    defs.Load(defs.Skin(FrameSkin(L"Login")) + defs.Skin(FrameSkin(L"Main", CRect(6, 26, 6, 6))));
    defs.Write(L"other.xml", Skins(defs.Skin(FrameSkin(L"Login", rcLogin), L"") + defs.Skin(FrameSkin(L"Main", rcMain), L"")));

    // Dialogs that went away while skinned, deleted or only destroyed, are not asked to let go.
    {
        CTestSkinDialog gone;
        ASSERT_TRUE(gone.CreateAt(200, 300, L"Gone") && gone.SkinMe(L"Main"));
    }
    CTestSkinDialog closed;
    ASSERT_TRUE(closed.CreateAt(200, 300, L"Closed") && closed.SkinMe(L"Login"));
    closed.DestroyWindow();
    // Open dialogs, the last two away from their normal size while the skin is reloaded.
    CTestSkinDialog dialogs[4];
    struct { LPCWSTR pszSkin; CRect rcFrame; int nShow; CSize client; CPoint ptNormal; } rows[] = {
        { L"Login", rcLogin, SW_SHOWNA }, { L"Main", rcMain, SW_SHOWNA },
        { L"Main", rcMain, SW_SHOWMINNOACTIVE }, { L"Main", rcMain, SW_MAXIMIZE },
    };
    for (int n = 0; n < 4; n++)
    {
        ASSERT_TRUE(dialogs[n].CreateAt(60 + 150 * n, 60, rows[n].pszSkin) && dialogs[n].SkinMe(rows[n].pszSkin));
        rows[n].client = dialogs[n].ClientSize();
        rows[n].ptNormal = dialogs[n].WindowRect().TopLeft();
        dialogs[n].ShowWindow(rows[n].nShow);
    }
    KorvoTest::PumpMessages(20);

    LoadSkin(L"other.xml", L"");
    for (int n = 0; n < 4; n++)
    {
        CTestSkinDialog& dlg = dialogs[n];
        EXPECT_TRUE(CSkinDialogFrame::SkinOf(dlg) == NULL) << n << ": no dialog keeps a deleted skin";
        Bombard(dlg);
        ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(dlg.GetStyle() & WS_CAPTION) << n << ": the plain frame until SkinMe";
        EXPECT_EQ(CRect(0, 0, 0, 0), dlg.RegionBox());
        ASSERT_TRUE(dlg.SkinMe(rows[n].pszSkin));
        EXPECT_EQ(g_Registry.FindWindowSkin(rows[n].pszSkin), CSkinDialogFrame::SkinOf(dlg));
        EXPECT_EQ(rows[n].nShow == SW_MAXIMIZE, !!dlg.IsZoomed()) << n;
        EXPECT_EQ(rows[n].nShow == SW_SHOWMINNOACTIVE, !!dlg.IsIconic()) << n;
        EXPECT_TRUE(!dlg.IsZoomed() || WorkArea(dlg) == dlg.WindowRect()) << n;
        Bombard(dlg);

        // Back at the normal size, the client area and the smallest size are those of before.
        dlg.ShowWindow(SW_RESTORE);
        KorvoTest::PumpMessages(20);
        const CSize expected = Framed(rows[n].client, rows[n].rcFrame);
        EXPECT_EQ(CRect(rows[n].ptNormal, expected), dlg.WindowRect()) << n;
        EXPECT_EQ(rows[n].client, dlg.ClientSize()) << n;
        MINMAXINFO mmi = {};
        dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        EXPECT_EQ(expected, CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y)) << n;
        RedrawFrame(dlg.m_hWnd);
        EXPECT_EQ(S::PART_LEFT, PartAt(dlg.m_hWnd, 1, 60)) << n;
    }

    // A reload that no longer defines the dialog's skin: SkinMe goes back to the plain frame.
    defs.Load(L"");
    EXPECT_TRUE(CSkinDialogFrame::SkinOf(dialogs[1]) == NULL);
    EXPECT_FALSE(dialogs[1].SkinMe(L"Main"));
    EXPECT_EQ(rows[1].client, dialogs[1].ClientSize());
}

namespace
{
// A shaped skin, its region built again on every skin and size change, with menus and colours.
CString StressSections(CSkinDefinitions& defs, int nTop, LPCWSTR pszFolder, LPCWSTR pszColour)
{
    CSkinBuilder skin = FrameSkin(L"Main", CRect(4, nTop, 5, 6));
    skin.Xml(L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"12,12\"/>"
             L"<shape type=\"ellipse\" point=\"40,40\" combine=\"or\"/></region>");
    return CString(L"<colourScheme><colour name=\"dialog.back\" value=\"") + pszColour + L"\"/></colourScheme>"
        + L"<menus><menu name=\"File\"><item id=\"300\" text=\"_Open\"/><menu text=\"_More\"><item id=\"301\" text=\"Deep\"/>"
          L"</menu></menu></menus>" + Skins(defs.Skin(skin, pszFolder));
}

// Rounds of each stress test: a leak of one object a round crosses every bound below, and the
// long runs of thousands belong to the soak script, not the suite.
const int STRESS_ROUNDS = 250;

// Runs the cycle, which tells whether it succeeded, for the stress rounds after four rounds that
// create what lives as long as the library (buffers, fonts, lists), and expects no GDI or USER
// object left behind.
void ExpectNoObjectsLeft(const std::function<bool(int nRound)>& fnCycle)
{
    for (int n = 0; n < 4; n++)
        ASSERT_TRUE(fnCycle(n));
    const HANDLE hProcess = ::GetCurrentProcess();
    const int nGdiBefore = (int)::GetGuiResources(hProcess, GR_GDIOBJECTS);
    const int nUserBefore = (int)::GetGuiResources(hProcess, GR_USEROBJECTS);
    const KorvoTest::CHandleHighs before = KorvoTest::FreshHandleHighs(3000);
    int nFailed = 0;
    for (int n = 0; n < STRESS_ROUNDS; n++)
        nFailed += !fnCycle(n);
    EXPECT_EQ(0, nFailed);
    const KorvoTest::CHandleHighs after = KorvoTest::FreshHandleHighs(3000);
    // Where the platform counts objects, the counts stay flat; the fresh handles show it either
    // way. Other programs on the shared Wine server move the USER numbers a little.
    EXPECT_LT((int)::GetGuiResources(hProcess, GR_GDIOBJECTS) - nGdiBefore, 40);
    EXPECT_LT((int)::GetGuiResources(hProcess, GR_USEROBJECTS) - nUserBefore, 40);
    EXPECT_LT(after.nGdi - before.nGdi, 40) << "GDI objects " << before.nGdi << " -> " << after.nGdi;
    EXPECT_LT(after.nUser - before.nUser, 200) << "USER objects " << before.nUser << " -> " << after.nUser;
}
}

using SkinDialogStress = CSkinnedDialogTest;

TEST_F(SkinDialogStress, RepeatedReloadsWithASkinnedDialogOpenLeaveNoObjectsBehind)
{
    defs.Write(L"Definitions\\Definitions.xml", StressSections(defs, 30, L"Definitions\\", L"3366CC"));
    defs.Write(L"b.xml", StressSections(defs, 24, L"", L"CC6633"));
    ASSERT_TRUE(dlg.CreateAt(300, 200));
    const CSize client = dlg.ClientSize();
    ExpectNoObjectsLeft([&](int n) {
        LoadSkin(n % 2 ? L"b.xml" : L"", L"");
        if (!dlg.SkinMe(L"Main", ID_DEFAULT_CHECK_MARK))
            return false;
        RedrawFrame(dlg.m_hWnd);
        dlg.SetWindowText(n % 2 ? L"odd" : L"even");
        return true;
    });
    EXPECT_EQ(client, dlg.ClientSize()) << "the dialog neither grew nor shrank";
    EXPECT_EQ(Framed(client, CRect(4, 24, 5, 6)), dlg.WindowRect().Size()) << "the last reload read b.xml";
    EXPECT_EQ(g_Registry.FindWindowSkin(L"Main"), CSkinDialogFrame::SkinOf(dlg));
}

namespace
{
struct CMenuReload
{
    CTestSkinDialog* pDialog;
    LPCWSTR pszFile;
    BOOL bSkinned;
};

// Inside the system menu's modal loop: reloads the skin the loop was opened on, skins the dialog
// with the new one, and only then ends the menu.
void ReloadAndEndMenu(void* pContext)
{
    CMenuReload* pReload = (CMenuReload*)pContext;
    LoadSkin(pReload->pszFile, L"");
    pReload->bSkinned = pReload->pDialog->SkinMe(L"Main");
    RedrawFrame(pReload->pDialog->m_hWnd);
    ::EndMenu();
}
}

TEST_F(SkinDialogStress, AReloadInsideTheSystemMenuLoopLeavesNothingDrawnFromTheDeletedSkin)
{
    // The two files read "Main" and a skin without caption buttons in opposite orders, so that
    // the memory of the "Main" just deleted tends to go to the other skin. The new "Main" skin
    // has a different top.
    const CString strDecoy = defs.Skin(FrameSkin(L"Decoy", CRect(9, 40, 9, 9), false), L"");
    defs.Write(L"a.xml", Skins(defs.Skin(FrameSkin(L"Main", CRect(4, 30, 5, 6)), L"") + strDecoy));
    defs.Write(L"b.xml", Skins(strDecoy + defs.Skin(FrameSkin(L"Main", CRect(4, 26, 5, 6)), L"")));
    LoadSkin(L"a.xml", L"");
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    ::SetCursorPos(900, 700);
    int nWrong = 0;
    for (int nRound = 0; nRound < 100; nRound++)
    {
        const int nNew = (nRound + 1) % 2;
        CMenuReload reload = { &dlg, nNew ? L"b.xml" : L"a.xml", FALSE };
        RunSoon(1, ReloadAndEndMenu, &reload);
        dlg.SendNc(WM_NCLBUTTONDOWN, HTSYSMENU, 15, 10);
        ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
        ASSERT_TRUE(reload.bSkinned) << nRound;
        // What the window shows now, before anything else paints it: the new skin's pixels.
        CWindowCapture capture(dlg.m_hWnd);
        const bool bRight = capture.Part(12, 6) == PartPixel{ S::PART_SYSTEM, 0, 0 }
            && capture.Part(2, 27).nPart == (nNew ? S::PART_LEFT : S::PART_TOPLEFT)
            && capture.Part(40, 2).nPart == S::PART_TOP;
        nWrong += !bRight;
        EXPECT_TRUE(bRight) << "round " << nRound << ": " << ::testing::PrintToString(capture.Part(12, 6)) << " "
                            << ::testing::PrintToString(capture.Part(2, 27));
        if (!bRight)
            break;
        EXPECT_EQ(0, CSkinDialogFrame::StateOf(dlg).nPressedButton);
        EXPECT_EQ(0, CSkinDialogFrame::StateOf(dlg).nHotButton);
        EXPECT_TRUE(dlg.m_sysCommands.empty());
        KorvoTest::PumpMessages(0);
    }
    EXPECT_EQ(0, nWrong);
}

TEST_F(SkinDialogStress, RepeatedSkinnedDialogsWithIconsLeaveNoObjectsBehind)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    // Hidden, so that hundreds take seconds; the icon is the dialog's all the same.
    KorvoTest::CDialogTemplate dialogTemplate(CTestSkinDialog::STYLE, 60, 30, L"Iconic");
    ExpectNoObjectsLeft([&](int) {
        CSkinDialog dialog;
        const bool bOpened = dialog.CreateIndirect(dialogTemplate.Get()) && dialog.SkinMe(L"Main", ID_DEFAULT_CHECK_MARK)
            && dialog.SendMessage(WM_GETICON, ICON_SMALL) != 0;
        dialog.DestroyWindow();
        return bOpened;
    });
}
