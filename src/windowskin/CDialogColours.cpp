#include "CDialogColours.h"
#include "CGroupBoxPaint.h"
#include "CWindowSkin.h"
#include "../theme/CInterfaceTheme.h"

namespace
{
BOOL IsClass(HWND hWnd, LPCWSTR pszClass)
{
    wchar_t szClass[16] = L"";
    return hWnd && ::GetClassNameW(hWnd, szClass, 16) && ::lstrcmpiW(szClass, pszClass) == 0;
}

// A combo box, or the edit inside one, or its drop-down list (whose owner is the combo box).
BOOL IsOfCombo(HWND hWnd)
{
    return IsClass(hWnd, L"ComboBox") || IsClass(hWnd, L"ComboLBox") || IsClass(::GetParent(hWnd), L"ComboBox");
}
}

BOOL CDialogColours::PartOf(CWnd* pChild, UINT nCtlColor, ControlPart& part)
{
    HWND hChild = pChild ? pChild->m_hWnd : NULL;
    if (!hChild)
        return FALSE;
    switch (nCtlColor)
    {
    case CTLCOLOR_EDIT:
        part = IsOfCombo(hChild) ? ControlPart::Combo : ControlPart::Edit;
        return TRUE;
    case CTLCOLOR_LISTBOX:
        part = IsOfCombo(hChild) ? ControlPart::ComboList : ControlPart::List;
        return TRUE;
    case CTLCOLOR_SCROLLBAR:
        part = ControlPart::ScrollBar;
        return TRUE;
    case CTLCOLOR_STATIC:
        // Edits and combo boxes ask for static colours when read-only or disabled.
        if (IsOfCombo(hChild))
            part = ControlPart::ComboDisabled;
        else if (IsClass(hChild, L"Edit"))
            part = ::IsWindowEnabled(hChild) ? ControlPart::EditReadOnly : ControlPart::EditDisabled;
        else if (IsClass(hChild, L"Button") && (::GetWindowLongW(hChild, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            part = ControlPart::GroupBox;
        else
            return FALSE;
        return TRUE;
    default:
        return FALSE;
    }
}

HBRUSH CDialogColours::ForChild(CWnd* pDialog, CDC* pDC, CWnd* pChild, UINT nCtlColor, CWindowSkin* pSkin,
                                CWindowSkinState* pState, HBRUSH hDefault)
{
    ControlPart part;
    if (PartOf(pChild, nCtlColor, part))
    {
        if (part == ControlPart::GroupBox)
            CGroupBoxPaint::Follow(pChild->m_hWnd, m_theme);
        // A part the skin leaves alone answers as it did without the skin's control colours.
        CONTROL_COLOURS colours = m_theme.ControlColours(part);
        if (nCtlColor != CTLCOLOR_STATIC && !colours.IsSet())
            return hDefault;
        if (nCtlColor != CTLCOLOR_STATIC || colours.crBack != NO_COLOUR)
        {
            if (colours.crText != NO_COLOUR)
                pDC->SetTextColor(colours.crText);
            if (colours.crBack == NO_COLOUR)
                return hDefault;
            pDC->SetBkColor(colours.crBack);
            HBRUSH hBrush = m_theme.SolidBrush(colours.crBack);
            return hBrush ? hBrush : hDefault;
        }
        // A static part without a paper of its own is on the dialog background, as a label.
        if (colours.crText != NO_COLOUR)
        {
            HBRUSH hBrush = ForLabel(pDialog, pDC, pChild, pSkin, pState);
            pDC->SetTextColor(colours.crText);
            return hBrush;
        }
    }
    if (nCtlColor != CTLCOLOR_DLG && nCtlColor != CTLCOLOR_STATIC)
        return hDefault;
    if (nCtlColor == CTLCOLOR_DLG)
    {
        pDC->SetBkColor(m_theme.DialogBackColour());
        return m_theme.DialogBackBrush();
    }
    return ForLabel(pDialog, pDC, pChild, pSkin, pState);
}

BOOL CDialogColours::EraseBackground(CWnd* pDialog, CDC* pDC) const
{
    CRect rcClient;
    pDialog->GetClientRect(&rcClient);
    ::FillRect(pDC->m_hDC, &rcClient, m_theme.DialogBackBrush());
    return TRUE;
}

HBRUSH CDialogColours::ForLabel(CWnd* pDialog, CDC* pDC, CWnd* pChild, CWindowSkin* pSkin, CWindowSkinState* pState)
{
    pDC->SetBkColor(m_theme.DialogBackColour());
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
    return pChild && (IsClass(pChild->m_hWnd, L"Static") || IsClass(pChild->m_hWnd, L"Button"));
}
