// Skinned dialogs told a DPI as the system tells a window moved to another monitor: the frame,
// the caption buttons, the caption font and the tracking sizes follow it, and many changes leave
// no objects behind.
#include "SkinTestSupport.h"
#include <KorvoSkin/CSkinChildDialog.h>
#include <parts/CWindowDpi.h>
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
using SkinDpi = CSkinnedDialogTest;

void TellDpi(CWnd& wnd, UINT nDpi, const CRect& rcSuggested)
{
    wnd.SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
}

CPoint MinTrackSize(CWnd& wnd)
{
    MINMAXINFO mmi = {};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi.ptMinTrackSize;
}

// A child page anchored to its parent's bottom-right corner, which reports its child's place.
class CPage : public CSkinChildDialog
{
public:
    using CResizableLayout::AddAnchor;
};
}

TEST_F(SkinDpi, FrameButtonsAndCaptionFontFollowTheToldDpi)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    const CPoint ptMinTrack = MinTrackSize(dlg);

    for (UINT nDpi : { 144u, 192u, 96u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        const CRect rcSuggested(80, 90, 80 + s.Scale(400), 90 + s.Scale(200));
        TellDpi(dlg, nDpi, rcSuggested);
        EXPECT_EQ(nDpi, CWindowDpi::Of(dlg.m_hWnd));
        ASSERT_EQ(rcSuggested, dlg.WindowRect());
        const int cx = rcSuggested.Width(), cy = rcSuggested.Height();

        // The frame is 4, 30, 5 and 6 thick at 96 DPI.
        EXPECT_EQ(CRect(s.Scale(4), s.Scale(30), cx - s.Scale(5), cy - s.Scale(6)), ClientInWindow(dlg));
        EXPECT_EQ(CRect(0, 0, cx + 1, cy + 1), dlg.RegionBox());
        // Scaled from the last DPI each time, so within a pixel of the size at this DPI.
        const CPoint ptTrack = MinTrackSize(dlg);
        EXPECT_LE(abs(ptTrack.x - s.Scale(ptMinTrack.x)), 1) << ptTrack.x;
        EXPECT_LE(abs(ptTrack.y - s.Scale(ptMinTrack.y)), 1) << ptTrack.y;

        // Close is 20 x 18 at (-30, 6); the resize border 6, 5, 4, 3.
        const CRect rcClose(CPoint(cx - s.Scale(30), s.Scale(6)), CSize(s.Scale(20), s.Scale(18)));
        EXPECT_EQ(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.left, rcClose.top));
        EXPECT_EQ(HTCLOSE, dlg.SendNc(WM_NCHITTEST, 0, rcClose.right - 1, rcClose.bottom - 1));
        EXPECT_EQ(HTCAPTION, dlg.SendNc(WM_NCHITTEST, 0, rcClose.right, rcClose.bottom - 1));
        EXPECT_EQ(HTLEFT, dlg.SendNc(WM_NCHITTEST, 0, s.Scale(6) - 1, cy / 2));
        EXPECT_EQ(HTBORDER, dlg.SendNc(WM_NCHITTEST, 0, s.Scale(6), cy - s.Scale(6)));

        // Parts drawn larger take their pixels nearest-neighbour: the last column of a box shows
        // the part's last column.
        RedrawFrame(dlg.m_hWnd);
        const CWindowCapture capture(dlg.m_hWnd);
        EXPECT_EQ((PartPixel{ S::PART_CLOSE, 0, 0 }), capture.Part(rcClose.left, rcClose.top));
        EXPECT_EQ((PartPixel{ S::PART_CLOSE, 19, 17 }), capture.Part(rcClose.right - 1, rcClose.bottom - 1));
        EXPECT_EQ((PartPixel{ S::PART_TOPLEFT, 9, 0 }), capture.Part(s.Scale(10) - 1, 0));
        EXPECT_EQ((PartPixel{ S::PART_TOP, 0, 0 }), capture.Part(s.Scale(10), 0));
        EXPECT_EQ(S::PART_LEFT, capture.Part(s.Scale(4) - 1, cy / 2).nPart);
        EXPECT_EQ(3, capture.Part(s.Scale(4) - 1, cy / 2).x);
        EXPECT_EQ(S::PART_BOTTOM, capture.Part(cx / 2, cy - 1).nPart);
        EXPECT_EQ(5, capture.Part(cx / 2, cy - 1).y);

        // The caption font of 14 pixels at 96 DPI.
        LOGFONTW lf;
        CFont* pFont = CSkinDialogFrame::SkinOf(dlg)->GetCaptionFont(s);
        ASSERT_TRUE(pFont && pFont->GetLogFont(&lf));
        EXPECT_EQ(-s.Scale(14), lf.lfHeight);
        EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
    }
}

TEST_F(SkinDpi, AnEmbeddedPageFollowsItsWindowsDpi)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    KorvoTest::CDialogTemplate pageTemplate(WS_CHILD | WS_VISIBLE | DS_SETFONT, 40, 30, L"");
    pageTemplate.AddControl(L"STATIC", 7, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, L"");
    CPage page;
    ASSERT_TRUE(page.CreateIndirect(pageTemplate.Get(), &dlg));
    page.SetWindowPos(NULL, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd* pChild = page.GetDlgItem(7);
    ASSERT_TRUE(pChild);
    pChild->SetWindowPos(NULL, 170, 80, 20, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    page.AddAnchor(7, CResizableLayout::BOTTOM_RIGHT);

    TellDpi(dlg, 192, CRect(80, 90, 880, 490));
    EXPECT_EQ(192u, CWindowDpi::Of(page.m_hWnd));
    // The page is sized by its host; its child keeps twice its distance from the corner.
    page.SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcChild;
    pChild->GetWindowRect(&rcChild);
    page.ScreenToClient(&rcChild);
    EXPECT_EQ(CRect(340, 160, 380, 180), rcChild);
    page.DestroyWindow();
}

TEST_F(SkinDpi, ManyChangesLeaveNoObjectsBehind)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    dlg.ShowWindow(SW_SHOWNA);
    static const UINT DPIS[] = { 96, 120, 144, 168, 192 };
    auto Change = [&](int n) {
        const CDpiScale s(DPIS[n % 5]);
        TellDpi(dlg, s.GetDpi(), CRect(80, 90, 80 + s.Scale(400), 90 + s.Scale(200)));
        RedrawFrame(dlg.m_hWnd);
    };
    for (int n = 0; n < 10; n++)
        Change(n);
    const KorvoTest::CHandleHighs before = KorvoTest::FreshHandleHighs(3000);
    for (int n = 0; n < 100; n++)
        Change(n);
    const KorvoTest::CHandleHighs after = KorvoTest::FreshHandleHighs(3000);
    EXPECT_LT(after.nGdi - before.nGdi, 20) << "GDI objects " << before.nGdi << " -> " << after.nGdi;
    EXPECT_LT(after.nUser - before.nUser, 100) << "USER objects " << before.nUser << " -> " << after.nUser;

    // Out-of-range DPIs are brought within reach rather than taken.
    TellDpi(dlg, 0, dlg.WindowRect());
    EXPECT_EQ((UINT)CDpiScale::MIN_DPI, CWindowDpi::Of(dlg.m_hWnd));
    TellDpi(dlg, 0xFFFF, dlg.WindowRect());
    EXPECT_EQ((UINT)CDpiScale::MAX_DPI, CWindowDpi::Of(dlg.m_hWnd));
}
