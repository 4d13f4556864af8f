#include "CDialogColours.h"
#include "CWindowSkin.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"

HBRUSH CDialogColours::ForChild(CWnd* pDialog, CDC* pDC, CWnd* pChild, UINT nCtlColor, CWindowSkin* pSkin,
                                HBRUSH hDefault)
{
    if (nCtlColor != CTLCOLOR_DLG && nCtlColor != CTLCOLOR_STATIC)
        return hDefault;
    pDC->SetBkColor(m_registry.m_crDialogBack);
    if (nCtlColor == CTLCOLOR_DLG)
        return m_registry.m_brDialogBack;
    if (m_theme.m_crDialogText != NO_COLOUR)
        pDC->SetTextColor(m_theme.m_crDialogText);
    if (!pSkin || !m_theme.m_bTransparentLabels || !IsLabel(pChild))
        return m_registry.m_brDialogBack;

    // The text goes straight onto the background, which the control fills with the watermark
    // tiled as the dialog tiles it: from the dialog's client origin.
    pDC->SetBkMode(TRANSPARENT);
    HBRUSH hWatermark = pSkin->GetWatermarkBrush(pDialog);
    if (!hWatermark)
        return m_registry.m_brDialogBack;
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
