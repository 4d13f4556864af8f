// Skinned dialogs on real windows: choosing the skin by name, keeping the client area, the icon,
// the caption on a title change, snapping to the work area, the dialog background colour, and
// the skinned frame driven by mouse input.
#include "SkinDialogTestSupport.h"
#include <theme/CInterfaceTheme.h>
#include <gtest/gtest.h>

using namespace SkinDialogTest;
using SkinTest::WindowPart;
typedef CWindowSkin S;

namespace
{
// Thinner on every side than the system's caption and sizing frame.
CFrame ThinFrame()
{
    CFrame frame = Frame(8, 1, 1, 1);
    frame.bButtons = false;
    return frame;
}

// The window rectangle the system frame puts around a client area of this size.
CSize PlainWindowSize(const CWnd& wnd, const CSize& client)
{
    CRect rc(CPoint(0, 0), client);
    ::AdjustWindowRectEx(&rc, wnd.GetStyle(), FALSE, wnd.GetExStyle());
    return rc.Size();
}

CSize SkinnedWindowSize(const CSize& client, const CFrame& frame)
{
    return CSize(client.cx + frame.nLeft + frame.nRight, client.cy + frame.nTop + frame.nBottom);
}

CPoint MinTrackSize(CWnd& wnd)
{
    MINMAXINFO mmi = {};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi.ptMinTrackSize;
}

// Caption pixels of the caption text colour within the caption band.
int CaptionInk(const SkinTest::CWindowCapture& capture)
{
    int nCount = 0;
    for (int y = 8; y < 24; y++)
        for (int x = 56; x < capture.m_cx - 90; x++)
            nCount += capture.At(x, y) == CAPTION_COLOUR;
    return nCount;
}

// Pixels of the 16 x 16 icon box at the "Icon" anchor that no part of the skin image explains.
int IconInk(const SkinTest::CWindowCapture& capture)
{
    int nCount = 0;
    for (int y = 7; y < 23; y++)
        for (int x = 36; x < 52; x++)
            nCount += SkinTest::Decode(capture.At(x, y)).nPart < 0;
    return nCount;
}

void MakeTopmost(CWnd& wnd)
{
    wnd.SetWindowPos(CWnd::FromHandle(HWND_TOPMOST), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

CRect WorkArea(const CWnd& wnd)
{
    MONITORINFO info = { sizeof(info) };
    ::GetMonitorInfoW(::MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}
}

TEST(SkinDialog, SkinMeTakesTheSkinNamedInFullAndKeepsTheClientArea)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Login", Frame(30), L"Definitions\\", L"login.bmp")
                         + defs.WindowSkin(L"Main", Frame(24, 3, 7, 2), L"Definitions\\", L"main.bmp")));
    LoadSkin(L"", L"");
    ASSERT_EQ(2, g_Registry.m_listWindowSkins.GetCount());

    CTestSkinDialog dlg;
    EXPECT_FALSE(dlg.SkinMe(L"Main")) << "no window yet";
    EXPECT_TRUE(dlg.m_pSkin == NULL);
    ASSERT_TRUE(dlg.CreateAt(120, 110));
    const CSize client = dlg.ClientSize();
    const CRect rcPlain = dlg.WindowRect();
    ASSERT_EQ(PlainWindowSize(dlg, client), rcPlain.Size());

    EXPECT_TRUE(dlg.SkinMe(L"Main"));
    ASSERT_TRUE(dlg.m_pSkin != NULL);
    EXPECT_EQ(g_Registry.FindWindowSkin(L"Main"), dlg.m_pSkin);
    EXPECT_NE(g_Registry.FindWindowSkin(L"Login"), dlg.m_pSkin);
    EXPECT_EQ(24, dlg.m_pSkin->GetFrameThickness().top);
    EXPECT_FALSE(dlg.GetStyle() & WS_CAPTION);
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(rcPlain.TopLeft(), dlg.WindowRect().TopLeft());
    EXPECT_EQ(SkinnedWindowSize(client, Frame(24, 3, 7, 2)), dlg.WindowRect().Size());
    EXPECT_EQ(CRect(CPoint(0, 0), dlg.WindowRect().Size() + CSize(1, 1)), dlg.RegionBox());
    EXPECT_EQ(S::PART_TOPLEFT, WindowPart(dlg.m_hWnd, 2, 2).nPart);
    EXPECT_EQ(S::PART_LEFT, WindowPart(dlg.m_hWnd, 1, 40).nPart);

