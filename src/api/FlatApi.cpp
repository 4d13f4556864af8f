// The C interface of korvoskin.h: each function runs through the one host guard, checks that the
// library is initialised, and does what its C++ counterpart of SkinApi.h does, by handle.
#include <korvoskin.h>
#include <KorvoSkin/SkinApi.h>
#include "Globals.h"
#include "HostGuard.h"
#include "../theme/CInterfaceTheme.h"
#include <cwchar>

namespace
{

// The guard, for a function of the owner thread that needs the library initialised: refused
// from another thread; before Init (any thread may enter then) not initialised.
template <class RESULT, class WORK>
RESULT OnOwnerThread(const RESULT& wrongThread, const RESULT& notInitialised, const RESULT& failed, WORK work)
{
    return OnHostThread(wrongThread, failed, [&]() -> RESULT {
        if (!g_HostThread.IsOwned())
            return notInitialised;
        return work();
    });
}

template <class WORK> int OnOwnerThread(WORK work)
{
    return OnOwnerThread(KORVOSKIN_E_WRONG_THREAD, KORVOSKIN_E_NOT_INITIALISED, KORVOSKIN_E_OUT_OF_RESOURCES, work);
}

// The colour a key of the theme's one key table names; CLR_INVALID for none.
COLORREF ColourOfKey(const wchar_t* pszKey)
{
    int nCount = 0;
    const CInterfaceTheme::COLOUR_KEY* pKeys = CInterfaceTheme::GetColourKeys(nCount);
    for (int i = 0; i < nCount; i++)
    {
        if (wcscmp(pKeys[i].pszKey, pszKey) != 0)
            continue;
        if (pKeys[i].colour == SkinColour::DialogBack)
            return g_Theme.IsDialogBackLoaded() ? g_Theme.DialogBackColour() : CLR_INVALID;
        // The theme's "no colour" is the system's invalid colour.
        const COLORREF cr = g_Theme.Colour(pKeys[i].colour);
        return cr == NO_COLOUR ? CLR_INVALID : cr;
    }
    return CLR_INVALID;
}

KORVOSKIN_WATCH_PROC g_pfnWatch = NULL;
void* g_pWatchContext = NULL;

// The watch's report, passed on to the host's callback as the C interface gives it.
void ReportWatch(bool bReloaded, const wchar_t* pszFile, void*)
{
    if (g_pfnWatch)
        g_pfnWatch(bReloaded ? KORVOSKIN_OK : KORVOSKIN_E_LOAD_FAILED, pszFile, g_pWatchContext);
}

} // namespace

