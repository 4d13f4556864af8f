// Skin images with variants for higher DPIs, drawn onto real DCs and read back: which variant a
// DPI takes, the filtering of a larger one, grids and tiles kept in 1x units, and copies.
#include "../support/KorvoTest.h"
#include "../support/PictureFiles.h"
#include "parts/CGdiplusSession.h"
#include "parts/CSkinImage.h"
#include <gtest/gtest.h>
#include <memory>

using namespace KorvoTest;

namespace
{
const LONGLONG NO_LIMIT = 1LL << 40;
const COLORREF ONE = RGB(200, 0, 0), ONE_HALF = RGB(0, 200, 0), TWO = RGB(0, 0, 200);

class SkinImageVariants : public ::testing::Test
{
protected:
    std::unique_ptr<CSkinImage> Solid(LPCWSTR pszName, int cx, int cy, COLORREF cr)
    {
        std::vector<BYTE> bytes = MakeBitmapFile(cx, cy, [](int, int, void* p) { return *(COLORREF*)p; }, &cr);
        std::unique_ptr<CSkinImage> pImage(new CSkinImage);
        EXPECT_TRUE(pImage->Load(m_folder.WriteFile(pszName, bytes.data(), bytes.size()), NO_LIMIT));
        return pImage;
    }
    std::unique_ptr<CSkinImage> Png(LPCWSTR pszName, int cx, int cy, const std::function<COLORREF(int, int, BYTE&)>& pixel)
    {
        std::vector<BYTE> bytes = PictureFiles::MakePng(cx, cy, pixel);
        std::unique_ptr<CSkinImage> pImage(new CSkinImage);
        EXPECT_TRUE(pImage->Load(m_folder.WriteFile(pszName, bytes.data(), bytes.size()), NO_LIMIT));
        return pImage;
    }
    // A 10 x 6 image of colour ONE with the given variants (150, 200) of their colours.
    void Build(CSkinImage& image, std::initializer_list<int> variants)
    {
        image.Reset();
        std::unique_ptr<CSkinImage> pOne = Solid(L"one.bmp", 10, 6, ONE);
        image.CopyFrom(*pOne);
        for (int nPercent : variants)
        {
            std::unique_ptr<CSkinImage> pVariant = nPercent == 150 ? Solid(L"v15.bmp", 15, 9, ONE_HALF)
                                                                   : Solid(L"v20.bmp", 20, 12, TWO);
            ASSERT_TRUE(image.AddVariant(nPercent, pVariant));
        }
    }

    CGdiplusSession m_session;
    CTempFolder m_folder;
};

COLORREF DrawnAt(CSkinImage& image, UINT nDpi)
{
    const CDpiScale scale(nDpi);
    CPixelCanvas canvas(60, 40);
    EXPECT_TRUE(image.Draw(canvas.Dc(), CRect(CPoint(0, 0), scale.Scale(CSize(10, 6))), CRect(0, 0, 10, 6),
                           CSkinImage::FILL_STRETCH, scale));
    return canvas.Pixel(scale.Scale(10) - 1, scale.Scale(6) - 1);
}
}

TEST_F(SkinImageVariants, EachDpiTakesTheNearestVariantAtOrAboveItElseTheLargestBelow)
{
    CSkinImage image;
    struct CASE
    {
        std::initializer_list<int> variants;
        UINT nDpi;
        COLORREF crWanted;
    };
    const CASE cases[] = {
        { { 150, 200 }, 96, ONE },  { { 150, 200 }, 120, ONE_HALF }, { { 150, 200 }, 144, ONE_HALF },
        { { 150, 200 }, 168, TWO }, { { 150, 200 }, 192, TWO },      { { 150, 200 }, 288, TWO },
        { { 200 }, 144, TWO },      { { 150 }, 192, ONE_HALF },      { {}, 192, ONE },
        { { 200 }, 72, ONE },
    };
    for (const CASE& c : cases)
    {
        Build(image, c.variants);
        EXPECT_EQ(c.crWanted, DrawnAt(image, c.nDpi)) << c.nDpi << " with " << c.variants.size() << " variants";
    }
    // The size the layouts see stays the 1x size.
    EXPECT_EQ(CSize(10, 6), image.GetSize());
}