    // A part of a name, another case, or no name at all matches nothing: back to the system
    // frame around the same client area.
    for (LPCWSTR pszName : { L"Mai", L"main", L"Main|", L"", (LPCWSTR)NULL })
    {
        EXPECT_FALSE(dlg.SkinMe(pszName)) << (pszName ? pszName : L"(null)");
        EXPECT_TRUE(dlg.m_pSkin == NULL);
        EXPECT_TRUE(dlg.GetStyle() & WS_CAPTION);
        EXPECT_EQ(client, dlg.ClientSize());
        EXPECT_EQ(rcPlain, dlg.WindowRect());
        EXPECT_EQ(CRect(0, 0, 0, 0), dlg.RegionBox()) << "no window region on the system frame";
    }

    EXPECT_TRUE(dlg.SkinMe(L"Login"));
    EXPECT_EQ(30, dlg.m_pSkin->GetFrameThickness().top);
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(SkinnedWindowSize(client, Frame(30)), dlg.WindowRect().Size());
    // From one skin straight to another.
    EXPECT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(SkinnedWindowSize(client, Frame(24, 3, 7, 2)), dlg.WindowRect().Size());
    dlg.DestroyWindow();
}

TEST(SkinDialog, TheSkinLoadedLastWins)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"a.bmp")
                         + defs.WindowSkin(L"Other|Main", Frame(24), L"Definitions\\", L"b.bmp")));
    defs.Write(L"second.xml", Skins(defs.WindowSkin(L"Main", Frame(26), L"", L"c.bmp")));
    defs.Write(L"skins\\first.xml", Skins(defs.WindowSkin(L"Main", Frame(28), L"skins\\", L"d.bmp")));

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(130, 120));
    const CSize client = dlg.ClientSize();

    LoadSkin(L"", L"");
    EXPECT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(24, dlg.m_pSkin->GetFrameThickness().top) << "the later one in the document";
    EXPECT_TRUE(dlg.SkinMe(L"Other"));
    EXPECT_EQ(24, dlg.m_pSkin->GetFrameThickness().top);

    LoadSkin(L"", L"second.xml");
    EXPECT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(26, dlg.m_pSkin->GetFrameThickness().top) << "the file read after the base definition";
    EXPECT_TRUE(dlg.SkinMe(L"Other"));
    EXPECT_EQ(24, dlg.m_pSkin->GetFrameThickness().top) << "targets of older skins still match";

    // The first file is read last.
    LoadSkin(L"skins\\first.xml", L"second.xml");
    EXPECT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(28, dlg.m_pSkin->GetFrameThickness().top);
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(SkinnedWindowSize(client, Frame(28)), dlg.WindowRect().Size());
    dlg.DestroyWindow();
}

TEST(SkinDialog, ClientAreaKeepsItsSizeThroughEveryChangeOfFrame)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Thick", Frame(40, 9, 11, 13), L"Definitions\\", L"thick.bmp")
                         + defs.WindowSkin(L"Thin", ThinFrame(), L"Definitions\\", L"thin.bmp")));
    LoadSkin(L"", L"");

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(140, 130));
    const CSize client = dlg.ClientSize();
    const CRect rcPlain = dlg.WindowRect();
    const CSize plain = PlainWindowSize(dlg, client);
    ASSERT_LT(ThinFrame().nTop + ThinFrame().nBottom, plain.cy - client.cy) << "the thin skin must be thinner";
    ASSERT_LT(ThinFrame().nLeft + ThinFrame().nRight, plain.cx - client.cx);
    ASSERT_EQ(CPoint(plain.cx, plain.cy), MinTrackSize(dlg));

    struct { LPCWSTR pszName; CFrame frame; } steps[] = {
        { L"Thick", Frame(40, 9, 11, 13) }, { NULL, CFrame() },   { L"Thin", ThinFrame() },
        { L"Thick", Frame(40, 9, 11, 13) }, { L"Thin", ThinFrame() }, { L"None", CFrame() },
        { L"Thin", ThinFrame() },
    };
    for (const auto& step : steps)
    {
        const bool bSkinned = step.pszName && CString(step.pszName) != L"None";
        EXPECT_EQ(bSkinned, !!dlg.SkinMe(step.pszName));
        const CSize expected = bSkinned ? SkinnedWindowSize(client, step.frame) : plain;
        const LPCWSTR pszName = step.pszName ? step.pszName : L"(none)";
        EXPECT_EQ(client, dlg.ClientSize()) << pszName;
        EXPECT_EQ(expected, dlg.WindowRect().Size()) << pszName;
        EXPECT_EQ(rcPlain.TopLeft(), dlg.WindowRect().TopLeft()) << pszName;
        // The dialog still cannot be made smaller than its template's client area.
        EXPECT_EQ(CPoint(expected.cx, expected.cy), MinTrackSize(dlg)) << pszName;
    }
    dlg.SetWindowPos(NULL, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(client, dlg.ClientSize());
    dlg.DestroyWindow();
}

