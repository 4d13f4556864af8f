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
    POSITION pos = Registry().m_mapMenus.GetStartPosition();
    while (strText.IsEmpty() && pos)
    {
        CString strName;
        CMenu* pMenu = NULL;
        Registry().m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        if (pMenu)
            strText = CommandTextIn(pMenu->m_hMenu, nID);
    }
    return strText;
}

CString CCoolBarTheme::GetMenuName(HMENU hMenu)
{
    POSITION pos = Registry().m_mapMenus.GetStartPosition();
    while (hMenu && pos)
    {
        CString strName;
        CMenu* pMenu = NULL;
        Registry().m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        if (pMenu && pMenu->m_hMenu == hMenu)
            return strName;
    }
    return CString();
}

CString CCoolBarTheme::GetToolbarName(const CSkinToolbarTemplate* pTemplate)
{
    POSITION pos = Registry().m_mapToolbars.GetStartPosition();
    while (pTemplate && pos)
    {
        CString strName;
        CSkinToolbarTemplate* pEntry = NULL;
        Registry().m_mapToolbars.GetNextAssoc(pos, strName, pEntry);
        if (pEntry == pTemplate)
            return strName;
    }
    return CString();
}