TEST_F(SkinImageVariants, VariantsOffTheirScaleByMoreThanAPixelAreRefused)
{
    std::unique_ptr<CSkinImage> pOne = Solid(L"one.bmp", 11, 7, ONE);
    // 11 x 7 at 1.5 is 16.5 x 10.5: 16 or 17 wide passes, 18 does not.
    for (int cx : { 15, 16, 17, 18 })
    {
        std::unique_ptr<CSkinImage> pVariant = Solid(L"v.bmp", cx, 10, ONE_HALF);
        EXPECT_EQ(cx == 16 || cx == 17, pOne->AddVariant(150, pVariant) == TRUE) << cx;
        EXPECT_EQ(cx == 16 || cx == 17, pVariant == nullptr) << "a refused variant stays with the caller";
        pOne->Reset();
        pOne = Solid(L"one.bmp", 11, 7, ONE);
    }
    std::unique_ptr<CSkinImage> pOther = Solid(L"v.bmp", 33, 21, TWO);
    EXPECT_FALSE(pOne->AddVariant(300, pOther)) << "only 1.5x and 2x";
    std::unique_ptr<CSkinImage> pFirst = Solid(L"a.bmp", 22, 14, TWO), pSecond = Solid(L"b.bmp", 22, 14, TWO);
    EXPECT_TRUE(pOne->AddVariant(200, pFirst));
    EXPECT_FALSE(pOne->AddVariant(200, pSecond)) << "one variant a scale";
}

TEST_F(SkinImageVariants, ALargerVariantIsAveragedDownWithAlphaKeptPremultiplied)
{
    std::unique_ptr<CSkinImage> pOne = Png(L"one.png", 10, 10, [](int, int, BYTE&) { return RGB(255, 0, 0); });
    // Columns alternately opaque white and fully transparent: picked pixels would be one or the
    // other, averaged ones are half-transparent white everywhere.
    std::unique_ptr<CSkinImage> pTwo = Png(L"two.png", 20, 20, [](int x, int, BYTE& alpha) {
        alpha = x % 2 ? 0 : 255;
        return RGB(255, 255, 255);
    });
    ASSERT_TRUE(pTwo->HasAlpha());
    ASSERT_TRUE(pOne->AddVariant(200, pTwo));
    CPixelCanvas canvas(20, 20, RGB(0, 0, 0));
    ASSERT_TRUE(pOne->Draw(canvas.Dc(), CRect(0, 0, 15, 15), CRect(0, 0, 10, 10), CSkinImage::FILL_STRETCH, CDpiScale(144)));
    for (int x = 1; x < 14; x++)
    {
        const COLORREF cr = canvas.Pixel(x, 7);
        EXPECT_TRUE(GetRValue(cr) > 60 && GetRValue(cr) < 195 && GetRValue(cr) == GetGValue(cr) &&
                    GetGValue(cr) == GetBValue(cr))
            << x << ": " << std::hex << cr;
    }
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(15, 7)) << "nothing past the destination";
}

