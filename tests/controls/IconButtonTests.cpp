#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const UINT IDC_ICON_BUTTON = 500;
const UINT IDC_OTHER = 501;
const COLORREF ICON_COLOUR = RGB(200, 30, 40);

struct CIconHost
{
    CIconHost(LPCWSTR pszText, BOOL bIcon = TRUE)
    {
        g_Theme.Clear();
        g_Theme.Reset();
        dlg.AddControl(L"Button", IDC_OTHER, BS_PUSHBUTTON | WS_TABSTOP, 200, 10, 60, 20, L"Other");
        dlg.AddControl(L"Button", IDC_ICON_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 100, 30, pszText);
        EXPECT_TRUE(button.SubclassDlgItem(IDC_ICON_BUTTON, &dlg));
        if (bIcon)
            button.SetIcon(MakeSolidIcon(ICON_COLOUR));
        MovePointerAway();
        ::SetFocus(dlg.GetDlgItem(IDC_OTHER)->m_hWnd);
        Repaint(dlg.m_hWnd);
    }
    CCapture Capture()
    {
        KorvoTest::PumpMessages(0);
        return CCapture(button.m_hWnd);
    }
    // Leftmost column with caption ink (the theme's text colour) inside the caption area.
    int CaptionStart()
    {
        CCapture capture = Capture();
        for (int x = 22; x < 99; x++)
            for (int y = 2; y < 28; y++)
                if (capture.At(x, y) == g_Theme.m_crCmdText)
                    return x;
        return -1;
    }
    CSize CaptionSize()
    {
        CClientDC dc(&button);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, g_Theme.m_fntNormal.m_hObject);
        CString strText;
        button.GetWindowText(strText);
        SIZE size = { 0, 0 };
        ::GetTextExtentPoint32W(dc.m_hDC, strText, strText.GetLength(), &size);
        ::SelectObject(dc.m_hDC, hOld);
        return size;
    }
    CHostDialog dlg;
    CIconButton button;
};
}

TEST(IconButton, TakesTheOwnerDrawTypeAndOwnsItsIcon)
{
    CIconHost host(L"Caption", FALSE);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, host.button.GetStyle() & BS_TYPEMASK);
    HICON hIcon = MakeSolidIcon(ICON_COLOUR);
    host.button.SetIcon(hIcon);
    EXPECT_EQ(1, host.button.GetIconCount());
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(hIcon, &info));
    host.button.SetIcon(NULL);
    host.button.SetIcon(MakeSolidIcon(RGB(1, 2, 3)));
    EXPECT_EQ(1, host.button.GetIconCount());
}

TEST(IconButton, LayoutOfIconAndCaption)
{
    CIconHost host(L"Caption");
    CSize size = host.CaptionSize();
    CCapture capture = host.Capture();
    const COLORREF crFill = g_Theme.m_crBackNormal;
    struct Row
    {
        int x, y;
        COLORREF cr;
    } rows[] = {
        { 0, 0, g_Theme.m_crSysShadow }, { 99, 29, g_Theme.m_crSysShadow },
        // The icon at (3, 7) in the filled column (1, 1, 22, 29).
        { 3, 7, ICON_COLOUR }, { 18, 22, ICON_COLOUR }, { 2, 7, crFill }, { 19, 7, crFill }, { 3, 23, crFill },
        { 1, 1, crFill }, { 21, 28, crFill },
        // The caption's opaque rectangle (22, 1, 99, 29).
        { 22, 2, crFill }, { 98, 28, crFill },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.cr, capture.At(row.x, row.y)) << row.x << "," << row.y;
    int nCentred = (22 + 99) / 2 - size.cx / 2;
    EXPECT_GE(host.CaptionStart(), nCentred);
    EXPECT_LE(host.CaptionStart(), nCentred + 2);

    host.button.SetLeftAlin(true);
    EXPECT_GE(host.CaptionStart(), 24);
    EXPECT_LE(host.CaptionStart(), 26);
}

TEST(IconButton, IconAloneIsCentredAndNothingShowsOnlyTheFrame)
{
    {
        CIconHost host(L"");
        CCapture capture = host.Capture();
        EXPECT_EQ(ICON_COLOUR, capture.At(42, 7));
        EXPECT_EQ(ICON_COLOUR, capture.At(57, 22));
        EXPECT_NE(ICON_COLOUR, capture.At(41, 7));
        EXPECT_NE(ICON_COLOUR, capture.At(58, 22));
    }
    {
        CIconHost host(L"", FALSE);
        CCapture capture = host.Capture();
        EXPECT_EQ(g_Theme.m_crSysShadow, capture.At(0, 15));
        EXPECT_EQ(g_Theme.m_crSysShadow, capture.At(50, 29));
        EXPECT_NE(g_Theme.m_crBackNormal, capture.At(50, 15));
    }
}

