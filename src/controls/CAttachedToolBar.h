// A toolbar of the common controls created by other code and skinned by its handle: its
// background in the skin's dialog colour and its buttons' text, hot, pressed and checked looks in
// the skin's colours through the toolbar's own custom drawing, so its images, separators,
// drop-downs, tooltips, commands and keyboard stay the toolbar's.
#pragma once
#include <afxwin.h>

class CAttachedToolBar : public CWnd
{
protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnCustomDraw(NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
