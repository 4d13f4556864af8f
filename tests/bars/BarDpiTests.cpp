// Bars whose window is told another DPI, as the system tells the children of a window moved to
// another monitor: their buttons, edges and captions follow it and the frame docks them anew.
#include "BarTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CGdiSelect.h>
#include <parts/CWindowDpi.h>
#include <cstdlib>
#include "api/Globals.h"

using namespace BarTest;

namespace
{
bool WithinAPixel(const CSize& size, const CSize& sizeExpected)
{
    return abs(size.cx - sizeExpected.cx) <= 1 && abs(size.cy - sizeExpected.cy) <= 1;
}

// A frame of client size 400 x 200 with the pane under its bars.
class BarDpi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(1, 1);
        ASSERT_TRUE(m_host.Create(400, 200));
        m_hPane = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, m_host.m_hWnd,
                                    (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, NULL, NULL);
        ASSERT_TRUE(m_hPane != NULL);
    }
    void TearDown() override
    {
        CWindowDpi::Forget(m_host.m_hWnd);
        m_host.DestroyWindow();
        KorvoTest::PumpMessages(10);
    }
    // The frame is told nDpi; the system then tells its children.
    void TellDpi(CControlBar& bar, UINT nDpi)
    {
        ASSERT_TRUE(CWindowDpi::Remember(m_host.m_hWnd, nDpi));
        bar.SendMessage(WM_DPICHANGED_AFTERPARENT, 0, 0);
    }

    CSkinFolder m_folder;
    CHostWnd m_host;
    HWND m_hPane = NULL;
};
}

