#include "CSuspendedProgram.h"
#include <tlhelp32.h>
#include <vector>

namespace
{

// Long enough for a first load of the library and its framework under a slow disk or Wine.
const DWORD REMOTE_THREAD_TIMEOUT_MS = 30000;

std::wstring FolderOf(const std::wstring& strPath)
{
    return strPath.substr(0, strPath.find_last_of(L'\\') + 1);
}

// Kernel32's functions are at the same address in every process of the same pointer size.
const void* Kernel32Function(const char* pszName)
{
    return (const void*)::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), pszName);
}

} // namespace

CSuspendedProgram::~CSuspendedProgram()
{
    if (m_process.hProcess && !m_bResumed)
    {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, REMOTE_THREAD_TIMEOUT_MS);
    }
    if (m_process.hThread)
        ::CloseHandle(m_process.hThread);
    if (m_process.hProcess)
        ::CloseHandle(m_process.hProcess);
}

BOOL CSuspendedProgram::Start(const std::wstring& strPath, const std::wstring& strCommandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::vector<wchar_t> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back(0);
    // Handles are inherited as a shell's child inherits them: the program writes where korvorun does.
    return ::CreateProcessW(strPath.c_str(), commandLine.data(), NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL,
                            &startup, &m_process);
}

void* CSuspendedProgram::CopyIn(const void* pData, size_t nSize)
{
    void* pRemote = ::VirtualAllocEx(m_process.hProcess, NULL, nSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T nWritten = 0;
    if (pRemote && (!::WriteProcessMemory(m_process.hProcess, pRemote, pData, nSize, &nWritten) || nWritten != nSize))
    {
        ::VirtualFreeEx(m_process.hProcess, pRemote, 0, MEM_RELEASE);
        return NULL;
    }
    return pRemote;
}

BOOL CSuspendedProgram::RunRemote(const void* pfnStart, const void* pArgument, DWORD& dwExitCode)
{
    HANDLE hThread = ::CreateRemoteThread(m_process.hProcess, NULL, 0, (LPTHREAD_START_ROUTINE)pfnStart,
                                          (void*)pArgument, 0, NULL);
    if (!hThread)
        return FALSE;
    const BOOL bEnded = ::WaitForSingleObject(hThread, REMOTE_THREAD_TIMEOUT_MS) == WAIT_OBJECT_0 &&
                        ::GetExitCodeThread(hThread, &dwExitCode);
    ::CloseHandle(hThread);
    return bEnded;
}

BYTE* CSuspendedProgram::ModuleBase(const std::wstring& strPath)
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_process.dwProcessId);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return NULL;
    BYTE* pBase = NULL;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Module32FirstW(hSnapshot, &entry); bMore && !pBase; bMore = ::Module32NextW(hSnapshot, &entry))
        if (::lstrcmpiW(entry.szExePath, strPath.c_str()) == 0)
            pBase = entry.modBaseAddr;
    ::CloseHandle(hSnapshot);
    return pBase;
}

BOOL CSuspendedProgram::LoadLibrary(const std::wstring& strPath, std::wstring& strError)
{
    // The library's own dependencies (the framework, the compiler's runtime) are beside it: the
    // folder joins the search for this load only.
    const std::wstring strFolder = FolderOf(strPath);
    void* pFolder = CopyIn(strFolder.c_str(), (strFolder.size() + 1) * sizeof(wchar_t));
    void* pPath = CopyIn(strPath.c_str(), (strPath.size() + 1) * sizeof(wchar_t));
    const void* pfnSetDllDirectory = Kernel32Function("SetDllDirectoryW");
    const void* pfnLoadLibrary = Kernel32Function("LoadLibraryW");
    if (!pFolder || !pPath || !pfnSetDllDirectory || !pfnLoadLibrary)
    {
        strError = L"cannot write into the program's memory";
        return FALSE;
    }
    DWORD dwResult = 0;
    if (!RunRemote(pfnSetDllDirectory, pFolder, dwResult))
    {
        strError = L"the program did not answer (setting the library's folder)";
        return FALSE;
    }
    const BOOL bLoaded = RunRemote(pfnLoadLibrary, pPath, dwResult);
    DWORD dwReset = 0;
    if (!bLoaded || !RunRemote(pfnSetDllDirectory, NULL, dwReset))
    {
        strError = L"the program did not answer (loading the library)";
        return FALSE;
    }
    // The thread's exit code holds the low half of the module's address: zero means no module.
    m_pLibraryBase = dwResult ? ModuleBase(strPath) : NULL;
    if (!m_pLibraryBase)
    {
        strError = L"the library could not be loaded into the program";
        return FALSE;
    }
    m_strLibrary = strPath;
    ::VirtualFreeEx(m_process.hProcess, pFolder, 0, MEM_RELEASE);
    ::VirtualFreeEx(m_process.hProcess, pPath, 0, MEM_RELEASE);
    return TRUE;
}

BOOL CSuspendedProgram::CallExport(const char* pszName, const void* pData, size_t nSize, DWORD& dwExitCode,
                                   std::wstring& strError)
{
    // The export's offset, from the same file mapped here without running any of its code.
    HMODULE hLocal = ::LoadLibraryExW(m_strLibrary.c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES);
    const BYTE* pfnLocal = hLocal ? (const BYTE*)::GetProcAddress(hLocal, pszName) : NULL;
    const size_t nOffset = pfnLocal ? pfnLocal - (const BYTE*)hLocal : 0;
    if (hLocal)
        ::FreeLibrary(hLocal);
    if (!nOffset)
    {
        strError = L"the library has no agent entry (an older KorvoSkin.dll?)";
        return FALSE;
    }
    void* pRemote = CopyIn(pData, nSize);
    if (!pRemote)
    {
        strError = L"cannot write into the program's memory";
        return FALSE;
    }
    if (!RunRemote(m_pLibraryBase + nOffset, pRemote, dwExitCode))
    {
        strError = L"the program did not answer (starting the agent)";
        return FALSE;
    }
    ::VirtualFreeEx(m_process.hProcess, pRemote, 0, MEM_RELEASE);
    return TRUE;
}

DWORD CSuspendedProgram::RunToEnd()
{
    m_bResumed = TRUE;
    ::ResumeThread(m_process.hThread);
    ::WaitForSingleObject(m_process.hProcess, INFINITE);
    DWORD dwExitCode = 1;
    ::GetExitCodeProcess(m_process.hProcess, &dwExitCode);
    return dwExitCode;
}
