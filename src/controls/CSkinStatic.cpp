#include <KorvoSkin/CSkinStatic.h>
#include "ControlTheme.h"
#include "ControlAccessibility.h"
#include "CSkinStaticState.h"

IMPLEMENT_DYNAMIC(CSkinStatic, CStatic)

BEGIN_MESSAGE_MAP(CSkinStatic, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CSkinStatic::CSkinStatic() : m_pState(new CSkinStaticState)
{
}

CSkinStatic::~CSkinStatic()
{
    if (m_pState->toolTip.m_hWnd)
        m_pState->toolTip.DestroyWindow();
}

void CSkinStatic::SetText(CString strText, COLORREF crText, BOOL bBold)
{
    m_pState->crText = crText;
    if (!m_hWnd)
        return;
    SetWindowText(strText);
    const CFont& font = bBold ? ControlTheme::Theme().BoldFont() : ControlTheme::Theme().NormalFont();
    SendMessage(WM_SETFONT, (WPARAM)font.m_hObject, TRUE);
    Invalidate(TRUE);
}

COLORREF CSkinStatic::GetTextColor() const
{
    if (m_pState->crText != NO_COLOUR)
        return m_pState->crText;
    // A label the host never coloured reads as the skin's other control text, dark skins too.
    const COLORREF crSkin = ControlTheme::Theme().Colour(SkinColour::ControlText);
    return crSkin != NO_COLOUR ? crSkin : RGB(0, 0, 0);
}

HCURSOR CSkinStatic::GetHandCursor() const
{
    return m_pState->hCursor;
}

HWND CSkinStatic::GetToolTipWindow() const
{
    return m_pState->toolTip.m_hWnd;
}

void CSkinStatic::SetToolTip(CString strText)
{
    if (!m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!m_pState->toolTip.m_hWnd)
    {
        if (!m_pState->toolTip.Create(this))
            return;
        m_pState->toolTip.AddTool(this, strText, &rcClient, 1);
    }
    if (strText.IsEmpty())
    {
        m_pState->toolTip.DelTool(this, 1);
        return;
    }
    // A tip removed by an empty text comes back with the next text.
    TOOLINFOW existing;
    if (!m_pState->toolTip.GetToolInfo(&existing, this, 1))
        m_pState->toolTip.AddTool(this, strText, &rcClient, 1);
    else
        m_pState->toolTip.UpdateTipText(strText, this, 1);
}

void CSkinStatic::SetHandCursor(BOOL bHand)
{
    if (bHand)
    {
        if (!m_pState->hCursor)
            m_pState->hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    }
    else
        m_pState->hCursor = NULL;
}

void CSkinStatic::PreSubclassWindow()
{
    // Without SS_NOTIFY the static is transparent to the pointer: no cursor, no tip.
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

BOOL CSkinStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_pState->toolTip.m_hWnd && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MOUSEWHEEL)
    {
        ControlTheme::ColourToolTip(m_pState->toolTip.m_hWnd);
        m_pState->toolTip.RelayEvent(pMsg);
    }
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CSkinStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (m_pState->hCursor)
        ::SetCursor(m_pState->hCursor);
    return bResult;
}

HBRUSH CSkinStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(GetTextColor());
    // The text lies on the brush: a label that paints its text opaquely would box it in white.
    pDC->SetBkMode(TRANSPARENT);
    return ControlTheme::DialogBackBrush();
}

LRESULT CSkinStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeStaticText(query);
    });
    return lResult ? lResult : Default();
}
