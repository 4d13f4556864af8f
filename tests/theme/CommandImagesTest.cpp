// Command images: the three lists, bitmap strips, icon files, icons on demand and the library's
// own check mark.
#include "ThemeTestSupport.h"
#include "parts/CGdiplusSession.h"
#include "PictureFiles.h"
#include <algorithm>
#include "api/Globals.h"

namespace
{
const UINT ID_HOST_ICON = 4242; // an icon resource of this test program
const COLORREF STRIP_COLOURS[4] = { RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255) };

// The pixel (x, y) of an icon drawn on white; the icon is destroyed, as its caller must.
COLORREF IconPixel(HICON hIcon, int nSize, int x, int y)
{
    CPixelCanvas canvas(nSize, nSize);
    ::DrawIconEx(canvas.Dc(), 0, 0, hIcon, nSize, nSize, 0, NULL, DI_NORMAL);
    EXPECT_TRUE(::DestroyIcon(hIcon));
    return canvas.Pixel(x, y);
}

}

TEST(CommandImages, ALoadWithoutImagesHasOnlyTheCheckMarkAsDrawnInTheTable)
{
    // The images of an earlier load are gone; the tick, copied from the base images, is not.
    ResetTheme();
    for (int nSize : { SIZE_CODE_16, SIZE_CODE_32, SIZE_CODE_48 })
        g_Theme.AddIcon(ID_HOST_ICON, ::LoadIconW(NULL, IDI_APPLICATION), nSize);
    ASSERT_EQ(2, g_Theme.GetImageList(SIZE_CODE_16)->GetImageCount());
    ResetTheme();
    EXPECT_EQ(1, g_Theme.GetImageList(SIZE_CODE_16)->GetImageCount());
    EXPECT_EQ(0, g_Theme.GetImageList(SIZE_CODE_32)->GetImageCount());
    EXPECT_EQ(0, g_Theme.GetImageList(SIZE_CODE_48)->GetImageCount());
    EXPECT_EQ(0, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_32));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, 7)) << "unknown size code";
    EXPECT_TRUE(g_Theme.GetImageList(7) == NULL);
    EXPECT_TRUE(g_Theme.LoadCommandImages(NULL, CString()));

    // No image and an unknown size draw nothing; the tick's opaque pixels, row by row, are black.
    CPixelCanvas canvas(16, 16);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    g_Theme.Draw(pDC, -1, 0, 0, ILD_NORMAL, SIZE_CODE_16);
    g_Theme.DrawEx(pDC, 0, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL, 9);
    g_Theme.Draw(pDC, 0, 0, 0, ILD_NORMAL, SIZE_CODE_16);
    const std::vector<std::vector<int>> rows = { {}, {}, {}, {}, {}, { 11 }, { 10, 11 }, { 5, 9, 10 },
                                                 { 5, 6, 8, 9 }, { 6, 7, 8 }, { 7 }, {}, {}, {}, {}, {} };
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
        {
            bool bOpaque = std::find(rows[y].begin(), rows[y].end(), x) != rows[y].end();
            EXPECT_EQ(bOpaque ? RGB(0, 0, 0) : RGB(255, 255, 255), canvas.Pixel(x, y)) << x << "," << y;
        }
}

