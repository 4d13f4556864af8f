#include "ModuleWindowClass.h"

HINSTANCE RegisterModuleWindowClass(LPCWSTR pszClass, WNDPROC pfnProc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = pfnProc;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         (LPCWSTR)pfnProc, &wc.hInstance);
    wc.lpszClassName = pszClass;
    ::RegisterClassW(&wc);
    return wc.hInstance;
}
