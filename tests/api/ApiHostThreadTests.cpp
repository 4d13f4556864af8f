// The host contract: the library belongs to the thread that called InitSkin. Calls from any
// other thread fail at once and touch nothing; the owner's calls keep working.
#include "SkinFolder.h"
#include "DialogTemplate.h"
#include <api/Globals.h>
#include <KorvoSkin/SkinApi.h>
#include <theme/CMenuSkinner.h>
#include <KorvoSkin/CSkinDialog.h>
#include <gtest/gtest.h>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <windowskin/CSkinDialogFrame.h>

namespace
{

// A folder with a base definition, taken as the application folder for the test's lifetime.
class CThreadTestSkin : public KorvoTest::CSkinFolder
{
public:
    CThreadTestSkin()
    {
        WriteBitmap(L"Definitions\\frame.bmp", 48, 48, RGB(40, 80, 120));
        WriteFile(L"Definitions\\Definitions.xml", std::string(
            "<skin><strings><string id=\"1\" value=\"one\"/></strings>"
            "<menus><menu name=\"M\"><item id=\"5\" text=\"x\"/></menu></menus>"
            "<watermarks><watermark target=\"W\" path=\"frame.bmp\"/></watermarks>"
            "<colourScheme><colour name=\"dialog.back\" value=\"102030\"/></colourScheme>"
            "<windowSkins><windowSkin><target window=\"Main\"/><image path=\"frame.bmp\"/></windowSkin></windowSkins>"
            "</skin>"));
    }
    ~CThreadTestSkin() { UnInitSkin(); }
};

// What every exported function answered on one thread, as text, "-" for a failure result.
std::string CallEverything()
{
    std::string str;
    auto Mark = [&](bool bAnswered) { str += bAnswered ? "+" : "-"; };
    Mark(InitSkin());
    Mark(LoadSkin(L"", L""));
    Mark(!GetSkinString(1).IsEmpty());
    Mark(GetSkinMenu(L"M") != NULL);
    Mark(GetSkinWatermark(L"W") != NULL);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    Mark(OnSkinMeasureItem(0, &mis));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    Mark(OnSkinDrawItem(0, &dis));
    Mark(OnSkinInitMenuPopup(NULL, 0, FALSE, NULL));
    Mark(CreateSkinToolBar(L"T", NULL));
    Mark(TrackSkinPopupMenu(L"none", CPoint(0, 0), 0, TPM_RETURNCMD, NULL) != 0);
    Mark(GetDialogBkColor() != 0);
    Mark(GetMsgDialogBorderColor() != 0 || GetMsgDialogBackColor() != 0 || GetCardBackColor() != 0);
    Mark(UnInitSkin());
    return str;
}

template <class FN> auto OnOtherThread(FN fn) -> decltype(fn())
{
    decltype(fn()) result{};
    std::thread thread([&] { result = fn(); });
    thread.join();
    return result;
}

DWORD WINAPI UnInitSkinOnThread(LPVOID pResult)
{
    ((std::atomic<int>*)pResult)->store(UnInitSkin() ? 1 : 0);
    return 0;
}

class CPlainSkinDialog : public CSkinDialog
{
public:
    BOOL Create()
    {
        m_template.reset(new KorvoTest::CDialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 80, 40, L"Main"));
        return CreateIndirect(m_template->Get());
    }

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_template;
};

} // namespace

TEST(HostThread, AnotherThreadsCallsFailAtOnceAndTheOwnersKeepWorking)
{
    CThreadTestSkin skin;
    ASSERT_TRUE(InitSkin());
    ASSERT_TRUE(LoadSkin(L"", L""));
    EXPECT_EQ("-------------", OnOtherThread(CallEverything)) << "every call from another thread fails";

    EXPECT_EQ(CString(L"one"), GetSkinString(1));
    EXPECT_NE(nullptr, GetSkinMenu(L"M"));
    EXPECT_NE(nullptr, GetSkinWatermark(L"W"));
    EXPECT_EQ((unsigned long)RGB(0x10, 0x20, 0x30), GetDialogBkColor());
    EXPECT_TRUE(LoadSkin(L"", L""));
    EXPECT_TRUE(UnInitSkin());

    // Uninitialised, the library serves whichever thread calls, one call at a time; a toolbar
    // call without a bar fails wherever it comes from.
    EXPECT_EQ("++++++++--+-+", OnOtherThread(CallEverything));
}

