// A trackbar whose channel and thumb the library draws from one thumb colour; the channel can
// show the selection range and a segmented level meter. Tick marks keep the system look.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>

class KORVOSKIN_API CSkinSliderCtrl : public CSliderCtrl, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinSliderCtrl)
public:
    // The level the meter shows at full scale.
    static const int VOLUME_FULL_SCALE = 16385;

    CSkinSliderCtrl();
    virtual ~CSkinSliderCtrl();

    // Shows at the next paint.
    void SetChannelColor(COLORREF crColor);
    // Both repaint at once.
    void SetThumbColor(COLORREF crColor);
    void SetSelectionColor(COLORREF crColor);
    COLORREF GetChannelColor() const { return m_crChannel; }
    COLORREF GetThumbColor() const { return m_crThumb; }
    COLORREF GetSelectionColor() const { return m_crSelection; }

    // Stores the level and repaints channel, meter and thumb at once.
    void SetVolumn(int nLevel);
    int GetVolumn() const { return m_nVolume; }
    // Green, yellow and red 5-pixel segments from rect's left edge.
    void DrawVolumn(CDC* pDC, CRect rect);

protected:
    // Per channel: added (subtracted) only where the result stays within 0..255.
    static COLORREF LightenColor(COLORREF crColor, BYTE nAmount);
    static COLORREF DarkenColor(COLORREF crColor, BYTE nAmount);
    void GetColors();
    void CreatePens();
    void DeletePens();
    void DrawChannel(CDC* pDC, const CRect& rect, BOOL bHorizontal);
    void DrawHorizontalThumb(CDC* pDC, const CRect& rect);
    void DrawVerticalThumb(CDC* pDC, const CRect& rect);

    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPen m_penThumb;
    CPen m_penThumbLight;
    CPen m_penThumbLighter;
    CPen m_penThumbDark;
    CPen m_penThumbDarker;
    CPen m_penShadowDark;
    CPen m_penShadowLight;
    CPen m_penHilight;
    COLORREF m_crSelection;
    COLORREF m_crChannel;
    COLORREF m_crThumb;
    COLORREF m_crThumbLight;
    COLORREF m_crThumbLighter;
    COLORREF m_crThumbDark;
    COLORREF m_crThumbDarker;
    COLORREF m_crShadowDark;
    COLORREF m_crShadowLight;
    COLORREF m_crHilight;
    int m_nVolume;

private:
    void DrawThumb(CDC* pDC, const CRect& rcThumb);
    CSkinSliderCtrl(const CSkinSliderCtrl&) = delete;
    void operator=(const CSkinSliderCtrl&) = delete;
};
