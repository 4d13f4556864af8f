#include "CEffectButtonLook.h"
#include "ControlTheme.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CGdiSelect.h"
#include "ParentBackground.h"

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

CEffectButtonLook::CEffectButtonLook()
    : m_crTransparent(RGB(255, 255, 255)), m_crText(RGB(0, 0, 0)), m_hBitmap(NULL), m_hBitmapHover(NULL),
      m_bPitchOn(false), m_nIndent(0), m_hCursor(NULL)
{
}

bool CEffectButtonLook::SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent, CSize* pSize)
{
    BITMAP bm = {};
    if (!hNormal || !::GetObjectW(hNormal, sizeof(bm), &bm))
        return false;
    *pSize = CSize(bm.bmWidth, bm.bmHeight);
    m_hBitmap = hNormal;
    m_hBitmapHover = hHover;
    m_crTransparent = crTransparent;
    return true;
}

void CEffectButtonLook::SetHandCursor(bool bHand)
{
    if (!bHand)
        m_hCursor = NULL;
    else if (!m_hCursor)
        m_hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
}

void CEffectButtonLook::SetToolTip(CWnd* pButton, const CString& strText)
{
    HWND hButton = pButton->m_hWnd;
    if (!hButton)
        return;
    if (!m_wndToolTip.m_hWnd)
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        if (!m_wndToolTip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hButton, NULL))
            return;
        TOOLINFOW info = ToolInfo(hButton, strText);
        m_wndToolTip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&info);
    }
    TOOLINFOW info = ToolInfo(hButton, strText);
    if (strText.IsEmpty())
    {
        m_wndToolTip.SendMessage(TTM_DELTOOLW, 0, (LPARAM)&info);
        return;
    }
    // A tip removed by an empty text comes back with the next text.
    TOOLINFOW existing = ToolInfo(hButton, NULL);
    if (!m_wndToolTip.SendMessage(TTM_GETTOOLINFOW, 0, (LPARAM)&existing))
        m_wndToolTip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&info);
    else
        m_wndToolTip.SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&info);
}

void CEffectButtonLook::RelayToToolTip(MSG* pMsg)
{
    if (m_wndToolTip.m_hWnd && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MOUSEWHEEL)
    {
        ControlTheme::ColourToolTip(m_wndToolTip.m_hWnd);
        m_wndToolTip.SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);
    }
}

void CEffectButtonLook::Paint(CWnd* pButton, const DRAWITEMSTRUCT& item)
{
    CDC* pTarget = CDC::FromHandle(item.hDC);
    CRect rc(item.rcItem);
    if (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(pTarget))
        return;
    CBufferedPaint paint(m_buffer, pTarget, rc);
    CDC* pDC = paint.GetDC();
    // The kept buffer starts from the button's own text settings and font.
    CGdiSelect font(pDC->m_hDC, ::GetCurrentObject(item.hDC, OBJ_FONT));
    pDC->SetTextColor(pTarget->GetTextColor());
    pDC->SetBkColor(pTarget->GetBkColor());
    pDC->SetBkMode(pTarget->GetBkMode());

    // The transparent colour shows the parent, and no earlier focus frame.
    PaintParentBackground(pButton->m_hWnd, pDC->m_hDC, rc);
    HBITMAP hImage = (IsHover() || m_bPitchOn) && m_hBitmapHover ? m_hBitmapHover : m_hBitmap;
    {
        // The bitmap stays the host's: it must not stay selected into the kept context.
        CGdiSelect image(m_dcImage.m_hDC, hImage);
        pDC->TransparentBlt(rc.left, rc.top, rc.Width(), rc.Height(), &m_dcImage, 0, 0, rc.Width(), rc.Height(),
                            m_crTransparent);
    }

    if ((item.itemState & (ODS_FOCUS | ODS_NOFOCUSRECT)) == ODS_FOCUS)
    {
        CRect rcFocus(rc);
        rcFocus.InflateRect(-FOCUS_INSET, -FOCUS_INSET);
        pDC->DrawFocusRect(&rcFocus);
    }

    CString strText;
    pButton->GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    CRect rcText(rc);
    rcText.left += m_nIndent;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText);
    pDC->DrawText(strText, strText.GetLength(), &rcText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}
