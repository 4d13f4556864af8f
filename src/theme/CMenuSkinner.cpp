// Menu items: converted to owner-drawn items, measured and painted through the theme.
#include "CMenuSkinner.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CGdiSelect.h"
#include <algorithm>

namespace
{
const int ITEM_HEIGHT = 25;
const int SEPARATOR_HEIGHT = 5;
const int NO_HOOK_EXTRA_HEIGHT = 1;
const int ITEM_EXTRA_WIDTH = 32;
const int SEPARATOR_WIDTH = 10;
const int TEXT_LEFT = 32;
const int TEXT_RIGHT_MARGIN = 2;
const int SHORTCUT_GAP = 8;
const int IMAGE_X = 8;
const int IMAGE_Y = 4;
const int CHECK_BOX_X = 2;
const int CHECK_BOX_WIDTH = 20;
// The box of the command image, at 96 DPI.
const int IMAGE_SIZE = 16;

// Whether a selected item was reached with the keyboard: the cursor is not over it. Asked only
// where the answer changes the look, since reading the cursor is a round trip to the window
// system on some platforms.
BOOL IsKeyboardSelection(HDC hDC, const CRect& rcItem)
{
    HWND hWnd = ::WindowFromDC(hDC);
    if (!hWnd)
        return FALSE;
    CRect rcScreen(rcItem);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&rcScreen, 2);
    POINT ptCursor;
    return ::GetCursorPos(&ptCursor) && !::PtInRect(&rcScreen, ptCursor);
}

// Sets every item's enabled, checked and text state through the target's update handlers.
void UpdateMenuItems(CCmdUI& state, HMENU hMenu, CCmdTarget* pTarget)
{
    int nCount = ::GetMenuItemCount(hMenu);
    state.m_nIndexMax = nCount > 0 ? (UINT)nCount : 0;
    for (UINT nIndex = 0; nIndex < state.m_nIndexMax; nIndex++)
    {
        state.m_nIndex = nIndex;
        state.m_nID = ::GetMenuItemID(hMenu, (int)nIndex);
        state.m_pMenu = CMenu::FromHandle(hMenu);
        state.DoUpdate(pTarget, FALSE);
    }
}
}

CMenuSkinner::CMenuSkinner(CInterfaceTheme& theme)
    : m_mapText(10), m_bEnabled(TRUE), m_theme(theme), m_bServed(FALSE)
{
    m_mapText.InitHashTable(17);
}

CMenuSkinner::~CMenuSkinner()
{
    Release();
}

void CMenuSkinner::SetMenuWindow(HWND hOwner)
{
    SetMenuDpi(CWindowDpi::Of(hOwner));
}

void CMenuSkinner::SetMenuDpi(UINT nDpi)
{
    m_scale = CDpiScale(nDpi);
}

HFONT CMenuSkinner::MenuFont(BOOL bBold)
{
    // One DPI is kept: a thread's menus open for one window at a time.
    if (bBold)
        return m_fntScaledBold.Get((HFONT)m_theme.BoldFont().m_hObject, m_scale);
    return m_fntScaledNormal.Get((HFONT)m_theme.NormalFont().m_hObject, m_scale);
}

DWORD CMenuSkinner::ItemKey(HMENU hMenu, UINT nID)
{
    return ((DWORD)(UINT_PTR)hMenu << 16) | (nID & 0xFFFF);
}

BOOL CMenuSkinner::PrepareMenu(CMenu* pMenu)
{
    if (!m_bEnabled)
        return FALSE;
    HMENU hMenu = pMenu ? pMenu->m_hMenu : NULL;
    if (hMenu)
        m_conversion.Convert(hMenu, m_mapText);
    return TRUE;
}

