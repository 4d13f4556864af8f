#include "ControlAccessibility.h"
#include "../windowskin/AccessibleNames.h"

namespace
{
long Hot(bool bHot)
{
    return bHot ? STATE_SYSTEM_HOTTRACKED : 0;
}
}

LRESULT AnswerGetObject(HWND hWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam,
                        const std::function<void(CAccessibleQuery&)>& fnDescribe)
{
    if (CAccessibleQuery* pQuery = CAccessibleQuery::Of(hWnd, wParam, lParam))
    {
        if (pQuery->idObject != OBJID_CLIENT)
            return FALSE;
        if (pQuery->idChild == CHILDID_SELF)
            pQuery->strName = name.GetAccessibleName();
        fnDescribe(*pQuery);
        return TRUE;
    }
    return CAccessibleProxy::Serve(hWnd, wParam, lParam);
}

void DescribePushButton(HWND hWnd, CAccessibleQuery& query, bool bHot)
{
    query.nRole = ROLE_SYSTEM_PUSHBUTTON;
    query.nState |= STATE_SYSTEM_FOCUSABLE | Hot(bHot);
    if (::SendMessageW(hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED)
        query.nState |= STATE_SYSTEM_PRESSED;
    query.strDefaultAction = L"Press";
    // Posted, as a click comes: the caller is not inside the button's handlers when it runs.
    if (query.bDoDefaultAction && ::IsWindowEnabled(hWnd))
        ::PostMessageW(hWnd, BM_CLICK, 0, 0);
}

void DescribeEditableText(HWND hWnd, CAccessibleQuery& query, bool bHot)
{
    query.nRole = ROLE_SYSTEM_TEXT;
    query.bTextIsValue = true;
    LONG nStyle = ::GetWindowLongW(hWnd, GWL_STYLE);
    query.nState |= STATE_SYSTEM_FOCUSABLE | Hot(bHot);
    if (nStyle & ES_PASSWORD)
        query.nState |= STATE_SYSTEM_PROTECTED;
    if (nStyle & ES_READONLY)
        query.nState |= STATE_SYSTEM_READONLY;
    query.SetValue(WindowTextOf(hWnd));
}

void DescribeComboBox(HWND hWnd, CAccessibleQuery& query, bool bHot)
{
    query.nRole = ROLE_SYSTEM_COMBOBOX;
    query.bFocusWithin = true;
    query.bTextIsValue = true;
    BOOL bDropped = (BOOL)::SendMessageW(hWnd, CB_GETDROPPEDSTATE, 0, 0);
    query.nState |= STATE_SYSTEM_FOCUSABLE | Hot(bHot) | (bDropped ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
    query.SetValue(WindowTextOf(hWnd));
    query.strDefaultAction = bDropped ? L"Close" : L"Open";
    if (query.bDoDefaultAction && ::IsWindowEnabled(hWnd))
        ::PostMessageW(hWnd, CB_SHOWDROPDOWN, !bDropped, 0);
}

void DescribeStaticText(CAccessibleQuery& query)
{
    query.nRole = ROLE_SYSTEM_STATICTEXT;
    query.nState |= STATE_SYSTEM_READONLY;
}

void DescribeGraphic(CAccessibleQuery& query, bool bHot)
{
    query.nRole = ROLE_SYSTEM_GRAPHIC;
    query.nState |= STATE_SYSTEM_READONLY | Hot(bHot);
}
