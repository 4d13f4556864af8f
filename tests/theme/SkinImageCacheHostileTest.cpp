// The image cache against skins built to waste its time and memory: variants judged from their
// header before they are decoded, every decoded pixel charged, one file however its path is
// spelt, and the copies made for DPIs between variants' scales kept within the load's budget.
#include "ThemeTestSupport.h"
#include "PictureFiles.h"
#include "parts/CGdiplusSession.h"
#include "theme/CSkinImageCache.h"

namespace
{
const COLORREF ONE = RGB(200, 0, 0), TWO = RGB(0, 0, 200);

void PutBig(BYTE* p, DWORD n)
{
    for (int i = 0; i < 4; i++)
        p[i] = (BYTE)(n >> (24 - 8 * i));
}

// A grey PNG of cx x cy whose header then declares cxSaid x cySaid, its checks made good: a
// file only a decoder finds wrong.
std::vector<BYTE> PngSaying(int cx, int cy, DWORD cxSaid, DWORD cySaid)
{
    std::vector<BYTE> png = PictureFiles::MakePng(cx, cy, [](int, int, BYTE&) { return RGB(128, 128, 128); });
    PutBig(&png[16], cxSaid);
    PutBig(&png[20], cySaid);
    PutBig(&png[29], PictureFiles::Crc32(&png[12], 17));
    return png;
}

std::wstring Str(const CString& str)
{
    return (LPCWSTR)str;
}

COLORREF Colour(int, int, void* p)
{
    return *(COLORREF*)p;
}

class SkinImageCacheHostile : public ::testing::Test
{
protected:
    CString Write(LPCWSTR pszName, const std::vector<BYTE>& bytes) { return m_folder.WriteFile(pszName, bytes.data(), bytes.size()); }
    CString WriteBmp(LPCWSTR pszName, int cx, int cy, COLORREF cr)
    {
        return Write(pszName, KorvoTest::MakeBitmapFile(cx, cy, Colour, &cr));
    }

    CGdiplusSession m_session;
    KorvoTest::CTempFolder m_folder;
    CSkinImageCache m_cache;
};
}

TEST_F(SkinImageCacheHostile, AVariantOfTheWrongSizeIsRefusedFromItsHeaderUndecoded)
{
    ASSERT_TRUE(m_session.IsRunning());
    Write(L"a.png", PngSaying(1, 1, 1, 1));
    // Declares 8191 x 8191 in a few dozen bytes: decoding it would take most of a second.
    Write(L"a@2x.png", PngSaying(1, 1, 8191, 8191));
    CSkinImage* pImage = m_cache.BorrowImage(m_folder.Path() + L"a.png");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(0, pImage->GetVariantCount());
    ASSERT_EQ(1u, m_cache.GetRefusedVariants().size());
    EXPECT_EQ(Str(L"is 8191x8191, not 2x2 (2x 'a.png', 1x1): it is not used"), Str(m_cache.GetRefusedVariants()[0].strReason));
    EXPECT_EQ(1, m_cache.GetPixelCount());
}

TEST_F(SkinImageCacheHostile, WhatADecoderIsHandedIsChargedWhetherItLoadsOrNot)
{
    // The right size for a 2x variant by its header, but its data holds one pixel.
    Write(L"b.png", PngSaying(2, 2, 2, 2));
    Write(L"b@2x.png", PngSaying(1, 1, 4, 4));
    // An image that does not decode at all.
    Write(L"c.png", PngSaying(1, 1, 30, 10));
    CSkinImage* pImage = m_cache.BorrowImage(m_folder.Path() + L"b.png");
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(0, pImage->GetVariantCount());
    ASSERT_EQ(1u, m_cache.GetRefusedVariants().size());
    EXPECT_EQ(4 + 16, m_cache.GetPixelCount());
    EXPECT_TRUE(m_cache.BorrowImage(m_folder.Path() + L"c.png") == NULL);
    EXPECT_EQ(4 + 16 + 300, m_cache.GetPixelCount());
    EXPECT_TRUE(m_cache.BorrowImage(m_folder.Path() + L"C.png") == NULL);
    EXPECT_EQ(4 + 16 + 300, m_cache.GetPixelCount()) << "tried once";
}

TEST_F(SkinImageCacheHostile, OneFileIsOneImageHoweverItsPathIsSpelt)
{
    const CString strFolder = m_folder.Path();
    WriteBmp(L"x.bmp", 10, 10, ONE);
    ::CreateDirectoryW(strFolder + L"sub", NULL);
    CString strLong = strFolder;
    while (strLong.GetLength() <= MAX_PATH + 20)
        strLong += L"sub\\..\\";
    std::vector<CString> spellings = { strFolder + L"x.bmp", strFolder + L"X.BMP", strFolder + L".\\x.bmp",
                                       strFolder + L"sub\\..\\x.bmp", strLong + L"x.bmp", L"\\\\?\\" + strFolder + L"x.bmp" };
    CString strForward = strFolder + L"x.bmp";
    strForward.Replace(L'\\', L'/');
    spellings.push_back(strForward);
    // Another name for the same file.
    if (::CreateHardLinkW(strFolder + L"y.bmp", strFolder + L"x.bmp", NULL))
        spellings.push_back(strFolder + L"y.bmp");
    CSkinImage* pImage = m_cache.BorrowImage(spellings[0]);
    ASSERT_TRUE(pImage != NULL);
    for (const CString& strSpelling : spellings)
        EXPECT_EQ(pImage, m_cache.BorrowImage(strSpelling)) << Str(strSpelling);
    EXPECT_EQ(1, m_cache.GetBitmapCount());
    EXPECT_EQ(100, m_cache.GetPixelCount()) << "read once";
    // Another file is another image.
    WriteBmp(L"z.bmp", 10, 10, ONE);
    EXPECT_NE(pImage, m_cache.BorrowImage(strFolder + L"z.bmp"));
}

