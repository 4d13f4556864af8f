// A toolbar declared by a skin: its buttons and alignment, copied into real bars on request.
#pragma once
#include <afxwin.h>
#include <vector>

struct SKIN_TOOLBAR_BUTTON
{
    UINT nID;
    CString strName; // the "id" text as written; the button's images are found under it
    int nSize;
    CString strTip;
    bool bVisible;
};

class CSkinToolbarTemplate
{
public:
    CSkinToolbarTemplate() : m_bVertical(false) {}

    bool m_bVertical;
    std::vector<SKIN_TOOLBAR_BUTTON> m_buttons;
};
