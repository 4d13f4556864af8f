// The soft shadow around skinned frames: where its layered popup lies against the frame through
// moves, sizes, DPI changes, minimising, maximising and hiding; what it shows over a known colour,
// active and inactive; that it stays right below the frame, leaves out a side lying on the work
// area's edge, goes with the skin, serves windows skinned by handle, bounds what the file says,
// and gives way to the system's own shadow where the desktop composes an unshaped frame.
#include "FrameShadowSupport.h"
#include <parts/CWindowDpi.h>
#include <skin/CSkinContext.h>
#include <windowskin/CSkinnedWindow.h>
#include <xml/XML.h>

using namespace SkinTest;
using namespace ShadowTest;

TEST_F(FrameShadow, FollowsTheFrameAndStaysRightBelowIt)
{
    const HWND hShadow = CreateShadowed();
    ASSERT_TRUE(hShadow);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(Around(WINDOW), RectOf(hShadow));
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
    const DWORD dwWanted = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    EXPECT_EQ(dwWanted, (DWORD)::GetWindowLongW(hShadow, GWL_EXSTYLE) & dwWanted);
    EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), ::GetWindow(hShadow, GW_OWNER));
    // Clicks go through to what lies below.
    EXPECT_EQ(HTTRANSPARENT, ::SendMessageW(hShadow, WM_NCHITTEST, 0, MAKELPARAM(WINDOW.left - 2, WINDOW.top)));

    const CRect rcMoved = WINDOW + CPoint(37, 21);
    dlg.SetWindowPos(NULL, rcMoved.left, rcMoved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Around(rcMoved), RectOf(hShadow));
    const CRect rcSized(rcMoved.TopLeft(), CSize(260, 310));
    dlg.SetWindowPos(NULL, 0, 0, rcSized.Width(), rcSized.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Around(rcSized), RectOf(hShadow));
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));

    // Raised above the shadow and then back, the frame takes it along.
    ::SetWindowPos(hShadow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(dlg.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
    EXPECT_EQ(1u, Shadows().size());
}

TEST_F(FrameShadow, ShowsTheImageBlendedActiveAndInactive)
{
    const HWND hShadow = CreateShadowed();
    ASSERT_TRUE(hShadow);
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    // Beyond the frame's corner, and under its middle: the image stretched over both.
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 1, 1), 1);
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 150, 100), 1);
    dlg.SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_NEAR(Expected(INACTIVE_ALPHA), GreyThrough(hShadow, 1, 1), 1);
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 1, 1), 1);
    EXPECT_EQ(Around(WINDOW), RectOf(hShadow));
}

TEST_F(FrameShadow, WithoutAnInactiveImageTheActiveLookServesBoth)
{
    defs.Load(ShadowSkin(L"<shadow image=\"shadow.png\" grid=\"8,8,8,8\"/>"));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
    ASSERT_TRUE(hShadow);
    dlg.SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 1, 1), 1);
    CRect rc = WINDOW;
    rc.InflateRect(8, 8);
    EXPECT_EQ(rc, RectOf(hShadow));
}

TEST_F(FrameShadow, HidesWhileTheFrameIsHiddenMinimisedOrMaximised)
{
    const HWND hShadow = CreateShadowed();
    ASSERT_TRUE(hShadow);
    dlg.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    dlg.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(Around(WINDOW), RectOf(hShadow));

    dlg.ShowWindow(SW_MAXIMIZE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(Around(dlg.WindowRect()), RectOf(hShadow));
    dlg.ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(Around(dlg.WindowRect()), RectOf(hShadow));
    EXPECT_EQ(hShadow, ::GetWindow(dlg.m_hWnd, GW_HWNDNEXT));
}

TEST_F(FrameShadow, TakesTheDpiAndTheImageMadeForIt)
{
    WritePng(L"Definitions\\shadow@2x.png", 48, DOUBLE_ALPHA);
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    const CRect rcSuggested(WINDOW.TopLeft(), CSize(WINDOW.Width() * 2, WINDOW.Height() * 2));
    dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&rcSuggested);
    const HWND hShadow = Shadow();
    ASSERT_TRUE(hShadow);
    EXPECT_EQ(Around(dlg.WindowRect(), 2), RectOf(hShadow));
    EXPECT_NEAR(Expected(DOUBLE_ALPHA), GreyThrough(hShadow, 1, 1), 1);

    const CRect rcBack(WINDOW.TopLeft(), WINDOW.Size());
    dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(96, 96), (LPARAM)&rcBack);
    EXPECT_EQ(Around(dlg.WindowRect()), RectOf(hShadow));
    EXPECT_NEAR(Expected(ACTIVE_ALPHA), GreyThrough(hShadow, 1, 1), 1);
}

