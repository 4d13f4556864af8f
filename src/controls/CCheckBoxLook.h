// The skinned check box's state and painting: its own check state, the framed 13-pixel box
// that lights orange while the pointer is over it (polled on a timer), and the thick mark; the
// box, its frame and rings and the mark are sized for the DPI of the window last painted.
#pragma once
#include <afxwin.h>
#include "../parts/CDpiScale.h"
#include "../parts/CHoverTracker.h"
#include "CControlDpi.h"

class CCheckBoxLook
{
public:
    CCheckBoxLook();

    int GetCheck() const { return m_nCheck; }
    void SetCheck(int nCheck) { m_nCheck = nCheck; }

    CHoverTracker& Hover() { return m_hover; }
    bool IsHover() const { return m_hover.IsHover(); }

    // Over the parent's background: the box by the style's side, the text, the mark, the focus.
    void Paint(CWnd* pBox, const DRAWITEMSTRUCT& item);
    void DrawCheck(CDC* pDC, CRect rect) const;
    // The box's inside: white, or the orange rings while hovered.
    void DrawOrange(CDC* pDC, CRect rect) const;
    // Repaints the box when the window's DPI moved; it is sized at each paint.
    void FollowDpi(CWnd* pBox) { m_dpi.Follow(pBox, [](UINT, UINT) {}); }

private:
    int m_nCheck;
    COLORREF m_crFrame;
    COLORREF m_crCheck;
    CHoverTracker m_hover;
    CDpiScale m_scale;
    CControlDpi m_dpi;
};
