// The icon button's state and painting: its one icon (16 pixels at 96 DPI, as large as menus
// draw command images at another), hover, the hand cursor and the caption's alignment, drawn in
// the interface theme's colours and font.
#pragma once
#include <afxwin.h>
#include "../parts/CHoverTracker.h"

class CIconButtonLook
{
public:
    CIconButtonLook();
    ~CIconButtonLook();

    // The icon stays the caller's; the list keeps a copy. nCmdID, when not 0, is the command
    // whose image it is, drawn at other DPIs from the command's own images.
    void ReplaceIcon(HICON hIcon, UINT nCmdID = 0);
    int GetIconCount() const { return m_imlIcon.GetImageCount(); }
    void SetLeftAlign(bool bLeftAlign) { m_bLeftAlign = bLeftAlign; }
    void SetHandCursor(bool bHand);
    HCURSOR GetHandCursor() const { return m_hCursor; }

    CHoverTracker& Hover() { return m_hover; }
    bool IsHover() const { return m_hover.IsHover(); }

    void Paint(CWnd* pButton, const DRAWITEMSTRUCT& item);

private:
    // The list holding the icon at nPixels a side, and the side it has: the 16-pixel one, or
    // m_imlScaled made for nPixels when it can be.
    HIMAGELIST IconList(int nPixels, int& nSide);

    CImageList m_imlIcon;
    UINT m_nCmdID;
    CImageList m_imlScaled;
    int m_nScaledPixels;
    CHoverTracker m_hover;
    // A shared system cursor: never destroyed.
    HCURSOR m_hCursor;
    bool m_bLeftAlign;

    CIconButtonLook(const CIconButtonLook&) = delete;
    void operator=(const CIconButtonLook&) = delete;
};