TEST(HostThread, InitSkinOnASecondThreadFailsUntilTheOwnerLetsGoOrExits)
{
    CThreadTestSkin skin;
    // A worker takes the library and ends without giving it back.
    HHOOK hWorkerHook = OnOtherThread([] { return InitSkin() ? g_hMenuHook : NULL; });
    ASSERT_NE(nullptr, hWorkerHook);

    EXPECT_TRUE(InitSkin());
    EXPECT_TRUE(InitSkin()) << "the owner may call it again";
    EXPECT_NE(nullptr, g_hMenuHook);
    EXPECT_NE(hWorkerHook, g_hMenuHook) << "this thread has a hook of its own";
    EXPECT_FALSE(OnOtherThread([] { return InitSkin(); }));
    EXPECT_TRUE(UnInitSkin());
    EXPECT_EQ(nullptr, g_hMenuHook);

    // The owner gave the library up: a worker may now own it, and give it back.
    EXPECT_TRUE(OnOtherThread([] { return InitSkin() && LoadSkin(L"", L"") && GetSkinString(1) == L"one" && UnInitSkin(); }));
    EXPECT_TRUE(InitSkin());
    EXPECT_TRUE(LoadSkin(L"", L""));
    EXPECT_EQ(CString(L"one"), GetSkinString(1));
}

TEST(HostThread, UnInitSkinFromAWorkerNeverWaitsOnTheBusyGuiThread)
{
    CThreadTestSkin skin;
    ASSERT_TRUE(InitSkin());
    ASSERT_TRUE(LoadSkin(L"", L""));
    CPlainSkinDialog dlg;
    ASSERT_TRUE(dlg.Create());
    ASSERT_TRUE(dlg.SkinMe(L"Main"));

    // The GUI thread blocks on the worker without dispatching messages, as a host waiting for
    // its worker does. A worker that touched the skinned dialog would wait on this thread.
    std::atomic<int> nResult(-1);
    HANDLE hThread = ::CreateThread(NULL, 0, UnInitSkinOnThread, &nResult, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    DWORD dwWait = ::WaitForSingleObject(hThread, 10000);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, dwWait) << "the worker's UnInitSkin returned without this thread";
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        KorvoTest::PumpMessages();
    ::CloseHandle(hThread);
    EXPECT_EQ(0, nResult.load());

    EXPECT_NE(nullptr, CSkinDialogFrame::SkinOf(dlg)) << "the dialog keeps its skin";
    EXPECT_EQ(CString(L"one"), GetSkinString(1));
    dlg.DestroyWindow();
    EXPECT_TRUE(UnInitSkin());
}

TEST(HostThread, LoadSkinOnTwoThreadsAtOnceNeverFaults)
{
    CThreadTestSkin skin;
    const int nLoads = 50;
    for (BOOL bOwned : { TRUE, FALSE })
    {
        if (bOwned)
        {
            ASSERT_TRUE(InitSkin());
        }
        std::atomic<int> nWorkerLoads(0);
        std::thread worker([&] {
            for (int n = 0; n < nLoads; n++)
                nWorkerLoads += LoadSkin(L"", L"") ? 1 : 0;
        });
        int nOwnLoads = 0;
        for (int n = 0; n < nLoads; n++)
            nOwnLoads += LoadSkin(L"", L"") ? 1 : 0;
        worker.join();
        if (bOwned)
        {
            EXPECT_EQ(nLoads, nOwnLoads);
            EXPECT_EQ(0, nWorkerLoads.load());
            EXPECT_TRUE(UnInitSkin());
        }
        ASSERT_TRUE(LoadSkin(L"", L""));
        EXPECT_EQ(CString(L"one"), GetSkinString(1));
        EXPECT_NE(nullptr, GetSkinMenu(L"M"));
    }
}
