#include "CCoolBarTheme.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"

CCoolBarTheme::WatermarkLookup CCoolBarTheme::GetWatermarks()
{
    return [](const wchar_t* pszName) {
        WATERMARK watermark;
        watermark.pImage = g_Registry.GetWatermarkImage(pszName);
        watermark.bGrid = watermark.pImage && g_Registry.GetWatermarkGrid(pszName, watermark.rcGrid);
        return watermark;
    };
}

unsigned CCoolBarTheme::GetImageGeneration()
{
    return g_Theme.m_images.GetGeneration();
}

HBRUSH CCoolBarTheme::GetDialogBrush()
{
    return (HBRUSH)g_Registry.m_brDialogBack.m_hObject;
}

COLORREF CCoolBarTheme::GetDialogColour()
{
    return g_Registry.m_crDialogBack;
}

COLORREF CCoolBarTheme::GetControlBackColour()
{
    return g_Theme.m_crMidtone;
}

HFONT CCoolBarTheme::GetCaptionFont()
{
    return (HFONT)g_Theme.m_fntNormal.m_hObject;
}

COLORREF CCoolBarTheme::GetMenuBackColour()
{
    return g_Theme.m_crMenuBack;
}

COLORREF CCoolBarTheme::GetMenuBorderColour()
{
    return g_Theme.m_crMenuBorder;
}

COLORREF CCoolBarTheme::GetMenuHoverColour()
{
    return g_Theme.m_crMenuHover;
}

COLORREF CCoolBarTheme::GetMenuTextColour(bool bHighlighted)
{
    return g_Theme.GetMenuTextColour(bHighlighted, FALSE);
}

void CCoolBarTheme::BeginMenuTracking(HMENU hMenu, const CRect& rcButton)
{
    SetMenuAttach(rcButton);
    g_Registry.BeginMenuTracking(hMenu);
}

BOOL CCoolBarTheme::EndMenuTracking()
{
    return g_Registry.EndMenuTracking();
}

void CCoolBarTheme::SetMenuAttach(const CRect& rcButton)
{
    CMenuSkinner::SetMenuAttach(rcButton.left, rcButton.bottom, rcButton.Width());
}

namespace
{
// The text of command nID anywhere in hMenu, its submenus included.
CString CommandTextIn(HMENU hMenu, UINT nID)
{
    wchar_t szText[256] = L"";
    return hMenu && ::GetMenuStringW(hMenu, nID, szText, _countof(szText), MF_BYCOMMAND) > 0 ? CString(szText)
                                                                                             : CString();
}
}

CString CCoolBarTheme::GetCommandText(UINT nID, HWND hWndTop)
{
    if (!nID)
        return CString();
    // A child window's "menu" is its ID.
    CString strText = hWndTop && !(::GetWindowLongW(hWndTop, GWL_STYLE) & WS_CHILD)
                          ? CommandTextIn(::GetMenu(hWndTop), nID)
                          : CString();
    POSITION pos = g_Registry.m_mapMenus.GetStartPosition();
    while (strText.IsEmpty() && pos)
    {
        CString strName;
        CMenu* pMenu = NULL;
        g_Registry.m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        if (pMenu)
            strText = CommandTextIn(pMenu->m_hMenu, nID);
    }
    return strText;
}

CString CCoolBarTheme::GetMenuName(HMENU hMenu)
{
    POSITION pos = g_Registry.m_mapMenus.GetStartPosition();
    while (hMenu && pos)
    {
        CString strName;
        CMenu* pMenu = NULL;
        g_Registry.m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        if (pMenu && pMenu->m_hMenu == hMenu)
            return strName;
    }
    return CString();
}

CString CCoolBarTheme::GetToolbarName(const CSkinToolbarTemplate* pTemplate)
{
    POSITION pos = g_Registry.m_mapToolbars.GetStartPosition();
    while (pTemplate && pos)
    {
        CString strName;
        CSkinToolbarTemplate* pEntry = NULL;
        g_Registry.m_mapToolbars.GetNextAssoc(pos, strName, pEntry);
        if (pEntry == pTemplate)
            return strName;
    }
    return CString();
}