TEST(CommandImages, StripsAndIconFilesMapExactly)
{
    ResetTheme();
    KorvoTest::CTempFolder folder;
    // Four 16-pixel images in a row, each with a one-pixel green frame: green is the default mask.
    WriteBitmap(folder, L"img\\strip.bmp", 64, 16, [](int x, int y, void*) {
        return (x % 16 == 0 || y == 0 || x % 16 == 15 || y == 15) ? RGB(0, 255, 0) : STRIP_COLOURS[x / 16];
    });
    // Two 32-pixel images, each with a magenta band on the left.
    WriteBitmap(folder, L"big.bmp", 64, 32, [](int x, int, void*) {
        return (x % 32) < 2 ? RGB(255, 0, 255) : STRIP_COLOURS[x / 32];
    });
    folder.WriteFile(L"two.ico", MakeIconFile({ { 16, RGB(200, 0, 0) }, { 32, RGB(0, 0, 200) } }));
    for (int n = 0; n < 5; n++)
        g_Theme.SetNameID(CString(L"ABCDI"[n]), 601 + n);

    XmlDocument pSection(XmlParseDocument(
        L"<commandImages><bitmap path='img\\strip.bmp'>"
        L"<image id='A'/><image index='3' id='B' id1='C'/><IMAGE ID='D'/><image index='x2' id='700'/>"
        L"<image index='0x1' id='701' id1='702' id3='703'/><image id1='704'/><picture id='705'/></bitmap>"
        L"<Bitmap path='big.bmp' types='32' mask='FF00FF'><image id='801'/><image id='802'/></Bitmap>"
        L"<bitmap path='big.bmp' types='24'><image id='803'/></bitmap>"
        L"<bitmap path='big.bmp' mask='FF00F'><image id='804'/></bitmap>"
        L"<bitmap path='big.bmp' mask='FF00FG'><image id='805'/></bitmap>"
        L"<bitmap path='no.bmp'><image id='806'/></bitmap>"
        L"<icon path='two.ico' id='I' types='16,32'/><ICON path='two.ico' id='902'/>"
        L"<icon path='two.ico' id='903' types='48'/><icon path='two.ico' id='904' types='32,24,16'/>"
        L"<icon path='two.ico' id='0'/><icon path='no.ico' id='905'/>"
        L"<bitmap path='img\\strip.bmp'><image index='2147483647' id='711'/><image index='0x7FFFFFFF' id='712'/>"
        L"<image index='-5' id='713'/><image index='4294967295' id='714'/><image id='715'/><image index='2' id='716'/>"
        L"<image id='717'/></bitmap></commandImages>", FALSE));
    ASSERT_TRUE(pSection != nullptr);
    EXPECT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path())) << "failing elements never fail the section";

    // The tick is image 0 of the small list and the strip follows it, its commands where the
    // index attributes and id runs put them (D past the strip's end). An unreadable index maps
    // nothing; a run of ids stops at the first missing one; icon types default to 16; 48-pixel
    // icons are never extracted; the sizes before a bad piece of "types" stay. Positions outside
    // the strip map nothing, and a skipped element keeps the running position.
    const struct { UINT nID; int nSmall, nLarge; } mapped[] = {
        { 601, 1, -1 }, { 602, 4, -1 }, { 603, 4, -1 }, { 604, 5, -1 }, { 700, -1, -1 }, { 701, 2, -1 },
        { 702, 2, -1 }, { 703, -1, -1 }, { 704, 3, -1 }, { 705, -1, -1 }, { 801, -1, 0 }, { 802, -1, 1 },
        { 803, -1, -1 }, { 804, -1, -1 }, { 805, -1, -1 }, { 806, -1, -1 }, { 605, 5, 2 }, { 902, 6, -1 },
        { 903, -1, -1 }, { 904, -1, 3 }, { 905, -1, -1 }, { 711, -1, -1 }, { 712, -1, -1 }, { 713, -1, -1 },
        { 714, -1, -1 }, { 715, 7, -1 }, { 716, 9, -1 }, { 717, 10, -1 },
    };
    for (const auto& test : mapped)
    {
        EXPECT_EQ(test.nSmall, g_Theme.GetImageIndex(test.nID, SIZE_CODE_16)) << test.nID;
        EXPECT_EQ(test.nLarge, g_Theme.GetImageIndex(test.nID, SIZE_CODE_32)) << test.nID;
        EXPECT_EQ(-1, g_Theme.GetImageIndex(test.nID, SIZE_CODE_48)) << test.nID;
    }
    EXPECT_EQ(11, g_Theme.GetImageList(SIZE_CODE_16)->GetImageCount());
    EXPECT_EQ(4, g_Theme.GetImageList(SIZE_CODE_32)->GetImageCount());
    EXPECT_EQ(0, g_Theme.GetImageList(SIZE_CODE_48)->GetImageCount());

    // The mask colours come out transparent, the images keep their colours.
    EXPECT_EQ(RGB(255, 255, 255), IconPixel(g_Theme.GetIcon(602, SIZE_CODE_16), 16, 0, 0));
    EXPECT_EQ(STRIP_COLOURS[3], IconPixel(g_Theme.GetIcon(602, SIZE_CODE_16), 16, 8, 8));
    EXPECT_EQ(RGB(255, 255, 255), IconPixel(g_Theme.GetIcon(802, SIZE_CODE_32), 32, 0, 16));
    EXPECT_EQ(STRIP_COLOURS[1], IconPixel(g_Theme.GetIcon(802, SIZE_CODE_32), 32, 16, 16));
    EXPECT_EQ(RGB(200, 0, 0), IconPixel(g_Theme.GetIcon(605, SIZE_CODE_16), 16, 8, 8)) << "the file's small icon";
    EXPECT_EQ(RGB(0, 0, 200), IconPixel(g_Theme.GetIcon(605, SIZE_CODE_32), 32, 16, 16)) << "the file's large icon";
}

