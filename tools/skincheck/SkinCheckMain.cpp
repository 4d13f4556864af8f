// skincheck.exe: checks a skin's definition files as the library reads them and prints what it
// ignores or rejects. Exit status 0: nothing to say, 1: warnings only, 2: errors.
#include "CSkinCheck.h"
#include <shellapi.h>
#include <stdio.h>

int main()
{
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    std::vector<CString> args;
    for (int n = 1; ppszArgs && n < nArgs; n++)
        args.push_back(ppszArgs[n]);
    ::LocalFree(ppszArgs);

    CString strOutput;
    CSkinCheck check;
    int nStatus = check.Run(args, strOutput);

    // UTF-8, whatever the console's code page: the report names files and quotes their text.
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strOutput, strOutput.GetLength(), NULL, 0, NULL, NULL);
    if (nBytes > 0)
    {
        std::vector<char> bytes(nBytes);
        ::WideCharToMultiByte(CP_UTF8, 0, strOutput, strOutput.GetLength(), bytes.data(), nBytes, NULL, NULL);
        fwrite(bytes.data(), 1, bytes.size(), nStatus == CSkinCheck::EXIT_ERRORS && args.empty() ? stderr : stdout);
    }
    fflush(stdout);
    return nStatus;
}