TEST(SkinDialog, SkinMeWithAnIconSetsTheSmallIconAndDestroysTheOneItReplaces)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"main.bmp")));
    LoadSkin(L"", L"");

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(150, 140));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(0, IconInk(SkinTest::CWindowCapture(dlg.m_hWnd))) << "no icon yet";
    EXPECT_EQ(0, dlg.SendMessage(WM_GETICON, ICON_SMALL, 0));

    // Every skin load gives command 100 the built-in check mark.
    ASSERT_TRUE(dlg.SkinMe(L"Main", ID_DEFAULT_CHECK_MARK));
    HICON hFirst = (HICON)dlg.SendMessage(WM_GETICON, ICON_SMALL, 0);
    ASSERT_TRUE(hFirst != NULL);
    HWND hMapped = NULL;
    EXPECT_TRUE(g_Theme.m_mapIconWindows.Lookup(hFirst, hMapped));
    EXPECT_EQ(dlg.m_hWnd, hMapped);
    SkinTest::RedrawFrame(dlg.m_hWnd);
    EXPECT_GT(IconInk(SkinTest::CWindowCapture(dlg.m_hWnd)), 0) << "the icon is drawn at its anchor";

    ASSERT_TRUE(dlg.SkinMe(L"Main", ID_DEFAULT_CHECK_MARK));
    HICON hSecond = (HICON)dlg.SendMessage(WM_GETICON, ICON_SMALL, 0);
    ASSERT_TRUE(hSecond != NULL);
    EXPECT_NE(hFirst, hSecond);
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(hFirst, &info)) << "the replaced icon is destroyed";
    EXPECT_FALSE(g_Theme.m_mapIconWindows.Lookup(hFirst, hMapped));
    EXPECT_TRUE(g_Theme.m_mapIconWindows.Lookup(hSecond, hMapped));

    // A command with neither image nor icon resource leaves the icon alone, skin or not.
    EXPECT_TRUE(dlg.SkinMe(L"Main", 47110));
    EXPECT_FALSE(dlg.SkinMe(L"Nobody", 47110));
    EXPECT_EQ((LRESULT)hSecond, dlg.SendMessage(WM_GETICON, ICON_SMALL, 0));
    EXPECT_TRUE(::GetIconInfo(hSecond, &info));
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    dlg.DestroyWindow();
}

TEST(SkinDialog, NewTitleRepaintsTheSkinCaptionAndTheDialogStaysVisible)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"main.bmp")));
    LoadSkin(L"", L"");

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(160, 150, L"I"));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    SkinTest::RedrawFrame(dlg.m_hWnd);
    const int nShort = CaptionInk(SkinTest::CWindowCapture(dlg.m_hWnd));
    EXPECT_GT(nShort, 0);

    dlg.SetWindowText(L"WWWWWW");
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.GetStyle() & WS_VISIBLE);
    SkinTest::CWindowCapture afterTitle(dlg.m_hWnd);
    EXPECT_GT(CaptionInk(afterTitle), nShort * 3) << "the longer title is on the caption at once";
    EXPECT_EQ(S::PART_TOP, SkinTest::Decode(afterTitle.At(150, 2)).nPart) << "no system caption drawn over it";

    // What the title change painted is what a full repaint of the frame paints.
    SkinTest::RedrawFrame(dlg.m_hWnd);
    SkinTest::CWindowCapture repainted(dlg.m_hWnd);
    int nDifferent = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < repainted.m_cx; x++)
            nDifferent += afterTitle.At(x, y) != repainted.At(x, y);
    EXPECT_EQ(0, nDifferent);

    CString strTitle;
    dlg.GetWindowText(strTitle);
    EXPECT_EQ(CString(L"WWWWWW"), strTitle);

    // A hidden dialog stays hidden.
    dlg.ShowWindow(SW_HIDE);
    dlg.SetWindowText(L"hidden");
    EXPECT_FALSE(dlg.GetStyle() & WS_VISIBLE);
    dlg.DestroyWindow();
}

