// korvorun on a plain program that knows nothing of the library: its frame, menu bar and every
// kind of dialog it opens are read back from the screen in the skin's colours, its commands and
// its exit code get through; and a launch that cannot work ends at once with korvorun's code and
// a message.
#include "KorvoRunSupport.h"
#include <gtest/gtest.h>

using namespace KorvoRunTest;

namespace
{

class KorvoRun : public ::testing::Test
{
protected:
    static CString SkinArguments(const wchar_t* pszSkin, const wchar_t* pszOpen = NULL)
    {
        CString strArguments;
        strArguments.Format(L"--skin %s \"%s\"", pszSkin, (LPCWSTR)WindowsPath(PLAINAPP_EXE));
        if (pszOpen)
            strArguments += CString(L" --open ") + pszOpen;
        return strArguments;
    }

    // Opens a dialog by the program's own switch and checks that it is framed by the skin, then
    // closes it and the program.
    void ExpectSkinnedDialog(const wchar_t* pszOpen)
    {
        const SKIN_LOOK look = ReadSkinLook(L"Midnight");
        CKorvoRun run(SkinArguments(L"Midnight", pszOpen));
        ASSERT_TRUE(run.m_bStarted);
        HWND hFrame = WaitForFrame();
        ASSERT_TRUE(hFrame);
        HWND hDialog = NULL;
        ASSERT_TRUE(WaitFor([&] { return (hDialog = DialogOf(hFrame)) != NULL; })) << pszOpen << " did not open";
        EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hDialog, look); })) << pszOpen << " keeps the system's frame";
        ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); }));
        ::PostMessageW(hFrame, WM_CLOSE, 0, 0);
        EXPECT_EQ(PLAIN_EXIT_CODE, run.ExitCode());
    }

    // Runs the program with a second GUI thread as the switch says and checks both threads'
    // windows, then ends the second thread and the program.
    void ExpectBothThreadsSkinned(const wchar_t* pszSwitch);
};

TEST_F(KorvoRun, DarkSkinFramesTheProgramItsMenuBarAndLetsCommandsAndTheExitCodeThrough)
{
    const SKIN_LOOK look = ReadSkinLook(L"Midnight");
    ASSERT_EQ(2u, look.captions.size());
    CKorvoRun run(SkinArguments(L"Midnight"));
    ASSERT_TRUE(run.m_bStarted);
    HWND hFrame = WaitForFrame();
    ASSERT_TRUE(hFrame);
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hFrame, look); })) << "the frame keeps the system's caption";
    EXPECT_TRUE(HasSkinMenuBar(hFrame, look)) << "the menu bar is not in the skin's menu colour";
    EXPECT_TRUE(WaitFor([&] { return HasSkinBars(hFrame, look); })) << "the toolbar or status bar keeps the system's look";

    ::PostMessageW(hFrame, WM_COMMAND, IDM_COUNT, 0);
    EXPECT_TRUE(WaitFor([&] {
        wchar_t szTitle[64] = {};
        ::GetWindowTextW(hFrame, szTitle, 64);
        return wcscmp(szTitle, L"Plain App 1") == 0;
    })) << "the program's command did not run";

    // Alt+F as the system hands it to the frame: the File menu drops, drawn by the skin.
    ::PostMessageW(hFrame, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_TRUE(WaitFor([&] { return HasSkinPopupMenu(hFrame, look); })) << "the popup menu is not the skin's";
    for (int i = 0; i < 2; i++)
    {
        ::PostMessageW(hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(hFrame, WM_KEYUP, VK_ESCAPE, 0);
    }

    ::PostMessageW(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(PLAIN_EXIT_CODE, run.ExitCode()) << "korvorun ends with the program's exit code";
}

TEST_F(KorvoRun, LightSkinByFilePathFramesTheProgram)
{
    const SKIN_LOOK look = ReadSkinLook(L"Aurora");
    ASSERT_EQ(2u, look.captions.size());
    CKorvoRun run(SkinArguments(L"\"" + WindowsPath(KORVORUN_DIR L"Definitions\\Aurora.xml") + L"\""));
    HWND hFrame = WaitForFrame();
    ASSERT_TRUE(hFrame);
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hFrame, look); }));
    EXPECT_TRUE(HasSkinMenuBar(hFrame, look));
    ::PostMessageW(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(PLAIN_EXIT_CODE, run.ExitCode());
}

// A second GUI thread's windows are skinned as the first thread's are, its message box included,
// and work, whichever thread shows a window first; the thread ends with its window, and the
// program goes on skinned.
TEST_F(KorvoRun, AnotherThreadsWindowsAreSkinnedAndWork)
{
    ExpectBothThreadsSkinned(L" --second-thread");
}

TEST_F(KorvoRun, AnotherThreadShowingTheFirstWindowLeavesTheMainThreadSkinnedToo)
{
    ExpectBothThreadsSkinned(L" --second-thread-first");
}

