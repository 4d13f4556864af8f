// An image button: one bitmap normally, a second one while the pointer is over it or while it
// is pitched on (shown selected), one colour left out, optional text over the image, an
// optional hand cursor and tooltip. Hover ends with the platform's leave notification.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>

class KORVOSKIN_API CEffectButton : public CButton, public CAccessibleName
{
    DECLARE_DYNAMIC(CEffectButton)
public:
    CEffectButton();
    virtual ~CEffectButton();

    // The bitmaps stay the caller's; the button takes the normal bitmap's size.
    void SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent);
    void SetTextColor(COLORREF crColor) { m_crTextColor = crColor; }
    void SetIndent(int nIndent) { m_nIndent = nIndent; }
    void SetPitchOn(bool bPitchOn) { m_bPitchOn = bPitchOn; }
    void SetHandCursor(bool bHand);
    // An empty text removes the tip.
    void SetToolTip(CString strText);

    bool IsHover() const { return m_bHover; }
    HCURSOR GetHandCursor() const { return m_hCursor; }
    HWND GetToolTipWindow() const { return m_wndToolTip.m_hWnd; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crTransparent;
    COLORREF m_crTextColor;
    HBITMAP m_hBitmap;
    HBITMAP m_hBitmapHover;
    bool m_bHover;
    bool m_bPitchOn;
    int m_nIndent;
    // A shared system cursor: never destroyed.
    HCURSOR m_hCursor;
    // The platform's tooltip window, created on first use and destroyed with the button.
    CWnd m_wndToolTip;

private:
    CEffectButton(const CEffectButton&) = delete;
    void operator=(const CEffectButton&) = delete;
};
