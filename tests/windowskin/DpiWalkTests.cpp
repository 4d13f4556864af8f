// A skinned window carried between monitors of different DPI, as the system tells it: each move
// suggests the window's rectangle scaled by the two DPIs, and a window brought back to the DPI
// its size was set at takes exactly that size again, with its tracking sizes, however many times
// it goes back and forth.
#include "SkinTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>

using namespace SkinTest;

namespace
{
using DpiWalk = CSkinnedDialogTest;

// Tells the window of a move to a monitor of nDpi with the rectangle the system suggests: the
// window's own, its size scaled from the DPI it has to the new one.
void MoveToDpi(CWnd& wnd, UINT nDpi)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    const UINT nOld = CWindowDpi::Of(wnd.m_hWnd);
    const CRect rcSuggested(rc.TopLeft(), CSize(::MulDiv(rc.Width(), nDpi, nOld), ::MulDiv(rc.Height(), nDpi, nOld)));
    wnd.SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
}

CSize ClientSize(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    return rc.Size();
}

CPoint MinTrackSize(CWnd& wnd)
{
    MINMAXINFO mmi = {};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return mmi.ptMinTrackSize;
}
}

TEST_F(DpiWalk, AWindowBackAtADpiHasExactlyTheSizeItHadThere)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    // Odd sizes, which no scale divides evenly.
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 100 + 401, 100 + 203)));
    const CSize window96 = dlg.WindowRect().Size(), client96 = ClientSize(dlg);
    const CPoint ptMin96 = MinTrackSize(dlg);
    for (int nRound = 0; nRound < 6; nRound++)
        for (UINT nDpi : { 144u, 96u, 120u, 96u, 144u, 192u, 96u, 168u, 144u, 96u })
        {
            SCOPED_TRACE(testing::Message() << "round " << nRound << " at " << nDpi);
            MoveToDpi(dlg, nDpi);
            ASSERT_EQ(nDpi, CWindowDpi::Of(dlg.m_hWnd));
            if (nDpi == 96)
            {
                ASSERT_EQ(window96, dlg.WindowRect().Size());
                ASSERT_EQ(client96, ClientSize(dlg));
                ASSERT_EQ(ptMin96, MinTrackSize(dlg));
            }
            else
            {
                // Elsewhere the suggested size, within rounding of its own scaled, and the
                // tracking sizes scaled from those set at 96.
                ASSERT_NEAR(::MulDiv(window96.cx, nDpi, 96), dlg.WindowRect().Width(), 1);
                ASSERT_NEAR(::MulDiv(window96.cy, nDpi, 96), dlg.WindowRect().Height(), 1);
                ASSERT_EQ(CPoint(::MulDiv(ptMin96.x, nDpi, 96), ::MulDiv(ptMin96.y, nDpi, 96)), MinTrackSize(dlg));
            }
        }
}

TEST_F(DpiWalk, AWindowAtItsSmallestSizeNeverGrows)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 100 + 401, 100 + 203)));
    const CPoint ptMin96 = MinTrackSize(dlg);
    dlg.SetWindowPos(NULL, 0, 0, ptMin96.x, ptMin96.y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CSize window96 = dlg.WindowRect().Size();
    for (int nRound = 0; nRound < 6; nRound++)
        for (UINT nDpi : { 144u, 192u, 96u, 120u, 168u, 96u })
        {
            SCOPED_TRACE(testing::Message() << "round " << nRound << " at " << nDpi);
            MoveToDpi(dlg, nDpi);
            if (nDpi == 96)
            {
                ASSERT_EQ(window96, dlg.WindowRect().Size());
                ASSERT_EQ(ptMin96, MinTrackSize(dlg));
            }
        }
}
