// The skinned combo box's state and painting: hover (polled on a timer, since the edit child
// takes the pointer's messages), the pressed look, and the frames and flat drop button drawn
// in the interface theme's colours with the library's arrow.
#pragma once
#include "../afx/afxwin.h"
#include "../parts/CHoverTracker.h"

class CComboBoxLook
{
public:
    enum Show
    {
        showNormal,
        showHover,
        showPressed
    };

    CComboBoxLook();
    ~CComboBoxLook();

    CHoverTracker& Hover() { return m_hover; }
    bool IsHover() const { return m_hover.IsHover(); }
    bool IsPressed() const { return m_bPressed; }
    void SetPressed(bool bPressed) { m_bPressed = bPressed; }

    // The frames and the drop button of the combo's client area, nArrowWidth wide.
    void Draw(CWnd* pCombo, CDC* pDC, Show show, int nArrowWidth) const;
    void DrawArrow(CDC* pDC, const CRect& rect, int nArrowWidth) const;
    // On the combo's client context now.
    void DrawNow(CWnd* pCombo, Show show, int nArrowWidth) const;

private:
    CHoverTracker m_hover;
    bool m_bPressed;
    CImageList m_imlArrow;

    CComboBoxLook(const CComboBoxLook&) = delete;
    void operator=(const CComboBoxLook&) = delete;
};
