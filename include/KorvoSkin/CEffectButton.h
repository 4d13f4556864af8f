// An image button: one bitmap normally, a second one while the pointer is over it or while it
// is pitched on (shown selected), one colour left out, optional text over the image, an
// optional hand cursor and tooltip. Hover ends with the platform's leave notification.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CEffectButtonLook;

class KORVOSKIN_API CEffectButton : public CButton, public CAccessibleName
{
    DECLARE_DYNAMIC(CEffectButton)
public:
    CEffectButton();
    virtual ~CEffectButton();

    // The bitmaps stay the caller's; the button takes the normal bitmap's size.
    void SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent);
    void SetTextColor(COLORREF crColor);
    void SetIndent(int nIndent);
    void SetPitchOn(bool bPitchOn);
    void SetHandCursor(bool bHand);
    // An empty text removes the tip.
    void SetToolTip(CString strText);

    bool IsHover() const;
    HCURSOR GetHandCursor() const;
    HWND GetToolTipWindow() const;

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CEffectButtonLook> m_pLook;
    CEffectButton(const CEffectButton&) = delete;
    void operator=(const CEffectButton&) = delete;
};