TEST(IconButton, FiveLooks)
{
    g_Theme.Clear();
    g_Theme.Reset();
    enum Look { NORMAL, FOCUSED, HOVERED, PRESSED, DISABLED, KEY_PRESSED };
    struct Row
    {
        Look look;
        COLORREF crFrame, crFill;
        POINT ptIcon;
    } rows[] = {
        { NORMAL, g_Theme.m_crSysShadow, g_Theme.m_crBackNormal, { 3, 7 } },
        { FOCUSED, g_Theme.m_crBorder, g_Theme.m_crBackNormal, { 3, 7 } },
        { HOVERED, g_Theme.m_crBorder, g_Theme.m_crBackSel, { 2, 6 } },
        { PRESSED, g_Theme.m_crBorder, g_Theme.m_crBackCheckSel, { 3, 7 } },
        { DISABLED, g_Theme.m_crSysShadow, g_Theme.m_crMidtone, { -1, -1 } },
        // Pressed from the keyboard, the pointer elsewhere: the focused look.
        { KEY_PRESSED, g_Theme.m_crBorder, g_Theme.m_crBackNormal, { 3, 7 } },
    };
    for (const Row& row : rows)
    {
        CIconHost host(L"Caption");
        // The theme was reset by the host: read the colours again.
        COLORREF crFrame = row.crFrame, crFill = row.crFill;
        switch (row.look)
        {
        case FOCUSED:
            host.button.SetFocus();
            break;
        case HOVERED:
        case PRESSED:
            MovePointer(host.button.m_hWnd, 60, 15);
            ASSERT_TRUE(PumpUntil([&] { return host.button.IsHover(); }));
            if (row.look == PRESSED)
                host.button.SetState(TRUE);
            break;
        case DISABLED:
            host.button.EnableWindow(FALSE);
            break;
        case KEY_PRESSED:
            host.button.SetFocus();
            host.button.SetState(TRUE);
            break;
        default:
            break;
        }
        CCapture capture = host.Capture();
        EXPECT_EQ(crFrame, capture.At(0, 0)) << row.look;
        EXPECT_EQ(crFrame, capture.At(99, 15)) << row.look;
        EXPECT_EQ(crFill, capture.At(1, 1)) << row.look;
        EXPECT_EQ(crFill, capture.At(97, 27)) << row.look;
        if (row.ptIcon.x >= 0)
        {
            EXPECT_EQ(ICON_COLOUR, capture.At(row.ptIcon.x, row.ptIcon.y)) << row.look;
            EXPECT_EQ(ICON_COLOUR, capture.At(row.ptIcon.x + 15, row.ptIcon.y + 15)) << row.look;
        }
        else
        {
            // Blended toward the disabled colour.
            EXPECT_NE(ICON_COLOUR, capture.At(3, 7));
            EXPECT_NE(crFill, capture.At(3, 7));
        }
        if (row.look == HOVERED)
        {
            // The icon's shadow below and right of the lifted icon.
            EXPECT_EQ(g_Theme.m_crSysShadow, capture.At(19, 23));
            EXPECT_EQ(crFill, capture.At(1, 1));
        }
        host.button.SetState(FALSE);
        MovePointerAway();
        if (row.look == HOVERED || row.look == PRESSED)
        {
            // The platform's leave notification ends the hover.
            ASSERT_TRUE(PumpUntil([&] { return !host.button.IsHover(); }));
            EXPECT_EQ(g_Theme.m_crBackNormal, host.Capture().At(1, 1));
        }
    }
}

TEST(IconButton, CommandIconsComeFromTheTheme)
{
    CIconHost host(L"Caption", FALSE);
    HICON hIcon = MakeSolidIcon(RGB(20, 180, 60));
    g_Theme.AddIcon(4321, hIcon, SIZE_CODE_16);
    ::DestroyIcon(hIcon);
    host.button.SetCoolIcon(4321);
    EXPECT_EQ(1, host.button.GetIconCount());
    EXPECT_EQ(RGB(20, 180, 60), host.Capture().At(5, 10));
    // A command without an image keeps the icon.
    host.button.SetCoolIcon(4322);
    EXPECT_EQ(1, host.button.GetIconCount());
    EXPECT_EQ(RGB(20, 180, 60), host.Capture().At(5, 10));
}

TEST(IconButton, SameTextCausesNoRepaint)
{
    CIconHost host(L"Caption");
    host.button.ValidateRect(NULL);
    host.button.SetText(L"Caption");
    EXPECT_FALSE(::GetUpdateRect(host.button.m_hWnd, NULL, FALSE));
    host.button.SetText(L"caption");
    EXPECT_TRUE(::GetUpdateRect(host.button.m_hWnd, NULL, FALSE));
}
