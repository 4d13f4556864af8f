// The icon button's state and painting: its one 16-pixel icon, hover, the hand cursor and the
// caption's alignment, drawn in the interface theme's colours and font.
#pragma once
#include "../afx/afxwin.h"
#include "../parts/CHoverTracker.h"

class CIconButtonLook
{
public:
    CIconButtonLook();
    ~CIconButtonLook();

    // The icon stays the caller's; the list keeps a copy.
    void ReplaceIcon(HICON hIcon);
    int GetIconCount() const { return m_imlIcon.GetImageCount(); }
    void SetLeftAlign(bool bLeftAlign) { m_bLeftAlign = bLeftAlign; }
    void SetHandCursor(bool bHand);
    HCURSOR GetHandCursor() const { return m_hCursor; }

    CHoverTracker& Hover() { return m_hover; }
    bool IsHover() const { return m_hover.IsHover(); }

    void Paint(CWnd* pButton, const DRAWITEMSTRUCT& item);

private:
    CImageList m_imlIcon;
    CHoverTracker m_hover;
    // A shared system cursor: never destroyed.
    HCURSOR m_hCursor;
    bool m_bLeftAlign;

    CIconButtonLook(const CIconButtonLook&) = delete;
    void operator=(const CIconButtonLook&) = delete;
};