TEST(SkinDialog, EdgesWithinFivePixelsOfTheWorkAreaSnapOntoIt)
{
    CSkinDefinitions defs;
    defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"main.bmp")));
    LoadSkin(L"", L"");

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(200, 200));
    for (bool bSkinned : { false, true })
    {
        if (bSkinned)
        {
            ASSERT_TRUE(dlg.SkinMe(L"Main"));
        }
        const CRect rcWork = WorkArea(dlg);
        const CSize size = dlg.WindowRect().Size();
        auto MoveTo = [&](int x, int y, bool bNoSize) {
            if (bNoSize)
                dlg.SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                dlg.MoveWindow(x, y, size.cx, size.cy);
            return dlg.WindowRect();
        };
        for (bool bNoSize : { false, true })
        {
            const char* pszHow = bNoSize ? (bSkinned ? "skinned, no size" : "plain, no size") : (bSkinned ? "skinned" : "plain");
            EXPECT_EQ(rcWork.left, MoveTo(rcWork.left + 5, 200, bNoSize).left) << pszHow;
            EXPECT_EQ(rcWork.left + 6, MoveTo(rcWork.left + 6, 200, bNoSize).left) << pszHow;
            EXPECT_EQ(rcWork.left, MoveTo(rcWork.left - 5, 200, bNoSize).left) << pszHow;
            EXPECT_EQ(rcWork.top, MoveTo(200, rcWork.top + 5, bNoSize).top) << pszHow;
            EXPECT_EQ(rcWork.top + 6, MoveTo(200, rcWork.top + 6, bNoSize).top) << pszHow;
            EXPECT_EQ(rcWork.right, MoveTo(rcWork.right - size.cx - 5, 200, bNoSize).right) << pszHow;
            EXPECT_EQ(rcWork.right - 6, MoveTo(rcWork.right - size.cx - 6, 200, bNoSize).right) << pszHow;
            EXPECT_EQ(rcWork.right, MoveTo(rcWork.right - size.cx + 5, 200, bNoSize).right) << pszHow;
            EXPECT_EQ(rcWork.bottom, MoveTo(200, rcWork.bottom - size.cy - 5, bNoSize).bottom) << pszHow;
            EXPECT_EQ(rcWork.bottom - 6, MoveTo(200, rcWork.bottom - size.cy - 6, bNoSize).bottom) << pszHow;
            // Far from every edge nothing moves, and a window's left edge near the work
            // area's right edge is no reason to snap.
            EXPECT_EQ(CRect(CPoint(300, 250), size), MoveTo(300, 250, bNoSize)) << pszHow;
            EXPECT_EQ(rcWork.right - 3, MoveTo(rcWork.right - 3, 250, bNoSize).left) << pszHow;
            EXPECT_EQ(size, dlg.WindowRect().Size()) << pszHow;
        }
        dlg.MoveWindow(200, 200, size.cx, size.cy);
    }
    dlg.DestroyWindow();
}

namespace
{
// A page for embedding: a static in its top-left corner.
class CTestChildDialog : public CSkinChildDialog
{
public:
    enum { ID_STATIC = 1101 };
    BOOL CreateIn(CWnd* pParent)
    {
        m_pTemplate.reset(new KorvoTest::CDialogTemplate(WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, 120, 60, L""));
        m_pTemplate->AddControl(L"Static", ID_STATIC, SS_LEFT | WS_VISIBLE, 4, 4, 60, 12, L"");
        return CreateIndirect(m_pTemplate->Get(), pParent);
    }
    std::unique_ptr<KorvoTest::CDialogTemplate> m_pTemplate;
};

// A pixel inside a child control, read through the control's own device context.
COLORREF ControlPixel(HWND hControl, int x, int y)
{
    HDC hDC = ::GetDC(hControl);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hControl, hDC);
    return cr;
}
}