extern "C" {

int WINAPI KorvoSkin_Version(void)
{
    return 1;
}

const wchar_t* WINAPI KorvoSkin_ErrorText(int code)
{
    switch (code)
    {
    case KORVOSKIN_OK:
        return L"success";
    case KORVOSKIN_E_BAD_ARGUMENT:
        return L"a bad argument: a null pointer, a handle that is not a window, or a window of the wrong kind";
    case KORVOSKIN_E_WRONG_THREAD:
        return L"called from a thread that does not own the library, or given another thread's window";
    case KORVOSKIN_E_NOT_INITIALISED:
        return L"the library is not initialised: call KorvoSkin_Init first";
    case KORVOSKIN_E_NOT_FOUND:
        return L"the loaded skin has nothing of that id or name";
    case KORVOSKIN_E_LOAD_FAILED:
        return L"the skin could not be loaded";
    case KORVOSKIN_E_BUFFER_TOO_SMALL:
        return L"the buffer is too small";
    case KORVOSKIN_E_ALREADY_SKINNED:
        return L"the window is skinned already";
    case KORVOSKIN_E_NOT_SKINNED:
        return L"the window is not skinned";
    case KORVOSKIN_E_OUT_OF_RESOURCES:
        return L"memory or a system resource ran out";
    }
    return L"an unknown result code";
}

int WINAPI KorvoSkin_Init(void)
{
    return OnHostThread(KORVOSKIN_E_WRONG_THREAD, KORVOSKIN_E_OUT_OF_RESOURCES,
                        [] { return InitSkin() ? KORVOSKIN_OK : KORVOSKIN_E_WRONG_THREAD; });
}

int WINAPI KorvoSkin_Uninit(void)
{
    return OnOwnerThread([] { return UnInitSkin() ? KORVOSKIN_OK : KORVOSKIN_E_WRONG_THREAD; });
}

int WINAPI KorvoSkin_LoadSkin(const wchar_t* first, const wchar_t* second)
{
    return OnOwnerThread([=] {
        if (!first || !second)
            return KORVOSKIN_E_BAD_ARGUMENT;
        return LoadSkin(first, second) ? KORVOSKIN_OK : KORVOSKIN_E_LOAD_FAILED;
    });
}

int WINAPI KorvoSkin_LoadSkinForSystemTheme(const wchar_t* lightFirst, const wchar_t* lightSecond,
                                            const wchar_t* darkFirst, const wchar_t* darkSecond)
{
    return OnOwnerThread([=] {
        if (!lightFirst || !lightSecond || !darkFirst || !darkSecond)
            return KORVOSKIN_E_BAD_ARGUMENT;
        return LoadSkinForSystemTheme(lightFirst, lightSecond, darkFirst, darkSecond) ? KORVOSKIN_OK
                                                                                        : KORVOSKIN_E_LOAD_FAILED;
    });
}

int WINAPI KorvoSkin_GetString(UINT id, wchar_t* buffer, int cch)
{
    return OnOwnerThread([=] {
        if (cch < 0)
            return KORVOSKIN_E_BAD_ARGUMENT;
        CString strText;
        if (!g_Registry.GetString(id, strText))
            return KORVOSKIN_E_NOT_FOUND;
        const int nLength = strText.GetLength();
        if (buffer && cch > nLength)
            wmemcpy(buffer, (LPCWSTR)strText, (size_t)nLength + 1);
        return nLength;
    });
}

HMENU WINAPI KorvoSkin_GetMenu(const wchar_t* name)
{
    return OnOwnerThread((HMENU)NULL, (HMENU)NULL, (HMENU)NULL, [=]() -> HMENU {
        CMenu* pMenu = name ? g_Registry.GetMenu(name) : NULL;
        return pMenu ? pMenu->m_hMenu : NULL;
    });
}

int WINAPI KorvoSkin_TrackPopupMenu(const wchar_t* name, int x, int y, UINT flags, HWND owner)
{
    return OnOwnerThread([=] {
        if (!name || !owner || !::IsWindow(owner))
            return KORVOSKIN_E_BAD_ARGUMENT;
        DWORD dwProcess = 0;
        if (::GetWindowThreadProcessId(owner, &dwProcess) != ::GetCurrentThreadId())
            return KORVOSKIN_E_WRONG_THREAD;
        if (!g_Registry.GetMenu(name))
            return KORVOSKIN_E_NOT_FOUND;
        const UINT nResult = g_Registry.TrackPopupMenu(name, CPoint(x, y), 0, flags, CWnd::FromHandle(owner));
        if (flags & TPM_RETURNCMD)
            return (int)nResult;
        return nResult ? 1 : KORVOSKIN_E_NOT_FOUND;
    });
}

HBITMAP WINAPI KorvoSkin_GetWatermark(const wchar_t* name)
{
    return OnOwnerThread((HBITMAP)NULL, (HBITMAP)NULL, (HBITMAP)NULL,
                         [=]() -> HBITMAP { return name ? g_Registry.GetWatermark(name) : NULL; });
}

COLORREF WINAPI KorvoSkin_GetColour(const wchar_t* key)
{
    return OnOwnerThread(CLR_INVALID, CLR_INVALID, CLR_INVALID, [=] { return key ? ColourOfKey(key) : CLR_INVALID; });
}

int WINAPI KorvoSkin_SkinWindow(HWND hwnd, const wchar_t* target)
{
    return OnOwnerThread([=] { return g_HandleWindows.Skin(hwnd, target); });
}

int WINAPI KorvoSkin_UnskinWindow(HWND hwnd)
{
    return OnOwnerThread([=] { return g_HandleWindows.Unskin(hwnd); });
}

int WINAPI KorvoSkin_SkinControls(HWND hwndParent)
{
    return OnOwnerThread([=] { return g_HandleWindows.SkinControls(hwndParent); });
}

HWND WINAPI KorvoSkin_CreateToolBar(HWND hwndParent, const wchar_t* name, UINT id)
{
    return OnOwnerThread((HWND)NULL, (HWND)NULL, (HWND)NULL,
                         [=] { return g_HandleWindows.CreateToolBar(hwndParent, name, id); });
}

int WINAPI KorvoSkin_KeepSkinInHighContrast(int keep)
{
    return OnOwnerThread([=] { return KeepSkinInHighContrast(keep != 0) ? KORVOSKIN_OK : KORVOSKIN_E_WRONG_THREAD; });
}

int WINAPI KorvoSkin_SkinThread(UINT flags)
{
    return OnOwnerThread([=] { return g_ThreadSkinner.Start(flags); });
}

int WINAPI KorvoSkin_SetThreadWindowCallback(KORVOSKIN_THREAD_WINDOW_PROC proc, void* context)
{
    return OnOwnerThread([=] {
        g_ThreadSkinner.SetCallback(proc, context);
        return KORVOSKIN_OK;
    });
}

int WINAPI KorvoSkin_SetSkinChangedCallback(KORVOSKIN_SKIN_CHANGED_PROC proc, void* context)
{
    return OnOwnerThread([=] {
        g_HandleWindows.SetSkinChangedCallback(proc, context);
        return KORVOSKIN_OK;
    });
}

int WINAPI KorvoSkin_WatchSkin(BOOL watch)
{
    return OnOwnerThread([=] { return WatchSkin(watch != FALSE, ReportWatch) ? KORVOSKIN_OK : KORVOSKIN_E_LOAD_FAILED; });
}

int WINAPI KorvoSkin_SetWatchCallback(KORVOSKIN_WATCH_PROC proc, void* context)
{
    return OnOwnerThread([=] {
        g_pfnWatch = proc;
        g_pWatchContext = context;
        return KORVOSKIN_OK;
    });
}

} // extern "C"