TEST_F(FrameShadow, LeavesOutTheSidesOnTheWorkAreaEdge)
{
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    // A work area whose left and bottom edges are the frame's.
    g_monitor.rcMonitor = CRect(0, 0, 2000, 2000);
    g_monitor.rcWork = CRect(WINDOW.left, 0, 1900, WINDOW.bottom);
    CWorkArea::SetReader(FakeMonitor);
    dlg.SetWindowPos(NULL, WINDOW.left, WINDOW.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const HWND hShadow = Shadow();
    ASSERT_TRUE(hShadow);
    CRect rcWanted = Around(WINDOW);
    rcWanted.left = WINDOW.left;
    rcWanted.bottom = WINDOW.bottom;
    EXPECT_EQ(rcWanted, RectOf(hShadow));
    // Away from the edges the whole shadow is back.
    dlg.SetWindowPos(NULL, WINDOW.left + 30, WINDOW.top - 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Around(dlg.WindowRect()), RectOf(hShadow));
}

TEST_F(FrameShadow, ASkinWithoutShadowMakesNoWindow)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    dlg.SendMessage(WM_NCACTIVATE, FALSE);
    dlg.SetWindowPos(NULL, 0, 0, 310, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Shadows().empty());
    EXPECT_TRUE(g_extended.empty());
}