void CMenuSkinner::UpdateMenuPopup(CMenu* pPopupMenu, CCmdTarget* pTarget)
{
    m_bServed = TRUE;
    PrepareMenu(pPopupMenu);
    HMENU hPopup = pPopupMenu ? pPopupMenu->m_hMenu : NULL;
    if (!hPopup)
        return;

    CCmdUI state;
    int nCount = ::GetMenuItemCount(hPopup);
    state.m_nIndexMax = nCount > 0 ? (UINT)nCount : 0;
    for (UINT nIndex = 0; nIndex < state.m_nIndexMax; nIndex++)
    {
        state.m_nIndex = nIndex;
        state.m_nID = ::GetMenuItemID(hPopup, (int)nIndex);
        HMENU hSubMenu = state.m_nID == (UINT)-1 ? ::GetSubMenu(hPopup, (int)nIndex) : NULL;
        if (hSubMenu)
        {
            // Only the level directly below the popup is updated here; deeper menus get their
            // own WM_INITMENUPOPUP when they open.
            CCmdUI subState;
            UpdateMenuItems(subState, hSubMenu, pTarget);
        }
        state.m_pMenu = pPopupMenu;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CMenuSkinner::MeasureItem(MEASUREITEMSTRUCT* pMIS)
{
    if (!pMIS)
        return;
    m_bServed = TRUE;
    CString strText;
    // Measured by the same rule painting uses, so a text item with command ID 0 is not
    // squeezed into a separator's height.
    if (pMIS->itemID == 0 && !m_mapText.Lookup((DWORD)pMIS->itemData, strText))
    {
        pMIS->itemWidth = (UINT)m_scale.Scale(SEPARATOR_WIDTH);
        pMIS->itemHeight = (UINT)m_scale.Scale(SEPARATOR_HEIGHT);
    }
    else
    {
        m_mapText.Lookup((DWORD)pMIS->itemData, strText);
        SIZE size = { 0, 0 };
        // A DC compatible with the screen measures as the screen does; one is kept for all
        // items, as fetching the screen's own costs a round trip per item on some systems.
        if (m_dcMeasure.m_hDC || m_dcMeasure.CreateCompatibleDC(NULL))
        {
            CGdiSelect font(m_dcMeasure.m_hDC, MenuFont(FALSE));
            ::GetTextExtentPoint32W(m_dcMeasure.m_hDC, strText, strText.GetLength(), &size);
        }
        pMIS->itemWidth = (UINT)(size.cx + m_scale.Scale(ITEM_EXTRA_WIDTH));
        pMIS->itemHeight = (UINT)m_scale.Scale(ITEM_HEIGHT);
    }
    if (!IsThreadHooked())
        pMIS->itemHeight += NO_HOOK_EXTRA_HEIGHT;
}

void CMenuSkinner::DrawItem(DRAWITEMSTRUCT* pDIS)
{
    if (!pDIS || !pDIS->hDC)
        return;
    m_bServed = TRUE;
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    CRect rcItem(pDIS->rcItem);
    // Nothing past the desktop's size can be seen: the item is composed only up to it.
    CSize szItem = CInterfaceTheme::ClipToBuffer(rcItem.Size());
    int nWidth = szItem.cx;
    int nHeight = szItem.cy;
    BOOL bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    BOOL bGrayed = (pDIS->itemState & ODS_GRAYED) != 0;
    BOOL bChecked = (pDIS->itemState & ODS_CHECKED) != 0;
    BOOL bDefault = (pDIS->itemState & ODS_DEFAULT) != 0;

    // While the menu renders itself through WM_PRINT each item owns one more row.
    CRect rcLocal(0, 0, nWidth, nHeight);
    int nExtra = 1;
    if (IsThreadHooked())
    {
        rcLocal.bottom += g_bMenuPrinting;
        nExtra = g_bMenuPrinting;
    }
    int nBottom = rcLocal.bottom;
    const CDpiScale& s = m_scale;
    CRect rcText(s.Scale(TEXT_LEFT), 0, nWidth - s.Scale(TEXT_RIGHT_MARGIN), nBottom);

    CDC* pBuffer = m_theme.GetBufferDC(pDC, CSize(nWidth, nBottom));
    if (!pBuffer)
        return;
    pBuffer->FillSolidRect(&rcLocal, m_theme.Colour(SkinColour::MenuBack));

    CString strText;
    if (!m_mapText.Lookup((DWORD)pDIS->itemData, strText))
    {
        pBuffer->FillSolidRect(s.Scale(TEXT_LEFT), s.Scale(1), nWidth - s.Scale(TEXT_LEFT), s.Scale(1), m_theme.Colour(SkinColour::Disabled));
    }
    else
    {
        if (bSelected && !bGrayed)
        {
            CBrush brHover(m_theme.Colour(SkinColour::MenuHover));
            CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
            CBrush* pOldBrush = pBuffer->SelectObject(&brHover);
            CPen* pOldPen = pBuffer->SelectObject(&penWhite);
            pBuffer->RoundRect(1, 1, nWidth - 1, nBottom - nExtra - 1, s.Scale(3), s.Scale(3));
            pBuffer->SelectObject(pOldBrush);
            pBuffer->SelectObject(pOldPen);
            pBuffer->SetBkColor(m_theme.Colour(SkinColour::BackSel));
        }
        else if (bSelected)
        {
            if (IsKeyboardSelection(pDIS->hDC, rcItem))
            {
                pBuffer->Draw3dRect(1, 1, nWidth - 2, nBottom - nExtra - 1, m_theme.Colour(SkinColour::Border), m_theme.Colour(SkinColour::Border));
                pBuffer->FillSolidRect(2, 2, nWidth - 4, nBottom - nExtra - 3, m_theme.Colour(SkinColour::BackNormal));
                pBuffer->SetBkColor(m_theme.Colour(SkinColour::BackNormal));
            }
        }
        else
            pBuffer->SetBkColor(m_theme.Colour(SkinColour::BackNormal));

        if (bChecked)
        {
            // The fill keeps to just inside the one-pixel border at every DPI.
            const int nBox = s.Scale(CHECK_BOX_X), cxBox = s.Scale(CHECK_BOX_WIDTH), cyBox = nBottom - nExtra - 1 - nBox;
            pBuffer->Draw3dRect(nBox, nBox, cxBox, cyBox, m_theme.Colour(SkinColour::Border), m_theme.Colour(SkinColour::Border));
            pBuffer->FillSolidRect(nBox + 1, nBox + 1, cxBox - 2, cyBox - 2,
                                   bSelected && !bGrayed ? m_theme.Colour(SkinColour::BackCheckSel) : m_theme.Colour(SkinColour::BackCheck));
        }

        // The image is as large as the DPI asks, centred in the box its 16 pixels take scaled.
        const int nPixels = CInterfaceTheme::ImagePixelsForDpi(s.GetDpi());
        CInterfaceTheme::SIZED_IMAGE image;
        if (m_theme.GetSizedImage(pDIS->itemID, nPixels, image) ||
            (bChecked && m_theme.GetSizedImage(ID_DEFAULT_CHECK_MARK, nPixels, image)))
        {
            const int xImage = s.Scale(IMAGE_X) + (s.Scale(IMAGE_SIZE) - image.nPixels) / 2;
            const int yImage = s.Scale(IMAGE_Y) + (s.Scale(IMAGE_SIZE) - image.nPixels) / 2;
            if (bGrayed)
                ImageList_DrawEx(image.hList, image.nImage, pBuffer->m_hDC, xImage, yImage, 0, 0, CLR_NONE,
                                 m_theme.Colour(SkinColour::Disabled), ILD_BLEND50);
            else
                m_theme.DrawSizedImage(image, pBuffer, xImage, yImage);
        }

        // Before the first skin load the theme has no fonts yet; the buffer's own font serves.
        CGdiSelect font(pBuffer->m_hDC, MenuFont(bDefault && !bGrayed));
        pBuffer->SetBkMode(TRANSPARENT);
        pBuffer->SetTextColor(m_theme.GetMenuTextColour(bSelected, bGrayed));
        DrawItemText(pBuffer, rcText, strText);
    }

    CSize szCopy = CInterfaceTheme::ClipToBuffer(CSize(nWidth, nBottom));
    pDC->BitBlt(rcItem.left, rcItem.top, szCopy.cx, szCopy.cy, pBuffer, 0, 0, SRCCOPY);
}

void CMenuSkinner::DrawItemText(CDC* pDC, CRect& rcText, const CString& strText)
{
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    int nTab = strText.Find(L'\t');
    if (nTab < 0)
    {
        pDC->DrawText(strText, &rcText, nFormat);
        return;
    }
    const int nGap = m_scale.Scale(SHORTCUT_GAP);
    rcText.right -= nGap;
    pDC->DrawText(strText.Left(nTab), &rcText, nFormat);
    pDC->DrawText(strText.Mid(nTab + 1), &rcText, nFormat | DT_RIGHT);
    rcText.right += nGap;
}
