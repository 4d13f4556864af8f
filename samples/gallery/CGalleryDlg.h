#pragma once
#include <KorvoSkin.h>
#include "resource.h"

// The gallery's main window: its texts come from the skin's strings, its background from the
// skin's dialog colour.
class CGalleryDlg : public CDialog
{
public:
    CGalleryDlg();
    BOOL OnInitDialog() override;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brBack;
};
