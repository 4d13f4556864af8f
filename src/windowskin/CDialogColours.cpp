#include "CDialogColours.h"
#include "CWindowSkin.h"
#include "../theme/CInterfaceTheme.h"

HBRUSH CDialogColours::ForChild(CWnd* pDialog, CDC* pDC, CWnd* pChild, UINT nCtlColor, CWindowSkin* pSkin,
                                CWindowSkinState* pState, HBRUSH hDefault)
{
    if (nCtlColor != CTLCOLOR_DLG && nCtlColor != CTLCOLOR_STATIC)
        return hDefault;
    pDC->SetBkColor(m_theme.DialogBackColour());
    if (nCtlColor == CTLCOLOR_DLG)
        return m_theme.DialogBackBrush();
    if (m_theme.Colour(SkinColour::DialogText) != NO_COLOUR)
        pDC->SetTextColor(m_theme.Colour(SkinColour::DialogText));
    if (!pSkin || !pState || !m_theme.TransparentLabels() || !IsLabel(pChild))
        return m_theme.DialogBackBrush();

    // The text goes straight onto the background, which the control fills with the watermark
    // tiled as the dialog tiles it: from the dialog's client origin.
    pDC->SetBkMode(TRANSPARENT);
    HBRUSH hWatermark = pSkin->GetWatermarkBrush(pDialog, *pState);
    if (!hWatermark)
        return m_theme.DialogBackBrush();
    CRect rcChild;
    pChild->GetWindowRect(&rcChild);
    pDialog->ScreenToClient(&rcChild);
    ::SetBrushOrgEx(pDC->m_hDC, -rcChild.left, -rcChild.top, NULL);
    return hWatermark;
}

BOOL CDialogColours::IsLabel(CWnd* pChild)
{
    wchar_t szClass[16] = L"";
    if (!pChild || !::GetClassNameW(pChild->m_hWnd, szClass, 16))
        return FALSE;
    return ::lstrcmpiW(szClass, L"Static") == 0 || ::lstrcmpiW(szClass, L"Button") == 0;
}
