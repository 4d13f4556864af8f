#include "CAttachedCheckBox.h"

BEGIN_MESSAGE_MAP(CAttachedCheckBox, CSkinCheckBox)
    ON_WM_LBUTTONUP()
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
END_MESSAGE_MAP()

void CAttachedCheckBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    const int nBefore = GetCheck();
    CSkinCheckBox::OnLButtonUp(nFlags, point);
    if (m_bRadio && m_hWnd && GetCheck() != nBefore)
        CheckRadio();
}

void CAttachedCheckBox::CheckRadio()
{
    SetCheck(1);
    const HWND hParent = ::GetParent(m_hWnd);
    if (!hParent)
        return;
    // The group runs from this button to the next one that starts a group, either way.
    for (HWND hOther = ::GetNextDlgGroupItem(hParent, m_hWnd, FALSE); hOther && hOther != m_hWnd;
         hOther = ::GetNextDlgGroupItem(hParent, hOther, FALSE))
        ::SendMessageW(hOther, BM_SETCHECK, BST_UNCHECKED, 0);
}

LRESULT CAttachedCheckBox::OnGetCheck(WPARAM, LPARAM)
{
    return GetCheck();
}

LRESULT CAttachedCheckBox::OnSetCheck(WPARAM wParam, LPARAM)
{
    SetCheck(wParam == BST_CHECKED ? 1 : wParam == BST_INDETERMINATE ? 2 : 0);
    return 0;
}
