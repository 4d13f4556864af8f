// Skinned dialogs on real windows: choosing the skin by name, keeping the client area, snapping
// to the work area, the dialog background colour, and the frame driven by real input.
#include "SkinTestSupport.h"
#include <KorvoSkin/CSkinChildDialog.h>
#include <skin/CSkinRegistry.h>
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
using SkinDialog = CSkinnedDialogTest;

CPoint MinTrackSize(CWnd& wnd)
{
    MINMAXINFO mmi = {};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi.ptMinTrackSize;
}

// A client-area pixel of the window after a full repaint of it and its children.
COLORREF RepaintedPixel(HWND hWnd, int x, int y)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CClientDC dc(CWnd::FromHandle(hWnd));
    return dc.GetPixel(x, y);
}
}

TEST_F(SkinDialog, SkinMeTakesTheNewestSkinNamedInFullAndKeepsTheClientAreaToThePixel)
{
    // A skin for "Main" comes after an older one in the document.
    const CRect rcMain(3, 24, 7, 2), rcThick(9, 40, 11, 13), rcThin(1, 8, 1, 1), rcPlainFrame(0, 0, 0, 0);
    defs.Load(defs.Skin(FrameSkin(L"Login")) + defs.Skin(FrameSkin(L"Main", CRect(8, 36, 8, 8)))
              + defs.Skin(FrameSkin(L"Thick", rcThick)) + defs.Skin(FrameSkin(L"Thin", rcThin, false))
              + defs.Skin(FrameSkin(L"Main", rcMain).Xml(L"<target window=\"Other\"/>")) + defs.Skin(FrameSkin(L"A|B"))
              + defs.Skin(FrameSkin(L"F|")) + defs.Skin(FrameSkin(L"|G")));

    EXPECT_FALSE(dlg.SkinMe(L"Main")) << "no window yet";
    ASSERT_TRUE(dlg.CreateAt(120, 110));
    const CSize client = dlg.ClientSize();
    const CRect rcPlain = dlg.WindowRect();
    ASSERT_EQ(CPoint(rcPlain.Width(), rcPlain.Height()), MinTrackSize(dlg));
    ASSERT_LT(rcThin.top + rcThin.bottom, rcPlain.Height() - client.cy) << "the thin skin must be thinner";
    ASSERT_LT(rcThin.left + rcThin.right, rcPlain.Width() - client.cx);

    // A part of a name, another case or no name at all matches nothing, not even across the two
    // targets of one skin, and a target holding the old separator matches no name: the system
    // frame again.
    struct { LPCWSTR pszName; CRect rcFrame; } steps[] = {
        { L"Main", rcMain },       { L"Mai", rcPlainFrame },   { L"Login", MAIN_FRAME }, { L"Main", rcMain },
        { L"main", rcPlainFrame }, { L"Thick", rcThick },      { L"Main|", rcPlainFrame }, { L"Thin", rcThin },
        { L"Thick", rcThick },     { L"", rcPlainFrame },      { L"Thin", rcThin },      { NULL, rcPlainFrame },
        { L"Thin", rcThin },       { L"A", rcPlainFrame },     { L"B", rcPlainFrame },   { L"A|B", rcPlainFrame },
        { L"F", rcPlainFrame },    { L"F|", rcPlainFrame },    { L"|G", rcPlainFrame },  { L"|", rcPlainFrame },
        { L"Thin", rcThin },
    };
    for (const auto& step : steps)
    {
        const bool bSkinned = !step.rcFrame.IsRectNull();
        const LPCWSTR pszName = step.pszName ? step.pszName : L"(null)";
        const CSize expected = bSkinned ? Framed(client, step.rcFrame) : rcPlain.Size();
        EXPECT_EQ(bSkinned, !!dlg.SkinMe(step.pszName)) << pszName;
        EXPECT_EQ(bSkinned ? step.rcFrame : rcPlainFrame, CSkinDialogFrame::SkinOf(dlg) ? CSkinDialogFrame::SkinOf(dlg)->GetFrameThickness(CDpiScale()) : rcPlainFrame) << pszName;
        EXPECT_EQ(!bSkinned, !!(dlg.GetStyle() & WS_CAPTION)) << pszName;
        EXPECT_EQ(client, dlg.ClientSize()) << pszName;
        EXPECT_EQ(CRect(rcPlain.TopLeft(), expected), dlg.WindowRect()) << pszName;
        EXPECT_EQ(CPoint(expected.cx, expected.cy), MinTrackSize(dlg)) << pszName << ": no smaller than the template";
        EXPECT_EQ(bSkinned ? CRect(CPoint(0, 0), expected + CSize(1, 1)) : rcPlainFrame, dlg.RegionBox()) << pszName;
    }
    EXPECT_EQ(S::PART_TOPLEFT, PartAt(dlg.m_hWnd, 2, 2));
    EXPECT_EQ(S::PART_LEFT, PartAt(dlg.m_hWnd, 0, 40));
    dlg.SetWindowPos(NULL, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(client, dlg.ClientSize());

    // A file read after the base definition wins, while older skins' targets still match; the
    // first file is read last.
    defs.Write(L"second.xml", Skins(defs.Skin(FrameSkin(L"Main", CRect(4, 26, 5, 6)), L"")));
    defs.Write(L"skins\\first.xml", Skins(defs.Skin(FrameSkin(L"Main", CRect(4, 28, 5, 6)), L"skins\\")));
    for (auto load : { std::make_pair(L"", 26), std::make_pair(L"skins\\first.xml", 28) })
    {
        LoadSkin(load.first, L"second.xml");
        ASSERT_TRUE(dlg.SkinMe(L"Other"));
        EXPECT_EQ(rcMain, CSkinDialogFrame::SkinOf(dlg)->GetFrameThickness(CDpiScale()));
        ASSERT_TRUE(dlg.SkinMe(L"Main"));
        EXPECT_EQ(CRect(4, load.second, 5, 6), CSkinDialogFrame::SkinOf(dlg)->GetFrameThickness(CDpiScale()));
        EXPECT_EQ(client, dlg.ClientSize());
        EXPECT_EQ(Framed(client, CRect(4, load.second, 5, 6)), dlg.WindowRect().Size());
    }
}

TEST_F(SkinDialog, OneLoadKeepsTheFirstWindowSkinsUpToTheLimit)
{
    const int MAX_WINDOW_SKINS = 256; // as the skin format documents
    const CString strFirst = defs.Skin(FrameSkin(L"T", MAIN_FRAME, false));
    CString strSkins;
    for (int n = 0; n < MAX_WINDOW_SKINS + 10; n++)
    {
        CString strSkin = strFirst, strTarget;
        strTarget.Format(L"\"T%d\"", n);
        strSkin.Replace(L"\"T\"", strTarget);
        strSkins += strSkin;
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateAt(100, 100));
    for (int n : { 0, MAX_WINDOW_SKINS - 1, MAX_WINDOW_SKINS })
    {
        CString strName;
        strName.Format(L"T%d", n);
        EXPECT_EQ(n < MAX_WINDOW_SKINS, !!dlg.SkinMe(strName)) << n;
    }
}

TEST_F(SkinDialog, EdgesWithinFivePixelsOfTheWorkAreaSnapOntoItButNotAtSix)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateAt(200, 200) && dlg.SkinMe(L"Main"));
    const CRect rcWork = WorkArea(dlg);
    const CSize size = dlg.WindowRect().Size();
    const int L = rcWork.left, T = rcWork.top, R = rcWork.right - size.cx, B = rcWork.bottom - size.cy;
    // Where the window is put and where it lands. Far from every edge nothing moves, and a left
    // edge near the work area's right edge is no reason to snap.
    struct { int x, y, xTo, yTo; } moves[] = {
        { L + 5, 200, L, 200 }, { L + 6, 200, L + 6, 200 }, { L - 5, 200, L, 200 },
        { 200, T + 5, 200, T }, { 200, T + 6, 200, T + 6 },
        { R + 5, 200, R, 200 }, { R - 5, 200, R, 200 }, { R - 6, 200, R - 6, 200 },
        { 200, B - 5, 200, B }, { 200, B - 6, 200, B - 6 },
        { 300, 250, 300, 250 }, { rcWork.right - 3, 250, rcWork.right - 3, 250 },
    };
    // Moved and sized together, or moved alone, when the far edges are those of the window as it is.
    for (bool bMoveOnly : { false, true })
        for (const auto& m : moves)
        {
            if (bMoveOnly)
                dlg.SetWindowPos(NULL, m.x, m.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                dlg.MoveWindow(m.x, m.y, size.cx, size.cy);
            EXPECT_EQ(CRect(CPoint(m.xTo, m.yTo), size), dlg.WindowRect())
                << (bMoveOnly ? "moved to " : "placed at ") << m.x << "," << m.y;
        }
}

