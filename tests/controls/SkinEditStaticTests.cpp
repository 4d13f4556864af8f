#include "ControlsTestSupport.h"
#include "api/Globals.h"

using namespace ControlsTest;

namespace
{
const COLORREF MIDTONE = RGB(120, 130, 140);
const COLORREF BORDER = RGB(20, 60, 200);
const COLORREF DIALOG_BACK = RGB(230, 210, 150);

void SetDialogBack(COLORREF cr)
{
    g_Theme.SetColour(SkinColour::DialogBack, cr);
    g_Theme.CreateDialogBackBrush();
}

// The theme's fonts from the system, two theme colours and the dialog brush of the test's own,
// put back afterwards.
struct CThemeColours : CFreshTheme
{
    CThemeColours() : crBack(g_Theme.Colour(SkinColour::DialogBack))
    {
        g_Theme.SetColour(SkinColour::Midtone, MIDTONE);
        g_Theme.SetColour(SkinColour::Border, BORDER);
        SetDialogBack(DIALOG_BACK);
    }
    ~CThemeColours() { SetDialogBack(crBack); }
    COLORREF crBack;
};

// A pixel of the whole window (frame included) as the screen shows it.
COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetWindowDC(hWnd);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}
}

TEST(SkinEdit, FrameIsTwoRingsThenMidtoneFill)
{
    CThemeColours colours;
    struct Row
    {
        DWORD dwStyle, dwExStyle;
        // The border's width: the outer ring, the inner ring, then the midtone fill.
        int nWidth;
    } rows[] = {
        { 0, WS_EX_CLIENTEDGE, 2 },
        { WS_THICKFRAME, 0, 0 },
    };
    for (const Row& row : rows)
    {
        CHostDialog dlg;
        HWND hEdit = dlg.AddControl(L"Edit", 700, row.dwStyle, 20, 20, 120, 30, L"Text");
        ::SetWindowLongW(hEdit, GWL_EXSTYLE, ::GetWindowLongW(hEdit, GWL_EXSTYLE) | row.dwExStyle);
        ::SetWindowPos(hEdit, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        CSkinEdit edit;
        ASSERT_TRUE(edit.SubclassDlgItem(700, &dlg));
        ::RedrawWindow(hEdit, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        KorvoTest::PumpMessages(0);
        CPoint ptClient(0, 0);
        ::ClientToScreen(hEdit, &ptClient);
        CRect rcWindow;
        ::GetWindowRect(hEdit, &rcWindow);
        int nWidth = ptClient.x - rcWindow.left;
        if (row.nWidth)
            ASSERT_EQ(row.nWidth, nWidth) << row.dwStyle;
        else
            ASSERT_GT(nWidth, 2);
        for (int n = 0; n < nWidth; n++)
        {
            COLORREF cr = n == 1 ? BORDER : MIDTONE;
            // Left edge halfway down, top edge halfway across, right and bottom edges.
            EXPECT_EQ(cr, WindowPixel(hEdit, n, 15)) << n;
            EXPECT_EQ(cr, WindowPixel(hEdit, 60, n)) << n;
            EXPECT_EQ(cr, WindowPixel(hEdit, 119 - n, 15)) << n;
            EXPECT_EQ(cr, WindowPixel(hEdit, 60, 29 - n)) << n;
        }
        // The client area is the system's: its window background, not the frame.
        COLORREF crInside = WindowPixel(hEdit, nWidth + 1, 28 - nWidth);
        EXPECT_NE(MIDTONE, crInside);
        EXPECT_NE(BORDER, crInside);
    }
}

TEST(SkinStatic, SetTextGivesColourWeightAndTheDialogBrush)
{
    CThemeColours colours;
    struct Row
    {
        BOOL bBold;
        COLORREF crText;
    } rows[] = { { TRUE, RGB(200, 0, 0) }, { FALSE, RGB(0, 120, 0) } };
    for (const Row& row : rows)
    {
        CControlHost<CSkinStatic> host(L"Static", SS_LEFT, CRect(10, 10, 210, 40));
        CSkinStatic& text = host.control;
        EXPECT_TRUE(text.GetStyle() & SS_NOTIFY);
        text.SetText(L"WWW Hello", row.crText, row.bBold);
        CFont& font = row.bBold ? g_Theme.BoldFont() : g_Theme.NormalFont();
        ASSERT_TRUE(font.m_hObject != NULL);
        EXPECT_EQ((HGDIOBJ)font.m_hObject, (HGDIOBJ)text.SendMessage(WM_GETFONT)) << row.bBold;
        CCapture capture = host.Capture();
        EXPECT_GT(capture.Count(row.crText), 10) << row.bBold;
        EXPECT_EQ(DIALOG_BACK, capture.At(199, 29));
        // A later text keeps colour and weight.
        text.SetWindowText(L"Other");
        EXPECT_GT(host.Paint().Count(row.crText), 5);
        EXPECT_EQ((HGDIOBJ)font.m_hObject, (HGDIOBJ)text.SendMessage(WM_GETFONT));
    }
}

TEST(SkinStatic, HandCursorShowsOverADisabledStaticAndTheTipComesAndGoes)
{
    CControlHost<CSkinStatic> host(L"Static", SS_LEFT, CRect(10, 10, 110, 30), L"Link");
    host.control.SetHandCursor(TRUE);
    host.control.EnableWindow(FALSE);
    ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW));
    host.control.SendMessage(WM_SETCURSOR, (WPARAM)host.control.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(NULL, (LPCWSTR)IDC_HAND), ::GetCursor());
    CheckHandCursorAndToolTip(host.control);
    host.control.DestroyWindow();
}
