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
