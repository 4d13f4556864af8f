#include <KorvoSkin/CTouchEdit.h>
#include "TouchLook.h"

IMPLEMENT_DYNAMIC(CTouchEdit, CEdit)

BEGIN_MESSAGE_MAP(CTouchEdit, CEdit)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTouchEdit::CTouchEdit()
    : m_crNormal(RGB(189, 189, 189)), m_crHover(RGB(96, 200, 253)), m_crFocus(RGB(58, 146, 199)), m_crBack(RGB(255, 255, 255)), m_bFocus(false),
      m_bHover(false), m_bAlwaysBorder(false)
{
}

CTouchEdit::~CTouchEdit()
{
}

void CTouchEdit::DrawBorder()
{
    CTouchLook look = { m_crNormal, m_crHover, m_crFocus, m_crBack, m_bHover, m_bFocus, m_bAlwaysBorder, false, true, CPoint(4, 3), DT_EDITCONTROL | DT_WORDBREAK, (GetStyle() & ES_PASSWORD) != 0 };
    DrawTouchLook(this, look);
}

void CTouchEdit::OnPaint()
{
    // The context validates the update region; the system's own text painting does not run.
    {
        CPaintDC dc(this);
        DrawBorder();
    }
}

void CTouchEdit::OnNcPaint()
{
    DrawBorder();
}

BOOL CTouchEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
void CTouchEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    if (!m_bFocus)
    {
        m_bFocus = true;
        DrawBorder();
    }
}

void CTouchEdit::OnKillFocus(CWnd*)
{
    Default();
    if (m_bFocus)
    {
        m_bFocus = false;
        DrawBorder();
    }
}

void CTouchEdit::OnMouseMove(UINT, CPoint)
{
    if (!m_bHover)
    {
        m_bHover = true;
        DrawBorder();
        TrackMouseLeave(m_hWnd);
    }
    Default();
}

LRESULT CTouchEdit::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    DrawBorder();
    return 1;
}
