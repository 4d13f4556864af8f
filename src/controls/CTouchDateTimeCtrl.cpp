#include <KorvoSkin/CTouchDateTimeCtrl.h>
#include "CTouchLook.h"
#include "ControlAccessibility.h"
#include "../windowskin/AccessibleNames.h"

namespace
{
// The picked date, shown as text; its calendar drops down like a list.
void DescribeDatePicker(HWND hWnd, CAccessibleQuery& query, bool bHot)
{
    query.nRole = ROLE_SYSTEM_DROPLIST;
    query.bTextIsValue = true;
    query.nState |= STATE_SYSTEM_FOCUSABLE | (bHot ? STATE_SYSTEM_HOTTRACKED : 0);
    query.SetValue(WindowTextOf(hWnd));
}
}

IMPLEMENT_DYNAMIC(CTouchDateTimeCtrl, CDateTimeCtrl)

BEGIN_MESSAGE_MAP(CTouchDateTimeCtrl, CDateTimeCtrl)
    ON_TOUCH_LOOK_MESSAGES()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

IMPLEMENT_TOUCH_CONTROL(CTouchDateTimeCtrl, CTouchLook::KindDropDown, DescribeDatePicker)

void CTouchDateTimeCtrl::OnPaint()
{
    CPaintDC dc(this);
    // On the skin's paper the whole look, frame included, over the system's white.
    if (m_pLook->HasSkinPaper())
    {
        m_pLook->Draw(this);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ScreenToClient(&rcWindow);
    m_pLook->DrawText(this, &dc, rcWindow);
}

void CTouchDateTimeCtrl::OnNcPaint()
{
    m_pLook->Draw(this);
}