TEST_F(SkinImageVariants, GridMarginsAndTilesStayIn1xUnitsWhileTheVariantGivesThePixels)
{
    // 1x: 12 x 12 with 3-pixel red corners; 2x: 24 x 24 with 6-pixel blue corners, green elsewhere,
    // and a one-pixel black line at its corner's inner edge that a picked-up 1x could not show.
    std::unique_ptr<CSkinImage> pOne = Png(L"one.png", 12, 12, [](int x, int y, BYTE&) {
        return (x < 3 || x >= 9) && (y < 3 || y >= 9) ? RGB(255, 0, 0) : RGB(255, 255, 255);
    });
    std::unique_ptr<CSkinImage> pTwo = Png(L"two.png", 24, 24, [](int x, int y, BYTE&) {
        if (x == 5 && y < 6)
            return RGB(0, 0, 0);
        return (x < 6 || x >= 18) && (y < 6 || y >= 18) ? RGB(0, 0, 255) : RGB(0, 255, 0);
    });
    ASSERT_TRUE(pOne->AddVariant(200, pTwo));
    for (CSize size : { CSize(40, 30), CSize(100, 17), CSize(13, 60) })
    {
        CPixelCanvas canvas(120, 70);
        ASSERT_TRUE(pOne->DrawGrid(canvas.Dc(), CRect(CPoint(0, 0), size), CRect(0, 0, 12, 12), CRect(3, 3, 3, 3),
                                   CSkinImage::FILL_STRETCH, CDpiScale(192)));
        SCOPED_TRACE(size.cx);
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 0)) << "the corner is the variant's, 1:1";
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(6, 6));
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(size.cx - 1, size.cy - 1));
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(size.cx - 6, size.cy - 6));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(size.cx - 7, size.cy - 7));
    }
    // Tiles are the source's 1x size at the scale: 4 1x pixels make an 8-pixel tile of 2x pixels.
    std::unique_ptr<CSkinImage> pStripe = Png(L"s1.png", 4, 1, [](int, int, BYTE&) { return RGB(255, 255, 255); });
    std::unique_ptr<CSkinImage> pStripe2 = Png(L"s2.png", 8, 2, [](int x, int, BYTE&) { return x == 7 ? RGB(0, 0, 0) : RGB(0, 255, 0); });
    ASSERT_TRUE(pStripe->AddVariant(200, pStripe2));
    CPixelCanvas canvas(40, 4);
    ASSERT_TRUE(pStripe->Draw(canvas.Dc(), CRect(0, 0, 36, 2), CRect(0, 0, 4, 1), CSkinImage::FILL_TILE, CDpiScale(192)));
    for (int x = 0; x < 36; x++)
        ASSERT_EQ(x % 8 == 7 ? RGB(0, 0, 0) : RGB(0, 255, 0), canvas.Pixel(x, 1)) << x;
}

TEST_F(SkinImageVariants, CopiesKeepTheVariantsAndTheKeyColourLeavesVariantPixelsOut)
{
    const COLORREF KEY = RGB(255, 0, 255);
    CSkinImage image;
    Build(image, { 200 });
    // The 2x variant's left half is the key colour.
    std::unique_ptr<CSkinImage> pOne = Solid(L"k1.bmp", 10, 6, ONE);
    std::vector<BYTE> bytes = MakeBitmapFile(20, 12, [](int x, int, void*) { return x < 10 ? RGB(255, 0, 255) : RGB(0, 0, 200); }, NULL);
    std::unique_ptr<CSkinImage> pKeyed(new CSkinImage);
    ASSERT_TRUE(pKeyed->Load(m_folder.WriteFile(L"k2.bmp", bytes.data(), bytes.size()), NO_LIMIT));
    ASSERT_TRUE(pOne->AddVariant(200, pKeyed));
    pOne->SetKeyColour(KEY);

    CSkinImage copy;
    ASSERT_TRUE(copy.CopyFrom(*pOne));
    pOne.reset();
    EXPECT_EQ(1, copy.GetVariantCount());
    for (UINT nDpi : { 192u, 168u })
    {
        CPixelCanvas canvas(30, 20, RGB(9, 9, 9));
        const CDpiScale scale(nDpi);
        ASSERT_TRUE(copy.Draw(canvas.Dc(), CRect(CPoint(0, 0), scale.Scale(CSize(10, 6))), CRect(0, 0, 10, 6),
                              CSkinImage::FILL_STRETCH, scale));
        EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(1, 1)) << nDpi << ": the key is left out";
        EXPECT_EQ(TWO, canvas.Pixel(scale.Scale(10) - 1, 1)) << nDpi;
    }
    EXPECT_EQ(TWO, DrawnAt(image, 192));
}
