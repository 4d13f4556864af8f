// A push button created by other code and skinned by its handle: drawn by the library in the
// skin's control colours (face, text, border; hot, pressed, default and disabled looks), while it
// still answers the dialog manager as a push button, so Enter, focus moves and the default
// button behave as they did.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/CAccessibleName.h>
#include "../parts/CBufferedPaint.h"
#include "../parts/CHoverTracker.h"

class CAttachedPushButton : public CButton, public CAccessibleName
{
public:
    // bDefault: the button was the default push button (BS_DEFPUSHBUTTON).
    explicit CAttachedPushButton(BOOL bDefault) : m_bDefault(bDefault) {}

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bDefault;
    CHoverTracker m_hover;
    COffscreenBuffer m_buffer;
};
