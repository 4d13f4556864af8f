#include <KorvoSkin/CSkinEdit.h>
#include "ControlTheme.h"
#include "ControlAccessibility.h"

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
    Default();
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
