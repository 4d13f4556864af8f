#include <KorvoSkin/CTouchComboBox.h>
#include "TouchLook.h"

IMPLEMENT_DYNAMIC(CTouchComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CTouchComboBox, CComboBox)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTouchComboBox::CTouchComboBox()
    : m_crNormal(RGB(189, 189, 189)), m_crHover(RGB(96, 200, 253)), m_crFocus(RGB(58, 146, 199)), m_bFocus(false),
      m_bHover(false), m_bAlwaysBorder(false)
{
}

CTouchComboBox::~CTouchComboBox()
{
}

void CTouchComboBox::DrawBorder()
{
    CTouchLook look = { m_crNormal, m_crHover, m_crFocus, RGB(255, 255, 255), m_bHover, m_bFocus, m_bAlwaysBorder, true, false, CPoint(3, 3), 0, false };
    DrawTouchLook(this, look);
}

void CTouchComboBox::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bAlwaysBorder)
    {
        CPen pen(PS_SOLID, 1, m_crNormal);
        HGDIOBJ hOld = dc.SelectObject(pen.m_hObject);
        dc.RoundRect(rcClient.left, rcClient.top, rcClient.right, rcClient.bottom, 2, 2);
        dc.SelectObject(hOld);
    }
    DrawTouchText(this, &dc, rcClient);
}

void CTouchComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    if (!m_bFocus)
    {
        m_bFocus = true;
        DrawBorder();
    }
}

void CTouchComboBox::OnKillFocus(CWnd*)
{
    Default();
    if (m_bFocus)
    {
        m_bFocus = false;
        DrawBorder();
    }
}

void CTouchComboBox::OnMouseMove(UINT, CPoint)
{
    if (!m_bHover)
    {
        m_bHover = true;
        DrawBorder();
        TrackMouseLeave(m_hWnd);
    }
    Default();
}

LRESULT CTouchComboBox::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    DrawBorder();
    return 1;
}