TEST(SkinDialog, StaticsAndTheDialogTakeTheSkinsDialogBackground)
{
    const COLORREF crBack = RGB(0x33, 0x66, 0xCC);
    CSkinDefinitions defs;
    defs.WriteBase(L"<colourScheme><colour name=\"dialog.back\" value=\"3366CC\"/></colourScheme>"
                   + Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"main.bmp")));
    LoadSkin(L"", L"");
    ASSERT_EQ(crBack, GetDialogBkColor());

    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(170, 160));
    HWND hStatic = ::GetDlgItem(dlg.m_hWnd, CTestSkinDialog::ID_STATIC);
    ASSERT_TRUE(hStatic != NULL);
    EXPECT_NE(crBack, ControlPixel(hStatic, 5, 5)) << "without a skin the dialog keeps the system colours";

    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(crBack, ControlPixel(hStatic, 5, 5));
    EXPECT_EQ(crBack, ControlPixel(dlg.m_hWnd, dlg.ClientSize().cx - 5, dlg.ClientSize().cy - 5));
    // The answer itself: the registry's brush, with the DC's background colour set.
    HDC hDC = ::GetDC(hStatic);
    ::SetBkColor(hDC, RGB(1, 2, 3));
    EXPECT_EQ((LRESULT)(HBRUSH)g_Registry.m_brDialogBack, dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hStatic));
    EXPECT_EQ(crBack, ::GetBkColor(hDC));
    ::ReleaseDC(hStatic, hDC);

    // A page embedded in the dialog needs no skin for it.
    CTestChildDialog page;
    ASSERT_TRUE(page.CreateIn(&dlg));
    page.SetWindowPos(NULL, 100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    page.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HWND hPageStatic = ::GetDlgItem(page.m_hWnd, CTestChildDialog::ID_STATIC);
    ASSERT_TRUE(hPageStatic != NULL);
    EXPECT_EQ(crBack, ControlPixel(hPageStatic, 5, 5));
    CRect rcPage;
    page.GetClientRect(&rcPage);
    EXPECT_EQ(crBack, ControlPixel(page.m_hWnd, rcPage.right - 3, rcPage.bottom - 3));

    // Unskinned again, the top-level dialog's statics go back to the system colour; the page's
    // stay.
    EXPECT_FALSE(dlg.SkinMe(L"None"));
    dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_NE(crBack, ControlPixel(hStatic, 5, 5));
    EXPECT_EQ(crBack, ControlPixel(hPageStatic, 5, 5));
    page.DestroyWindow();
    dlg.DestroyWindow();
}

TEST(SkinChildDialog, MenusOpenedOnThePageAreDrawnByTheMenuEngine)
{
    // As in a host, a skin is loaded before any menu is drawn.
    CSkinDefinitions defs;
    defs.WriteBase(L"");
    LoadSkin(L"", L"");
    CTestSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateAt(180, 170));
    CTestChildDialog page;
    ASSERT_TRUE(page.CreateIn(&dlg));

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 300, L"Open the file");
    page.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, MAKELPARAM(0, FALSE));
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "prepared for drawing by the engine";

    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = 300;
    measure.itemData = info.dwItemData;
    page.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&measure);
    EXPECT_GT(measure.itemHeight, 0u);
    EXPECT_GT(measure.itemWidth, 20u) << "wide enough for its text";
    // A control's own item is not the menu engine's business.
    MEASUREITEMSTRUCT control = {};
    control.CtlType = ODT_LISTBOX;
    control.CtlID = 77;
    page.SendMessage(WM_MEASUREITEM, 77, (LPARAM)&control);
    EXPECT_EQ(0u, control.itemWidth);

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 200;
    bmi.bmiHeader.biHeight = -40;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    memset(pBits, 0x5A, 200 * 40 * 4);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = 300;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = (HWND)menu.m_hMenu;
    draw.hDC = hDC;
    draw.rcItem = CRect(0, 0, 200, (int)measure.itemHeight);
    draw.itemData = info.dwItemData;
    page.SendMessage(WM_DRAWITEM, 0, (LPARAM)&draw);
    ::GdiFlush();
    int nPainted = 0;
    for (int n = 0; n < 200 * (int)measure.itemHeight; n++)
        nPainted += (pBits[n] & 0xFFFFFF) != 0x5A5A5A;
    EXPECT_GT(nPainted, 200 * (int)measure.itemHeight / 2) << "the item is painted";
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    page.DestroyWindow();
    dlg.DestroyWindow();
}

// Input ---------------------------------------------------------------------------------------

