#include <KorvoSkin/CTouchEdit.h>
#include "CTouchLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CTouchEdit, CEdit)

BEGIN_MESSAGE_MAP(CTouchEdit, CEdit)
    ON_TOUCH_LOOK_MESSAGES()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

IMPLEMENT_TOUCH_CONTROL(CTouchEdit, CTouchLook::KindEdit, DescribeEditableText)

void CTouchEdit::SetBkColor(COLORREF crBack)
{
    m_pLook->SetBkColor(crBack);
}

void CTouchEdit::OnPaint()
{
    // The context validates the update region; the system's own text painting does not run.
    CPaintDC dc(this);
    m_pLook->Draw(this);
}

void CTouchEdit::OnNcPaint()
{
    m_pLook->Draw(this);
}

BOOL CTouchEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
