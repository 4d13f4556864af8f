// The soft shadow around skinned frames: where its layered popup lies against the frame through
// moves, sizes, DPI changes, minimising, maximising and hiding; what it shows over a known colour,
// active and inactive; that it stays right below the frame, leaves out a side lying on the work
// area's edge, goes with the skin, serves windows skinned by handle, bounds what the file says,
// and gives way to the system's own shadow where the desktop composes an unshaped frame.
#include "SkinTestSupport.h"
#include "../support/PictureFiles.h"
#include <parts/CDwmAttributes.h>
#include <parts/CGdiplusSession.h>
#include <parts/CWindowDpi.h>
#include <parts/CWorkArea.h>
#include <skin/CSkinContext.h>
#include <windowskin/CFrameShadow.h>
#include <windowskin/CSkinnedWindow.h>
#include <xml/XML.h>
#include <algorithm>

using namespace SkinTest;

namespace
{
const CRect WINDOW(150, 120, 450, 320);
// Shadow pictures are black, their alpha the look: the grid is 8 on every side, the offset 2,3.
const BYTE ACTIVE_ALPHA = 160, INACTIVE_ALPHA = 60, DOUBLE_ALPHA = 220;
const LPCWSTR SHADOW = L"<shadow image=\"shadow.png\" inactiveImage=\"dim.png\" grid=\"8,8,8,8\" offset=\"2,3\"/>";
const BYTE GREY = 128;

std::vector<HWND> g_shadows;

BOOL CALLBACK CollectShadow(HWND hWnd, LPARAM)
{
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    if (lstrcmpW(szClass, CFrameShadow::WINDOW_CLASS) == 0)
        g_shadows.push_back(hWnd);
    return TRUE;
}

// Every shadow popup of this thread, shown or not.
std::vector<HWND> Shadows()
{
    g_shadows.clear();
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectShadow, 0);
    return g_shadows;
}

size_t ShownShadows()
{
    const std::vector<HWND> shadows = Shadows();
    return std::count_if(shadows.begin(), shadows.end(), [](HWND hWnd) { return ::IsWindowVisible(hWnd) != FALSE; });
}

// What the screen shows at pt: the window manager's stacking, not the windows' own order.
COLORREF ScreenAt(CPoint pt)
{
    HDC hScreen = ::GetDC(NULL);
    const COLORREF cr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

CRect RectOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The shadow's pixel at (x, y) blended over mid-grey, as the window prints itself; its red.
int GreyThrough(HWND hShadow, int x, int y)
{
    const CSize size = RectOf(hShadow).Size();
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    void* pBits = NULL;
    CBitmap bitmap;
    CDC dc;
    if (!bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0)) || !dc.CreateCompatibleDC(NULL))
        return -1;
    const HGDIOBJ hOld = ::SelectObject(dc.m_hDC, bitmap.m_hObject);
    memset(pBits, GREY, (size_t)size.cx * size.cy * 4);
    ::PrintWindow(hShadow, dc.m_hDC, 0);
    ::GdiFlush();
    const int nRed = ((const BYTE*)pBits)[((size_t)y * size.cx + x) * 4 + 2];
    ::SelectObject(dc.m_hDC, hOld);
    return nRed;
}

// Mid-grey under black of that alpha.
int Expected(BYTE alpha)
{
    return (GREY * (255 - alpha) + 127) / 255;
}

HRESULT WINAPI NotComposed(BOOL* pfEnabled)
{
    *pfEnabled = FALSE;
    return S_OK;
}

HRESULT WINAPI Composed(BOOL* pfEnabled)
{
    *pfEnabled = TRUE;
    return S_OK;
}

std::vector<std::pair<HWND, int>> g_extended;

HRESULT WINAPI RecordExtend(HWND hWnd, const MARGINS* pMargins)
{
    EXPECT_TRUE(pMargins->cxLeftWidth == pMargins->cyTopHeight && pMargins->cxRightWidth == pMargins->cyBottomHeight
                && pMargins->cxLeftWidth == pMargins->cxRightWidth);
    g_extended.emplace_back(hWnd, pMargins->cxLeftWidth);
    return S_OK;
}

CWorkArea::MONITOR g_monitor;
CWorkArea::MONITOR FakeMonitor(HMONITOR)
{
    return g_monitor;
}

struct FrameShadow : CSkinnedDialogTest
{
    CGdiplusSession session;

    FrameShadow()
    {
        g_extended.clear();
        CDwmAttributes::ReplaceComposition(NotComposed, RecordExtend);
        WritePng(L"Definitions\\shadow.png", 24, ACTIVE_ALPHA);
        WritePng(L"Definitions\\dim.png", 24, INACTIVE_ALPHA);
        CFrameShadow::DestroySpare();
    }
    ~FrameShadow()
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        CFrameShadow::DestroySpare();
        CDwmAttributes::UseSystem();
        CWorkArea::SetReader(NULL);
    }

    void WritePng(LPCWSTR pszName, int nSide, BYTE alpha, COLORREF cr = RGB(0, 0, 0))
    {
        const std::vector<BYTE> png = PictureFiles::MakePng(nSide, nSide, [alpha, cr](int, int, BYTE& a) {
            a = alpha;
            return cr;
        });
        defs.WriteFile(pszName, png.data(), png.size());
    }
    CString ShadowSkin(LPCWSTR pszShadow = SHADOW, LPCWSTR pszTarget = L"Main", bool bShaped = false)
    {
        CSkinBuilder builder = FrameSkin(pszTarget);
        builder.Xml(pszShadow);
        if (bShaped)
            builder.Xml(L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"12,12\"/></region>");
        return defs.Skin(builder);
    }
    // The one shadow popup there is.
    HWND Shadow()
    {
        const std::vector<HWND> shadows = Shadows();
        EXPECT_EQ(1u, shadows.size());
        return shadows.size() == 1 ? shadows[0] : NULL;
    }
    // Where the shadow belongs around a frame: the grid outside each edge, moved by the offset.
    static CRect Around(const CRect& rcFrame, int nScale = 1)
    {
        CRect rc = rcFrame;
        rc.InflateRect(8 * nScale, 8 * nScale);
        rc.OffsetRect(2 * nScale, 3 * nScale);
        return rc;
    }
};
}

TEST_F(FrameShadow, FollowsTheFrameAndStaysRightBelowIt)
{
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
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
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
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
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
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

TEST_F(FrameShadow, APopupLetGoServesTheNextFrameAndGoesWithTheLibrary)
{
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
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
    defs.Load(ShadowSkin());
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hShadow = Shadow();
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

