// The image cache's images: one per file, drawn through a DC each keeps between draws, and free
// after every draw once a borrower selects the bitmap into DCs of its own.
#include "ThemeTestSupport.h"
#include "theme/CSkinImageCache.h"

namespace
{
const COLORREF IMAGE_COLOUR = RGB(10, 120, 230);

COLORREF ImagePixel(int, int, void*)
{
    return IMAGE_COLOUR;
}

// Whether a DC of the caller's own can select the bitmap, and reads the file's pixels from it.
bool SelectableElsewhere(HBITMAP hBitmap)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        return false;
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)hBitmap);
    if (!hOld)
        return false;
    COLORREF cr = dc.GetPixel(2, 2);
    dc.SelectObject(hOld);
    return cr == IMAGE_COLOUR;
}
}

TEST(SkinImageCache, ImagesAreSharedAndGiveTheirBitmapBackToBorrowersThatSelectItThemselves)
{
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"a.bmp", 8, 8, ImagePixel);
    CSkinImageCache cache;
    KorvoTest::CPixelCanvas canvas(8, 8);
    const CRect rc(0, 0, 8, 8);

    // Two window skins naming one file draw from one image, which keeps its bitmap between
    // draws: the platform then refuses the bitmap to any other DC.
    CSkinImage* pImage = cache.BorrowImage(folder.Path() + L"\\a.bmp");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(pImage, cache.BorrowImage(folder.Path() + L"\\A.BMP"));
    ASSERT_TRUE(pImage->Draw(canvas.Dc(), rc, rc));
    EXPECT_EQ(IMAGE_COLOUR, canvas.Pixel(2, 2));
    EXPECT_FALSE(SelectableElsewhere(pImage->GetBitmap())) << "kept in the drawing DC";

    // A later borrower that selects it itself (a watermark the host is handed) gets it at once,
    // and again after every later draw.
    HBITMAP hLent = cache.BorrowBitmap(folder.Path() + L"\\a.bmp");
    EXPECT_EQ(pImage->GetBitmap(), hLent);
    EXPECT_TRUE(SelectableElsewhere(hLent));
    for (int n = 0; n < 2; n++)
    {
        ASSERT_TRUE(pImage->Draw(canvas.Dc(), rc, rc));
        EXPECT_TRUE(SelectableElsewhere(hLent)) << n;
    }

    // A missing file: no image, and none later in the same load; the next load tries again and
    // frees the bitmaps, those drawing DCs hold included.
    EXPECT_TRUE(cache.BorrowImage(folder.Path() + L"\\c.bmp") == NULL);
    WriteBitmap(folder, L"c.bmp", 8, 8, ImagePixel);
    EXPECT_TRUE(cache.BorrowImage(folder.Path() + L"\\c.bmp") == NULL);
    cache.Clear();
    CSkinImage* pHeld = cache.BorrowImage(folder.Path() + L"\\c.bmp");
    ASSERT_TRUE(pHeld != NULL) << "a new load tries the file again";
    ASSERT_TRUE(pHeld->Draw(canvas.Dc(), rc, rc));
    HBITMAP hHeld = pHeld->GetBitmap();
    cache.Clear();
    EXPECT_EQ(0u, ::GetObjectType(hHeld)) << "deleted although its DC held it";
    EXPECT_EQ(0, cache.GetBitmapCount());
}

TEST(SkinImageCache, VariantsLoadWithTheirImageAndCountAgainstTheLoadsBudgets)
{
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"a.bmp", 100, 100, ImagePixel);
    WriteBitmap(folder, L"a@2x.bmp", 200, 200, ImagePixel);
    WriteBitmap(folder, L"a@1.5x.bmp", 151, 149, ImagePixel);
    // Not variants of a.bmp: another image's, and names that only look alike.
    WriteBitmap(folder, L"ab@2x.bmp", 200, 200, ImagePixel);
    WriteBitmap(folder, L"a@2x.txt", 200, 200, ImagePixel);
    CSkinImageCache cache;
    CSkinImage* pImage = cache.BorrowImage(folder.Path() + L"\\a.bmp");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(2, pImage->GetVariantCount());
    EXPECT_EQ(CSize(100, 100), pImage->GetSize());
    EXPECT_EQ(10000 + 40000 + 151 * 149, cache.GetPixelCount());
    EXPECT_TRUE(cache.GetRefusedVariants().empty());

    // A variant past the pixel budget is left out and named; the image itself still loads.
    cache.Clear();
    ASSERT_TRUE(cache.CountPixels(MAX_LOAD_PIXELS - 10000 - 30000));
    pImage = cache.BorrowImage(folder.Path() + L"\\a.bmp");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(1, pImage->GetVariantCount()) << "the 1.5x fits, the 2x does not";
    ASSERT_EQ(1u, cache.GetRefusedVariants().size());
    EXPECT_EQ(folder.Path() + L"\\a@2x.bmp", cache.GetRefusedVariants()[0].strPath);

    // Every variant file counts as a file: with room for one more file, the image loads alone.
    cache.Clear();
    for (int n = 0; n < MAX_LOAD_IMAGE_FILES - 1; n++)
    {
        CString strMissing;
        strMissing.Format(L"\\missing%d.bmp", n);
        cache.BorrowImage(folder.Path() + strMissing);
    }
    pImage = cache.BorrowImage(folder.Path() + L"\\a.bmp");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(0, pImage->GetVariantCount());
    EXPECT_EQ(2u, cache.GetRefusedVariants().size());
}