namespace
{
// An icon of size cx in 32-bit colour: a blue-to-red alpha ramp with fully transparent
// corners (bAlpha), or opaque green with the same corners cut out by the mask.
HICON MakeTestIcon(int cx, bool bAlpha)
{
    std::vector<DWORD> colour(cx * cx);
    std::vector<WORD> mask(cx * 2, 0); // 1-bit rows, word-aligned: 32 pixels at most
    for (int y = 0; y < cx; y++)
        for (int x = 0; x < cx; x++)
        {
            bool bCorner = (x < 3 || x >= cx - 3) && (y < 3 || y >= cx - 3);
            BYTE alpha = bCorner ? 0 : (BYTE)(40 + x * 200 / cx);
            colour[y * cx + x] = bAlpha ? (DWORD)alpha << 24 | (alpha * y / cx) << 16 | (alpha * (cx - y) / cx)
                                        : (bCorner ? 0 : 0xFF00C000);
            if (!bAlpha && bCorner)
                ((BYTE*)mask.data())[y * ((cx + 15) / 16 * 2) + x / 8] |= 0x80 >> (x % 8);
        }
    HBITMAP hColour = ::CreateBitmap(cx, cx, 1, 32, colour.data());
    HBITMAP hMask = ::CreateBitmap(cx, cx, 1, 1, mask.data());
    ICONINFO info = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

// Every pixel of an icon drawn at a size over grey.
std::vector<COLORREF> DrawnPixels(HICON hIcon, int nSize)
{
    CPixelCanvas canvas(nSize, nSize, RGB(128, 128, 128));
    ::DrawIconEx(canvas.Dc(), 0, 0, hIcon, nSize, nSize, 0, NULL, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int n = 0; n < nSize * nSize; n++)
        pixels.push_back(canvas.Pixel(n % nSize, n / nSize));
    return pixels;
}

}

TEST(CommandImages, AnIconComesBackFromTheListAsItWentIn)
{
    ResetTheme();
    struct Case
    {
        int cx, nSize;
        bool bAlpha;
    } cases[] = { { 16, SIZE_CODE_16, true }, { 16, SIZE_CODE_16, false }, { 32, SIZE_CODE_32, true },
                  { 32, SIZE_CODE_16, true }, { 16, SIZE_CODE_32, false } };
    UINT nID = 900;
    for (const Case& c : cases)
    {
        HICON hIcon = MakeTestIcon(c.cx, c.bAlpha);
        ASSERT_TRUE(hIcon != NULL);
        g_Theme.AddIcon(++nID, hIcon, c.nSize);
        const int nPixels = c.nSize == SIZE_CODE_16 ? 16 : 32;
        HICON hBack = g_Theme.GetIcon(nID, c.nSize);
        ASSERT_TRUE(hBack != NULL);
        if (c.cx == nPixels)
            EXPECT_EQ(DrawnPixels(hIcon, nPixels), DrawnPixels(hBack, nPixels)) << c.cx << (c.bAlpha ? " alpha" : " mask");
        else
            // Scaled by the list: the transparent corner stays transparent.
            EXPECT_EQ(RGB(128, 128, 128), DrawnPixels(hBack, nPixels)[0]) << c.cx << " into " << nPixels;
        ::DestroyIcon(hBack);
        ::DestroyIcon(hIcon);
    }
}

TEST(CommandImages, GetIconFallsBackToTheHostsIconResource)
{
    ResetTheme();
    EXPECT_EQ(RGB(0, 0, 0), IconPixel(g_Theme.GetIcon(ID_HOST_ICON, SIZE_CODE_16), 16, 11, 5)) << "the host's tick";
    EXPECT_EQ(1, g_Theme.GetImageIndex(ID_HOST_ICON, SIZE_CODE_16)) << "kept for the next call";
    // High bits of the command never reach the resource lookup, where they would make a name.
    EXPECT_TRUE(::DestroyIcon(g_Theme.GetIcon(0x10000 | ID_HOST_ICON, SIZE_CODE_32)));
    IconPixel(g_Theme.GetIcon(ID_HOST_ICON, SIZE_CODE_16), 16, 0, 0);
    EXPECT_EQ(2, g_Theme.GetImageList(SIZE_CODE_16)->GetImageCount()) << "the second call takes the listed image";

    EXPECT_TRUE(g_Theme.GetIcon(ID_HOST_ICON + 1, SIZE_CODE_16) == NULL);
    EXPECT_TRUE(g_Theme.GetIcon(0, SIZE_CODE_16) == NULL);
    EXPECT_EQ(2, g_Theme.GetImageList(SIZE_CODE_16)->GetImageCount()) << "nothing is added for a missing icon";
}

TEST(CommandImages, AStripWithAlphaBlendsOverWhateverItIsDrawnOn)
{
    // Two 16-pixel images: half-transparent red with a clear left column, then opaque blue.
    ResetTheme();
    CGdiplusSession session;
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> png = PictureFiles::MakePng(32, 16, [](int x, int, BYTE& alpha) {
        alpha = x >= 16 ? 255 : x == 0 ? 0 : 128;
        return x >= 16 ? RGB(0, 0, 255) : RGB(255, 0, 0);
    });
    folder.WriteFile(L"alpha.png", png.data(), png.size());
    XmlDocument pSection(XmlParseDocument(
        L"<commandImages><bitmap path='alpha.png'><image id='601'/><image id='602'/></bitmap></commandImages>", FALSE));
    ASSERT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));

    CImageList* pList = g_Theme.GetImageList(SIZE_CODE_16);
    IMAGEINFO info = {};
    BITMAP bm = {};
    ASSERT_TRUE(ImageList_GetImageInfo(pList->m_hImageList, g_Theme.GetImageIndex(601, SIZE_CODE_16), &info));
    ASSERT_TRUE(::GetObjectW(info.hbmImage, sizeof(bm), &bm));
    EXPECT_EQ(32, bm.bmBitsPixel);

    for (COLORREF crBack : { RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 200, 0) })
    {
        SCOPED_TRACE(crBack);
        CPixelCanvas canvas(32, 16, crBack);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        g_Theme.Draw(pDC, g_Theme.GetImageIndex(601, SIZE_CODE_16), 0, 0, ILD_NORMAL, SIZE_CODE_16);
        g_Theme.Draw(pDC, g_Theme.GetImageIndex(602, SIZE_CODE_16), 16, 0, ILD_NORMAL, SIZE_CODE_16);
        const COLORREF crBlend = BlendColour(crBack, RGB(255, 0, 0), 128), crDrawn = canvas.Pixel(8, 8);
        EXPECT_NEAR(GetRValue(crBlend), GetRValue(crDrawn), 2);
        EXPECT_NEAR(GetGValue(crBlend), GetGValue(crDrawn), 2);
        EXPECT_NEAR(GetBValue(crBlend), GetBValue(crDrawn), 2);
        EXPECT_EQ(crBack, canvas.Pixel(0, 8)) << "clear";
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(24, 8)) << "opaque";
    }
}

