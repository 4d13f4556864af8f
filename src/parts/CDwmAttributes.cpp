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
BOOL g_bCompositionReplaced = FALSE;
CDwmAttributes::COMPOSITION_QUERY g_pfnQueryReplacement = NULL;
CDwmAttributes::FRAME_EXTENDER g_pfnExtendReplacement = NULL;

// The system's function of that name, null without one. Looked up once and kept: windows ask
// again at every size change. Only the system folder's copy is loaded, never one beside the host.
FARPROC FromDwmapi(const char* pszName)
{
    static CLibrary s_library(::LoadLibraryExW(L"dwmapi.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32));
    return s_library ? ::GetProcAddress(s_library.get(), pszName) : NULL;
}

CDwmAttributes::SETTER Current()
{
    return g_bReplaced ? g_pfnReplacement : CDwmAttributes::FromSystem();
}

CDwmAttributes::COMPOSITION_QUERY CurrentQuery()
{
    static const CDwmAttributes::COMPOSITION_QUERY s_pfnSystem =
        (CDwmAttributes::COMPOSITION_QUERY)(void*)FromDwmapi("DwmIsCompositionEnabled");
    return g_bCompositionReplaced ? g_pfnQueryReplacement : s_pfnSystem;
}

CDwmAttributes::FRAME_EXTENDER CurrentExtender()
{
    static const CDwmAttributes::FRAME_EXTENDER s_pfnSystem =
        (CDwmAttributes::FRAME_EXTENDER)(void*)FromDwmapi("DwmExtendFrameIntoClientArea");
    return g_bCompositionReplaced ? g_pfnExtendReplacement : s_pfnSystem;
}
}

CDwmAttributes::SETTER CDwmAttributes::FromSystem()
{
    static const SETTER s_pfnSystem = (SETTER)(void*)FromDwmapi("DwmSetWindowAttribute");
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

BOOL CDwmAttributes::IsCompositionEnabled()
{
    const COMPOSITION_QUERY pfnQuery = CurrentQuery();
    BOOL bEnabled = FALSE;
    return pfnQuery && SUCCEEDED(pfnQuery(&bEnabled)) && bEnabled;
}

BOOL CDwmAttributes::ExtendFrame(HWND hWnd, int nMargin)
{
    const FRAME_EXTENDER pfnExtend = CurrentExtender();
    const MARGINS margins = { nMargin, nMargin, nMargin, nMargin };
    return pfnExtend && SUCCEEDED(pfnExtend(hWnd, &margins));
}

void CDwmAttributes::ReplaceComposition(COMPOSITION_QUERY pfnQuery, FRAME_EXTENDER pfnExtend)
{
    g_bCompositionReplaced = TRUE;
    g_pfnQueryReplacement = pfnQuery;
    g_pfnExtendReplacement = pfnExtend;
}

void CDwmAttributes::UseSystem()
{
    g_bReplaced = FALSE;
    g_pfnReplacement = NULL;
    g_bCompositionReplaced = FALSE;
    g_pfnQueryReplacement = NULL;
    g_pfnExtendReplacement = NULL;
}
