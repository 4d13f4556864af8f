// The skin image type on real files and device contexts: BMP and PNG alike, translucent pixels
// blended over what is beneath, the nine-grid, and hostile files refused with nothing held.
#include "../support/KorvoTest.h"
#include "../support/PictureFiles.h"
#include "parts/CGdiplusSession.h"
#include "parts/CSkinImage.h"
#include <gtest/gtest.h>
#include <stdlib.h>

using namespace KorvoTest;

namespace
{
const LONGLONG NO_LIMIT = 1LL << 40;

// A 12 x 12 picture whose 3-pixel corners are red, green, blue and yellow, whose edges
// alternate two greys pixel by pixel along their length, and whose centre is white.
COLORREF GridPixel(int x, int y, void*)
{
    const bool bLeft = x < 3, bRight = x >= 9, bTop = y < 3, bBottom = y >= 9;
    if ((bLeft || bRight) && (bTop || bBottom))
        return bTop ? (bLeft ? RGB(255, 0, 0) : RGB(0, 255, 0)) : (bLeft ? RGB(0, 0, 255) : RGB(255, 255, 0));
    if (bTop || bBottom)
        return x % 2 ? RGB(60, 60, 60) : RGB(180, 180, 180);
    if (bLeft || bRight)
        return y % 2 ? RGB(60, 60, 60) : RGB(180, 180, 180);
    return RGB(255, 255, 255);
}

class SkinImage : public ::testing::Test
{
protected:
    CString WritePng(LPCWSTR pszName, const std::vector<BYTE>& bytes) { return m_folder.WriteFile(pszName, bytes.data(), bytes.size()); }
    CString WriteGridFiles(CString& strPng)
    {
        std::vector<BYTE> bmp = MakeBitmapFile(12, 12, GridPixel, NULL);
        strPng = WritePng(L"grid.png", PictureFiles::MakePng(12, 12, [](int x, int y, BYTE&) { return GridPixel(x, y, NULL); }));
        return m_folder.WriteFile(L"grid.bmp", bmp.data(), bmp.size());
    }

    CGdiplusSession m_session;
    CTempFolder m_folder;
};
}

TEST_F(SkinImage, BmpAndOpaquePngDrawTheSamePixelsPlainStretchedAndTiled)
{
    ASSERT_TRUE(m_session.IsRunning());
    CString strPng;
    CString strBmp = WriteGridFiles(strPng);
    CSkinImage bmp, png;
    ASSERT_TRUE(bmp.Load(strBmp, NO_LIMIT));
    ASSERT_TRUE(png.Load(strPng, NO_LIMIT));
    EXPECT_FALSE(bmp.HasAlpha());
    EXPECT_FALSE(png.HasAlpha());
    EXPECT_EQ(CSize(12, 12), png.GetSize());
    for (int nFill : { (int)CSkinImage::FILL_STRETCH, (int)CSkinImage::FILL_TILE })
    {
        CPixelCanvas canvasBmp(40, 30), canvasPng(40, 30);
        for (CPixelCanvas* pCanvas : { &canvasBmp, &canvasPng })
        {
            CSkinImage& image = pCanvas == &canvasBmp ? bmp : png;
            ASSERT_TRUE(image.Draw(pCanvas->Dc(), CRect(0, 0, 12, 12), CRect(0, 0, 12, 12), nFill));
            ASSERT_TRUE(image.Draw(pCanvas->Dc(), CRect(12, 0, 40, 30), CRect(2, 2, 10, 10), nFill));
        }
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 40; x++)
                ASSERT_EQ(canvasBmp.Pixel(x, y), canvasPng.Pixel(x, y)) << x << "," << y << " fill " << nFill;
        EXPECT_EQ(RGB(255, 0, 0), canvasPng.Pixel(0, 0));
        EXPECT_EQ(RGB(255, 255, 0), canvasPng.Pixel(11, 11));
    }

    // A key colour is left out: the white centre shows what was beneath.
    CPixelCanvas canvas(12, 12, RGB(0, 0, 128));
    png.SetKeyColour(RGB(255, 255, 255));
    ASSERT_TRUE(png.Draw(canvas.Dc(), CRect(0, 0, 12, 12), CRect(0, 0, 12, 12)));
    EXPECT_EQ(RGB(0, 0, 128), canvas.Pixel(6, 6));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
}

