// Image-list drawings copied from the record of earlier ones: always the pixels the image list
// itself draws over the same background, wherever and however often the image lands.
#include "../support/KorvoTest.h"
#include "parts/CImageListDrawCache.h"
#include <gtest/gtest.h>
#include <vector>

using namespace KorvoTest;

namespace
{
const int SIDE = 16;
const int CANVAS = 48;

// A list of two 16-pixel images with alpha, from opaque through translucent to clear.
HIMAGELIST MakeAlphaList()
{
    HIMAGELIST hList = ImageList_Create(SIDE, SIDE, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (int nImage = 0; nImage < 2 && hList; nImage++)
    {
        BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), SIDE, -SIDE, 1, 32, BI_RGB } };
        void* pBits = NULL;
        HBITMAP hColour = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (!hColour)
            break;
        DWORD* pPixels = (DWORD*)pBits;
        for (int y = 0; y < SIDE; y++)
            for (int x = 0; x < SIDE; x++)
            {
                const DWORD nAlpha = (DWORD)(x * 17);
                const DWORD nRed = (DWORD)(nImage ? 40 : 230) * nAlpha / 255, nGreen = (DWORD)(y * 15) * nAlpha / 255;
                pPixels[y * SIDE + x] = (nAlpha << 24) | (nRed << 16) | (nGreen << 8);
            }
        ImageList_Add(hList, hColour, NULL);
        ::DeleteObject(hColour);
    }
    return hList;
}

// A background that differs from pixel to pixel, so a drawing made over one place is never
// right for another by chance.
void PaintBackground(HDC hDC, COLORREF crBase)
{
    for (int y = 0; y < CANVAS; y++)
        for (int x = 0; x < CANVAS; x++)
            ::SetPixel(hDC, x, y, RGB((GetRValue(crBase) + x * 5) & 0xFF, (GetGValue(crBase) + y * 3) & 0xFF, GetBValue(crBase) ^ ((x + y) & 1) * 64));
}

std::vector<COLORREF> Pixels(const CPixelCanvas& canvas)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < CANVAS; y++)
        for (int x = 0; x < CANVAS; x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}
}

TEST(ImageListDrawCache, DrawsWhatTheImageListDrawsOverEveryBackgroundAndPlace)
{
    HIMAGELIST hList = MakeAlphaList();
    ASSERT_TRUE(hList && ImageList_GetImageCount(hList) == 2);
    CImageListDrawCache cache;
    CPixelCanvas direct(CANVAS, CANVAS), cached(CANVAS, CANVAS);

    // The same place twice (drawn, then copied), another place over the same colours, another
    // image, another background, a place half off the canvas, and all again after Clear.
    struct { int nImage, x, y; COLORREF crBack; bool bClear; } draws[] = {
        { 0, 4, 4, RGB(10, 200, 30), false },  { 0, 4, 4, RGB(10, 200, 30), false },
        { 0, 20, 9, RGB(10, 200, 30), false }, { 1, 4, 4, RGB(10, 200, 30), false },
        { 0, 4, 4, RGB(250, 0, 90), false },   { 0, -7, 40, RGB(250, 0, 90), false },
        { 0, -7, 40, RGB(250, 0, 90), false }, { 0, 4, 4, RGB(10, 200, 30), true },
    };
    for (const auto& draw : draws)
    {
        if (draw.bClear)
            cache.Clear();
        PaintBackground(direct.Dc(), draw.crBack);
        PaintBackground(cached.Dc(), draw.crBack);
        ASSERT_TRUE(ImageList_DrawEx(hList, draw.nImage, direct.Dc(), draw.x, draw.y, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL));
        EXPECT_TRUE(cache.Draw(hList, draw.nImage, cached.Dc(), draw.x, draw.y));
        EXPECT_TRUE(Pixels(direct) == Pixels(cached)) << "image " << draw.nImage << " at " << draw.x << "," << draw.y;
    }

    // A target of other depth is drawn on straight; bad arguments draw nothing.
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), CANVAS, -CANVAS, 1, 16, BI_RGB } };
    void* pBits = NULL;
    HBITMAP hShallow = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    CDC dcShallow;
    ASSERT_TRUE(hShallow && dcShallow.CreateCompatibleDC(NULL));
    HGDIOBJ hOld = dcShallow.SelectObject(hShallow);
    EXPECT_TRUE(cache.Draw(hList, 1, dcShallow.m_hDC, 2, 2));
    EXPECT_NE(::GetPixel(dcShallow.m_hDC, 2, 2), ::GetPixel(dcShallow.m_hDC, 17, 2));
    dcShallow.SelectObject(hOld);
    ::DeleteObject(hShallow);
    EXPECT_FALSE(cache.Draw(NULL, 0, cached.Dc(), 0, 0));
    EXPECT_FALSE(cache.Draw(hList, -1, cached.Dc(), 0, 0));
    EXPECT_FALSE(cache.Draw(hList, 0, NULL, 0, 0));
    EXPECT_FALSE(cache.Draw(hList, 2, cached.Dc(), 0, 0));
    ImageList_Destroy(hList);
}