TEST_F(BarDpi, ButtonsEdgesAndImagesFollowTheDpiAndTheFrameDocksTheBarAgain)
{
    // Two 30-pixel buttons with 24-square images, then a gap, over a 2-pixel bottom edge.
    m_folder.WriteBase(ButtonSkin() + R"(<toolbars><toolbar name="Main" types="30"><button id="101" text="Open"/>
        <button id="102" text="Save"/></toolbar></toolbars>)");
    WriteButtonImages(m_folder);
    LoadSkin(L"", L"");
    CCoolBarCtrl top;
    ASSERT_TRUE(top.Create(&m_host, WS_VISIBLE | CBRS_BORDER_BOTTOM, ID_TOP));
    ASSERT_TRUE(CreateSkinToolBar(L"Main", &top));
    for (int n = 0; n < 2; n++)
    {
        top.GetIndex(n)->m_strName = n ? L"Save" : L"Open";
        top.GetIndex(n)->LoadSkinImages();
    }
    top.Add(ID_COOLBAR_GAP, NULL, 0);
    m_host.RecalcLayout();
    const CSize size96 = top.CalcFixedLayout(FALSE, TRUE);
    const int cyEdge = 2 * ::GetSystemMetrics(SM_CYBORDER);
    ASSERT_EQ(CSize(80, 24 + cyEdge), size96);

    for (UINT nDpi : { 144u, 192u, 96u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        TellDpi(top, nDpi);
        const CSize size = top.CalcFixedLayout(FALSE, TRUE);
        EXPECT_TRUE(WithinAPixel(size, s.Scale(size96))) << size.cx << " x " << size.cy;
        if (nDpi == 96)
        {
            EXPECT_EQ(size96, size) << "back where it started";
        }

        // Docked again at its new height, the pane below it.
        EXPECT_EQ(CRect(0, 0, 400, size.cy), Place(top.m_hWnd));
        EXPECT_EQ(CRect(0, size.cy, 400, 200), Place(m_hPane));
        CRect rcButton;
        ASSERT_TRUE(top.GetItemRect(top.GetIndex(1), &rcButton));
        EXPECT_EQ(CRect(s.Scale(30), 0, 2 * s.Scale(30), size.cy - s.Scale(cyEdge) - s.Scale(1)), rcButton);
        EXPECT_EQ(top.GetIndex(1), top.HitTest(CPoint(rcButton.right - 1, 0)));

        // The image is scaled with the bar from the button's top-left corner.
        top.Invalidate();
        top.UpdateWindow();
        const KorvoTest::CWindowPixels shot(m_host.m_hWnd, true);
        const int nImage = s.Scale(24), nCorner = s.Scale(4);
        EXPECT_EQ(NORMAL, shot.At(nCorner, nCorner));
        EXPECT_EQ(NORMAL, shot.At(nImage - 1, nImage - 1));
        EXPECT_EQ(DIALOG, shot.At(nCorner - 1, nCorner - 1)) << "the image's white corner";
        EXPECT_EQ(DIALOG, shot.At(nImage, nImage / 2));
    }

    // A bar made in a window already at another DPI starts there.
    ASSERT_NO_FATAL_FAILURE(TellDpi(top, 144));
    CCoolBarCtrl side;
    ASSERT_TRUE(side.Create(&m_host, WS_VISIBLE | CBRS_ALIGN_LEFT, ID_SIDE));
    side.Add(1, NULL, 18);
    EXPECT_EQ(CSize(27, 27), side.CalcFixedLayout(FALSE, FALSE));
}

TEST_F(BarDpi, AGridLookFillsItsButtonKeepingItsCornersAndAPlainOneIsScaled)
{
    // A 12-pixel image with 3-pixel corners in the select colour, as a nine-grid (G), plainly (P)
    // and with grids that cannot be used (X, Y).
    m_folder.WriteBase(R"(<colourScheme><colour name="dialog.back" value="0AC81E"/></colourScheme><watermarks>
        <watermark target="G" path="g.bmp" grid="3, 3,3 ,3"/><watermark target="P" path="g.bmp"/>
        <watermark target="X" path="g.bmp" grid="6,0,6,0"/><watermark target="Y" path="g.bmp" grid="3,3,3"/>
        </watermarks>)");
    std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(12, 12, [](int x, int y, void*) {
        return (x < 3 || x >= 9) && (y < 3 || y >= 9) ? SELECT : NORMAL;
    }, NULL);
    m_folder.WriteFile(L"Definitions\\g.bmp", bytes.data(), bytes.size());
    LoadSkin(L"", L"");
    CCoolBarCtrl top;
    ASSERT_TRUE(top.Create(&m_host, WS_VISIBLE, ID_TOP));
    for (LPCWSTR pszName : { L"G", L"P", L"X", L"Y" })
        top.Add(101, pszName, 40)->LoadSkinImages();

    for (UINT nDpi : { 96u, 192u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        TellDpi(top, nDpi);
        m_host.RecalcLayout();
        const int n = s.Scale(40), nCorner = s.Scale(3), nPlain = s.Scale(12);
        EXPECT_EQ(CSize(4 * n, n), top.CalcFixedLayout(FALSE, TRUE)) << "a grid look makes its button square";
        top.Invalidate();
        top.UpdateWindow();
        const KorvoTest::CWindowPixels shot(m_host.m_hWnd, true);
        for (CPoint pt : { CPoint(0, 0), CPoint(n - 1, 0), CPoint(0, n - 1), CPoint(n - 1, n - 1),
                           CPoint(nCorner - 1, nCorner - 1), CPoint(n - nCorner, n - nCorner) })
            EXPECT_EQ(SELECT, shot.At(pt.x, pt.y)) << pt.x << "," << pt.y;
        for (CPoint pt : { CPoint(nCorner, nCorner), CPoint(n / 2, 0), CPoint(0, n / 2), CPoint(n / 2, n / 2),
                           CPoint(n - nCorner - 1, n - nCorner - 1) })
            EXPECT_EQ(NORMAL, shot.At(pt.x, pt.y)) << pt.x << "," << pt.y;
        for (int nButton = 1; nButton < 4; nButton++)
        {
            SCOPED_TRACE(nButton);
            const int x = nButton * n;
            EXPECT_EQ(SELECT, shot.At(x + nPlain - 1, nPlain - 1));
            EXPECT_EQ(NORMAL, shot.At(x + nPlain / 2, nPlain / 2));
            EXPECT_EQ(DIALOG, shot.At(x + nPlain, nPlain / 2));
            EXPECT_EQ(DIALOG, shot.At(x + nPlain / 2, nPlain));
        }
    }
}

TEST_F(BarDpi, MenuCaptionsAreMeasuredInTheFontAtTheDpi)
{
    m_folder.WriteBase(R"(<menus><menu name="Main" type="bar"><menu text="_File"><item id="301" text="_New"/></menu>
        <menu text="_Window"><item id="311" text="_Tile"/></menu></menu></menus>)");
    LoadSkin(L"", L"");
    CCoolMenuBarCtrl menuBar;
    ASSERT_TRUE(menuBar.Create(&m_host, WS_VISIBLE, ID_TOP));
    menuBar.SetMenu(GetSkinMenu(L"Main")->m_hMenu);
    m_host.RecalcLayout();
    const CSize size96 = menuBar.CalcFixedLayout(FALSE, TRUE);
    const int nSize96[] = { menuBar.GetIndex(0)->m_nSize, menuBar.GetIndex(1)->m_nSize };
    LOGFONTW lfTheme;
    ASSERT_TRUE(g_Theme.NormalFont().GetLogFont(&lfTheme));

    for (UINT nDpi : { 192u, 144u, 96u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        TellDpi(menuBar, nDpi);

        // What the theme's menu font measures at this DPI.
        LOGFONTW lf = lfTheme;
        lf.lfHeight = s.Scale(lf.lfHeight);
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        CClientDC dc(NULL);
        CGdiSelect select(dc.m_hDC, font.m_hObject);
        TEXTMETRICW tm = {};
        dc.GetTextMetrics(&tm);

        // A line of the font with 5 pixels above and below, scaled.
        const CSize size = menuBar.CalcFixedLayout(FALSE, TRUE);
        EXPECT_LE(abs(size.cy - (tm.tmHeight + s.Scale(10))), 1) << size.cy << " for a line of " << tm.tmHeight;
        EXPECT_EQ(CRect(0, 0, 400, size.cy), Place(menuBar.m_hWnd));
        EXPECT_EQ(size.cy, Place(m_hPane).top);
        // Each caption with 8 pixels either side, scaled.
        for (int n = 0; n < 2; n++)
        {
            CRect rc;
            ASSERT_TRUE(menuBar.GetItemRect(menuBar.GetIndex(n), &rc));
            const int cxText = dc.GetTextExtent(n ? CString(L"Window") : CString(L"File")).cx;
            EXPECT_LE(abs(rc.Width() - (cxText + s.Scale(16))), 1) << n << ": " << rc.Width() << " for " << cxText;
        }
        if (nDpi == 96)
        {
            EXPECT_EQ(size96, size);
            EXPECT_EQ(nSize96[0], menuBar.GetIndex(0)->m_nSize);
            EXPECT_EQ(nSize96[1], menuBar.GetIndex(1)->m_nSize);
        }
    }
}

TEST_F(BarDpi, ALookDrawsTheVariantOfItsScaleWhereTheSkinShipsOne)
{
    // v.bmp is all NORMAL; its 2x variant all SELECT. No 1.5x: at 144 the 2x is filtered down.
    m_folder.WriteBase(R"(<watermarks><watermark target="V" path="v.bmp"/></watermarks>)");
    std::vector<BYTE> base = KorvoTest::MakeBitmapFile(12, 12, [](int, int, void*) { return NORMAL; }, NULL);
    std::vector<BYTE> twice = KorvoTest::MakeBitmapFile(24, 24, [](int, int, void*) { return SELECT; }, NULL);
    m_folder.WriteFile(L"Definitions\\v.bmp", base.data(), base.size());
    m_folder.WriteFile(L"Definitions\\v@2x.bmp", twice.data(), twice.size());
    LoadSkin(L"", L"");
    CCoolBarCtrl top;
    ASSERT_TRUE(top.Create(&m_host, WS_VISIBLE, ID_TOP));
    top.Add(101, L"V", 40)->LoadSkinImages();

    for (UINT nDpi : { 96u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        TellDpi(top, nDpi);
        m_host.RecalcLayout();
        top.Invalidate();
        top.UpdateWindow();
        const KorvoTest::CWindowPixels shot(m_host.m_hWnd, true);
        const COLORREF crLook = nDpi == 96 ? NORMAL : SELECT;
        const int n = s.Scale(12);
        for (CPoint pt : { CPoint(0, 0), CPoint(n / 2, n / 2), CPoint(n - 1, n - 1) })
            EXPECT_EQ(crLook, shot.At(pt.x, pt.y)) << pt.x << "," << pt.y;
        EXPECT_NE(crLook, shot.At(n, n / 2)) << "the look keeps its scaled size";
    }
}
