#include "CDwmAttributes.h"
#include <memory>
#include <type_traits>

namespace
{
struct CLibraryFreer
{
    void operator()(HMODULE hModule) const { ::FreeLibrary(hModule); }
};
typedef std::unique_ptr<std::remove_pointer<HMODULE>::type, CLibraryFreer> CLibrary;

BOOL g_bReplaced = FALSE;
CDwmAttributes::SETTER g_pfnReplacement = NULL;

CDwmAttributes::SETTER Current()
{
    return g_bReplaced ? g_pfnReplacement : CDwmAttributes::FromSystem();
}
}

CDwmAttributes::SETTER CDwmAttributes::FromSystem()
{
    // Looked up once and kept: windows ask again at every size change. Only the system folder's
    // copy is loaded, never one beside the host.
    static CLibrary s_library(::LoadLibraryExW(L"dwmapi.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32));
    static const SETTER s_pfnSystem =
        s_library ? (SETTER)(void*)::GetProcAddress(s_library.get(), "DwmSetWindowAttribute") : NULL;
    return s_pfnSystem;
}

BOOL CDwmAttributes::Set(HWND hWnd, DWORD dwAttribute, DWORD dwValue)
{
    const SETTER pfnSet = Current();
    return pfnSet && SUCCEEDED(pfnSet(hWnd, dwAttribute, &dwValue, sizeof(dwValue)));
}

CDwmAttributes::SETTER CDwmAttributes::Replace(SETTER pfnSetter)
{
    const SETTER pfnOld = Current();
    g_bReplaced = TRUE;
    g_pfnReplacement = pfnSetter;
    return pfnOld;
}

void CDwmAttributes::UseSystem()
{
    g_bReplaced = FALSE;
    g_pfnReplacement = NULL;
}
