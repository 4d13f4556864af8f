#include <KorvoSkin/SkinApi.h>
#include "HostGuard.h"
#include "CHandleWindows.h"
#include "CRedrawPause.h"
#include "CSystemTheme.h"
#include "CSkinReloadWatch.h"
#include "Globals.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../bars/CCoolBarTemplateFill.h"
#include "../parts/GdiplusRunning.h"
#include "../parts/CHighContrast.h"
#include <gdiplus.h>
#include <vector>

namespace
{

ULONG_PTR g_gdiplusToken = 0;
// The pair the last load read, which a watch loads again.
CString g_strLoadedFirst, g_strLoadedSecond;
CSkinReloadWatch g_reloadWatch;
void (*g_pfnWatchReport)(bool bReloaded, const wchar_t* pszFile, void* pContext) = NULL;
void* g_pWatchContext = NULL;
CSystemTheme g_systemTheme;
// Whether the host keeps its skin when the user turns high contrast on; whether a skin was
// loaded since InitSkin; the system's colours the last load was made under.
bool g_bKeepSkinInHighContrast = false;
bool g_bLoaded = false;
DWORD g_dwLoadedColours = 0;

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    ((std::vector<HWND>*)lParam)->push_back(hWnd);
    return TRUE;
}

// The host thread's top-level windows as they are now: what a window does with a message
// sent to it may create or destroy others.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, (LPARAM)&windows);
    return windows;
}

// A user who turned high contrast on gets the system's look, unless the host keeps its skin.
BOOL WantsSystemLook()
{
    return !g_bKeepSkinInHighContrast && CHighContrast::IsOn();
}

void LoadDefinitions(const CString& strFirst, const CString& strSecond)
{
    g_strLoadedFirst = strFirst;
    g_strLoadedSecond = strSecond;
    g_Registry.SetSystemLook(WantsSystemLook());
    g_dwLoadedColours = CHighContrast::SystemColoursStamp();
    g_bLoaded = true;
    // Skinned windows are unframed when the old skin goes and framed again after: by the load
    // itself for those skinned by handle, by the host's next SkinMe for dialogs. They draw
    // nothing in between and are painted at the next paint, by then in the new skin, never with
    // the system's frame or background.
    CRedrawPause pause(TopLevelWindows());
    try
    {
        g_Registry.Load(g_strAppFolder, strFirst, strSecond);
        g_HandleWindows.Reskin();
    }
    catch (...)
    {
        // Nothing of a load that could not finish stays.
        g_Registry.Clear();
        throw;
    }
}

