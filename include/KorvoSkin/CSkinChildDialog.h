// A resizable dialog for pages embedded in another window: no frame of its own, but the skin's
// dialog background and owner-drawn menus.
#pragma once
#include <KorvoSkin/CResizableDialog.h>

class KORVOSKIN_API CSkinChildDialog : public CResizableDialog
{
    DECLARE_DYNAMIC(CSkinChildDialog)
public:
    explicit CSkinChildDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = NULL);

protected:
    // Message handlers a derived class may chain to
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    // The top-level window's DPI changed: the layout follows it from the DPI it was made at.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nLayoutDpi;
};
