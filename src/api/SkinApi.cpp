#include "SkinApi.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include <KorvoSkin/CCoolBarCtrl.h>
#include <gdiplus.h>

static ULONG_PTR g_gdiplusToken = 0;

bool InitSkin()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, NULL);
    g_MenuSkinner.Initialize();
    return true;
}

bool UnInitSkin()
{
    g_MenuSkinner.Release();
    g_Registry.Clear();
    if (g_gdiplusToken)
        Gdiplus::GdiplusShutdown(g_gdiplusToken);
    g_gdiplusToken = 0;
    return true;
}

bool LoadSkin(CString strFirst, CString strSecond)
{
    g_Registry.Load(strFirst, strSecond);
    return true;
}

CString GetSkinString(UINT nID)
{
    CString strOut;
    g_Registry.GetString(nID, strOut);
    return strOut;
}

CMenu* GetSkinMenu(const wchar_t* pszName)
{
    return g_Registry.GetMenu(pszName);
}

HBITMAP GetSkinWatermark(const wchar_t* pszName)
{
    return g_Registry.GetWatermark(pszName);
}

bool OnSkinMeasureItem(int, MEASUREITEMSTRUCT* lpMeasureItemStruct)
{
    if (!lpMeasureItemStruct || lpMeasureItemStruct->CtlType != ODT_MENU)
        return false;
    g_MenuSkinner.MeasureItem(lpMeasureItemStruct);
    return true;
}

bool OnSkinDrawItem(int, DRAWITEMSTRUCT* lpDrawItemStruct)
{
    if (!lpDrawItemStruct || lpDrawItemStruct->CtlType != ODT_MENU)
        return false;
    g_MenuSkinner.DrawItem(lpDrawItemStruct);
    return true;
}

bool OnSkinInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL, CCmdTarget* pTarget)
{
    g_MenuSkinner.UpdateMenuPopup(pPopupMenu, pTarget);
    return true;
}

bool CreateSkinToolBar(const wchar_t* pszName, CCoolBarCtrl* pBar)
{
    if (!pszName || !pBar)
        return false;
    // Controls the host placed on the bar belong to its previous content.
    if (HWND hBar = pBar->GetSafeHwnd())
        for (HWND hChild = ::GetWindow(hBar, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ::ShowWindow(hChild, SW_HIDE);
    pBar->Clear();
    const CSkinToolbarTemplate* pTemplate = g_Registry.GetToolbar(pszName);
    if (!pTemplate)
        return false;
    for (const SKIN_TOOLBAR_BUTTON& button : pTemplate->m_buttons)
    {
        CCoolBarItem* pItem = pBar->Add(button.nID, button.strName, button.nSize, button.strTip, -1);
        pItem->Show(button.bVisible);
        pItem->LoadSkinImages();
    }
    pBar->SetAlignVert(pTemplate->m_bVertical);
    return true;
}

UINT TrackSkinPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd)
{
    return g_Registry.TrackPopupMenu(pszName, point, nDefaultItem, nFlags, pWnd);
}

unsigned long GetDialogBkColor()
{
    return g_Registry.m_crDialogBack;
}

unsigned long GetMsgDialogBorderColor()
{
    return g_Theme.m_crMsgBorder;
}

unsigned long GetMsgDialogBackColor()
{
    return g_Theme.m_crMsgBack;
}

unsigned long GetCardBackColor()
{
    return g_Theme.m_crCardBack;
}