// A skinned dialog has no system caption; the others' title bars take the choice.
void SetDarkTitleBars(const std::vector<HWND>& windows, BOOL bDark)
{
    for (HWND hWnd : windows)
        if (::IsWindow(hWnd) && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            g_systemTheme.SetDarkTitleBar(hWnd, bDark);
}

void StopFollowingSystem()
{
    if (!g_systemTheme.IsFollowing())
        return;
    if (g_systemTheme.m_bDark)
        SetDarkTitleBars(TopLevelWindows(), FALSE);
    g_systemTheme.Stop();
}

// After a load the library made on its own: every top-level window of the thread hears of it
// and is painted again in the new skin.
void ShowLoadedSkin(BOOL bDark)
{
    std::vector<HWND> windows = TopLevelWindows();
    // A host of the C interface that set a callback hears of it there instead.
    if (!g_HandleWindows.TellSkinChanged(bDark))
    {
        const UINT nSkinChanged = ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE);
        for (HWND hTopLevel : windows)
            if (nSkinChanged && ::IsWindow(hTopLevel))
                ::SendMessageW(hTopLevel, nSkinChanged, bDark ? 1 : 0, 0);
    }
    SetDarkTitleBars(windows, bDark);
    for (HWND hTopLevel : windows)
        if (::IsWindow(hTopLevel))
            ::RedrawWindow(hTopLevel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Loads the pair again when the look the user needs is no longer the loaded one: high contrast
// turned on or off (unless the host keeps its skin), or, in the system's look, the system's
// colours changed. Every top-level window hears the system's announcement; the first one that
// does reloads, and the others find the look already right.
bool FollowHighContrast()
{
    if (!g_bLoaded)
        return false;
    const BOOL bSystemLook = WantsSystemLook();
    if (bSystemLook == g_Registry.LeavesLookToSystem() &&
        (!bSystemLook || CHighContrast::SystemColoursStamp() == g_dwLoadedColours))
        return false;
    LoadDefinitions(g_strLoadedFirst, g_strLoadedSecond);
    ShowLoadedSkin(g_systemTheme.IsFollowing() && g_systemTheme.m_bDark);
    return true;
}

// The menu hook's report of a top-level window's message: the announcements of high contrast,
// and of the light or dark choice while the library follows it.
void OnTopLevelMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const BOOL bContrast = CHighContrast::MayHaveChanged(nMessage, wParam);
    if (!bContrast && !g_systemTheme.IsFollowing())
        return;
    OnHostThread(false, [=] {
        if (bContrast && FollowHighContrast())
            return true;
        if (!g_systemTheme.IsFollowing() || nMessage == WM_SYSCOLORCHANGE)
            return false;
        if (nMessage == WM_CREATE)
        {
            if (g_systemTheme.m_bDark)
                g_systemTheme.SetDarkTitleBar(hWnd, TRUE);
            return true;
        }
        // The system announces to every top-level window; the first one that hears it switches.
        const BOOL bDark = CSystemTheme::UserChoosesDark();
        if (!CSystemTheme::AnnouncesColourSet(lParam) || bDark == g_systemTheme.m_bDark)
            return false;
        g_systemTheme.m_bDark = bDark;
        LoadDefinitions(g_systemTheme.First(bDark), g_systemTheme.Second(bDark));
        ShowLoadedSkin(bDark);
        return true;
    });
}

// A watched file changed and settled: the pair loads again unless a definition does not parse.
void ReloadWatchedSkin()
{
    CString strBroken;
    const bool bReloaded = OnHostThread(false, [&] {
        if (!CSkinReloadWatch::DefinitionsReadable(g_strAppFolder, g_strLoadedFirst, g_strLoadedSecond, strBroken))
            return false;
        LoadDefinitions(g_strLoadedFirst, g_strLoadedSecond);
        ShowLoadedSkin(g_systemTheme.IsFollowing() && g_systemTheme.m_bDark);
        return true;
    });
    // Told outside the library's own work, so the host may call it back.
    if (g_pfnWatchReport && (bReloaded || !strBroken.IsEmpty()))
        g_pfnWatchReport(bReloaded, bReloaded ? NULL : (const wchar_t*)strBroken, g_pWatchContext);
}

} // namespace

bool InitSkin()
{
    return OnHostThread(false, [] {
        if (!g_HostThread.Adopt())
            return true;
        if (!g_gdiplusToken)
        {
            Gdiplus::GdiplusStartupInput input;
            if (Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, NULL) != Gdiplus::Ok)
                g_gdiplusToken = 0;
            SetGdiplusRunning(g_gdiplusToken != 0);
        }
        g_MenuSkinner.Initialize();
        CMenuSkinner::SetTopLevelObserver(OnTopLevelMessage);
        return true;
    });
}

bool UnInitSkin()
{
    return OnHostThread(false, [] {
        StopFollowingSystem();
        CMenuSkinner::SetTopLevelObserver(NULL);
        g_bLoaded = false;
        g_bKeepSkinInHighContrast = false;
        g_Registry.SetSystemLook(FALSE);
        g_Theme.GiveBackKeptColours();
        g_reloadWatch.Stop();
        g_pfnWatchReport = NULL;
        g_ThreadSkinner.SetCallback(NULL, NULL);
        g_Skin.ReleaseThread();
        SetGdiplusRunning(false);
        if (g_gdiplusToken)
            Gdiplus::GdiplusShutdown(g_gdiplusToken);
        g_gdiplusToken = 0;
        g_HostThread.Disown();
        return true;
    });
}

bool LoadSkin(CString strFirst, CString strSecond)
{
    return OnHostThread(false, [&] {
        StopFollowingSystem();
        LoadDefinitions(strFirst, strSecond);
        return true;
    });
}

bool LoadSkinForSystemTheme(CString strLightFirst, CString strLightSecond, CString strDarkFirst, CString strDarkSecond)
{
    return OnHostThread(false, [&] {
        StopFollowingSystem();
        g_systemTheme.Follow(strLightFirst, strLightSecond, strDarkFirst, strDarkSecond);
        g_systemTheme.m_bDark = CSystemTheme::UserChoosesDark();
        LoadDefinitions(g_systemTheme.First(g_systemTheme.m_bDark), g_systemTheme.Second(g_systemTheme.m_bDark));
        if (g_systemTheme.m_bDark)
            SetDarkTitleBars(TopLevelWindows(), TRUE);
        return true;
    });
}

