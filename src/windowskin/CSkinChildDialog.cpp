#include <KorvoSkin/CSkinChildDialog.h>
#include "CDialogColours.h"
#include "../skin/CSkinContext.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../parts/CWindowDpi.h"

IMPLEMENT_DYNAMIC(CSkinChildDialog, CResizableDialog)

BEGIN_MESSAGE_MAP(CSkinChildDialog, CResizableDialog)
    ON_WM_CTLCOLOR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_CREATE()
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CSkinChildDialog::CSkinChildDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CResizableDialog(nIDTemplate, pParentWnd), m_nLayoutDpi(CDpiScale::BASE_DPI)
{
}

int CSkinChildDialog::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CResizableDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_nLayoutDpi = CWindowDpi::Of(m_hWnd);
    return 0;
}

LRESULT CSkinChildDialog::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    const UINT nDpi = CWindowDpi::Of(m_hWnd);
    if (nDpi != m_nLayoutDpi)
    {
        ScaleLayout(m_nLayoutDpi, nDpi);
        ScaleTrackSizes(m_nLayoutDpi, nDpi);
        m_nLayoutDpi = nDpi;
        ArrangeLayout();
    }
    // The page's own bars and controls follow it.
    CWindowDpi::TellChildren(m_hWnd);
    return 0;
}

HBRUSH CSkinChildDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    return CDialogColours(CSkinContext::Default().Theme()).ForChild(this, pDC, pWnd, nCtlColor, NULL, NULL, hBrush);
}

void CSkinChildDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CResizableDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    CSkinContext::Default().Menus().SetMenuWindow(m_hWnd);
    CSkinContext::Default().Menus().PrepareMenu(pPopupMenu);
}

void CSkinChildDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
        CSkinContext::Default().Menus().MeasureItem(lpMeasureItemStruct);
    else
        CResizableDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CSkinChildDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
        CSkinContext::Default().Menus().DrawItem(lpDrawItemStruct);
    else
        CResizableDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}
