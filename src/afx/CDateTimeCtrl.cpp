#include "CDateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(DATETIMEPICK_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
}
