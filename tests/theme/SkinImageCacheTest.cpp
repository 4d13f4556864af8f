// The image cache's drawing DCs: a bitmap drawn only through the cache stays in its DC between
// draws, and one that a borrower selects into a DC of its own is always free for it after a draw.
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

TEST(SkinImageCache, DrawingDcIsSharedAndGivesItsBitmapBackToBorrowersThatSelectItThemselves)
{
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"a.bmp", 8, 8, ImagePixel);
    WriteBitmap(folder, L"b.bmp", 8, 8, ImagePixel);
    CSkinImageCache cache;

    // Two window skins naming one file draw from one DC, which keeps the bitmap between their
    // paints: the platform then refuses the bitmap to any other DC.
    HBITMAP hDrawn = cache.BorrowBitmap(folder.Path() + L"\\a.bmp", CSkinImageCache::DRAWN_THROUGH_CACHE);
    ASSERT_TRUE(hDrawn != NULL);
    EXPECT_EQ(hDrawn, cache.BorrowBitmap(folder.Path() + L"\\A.BMP", CSkinImageCache::DRAWN_THROUGH_CACHE));
    CDC* pDC = cache.BeginDrawing(hDrawn);
    ASSERT_TRUE(pDC != NULL);
    EXPECT_EQ(IMAGE_COLOUR, pDC->GetPixel(2, 2));
    cache.EndDrawing(hDrawn);
    EXPECT_EQ(pDC, cache.BeginDrawing(hDrawn));
    cache.EndDrawing(hDrawn);
    EXPECT_FALSE(SelectableElsewhere(hDrawn)) << "kept in the drawing DC";

    // A later borrower that selects it itself (a watermark the host is handed) gets it at once,
    // and again after every later draw.
    EXPECT_EQ(hDrawn, cache.BorrowBitmap(folder.Path() + L"\\a.bmp"));
    EXPECT_TRUE(SelectableElsewhere(hDrawn));
    for (int n = 0; n < 2; n++)
    {
        pDC = cache.BeginDrawing(hDrawn);
        ASSERT_TRUE(pDC != NULL);
        EXPECT_EQ(IMAGE_COLOUR, pDC->GetPixel(2, 2));
        cache.EndDrawing(hDrawn);
        EXPECT_TRUE(SelectableElsewhere(hDrawn)) << n;
    }

    // The same when the borrower that selects it came first.
    HBITMAP hLent = cache.BorrowBitmap(folder.Path() + L"\\b.bmp");
    ASSERT_TRUE(hLent != NULL);
    EXPECT_TRUE(cache.BeginDrawing(hLent) == NULL) << "not borrowed to be drawn through the cache";
    EXPECT_EQ(hLent, cache.BorrowBitmap(folder.Path() + L"\\b.bmp", CSkinImageCache::DRAWN_THROUGH_CACHE));
    ASSERT_TRUE(cache.BeginDrawing(hLent) != NULL);
    cache.EndDrawing(hLent);
    EXPECT_TRUE(SelectableElsewhere(hLent));

    // Bitmaps no borrower of this load has: no DC; a missing file: no bitmap.
    CBitmap other;
    ASSERT_TRUE(other.CreateBitmap(4, 4, 1, 32, NULL));
    EXPECT_TRUE(cache.BeginDrawing((HBITMAP)other.m_hObject) == NULL);
    EXPECT_TRUE(cache.BeginDrawing(NULL) == NULL);
    EXPECT_TRUE(cache.BorrowBitmap(folder.Path() + L"\\none.bmp", CSkinImageCache::DRAWN_THROUGH_CACHE) == NULL);
    cache.EndDrawing(NULL);

    // The next load frees the bitmaps, those their drawing DCs hold included.
    ASSERT_TRUE(cache.BeginDrawing(hDrawn) != NULL);
    cache.EndDrawing(hDrawn);
    HBITMAP hHeld = cache.BorrowBitmap(folder.Path() + L"\\c.bmp", CSkinImageCache::DRAWN_THROUGH_CACHE);
    ASSERT_TRUE(hHeld == NULL) << "no such file yet";
    WriteBitmap(folder, L"c.bmp", 8, 8, ImagePixel);
    cache.Clear();
    hHeld = cache.BorrowBitmap(folder.Path() + L"\\c.bmp", CSkinImageCache::DRAWN_THROUGH_CACHE);
    ASSERT_TRUE(hHeld != NULL) << "a new load tries the file again";
    ASSERT_TRUE(cache.BeginDrawing(hHeld) != NULL);
    cache.EndDrawing(hHeld);
    EXPECT_FALSE(SelectableElsewhere(hHeld));
    cache.Clear();
    EXPECT_EQ(0u, ::GetObjectType(hHeld)) << "deleted although its DC held it";
    EXPECT_EQ(0, cache.GetBitmapCount());
}
