// skinpreview.exe: paints a skin's window frame in each state, and its colours, into PNG files
// with the library's own painting code, without a host. With --watch it keeps running and paints
// them again at every save of the skin, until Ctrl+C.
#include "CSkinPreview.h"
#include "CPreviewWatch.h"
#include "../ToolConsole.h"
#include <algorithm>

namespace
{
HANDLE g_hStop = NULL;

BOOL WINAPI OnConsoleControl(DWORD)
{
    ::SetEvent(g_hStop);
    return TRUE;
}
}

int main()
{
    std::vector<CString> args = ToolArguments();
    const auto watch = std::find(args.begin(), args.end(), CString(L"--watch"));
    if (watch != args.end())
    {
        args.erase(watch);
        g_hStop = ::CreateEventW(NULL, TRUE, FALSE, NULL);
        if (!g_hStop)
            return 2;
        ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        const int nStatus = CPreviewWatch().Run(args, g_hStop, [](const CString& strLines) { WriteUtf8(strLines, stdout); });
        ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
        ::CloseHandle(g_hStop);
        return nStatus;
    }
    CString strOutput;
    int nStatus = CSkinPreview().Run(args, strOutput);
    WriteUtf8(strOutput, stdout);
    return nStatus;
}
