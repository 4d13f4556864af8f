#include <KorvoSkin/CSkinStatic.h>
#include "ControlTheme.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CSkinStatic, CStatic)

BEGIN_MESSAGE_MAP(CSkinStatic, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CSkinStatic::CSkinStatic() : m_crTextColor(RGB(0, 0, 0)), m_hCursor(NULL)
{
}

CSkinStatic::~CSkinStatic()
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.DestroyWindow();
}

void CSkinStatic::SetText(CString strText, COLORREF crText, BOOL bBold)
{
    m_crTextColor = crText;
    if (!m_hWnd)
        return;
    SetWindowText(strText);
    const CFont& font = bBold ? ControlTheme::Theme().m_fntBold : ControlTheme::Theme().m_fntNormal;
    SendMessage(WM_SETFONT, (WPARAM)font.m_hObject, TRUE);
    Invalidate(TRUE);
}

void CSkinStatic::SetToolTip(CString strText)
{
    if (!m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!m_ToolTip.m_hWnd)
    {
        if (!m_ToolTip.Create(this))
            return;
        m_ToolTip.AddTool(this, strText, &rcClient, 1);
    }
    if (strText.IsEmpty())
    {
        m_ToolTip.DelTool(this, 1);
        return;
    }
    // A tip removed by an empty text comes back with the next text.
    TOOLINFOW existing;
    if (!m_ToolTip.GetToolInfo(&existing, this, 1))
        m_ToolTip.AddTool(this, strText, &rcClient, 1);
    else
        m_ToolTip.UpdateTipText(strText, this, 1);
}

void CSkinStatic::SetHandCursor(BOOL bHand)
{
    if (bHand)
    {
        if (!m_hCursor)
            m_hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    }
    else
        m_hCursor = NULL;
}

void CSkinStatic::PreSubclassWindow()
{
    // Without SS_NOTIFY the static is transparent to the pointer: no cursor, no tip.
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

BOOL CSkinStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MOUSEWHEEL)
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CSkinStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (m_hCursor)
        ::SetCursor(m_hCursor);
    return bResult;
}

HBRUSH CSkinStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crTextColor);
    return ControlTheme::DialogBackBrush();
}

LRESULT CSkinStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeStaticText(query);
    });
    return lResult ? lResult : Default();
}