TEST_F(SkinDialog, StaticsOfSkinnedDialogsAndOfPagesTakeTheSkinsDialogBackground)
{
    const COLORREF crBack = RGB(0x33, 0x66, 0xCC);
    defs.Load(defs.Skin(FrameSkin(L"Main")), L"<colourScheme><colour name=\"dialog.back\" value=\"3366CC\"/></colourScheme>");
    ASSERT_EQ(crBack, GetDialogBkColor());

    ASSERT_TRUE(dlg.CreateAt(170, 160));
    HWND hStatic = ::GetDlgItem(dlg.m_hWnd, CTestSkinDialog::ID_STATIC);
    EXPECT_NE(crBack, RepaintedPixel(hStatic, 5, 5)) << "without a skin the dialog keeps the system colours";
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(crBack, RepaintedPixel(hStatic, 5, 5));
    EXPECT_EQ(crBack, RepaintedPixel(dlg.m_hWnd, dlg.ClientSize().cx - 5, dlg.ClientSize().cy - 5));

    // A page embedded in the dialog needs no skin for it, and keeps the colour when the dialog
    // goes back to the system frame.
    KorvoTest::CDialogTemplate pageTemplate(WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, 120, 60, L"");
    pageTemplate.AddControl(L"Static", CTestSkinDialog::ID_STATIC, SS_LEFT | WS_VISIBLE, 4, 4, 60, 12, L"");
    CSkinChildDialog page;
    ASSERT_TRUE(page.CreateIndirect(pageTemplate.Get(), &dlg));
    page.SetWindowPos(NULL, 100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND hPageStatic = ::GetDlgItem(page.m_hWnd, CTestSkinDialog::ID_STATIC);
    EXPECT_EQ(crBack, RepaintedPixel(hPageStatic, 5, 5));
    EXPECT_FALSE(dlg.SkinMe(L"None"));
    EXPECT_NE(crBack, RepaintedPixel(hStatic, 5, 5));
    EXPECT_EQ(crBack, RepaintedPixel(hPageStatic, 5, 5));

    page.DestroyWindow();
}

// Input ---------------------------------------------------------------------------------------

namespace
{
class SkinDialogInput : public CSkinnedDialogTest
{
protected:
    // A visible, skinned, topmost dialog at (x, y) that real mouse input reaches.
    bool CreateTopmost(int x, int y, const CSkinBuilder& skin = FrameSkin(L"Main"))
    {
        defs.Load(defs.Skin(skin));
        if (!dlg.CreateAt(x, y) || !dlg.SkinMe(L"Main"))
            return false;
        dlg.SetWindowPos(CWnd::FromHandle(HWND_TOPMOST), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawFrame(dlg.m_hWnd);
        return true;
    }
    void TearDown() override { SendMouse(900, 700); }
};

// Runs inside the system's move or size loop: moves the mouse, then releases the button there.
void MoveThenRelease(void* pContext)
{
    CPoint* pTo = (CPoint*)pContext;
    SendMouse(pTo->x - 10, pTo->y - 5);
    SendMouse(pTo->x, pTo->y);
    RunSoon(50, [](void* p) { SendMouse(((CPoint*)p)->x, ((CPoint*)p)->y, MOUSEEVENTF_LEFTUP); }, pTo);
}

void PressAndDrag(const CPoint& ptFrom, const CPoint& ptTo)
{
    static CPoint s_ptTo;
    s_ptTo = ptTo;
    SendMouse(ptFrom.x, ptFrom.y);
    KorvoTest::PumpMessages(30);
    RunSoon(80, MoveThenRelease, &s_ptTo);
    SendMouse(ptFrom.x, ptFrom.y, MOUSEEVENTF_LEFTDOWN);
    KorvoTest::PumpMessages(400);
}
}

TEST_F(SkinDialogInput, RealMouseOnTheCloseButtonHoversPressesAndClosesTheDialogOnRelease)
{
    ASSERT_TRUE(CreateTopmost(300, 200));
    const CRect rc = dlg.WindowRect();
    const int xClose = rc.Width() - 30;
    // Moves the cursor along the caption (pressing or releasing), then lets the messages arrive
    // until the expected state shows.
    auto Mouse = [&](int x, DWORD dwFlags, int nHot, int nPressed, int nLook) {
        SendMouse(rc.left + x, rc.top + 12, dwFlags);
        EXPECT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nHotButton == nHot && CSkinDialogFrame::StateOf(dlg).nPressedButton == nPressed; })) << x;
        EXPECT_EQ(nLook, PartAt(dlg.m_hWnd, xClose, 6)) << x;
    };
    Mouse(xClose + 5, 0, 4, 0, S::PART_CLOSE_HOVER);
    // Leaving the frame for the client area or for another window cools the button; no move over
    // the frame is needed for that.
    for (CPoint pt : { rc.CenterPoint(), CPoint(rc.right + 60, rc.bottom + 60) })
    {
        SendMouse(pt.x, pt.y);
        EXPECT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nHotButton == 0; })) << pt.x;
        EXPECT_EQ(S::PART_CLOSE, PartAt(dlg.m_hWnd, xClose, 6)) << pt.x;
        Mouse(xClose + 5, 0, 4, 0, S::PART_CLOSE_HOVER);
    }
    Mouse(xClose + 5, MOUSEEVENTF_LEFTDOWN, 4, 4, S::PART_CLOSE_DOWN);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd)) << "nothing happens before the release";
    // Held down: leaving shows the button normal but keeps the press; coming back re-arms it.
    Mouse(150, 0, 0, 4, S::PART_CLOSE);
    Mouse(xClose + 5, 0, 4, 4, S::PART_CLOSE_DOWN);
    SendMouse(rc.left + xClose + 5, rc.top + 12, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_hWnd == NULL; }));
    EXPECT_EQ(std::vector<UINT>{ SC_CLOSE }, dlg.m_sysCommands);
    EXPECT_EQ(1, dlg.m_nCancels);
}