namespace
{
// A visible, skinned, topmost dialog at (x, y) that real mouse input reaches.
struct CInputFixture
{
    CSkinDefinitions defs;
    CTestSkinDialog dlg;
    bool Create(int x, int y)
    {
        defs.WriteBase(Skins(defs.WindowSkin(L"Main", Frame(30), L"Definitions\\", L"main.bmp")));
        LoadSkin(L"", L"");
        if (!dlg.CreateAt(x, y) || !dlg.SkinMe(L"Main"))
            return false;
        MakeTopmost(dlg);
        SkinTest::RedrawFrame(dlg.m_hWnd);
        return true;
    }
    // Sends the messages a click at the window point makes, hit test first.
    UINT Click(int x, int y)
    {
        CRect rc = dlg.WindowRect();
        LPARAM lPoint = MAKELPARAM(rc.left + x, rc.top + y);
        UINT nHit = (UINT)dlg.SendMessage(WM_NCHITTEST, 0, lPoint);
        dlg.SendMessage(WM_NCMOUSEMOVE, nHit, lPoint);
        dlg.SendMessage(WM_NCLBUTTONDOWN, nHit, lPoint);
        if (::IsWindow(dlg.m_hWnd))
            dlg.SendMessage(WM_NCLBUTTONUP, nHit, lPoint);
        KorvoTest::PumpMessages(30);
        return nHit;
    }
};

struct CDrag
{
    CPoint ptTo;
};

// Runs inside the system's move or size loop: moves the mouse, then releases the button there.
void MoveThenRelease(void* pContext)
{
    CDrag* pDrag = (CDrag*)pContext;
    SendMouse(pDrag->ptTo.x - 10, pDrag->ptTo.y - 5);
    SendMouse(pDrag->ptTo.x, pDrag->ptTo.y);
    SkinTest::RunSoon(50, [](void* p) {
        CDrag* pDrag = (CDrag*)p;
        SendMouse(pDrag->ptTo.x, pDrag->ptTo.y, MOUSEEVENTF_LEFTUP);
    }, pDrag);
}

void PressAndDrag(const CPoint& ptFrom, const CPoint& ptTo)
{
    static CDrag drag;
    drag.ptTo = ptTo;
    SendMouse(ptFrom.x, ptFrom.y);
    KorvoTest::PumpMessages(30);
    SkinTest::RunSoon(80, MoveThenRelease, &drag);
    SendMouse(ptFrom.x, ptFrom.y, MOUSEEVENTF_LEFTDOWN);
    KorvoTest::PumpMessages(400);
}

void ChooseFromMenu(void* pContext)
{
    HWND hWnd = (HWND)pContext;
    ::PostMessageW(hWnd, WM_CHAR, 'n', 0);
}
}

TEST(SkinDialogInput, ClickingTheSkinnedCloseButtonClosesTheDialog)
{
    CInputFixture fixture;
    ASSERT_TRUE(fixture.Create(300, 200));
    CTestSkinDialog& dlg = fixture.dlg;
    const CRect rc = dlg.WindowRect();
    const CPoint ptClose(rc.right - 25, rc.top + 12);
    EXPECT_EQ((LRESULT)HTCLOSE, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptClose.x, ptClose.y)));

    SendMouse(ptClose.x, ptClose.y);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_pSkin->m_nHotButton == 4; }));
    EXPECT_EQ(S::PART_CLOSE_HOVER, WindowPart(dlg.m_hWnd, rc.Width() - 30, 6).nPart);
    SendMouse(ptClose.x, ptClose.y, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_pSkin->m_nPressedButton == 4; }));
    EXPECT_EQ(S::PART_CLOSE_DOWN, WindowPart(dlg.m_hWnd, rc.Width() - 30, 6).nPart);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd)) << "nothing happens before the release";
    SendMouse(ptClose.x, ptClose.y, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_hWnd == NULL; }));
    ASSERT_EQ(1u, dlg.m_sysCommands.size());
    EXPECT_EQ((UINT)SC_CLOSE, dlg.m_sysCommands[0]);
    EXPECT_EQ(1, dlg.m_nCancels);
    SendMouse(900, 700);
    KorvoTest::PumpMessages(20);
}

