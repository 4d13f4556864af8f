#include "AccessibilityChild.h"
#include "KorvoTest.h"
#include <stdlib.h>
#include <string>

namespace AccessibilityChild
{
namespace
{
const wchar_t ARGUMENT_VARIABLE[] = L"KORVO_TEST_CHILD_ARGUMENT";

// Everything the child wrote, as text.
CString ReadOutput(HANDLE hFile)
{
    std::string strBytes;
    ::SetFilePointer(hFile, 0, NULL, FILE_BEGIN);
    char chunk[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, chunk, sizeof(chunk), &nRead, NULL) && nRead)
        strBytes.append(chunk, nRead);
    // gtest's banner lines (its verdicts among them) stay out of this program's output.
    CString strText;
    int nStart = 0;
    CString strAll(strBytes.c_str());
    while (nStart < strAll.GetLength())
    {
        int nEnd = strAll.Find(L'\n', nStart);
        if (nEnd < 0)
            nEnd = strAll.GetLength();
        CString strLine = strAll.Mid(nStart, nEnd - nStart);
        if (!strLine.IsEmpty() && strLine[0] != L'[')
            strText += strLine + L"\n";
        nStart = nEnd + 1;
    }
    return strText;
}
}

CResult Run(LPCWSTR pszSuite, LPCWSTR pszTest, const CString& strArgument, DWORD nSeconds)
{
    CResult result;
    wchar_t szProgram[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    wchar_t szFolder[MAX_PATH], szOutput[MAX_PATH];
    if (!nLength || nLength >= MAX_PATH || !::GetTempPathW(MAX_PATH, szFolder)
        || !::GetTempFileNameW(szFolder, L"kch", 0, szOutput))
        return result;
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), NULL, TRUE };
    HANDLE hOutput = ::CreateFileW(szOutput, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (hOutput == INVALID_HANDLE_VALUE)
        return result;

    CString strCommand = CString(L"\"") + szProgram + L"\" --gtest_filter=" + pszSuite + L".DISABLED_" + pszTest
                         + L" --gtest_also_run_disabled_tests";
    STARTUPINFOW startup = { sizeof(startup) };
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = NULL;
    startup.hStdOutput = hOutput;
    startup.hStdError = hOutput;
    PROCESS_INFORMATION process = {};
    ::SetEnvironmentVariableW(ARGUMENT_VARIABLE, strArgument);
    BOOL bStarted = ::CreateProcessW(szProgram, strCommand.GetBuffer(), NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                                     &process);
    strCommand.ReleaseBuffer();
    ::SetEnvironmentVariableW(ARGUMENT_VARIABLE, NULL);
    if (!bStarted)
    {
        ::CloseHandle(hOutput);
        return result;
    }
    ::CloseHandle(process.hThread);

    // The child's messages to this thread's windows are handled while it runs.
    const DWORD dwStart = ::GetTickCount();
    bool bEnded = false;
    while (!bEnded && ::GetTickCount() - dwStart < nSeconds * 1000)
    {
        DWORD dwWait = ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT);
        bEnded = dwWait == WAIT_OBJECT_0;
        KorvoTest::PumpMessages(0);
    }
    DWORD dwExit = 0;
    if (!bEnded)
    {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 5000);
    }
    else if (::GetExitCodeProcess(process.hProcess, &dwExit))
        result.nExit = (int)dwExit;
    ::CloseHandle(process.hProcess);
    result.strOutput = ReadOutput(hOutput);
    ::CloseHandle(hOutput);
    return result;
}

CString Argument()
{
    wchar_t szValue[4096] = L"";
    DWORD nLength = ::GetEnvironmentVariableW(ARGUMENT_VARIABLE, szValue, _countof(szValue));
    return nLength && nLength < _countof(szValue) ? CString(szValue) : CString();
}

CString FormatWindows(const HWND* phWnds, int nCount)
{
    CString strArgument;
    for (int n = 0; n < nCount; n++)
    {
        wchar_t szWindow[24];
        _ui64tow((unsigned long long)(ULONG_PTR)phWnds[n], szWindow, 16);
        strArgument += szWindow;
        strArgument += L' ';
    }
    return strArgument;
}

std::vector<HWND> ParseWindows(const CString& strArgument)
{
    std::vector<HWND> windows;
    const wchar_t* psz = strArgument;
    while (*psz)
    {
        wchar_t* pszEnd = NULL;
        unsigned long long nValue = wcstoull(psz, &pszEnd, 16);
        if (pszEnd == psz)
            break;
        windows.push_back((HWND)(ULONG_PTR)nValue);
        psz = pszEnd;
        while (*psz == L' ')
            psz++;
    }
    return windows;
}
}
