#include "CGalleryPage.h"

BOOL CGalleryPage::OnInitDialog()
{
    CSkinChildDialog::OnInitDialog();
    SetDlgItemText(IDC_PAGE_TEXT, GetSkinString(IDS_PAGE_TEXT));
    SetDlgItemText(IDC_PAGE_EDIT, L"Type here");
    AddAnchor(IDC_PAGE_TEXT, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_PAGE_EDIT, TOP_LEFT, TOP_RIGHT);
    return TRUE;
}
