#include <KorvoSkin/SkinApi.h>
#include "HostGuard.h"
#include "CHandleWindows.h"
#include "CSkinSet.h"
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
CSkinReloadWatch g_reloadWatch;
void (*g_pfnWatchReport)(bool bReloaded, const wchar_t* pszFile, void* pContext) = NULL;
void* g_pWatchContext = NULL;
CSystemTheme g_systemTheme;

void StopFollowingSystem()
{
    if (!g_systemTheme.IsFollowing())
        return;
    if (g_systemTheme.m_bDark)
        CSystemTheme::SetDarkTitleBars(CSkinSet::ThreadWindows(), FALSE);
    g_systemTheme.Stop();
}

BOOL ShowsDark()
{
    return g_systemTheme.IsFollowing() && g_systemTheme.m_bDark;
}

// The menu hook's report of a top-level window's message: the announcements of high contrast,
// and of the light or dark choice while the library follows it.
void OnTopLevelMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const BOOL bContrast = CHighContrast::MayHaveChanged(nMessage, wParam);
    if (!bContrast && !g_systemTheme.IsFollowing())
        return;
    OnHostThread(false, [=] {
        if (bContrast && g_Skin.FollowHighContrast(ShowsDark()))
            return true;
        if (!g_systemTheme.IsFollowing() || nMessage == WM_SYSCOLORCHANGE)
            return false;
        if (nMessage == WM_CREATE)
        {
            if (g_systemTheme.m_bDark)
                CSystemTheme::SetDarkTitleBar(hWnd, TRUE);
            return true;
        }
        // The system announces to every top-level window; the first one that hears it switches.
        const BOOL bDark = CSystemTheme::UserChoosesDark();
        if (!CSystemTheme::AnnouncesColourSet(lParam) || bDark == g_systemTheme.m_bDark)
            return false;
        g_systemTheme.m_bDark = bDark;
        g_Skin.Load(g_strAppFolder, g_systemTheme.First(bDark), g_systemTheme.Second(bDark));
        g_Skin.ShowLoaded(bDark);
        return true;
    });
}

// A watched file changed and settled: the pair loads again unless a definition does not parse.
void ReloadWatchedSkin()
{
    CString strBroken;
    const bool bReloaded = OnHostThread(false, [&] {
        if (!CSkinReloadWatch::DefinitionsReadable(g_strAppFolder, g_Skin.LoadedFirst(), g_Skin.LoadedSecond(), strBroken))
            return false;
        g_Skin.Load(g_strAppFolder, g_Skin.LoadedFirst(), g_Skin.LoadedSecond());
        g_Skin.ShowLoaded(ShowsDark());
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
        g_Skin.Load(g_strAppFolder, strFirst, strSecond);
        return true;
    });
}

bool LoadSkinForSystemTheme(CString strLightFirst, CString strLightSecond, CString strDarkFirst, CString strDarkSecond)
{
    return OnHostThread(false, [&] {
        StopFollowingSystem();
        g_systemTheme.Follow(strLightFirst, strLightSecond, strDarkFirst, strDarkSecond);
        g_systemTheme.m_bDark = CSystemTheme::UserChoosesDark();
        g_Skin.Load(g_strAppFolder, g_systemTheme.First(g_systemTheme.m_bDark), g_systemTheme.Second(g_systemTheme.m_bDark));
        if (g_systemTheme.m_bDark)
            CSystemTheme::SetDarkTitleBars(CSkinSet::ThreadWindows(), TRUE);
        return true;
    });
}

bool KeepSkinInHighContrast(bool bKeep)
{
    return OnHostThread(false, [=] {
        g_Skin.KeepSkinInHighContrast(bKeep);
        g_Skin.FollowHighContrast(ShowsDark());
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
                                                           g_strAppFolder + g_Skin.LoadedSecond());
        if (!g_Skin.LoadedFirst().IsEmpty())
            strFolder = CSkinReloadWatch::CommonFolder(strFolder, g_strAppFolder + g_Skin.LoadedFirst());
        return g_reloadWatch.Start(strFolder, ReloadWatchedSkin) != FALSE;
    });
}
