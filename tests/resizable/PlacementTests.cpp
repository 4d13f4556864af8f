#include "ResizableTestSupport.h"
#include "parts/CDpiScale.h"
#include "parts/CWindowDpi.h"
#include <gtest/gtest.h>

using namespace ResizableTest;

namespace
{
// Points the application's profile at an INI file of a fresh folder for one test.
class PlacementProfile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strIni = m_folder.Path() + L"placement.ini";
        m_pszOldProfile = AfxGetApp()->m_pszProfileName;
        AfxGetApp()->m_pszProfileName = m_strIni;
    }
    void TearDown() override { AfxGetApp()->m_pszProfileName = m_pszOldProfile; }

    void Write(LPCWSTR pszSection, LPCWSTR pszValue)
    {
        ::WritePrivateProfileStringW(pszSection, L"WindowPlacement", pszValue, m_strIni);
    }
    CString Read(LPCWSTR pszSection)
    {
        wchar_t szValue[128];
        ::GetPrivateProfileStringW(pszSection, L"WindowPlacement", L"", szValue, 128, m_strIni);
        return szValue;
    }
    // Restoring the section maximises the window over rectNormal, to which it then restores.
    static void ExpectRestoredMaximised(CTestDialog& dlg, LPCWSTR pszSection, const CRect& rectNormal)
    {
        dlg.EnableSaveRestore(pszSection);
        EXPECT_TRUE(dlg.IsZoomed());
        WINDOWPLACEMENT wp;
        dlg.GetWindowPlacement(&wp);
        EXPECT_EQ(rectNormal, CRect(wp.rcNormalPosition));
        dlg.ShowWindow(SW_RESTORE);
        EXPECT_EQ(rectNormal, WindowRectOf(dlg));
    }

    KorvoTest::CTempFolder m_folder;
    CString m_strIni;
    LPCWSTR m_pszOldProfile = NULL;
};
}

TEST_F(PlacementProfile, AMaximisedValueRestoresMaximisedOrOnlyItsRectangle)
{
    Write(L"Main", L"10,20,410,320,3,2");
    Write(L"Spaced", L" 40, 50, 440 ,350,3,2 ");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    EXPECT_TRUE(dlg.RestorePlacement(L"Spaced", TRUE)) << "spaces around the numbers are tolerated";
    EXPECT_FALSE(dlg.IsZoomed());
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(CRect(40, 50, 440, 350), WindowRectOf(dlg));

    ExpectRestoredMaximised(dlg, L"Main", CRect(10, 20, 410, 320));
    dlg.DestroyWindow();
}

