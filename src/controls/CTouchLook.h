// The state, behaviour and look the touch controls share: the messages they have in common
// answered whole (focus, hover, accessibility, DPI), and the whole control drawn into a kept
// off-screen buffer (a background, a rounded one-pixel frame by hover, focus and the "always"
// flag, an optional drop-down triangle, the window text, in the skin's touch colours where it
// gives them) and copied to the client area in one
// transfer. Each state change repaints at once. Frame, triangle, text offsets and the text's font
// follow the window's DPI.
#pragma once
#include <afxwin.h>
#include "../parts/CDpiScale.h"
#include "../parts/CHoverTracker.h"
#include "../parts/COffscreenBuffer.h"
#include "../parts/CScaledFont.h"
#include "../parts/CWindowDpi.h"
#include "CControlDpi.h"
#include <KorvoSkin/CAccessibleName.h>

struct CAccessibleQuery;

class CTouchLook
{
public:
    enum Kind
    {
        // Drawn in the window's own coordinates and copied to the window's origin, so only the
        // part over the client area shows; text laid out as an edit does; "*" for a password.
        KindEdit,
        // On the skin's touch paper (white without one), drawn in client coordinates at (0, 0),
        // with the grey triangle while hovered.
        KindDropDown
    };

    // What the control is to assistive technology, given whether the pointer is over it.
    typedef void (*Describe)(HWND hWnd, CAccessibleQuery& query, bool bHot);

    CTouchLook(Kind kind, Describe fnDescribe);

    // No repaint: the next one shows them.
    void SetAlwaysBorder(bool bAlways) { m_bAlwaysBorder = bAlways; }
    void SetBkColor(COLORREF crBack) { m_crBack = crBack; }

    // The control's handlers of these messages forward them here; each runs the window's default
    // processing where the message needs it, then repaints when the look changed. The first
    // move over the control starts the hover and asks for the leave notification.
    void OnSetFocus(CWnd* pWnd);
    void OnKillFocus(CWnd* pWnd);
    void OnMouseMove(CWnd* pWnd);
    LRESULT OnMouseLeave(CWnd* pWnd);
    LRESULT OnGetObject(CWnd* pWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam);
    // Makes the font and the buffer again and repaints, when the window's DPI moved.
    LRESULT OnDpiChangedAfterParent(CWnd* pWnd);

    bool IsHover() const { return m_hover.IsHover(); }
    bool IsFocus() const { return m_bFocus; }

    // Draws the look on the window's client context at once, through the kept buffer; nothing
    // without a context.
    void Draw(CWnd* pWnd);
    // The plain frame round rc with the current brush, when the "always" flag is set.
    void DrawAlwaysFrame(CWnd* pWnd, CDC* pDC, const CRect& rc) const;
    // Whether the skin gives the touch controls a paper: the system's white background of a
    // control then never shows, so the control paints the whole look (Draw) each time.
    bool HasSkinPaper() const;
    // The window text in the window's font (scaled for its DPI) at rc moved by (3, 3), scaled
    // likewise, laid out left and top.
    void DrawText(CWnd* pWnd, CDC* pDC, const CRect& rc);

private:
    void SetFocus(CWnd* pWnd, bool bFocus);
    // The paper: the host's (an edit's), else the skin's, else white.
    COLORREF BackColour() const;
    // The frame of the state table into rc (which it shrinks), with the current brush; the
    // focus frame alone stays inside rcVisible, the part of rc over the client area.
    void DrawFrame(CDC* pDC, CRect rc, const CRect& rcVisible, const CDpiScale& scale) const;
    void DrawWindowText(CWnd* pWnd, CDC* pDC, const CString& strText, CRect rc, UINT nFormat);

    Kind m_kind;
    Describe m_fnDescribe;
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

// What every touch control does through its look, in one place: the entries of its message map
// for the messages the look answers, and the members its header declares that only forward to
// the look: the constructor (making m_pLook of a kind, with its description), the destructor,
// SetAlwaysBorder, and the handlers OnSetFocus, OnKillFocus, OnMouseMove, OnMouseLeave,
// OnGetObject and OnDpiChangedAfterParent.
#define ON_TOUCH_LOOK_MESSAGES() \
    ON_MESSAGE(WM_GETOBJECT, OnGetObject) \
    ON_WM_SETFOCUS() \
    ON_WM_KILLFOCUS() \
    ON_WM_MOUSEMOVE() \
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave) \
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)

#define IMPLEMENT_TOUCH_CONTROL(theClass, kind, fnDescribe) \
    theClass::theClass() : m_pLook(std::make_unique<CTouchLook>(kind, fnDescribe)) {} \
    theClass::~theClass() {} \
    void theClass::SetAlwaysBorder(bool bAlways) { m_pLook->SetAlwaysBorder(bAlways); } \
    void theClass::OnSetFocus(CWnd*) { m_pLook->OnSetFocus(this); } \
    void theClass::OnKillFocus(CWnd*) { m_pLook->OnKillFocus(this); } \
    void theClass::OnMouseMove(UINT, CPoint) { m_pLook->OnMouseMove(this); } \
    LRESULT theClass::OnMouseLeave(WPARAM, LPARAM) { return m_pLook->OnMouseLeave(this); } \
    LRESULT theClass::OnGetObject(WPARAM wParam, LPARAM lParam) { return m_pLook->OnGetObject(this, *this, wParam, lParam); } \
    LRESULT theClass::OnDpiChangedAfterParent(WPARAM, LPARAM) { return m_pLook->OnDpiChangedAfterParent(this); }
