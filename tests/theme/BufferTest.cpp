// The shared off-screen buffer grows, never shrinks, and always comes back unclipped.
#include "ThemeTestSupport.h"

TEST(BufferDC, GrowsPerDimensionAndKeepsItsBitmapForSmallerRequests)
{
    ResetTheme();
    EXPECT_TRUE(g_Theme.GetBufferDC(NULL, CSize(10, 10)) == NULL) << "the first request needs a device";
    CClientDC screen(NULL);
    auto BitmapOf = [](CDC* pDC) { return (HBITMAP)::GetCurrentObject(pDC->m_hDC, OBJ_BITMAP); };
    auto SizeOf = [](HBITMAP hBitmap) {
        BITMAP info = {};
        ::GetObjectW(hBitmap, sizeof(info), &info);
        return CSize(info.bmWidth, info.bmHeight);
    };

    CDC* pBuffer = g_Theme.GetBufferDC(&screen, CSize(50, 20));
    ASSERT_TRUE(pBuffer != NULL);
    HBITMAP hFirst = BitmapOf(pBuffer);
    EXPECT_EQ(CSize(50, 20), SizeOf(hFirst));

    pBuffer->IntersectClipRect(0, 0, 5, 5);
    EXPECT_EQ(pBuffer, g_Theme.GetBufferDC(&screen, CSize(30, 10)));
    EXPECT_EQ(hFirst, BitmapOf(pBuffer)) << "a smaller request reuses the bitmap";
    HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(pBuffer->m_hDC, hClip)) << "the clip region is removed";
    ::DeleteObject(hClip);

    EXPECT_EQ(pBuffer, g_Theme.GetBufferDC(&screen, CSize(60, 5))) << "the same memory DC";
    EXPECT_EQ(CSize(60, 20), SizeOf(BitmapOf(pBuffer))) << "each dimension keeps its maximum";
}

// Sizes are cut to the desktop, which is never taken as smaller than 1024 x 768, and to 0.
TEST(BufferDC, ClipKeepsSizesWithinTheDesktopAndCutsTheRest)
{
    const CSize szLimit(std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 1024),
                        std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 768));
    const struct { CSize size, clipped; } cases[] = {
        { CSize(0, 0), CSize(0, 0) },
        { CSize(200, 25), CSize(200, 25) },
        { CSize(1024, 768), CSize(1024, 768) },
        { CSize(-5, 10), CSize(0, 10) },
        { CSize(10, -1), CSize(10, 0) },
        { CSize(INT_MIN, INT_MIN), CSize(0, 0) },
        { CSize(1025, 10), CSize(std::min<LONG>(1025, szLimit.cx), 10) },
        { CSize(10, 769), CSize(10, std::min<LONG>(769, szLimit.cy)) },
        { CSize(11000046, 25), CSize(szLimit.cx, 25) },
        { CSize(INT_MAX, INT_MAX), szLimit },
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.clipped, CInterfaceTheme::ClipToBuffer(test.size)) << test.size.cx << " x " << test.size.cy;
}