bool KeepSkinInHighContrast(bool bKeep)
{
    return OnHostThread(false, [=] {
        g_bKeepSkinInHighContrast = bKeep;
        FollowHighContrast();
        return true;
    });
}

bool SkinThread(unsigned int nFlags)
{
    return OnHostThread(false, [=] { return g_HostThread.IsOwned() && g_ThreadSkinner.Start(nFlags) == KORVOSKIN_OK; });
}

CString GetSkinString(UINT nID)
{
    return OnHostThread(CString(), [=] {
        CString strOut;
        g_Registry.GetString(nID, strOut);
        return strOut;
    });
}

CMenu* GetSkinMenu(const wchar_t* pszName)
{
    return OnHostThread((CMenu*)NULL, [=] { return g_Registry.GetMenu(pszName); });
}

HBITMAP GetSkinWatermark(const wchar_t* pszName)
{
    return OnHostThread((HBITMAP)NULL, [=] { return g_Registry.GetWatermark(pszName); });
}

bool OnSkinMeasureItem(int, MEASUREITEMSTRUCT* lpMeasureItemStruct)
{
    return OnHostThread(false, [=] {
        if (!lpMeasureItemStruct || lpMeasureItemStruct->CtlType != ODT_MENU)
            return false;
        g_MenuSkinner.MeasureItem(lpMeasureItemStruct);
        return true;
    });
}

bool OnSkinDrawItem(int, DRAWITEMSTRUCT* lpDrawItemStruct)
{
    return OnHostThread(false, [=] {
        if (!lpDrawItemStruct || lpDrawItemStruct->CtlType != ODT_MENU)
            return false;
        g_MenuSkinner.DrawItem(lpDrawItemStruct);
        return true;
    });
}

bool OnSkinInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL, CCmdTarget* pTarget)
{
    return OnHostThread(false, [=] {
        g_MenuSkinner.UpdateMenuPopup(pPopupMenu, pTarget);
        return true;
    });
}

bool CreateSkinToolBar(const wchar_t* pszName, CCoolBarCtrl* pBar)
{
    return OnHostThread(false, [=] {
        if (!pszName || !pBar)
            return false;
        return CCoolBarTemplateFill::Fill(*pBar, g_Registry.GetToolbar(pszName), CCoolBarTheme::GetWatermarks(),
                                          CCoolBarTheme::GetImageGeneration());
    });
}

UINT TrackSkinPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd)
{
    return OnHostThread(0u, [&] { return g_Registry.TrackPopupMenu(pszName, point, nDefaultItem, nFlags, pWnd); });
}

unsigned long GetDialogBkColor()
{
    // Black before a load, as every colour the host asks for here.
    return OnHostThread(0ul, [] { return g_Theme.IsDialogBackLoaded() ? (unsigned long)g_Theme.DialogBackColour() : 0ul; });
}

unsigned long GetMsgDialogBorderColor()
{
    return OnHostThread(0ul, [] { return (unsigned long)g_Theme.Colour(SkinColour::MsgBorder); });
}

unsigned long GetMsgDialogBackColor()
{
    return OnHostThread(0ul, [] { return (unsigned long)g_Theme.Colour(SkinColour::MsgBack); });
}

unsigned long GetCardBackColor()
{
    return OnHostThread(0ul, [] { return (unsigned long)g_Theme.Colour(SkinColour::CardBack); });
}

bool WatchSkin(bool bWatch, void (*pfnReport)(bool bReloaded, const wchar_t* pszFile, void* pContext), void* pContext)
{
    return OnHostThread(false, [=] {
        g_reloadWatch.Stop();
        g_pfnWatchReport = bWatch ? pfnReport : NULL;
        g_pWatchContext = pContext;
        if (!bWatch)
            return true;
        // The folder holding the base definition and the pair's files, and everything under it.
        CString strFolder = CSkinReloadWatch::CommonFolder(g_strAppFolder + L"Definitions\\Definitions.xml",
                                                           g_strAppFolder + g_strLoadedSecond);
        if (!g_strLoadedFirst.IsEmpty())
            strFolder = CSkinReloadWatch::CommonFolder(strFolder, g_strAppFolder + g_strLoadedFirst);
        return g_reloadWatch.Start(strFolder, ReloadWatchedSkin) != FALSE;
    });
}
