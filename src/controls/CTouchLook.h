// The state and look the touch controls share: hover and focus followed from their messages,
// and the whole control drawn into a kept off-screen buffer (a background, a rounded one-pixel
// frame by hover, focus and the "always" flag, an optional drop-down triangle, the window text)
// and copied to the client area in one transfer. Each state change repaints at once. Frame,
// triangle, text offsets and the text's font follow the window's DPI.
#pragma once
#include <afxwin.h>
#include "../parts/CDpiScale.h"
#include "../parts/CHoverTracker.h"
#include "../parts/COffscreenBuffer.h"
#include "../parts/CScaledFont.h"
#include "CControlDpi.h"

class CTouchLook
{
public:
    enum Kind
    {
        // Drawn in the window's own coordinates and copied to the window's origin, so only the
        // part over the client area shows; text laid out as an edit does; "*" for a password.
        KindEdit,
        // White, drawn in client coordinates at (0, 0), with the grey triangle while hovered.
        KindDropDown
    };

    explicit CTouchLook(Kind kind);

    // No repaint: the next one shows them.
    void SetAlwaysBorder(bool bAlways) { m_bAlwaysBorder = bAlways; }
    void SetBkColor(COLORREF crBack) { m_crBack = crBack; }

    void SetFocus(CWnd* pWnd, bool bFocus);
    // The first move over the control starts the hover and asks for the leave notification.
    void MouseMove(CWnd* pWnd);
    void MouseLeave(CWnd* pWnd);
    bool IsHover() const { return m_hover.IsHover(); }
    bool IsFocus() const { return m_bFocus; }

    // Draws the look on the window's client context at once, through the kept buffer; nothing
    // without a context.
    void Draw(CWnd* pWnd);
    // The plain frame round rc with the current brush, when the "always" flag is set.
    void DrawAlwaysFrame(CWnd* pWnd, CDC* pDC, const CRect& rc) const;
    // The window text in the window's font (scaled for its DPI) at rc moved by (3, 3), scaled
    // likewise, laid out left and top.
    void DrawText(CWnd* pWnd, CDC* pDC, const CRect& rc);
    // Makes the font and the buffer again and repaints, when the window's DPI moved.
    void FollowDpi(CWnd* pWnd);

private:
    // The frame of the state table into rc (which it shrinks), with the current brush; the
    // focus frame alone stays inside rcVisible, the part of rc over the client area.
    void DrawFrame(CDC* pDC, CRect rc, const CRect& rcVisible, const CDpiScale& scale) const;
    void DrawWindowText(CWnd* pWnd, CDC* pDC, const CString& strText, CRect rc, UINT nFormat);

    Kind m_kind;
    COLORREF m_crNormal;
    COLORREF m_crHover;
    COLORREF m_crFocus;
    COLORREF m_crBack;
    bool m_bFocus;
    bool m_bAlwaysBorder;
    CHoverTracker m_hover;
    COffscreenBuffer m_buffer;
    CScaledFont m_font;
    CControlDpi m_dpi;
};
