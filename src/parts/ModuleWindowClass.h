// A private window class of the module whose code holds the window procedure, whatever kind of
// program hosts that module (the library as a DLL, or linked statically into a host).
#pragma once
#include <afxwin.h>

// Registers pszClass with pfnProc in the module holding pfnProc (registering twice is harmless)
// and returns that module's handle, to create the class's windows with.
HINSTANCE RegisterModuleWindowClass(LPCWSTR pszClass, WNDPROC pfnProc);
