#include <KorvoSkin/CIconButton.h>
#include "../theme/CInterfaceTheme.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CIconButton, CButton)

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace
{
const int ICON_SIZE = 16;
// The column the icon takes left of the caption.
const int ICON_COLUMN = 21;
}

CIconButton::CIconButton() : m_bHover(false), m_bTracking(false), m_hCursor(NULL), m_bLeftAlign(false)
{
    m_imlIcon.Create(ICON_SIZE, ICON_SIZE, ILC_COLOR32 | ILC_MASK, 1, 0);
}

CIconButton::~CIconButton()
{
    m_hCursor = NULL;
    m_imlIcon.DeleteImageList();
}

void CIconButton::ReplaceIcon(HICON hIcon)
{
    if (m_imlIcon.GetImageCount() > 0)
        m_imlIcon.Remove(0);
    m_imlIcon.Replace(-1, hIcon);
}

void CIconButton::SetIcon(HICON hIcon)
{
    if (!hIcon)
        return;
    ReplaceIcon(hIcon);
    ::DestroyIcon(hIcon);
}

void CIconButton::SetCoolIcon(UINT nCmdID)
{
    HICON hIcon = g_Theme.GetIcon(nCmdID, SIZE_CODE_16);
    if (hIcon)
    {
        ReplaceIcon(hIcon);
        ::DestroyIcon(hIcon);
    }
    if (m_hWnd)
        Invalidate(TRUE);
}

void CIconButton::SetText(LPCWSTR lpszText)
{
    if (!m_hWnd || !lpszText)
        return;
    CString strText;
    GetWindowText(strText);
    if (strText == lpszText)
        return;
    SetWindowText(lpszText);
    Invalidate(TRUE);
}

void CIconButton::SetLeftAlin(bool bLeftAlign)
{
    m_bLeftAlign = bLeftAlign;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CIconButton::SetHandCursor(BOOL bHand)
{
    if (bHand)
    {
        if (!m_hCursor)
            m_hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    }
    else
        m_hCursor = NULL;
}

void CIconButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    // The button type is a value, not a flag: replace it rather than OR owner-draw onto it.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, 0);
}

void CIconButton::OnMouseMove(UINT, CPoint point)
{
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.PtInRect(ptScreen))
    {
        m_bHover = true;
        if (!m_bTracking)
        {
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
            if (::_TrackMouseEvent(&tme))
            {
                m_bTracking = true;
                Invalidate(TRUE);
            }
        }
    }
    Default();
}

LRESULT CIconButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    Invalidate(TRUE);
    m_bTracking = false;
    return 0;
}

BOOL CIconButton::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (IsWindowEnabled() && m_hCursor)
        ::SetCursor(m_hCursor);
    return bResult;
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC dc;
    if (!dc.Attach(lpDrawItemStruct->hDC))
        return;
    CRect rc(lpDrawItemStruct->rcItem);
    UINT nState = lpDrawItemStruct->itemState;
    CString strText;
    GetWindowText(strText);
    BOOL bHasIcon = m_imlIcon.GetImageCount() == 1;

    int y = (rc.top + rc.bottom) / 2 - ICON_SIZE / 2;
    int x = strText.IsEmpty() ? (rc.left + rc.right) / 2 - ICON_SIZE / 2 : rc.left + 3;

    COLORREF crFrame, crFill;
    if (m_bHover && (nState & ODS_SELECTED))
        crFrame = g_Theme.m_crBorder, crFill = g_Theme.m_crBackCheckSel;
    else if (m_bHover)
        crFrame = g_Theme.m_crBorder, crFill = g_Theme.m_crBackSel;
    else if ((nState & ODS_FOCUS) && !(nState & ODS_DISABLED))
        crFrame = g_Theme.m_crBorder, crFill = g_Theme.m_crBackNormal;
    else if (!(nState & ODS_DISABLED))
        crFrame = g_Theme.m_crSysShadow, crFill = g_Theme.m_crBackNormal;
    else
        crFrame = g_Theme.m_crSysShadow, crFill = g_Theme.m_crMidtone;

    dc.Draw3dRect(&rc, crFrame, crFrame);
    rc.InflateRect(-1, -1);
    if (bHasIcon)
    {
        HIMAGELIST hIml = m_imlIcon.m_hImageList;
        if (m_bHover && !(nState & ODS_SELECTED))
        {
            // Lifted: the icon's mask in the shadow colour below and right of the icon.
            dc.FillSolidRect(x - 1, y - 1, ICON_SIZE + 2, 2, crFill);
            dc.FillSolidRect(x - 1, y + 1, 2, ICON_SIZE, crFill);
            dc.SetTextColor(g_Theme.m_crSysShadow);
            ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x + 1, y + 1, 0, 0, crFill, CLR_NONE, ILD_MASK);
            ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x - 1, y - 1, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
            dc.ExcludeClipRect(x - 1, y - 1, x + ICON_SIZE + 1, y + ICON_SIZE + 1);
        }
        else
        {
            if (nState & ODS_DISABLED)
                ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x, y, 0, 0, crFill, g_Theme.m_crDisabled, ILD_BLEND50);
            else
                ::ImageList_DrawEx(hIml, 0, dc.m_hDC, x, y, 0, 0, crFill, CLR_NONE, ILD_NORMAL);
            dc.ExcludeClipRect(x, y, x + ICON_SIZE, y + ICON_SIZE);
        }
    }

    if (!strText.IsEmpty())
    {
        if (bHasIcon)
            rc.left += ICON_COLUMN;
        HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, g_Theme.m_fntNormal.m_hObject);
        // Measured and drawn with the mnemonic's "&" taken as a marker, as a push button's is.
        CRect rcText(0, 0, 0, 0);
        ::DrawTextW(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_CALCRECT);
        int xText = m_bLeftAlign ? rc.left + 2 : (rc.left + rc.right) / 2 - rcText.Width() / 2;
        int yText = (rc.top + rc.bottom) / 2 - rcText.Height() / 2;
        rcText.OffsetRect(xText, yText);
        dc.SetBkColor(crFill);
        dc.SetTextColor(IsWindowEnabled() ? SkinColourOr(g_Theme.m_crControlText, g_Theme.m_crCmdText) : g_Theme.m_crDisabled);
        ::ExtTextOutW(dc.m_hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
        int nSaved = ::SaveDC(dc.m_hDC);
        ::IntersectClipRect(dc.m_hDC, rc.left, rc.top, rc.right, rc.bottom);
        ::DrawTextW(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_NOCLIP);
        ::RestoreDC(dc.m_hDC, nSaved);
        ::SelectObject(dc.m_hDC, hOldFont);
        if (bHasIcon)
        {
            rc.right = rc.left;
            rc.left -= ICON_COLUMN;
        }
    }
    if (bHasIcon)
        dc.FillSolidRect(&rc, crFill);
    dc.Detach();
}

LRESULT CIconButton::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribePushButton(m_hWnd, query, m_bHover);
    });
    return lResult ? lResult : Default();
}
