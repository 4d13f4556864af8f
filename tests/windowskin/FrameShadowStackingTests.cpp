// Where the frame's shadow lies in the window manager's stack, read from the screen: under its
// frame after a reload and after a first showing, waiting while something covers the frame; and
// the popup a closed frame leaves for the thread's next one, picture and all.
#include "FrameShadowSupport.h"

using namespace SkinTest;
using namespace ShadowTest;

TEST_F(FrameShadow, APopupLetGoServesTheNextFrameAndGoesWithTheLibrary)
{
    const HWND hShadow = CreateShadowed();
    ASSERT_TRUE(hShadow);
    dlg.DestroyWindow();
    ASSERT_EQ(1u, Shadows().size());
    EXPECT_EQ(0u, ShownShadows());

    const CRect rcNext = WINDOW + CPoint(40, 30);
    ASSERT_TRUE(dlg.CreateSkinned(rcNext));
    EXPECT_EQ(hShadow, Shadow());
    EXPECT_EQ(Around(rcNext), RectOf(hShadow));
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 150, 100), 1);
    dlg.DestroyWindow();
    // Gone with its owner while kept, it is not used again.
    ::DestroyWindow(hShadow);
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    EXPECT_TRUE(::IsWindowVisible(Shadow()));
    dlg.DestroyWindow();

    UnInitSkin();
    EXPECT_TRUE(Shadows().empty());
}

TEST_F(FrameShadow, KeepsItsPictureWhileHiddenAndForTheNextFrame)
{
    // Nearly opaque red: the screen shows it (premultiplied) whether windows are composed or not.
    WritePng(L"Definitions\\red.png", 24, 254, RGB(255, 0, 0));
    const COLORREF RED = RGB(254, 0, 0);
    defs.Load(ShadowSkin(L"<shadow image=\"red.png\" grid=\"8,8,8,8\" offset=\"2,3\"/>"));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
    const CPoint ptBeside(WINDOW.left - 3, WINDOW.top + 50);
    const CPoint ptMiddle = WINDOW.CenterPoint();
    const COLORREF crFrame = ScreenAt(ptMiddle);
    EXPECT_EQ(RED, ScreenAt(ptBeside));

    dlg.ShowWindow(SW_HIDE);
    dlg.ShowWindow(SW_SHOW);
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(RED, ScreenAt(ptBeside));
    EXPECT_EQ(crFrame, ScreenAt(ptMiddle));

    dlg.DestroyWindow();
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(hShadow, Shadow());
    EXPECT_EQ(RED, ScreenAt(ptBeside));
    EXPECT_EQ(crFrame, ScreenAt(ptMiddle));
}

TEST_F(FrameShadow, LiesUnderItsFrameOnTheScreenThroughAReload)
{
    const HWND hShadow = CreateShadowed();
    ASSERT_TRUE(hShadow);
    const CPoint ptMiddle(WINDOW.Width() / 2, WINDOW.Height() / 2);
    const COLORREF crFrame = KorvoTest::CWindowPixels(dlg.m_hWnd).At(ptMiddle.x, ptMiddle.y);
    EXPECT_EQ(crFrame, ScreenAt(WINDOW.TopLeft() + ptMiddle));

    // The skin loaded again while the window shows, and the window reskinned.
    defs.Load(ShadowSkin());
    KorvoTest::PumpMessages(20);
    dlg.SkinMe(L"Main");
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(hShadow, Shadow());
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
    EXPECT_EQ(crFrame, ScreenAt(WINDOW.TopLeft() + ptMiddle));
}

TEST_F(FrameShadow, AFirstShadowWaitsForItsFrameToComeUp)
{
    defs.Load(ShadowSkin() + defs.Skin(FrameSkin(L"Plain")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW, L"Plain"));
    // Another program's window over the frame's left side, where the shadow would reach.
    const CRect rcCover(WINDOW.left - 40, WINDOW.top - 40, WINDOW.left + 60, WINDOW.bottom + 40);
    const HWND hCover = ::CreateWindowExW(WS_EX_NOACTIVATE, L"Static", L"", WS_POPUP | SS_BLACKRECT, rcCover.left, rcCover.top,
                                          rcCover.Width(), rcCover.Height(), NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hCover);
    ::ShowWindow(hCover, SW_SHOWNA);
    ::UpdateWindow(hCover);
    const CPoint ptOutside(WINDOW.left - 3, WINDOW.top + 50);
    const COLORREF crCover = ScreenAt(ptOutside);

    dlg.SkinMe(L"Main");
    EXPECT_EQ(0u, ShownShadows());
    EXPECT_EQ(crCover, ScreenAt(ptOutside));

    // Raised, the frame shows its shadow below it.
    ::SetWindowPos(dlg.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(1u, ShownShadows());
    EXPECT_EQ(Shadow(), ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
    const CPoint ptMiddle(WINDOW.Width() / 2, WINDOW.Height() / 2);
    EXPECT_EQ(KorvoTest::CWindowPixels(dlg.m_hWnd).At(ptMiddle.x, ptMiddle.y), ScreenAt(WINDOW.TopLeft() + ptMiddle));
    ::DestroyWindow(hCover);
}