TEST_F(SkinImageCacheHostile, CopiesForDpisBetweenScalesLiveInWhatTheBudgetLeavesLeastRecentlyDrawnFirst)
{
    WriteBmp(L"a.bmp", 100, 100, ONE);
    WriteBmp(L"a@2x.bmp", 200, 200, TWO);
    // Room for 42,000 pixels of copies once the image and its variant are in.
    ASSERT_TRUE(m_cache.CountPixels(MAX_LOAD_PIXELS - 50000 - 42000));
    CSkinImage* pImage = m_cache.BorrowImage(m_folder.Path() + L"a.bmp");
    ASSERT_TRUE(pImage != NULL);
    const CDerivedImages& copies = m_cache.GetDerivedImages();
    EXPECT_EQ(42000, copies.GetLimit());
    auto draw = [&](UINT nDpi) {
        const CDpiScale scale(nDpi);
        KorvoTest::CPixelCanvas canvas(200, 200);
        EXPECT_TRUE(pImage->Draw(canvas.Dc(), CRect(CPoint(0, 0), scale.Scale(CSize(100, 100))), CRect(0, 0, 100, 100),
                                 CSkinImage::FILL_STRETCH, scale));
        EXPECT_EQ(TWO, canvas.Pixel(scale.Scale(100) - 1, scale.Scale(100) - 1)) << nDpi;
        EXPECT_LE(copies.GetPixelCount(), copies.GetLimit()) << nDpi;
    };
    draw(120);  // 125 x 125
    draw(144);  // 150 x 150
    EXPECT_EQ(2, copies.GetCount());
    EXPECT_EQ(125 * 125 + 150 * 150, copies.GetPixelCount());
    draw(120);
    draw(168);  // 175 x 175: both older copies make room, the one drawn longest ago first
    EXPECT_EQ(1, copies.GetCount());
    EXPECT_EQ(175 * 175, copies.GetPixelCount());
    draw(100);  // 104 x 104 fits beside it
    EXPECT_EQ(2, copies.GetCount());
    draw(191);  // 199 x 199 fits alone
    EXPECT_EQ(1, copies.GetCount());
    EXPECT_EQ(199 * 199, copies.GetPixelCount());

    // Images loaded later take the room the copies had.
    WriteBmp(L"b.bmp", 100, 60, ONE);
    ASSERT_TRUE(m_cache.BorrowImage(m_folder.Path() + L"b.bmp") != NULL);
    EXPECT_EQ(36000, copies.GetLimit());
    EXPECT_EQ(0, copies.GetCount());
    // With no room for a copy the variant is drawn as it is, shrunk, and nothing is kept.
    ASSERT_TRUE(m_cache.CountPixels(30000));
    draw(168);
    draw(168);
    EXPECT_EQ(0, copies.GetCount());
    m_cache.Clear();
    EXPECT_EQ(MAX_LOAD_PIXELS, copies.GetLimit());
}

TEST_F(SkinImageCacheHostile, ASkinAtItsBudgetDrawnAtManyDpisHoldsNoCopies)
{
    WriteBmp(L"big.bmp", 1000, 1000, ONE);
    WriteBmp(L"big@2x.bmp", 2000, 2000, TWO);
    ASSERT_TRUE(m_cache.CountPixels(MAX_LOAD_PIXELS - 5000000));
    CSkinImage* pImage = m_cache.BorrowImage(m_folder.Path() + L"big.bmp");
    ASSERT_TRUE(pImage != NULL);
    ASSERT_EQ(1, pImage->GetVariantCount());
    KorvoTest::CPixelCanvas canvas(64, 64);
    const SIZE_T nBefore = KorvoTest::CommittedPrivateBytes();
    for (UINT nDpi = 100; nDpi <= 190; nDpi += 10)
    {
        const CDpiScale scale(nDpi);
        // A corner of the image, as a frame draws its parts: the copy is made for the whole.
        ASSERT_TRUE(pImage->Draw(canvas.Dc(), CRect(0, 0, 64, 64), CRect(0, 0, 10, 10), CSkinImage::FILL_STRETCH, scale));
        EXPECT_EQ(TWO, canvas.Pixel(10, 10)) << nDpi;
    }
    const SIZE_T nAfter = KorvoTest::CommittedPrivateBytes();
    // Copies at these DPIs would hold 1 to 4 megapixels each.
    EXPECT_LT((LONGLONG)nAfter - (LONGLONG)nBefore, 8LL * 1024 * 1024) << nBefore << " -> " << nAfter;
    EXPECT_EQ(0, m_cache.GetDerivedImages().GetCount());
}
