#include <KorvoSkin/CTouchDateTimeCtrl.h>
#include "TouchLook.h"

IMPLEMENT_DYNAMIC(CTouchDateTimeCtrl, CDateTimeCtrl)

BEGIN_MESSAGE_MAP(CTouchDateTimeCtrl, CDateTimeCtrl)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTouchDateTimeCtrl::CTouchDateTimeCtrl()
    : m_crNormal(RGB(189, 189, 189)), m_crHover(RGB(96, 200, 253)), m_crFocus(RGB(58, 146, 199)), m_bFocus(false),
      m_bHover(false), m_bAlwaysBorder(false)
{
}

CTouchDateTimeCtrl::~CTouchDateTimeCtrl()
{
}

void CTouchDateTimeCtrl::DrawBorder()
{
    CTouchLook look = { m_crNormal, m_crHover, m_crFocus, RGB(255, 255, 255), m_bHover, m_bFocus, m_bAlwaysBorder, true, false, CPoint(3, 3), 0, false };
    DrawTouchLook(this, look);
}

void CTouchDateTimeCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ScreenToClient(&rcWindow);
    DrawTouchText(this, &dc, rcWindow);
}

void CTouchDateTimeCtrl::OnNcPaint()
{
    DrawBorder();
}

void CTouchDateTimeCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CDateTimeCtrl::OnSetFocus(pOldWnd);
    if (!m_bFocus)
    {
        m_bFocus = true;
        DrawBorder();
    }
}

void CTouchDateTimeCtrl::OnKillFocus(CWnd*)
{
    Default();
    if (m_bFocus)
    {
        m_bFocus = false;
        DrawBorder();
    }
}

void CTouchDateTimeCtrl::OnMouseMove(UINT, CPoint)
{
    if (!m_bHover)
    {
        m_bHover = true;
        DrawBorder();
        TrackMouseLeave(m_hWnd);
    }
    Default();
}

LRESULT CTouchDateTimeCtrl::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    DrawBorder();
    return 1;
}