TEST_F(FrameShadow, GoesWithTheSkin)
{
    defs.Load(ShadowSkin() + defs.Skin(FrameSkin(L"Plain")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    ASSERT_EQ(1u, Shadows().size());
    // Another window skin without a shadow, then none at all, then the shadow again.
    dlg.SkinMe(L"Plain");
    EXPECT_EQ(0u, ShownShadows());
    dlg.SkinMe(L"Nothing");
    EXPECT_EQ(0u, ShownShadows());
    dlg.SkinMe(L"Main");
    ASSERT_EQ(1u, ShownShadows());
    EXPECT_EQ(Around(dlg.WindowRect()), RectOf(Shadows()[0]));

    // A new load whose skin has no shadow, and the window is reskinned with it.
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    EXPECT_EQ(0u, ShownShadows());
    dlg.SkinMe(L"Main");
    EXPECT_EQ(0u, ShownShadows());
    defs.Load(ShadowSkin());
    dlg.SkinMe(L"Main");
    ASSERT_EQ(1u, ShownShadows());
    // One popup served the window throughout.
    EXPECT_EQ(1u, Shadows().size());
}

TEST_F(FrameShadow, AWindowSkinnedByHandleHasOneToo)
{
    defs.Load(ShadowSkin());
    const HWND hWnd = ::CreateWindowExW(0, L"#32770", L"Other", WS_POPUP | WS_CAPTION | WS_THICKFRAME, WINDOW.left,
                                        WINDOW.top, WINDOW.Width(), WINDOW.Height(), NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd);
    std::unique_ptr<CSkinnedWindow> pSkinned = CSkinnedWindow::Attach(hWnd, CSkinContext::Default(), [](HWND) {});
    ASSERT_TRUE(pSkinned);
    ASSERT_TRUE(pSkinned->SkinFrame(L"Main"));
    ::ShowWindow(hWnd, SW_SHOWNA);
    const HWND hShadow = Shadow();
    ASSERT_TRUE(hShadow);
    EXPECT_EQ(Around(RectOf(hWnd)), RectOf(hShadow));
    EXPECT_EQ(hShadow, ::GetWindow(hWnd, GW_HWNDNEXT));
    ::SetWindowPos(hWnd, NULL, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Around(RectOf(hWnd)), RectOf(hShadow));
    // Reskinned while its redraw is off, as a load pauses every window, it shows its shadow again
    // when redraw comes back.
    ::SendMessageW(hWnd, WM_SETREDRAW, FALSE, 0);
    ASSERT_TRUE(pSkinned->SkinFrame(L"Main"));
    ::SendMessageW(hWnd, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_EQ(Around(RectOf(hWnd)), RectOf(hShadow));
    // The desktop composes windows from now on: the system shadows it.
    CDwmAttributes::ReplaceComposition(Composed, RecordExtend);
    ::SendMessageW(hWnd, CDwmAttributes::COMPOSITION_CHANGED, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    ASSERT_EQ(1u, g_extended.size());
    EXPECT_EQ(hWnd, g_extended[0].first);
    CDwmAttributes::ReplaceComposition(NotComposed, RecordExtend);
    ::SendMessageW(hWnd, CDwmAttributes::COMPOSITION_CHANGED, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    ::ShowWindow(hWnd, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(0u, ShownShadows());
}

TEST_F(FrameShadow, TheSystemDrawsItForAComposedFrameWithoutAShape)
{
    CDwmAttributes::ReplaceComposition(Composed, RecordExtend);
    defs.Load(ShadowSkin() + ShadowSkin(SHADOW, L"Round", true));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    EXPECT_TRUE(Shadows().empty());
    ASSERT_EQ(1u, g_extended.size());
    EXPECT_EQ(dlg.m_hWnd, g_extended[0].first);
    EXPECT_EQ(1, g_extended[0].second);
    dlg.SetWindowPos(NULL, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(1u, g_extended.size());

    // The system does not shadow a shaped window: the skin's shadow is drawn, the frame given back.
    dlg.SkinMe(L"Round");
    ASSERT_EQ(2u, g_extended.size());
    EXPECT_EQ(0, g_extended[1].second);
    EXPECT_EQ(1u, ShownShadows());
    dlg.SkinMe(L"Main");
    EXPECT_EQ(0u, ShownShadows());
    ASSERT_EQ(3u, g_extended.size());
    EXPECT_EQ(1, g_extended[2].second);
    dlg.SkinMe(L"None");
    ASSERT_EQ(4u, g_extended.size());
    EXPECT_EQ(0, g_extended[3].second);

    // The desktop stops composing while the window shows, and starts again.
    dlg.SkinMe(L"Main");
    ASSERT_EQ(5u, g_extended.size());
    CDwmAttributes::ReplaceComposition(NotComposed, RecordExtend);
    dlg.SendMessage(CDwmAttributes::COMPOSITION_CHANGED);
    EXPECT_EQ(1u, ShownShadows());
    ASSERT_EQ(6u, g_extended.size());
    EXPECT_EQ(0, g_extended[5].second);
    CDwmAttributes::ReplaceComposition(Composed, RecordExtend);
    dlg.SendMessage(CDwmAttributes::COMPOSITION_CHANGED);
    EXPECT_EQ(0u, ShownShadows());
    ASSERT_EQ(7u, g_extended.size());
    EXPECT_EQ(1, g_extended[6].second);
}

TEST(FrameShadowDefinition, NumbersAreBoundedAndBadShadowsLeftOut)
{
    CGdiplusSession session;
    CSkinDefinitions defs;
    const std::vector<BYTE> png = PictureFiles::MakePng(24, 24, [](int, int, BYTE& a) {
        a = 100;
        return RGB(0, 0, 0);
    });
    defs.WriteFile(L"Definitions\\shadow.png", png.data(), png.size());
    defs.WriteBitmap(L"Definitions\\opaque.bmp", 24, 24, RGB(0, 0, 0));
    const CString strFrame = defs.Skin(FrameSkin(L"Main"));
    struct CASE
    {
        LPCWSTR pszShadow;
        bool bShadow;
        CRect rcGrid;
        CPoint ptOffset;
        int nReports;
    };
    const CASE cases[] = {
        { L"<shadow image=\"shadow.png\" grid=\"8,7,6,5\" offset=\"-3,4\"/>", true, CRect(8, 7, 6, 5), CPoint(-3, 4), 0 },
        { L"<shadow image=\"shadow.png\" grid=\"-5,0,9,0x7fffffffff\" offset=\"1000,-99999999999\"/>", false, CRect(), CPoint(), 3 },
        { L"<shadow image=\"shadow.png\" grid=\"-5,0,9,2\" offset=\"70,-65\"/>", true, CRect(0, 0, 9, 2), CPoint(64, -64), 2 },
        { L"<shadow image=\"shadow.png\" grid=\"8,8,8\"/>", false, CRect(), CPoint(), 1 },
        { L"<shadow image=\"shadow.png\" grid=\"4,4,4,4\" offset=\"x\"/>", true, CRect(4, 4, 4, 4), CPoint(), 1 },
        { L"<shadow image=\"missing.png\" grid=\"4,4,4,4\"/>", false, CRect(), CPoint(), 1 },
        { L"<shadow image=\"opaque.bmp\" grid=\"4,4,4,4\"/>", false, CRect(), CPoint(), 1 },
        { L"<shadow grid=\"4,4,4,4\"/>", false, CRect(), CPoint(), 1 },
        { L"<shadow image=\"shadow.png\" inactiveImage=\"missing.png\" grid=\"4,4,4,4\" size=\"1\"/>", true, CRect(4, 4, 4, 4), CPoint(), 2 },
        { L"<shadow image=\"shadow.png\" grid=\"12,4,12,4\"/>", false, CRect(), CPoint(), 1 },
    };
    for (const CASE& c : cases)
    {
        CString strXml = strFrame;
        strXml.Replace(L"</windowSkin>", CString(c.pszShadow) + L"</windowSkin>");
        std::unique_ptr<CXmlElement> pRoot(XmlParseDocument(strXml, FALSE));
        ASSERT_TRUE(pRoot) << c.pszShadow;
        struct CReports : CSkinDiagnostics
        {
            int nCount = 0;
            void BeginFile(const CString&) override {}
            void Report(int, int, const CString&) override { nCount++; }
        } reports;
        CWindowSkin skin(CSkinContext::Default().Theme());
        // The window skin stays whatever its shadow says.
        ASSERT_TRUE(skin.Parse(pRoot.get(), defs.Path() + L"Definitions\\", &reports)) << c.pszShadow;
        EXPECT_EQ(c.bShadow, skin.m_pShadow != NULL) << c.pszShadow;
        EXPECT_EQ(c.nReports, reports.nCount) << c.pszShadow;
        if (c.bShadow)
        {
            EXPECT_EQ(c.rcGrid, skin.m_rcShadowGrid) << c.pszShadow;
            EXPECT_EQ(c.ptOffset, skin.m_ptShadowOffset) << c.pszShadow;
        }
    }
}

TEST_F(FrameShadow, AHugeGridStaysWithinItsBoundOnTheWindow)
{
    // Clamped to 256 the margins fit a 600-pixel image, so the shadow reaches 256 past each edge.
    WritePng(L"Definitions\\big.png", 600, 40);
    defs.Load(ShadowSkin(L"<shadow image=\"big.png\" grid=\"99999,99999,99999,99999\" offset=\"0,0\"/>"));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
    ASSERT_TRUE(hShadow);
    CRect rc = WINDOW;
    rc.InflateRect(256, 256);
    EXPECT_EQ(rc, RectOf(hShadow));
}