TEST(CommandImages, AnImageScaledDownAveragesInTransparencyWithoutDarkening)
{
    // Opaque red columns between clear ones: at 24 pixels each pixel covers some of both.
    ResetTheme();
    CGdiplusSession session;
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> png = PictureFiles::MakePng(32, 32, [](int x, int, BYTE& alpha) {
        alpha = x % 2 ? 0 : 255;
        return RGB(255, 0, 0);
    });
    folder.WriteFile(L"columns.png", png.data(), png.size());
    WriteBitmap(folder, L"small.bmp", 16, 16, [](int, int, void*) { return RGB(0, 0, 255); });
    XmlDocument pSection(XmlParseDocument(L"<commandImages><bitmap path='small.bmp'><image id='601'/></bitmap>"
                                          L"<bitmap path='columns.png' types='32'><image id='601'/></bitmap></commandImages>",
                                          FALSE));
    ASSERT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));
    CInterfaceTheme::SIZED_IMAGE image = {};
    ASSERT_TRUE(g_Theme.GetSizedImage(601, 24, image));
    EXPECT_EQ(24, image.nPixels);

    CPixelCanvas canvas(24, 24, RGB(255, 255, 255));
    ImageList_Draw(image.hList, image.nImage, canvas.Dc(), 0, 0, ILD_NORMAL);
    for (int x = 0; x < 24; x++)
    {
        // Every new pixel covers a third of a pixel or more of each kind of column.
        const COLORREF cr = canvas.Pixel(x, 12);
        EXPECT_EQ(255, GetRValue(cr)) << x;
        EXPECT_EQ(GetGValue(cr), GetBValue(cr)) << x;
        EXPECT_GE(GetGValue(cr), 50) << x;
        EXPECT_LE(GetGValue(cr), 205) << x;
    }
}