TEST_F(PlacementProfile, MissingOrMalformedValuesLeaveTheWindowWhereItIs)
{
    LPCWSTR values[] = {
        L"10,20,410,320,3", L"10,20,410,320", L"garbage", L"a,b,c,d,e,f", L"10;20;410;320;3;2",
        L"10,20,410,320,3,2,7", L"10,20,410,320,3,2 trailing", L"10,20,410,320,3x,2",
        L"99999999999,20,410,320,1,0", // out of range
        L"410,20,10,320,1,0",          // inverted
        L"10,20,410,320,99,0",         // no such show command
        L",,,,,",
    };
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    dlg.SetWindowPos(NULL, 33, 44, 300, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rectBefore = WindowRectOf(dlg);
    EXPECT_FALSE(dlg.RestorePlacement(L"Nothing here", FALSE));
    EXPECT_FALSE(dlg.RestorePlacement(NULL, FALSE));
    for (LPCWSTR pszValue : values)
    {
        Write(L"Bad", pszValue);
        for (BOOL bRectOnly : { FALSE, TRUE })
        {
            EXPECT_FALSE(dlg.RestorePlacement(L"Bad", bRectOnly)) << pszValue;
            EXPECT_EQ(rectBefore, WindowRectOf(dlg)) << pszValue;
            EXPECT_FALSE(dlg.IsZoomed());
        }
    }
    dlg.DestroyWindow();
}

// The same dialog object closed maximised and opened again with the same section.
TEST_F(PlacementProfile, ClosingStoresThePlacementAndAMaximisedDialogReopensMaximised)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    dlg.EnableSaveRestore(L"Reopen");
    dlg.SetWindowPos(NULL, 30, 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.ShowWindow(SW_SHOWNORMAL);
    dlg.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_TRUE(dlg.StorePlacement(L"RectOnly", TRUE));
    CRect rectMax = WindowRectOf(dlg);
    CString strExpected;
    strExpected.Format(L"%d,%d,%d,%d,1,0", (int)rectMax.left, (int)rectMax.top, (int)rectMax.right,
                       (int)rectMax.bottom);
    EXPECT_EQ(strExpected, Read(L"RectOnly")) << "the window's own rectangle, as a plainly shown window";
    EXPECT_FALSE(dlg.StorePlacement(NULL, FALSE));
    dlg.DestroyWindow();
    EXPECT_EQ(0, Read(L"Reopen").Find(L"30,40,430,340,3,")) << Read(L"Reopen");

    ASSERT_TRUE(dlg.CreateWith());
    ExpectRestoredMaximised(dlg, L"Reopen", CRect(30, 40, 430, 340));
    EXPECT_EQ(0, dlg.m_nGripVisibility) << "the new window's own grip request counts as made again";
    EXPECT_FALSE(dlg.m_wndGrip.IsWindowVisible());

    // Closed minimised with the rectangle only: stored where it will return, not at its icon.
    dlg.EnableSaveRestore(L"Reopen", TRUE);
    dlg.SetWindowPos(NULL, 60, 70, 350, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(dlg.IsIconic());
    dlg.DestroyWindow();
    EXPECT_EQ(CString(L"60,70,410,330,1,0"), Read(L"Reopen"));
}

TEST_F(PlacementProfile, APlacementIsKeptIn96DpiPixelsAndTakesTheSameRoomAtAnyDpi)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith());
    ASSERT_TRUE(CWindowDpi::Remember(dlg.m_hWnd, 192));
    dlg.SetWindowPos(NULL, 100, 60, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(dlg.StorePlacement(L"Main", TRUE));
    EXPECT_EQ(CString(L"50,30,250,180,1,0"), Read(L"Main"));
    for (UINT nDpi : { 144u, 96u, 192u })
    {
        const CDpiScale s(nDpi);
        CWindowDpi::Remember(dlg.m_hWnd, nDpi);
        ASSERT_TRUE(dlg.RestorePlacement(L"Main", TRUE));
        EXPECT_EQ(CRect(CPoint(s.Scale(50), s.Scale(30)), CSize(s.Scale(200), s.Scale(150))), WindowRectOf(dlg)) << nDpi;
    }

    // At a fractional scale a round trip moves no edge by more than a pixel, and a second one
    // moves nothing.
    CWindowDpi::Remember(dlg.m_hWnd, 144);
    dlg.SetWindowPos(NULL, 101, 61, 301, 203, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(dlg.StorePlacement(L"Odd", TRUE));
    ASSERT_TRUE(dlg.RestorePlacement(L"Odd", TRUE));
    const CRect rcOnce = WindowRectOf(dlg);
    EXPECT_LE(abs(rcOnce.left - 101) + abs(rcOnce.top - 61), 2);
    EXPECT_LE(abs(rcOnce.Width() - 301) + abs(rcOnce.Height() - 203), 2);
    ASSERT_TRUE(dlg.StorePlacement(L"Odd", TRUE));
    ASSERT_TRUE(dlg.RestorePlacement(L"Odd", TRUE));
    EXPECT_EQ(rcOnce, WindowRectOf(dlg));
    CWindowDpi::Forget(dlg.m_hWnd);
    dlg.DestroyWindow();
}
