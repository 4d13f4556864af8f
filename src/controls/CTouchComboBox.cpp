#include <KorvoSkin/CTouchComboBox.h>
#include "CTouchLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CTouchComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CTouchComboBox, CComboBox)
    ON_TOUCH_LOOK_MESSAGES()
    ON_WM_PAINT()
END_MESSAGE_MAP()

IMPLEMENT_TOUCH_CONTROL(CTouchComboBox, CTouchLook::KindDropDown, DescribeComboBox)

void CTouchComboBox::OnPaint()
{
    CPaintDC dc(this);
    // With the focus the whole look, so that its frame outlives the repaint; on the skin's paper
    // likewise.
    if (m_pLook->IsFocus() || m_pLook->HasSkinPaper())
    {
        m_pLook->Draw(this);
        return;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    m_pLook->DrawAlwaysFrame(this, &dc, rcClient);
    m_pLook->DrawText(this, &dc, rcClient);
}
