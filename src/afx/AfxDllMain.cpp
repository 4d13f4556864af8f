#include "AfxThreadState.h"

// Each thread's wrapper objects go with the thread.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_THREAD_DETACH || dwReason == DLL_PROCESS_DETACH)
        AfxTermThreadState();
    return TRUE;
}