// Two dialogs on one skin: each has its own hover and press, so the pointer over one dialog's
// Close button never shows on the other, however the other is repainted.
TEST_F(SkinDialogInput, HoverAndPressOnOneDialogNeverShowOnAnotherOfTheSameSkin)
{
    ASSERT_TRUE(CreateTopmost(300, 200));
    CTestSkinDialog other;
    ASSERT_TRUE(other.CreateAt(300, 450));
    ASSERT_TRUE(other.SkinMe(L"Main"));
    ASSERT_EQ(CSkinDialogFrame::SkinOf(dlg), CSkinDialogFrame::SkinOf(other)) << "one skin shared";
    const CRect rc = dlg.WindowRect();
    const int xClose = rc.Width() - 30;
    ASSERT_EQ(xClose, other.WindowRect().Width() - 30);
    auto OtherLooks = [&](int nLook, const char* pszWhen) {
        RedrawFrame(other.m_hWnd);
        EXPECT_EQ(nLook, PartAt(other.m_hWnd, xClose, 6)) << pszWhen;
        other.SendMessage(WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(nLook, PartAt(other.m_hWnd, xClose, 6)) << pszWhen << ", caption repainted alone";
    };
    SendMouse(rc.left + xClose + 5, rc.top + 12);
    ASSERT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nHotButton == S::ANCHOR_CLOSE; }));
    EXPECT_EQ(S::PART_CLOSE_HOVER, PartAt(dlg.m_hWnd, xClose, 6));
    OtherLooks(S::PART_CLOSE, "the first dialog's Close hovered");
    SendMouse(rc.left + xClose + 5, rc.top + 12, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nPressedButton == S::ANCHOR_CLOSE; }));
    EXPECT_EQ(S::PART_CLOSE_DOWN, PartAt(dlg.m_hWnd, xClose, 6));
    OtherLooks(S::PART_CLOSE, "the first dialog's Close pressed");
    EXPECT_EQ(0, CSkinDialogFrame::StateOf(other).nHotButton);
    EXPECT_EQ(0, CSkinDialogFrame::StateOf(other).nPressedButton);
    // Released away from the button: nothing is posted, and the first dialog cools.
    SendMouse(rc.left + 150, rc.top + 12);
    SendMouse(rc.left + 150, rc.top + 12, MOUSEEVENTF_LEFTUP);
    SendMouse(900, 700);
    EXPECT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nHotButton == 0; }));
    RedrawFrame(dlg.m_hWnd);
    EXPECT_EQ(S::PART_CLOSE, PartAt(dlg.m_hWnd, xClose, 6));
    other.DestroyWindow();
}

