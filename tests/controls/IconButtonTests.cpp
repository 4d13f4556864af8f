#include "ControlsTestSupport.h"
#include "api/Globals.h"

using namespace ControlsTest;

namespace
{
const COLORREF ICON_COLOUR = RGB(200, 30, 40);

// A 100 by 30 button at (10, 10), with a solid icon unless told otherwise, the focus elsewhere.
struct CIconHost : CFreshTheme, CControlHost<CIconButton>
{
    CIconHost(LPCWSTR pszText, BOOL bIcon = TRUE)
        : CControlHost<CIconButton>(L"Button", BS_PUSHBUTTON | WS_TABSTOP, CRect(10, 10, 110, 40), pszText)
    {
        if (bIcon)
            control.SetIcon(MakeSolidIcon(ICON_COLOUR));
        dlg.FocusElsewhere();
        Repaint(dlg.m_hWnd);
    }
    // Leftmost column with caption ink (the theme's text colour) inside the caption area.
    int CaptionStart()
    {
        return Capture().FirstColumn(CRect(22, 2, 99, 28), [](COLORREF cr) { return cr == g_Theme.Colour(SkinColour::CmdText); });
    }
    CSize CaptionSize()
    {
        CClientDC dc(&control);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, g_Theme.NormalFont().m_hObject);
        CString strText;
        control.GetWindowText(strText);
        SIZE size = { 0, 0 };
        ::GetTextExtentPoint32W(dc.m_hDC, strText, strText.GetLength(), &size);
        ::SelectObject(dc.m_hDC, hOld);
        return size;
    }
};
}

TEST(IconButton, TakesTheOwnerDrawTypeAndOwnsItsIcon)
{
    CIconHost host(L"Caption", FALSE);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, host.control.GetStyle() & BS_TYPEMASK);
    HICON hIcon = MakeSolidIcon(ICON_COLOUR);
    host.control.SetIcon(hIcon);
    EXPECT_EQ(1, host.control.GetIconCount());
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(hIcon, &info));
    host.control.SetIcon(NULL);
    host.control.SetIcon(MakeSolidIcon(RGB(1, 2, 3)));
    EXPECT_EQ(1, host.control.GetIconCount());
}

TEST(IconButton, LayoutOfIconAndCaption)
{
    CIconHost host(L"Caption");
    CSize size = host.CaptionSize();
    CCapture capture = host.Capture();
    const COLORREF crFill = g_Theme.Colour(SkinColour::BackNormal);
    struct Row
    {
        int x, y;
        COLORREF cr;
    } rows[] = {
        { 0, 0, g_Theme.Colour(SkinColour::SysShadow) }, { 99, 29, g_Theme.Colour(SkinColour::SysShadow) },
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

    host.control.SetLeftAlin(true);
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
        EXPECT_EQ(g_Theme.Colour(SkinColour::SysShadow), capture.At(0, 15));
        EXPECT_EQ(g_Theme.Colour(SkinColour::SysShadow), capture.At(50, 29));
        EXPECT_NE(g_Theme.Colour(SkinColour::BackNormal), capture.At(50, 15));
    }
}

TEST(IconButton, FiveLooks)
{
    CFreshTheme theme;
    auto hover = [](CIconButton& button) {
        MovePointer(button.m_hWnd, 60, 15);
        EXPECT_TRUE(PumpUntil([&] { return button.IsHover(); }));
    };
    struct Row
    {
        const char* pszLook;
        std::function<void(CIconButton&)> fnDo;
        COLORREF crFrame, crFill;
        // The icon's top-left corner; none where it is blended toward the disabled colour.
        POINT ptIcon;
        bool bHover;
    } rows[] = {
        { "normal", [](CIconButton&) {}, g_Theme.Colour(SkinColour::SysShadow), g_Theme.Colour(SkinColour::BackNormal), { 3, 7 }, false },
        { "focused", [](CIconButton& b) { b.SetFocus(); }, g_Theme.Colour(SkinColour::Border), g_Theme.Colour(SkinColour::BackNormal), { 3, 7 },
          false },
        // Lifted, with its shadow below and right of it.
        { "hovered", hover, g_Theme.Colour(SkinColour::Border), g_Theme.Colour(SkinColour::BackSel), { 2, 6 }, true },
        { "pressed", [&](CIconButton& b) { hover(b); b.SetState(TRUE); }, g_Theme.Colour(SkinColour::Border), g_Theme.Colour(SkinColour::BackCheckSel),
          { 3, 7 }, true },
        { "disabled", [](CIconButton& b) { b.EnableWindow(FALSE); }, g_Theme.Colour(SkinColour::SysShadow), g_Theme.Colour(SkinColour::Midtone),
          { -1, -1 }, false },
        // Pressed from the keyboard, the pointer elsewhere: the focused look.
        { "key pressed", [](CIconButton& b) { b.SetFocus(); b.SetState(TRUE); }, g_Theme.Colour(SkinColour::Border),
          g_Theme.Colour(SkinColour::BackNormal), { 3, 7 }, false },
    };
    for (const Row& row : rows)
    {
        CIconHost host(L"Caption");
        row.fnDo(host.control);
        CCapture capture = host.Capture();
        EXPECT_EQ(row.crFrame, capture.At(0, 0)) << row.pszLook;
        EXPECT_EQ(row.crFrame, capture.At(99, 15)) << row.pszLook;
        EXPECT_EQ(row.crFill, capture.At(1, 1)) << row.pszLook;
        EXPECT_EQ(row.crFill, capture.At(97, 27)) << row.pszLook;
        POINT pt = row.ptIcon;
        if (pt.x >= 0)
        {
            EXPECT_EQ(ICON_COLOUR, capture.At(pt.x, pt.y)) << row.pszLook;
            EXPECT_EQ(ICON_COLOUR, capture.At(pt.x + 15, pt.y + 15)) << row.pszLook;
        }
        else
        {
            EXPECT_NE(ICON_COLOUR, capture.At(3, 7));
            EXPECT_NE(row.crFill, capture.At(3, 7));
        }
        if (pt.x == 2)
        {
            EXPECT_EQ(g_Theme.Colour(SkinColour::SysShadow), capture.At(19, 23));
        }
        host.control.SetState(FALSE);
        MovePointerAway();
        if (row.bHover)
        {
            // The platform's leave notification ends the hover.
            ASSERT_TRUE(PumpUntil([&] { return !host.control.IsHover(); }));
            EXPECT_EQ(g_Theme.Colour(SkinColour::BackNormal), host.Capture().At(1, 1));
        }
    }
}

TEST(IconButton, CommandIconsComeFromTheTheme)
{
    CIconHost host(L"Caption", FALSE);
    HICON hIcon = MakeSolidIcon(RGB(20, 180, 60));
    g_Theme.AddIcon(4321, hIcon, SIZE_CODE_16);
    ::DestroyIcon(hIcon);
    host.control.SetCoolIcon(4321);
    EXPECT_EQ(1, host.control.GetIconCount());
    EXPECT_EQ(RGB(20, 180, 60), host.Capture().At(5, 10));
    // A command without an image keeps the icon.
    host.control.SetCoolIcon(4322);
    EXPECT_EQ(1, host.control.GetIconCount());
    EXPECT_EQ(RGB(20, 180, 60), host.Capture().At(5, 10));
}
