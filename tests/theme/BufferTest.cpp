// The shared off-screen buffer grows, never shrinks, and always comes back unclipped.
#include "ThemeTestSupport.h"

namespace
{
HBITMAP BufferBitmap(CDC* pDC)
{
    return (HBITMAP)::GetCurrentObject(pDC->m_hDC, OBJ_BITMAP);
}

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP info = {};
    ::GetObjectW(hBitmap, sizeof(info), &info);
    return CSize(info.bmWidth, info.bmHeight);
}
}

TEST(BufferDC, GrowsPerDimensionAndKeepsItsBitmapForSmallerRequests)
{
    ResetTheme();
    HDC hScreen = ::GetDC(NULL);
    CDC* pScreen = CDC::FromHandle(hScreen);

    CDC* pBuffer = g_Theme.GetBufferDC(pScreen, CSize(50, 20));
    ASSERT_TRUE(pBuffer != NULL);
    HBITMAP hFirst = BufferBitmap(pBuffer);
    EXPECT_EQ(CSize(50, 20), BitmapSize(hFirst));

    pBuffer->IntersectClipRect(0, 0, 5, 5);
    CDC* pSmaller = g_Theme.GetBufferDC(pScreen, CSize(30, 10));
    EXPECT_EQ(pBuffer, pSmaller);
    EXPECT_EQ(hFirst, BufferBitmap(pSmaller)) << "a smaller request reuses the bitmap";
    HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(pSmaller->m_hDC, hClip)) << "the clip region is removed";
    ::DeleteObject(hClip);
    EXPECT_EQ(CSize(50, 20), g_Theme.m_szBuffer);

    CDC* pWider = g_Theme.GetBufferDC(pScreen, CSize(60, 5));
    EXPECT_EQ(pBuffer, pWider) << "the same memory DC";
    EXPECT_EQ(CSize(60, 20), g_Theme.m_szBuffer) << "each dimension keeps its maximum";
    EXPECT_EQ(CSize(60, 20), BitmapSize(BufferBitmap(pWider)));

    // The buffer holds pixels like any memory DC.
    pWider->FillSolidRect(0, 0, 60, 20, RGB(10, 200, 30));
    EXPECT_EQ(RGB(10, 200, 30), pWider->GetPixel(59, 19));

    g_Theme.Clear();
    EXPECT_EQ(CSize(0, 0), g_Theme.m_szBuffer);
    EXPECT_TRUE(g_Theme.m_dcBuffer.m_hDC == NULL);
    EXPECT_TRUE(g_Theme.m_bmBuffer.m_hObject == NULL);
    ::ReleaseDC(NULL, hScreen);
}

TEST(BufferDC, FirstRequestNeedsADeviceToBeCompatibleWith)
{
    ResetTheme();
    EXPECT_TRUE(g_Theme.GetBufferDC(NULL, CSize(10, 10)) == NULL);
    HDC hScreen = ::GetDC(NULL);
    EXPECT_TRUE(g_Theme.GetBufferDC(CDC::FromHandle(hScreen), CSize(0, 0)) != NULL)
        << "an empty request still creates the DC";
    ::ReleaseDC(NULL, hScreen);
}