void KorvoRun::ExpectBothThreadsSkinned(const wchar_t* pszSwitch)
{
    const SKIN_LOOK look = ReadSkinLook(L"Midnight");
    CKorvoRun run(SkinArguments(L"Midnight", NULL) + pszSwitch);
    HWND hFrame = WaitForFrame();
    ASSERT_TRUE(hFrame);
    HWND hSecond = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hSecond = ::FindWindowW(L"PlainAppSecond", NULL)) && ::IsWindowVisible(hSecond); }));
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hFrame, look); }));
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hSecond, look); })) << "the second thread's frame keeps the system's caption";
    ::PostMessageW(hSecond, WM_COMMAND, IDM_COUNT, 0);
    EXPECT_TRUE(WaitFor([&] {
        wchar_t szTitle[64] = {};
        ::GetWindowTextW(hSecond, szTitle, 64);
        return wcscmp(szTitle, L"Plain Second 1") == 0;
    }));

    ::PostMessageW(hSecond, WM_COMMAND, IDM_MESSAGE_BOX, 0);
    HWND hMessage = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hMessage = ::FindWindowW(L"#32770", L"Second")) && ::IsWindowVisible(hMessage); }));
    EXPECT_EQ(::GetWindowThreadProcessId(hSecond, NULL), ::GetWindowThreadProcessId(hMessage, NULL));
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hMessage, look); })) << "the second thread's message box is not skinned";
    ::PostMessageW(hMessage, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hMessage); }));

    // The thread ends with its window; the first thread's frame goes on working in the skin.
    ::PostMessageW(hSecond, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hSecond); }));
    KorvoTest::PumpMessages(300);
    ::PostMessageW(hFrame, WM_COMMAND, IDM_COUNT, 0);
    EXPECT_TRUE(WaitFor([&] {
        wchar_t szTitle[64] = {};
        ::GetWindowTextW(hFrame, szTitle, 64);
        return wcscmp(szTitle, L"Plain App 1") == 0;
    }));
    ::RedrawWindow(hFrame, NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_TRUE(WaitFor([&] { return HasSkinCaption(hFrame, look); }));
    ::PostMessageW(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(PLAIN_EXIT_CODE, run.ExitCode());
}

// A program without windows runs as it would: found on the PATH by its name, given its
// arguments, and its exit code is korvorun's.
TEST_F(KorvoRun, AProgramWithoutWindowsRunsAsItWould)
{
    CKorvoRun run(L"--skin Midnight cmd /c exit 3");
    EXPECT_EQ(3, run.ExitCode());

    // Arguments with spaces, quotes, trailing backslashes and none at all arrive one by one.
    CKorvoRun counted(L"--skin Midnight \"" + WindowsPath(PLAINAPP_EXE) + L"\" --count-args \"a b\" c\\\"d \"e\\\\\" \"\" f");
    EXPECT_EQ(6, counted.ExitCode());
}

TEST_F(KorvoRun, MessageBoxIsSkinned)
{
    ExpectSkinnedDialog(L"messagebox");
}

TEST_F(KorvoRun, OpenFileDialogIsSkinned)
{
    ExpectSkinnedDialog(L"open");
}

TEST_F(KorvoRun, ColourDialogIsSkinned)
{
    ExpectSkinnedDialog(L"colour");
}

TEST_F(KorvoRun, PropertySheetIsSkinned)
{
    ExpectSkinnedDialog(L"properties");
}

// A launch that cannot work: korvorun's own code and a message naming the trouble, at once,
// without starting anything.
TEST_F(KorvoRun, RefusedLaunchesEndWithTheirCodeAndAMessage)
{
    KorvoTest::CTempFolder folder;
    // A 32-bit program's headers: korvorun reads the machine before it starts anything.
    std::vector<BYTE> image(0x200, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 0x40;
    memcpy(&image[0x40], "PE\0\0", 4);
    image[0x44] = 0x4C;
    image[0x45] = 0x01;
    image[0x56] = 0x02; // IMAGE_FILE_EXECUTABLE_IMAGE
    const CString strThirtyTwo = folder.WriteFile(L"thirtytwo.exe", image.data(), image.size());
    // The same headers for this machine, and nothing a loader could run.
    image[0x44] = 0x64;
    image[0x45] = 0x86;
    const CString strBroken = folder.WriteFile(L"broken.exe", image.data(), image.size());
    const CString strPlain = L"\"" + WindowsPath(PLAINAPP_EXE) + L"\"";

    struct CASE
    {
        CString strArguments;
        int nCode;
        const char* pszSays;
    };
    const CASE cases[] = {
        { L"--skin Midnight \"" + strThirtyTwo + L"\"", 103, "32-bit" },
        { L"--skin Midnight \"" + folder.Path() + L"missing.exe\"", 101, "no program" },
        { L"--skin NoSuchSkin " + strPlain, 102, "no skin definition NoSuchSkin" },
        { L"--skin Midnight --second \"" + folder.Path() + L"none.xml\" " + strPlain, 102, "none.xml" },
        { L"--skin Midnight \"" + strBroken + L"\"", 104, "does not start" },
        { strPlain, 100, "usage" },
        { L"--skin Midnight", 100, "usage" },
        { L"--colour red " + strPlain, 100, "unknown option" },
    };
    for (const CASE& c : cases)
    {
        CKorvoRun run(c.strArguments);
        ASSERT_TRUE(run.m_bStarted);
        EXPECT_EQ(c.nCode, run.ExitCode()) << Narrow(c.strArguments);
        const std::string strOutput = run.Output();
        EXPECT_NE(std::string::npos, strOutput.find(c.pszSays)) << Narrow(c.strArguments) << ": " << strOutput;
        EXPECT_FALSE(::FindWindowW(L"PlainAppFrame", NULL)) << "nothing was started";
    }
}

} // namespace
