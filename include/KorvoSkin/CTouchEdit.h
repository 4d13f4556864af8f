// An edit box with the touch look: its own background colour (white unless set), a rounded
// one-pixel frame that follows hover, focus and the "always" flag, and the text drawn by the
// control itself (one "*" per character for a password edit). Hover ends with the platform's
// leave notification.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

class KORVOSKIN_API CTouchEdit : public CEdit
{
    DECLARE_DYNAMIC(CTouchEdit)
public:
    CTouchEdit();
    virtual ~CTouchEdit();

    // Shows the plain frame also without the pointer over the control, from the next repaint.
    void SetAlwaysBorder(bool bAlways) { m_bAlwaysBorder = bAlways; }

    void SetBkColor(COLORREF crBack) { m_crBack = crBack; }
    bool IsHover() const { return m_bHover; }
    bool IsFocus() const { return m_bFocus; }

protected:
    // Draws the whole control at once through one off-screen bitmap.
    void DrawBorder();

    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crNormal;
    COLORREF m_crHover;
    COLORREF m_crFocus;
    COLORREF m_crBack;
    bool m_bFocus;
    bool m_bHover;
    bool m_bAlwaysBorder;

private:
    CTouchEdit(const CTouchEdit&) = delete;
    void operator=(const CTouchEdit&) = delete;
};
