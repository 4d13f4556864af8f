#include <KorvoSkin/CSkinChildDialog.h>
#include "CDialogColours.h"
#include "../theme/CMenuSkinner.h"

IMPLEMENT_DYNAMIC(CSkinChildDialog, CResizableDialog)

BEGIN_MESSAGE_MAP(CSkinChildDialog, CResizableDialog)
    ON_WM_CTLCOLOR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CSkinChildDialog::CSkinChildDialog(UINT nIDTemplate, CWnd* pParentWnd) : CResizableDialog(nIDTemplate, pParentWnd)
{
}

HBRUSH CSkinChildDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    return CDialogColours::ForChild(this, pDC, pWnd, nCtlColor, NULL, hBrush);
}

void CSkinChildDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CResizableDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    g_MenuSkinner.PrepareMenu(pPopupMenu);
}

void CSkinChildDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
        g_MenuSkinner.MeasureItem(lpMeasureItemStruct);
    else
        CResizableDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CSkinChildDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
        g_MenuSkinner.DrawItem(lpDrawItemStruct);
    else
        CResizableDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}
