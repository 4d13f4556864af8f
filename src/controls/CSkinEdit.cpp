#include <KorvoSkin/CSkinEdit.h>
#include "ControlTheme.h"
#include "ControlAccessibility.h"
#include "DisabledText.h"

IMPLEMENT_DYNAMIC(CSkinEdit, CEdit)

BEGIN_MESSAGE_MAP(CSkinEdit, CEdit)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CSkinEdit::CSkinEdit()
{
}

CSkinEdit::~CSkinEdit()
{
}

void CSkinEdit::OnPaint()
{
    // The system greys a disabled edit's text whatever its parent answers: with a disabled
    // colour from the skin the text is drawn here instead, where the system would put it.
    COLORREF crDisabled = ControlTheme::Theme().ControlColours(ControlPart::EditDisabled).crText;
    if (IsWindowEnabled() || crDisabled == NO_COLOUR)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient, rcFormat;
    GetClientRect(&rcClient);
    SendMessage(EM_GETRECT, 0, (LPARAM)&rcFormat);
    CString strText;
    GetWindowText(strText);
    DWORD dwStyle = GetStyle();
    wchar_t chPassword = (wchar_t)SendMessage(EM_GETPASSWORDCHAR);
    if (chPassword)
        for (int n = 0; n < strText.GetLength(); n++)
            strText.SetAt(n, chPassword);
    UINT nFormat = dwStyle & ES_CENTER ? DT_CENTER : dwStyle & ES_RIGHT ? DT_RIGHT : DT_LEFT;
    // From the first character in view: a line's for a multi-line edit, a character's otherwise.
    int nFirst = (int)SendMessage(EM_GETFIRSTVISIBLELINE);
    if (dwStyle & ES_MULTILINE)
    {
        nFirst = (int)SendMessage(EM_LINEINDEX, (WPARAM)nFirst);
        nFormat |= DT_EDITCONTROL | DT_WORDBREAK;
    }
    else
        nFormat |= DT_SINGLELINE;
    if (nFirst > 0 && nFirst < strText.GetLength())
        strText = strText.Mid(nFirst);
    DrawDisabledText(m_hWnd, dc.m_hDC, rcClient, rcFormat, strText, nFormat, crDisabled);
}

void CSkinEdit::OnNcPaint()
{
    CWindowDC dc(this);
    if (!dc.GetSafeHdc())
        return;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    // Both in window coordinates: the client area sits where its origin lies on the screen.
    CPoint ptClient(0, 0);
    ClientToScreen(&ptClient);
    rcClient.OffsetRect(ptClient.x - rcWindow.left, ptClient.y - rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);

    COLORREF crMidtone = ControlTheme::Theme().Colour(SkinColour::Midtone);
    CBrush brFill(crMidtone);
    dc.FillRect(&rcWindow, &brFill);
    dc.Draw3dRect(&rcWindow, crMidtone, crMidtone);
    CRect rcInner(1, 1, rcWindow.right - 1, rcWindow.bottom - 1);
    dc.Draw3dRect(&rcInner, ControlTheme::Theme().Colour(SkinColour::Border), ControlTheme::Theme().Colour(SkinColour::Border));
}

LRESULT CSkinEdit::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeEditableText(m_hWnd, query, false);
    });
    return lResult ? lResult : Default();
}
