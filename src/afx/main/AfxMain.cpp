// The host executable's entry point: the framework runs the application object.
#include "../CWinApp.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, AfxSkipProgramName(::GetCommandLineW()), nCmdShow);
}
