// Toolbar looks drawn as nine-grids: every corner in its place to the pixel at each DPI, and a
// bar squeezed below the thickness of its edges paints nothing of them and keeps no handle.
#include "BarTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>

using namespace BarTest;

namespace
{
// A 16-pixel image whose 3-pixel corners are SELECT and the rest NORMAL.
COLORREF CornerPixel(int x, int y, void*)
{
    return (x < 3 || x >= 13) && (y < 3 || y >= 13) ? SELECT : NORMAL;
}

class BarGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(1, 1);
        m_folder.WriteBase(R"(<colourScheme><colour name="dialog.back" value="0AC81E"/></colourScheme><watermarks>
            <watermark target="G" path="g.bmp" grid="3,3,3,3"/><watermark target="W" path="g.bmp" grid="6,0,6,0"/>
            </watermarks>)");
        std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(16, 16, CornerPixel, NULL);
        m_folder.WriteFile(L"Definitions\\g.bmp", bytes.data(), bytes.size());
        LoadSkin(L"", L"");
        ASSERT_TRUE(m_host.Create(400, 200));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        CWindowDpi::Forget(m_host.m_hWnd);
        m_host.DestroyWindow();
        KorvoTest::PumpMessages(10);
    }

    CSkinFolder m_folder;
    CHostWnd m_host;
    CCoolBarCtrl m_bar;
};
}

TEST_F(BarGrid, EachCornerEndsExactlyAtItsMarginAtEveryDpi)
{
    ASSERT_TRUE(m_bar.Create(&m_host, WS_VISIBLE, ID_TOP));
    m_bar.Add(101, L"G", 40)->LoadSkinImages();
    for (UINT nDpi : { 96u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        ASSERT_TRUE(CWindowDpi::Remember(m_host.m_hWnd, nDpi));
        m_bar.SendMessage(WM_DPICHANGED_AFTERPARENT, 0, 0);
        m_host.RecalcLayout();
        const CDpiScale s(nDpi);
        const int n = s.Scale(40), c = s.Scale(3);
        m_bar.Invalidate();
        m_bar.UpdateWindow();
        const KorvoTest::CWindowPixels shot(m_bar.m_hWnd, true);
        // Each corner's last pixel along each side, then the first pixel of the edge beside it.
        const int xs[2][2] = { { c - 1, c }, { n - c, n - c - 1 } };
        for (int nCorner = 0; nCorner < 4; nCorner++)
        {
            const int x = nCorner & 1 ? n - 1 : 0, y = nCorner & 2 ? n - 1 : 0;
            const int* along = xs[nCorner & 1];
            const int* down = xs[(nCorner & 2) >> 1];
            SCOPED_TRACE(nCorner);
            EXPECT_EQ(SELECT, shot.At(x, y));
            EXPECT_EQ(SELECT, shot.At(along[0], y)) << "the corner's width";
            EXPECT_EQ(NORMAL, shot.At(along[1], y)) << "the edge beside it";
            EXPECT_EQ(SELECT, shot.At(x, down[0])) << "the corner's height";
            EXPECT_EQ(NORMAL, shot.At(x, down[1])) << "the edge below or above it";
        }
    }
}

TEST_F(BarGrid, ABarSqueezedBelowItsEdgesPaintsWithoutFaultOrLeak)
{
    // Edges above and below that together are thicker than the bar: the buttons' room is
    // inverted, and a grid with no top or bottom margin has nothing to share it between.
    ASSERT_TRUE(m_bar.Create(&m_host, WS_VISIBLE | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM, ID_TOP));
    for (LPCWSTR pszName : { L"W", L"G" })
        m_bar.Add(101, pszName, 40)->LoadSkinImages();
    for (int cy : { 0, 1, 2, 3 })
    {
        SCOPED_TRACE(cy);
        m_bar.MoveWindow(0, 0, 200, cy);
        // Directly, as a host's own paint would call it: a fault here ends the process.
        CClientDC screen(NULL);
        CDC dc;
        CBitmap bitmap;
        ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 8));
        HGDIOBJ hOld = dc.SelectObject(bitmap.m_hObject);
        m_bar.DoPaint(&dc);
        dc.SelectObject(hOld);
    }

    // Through the message loop, where a fault would leave each paint half done.
    m_bar.MoveWindow(0, 0, 200, 2);
    const KorvoTest::CHandleHighs before = KorvoTest::FreshHandleHighs(3000);
    for (int n = 0; n < 300; n++)
    {
        m_bar.Invalidate();
        m_bar.UpdateWindow();
    }
    const KorvoTest::CHandleHighs after = KorvoTest::FreshHandleHighs(3000);
    EXPECT_LT(after.nGdi - before.nGdi, 40) << before.nGdi << " -> " << after.nGdi;

    // Given room again, the looks are drawn as ever.
    m_bar.MoveWindow(0, 0, 200, 44);
    m_bar.Invalidate();
    m_bar.UpdateWindow();
    const KorvoTest::CWindowPixels shot(m_bar.m_hWnd, true);
    const int y = 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(SELECT, shot.At(40, y)) << "the second button's corner";
    EXPECT_EQ(NORMAL, shot.At(40 + 3, y));
}
