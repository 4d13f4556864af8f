// What korvorun's tests share: korvorun started with arguments, the plain program's windows
// found, and a bundled skin's caption strips and menu colour read back from the screen.
#pragma once
#include "KorvoTest.h"
#include "plainapp.h"
#include <functional>
#include <string>
#include <vector>

namespace KorvoRunTest
{

const DWORD WAIT_MS = 30000;
const int PLAIN_EXIT_CODE = 7;

// The Windows form of a path the build hands over with forward slashes.
CString WindowsPath(CString strPath);
// Polls until done() holds or the wait is over; whether it held.
bool WaitFor(const std::function<bool()>& done, DWORD nMilliseconds = WAIT_MS);
// Printable in a test's message.
std::string Narrow(const CString& str);

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
HWND WaitForFrame();
// A visible dialog (message box, common dialog, property sheet) of the frame's process.
HWND DialogOf(HWND hFrame);

// What a bundled skin promises: its caption strips (the frame image's "Top" and "TopIA" parts)
// and its menu colour, read from its definition as korvorun's folder holds it.
struct SKIN_LOOK
{
    // The rows of the caption strip, active and inactive.
    std::vector<std::vector<std::vector<COLORREF>>> captions;
    COLORREF crMenuBack = CLR_INVALID;
    COLORREF crDialogBack = CLR_INVALID;
};
SKIN_LOOK ReadSkinLook(const wchar_t* pszName);

// Whether the window's caption, away from its text and buttons, is one of the skin's caption
// strips: every pixel of a few columns, in the middle or left of the buttons, has its row's
// colour in the strip.
bool HasSkinCaption(HWND hWnd, const SKIN_LOOK& look);
// Whether a band of rows between the caption and the client area, near the frame's right end
// (past the menu's items), is the skin's menu colour.
bool HasSkinMenuBar(HWND hWnd, const SKIN_LOOK& look);
// Whether the frame's toolbar, right of its buttons, and its status bar, in the middle of its
// first part below the text, are the skin's dialog colour.
bool HasSkinBars(HWND hFrame, const SKIN_LOOK& look);
// Whether a popup menu of the frame's process shows, the margin right of its items in the skin's
// menu colour.
bool HasSkinPopupMenu(HWND hFrame, const SKIN_LOOK& look);

} // namespace KorvoRunTest
