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
