// The skinned combo box's state and painting: hover (polled on a timer, since the edit child
// takes the pointer's messages), the pressed look, and the frames and flat drop button drawn
// in the interface theme's colours with the library's arrow; the drop button's width and the
// arrow follow the DPI of the combo's window.
#pragma once
#include <afxwin.h>
#include "../parts/CHoverTracker.h"
#include "CDpiLength.h"

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
    void DrawArrow(CWnd* pCombo, CDC* pDC, const CRect& rect, int nArrowWidth) const;
    // The drop button's width for the combo window's DPI: nCurrent when nothing changed; a
    // width set since the last fitting is taken as meant for the DPI fitted then.
    int FitArrowWidth(HWND hCombo, int nCurrent);
    // On the combo's client context now.
    void DrawNow(CWnd* pCombo, Show show, int nArrowWidth) const;

private:
    CHoverTracker m_hover;
    bool m_bPressed;
    CImageList m_imlArrow;
    // The DPI of the last fitting, and the width fitted.
    UINT m_nArrowDpi;
    CDpiLength m_arrow;

    // The arrow image with its top-left corner at (x, y), stretched sharply at another DPI
    // than 96, its own size at 96.
    void DrawArrowImage(CWnd* pCombo, CDC* pDC, int x, int y) const;

    CComboBoxLook(const CComboBoxLook&) = delete;
    void operator=(const CComboBoxLook&) = delete;
};