TEST_F(SkinImage, TranslucentPixelsBlendOverWhatIsBeneathAndCopiesStayTranslucent)
{
    // Left half opaque red, right half red at half opacity, bottom row fully clear.
    CString strPath = WritePng(L"alpha.png", PictureFiles::MakePng(8, 8, [](int x, int y, BYTE& alpha) {
        alpha = y == 7 ? 0 : x < 4 ? 255 : 128;
        return RGB(255, 0, 0);
    }));
    CSkinImage image;
    ASSERT_TRUE(image.Load(strPath, NO_LIMIT));
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_TRUE(CSkinImage::IsTranslucentBitmap(image.GetBitmap()));
    CSkinImage copy;
    ASSERT_TRUE(copy.CopyFrom(image.GetBitmap()));
    EXPECT_TRUE(copy.HasAlpha());
    for (CSkinImage* pImage : { &image, &copy })
    {
        CPixelCanvas canvas(16, 16, RGB(0, 0, 255));
        ASSERT_TRUE(pImage->Draw(canvas.Dc(), CRect(0, 0, 16, 16), CRect(0, 0, 8, 8)));
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 2));
        COLORREF crMixed = canvas.Pixel(12, 2);
        EXPECT_NEAR(128, GetRValue(crMixed), 3);
        EXPECT_EQ(0, GetGValue(crMixed));
        EXPECT_NEAR(127, GetBValue(crMixed), 3);
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(2, 15)) << "clear pixels leave the canvas";
    }
}

TEST_F(SkinImage, NineGridKeepsCornersAndStretchesOrTilesEdgesAtEverySize)
{
    CString strPng;
    WriteGridFiles(strPng);
    CSkinImage image;
    ASSERT_TRUE(image.Load(strPng, NO_LIMIT));
    const CRect rcSource(0, 0, 12, 12), rcGrid(3, 3, 3, 3);
    for (CSize size : { CSize(12, 12), CSize(40, 30), CSize(100, 13) })
    {
        for (int nFill : { (int)CSkinImage::FILL_STRETCH, (int)CSkinImage::FILL_TILE })
        {
            CPixelCanvas canvas(size.cx, size.cy, RGB(1, 2, 3));
            ASSERT_TRUE(image.DrawGrid(canvas.Dc(), CRect(CPoint(0, 0), size), rcSource, rcGrid, nFill));
            // Every corner pixel at its own place, unscaled.
            for (int y = 0; y < 3; y++)
                for (int x = 0; x < 3; x++)
                {
                    ASSERT_EQ(RGB(255, 0, 0), canvas.Pixel(x, y)) << size.cx;
                    ASSERT_EQ(RGB(0, 255, 0), canvas.Pixel(size.cx - 3 + x, y)) << size.cx;
                    ASSERT_EQ(RGB(0, 0, 255), canvas.Pixel(x, size.cy - 3 + y)) << size.cx;
                    ASSERT_EQ(RGB(255, 255, 0), canvas.Pixel(size.cx - 3 + x, size.cy - 3 + y)) << size.cx;
                }
            // The first pixel beside each corner, along each side, is the edge's: a corner one
            // pixel too wide or too tall shows here.
            auto edge = [](COLORREF cr) { return cr == RGB(60, 60, 60) || cr == RGB(180, 180, 180); };
            for (int y : { 0, 2, (int)size.cy - 3, (int)size.cy - 1 })
            {
                ASSERT_TRUE(edge(canvas.Pixel(3, y))) << size.cx << " left corner's right, row " << y;
                ASSERT_TRUE(edge(canvas.Pixel(size.cx - 4, y))) << size.cx << " right corner's left, row " << y;
            }
            for (int x : { 0, 2, (int)size.cx - 3, (int)size.cx - 1 })
            {
                ASSERT_TRUE(edge(canvas.Pixel(x, 3))) << size.cx << " below a top corner, column " << x;
                ASSERT_TRUE(edge(canvas.Pixel(x, size.cy - 4))) << size.cx << " above a bottom corner, column " << x;
            }
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(size.cx / 2, size.cy / 2));
            // The top edge's pattern repeats with the source's period when tiled; a stretch
            // spreads each source pixel over several.
            if (size.cx == 100)
            {
                int nChanges = 0;
                for (int x = 3; x < size.cx - 4; x++)
                    nChanges += canvas.Pixel(x, 1) != canvas.Pixel(x + 1, 1);
                if (nFill == CSkinImage::FILL_TILE)
                    EXPECT_EQ(size.cx - 7, nChanges);
                else
                    EXPECT_LT(nChanges, 10);
            }
        }
    }

    // Margins that leave nothing between them: no grid, the piece is simply stretched.
    EXPECT_FALSE(CSkinImage::GridFits(CSize(12, 12), CRect(6, 3, 6, 3)));
    EXPECT_FALSE(CSkinImage::GridFits(CSize(12, 12), CRect(-1, 3, 3, 3)));
    EXPECT_TRUE(CSkinImage::GridFits(CSize(12, 12), CRect(5, 0, 6, 11)));
    CPixelCanvas gridded(30, 30), stretched(30, 30);
    ASSERT_TRUE(image.DrawGrid(gridded.Dc(), CRect(0, 0, 30, 30), rcSource, CRect(6, 7, 6, 9), CSkinImage::FILL_TILE));
    ASSERT_TRUE(image.Draw(stretched.Dc(), CRect(0, 0, 30, 30), rcSource, CSkinImage::FILL_TILE));
    for (int n = 0; n < 30; n++)
        ASSERT_EQ(stretched.Pixel(n, n), gridded.Pixel(n, n)) << n;
}

