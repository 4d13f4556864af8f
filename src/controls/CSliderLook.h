// The skinned slider's colours and drawing: the shades and pens made from the thumb colour, the
// channel with its selection and level meter, and the thumb of each orientation and tick side.
// The slider window it draws for gives the style, range, selection and enabled state; the
// thumb's length and the channel's thickness follow the window's DPI.
#pragma once
#include <afxwin.h>
#include "../parts/COffscreenBuffer.h"

class CSliderLook
{
public:
    static const int VOLUME_FULL_SCALE = 16385;

    CSliderLook();

    // Per channel: added (subtracted) only where the result stays within 0..255.
    static COLORREF LightenColor(COLORREF crColor, BYTE nAmount);
    static COLORREF DarkenColor(COLORREF crColor, BYTE nAmount);

    void SetChannelColor(COLORREF crColor) { m_crChannel = crColor; }
    void SetThumbColor(COLORREF crColor);
    void SetSelectionColor(COLORREF crColor) { m_crSelection = crColor; }
    COLORREF GetChannelColor() const { return m_crChannel; }
    COLORREF GetThumbColor() const { return m_crThumb; }
    COLORREF GetSelectionColor() const { return m_crSelection; }
    COLORREF GetThumbLight() const { return m_crThumbLight; }
    COLORREF GetThumbLighter() const { return m_crThumbLighter; }
    COLORREF GetThumbDarker() const { return m_crThumbDarker; }
    void SetLevel(int nLevel) { m_nLevel = nLevel; }
    int GetLevel() const { return m_nLevel; }

    // The slider's client area in the dialog background, then the channel in rect.
    void DrawChannel(CSliderCtrl& slider, CDC* pDC, const CRect& rect, bool bHorizontal);
    // Green, yellow and red 5-pixel segments from rect's left edge.
    void DrawLevel(CDC* pDC, const CRect& rect) const;
    // A pressed thumb is one shade darker.
    void DrawThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rcThumb, bool bPressed);
    void DrawHorizontalThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rect);
    void DrawVerticalThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rect);
    // Channel, meter and thumb on the window now, through the kept buffer.
    void PaintNow(CSliderCtrl& slider);
    // Gives the control a thumb length for the window's DPI when the DPI differs from the one
    // it was last fitted to: the control's own length, which the system makes for the screen's
    // DPI, scaled from that one and kept within the control. TRUE when the length changed (the control then lays out and repaints itself).
    BOOL FitThumb(CSliderCtrl& slider);
    // The channel the control gives, made thicker across the slider for the window's DPI.
    static CRect ScaleChannel(CSliderCtrl& slider, const CRect& rcChannel, bool bHorizontal);

private:
    // The shades and pens of m_crThumb and the system's shadow colours.
    void MakeShades();

    COLORREF m_crSelection;
    COLORREF m_crChannel;
    COLORREF m_crThumb;
    COLORREF m_crThumbLight;
    COLORREF m_crThumbLighter;
    COLORREF m_crThumbDark;
    COLORREF m_crThumbDarker;
    CPen m_penThumbLight;
    CPen m_penThumbLighter;
    CPen m_penThumbDark;
    CPen m_penThumbDarker;
    CPen m_penShadowDark;
    CPen m_penShadowLight;
    CPen m_penHilight;
    int m_nLevel;
    COffscreenBuffer m_buffer;
    // The DPI the thumb was last fitted to, the control's own length at the screen's DPI (taken
    // when it is first left) and whether the fixed-length style was added for the fitting.
    UINT m_nThumbDpi;
    int m_nBaseThumb;
    bool m_bFixedAdded;
};