TEST(SkinDialogInput, MinimiseMaximiseRestoreAndTheSystemMenuWorkOnTheSkinnedFrame)
{
    CInputFixture fixture;
    ASSERT_TRUE(fixture.Create(250, 180));
    CTestSkinDialog& dlg = fixture.dlg;
    const CRect rcNormal = dlg.WindowRect();
    const CSize client = dlg.ClientSize();
    const CRect rcRegion = dlg.RegionBox();

    EXPECT_EQ((UINT)HTREDUCE, fixture.Click(rcNormal.Width() - 85, 12));
    EXPECT_TRUE(PumpUntil([&] { return !!dlg.IsIconic(); }));
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    KorvoTest::PumpMessages(30);
    EXPECT_FALSE(dlg.IsIconic());
    EXPECT_EQ(rcNormal, dlg.WindowRect());
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(rcRegion, dlg.RegionBox());

    EXPECT_EQ((UINT)HTZOOM, fixture.Click(rcNormal.Width() - 55, 12));
    EXPECT_TRUE(PumpUntil([&] { return !!dlg.IsZoomed(); }));
    EXPECT_EQ(WorkArea(dlg), dlg.WindowRect());
    EXPECT_EQ(CRect(0, 0, 0, 0), dlg.RegionBox());
    const CRect rcWork = WorkArea(dlg);
    EXPECT_EQ(CSize(rcWork.Width() - 9, rcWork.Height() - 36), dlg.ClientSize());
    EXPECT_EQ((UINT)HTZOOM, fixture.Click(rcWork.Width() - 55, 12)) << "the button follows the right edge";
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsZoomed(); }));
    EXPECT_EQ(rcNormal, dlg.WindowRect());
    EXPECT_EQ(client, dlg.ClientSize());
    EXPECT_EQ(rcRegion, dlg.RegionBox());

    // The system button opens the system menu; its Minimize item minimises.
    SkinTest::RunSoon(50, ChooseFromMenu, dlg.m_hWnd);
    EXPECT_EQ((UINT)HTSYSMENU, fixture.Click(15, 12));
    EXPECT_TRUE(PumpUntil([&] { return !!dlg.IsIconic(); }));
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(rcNormal, dlg.WindowRect());
    std::vector<UINT> expected = { SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_RESTORE, SC_MINIMIZE, SC_RESTORE };
    EXPECT_EQ(expected, dlg.m_sysCommands);
    dlg.DestroyWindow();
}

TEST(SkinDialogInput, DraggingTheCaptionMovesAndDraggingTheBorderResizes)
{
    CInputFixture fixture;
    ASSERT_TRUE(fixture.Create(200, 150));
    CTestSkinDialog& dlg = fixture.dlg;
    const CRect rcStart = dlg.WindowRect();
    const CSize client = dlg.ClientSize();

    const CPoint ptCaption(rcStart.left + 150, rcStart.top + 15);
    ASSERT_EQ((LRESULT)HTCAPTION, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
    PressAndDrag(ptCaption, ptCaption + CPoint(60, 40));
    CRect rcMoved = dlg.WindowRect();
    EXPECT_EQ(rcStart + CPoint(60, 40), rcMoved);
    EXPECT_EQ(client, dlg.ClientSize());

    // The skin's right resize zone is 4 pixels wide.
    const CPoint ptRight(rcMoved.right - 2, rcMoved.top + 80);
    ASSERT_EQ((LRESULT)HTRIGHT, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptRight.x, ptRight.y)));
    PressAndDrag(ptRight, ptRight + CPoint(50, 0));
    CRect rcSized = dlg.WindowRect();
    EXPECT_EQ(CRect(rcMoved.left, rcMoved.top, rcMoved.right + 50, rcMoved.bottom), rcSized);
    EXPECT_EQ(client + CSize(50, 0), dlg.ClientSize());
    EXPECT_EQ(CRect(CPoint(0, 0), rcSized.Size() + CSize(1, 1)), dlg.RegionBox()) << "the shape follows the size";

    // The bottom zone is 3 pixels high; the dialog cannot become smaller than it started.
    const CPoint ptBottom(rcSized.left + 100, rcSized.bottom - 1);
    ASSERT_EQ((LRESULT)HTBOTTOM, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptBottom.x, ptBottom.y)));
    PressAndDrag(ptBottom, ptBottom - CPoint(0, 80));
    EXPECT_EQ(rcSized.Width(), dlg.WindowRect().Width());
    EXPECT_EQ(client.cy, dlg.ClientSize().cy);
    SendMouse(900, 700);
    dlg.DestroyWindow();
}
