// The Maximise button as the system's snap layouts need it: the hit test names it HTMAXBUTTON,
// its hover and press are drawn by the library from the non-client messages alone (a press starts
// no loop of its own), and the window is maximised or restored on the release over the button,
// never on a release elsewhere.
#include "SkinTestSupport.h"

using namespace SkinTest;

namespace
{
const CRect WINDOW(100, 100, 500, 300);
// The Maximise button of the test frame, in window coordinates of a 400-wide window.
const int MAX_X = 340;
const int MAX_Y = 6;

using MaximiseButton = CSkinnedDialogTest;
}

TEST_F(MaximiseButton, IsHitAsTheMaximiseButtonAndDrawsHoverAndPressFromTheMessagesAlone)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    for (int x : { MAX_X, MAX_X + 19 })
        for (int y : { MAX_Y, MAX_Y + 17 })
            EXPECT_EQ((UINT)HTMAXBUTTON, (UINT)dlg.SendNc(WM_NCHITTEST, 0, x, y)) << x << "," << y;
    EXPECT_NE((UINT)HTMAXBUTTON, (UINT)dlg.SendNc(WM_NCHITTEST, 0, MAX_X + 20, MAX_Y + 5));
    EXPECT_NE((UINT)HTMAXBUTTON, (UINT)dlg.SendNc(WM_NCHITTEST, 0, MAX_X + 5, MAX_Y + 18));

    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, MAX_X, MAX_Y));
    dlg.SendNc(WM_NCMOUSEMOVE, HTMAXBUTTON, MAX_X + 5, 10);
    EXPECT_EQ(S::PART_MAXIMISE_HOVER, PartAt(dlg.m_hWnd, MAX_X, MAX_Y));
    EXPECT_EQ(S::PART_CLOSE, PartAt(dlg.m_hWnd, 370, MAX_Y)) << "only the button under the pointer";
    dlg.SendMessage(WM_NCMOUSELEAVE);
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, MAX_X, MAX_Y)) << "the pointer left";

    // The press returns at once (no modal loop waits for the release) with the button drawn down.
    dlg.SendNc(WM_NCMOUSEMOVE, HTMAXBUTTON, MAX_X + 5, 10);
    dlg.SendNc(WM_NCLBUTTONDOWN, HTMAXBUTTON, MAX_X + 5, 10);
    EXPECT_EQ(S::PART_MAXIMISE_DOWN, PartAt(dlg.m_hWnd, MAX_X, MAX_Y));
    EXPECT_FALSE(dlg.IsZoomed());
    dlg.SendNc(WM_NCLBUTTONUP, HTCAPTION, 150, 10);
    EXPECT_EQ(S::PART_MAXIMISE, PartAt(dlg.m_hWnd, MAX_X, MAX_Y));
}

TEST_F(MaximiseButton, MaximisesAndRestoresOnlyOnAReleaseOverTheButton)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));

    // Released elsewhere, with or without a move reported between: nothing.
    for (bool bMove : { false, true })
        for (auto away : { std::make_pair(HTCAPTION, 150), std::make_pair(HTCLOSE, 375), std::make_pair(HTREDUCE, 315) })
        {
            dlg.SendNc(WM_NCMOUSEMOVE, HTMAXBUTTON, MAX_X + 5, 10);
            dlg.SendNc(WM_NCLBUTTONDOWN, HTMAXBUTTON, MAX_X + 5, 10);
            if (bMove)
                dlg.SendNc(WM_NCMOUSEMOVE, away.first, away.second, 10);
            dlg.SendNc(WM_NCLBUTTONUP, away.first, away.second, 10);
            KorvoTest::PumpMessages(20);
            EXPECT_FALSE(dlg.IsZoomed()) << away.second << (bMove ? " after a move" : "");
            EXPECT_FALSE(dlg.IsIconic());
            EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
            if (dlg.IsIconic() || !::IsWindow(dlg.m_hWnd))
                return;
        }
    EXPECT_TRUE(dlg.m_sysCommands.empty());

    // Released over it: maximised, and the same button then restores.
    for (UINT nMessage : { WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP })
        dlg.SendNc(nMessage, HTMAXBUTTON, MAX_X + 5, 10);
    EXPECT_FALSE(dlg.IsZoomed()) << "the command waits in the queue";
    KorvoTest::PumpMessages(30);
    ASSERT_TRUE(dlg.IsZoomed());
    const int x = dlg.WindowRect().Width() - 60;
    EXPECT_EQ((UINT)HTMAXBUTTON, (UINT)dlg.SendNc(WM_NCHITTEST, 0, x + 5, 10));
    for (UINT nMessage : { WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP })
        dlg.SendNc(nMessage, HTMAXBUTTON, x + 5, 10);
    KorvoTest::PumpMessages(30);
    EXPECT_FALSE(dlg.IsZoomed());
    EXPECT_EQ(WINDOW, dlg.WindowRect());

    // A quick second click comes as a double click: it is a press all the same.
    for (UINT nMessage : { WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP })
        dlg.SendNc(nMessage, HTMAXBUTTON, MAX_X + 5, 10);
    KorvoTest::PumpMessages(30);
    ASSERT_TRUE(dlg.IsZoomed());
    dlg.SendNc(WM_NCMOUSEMOVE, HTMAXBUTTON, x + 5, 10);
    dlg.SendNc(WM_NCLBUTTONDBLCLK, HTMAXBUTTON, x + 5, 10);
    EXPECT_EQ(S::PART_MAXIMISE_DOWN, PartAt(dlg.m_hWnd, x, MAX_Y)) << "the restore button's look falls back";
    dlg.SendNc(WM_NCLBUTTONUP, HTMAXBUTTON, x + 5, 10);
    KorvoTest::PumpMessages(30);
    EXPECT_FALSE(dlg.IsZoomed()) << "maximised and restored";
    EXPECT_EQ((std::vector<UINT>{ SC_MAXIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_RESTORE }), dlg.m_sysCommands);
}
