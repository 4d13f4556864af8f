#include <KorvoSkin/CSkinSliderCtrl.h>
#include "CSliderLook.h"
#include "ControlAccessibility.h"
#include "../parts/CWindowDpi.h"

IMPLEMENT_DYNAMIC(CSkinSliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CSkinSliderCtrl, CSliderCtrl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

static_assert(CSkinSliderCtrl::VOLUME_FULL_SCALE == CSliderLook::VOLUME_FULL_SCALE, "one full scale");

CSkinSliderCtrl::CSkinSliderCtrl() : m_pLook(new CSliderLook)
{
}

CSkinSliderCtrl::~CSkinSliderCtrl()
{
    // The window goes while the look still exists: a last paint may still be on its way.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CSkinSliderCtrl::SetChannelColor(COLORREF crColor)
{
    m_pLook->SetChannelColor(crColor);
}

void CSkinSliderCtrl::SetThumbColor(COLORREF crColor)
{
    m_pLook->SetThumbColor(crColor);
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSkinSliderCtrl::SetSelectionColor(COLORREF crColor)
{
    m_pLook->SetSelectionColor(crColor);
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

COLORREF CSkinSliderCtrl::GetChannelColor() const
{
    return m_pLook->GetChannelColor();
}

COLORREF CSkinSliderCtrl::GetThumbColor() const
{
    return m_pLook->GetThumbColor();
}

COLORREF CSkinSliderCtrl::GetSelectionColor() const
{
    return m_pLook->GetSelectionColor();
}

void CSkinSliderCtrl::SetVolumn(int nLevel)
{
    m_pLook->SetLevel(nLevel);
    if (m_hWnd)
        m_pLook->PaintNow(*this);
}

int CSkinSliderCtrl::GetVolumn() const
{
    return m_pLook->GetLevel();
}

void CSkinSliderCtrl::DrawVolumn(CDC* pDC, CRect rect)
{
    m_pLook->DrawLevel(pDC, rect);
}

void CSkinSliderCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMCUSTOMDRAW* pDraw = (NMCUSTOMDRAW*)pNMHDR;
    if (pDraw->dwDrawStage == CDDS_PREPAINT)
    {
        // A window whose DPI was set before this control was told of it: the refitted control
        // invalidates itself and paints again at once.
        m_pLook->FitThumb(*this);
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->dwDrawStage != CDDS_ITEMPREPAINT || pDraw->dwItemSpec == TBCD_TICS)
    {
        *pResult = CDRF_DODEFAULT;
        return;
    }
    CDC* pDC = CDC::FromHandle(pDraw->hdc);
    CRect rc(pDraw->rc);
    int nSaved = pDC->SaveDC();
    if (pDraw->dwItemSpec == TBCD_THUMB)
        m_pLook->DrawThumb(*this, pDC, rc, (pDraw->uItemState & CDIS_SELECTED) != 0);
    else if (pDraw->dwItemSpec == TBCD_CHANNEL)
    {
        CRect rcThumb;
        GetThumbRect(&rcThumb);
        bool bHorizontal = rcThumb.Height() > rcThumb.Width();
        m_pLook->DrawChannel(*this, pDC, CSliderLook::ScaleChannel(*this, rc, bHorizontal), bHorizontal);
    }
    pDC->RestoreDC(nSaved);
    *pResult = CDRF_SKIPDEFAULT;
}

void CSkinSliderCtrl::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CSkinSliderCtrl::OnLButtonUp(UINT, CPoint)
{
    Default();
}

LRESULT CSkinSliderCtrl::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pLook->FitThumb(*this);
    Invalidate();
    return 0;
}

LRESULT CSkinSliderCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        query.nRole = ROLE_SYSTEM_SLIDER;
        query.nState |= STATE_SYSTEM_FOCUSABLE;
        CString strPos;
        strPos.Format(L"%d", GetPos());
        query.SetValue(strPos);
    });
    return lResult ? lResult : Default();
}
