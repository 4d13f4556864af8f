#include "CIconButtonLook.h"
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CWindowDpi.h"
#include "ControlTheme.h"

namespace
{
const int ICON_SIZE = 16;
// The column the icon takes left of the caption.
const int ICON_COLUMN = 21;
}

CIconButtonLook::CIconButtonLook() : m_nCmdID(0), m_nScaledPixels(0), m_hCursor(NULL), m_bLeftAlign(false)
{
    m_imlIcon.Create(ICON_SIZE, ICON_SIZE, ILC_COLOR32 | ILC_MASK, 1, 0);
}

CIconButtonLook::~CIconButtonLook()
{
    m_imlIcon.DeleteImageList();
    m_imlScaled.DeleteImageList();
}

void CIconButtonLook::ReplaceIcon(HICON hIcon, UINT nCmdID)
{
    if (m_imlIcon.GetImageCount() > 0)
        m_imlIcon.Remove(0);
    m_imlIcon.Replace(-1, hIcon);
    m_nCmdID = nCmdID;
    m_imlScaled.DeleteImageList();
    m_nScaledPixels = 0;
}

HIMAGELIST CIconButtonLook::IconList(int nPixels, int& nSide)
{
    nSide = ICON_SIZE;
    if (nPixels == ICON_SIZE || m_imlIcon.GetImageCount() != 1)
        return m_imlIcon.m_hImageList;
    if (m_nScaledPixels != nPixels)
    {
        m_imlScaled.DeleteImageList();
        m_nScaledPixels = nPixels;
        // A command's image as drawn for the size, else the icon enlarged by the list.
        HICON hIcon = m_nCmdID ? ControlTheme::CommandIconAt(m_nCmdID, nPixels) : NULL;
        if (!hIcon)
            hIcon = ImageList_GetIcon(m_imlIcon.m_hImageList, 0, ILD_NORMAL);
        if (hIcon && m_imlScaled.Create(nPixels, nPixels, ILC_COLOR32 | ILC_MASK, 1, 0))
            m_imlScaled.Replace(-1, hIcon);
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
    if (!m_imlScaled.m_hImageList || m_imlScaled.GetImageCount() != 1)
        return m_imlIcon.m_hImageList;
    nSide = nPixels;
    return m_imlScaled.m_hImageList;
}

void CIconButtonLook::SetHandCursor(bool bHand)
{
    if (!bHand)
        m_hCursor = NULL;
    else if (!m_hCursor)
        m_hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
}

void CIconButtonLook::Paint(CWnd* pButton, const DRAWITEMSTRUCT& item)
{
    CDC dc;
    if (!dc.Attach(item.hDC))
        return;
    const CInterfaceTheme& theme = ControlTheme::Theme();
    CRect rc(item.rcItem);
    UINT nState = item.itemState;
    CString strText;
    pButton->GetWindowText(strText);
    BOOL bHasIcon = m_imlIcon.GetImageCount() == 1;

    // The icon's box and column follow the window's DPI; the icon is as large as menus draw
    // command images at it, centred in the box.
    const CDpiScale scale(CWindowDpi::Of(pButton->m_hWnd));
    const int nColumn = scale.Scale(ICON_COLUMN);
    int nIcon = ICON_SIZE;
    HIMAGELIST hIml = bHasIcon ? IconList(CInterfaceTheme::ImagePixelsForDpi(scale.GetDpi()), nIcon) : NULL;
    int y = (rc.top + rc.bottom) / 2 - nIcon / 2;
    int x = strText.IsEmpty() ? (rc.left + rc.right) / 2 - nIcon / 2
                              : rc.left + scale.Scale(3) + (scale.Scale(ICON_SIZE) - nIcon) / 2;

    COLORREF crFrame, crFill;
    if (IsHover() && (nState & ODS_SELECTED))
        crFrame = theme.Colour(SkinColour::Border), crFill = theme.Colour(SkinColour::BackCheckSel);
    else if (IsHover())
        crFrame = theme.Colour(SkinColour::Border), crFill = theme.Colour(SkinColour::BackSel);
    else if ((nState & ODS_FOCUS) && !(nState & ODS_DISABLED))
        crFrame = theme.Colour(SkinColour::Border), crFill = theme.Colour(SkinColour::BackNormal);
    else if (!(nState & ODS_DISABLED))
        crFrame = theme.Colour(SkinColour::SysShadow), crFill = theme.Colour(SkinColour::BackNormal);
    else
        crFrame = theme.Colour(SkinColour::SysShadow), crFill = theme.Colour(SkinColour::Midtone);

    dc.Draw3dRect(&rc, crFrame, crFrame);
    rc.InflateRect(-1, -1);
    if (bHasIcon)
    {
        if (IsHover() && !(nState & ODS_SELECTED))
        {
            // Lifted: the icon's mask in the shadow colour below and right of the icon.
            dc.FillSolidRect(x - 1, y - 1, nIcon + 2, 2, crFill);
            dc.FillSolidRect(x - 1, y + 1, 2, nIcon, crFill);
            dc.SetTextColor(theme.Colour(SkinColour::SysShadow));
            ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x + 1, y + 1, 0, 0, crFill, CLR_NONE, ILD_MASK);
            ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x - 1, y - 1, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
            dc.ExcludeClipRect(x - 1, y - 1, x + nIcon + 1, y + nIcon + 1);
        }
        else
        {
            if (nState & ODS_DISABLED)
                ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x, y, 0, 0, crFill, theme.Colour(SkinColour::Disabled), ILD_BLEND50);
            else
                ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x, y, 0, 0, crFill, CLR_NONE, ILD_NORMAL);
            dc.ExcludeClipRect(x, y, x + nIcon, y + nIcon);
        }
    }

    if (!strText.IsEmpty())
    {
        if (bHasIcon)
            rc.left += nColumn;
        CGdiSelect font(&dc, theme.NormalFont());
        // Measured and drawn with the mnemonic's "&" taken as a marker, as a push button's is.
        CRect rcText(0, 0, 0, 0);
        ::DrawTextW(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_CALCRECT);
        int xText = m_bLeftAlign ? rc.left + scale.Scale(2) : (rc.left + rc.right) / 2 - rcText.Width() / 2;
        int yText = (rc.top + rc.bottom) / 2 - rcText.Height() / 2;
        rcText.OffsetRect(xText, yText);
        dc.SetBkColor(crFill);
        dc.SetTextColor(pButton->IsWindowEnabled() ? SkinColourOr(theme.Colour(SkinColour::ControlText), theme.Colour(SkinColour::CmdText)) : SkinColourOr(theme.DisabledTextColour(), theme.Colour(SkinColour::Disabled)));
        ::ExtTextOutW(dc.m_hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
        int nSaved = ::SaveDC(dc.m_hDC);
        ::IntersectClipRect(dc.m_hDC, rc.left, rc.top, rc.right, rc.bottom);
        ::DrawTextW(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_NOCLIP);
        ::RestoreDC(dc.m_hDC, nSaved);
        if (bHasIcon)
        {
            rc.right = rc.left;
            rc.left -= nColumn;
        }
    }
    if (bHasIcon)
        dc.FillSolidRect(&rc, crFill);
    dc.Detach();
}

