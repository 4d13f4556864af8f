// An edit box with the touch look: its own background colour (white unless set), a rounded
// one-pixel frame that follows hover, focus and the "always" flag, and the text drawn by the
// control itself (one "*" per character for a password edit). Hover ends with the platform's
// leave notification.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CTouchLook;

class KORVOSKIN_API CTouchEdit : public CEdit, public CAccessibleName
{
    DECLARE_DYNAMIC(CTouchEdit)
public:
    CTouchEdit();
    virtual ~CTouchEdit();

    // Both show from the next repaint: the plain frame also without the pointer over the
    // control, and the background colour.
    void SetAlwaysBorder(bool bAlways);
    void SetBkColor(COLORREF crBack);

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Refits the frame, text and font to the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CTouchLook> m_pLook;
};
