// The command line and console output the tools share.
#pragma once
#include <afxwin.h>
#include <shellapi.h>
#include <stdio.h>
#include <vector>

// The program's arguments after its own name.
inline std::vector<CString> ToolArguments()
{
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    std::vector<CString> args;
    for (int n = 1; ppszArgs && n < nArgs; n++)
        args.push_back(ppszArgs[n]);
    ::LocalFree(ppszArgs);
    return args;
}

// Writes the text as UTF-8, whatever the console's code page: reports name files and quote
// their text.
inline void WriteUtf8(const CString& strText, FILE* pFile)
{
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), NULL, 0, NULL, NULL);
    if (nBytes > 0)
    {
        std::vector<char> bytes(nBytes);
        ::WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), bytes.data(), nBytes, NULL, NULL);
        fwrite(bytes.data(), 1, bytes.size(), pFile);
    }
    fflush(pFile);
}
