// korvorun on a plain program that knows nothing of the library: its frame, menu bar and every
// kind of dialog it opens are read back from the screen in the skin's colours, its commands and
// its exit code get through; and a launch that cannot work ends at once with korvorun's code and
// a message.
#include "KorvoTest.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <regex>
#include <string>

namespace
{

const DWORD WAIT_MS = 30000;
const int PLAIN_EXIT_CODE = 7;
const UINT IDM_COUNT = 105;

CString WindowsPath(CString strPath)
{
    strPath.Replace(L'/', L'\\');
    return strPath;
}

// Polls until done() holds or the wait is over; whether it held.
bool WaitFor(const std::function<bool()>& done, DWORD nMilliseconds = WAIT_MS)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > nMilliseconds)
            return false;
        KorvoTest::PumpMessages(50);
    }
    return true;
}

// korvorun started with arguments; what it wrote to stderr is read once it ends. Stopped, with
// whatever it started, if a test leaves it running.
class CKorvoRun
{
public:
    explicit CKorvoRun(const CString& strArguments)
    {
        SECURITY_ATTRIBUTES inherit = { sizeof(inherit), NULL, TRUE };
        HANDLE hWrite = NULL;
        ::CreatePipe(&m_hRead, &hWrite, &inherit, 1 << 16);
        ::SetHandleInformation(m_hRead, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup = { sizeof(startup) };
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = hWrite;
        startup.hStdOutput = hWrite;
        CString strCommand = L"\"" + WindowsPath(KORVORUN_DIR L"korvorun.exe") + L"\" " + strArguments;
        m_bStarted = ::CreateProcessW(NULL, strCommand.GetBuffer(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL,
                                      &startup, &m_process);
        ::CloseHandle(hWrite);
    }
    ~CKorvoRun()
    {
        if (HWND hFrame = ::FindWindowW(L"PlainAppFrame", NULL))
        {
            DWORD dwProgram = 0;
            ::GetWindowThreadProcessId(hFrame, &dwProgram);
            if (HANDLE hProgram = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, dwProgram))
            {
                ::TerminateProcess(hProgram, 1);
                ::WaitForSingleObject(hProgram, WAIT_MS);
                ::CloseHandle(hProgram);
            }
        }
        if (m_bStarted)
        {
            ::TerminateProcess(m_process.hProcess, 1);
            ::CloseHandle(m_process.hProcess);
            ::CloseHandle(m_process.hThread);
        }
        ::CloseHandle(m_hRead);
    }
    // korvorun's exit code once it ends; -1 if it does not.
    int ExitCode(DWORD nMilliseconds = WAIT_MS)
    {
        DWORD dwCode = (DWORD)-1;
        if (!m_bStarted || ::WaitForSingleObject(m_process.hProcess, nMilliseconds) != WAIT_OBJECT_0 ||
            !::GetExitCodeProcess(m_process.hProcess, &dwCode))
            return -1;
        return (int)dwCode;
    }
    std::string Output()
    {
        std::string strOutput;
        char buffer[512];
        DWORD nRead = 0;
        while (::ReadFile(m_hRead, buffer, sizeof(buffer), &nRead, NULL) && nRead)
            strOutput.append(buffer, nRead);
        return strOutput;
    }

    BOOL m_bStarted = FALSE;
    PROCESS_INFORMATION m_process = {};
    HANDLE m_hRead = NULL;
};

// The plain program's frame once it shows.
HWND WaitForFrame()
{
    HWND hFrame = NULL;
    WaitFor([&] {
        hFrame = ::FindWindowW(L"PlainAppFrame", NULL);
        return hFrame && ::IsWindowVisible(hFrame);
    });
    return hFrame;
}

struct FIND_DIALOG
{
    DWORD dwProcess;
    HWND hFound;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    FIND_DIALOG* pFind = (FIND_DIALOG*)lParam;
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (dwProcess == pFind->dwProcess && ::IsWindowVisible(hWnd) && wcscmp(szClass, L"#32770") == 0)
    {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog (message box, common dialog, property sheet) of the frame's process.
HWND DialogOf(HWND hFrame)
{
    FIND_DIALOG find = { 0, NULL };
    ::GetWindowThreadProcessId(hFrame, &find.dwProcess);
    ::EnumWindows(FindDialog, (LPARAM)&find);
    return find.hFound;
}

std::string ReadFileText(const CString& strPath)
{
    std::string strText;
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strText;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &nRead, NULL) && nRead)
        strText.append(buffer, nRead);
    ::CloseHandle(hFile);
    return strText;
}

std::string Narrow(const CString& str)
{
    std::string strNarrow;
    for (int i = 0; i < str.GetLength(); i++)
        strNarrow += str[i] < 128 ? (char)str[i] : '?';
    return strNarrow;
}

// What a bundled skin promises: its caption strip (the frame image's "Top" part) and its menu
// colour, read from its definition as korvorun's folder holds it.
struct SKIN_LOOK
{
    // The rows of the caption strip, active and inactive.
    std::vector<std::vector<std::vector<COLORREF>>> captions;
    COLORREF crMenuBack = CLR_INVALID;
};

SKIN_LOOK ReadSkinLook(const wchar_t* pszName)
{
    SKIN_LOOK look;
    const CString strFolder = WindowsPath(KORVORUN_DIR L"Definitions\\");
    const std::string strXml = ReadFileText(strFolder + pszName + L".xml");
    std::smatch match;
    if (std::regex_search(strXml, match, std::regex("name=\"menu\\.back\" value=\"([0-9A-Fa-f]{6})\"")))
    {
        const unsigned long rgb = std::stoul(match[1].str(), NULL, 16);
        look.crMenuBack = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    std::smatch image;
    if (!std::regex_search(strXml, image, std::regex("<image path=\"([^\"]+\\.bmp)\"/>")))
        return look;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(NULL, strFolder + CString(image[1].str().c_str()), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!hBitmap)
        return look;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    // The active caption strip and the inactive one.
    for (const char* pszPart : { "Top", "TopIA" })
    {
        std::smatch part;
        if (!std::regex_search(strXml, part, std::regex(std::string("<part name=\"") + pszPart +
                                                        "\" rect=\"(\\d+),(\\d+),(\\d+),(\\d+)\"")))
            continue;
        const int x = std::stoi(part[1].str()), y = std::stoi(part[2].str());
        const int cx = std::stoi(part[3].str()), cy = std::stoi(part[4].str());
        look.captions.emplace_back();
        for (int row = 0; row < cy; row++)
        {
            look.captions.back().emplace_back();
            for (int column = 0; column < cx; column++)
                look.captions.back().back().push_back(::GetPixel(hDC, x + column, y + row));
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    return look;
}

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC hScreen = ::GetDC(NULL);
    const COLORREF cr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// Whether the window's caption, away from its text and buttons, is one of the skin's caption
// strips: every pixel of a few columns in the middle has its row's colour in the strip.
bool HasSkinCaption(HWND hWnd, const SKIN_LOOK& look)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    const int xMiddle = (rc.left + rc.right) / 2;
    return std::any_of(look.captions.begin(), look.captions.end(), [&](const std::vector<std::vector<COLORREF>>& rows) {
        for (int row = 4; row < (int)rows.size() - 4; row++)
            for (int x = xMiddle; x < xMiddle + 3; x++)
            {
                const COLORREF cr = ScreenPixel(x, rc.top + row);
                if (std::none_of(rows[row].begin(), rows[row].end(), [cr](COLORREF crStrip) { return Near(cr, crStrip); }))
                    return false;
            }
        return !rows.empty();
    });
}

// Whether a band of rows between the caption and the client area, near the frame's right end
// (past the menu's items), is the skin's menu colour.
bool HasSkinMenuBar(HWND hWnd, const SKIN_LOOK& look)
{
    RECT rc;
    POINT ptClient = { 0, 0 };
    if (!::GetWindowRect(hWnd, &rc) || !::ClientToScreen(hWnd, &ptClient))
        return false;
    int nRun = 0, nLongest = 0;
    for (int y = rc.top; y < ptClient.y; y++)
    {
        nRun = ScreenPixel(rc.right - 40, y) == look.crMenuBack ? nRun + 1 : 0;
        nLongest = std::max(nLongest, nRun);
    }
    return nLongest >= 8;
}

struct FIND_POPUP
{
    DWORD dwProcess;
    HWND hFound;
};

BOOL CALLBACK FindPopupMenu(HWND hWnd, LPARAM lParam)
{
    FIND_POPUP* pFind = (FIND_POPUP*)lParam;
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (dwProcess == pFind->dwProcess && ::IsWindowVisible(hWnd) && wcscmp(szClass, L"#32768") == 0)
    {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Whether a popup menu of the frame's process shows, the margin right of its items in the skin's
// menu colour.
bool HasSkinPopupMenu(HWND hFrame, const SKIN_LOOK& look)
{
    FIND_POPUP find = { 0, NULL };
    ::GetWindowThreadProcessId(hFrame, &find.dwProcess);
    ::EnumWindows(FindPopupMenu, (LPARAM)&find);
    RECT rc;
    if (!find.hFound || !::GetWindowRect(find.hFound, &rc))
        return false;
    int nMenuBack = 0;
    for (int y = rc.top + 4; y < rc.bottom - 4; y++)
        nMenuBack += ScreenPixel(rc.right - 12, y) == look.crMenuBack;
    return nMenuBack > (rc.bottom - rc.top) / 2;
}

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

// The library has one owner thread: a second GUI thread's window keeps the system's look and
// works as it does without korvorun.
TEST_F(KorvoRun, AnotherThreadsWindowKeepsTheSystemLookAndWorks)
{
    const SKIN_LOOK look = ReadSkinLook(L"Midnight");
    CKorvoRun run(SkinArguments(L"Midnight", NULL) + L" --second-thread");
    HWND hFrame = WaitForFrame();
    ASSERT_TRUE(hFrame);
    HWND hSecond = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hSecond = ::FindWindowW(L"PlainAppSecond", NULL)) && ::IsWindowVisible(hSecond); }));
    ASSERT_TRUE(WaitFor([&] { return HasSkinCaption(hFrame, look); }));
    ::PostMessageW(hSecond, WM_COMMAND, IDM_COUNT, 0);
    EXPECT_TRUE(WaitFor([&] {
        wchar_t szTitle[64] = {};
        ::GetWindowTextW(hSecond, szTitle, 64);
        return wcscmp(szTitle, L"Plain Second 1") == 0;
    }));
    KorvoTest::PumpMessages(300);
    EXPECT_FALSE(HasSkinCaption(hSecond, look));
    ::PostMessageW(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(PLAIN_EXIT_CODE, run.ExitCode());
}

// A program without windows runs as it would: found on the PATH by its name, given its
// arguments, and its exit code is korvorun's.
TEST_F(KorvoRun, AProgramWithoutWindowsRunsAsItWould)
{
    CKorvoRun run(L"--skin Midnight cmd /c exit 3");
    EXPECT_EQ(3, run.ExitCode());
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
