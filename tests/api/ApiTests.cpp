#include "KorvoTest.h"
#include <api/AppFolder.h>
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <skin/CSkinRegistry.h>
#include <gtest/gtest.h>
#include "api/Globals.h"

// Runs first in this program: nothing has been initialised or loaded yet.
TEST(Api, BeforeAnyLoadEverythingIsEmptyAndBlack)
{
    EXPECT_EQ(0ul, GetDialogBkColor());
    EXPECT_EQ(0ul, GetMsgDialogBorderColor());
    EXPECT_EQ(0ul, GetMsgDialogBackColor());
    EXPECT_EQ(0ul, GetCardBackColor());
    EXPECT_EQ(CString(), GetSkinString(1));
    EXPECT_EQ(nullptr, GetSkinMenu(L"File"));
    EXPECT_EQ(nullptr, GetSkinWatermark(L"Main"));
}

TEST(Api, TheApplicationFolderIsTheHostExecutablesFolder)
{
    wchar_t szExe[MAX_PATH];
    ::GetModuleFileNameW(NULL, szExe, MAX_PATH);
    CString strExe(szExe);
    EXPECT_EQ(strExe.Left(strExe.ReverseFind(L'\\') + 1), g_strAppFolder);
    EXPECT_EQ(CString(L"C:\\Program Files\\Host\\"), AppFolderFromPath(L"C:\\Program Files\\Host\\host.exe"));
    EXPECT_EQ(CString(), AppFolderFromPath(L"host.exe"));
    EXPECT_EQ(CString(), AppFolderFromPath(L""));
}

TEST(Api, LifecycleAndRoutingAnswerSafely)
{
    EXPECT_TRUE(InitSkin());
    // The test program's folder has no Definitions folder: the skin is empty but loaded.
    EXPECT_TRUE(LoadSkin(L"", L""));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), GetDialogBkColor());

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_BUTTON;
    mis.itemHeight = 77;
    EXPECT_FALSE(OnSkinMeasureItem(0, &mis));
    EXPECT_EQ(77u, mis.itemHeight);
    EXPECT_FALSE(OnSkinMeasureItem(0, NULL));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    EXPECT_FALSE(OnSkinDrawItem(0, &dis));
    EXPECT_FALSE(OnSkinDrawItem(0, NULL));
    EXPECT_TRUE(OnSkinInitMenuPopup(NULL, 0, FALSE, NULL));
    EXPECT_FALSE(CreateSkinToolBar(NULL, NULL)) << "a null name or bar fills nothing";
    EXPECT_EQ(0u, TrackSkinPopupMenu(L"none", CPoint(1, 1), 0, TPM_RETURNCMD, NULL));

    EXPECT_TRUE(UnInitSkin());
    EXPECT_EQ(CString(), GetSkinString(1));
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), g_Theme.DialogBackBrush()) << "the load's brush is gone";
}
