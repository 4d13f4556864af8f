#include "CWindowDpi.h"
#include "CDpiScale.h"

namespace
{
const wchar_t DPI_PROPERTY[] = L"KorvoSkin.Dpi";

// Windows that hold the property now. While none does, no window's property is asked for: a
// property read is a round trip to the window system on some platforms, paid on every paint.
volatile LONG g_nRemembered = 0;

typedef DPI_AWARENESS_CONTEXT(WINAPI* GET_THREAD_CONTEXT)();
typedef DPI_AWARENESS(WINAPI* GET_AWARENESS)(DPI_AWARENESS_CONTEXT);

// Only a thread that is aware of each monitor's DPI sees a window at another DPI than the
// system's; for the others the system's DPI is the answer and the window need not be asked.
bool ThreadSeesMonitorDpi()
{
    static GET_THREAD_CONTEXT s_pfnContext = NULL;
    static GET_AWARENESS s_pfnAwareness = NULL;
    static const bool s_bKnown = []() {
        HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
        if (hUser)
        {
            s_pfnContext = (GET_THREAD_CONTEXT)(void*)::GetProcAddress(hUser, "GetThreadDpiAwarenessContext");
            s_pfnAwareness = (GET_AWARENESS)(void*)::GetProcAddress(hUser, "GetAwarenessFromDpiAwarenessContext");
        }
        return true;
    }();
    (void)s_bKnown;
    if (!s_pfnContext || !s_pfnAwareness)
        return false;
    return s_pfnAwareness(s_pfnContext()) == DPI_AWARENESS_PER_MONITOR_AWARE;
}

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
    return hWnd && g_nRemembered > 0 ? (UINT)(UINT_PTR)::GetPropW(hWnd, DPI_PROPERTY) : 0;
}

UINT CWindowDpi::Of(HWND hWnd)
{
    // Asked on every paint and hit test: a property costs a round trip to the window system on
    // some platforms, so a top-level window's is read once.
    if (hWnd)
    {
        if (g_nRemembered > 0)
        {
            if (UINT nDpi = Remembered(hWnd))
                return nDpi;
            // Only top-level windows are told of a DPI change; their children follow them.
            const HWND hRoot = ::GetAncestor(hWnd, GA_ROOT);
            if (hRoot && hRoot != hWnd)
                if (UINT nDpi = Remembered(hRoot))
                    return nDpi;
        }
        if (!ThreadSeesMonitorDpi())
            return OfScreen();
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
    // Counted before the first read can miss it; a window that already had one is not counted twice.
    const bool bNew = ::GetPropW(hWnd, DPI_PROPERTY) == NULL;
    if (bNew)
        ::InterlockedIncrement(&g_nRemembered);
    if (::SetPropW(hWnd, DPI_PROPERTY, (HANDLE)(UINT_PTR)CDpiScale::Bound(nDpi)))
        return TRUE;
    if (bNew)
        ::InterlockedDecrement(&g_nRemembered);
    return FALSE;
}

void CWindowDpi::Forget(HWND hWnd)
{
    if (hWnd && ::RemovePropW(hWnd, DPI_PROPERTY))
        ::InterlockedDecrement(&g_nRemembered);
}

void CWindowDpi::TellChildren(HWND hWnd)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_DPICHANGED_AFTERPARENT, 0, 0);
}