// A maximised window's Maximise button shows the skin's Restore looks, or its own without them.
TEST_F(SkinDialogInput, AMaximisedWindowShowsTheRestoreLooksWhenTheSkinHasThem)
{
    CSkinBuilder skin = FrameSkin(L"Main");
    for (LPCWSTR pszLook : { L"Restore", L"RestoreHover", L"RestoreDown" })
        skin.Part(pszLook, 20, 18);
    ASSERT_TRUE(CreateTopmost(250, 180, skin));
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, dlg.WindowRect().Width() - 55, 6)) << "not maximised";
    dlg.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !!dlg.IsZoomed(); }));
    KorvoTest::PumpMessages(30);
    const CRect rcMax = dlg.WindowRect();
    const int xMax = rcMax.Width() - 55;
    EXPECT_EQ(S::PART_RESTORE, PartAt(dlg.m_hWnd, xMax, 6));
    SendMouse(rcMax.left + xMax, rcMax.top + 12);
    EXPECT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nHotButton == S::ANCHOR_MAXIMISE; }));
    EXPECT_EQ(S::PART_RESTORE_HOVER, PartAt(dlg.m_hWnd, xMax, 6));
    SendMouse(rcMax.left + xMax, rcMax.top + 12, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return CSkinDialogFrame::StateOf(dlg).nPressedButton == S::ANCHOR_MAXIMISE; }));
    EXPECT_EQ(S::PART_RESTORE_DOWN, PartAt(dlg.m_hWnd, xMax, 6));
    SendMouse(rcMax.left + xMax, rcMax.top + 12, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsZoomed(); }));
    SendMouse(900, 700);
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, dlg.WindowRect().Width() - 55, 6)) << "restored";

    // Without Restore parts the maximised window keeps the Maximise look.
    dlg.DestroyWindow();
    ASSERT_TRUE(CreateTopmost(250, 180));
    dlg.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !!dlg.IsZoomed(); }));
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, dlg.WindowRect().Width() - 55, 6));
}

