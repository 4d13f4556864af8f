// The effect button's state and painting: its two bitmaps (the host's), the colour left out,
// the text colour and indent, the pitched-on flag, hover, the hand cursor and the tooltip. A
// paint is composed in a kept buffer over the parent's background and copied in one transfer.
#pragma once
#include <afxwin.h>
#include "../parts/CHoverTracker.h"
#include "../parts/COffscreenBuffer.h"

class CEffectButtonLook
{
public:
    CEffectButtonLook();

    // False, changing nothing, without a usable normal bitmap; pSize gets its size.
    bool SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent, CSize* pSize);
    void SetTextColor(COLORREF crColor) { m_crText = crColor; }
    void SetIndent(int nIndent) { m_nIndent = nIndent; }
    void SetPitchOn(bool bPitchOn) { m_bPitchOn = bPitchOn; }
    bool IsPitchOn() const { return m_bPitchOn; }
    void SetHandCursor(bool bHand);
    HCURSOR GetHandCursor() const { return m_hCursor; }

    // The tip over the whole button; an empty text removes it.
    void SetToolTip(CWnd* pButton, const CString& strText);
    HWND GetToolTipWindow() const { return m_wndToolTip.m_hWnd; }
    // Passes the pointer's messages on to the tip.
    void RelayToToolTip(MSG* pMsg);

    CHoverTracker& Hover() { return m_hover; }
    bool IsHover() const { return m_hover.IsHover(); }

    void Paint(CWnd* pButton, const DRAWITEMSTRUCT& item);

private:
    COLORREF m_crTransparent;
    COLORREF m_crText;
    HBITMAP m_hBitmap;
    HBITMAP m_hBitmapHover;
    bool m_bPitchOn;
    int m_nIndent;
    // A shared system cursor: never destroyed.
    HCURSOR m_hCursor;
    // The platform's tooltip window, created on first use and destroyed with the button.
    CWnd m_wndToolTip;
    CHoverTracker m_hover;
    COffscreenBuffer m_buffer;
    // The host's bitmap is selected into this context only while it is copied.
    CDC m_dcImage;
};
