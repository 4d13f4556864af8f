// A program started suspended, into which korvorun loads the library and starts its agent
// before letting it run. Every wait on a thread of the program has a timeout; a program that was
// never resumed is terminated when this object goes.
#pragma once
#include <windows.h>
#include <string>

class CSuspendedProgram
{
public:
    CSuspendedProgram() = default;
    ~CSuspendedProgram();

    // Creates the process suspended; FALSE (GetLastError tells why) when it does not start.
    BOOL Start(const std::wstring& strPath, const std::wstring& strCommandLine);
    // Loads the DLL at strPath (its dependencies found in its own folder) into the program; FALSE
    // on any failure or timeout. strError says what went wrong.
    BOOL LoadLibrary(const std::wstring& strPath, std::wstring& strError);
    // Runs the export pszName of the DLL loaded above on a thread of the program with a copy of
    // the nSize bytes at pData; its exit code in dwExitCode. FALSE on failure or timeout.
    BOOL CallExport(const char* pszName, const void* pData, size_t nSize, DWORD& dwExitCode, std::wstring& strError);
    // Lets the program run, waits for it to end, and gives its exit code.
    DWORD RunToEnd();

private:
    CSuspendedProgram(const CSuspendedProgram&) = delete;
    void operator=(const CSuspendedProgram&) = delete;

    // Runs pfnStart(pArgument) on a thread of the program and waits for it; FALSE on a timeout
    // (the thread is left: its code may still be running) or when it cannot start.
    BOOL RunRemote(const void* pfnStart, const void* pArgument, DWORD& dwExitCode);
    // A copy of nSize bytes in the program, or NULL.
    void* CopyIn(const void* pData, size_t nSize);
    // The base address of the module at strPath in the program, or NULL.
    BYTE* ModuleBase(const std::wstring& strPath);

    PROCESS_INFORMATION m_process = {};
    BOOL m_bResumed = FALSE;
    std::wstring m_strLibrary;
    BYTE* m_pLibraryBase = NULL;
};
