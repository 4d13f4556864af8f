#include "CWindowDpi.h"
#include "CDpiScale.h"

namespace
{
const wchar_t DPI_PROPERTY[] = L"KorvoSkin.Dpi";

typedef UINT(WINAPI* GET_DPI_FOR_WINDOW)(HWND);

// Looked up once: systems before Windows 10 1607 do not have it.
GET_DPI_FOR_WINDOW SystemDpiForWindow()
{
    static GET_DPI_FOR_WINDOW s_pfn = []() -> GET_DPI_FOR_WINDOW {
        HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
        return hUser ? (GET_DPI_FOR_WINDOW)(void*)::GetProcAddress(hUser, "GetDpiForWindow") : NULL;
    }();
    return s_pfn;
}
}

UINT CWindowDpi::OfScreen()
{
    // The system's DPI is fixed for a process's life (a change needs a new sign-in), so it is
    // read once.
    static const UINT s_nDpi = []() -> UINT {
        HDC hScreen = ::GetDC(NULL);
        if (!hScreen)
            return CDpiScale::BASE_DPI;
        const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
        ::ReleaseDC(NULL, hScreen);
        return CDpiScale::Bound(nDpi > 0 ? (UINT)nDpi : CDpiScale::BASE_DPI);
    }();
    return s_nDpi;
}

UINT CWindowDpi::Remembered(HWND hWnd)
{
    return hWnd ? (UINT)(UINT_PTR)::GetPropW(hWnd, DPI_PROPERTY) : 0;
}

UINT CWindowDpi::Of(HWND hWnd)
{
    // Asked on every paint and hit test: a property costs a round trip to the window system on
    // some platforms, so a top-level window's is read once.
    if (hWnd)
    {
        if (UINT nDpi = Remembered(hWnd))
            return nDpi;
        // Only top-level windows are told of a DPI change; their children follow them.
        const HWND hRoot = ::GetAncestor(hWnd, GA_ROOT);
        if (!hRoot)
            return OfScreen();
        if (hRoot != hWnd)
            if (UINT nDpi = Remembered(hRoot))
                return nDpi;
        if (GET_DPI_FOR_WINDOW pfn = SystemDpiForWindow())
        {
            const UINT nDpi = pfn(hWnd);
            if (nDpi)
                return CDpiScale::Bound(nDpi);
        }
    }
    return OfScreen();
}

BOOL CWindowDpi::Remember(HWND hWnd, UINT nDpi)
{
    if (!hWnd)
        return FALSE;
    return ::SetPropW(hWnd, DPI_PROPERTY, (HANDLE)(UINT_PTR)CDpiScale::Bound(nDpi));
}

void CWindowDpi::Forget(HWND hWnd)
{
    if (hWnd)
        ::RemovePropW(hWnd, DPI_PROPERTY);
}

void CWindowDpi::TellChildren(HWND hWnd)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_DPICHANGED_AFTERPARENT, 0, 0);
}
