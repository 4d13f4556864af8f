// A trackbar whose channel and thumb the library draws from one thumb colour; the channel can
// show the selection range and a segmented level meter. Tick marks keep the system look.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CSliderLook;

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
    COLORREF GetChannelColor() const;
    COLORREF GetThumbColor() const;
    COLORREF GetSelectionColor() const;

    // Stores the level and repaints channel, meter and thumb at once.
    void SetVolumn(int nLevel);
    int GetVolumn() const;
    // Green, yellow and red 5-pixel segments from rect's left edge.
    void DrawVolumn(CDC* pDC, CRect rect);

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Refits the thumb to the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CSliderLook> m_pLook;
    CSkinSliderCtrl(const CSkinSliderCtrl&) = delete;
    void operator=(const CSkinSliderCtrl&) = delete;
};
