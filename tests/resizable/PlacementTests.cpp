#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;
using KorvoTest::CDialogTemplate;

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
    BOOL Create(CTestDialog& dlg)
    {
        return dlg.CreateFrom(m_template);
    }
    static CRect WindowRect(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }
    static CRect NormalRect(CWnd& wnd)
    {
        WINDOWPLACEMENT wp;
        wnd.GetWindowPlacement(&wp);
        return wp.rcNormalPosition;
    }

    KorvoTest::CTempFolder m_folder;
    CString m_strIni;
    LPCWSTR m_pszOldProfile = NULL;
    CDialogTemplate m_template{ TOP_LEVEL_STYLE, 120, 80, L"placement" };
};
}

TEST_F(PlacementProfile, AMaximisedValueRestoresMaximisedOverItsNormalRectangle)
{
    Write(L"Main", L"10,20,410,320,3,2");
    CTestDialog dlg;
    ASSERT_TRUE(Create(dlg));
    dlg.EnableSaveRestore(L"Main");
    EXPECT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(CRect(10, 20, 410, 320), NormalRect(dlg));
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_EQ(CRect(10, 20, 410, 320), WindowRect(dlg));
    dlg.DestroyWindow();
}

TEST_F(PlacementProfile, RectangleOnlyRestoresOnlyTheRectangle)
{
    Write(L"Main", L"10,20,410,320,3,2");
    CTestDialog dlg;
    ASSERT_TRUE(Create(dlg));
    EXPECT_TRUE(dlg.RestorePlacement(L"Main", TRUE));
    EXPECT_FALSE(dlg.IsZoomed());
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(CRect(10, 20, 410, 320), WindowRect(dlg));
    dlg.DestroyWindow();
}

TEST_F(PlacementProfile, MissingOrMalformedValuesLeaveTheWindowWhereItIs)
{
    LPCWSTR values[] = {
        L"10,20,410,320,3",           // five numbers
        L"10,20,410,320",             //
        L"garbage",                   //
        L"a,b,c,d,e,f",               //
        L"10;20;410;320;3;2",         //
        L"10,20,410,320,3,2,7",       // seven
        L"10,20,410,320,3,2 trailing", //
        L"10,20,410,320,3x,2",        //
        L"99999999999,20,410,320,1,0", // out of range
        L"410,20,10,320,1,0",         // inverted
        L"10,20,410,320,99,0",        // no such show command
        L",,,,,",                     //
    };
    CTestDialog dlg;
    ASSERT_TRUE(Create(dlg));
    dlg.SetWindowPos(NULL, 33, 44, 300, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectBefore = WindowRect(dlg);

    EXPECT_FALSE(dlg.RestorePlacement(L"Nothing here", FALSE));
    EXPECT_FALSE(dlg.RestorePlacement(NULL, FALSE));
    for (LPCWSTR pszValue : values)
    {
        Write(L"Bad", pszValue);
        for (BOOL bRectOnly : { FALSE, TRUE })
        {
            EXPECT_FALSE(dlg.RestorePlacement(L"Bad", bRectOnly)) << pszValue;
            EXPECT_EQ(rectBefore, WindowRect(dlg)) << pszValue;
            EXPECT_FALSE(dlg.IsZoomed());
        }
    }
    // Spaces around the numbers are tolerated.
    Write(L"Spaced", L" 40, 50, 440 ,350,1,0 ");
    EXPECT_TRUE(dlg.RestorePlacement(L"Spaced", TRUE));
    EXPECT_EQ(CRect(40, 50, 440, 350), WindowRect(dlg));
    dlg.DestroyWindow();
}

TEST_F(PlacementProfile, StoredTextIsTheNormalRectangleShowCommandAndFlags)
{
    CTestDialog dlg;
    ASSERT_TRUE(Create(dlg));
    dlg.SetWindowPos(NULL, 100, 80, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(dlg.StorePlacement(L"Plain", FALSE));
    EXPECT_EQ(CString(L"100,80,500,380,1,0"), Read(L"Plain"));

    dlg.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    EXPECT_TRUE(dlg.StorePlacement(L"RectOnly", TRUE));
    CRect rectMax = WindowRect(dlg);
    CString strExpected;
    strExpected.Format(L"%d,%d,%d,%d,1,0", (int)rectMax.left, (int)rectMax.top, (int)rectMax.right,
                       (int)rectMax.bottom);
    EXPECT_EQ(strExpected, Read(L"RectOnly")) << "the window's own rectangle, as a plainly shown window";

    // A minimised window is not stored at its icon's place far off screen.
    dlg.ShowWindow(SW_RESTORE);
    dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(dlg.IsIconic());
    EXPECT_TRUE(dlg.StorePlacement(L"Minimised", TRUE));
    EXPECT_EQ(CString(L"100,80,500,380,1,0"), Read(L"Minimised"));

    EXPECT_FALSE(dlg.StorePlacement(NULL, FALSE));
    dlg.DestroyWindow();
}

TEST_F(PlacementProfile, AMaximisedDialogReopensMaximised)
{
    {
        CTestDialog dlg;
        ASSERT_TRUE(Create(dlg));
        dlg.EnableSaveRestore(L"Reopen");
        dlg.SetWindowPos(NULL, 30, 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.ShowWindow(SW_SHOWNORMAL);
        dlg.ShowWindow(SW_MAXIMIZE);
        ASSERT_TRUE(dlg.IsZoomed());
        dlg.DestroyWindow();
    }
    EXPECT_EQ(0, Read(L"Reopen").Find(L"30,40,430,340,3,")) << Read(L"Reopen").GetString();

    CTestDialog dlg;
    ASSERT_TRUE(Create(dlg));
    dlg.EnableSaveRestore(L"Reopen");
    EXPECT_TRUE(dlg.IsZoomed());
    EXPECT_EQ(CRect(30, 40, 430, 340), NormalRect(dlg));
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_EQ(CRect(30, 40, 430, 340), WindowRect(dlg));

    // Restored and closed with the rectangle only: the next one opens plainly.
    dlg.EnableSaveRestore(L"Reopen", TRUE);
    dlg.SetWindowPos(NULL, 60, 70, 350, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.DestroyWindow();
    EXPECT_EQ(CString(L"60,70,410,330,1,0"), Read(L"Reopen"));
}