TEST_F(SkinDialogInput, DraggingTheCaptionMovesAndDraggingTheBorderResizes)
{
    ASSERT_TRUE(CreateTopmost(200, 150));
    const CRect rc = dlg.WindowRect();
    const CRect rcMoved = rc + CPoint(60, 40);
    const CRect rcWider(rcMoved.left, rcMoved.top, rcMoved.right + 50, rcMoved.bottom);
    // The caption moves; the right resize zone, 4 pixels wide, widens; the bottom one, 3 pixels
    // high, cannot make the dialog smaller than it started.
    struct { CPoint ptFrom; UINT nHit; CSize offset; CRect rcAfter; } drags[] = {
        { CPoint(150, 15), HTCAPTION, CSize(60, 40), rcMoved },
        { CPoint(rc.Width() - 2, 80), HTRIGHT, CSize(50, 0), rcWider },
        { CPoint(100, rc.Height() - 1), HTBOTTOM, CSize(0, -80), rcWider },
    };
    for (const auto& drag : drags)
    {
        ASSERT_EQ(drag.nHit, (UINT)dlg.SendNc(WM_NCHITTEST, 0, drag.ptFrom.x, drag.ptFrom.y));
        const CPoint ptFrom = dlg.WindowRect().TopLeft() + drag.ptFrom;
        PressAndDrag(ptFrom, ptFrom + drag.offset);
        EXPECT_EQ(drag.rcAfter, dlg.WindowRect()) << drag.nHit;
        EXPECT_EQ(Framed(dlg.ClientSize(), MAIN_FRAME), drag.rcAfter.Size()) << drag.nHit;
        EXPECT_EQ(CRect(CPoint(0, 0), drag.rcAfter.Size() + CSize(1, 1)), dlg.RegionBox()) << "the shape follows the size";
    }
}
