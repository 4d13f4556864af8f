#include "CCoolBarTheme.h"
#include "../skin/CSkinContext.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"

namespace
{
CSkinRegistry& Registry()
{
    return CSkinContext::Default().Registry();
}

const CInterfaceTheme& Theme()
{
    return CSkinContext::Default().Theme();
}
}

CCoolBarTheme::WatermarkLookup CCoolBarTheme::GetWatermarks()
{
    return [](const wchar_t* pszName) {
        WATERMARK watermark;
        watermark.pImage = Registry().GetWatermarkImage(pszName);
        watermark.bGrid = watermark.pImage && Registry().GetWatermarkGrid(pszName, watermark.rcGrid);
        return watermark;
    };
}

unsigned CCoolBarTheme::GetImageGeneration()
{
    return Theme().Images().GetGeneration();
}

HBRUSH CCoolBarTheme::GetDialogBrush()
{
    return Theme().DialogBackBrush();
}

COLORREF CCoolBarTheme::GetDialogColour()
{
    return Theme().DialogBackColour();
}

COLORREF CCoolBarTheme::GetControlBackColour()
{
    return Theme().Colour(SkinColour::Midtone);
}

HFONT CCoolBarTheme::GetCaptionFont()
{
    return (HFONT)Theme().NormalFont().m_hObject;
}

COLORREF CCoolBarTheme::GetMenuBackColour()
{
    return Theme().Colour(SkinColour::MenuBack);
}

COLORREF CCoolBarTheme::GetMenuBorderColour()
{
    return Theme().Colour(SkinColour::MenuBorder);
}

COLORREF CCoolBarTheme::GetMenuHoverColour()
{
    return Theme().Colour(SkinColour::MenuHover);
}

COLORREF CCoolBarTheme::GetMenuTextColour(bool bHighlighted)
{
    return Theme().GetMenuTextColour(bHighlighted, FALSE);
}

void CCoolBarTheme::BeginMenuTracking(HMENU hMenu, const CRect& rcButton)
{
    SetMenuAttach(rcButton);
    Registry().BeginMenuTracking(hMenu);
}

BOOL CCoolBarTheme::EndMenuTracking()
{
    return Registry().EndMenuTracking();
}

void CCoolBarTheme::SetMenuAttach(const CRect& rcButton)
{
    CMenuSkinner::SetMenuAttach(rcButton.left, rcButton.bottom, rcButton.Width());
}
