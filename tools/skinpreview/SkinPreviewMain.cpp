// skinpreview.exe: paints a skin's window frame in each state, and its colours, into PNG files
// with the library's own painting code, without a host.
#include "CSkinPreview.h"
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
    int nStatus = CSkinPreview().Run(args, strOutput);
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strOutput, strOutput.GetLength(), NULL, 0, NULL, NULL);
    if (nBytes > 0)
    {
        std::vector<char> bytes(nBytes);
        ::WideCharToMultiByte(CP_UTF8, 0, strOutput, strOutput.GetLength(), bytes.data(), nBytes, NULL, NULL);
        fwrite(bytes.data(), 1, bytes.size(), stdout);
    }
    fflush(stdout);
    return nStatus;
}