TEST_F(SkinImage, NineGridIntoEmptyInvertedOrTooSmallDestinationsDrawsOnlyWhatFits)
{
    CString strPng;
    WriteGridFiles(strPng);
    CSkinImage image;
    ASSERT_TRUE(image.Load(strPng, NO_LIMIT));
    const CRect rcSource(0, 0, 12, 12);
    // Margins on one axis only leave the other axis nothing to share out when it is inverted.
    for (CRect rcGrid : { CRect(5, 0, 5, 0), CRect(0, 5, 0, 5), CRect(0, 0, 0, 0), CRect(3, 3, 3, 3) })
    {
        for (CRect rcDest : { CRect(4, 10, 20, 8), CRect(20, 4, 10, 20), CRect(10, 10, 10, 10), CRect(30, 30, 2, 2),
                              CRect(4, 4, 4, 30) })
        {
            for (UINT nDpi : { 96u, 192u })
            {
                CPixelCanvas canvas(32, 32, RGB(1, 2, 3));
                EXPECT_TRUE(image.DrawGrid(canvas.Dc(), rcDest, rcSource, rcGrid, CSkinImage::FILL_TILE, CDpiScale(nDpi)));
                for (int n = 0; n < 32; n++)
                    ASSERT_EQ(RGB(1, 2, 3), canvas.Pixel(n, n)) << rcGrid.left << rcGrid.top << " into " << rcDest.left
                                                                  << "," << rcDest.top << "," << rcDest.right << ","
                                                                  << rcDest.bottom << " at " << nDpi;
            }
        }
    }
    // Narrower than its margins: the two corners share the width in their proportion.
    CPixelCanvas canvas(8, 12, RGB(1, 2, 3));
    ASSERT_TRUE(image.DrawGrid(canvas.Dc(), CRect(0, 0, 4, 12), rcSource, CRect(3, 3, 3, 3), CSkinImage::FILL_STRETCH));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 0));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(2, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(1, 11));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(4, 0));
}

TEST_F(SkinImage, HostileFilesFailWithNothingHeld)
{
    std::vector<BYTE> good = PictureFiles::MakePng(64, 64, [](int x, int y, BYTE&) { return RGB(x, y, 0); });
    std::vector<BYTE> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<BYTE> huge = PictureFiles::MakePng(1, 1, [](int, int, BYTE&) { return RGB(0, 0, 0); });
    // 100000 x 100000 in the header; a decoder trusting it would allocate 40 GB.
    huge[16] = 0, huge[17] = 0x01, huge[18] = 0x86, huge[19] = 0xA0;
    huge[20] = 0, huge[21] = 0x01, huge[22] = 0x86, huge[23] = 0xA0;
    std::vector<BYTE> liar = good;
    liar[19] = 32;  // declares 32 wide, holds 64 wide rows
    std::vector<BYTE> garbage = good;
    for (size_t n = 60; n < garbage.size() - 20; n++)
        garbage[n] = (BYTE)(n * 7);
    std::vector<BYTE> zeroGif = { 'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0 };
    const std::vector<std::pair<LPCWSTR, std::vector<BYTE>>> files = {
        { L"truncated.png", truncated }, { L"huge.png", huge },       { L"liar.png", liar },
        { L"garbage.png", garbage },     { L"zero.gif", zeroGif },     { L"text.png", { 'h', 'i' } },
        { L"empty.png", {} },
    };
    CSkinImage image;
    for (const auto& file : files)
    {
        ASSERT_TRUE(image.Load(WritePng(L"good.png", good), NO_LIMIT));
        EXPECT_FALSE(image.Load(WritePng(file.first, file.second), NO_LIMIT)) << file.first;
        EXPECT_FALSE(image.IsLoaded()) << file.first;
        EXPECT_TRUE(image.GetBitmap() == NULL) << file.first;
        CPixelCanvas canvas(4, 4);
        EXPECT_FALSE(image.Draw(canvas.Dc(), CRect(0, 0, 4, 4), CRect(0, 0, 4, 4))) << file.first;
    }
    // The pixel budget is met from the header, for PNG as for BMP.
    EXPECT_FALSE(image.Load(WritePng(L"good.png", good), 64 * 64 - 1));
    EXPECT_TRUE(image.Load(WritePng(L"good.png", good), 64 * 64));
    EXPECT_FALSE(image.Load(m_folder.Path() + L"\\missing.png", NO_LIMIT));
    EXPECT_FALSE(image.CopyFrom(NULL));
}
