#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const UINT IDC_EDIT = 700;
const UINT IDC_TEXT = 701;
const COLORREF MIDTONE = RGB(120, 130, 140);
const COLORREF BORDER = RGB(20, 60, 200);
const COLORREF DIALOG_BACK = RGB(230, 210, 150);

// Theme colours and the dialog brush for one test, put back afterwards.
struct CThemeColours
{
    CThemeColours() : crBack(g_Registry.m_crDialogBack)
    {
        // The theme's fonts and colours from the system.
        g_Theme.Clear();
        g_Theme.Reset();
        crMidtone = g_Theme.m_crMidtone;
        crBorder = g_Theme.m_crBorder;
        g_Theme.m_crMidtone = MIDTONE;
        g_Theme.m_crBorder = BORDER;
        SetDialogBack(DIALOG_BACK);
    }
    ~CThemeColours()
    {
        g_Theme.m_crMidtone = crMidtone;
        g_Theme.m_crBorder = crBorder;
        SetDialogBack(crBack);
    }
    static void SetDialogBack(COLORREF cr)
    {
        g_Registry.m_crDialogBack = cr;
        g_Registry.m_brDialogBack.DeleteObject();
        g_Registry.m_brDialogBack.CreateSolidBrush(cr);
    }
    COLORREF crMidtone, crBorder, crBack;
};

// A pixel of the whole window (frame included) as the screen shows it.
COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetWindowDC(hWnd);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

int CountColour(const CCapture& capture, COLORREF cr)
{
    int n = 0;
    for (COLORREF crPixel : capture.m_pixels)
        n += crPixel == cr;
    return n;
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
        HWND hEdit = dlg.AddControl(L"Edit", IDC_EDIT, row.dwStyle, 20, 20, 120, 30, L"Text");
        ::SetWindowLongW(hEdit, GWL_EXSTYLE, ::GetWindowLongW(hEdit, GWL_EXSTYLE) | row.dwExStyle);
        ::SetWindowPos(hEdit, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        CSkinEdit edit;
        ASSERT_TRUE(edit.SubclassDlgItem(IDC_EDIT, &dlg));
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
        CHostDialog dlg;
        dlg.AddControl(L"Static", IDC_TEXT, SS_LEFT, 10, 10, 200, 30, L"");
        CSkinStatic text;
        ASSERT_TRUE(text.SubclassDlgItem(IDC_TEXT, &dlg));
        EXPECT_TRUE(text.GetStyle() & SS_NOTIFY);
        text.SetText(L"WWW Hello", row.crText, row.bBold);
        CFont& font = row.bBold ? g_Theme.m_fntBold : g_Theme.m_fntNormal;
        ASSERT_TRUE(font.m_hObject != NULL);
        EXPECT_EQ((HGDIOBJ)font.m_hObject, (HGDIOBJ)text.SendMessage(WM_GETFONT)) << row.bBold;
        KorvoTest::PumpMessages(0);
        CCapture capture(text.m_hWnd);
        EXPECT_GT(CountColour(capture, row.crText), 10) << row.bBold;
        EXPECT_EQ(DIALOG_BACK, capture.At(199, 29));
        // A later text keeps colour and weight.
        text.SetWindowText(L"Other");
        Repaint(text.m_hWnd);
        EXPECT_GT(CountColour(CCapture(text.m_hWnd), row.crText), 5);
        EXPECT_EQ((HGDIOBJ)font.m_hObject, (HGDIOBJ)text.SendMessage(WM_GETFONT));
    }
}

TEST(SkinStatic, BoldTextInksMoreThanNormal)
{
    CThemeColours colours;
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_TEXT, SS_LEFT, 10, 10, 200, 30, L"");
    CSkinStatic text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_TEXT, &dlg));
    const COLORREF INK = RGB(1, 2, 3);
    text.SetText(L"Hello World", INK, FALSE);
    KorvoTest::PumpMessages(0);
    int nNormal = CountColour(CCapture(text.m_hWnd), INK);
    text.SetText(L"Hello World", INK, TRUE);
    KorvoTest::PumpMessages(0);
    int nBold = CountColour(CCapture(text.m_hWnd), INK);
    EXPECT_GT(nBold, nNormal);
}

TEST(SkinStatic, HandCursorShowsOverADisabledStaticAndTheTipComesAndGoes)
{
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_TEXT, SS_LEFT, 10, 10, 100, 20, L"Link");
    CSkinStatic text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_TEXT, &dlg));
    HCURSOR hHand = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    text.SetHandCursor(TRUE);
    EXPECT_EQ(hHand, text.GetHandCursor());
    text.EnableWindow(FALSE);
    ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW));
    text.SendMessage(WM_SETCURSOR, (WPARAM)text.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hHand, ::GetCursor());
    text.SetHandCursor(FALSE);
    EXPECT_EQ(NULL, text.GetHandCursor());

    text.SetToolTip(L"Tip");
    HWND hTip = text.GetToolTipWindow();
    ASSERT_TRUE(::IsWindow(hTip));
    EXPECT_EQ(1, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    text.SetToolTip(L"");
    EXPECT_EQ(0, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    text.SetToolTip(L"Again");
    EXPECT_EQ(1, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    text.DestroyWindow();
}
