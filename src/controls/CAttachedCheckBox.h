// A check box or radio button created by other code and skinned by its handle: a CSkinCheckBox
// whose state also answers the system's messages for it (BM_GETCHECK, BM_SETCHECK), which the
// host reads and writes, and which keeps a radio button's group to one checked button.
#pragma once
#include <KorvoSkin/CSkinCheckBox.h>

class CAttachedCheckBox : public CSkinCheckBox
{
public:
    // bRadio: the control was a radio button (BS_RADIOBUTTON or BS_AUTORADIOBUTTON).
    explicit CAttachedCheckBox(BOOL bRadio) : m_bRadio(bRadio) {}

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // A radio button is checked by its click, and its group's other buttons are cleared.
    void CheckRadio();

    BOOL m_bRadio;
};
