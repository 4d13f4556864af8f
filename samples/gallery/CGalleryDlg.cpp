#include "CGalleryDlg.h"

BEGIN_MESSAGE_MAP(CGalleryDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CGalleryDlg::CGalleryDlg() : CDialog(IDD_GALLERY)
{
}

BOOL CGalleryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_brBack.CreateSolidBrush(GetDialogBkColor());
    SetWindowText(GetSkinString(IDS_GALLERY_TITLE));
    SetDlgItemText(IDC_TITLE, GetSkinString(IDS_GALLERY_TITLE));
    SetDlgItemText(IDC_GREETING, GetSkinString(IDS_GALLERY_GREETING));
    SetDlgItemText(IDC_DETAILS, GetSkinString(IDS_GALLERY_DETAILS));
    return TRUE;
}

HBRUSH CGalleryDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC)
    {
        pDC->SetBkColor(GetDialogBkColor());
        return m_brBack;
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
