#include <KorvoSkin/CEffectButton.h>
#include "ControlAccessibility.h"
#include "ParentBackground.h"

IMPLEMENT_DYNAMIC(CEffectButton, CButton)

BEGIN_MESSAGE_MAP(CEffectButton, CButton)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace
{
const UINT_PTR TOOL_ID = 1;
// The focus frame lies this far inside the image's edges, clear of a rounded face's corners.
const int FOCUS_INSET = 3;

TOOLINFOW ToolInfo(HWND hWnd, LPCWSTR pszText)
{
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = hWnd;
    info.uId = TOOL_ID;
    info.lpszText = const_cast<LPWSTR>(pszText);
    ::GetClientRect(hWnd, &info.rect);
    return info;
}
}

CEffectButton::CEffectButton()
    : m_crTransparent(RGB(255, 255, 255)), m_crTextColor(RGB(0, 0, 0)), m_hBitmap(NULL), m_hBitmapHover(NULL),
      m_bHover(false), m_bPitchOn(false), m_nIndent(0), m_hCursor(NULL)
{
}

CEffectButton::~CEffectButton()
{
    m_hCursor = NULL;
}

void CEffectButton::SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent)
{
    BITMAP bm = {};
    if (!hNormal || !::GetObjectW(hNormal, sizeof(bm), &bm))
        return;
    if (m_hWnd)
        SetWindowPos(NULL, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_hBitmap = hNormal;
    m_hBitmapHover = hHover;
    m_crTransparent = crTransparent;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CEffectButton::SetHandCursor(bool bHand)
{
    if (bHand)
    {
        if (!m_hCursor)
            m_hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    }
    else
        m_hCursor = NULL;
}

void CEffectButton::SetToolTip(CString strText)
{
    if (!m_hWnd)
        return;
    if (!m_wndToolTip.m_hWnd)
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        if (!m_wndToolTip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, NULL))
            return;
        TOOLINFOW info = ToolInfo(m_hWnd, strText);
        m_wndToolTip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&info);
    }
    TOOLINFOW info = ToolInfo(m_hWnd, strText);
    if (strText.IsEmpty())
    {
        m_wndToolTip.SendMessage(TTM_DELTOOLW, 0, (LPARAM)&info);
        return;
    }
    // A tip removed by an empty text comes back with the next text.
    TOOLINFOW existing = ToolInfo(m_hWnd, NULL);
    if (!m_wndToolTip.SendMessage(TTM_GETTOOLINFOW, 0, (LPARAM)&existing))
        m_wndToolTip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&info);
    else
        m_wndToolTip.SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&info);
}

void CEffectButton::PreSubclassWindow()
{
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | BS_LEFT);
    CButton::PreSubclassWindow();
}

BOOL CEffectButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.m_hWnd && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MOUSEWHEEL)
        m_wndToolTip.SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

void CEffectButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(pDC))
        return;
    // The transparent colour shows the parent, and no earlier focus frame.
    PaintParentBackground(m_hWnd, pDC->m_hDC, rc);
    HBITMAP hImage = m_bHover && m_hBitmapHover ? m_hBitmapHover
                   : m_bPitchOn && m_hBitmapHover ? m_hBitmapHover
                   : m_hBitmap;
    HGDIOBJ hOld = hImage ? ::SelectObject(dcMemory.m_hDC, hImage) : NULL;
    pDC->TransparentBlt(0, 0, rc.Width(), rc.Height(), &dcMemory, 0, 0, rc.Width(), rc.Height(), m_crTransparent);
    // The bitmap stays the host's: it must not stay selected into this context.
    if (hOld)
        ::SelectObject(dcMemory.m_hDC, hOld);

    if ((lpDrawItemStruct->itemState & (ODS_FOCUS | ODS_NOFOCUSRECT)) == ODS_FOCUS)
    {
        CRect rcFocus(rc);
        rcFocus.InflateRect(-FOCUS_INSET, -FOCUS_INSET);
        pDC->DrawFocusRect(&rcFocus);
    }

    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    rc.left += m_nIndent;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crTextColor);
    pDC->DrawText(strText, strText.GetLength(), &rc, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

void CEffectButton::OnMouseMove(UINT, CPoint)
{
    if (!m_bHover)
    {
        m_bHover = true;
        Invalidate(TRUE);
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
        ::_TrackMouseEvent(&tme);
    }
    Default();
}

LRESULT CEffectButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    Invalidate(TRUE);
    // The parent repaints what shows through the transparent colour.
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent)
    {
        CRect rc;
        GetWindowRect(&rc);
        ::MapWindowPoints(NULL, hParent, (LPPOINT)&rc, 2);
        ::InvalidateRect(hParent, &rc, TRUE);
    }
    return 1;
}

BOOL CEffectButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CEffectButton::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (IsWindowEnabled() && m_hCursor)
        ::SetCursor(m_hCursor);
    return bResult;
}

void CEffectButton::OnLButtonUp(UINT, CPoint)
{
    m_bHover = false;
    Default();
}

LRESULT CEffectButton::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribePushButton(m_hWnd, query, m_bHover);
        // Pitched on is the button shown latched.
        if (m_bPitchOn)
            query.nState |= STATE_SYSTEM_CHECKED;
    });
    return lResult ? lResult : Default();
}
