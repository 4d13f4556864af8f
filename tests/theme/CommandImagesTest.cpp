// Command images: the three lists, icon files, bitmap strips, icons on demand and the
// library's own images.
#include "ThemeTestSupport.h"

namespace
{
const UINT ID_HOST_ICON = 4242;     // an icon resource of this test program
const UINT ID_NO_ICON = 4243;

const COLORREF STRIP_COLOURS[4] = { RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255) };

// The registry's reset adds the library's tick for command 100.
void ResetWithCheckMark()
{
    ResetTheme();
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    ASSERT_TRUE(hTick != NULL);
    g_Theme.AddIcon(ID_DEFAULT_CHECK_MARK, hTick, SIZE_CODE_16);
    ::DestroyIcon(hTick);
}

// Four 16-pixel images in a row; each has a one-pixel green (mask) frame.
std::string FourImageStrip(int nSize = 16)
{
    return MakeBmpFile(nSize * 4, nSize, [nSize](int x, int y) {
        int xIn = x % nSize;
        if (xIn == 0 || y == 0 || xIn == nSize - 1 || y == nSize - 1)
            return RGB(0, 255, 0);
        return STRIP_COLOURS[x / nSize];
    });
}

BOOL LoadImages(LPCWSTR pszSection, const CString& strFolder)
{
    XmlDocument pSection = ParseSection(pszSection);
    EXPECT_TRUE(pSection != nullptr);
    return g_Theme.LoadCommandImages(pSection.get(), strFolder);
}

int ImageCount(int nSize)
{
    CImageList* pList = g_Theme.GetImageList(nSize);
    return pList ? pList->GetImageCount() : -1;
}

// Draws one image of a list on white and reads two pixels: the frame and the centre.
std::pair<COLORREF, COLORREF> ImagePixels(int nImage, int nSize, int nPixels = 16)
{
    CPixelCanvas canvas(nPixels, nPixels);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    g_Theme.Draw(pDC, nImage, 0, 0, ILD_NORMAL, nSize);
    return { canvas.Pixel(0, 0), canvas.Pixel(nPixels / 2, nPixels / 2) };
}
}

TEST(CommandImages, ResetCreatesThreeListsWithOnlyTheCheckMark)
{
    ResetWithCheckMark();
    EXPECT_EQ(1, ImageCount(SIZE_CODE_16));
    EXPECT_EQ(0, ImageCount(SIZE_CODE_32));
    EXPECT_EQ(0, ImageCount(SIZE_CODE_48));
    EXPECT_EQ(0, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_32));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, 7)) << "unknown size code";
    EXPECT_TRUE(g_Theme.GetImageList(7) == NULL);

    IMAGEINFO info;
    ASSERT_TRUE(g_Theme.GetImageList(SIZE_CODE_48)->GetImageInfo(0, &info) || true);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(g_Theme.GetImageList(SIZE_CODE_32)->m_hImageList, &cx, &cy);
    EXPECT_EQ(32, cx);
    ImageList_GetIconSize(g_Theme.GetImageList(SIZE_CODE_48)->m_hImageList, &cx, &cy);
    EXPECT_EQ(48, cy);
    EXPECT_EQ(347u, g_Theme.m_mapImages16.GetHashTableSize());
    EXPECT_EQ(61u, g_Theme.m_mapImages32.GetHashTableSize());

    g_Theme.Clear();
    EXPECT_TRUE(g_Theme.GetImageList(SIZE_CODE_16) == NULL);
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16));
}

TEST(CommandImages, LibraryTickIconMatchesItsPixelTable)
{
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    ASSERT_TRUE(hTick != NULL);
    CPixelCanvas canvas(16, 16, RGB(255, 255, 255));
    ::DrawIconEx(canvas.Dc(), 0, 0, hTick, 16, 16, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hTick);

    const std::vector<std::vector<int>> rows = { {}, {}, {}, {}, {}, { 11 }, { 10, 11 }, { 5, 9, 10 },
                                                 { 5, 6, 8, 9 }, { 6, 7, 8 }, { 7 }, {}, {}, {}, {}, {} };
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
        {
            bool bOpaque = std::find(rows[y].begin(), rows[y].end(), x) != rows[y].end();
            EXPECT_EQ(bOpaque ? RGB(0, 0, 0) : RGB(255, 255, 255), canvas.Pixel(x, y)) << x << "," << y;
        }
}

TEST(CommandImages, LibraryComboArrowIsAMagentaKeyedTriangle)
{
    HBITMAP hArrow = (HBITMAP)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, 0);
    ASSERT_TRUE(hArrow != NULL);
    BITMAP info = {};
    ::GetObjectW(hArrow, sizeof(info), &info);
    EXPECT_EQ(9, info.bmWidth);
    EXPECT_EQ(9, info.bmHeight);
    CPixelCanvas canvas(9, 9);
    HDC hSource = ::CreateCompatibleDC(canvas.Dc());
    HGDIOBJ hOld = ::SelectObject(hSource, hArrow);
    ::BitBlt(canvas.Dc(), 0, 0, 9, 9, hSource, 0, 0, SRCCOPY);
    ::SelectObject(hSource, hOld);
    ::DeleteDC(hSource);
    ::DeleteObject(hArrow);
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
        {
            bool bBlack = (y == 3 && x >= 2 && x <= 6) || (y == 4 && x >= 3 && x <= 5) || (y == 5 && x == 4);
            EXPECT_EQ(bBlack ? RGB(0, 0, 0) : RGB(255, 0, 255), canvas.Pixel(x, y)) << x << "," << y;
        }
}

TEST(CommandImages, StripPositionsFollowIndexAttributesAndIdRuns)
{
    ResetWithCheckMark();
    KorvoTest::CTempFolder folder;
    folder.WriteFile(L"img\\strip.bmp", FourImageStrip());
    g_Theme.SetNameID(L"A", 601);
    g_Theme.SetNameID(L"B", 602);
    g_Theme.SetNameID(L"C", 603);
    g_Theme.SetNameID(L"D", 604);
    int nFirst = ImageCount(SIZE_CODE_16);

    EXPECT_TRUE(LoadImages(L"<commandImages>"
                           L"<bitmap path='img\\strip.bmp'>"
                           L"<image id='A'/>"
                           L"<image index='3' id='B' id1='C'/>"
                           L"<IMAGE ID='D'/>"
                           L"<image index='x2' id='700'/>"
                           L"<image index='0x1' id='701' id1='702' id3='703'/>"
                           L"<image id1='704'/>"
                           L"<picture id='705'/>"
                           L"</bitmap>"
                           L"</commandImages>",
                           folder.Path()));
    EXPECT_EQ(nFirst + 4, ImageCount(SIZE_CODE_16));
    EXPECT_EQ(nFirst + 0, g_Theme.GetImageIndex(601, SIZE_CODE_16));
    EXPECT_EQ(nFirst + 3, g_Theme.GetImageIndex(602, SIZE_CODE_16));
    EXPECT_EQ(nFirst + 3, g_Theme.GetImageIndex(603, SIZE_CODE_16));
    EXPECT_EQ(nFirst + 4, g_Theme.GetImageIndex(604, SIZE_CODE_16));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(700, SIZE_CODE_16)) << "an unreadable index maps nothing";
    EXPECT_EQ(nFirst + 1, g_Theme.GetImageIndex(701, SIZE_CODE_16)) << "hexadecimal index, position not advanced by x2";
    EXPECT_EQ(nFirst + 1, g_Theme.GetImageIndex(702, SIZE_CODE_16));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(703, SIZE_CODE_16)) << "the run stops at the missing id2";
    EXPECT_EQ(nFirst + 2, g_Theme.GetImageIndex(704, SIZE_CODE_16)) << "id may be absent";
    EXPECT_EQ(-1, g_Theme.GetImageIndex(705, SIZE_CODE_16));

    // Green is the default mask: the frame stays white, the centre keeps its colour.
    std::pair<COLORREF, COLORREF> pixels = ImagePixels(nFirst + 3, SIZE_CODE_16);
    EXPECT_EQ(RGB(255, 255, 255), pixels.first);
    EXPECT_EQ(STRIP_COLOURS[3], pixels.second);
}

TEST(CommandImages, StripSizeAndMaskComeFromTheElement)
{
    ResetWithCheckMark();
    KorvoTest::CTempFolder folder;
    folder.WriteFile(L"big.bmp", MakeBmpFile(64, 32, [](int x, int y) {
                         return (x % 32) < 2 ? RGB(255, 0, 255) : STRIP_COLOURS[x / 32];
                     }));
    EXPECT_TRUE(LoadImages(L"<commandImages>"
                           L"<Bitmap path='big.bmp' types='32' mask='FF00FF'><image id='801'/><image id='802'/></Bitmap>"
                           L"<bitmap path='big.bmp' types='24'><image id='803'/></bitmap>"
                           L"<bitmap path='big.bmp' mask='FF00F'><image id='804'/></bitmap>"
                           L"<bitmap path='big.bmp' mask='FF00FG'><image id='805'/></bitmap>"
                           L"<bitmap path='missing.bmp'><image id='806'/></bitmap>"
                           L"</commandImages>",
                           folder.Path()))
        << "failing elements never fail the section";
    EXPECT_EQ(0, g_Theme.GetImageIndex(801, SIZE_CODE_32));
    EXPECT_EQ(1, g_Theme.GetImageIndex(802, SIZE_CODE_32));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(801, SIZE_CODE_16));
    for (UINT nID : { 803u, 804u, 805u, 806u })
        for (int nSize : { SIZE_CODE_16, SIZE_CODE_32, SIZE_CODE_48 })
            EXPECT_EQ(-1, g_Theme.GetImageIndex(nID, nSize)) << nID;
    EXPECT_EQ(2, ImageCount(SIZE_CODE_32));

    std::pair<COLORREF, COLORREF> pixels = ImagePixels(1, SIZE_CODE_32, 32);
    EXPECT_EQ(RGB(255, 255, 255), pixels.first) << "magenta was the mask";
    EXPECT_EQ(STRIP_COLOURS[1], pixels.second);
}

TEST(CommandImages, IconFilesGiveSmallAndLargeImages)
{
    ResetWithCheckMark();
    KorvoTest::CTempFolder folder;
    folder.WriteFile(L"two.ico", MakeIconFile({ { 16, RGB(200, 0, 0) }, { 32, RGB(0, 0, 200) } }));
    g_Theme.SetNameID(L"ID_TWO", 901);

    EXPECT_TRUE(LoadImages(L"<commandImages>"
                           L"<icon path='two.ico' id='ID_TWO' types='16,32'/>"
                           L"<ICON path='two.ico' id='902'/>"
                           L"<icon path='two.ico' id='903' types='48'/>"
                           L"<icon path='two.ico' id='904' types='32,24,16'/>"
                           L"<icon path='two.ico' id='0'/>"
                           L"<icon path='none.ico' id='905'/>"
                           L"</commandImages>",
                           folder.Path()));
    EXPECT_EQ(1, g_Theme.GetImageIndex(901, SIZE_CODE_16));
    EXPECT_EQ(0, g_Theme.GetImageIndex(901, SIZE_CODE_32));
    EXPECT_EQ(2, g_Theme.GetImageIndex(902, SIZE_CODE_16)) << "types default to 16";
    EXPECT_EQ(-1, g_Theme.GetImageIndex(902, SIZE_CODE_32));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(903, SIZE_CODE_48)) << "48-pixel icons are never extracted";
    EXPECT_EQ(1, g_Theme.GetImageIndex(904, SIZE_CODE_32)) << "sizes before the bad piece stay";
    EXPECT_EQ(-1, g_Theme.GetImageIndex(904, SIZE_CODE_16));
    EXPECT_EQ(-1, g_Theme.GetImageIndex(905, SIZE_CODE_16));
    EXPECT_EQ(0, ImageCount(SIZE_CODE_48));

    HICON hSmall = g_Theme.GetIcon(901, SIZE_CODE_16);
    HICON hLarge = g_Theme.GetIcon(901, SIZE_CODE_32);
    ASSERT_TRUE(hSmall && hLarge);
    EXPECT_EQ(RGB(200, 0, 0), IconCentre(hSmall, 16)) << "the file's small icon";
    EXPECT_EQ(RGB(0, 0, 200), IconCentre(hLarge, 32)) << "the file's large icon";
    EXPECT_TRUE(::DestroyIcon(hSmall)) << "icons belong to the caller";
    EXPECT_TRUE(::DestroyIcon(hLarge));
}

TEST(CommandImages, ExtractIconFileNeverFindsHugeIcons)
{
    KorvoTest::CTempFolder folder;
    CString strPath = folder.WriteFile(L"one.ico", MakeIconFile({ { 16, RGB(1, 2, 3) }, { 32, RGB(1, 2, 3) } }));
    HICON hHuge = (HICON)1;
    EXPECT_FALSE(CInterfaceTheme::ExtractIconFile(strPath, NULL, NULL, &hHuge));
    EXPECT_TRUE(hHuge == NULL);

    HICON hSmall = (HICON)1, hLarge = (HICON)1;
    EXPECT_TRUE(CInterfaceTheme::ExtractIconFile(strPath, &hSmall, &hLarge, &hHuge));
    EXPECT_TRUE(hSmall && hLarge);
    ::DestroyIcon(hSmall);
    ::DestroyIcon(hLarge);
    EXPECT_FALSE(CInterfaceTheme::ExtractIconFile(folder.Path() + L"nothing.ico", &hSmall, NULL, NULL));
    EXPECT_TRUE(hSmall == NULL);
}

TEST(CommandImages, GetIconFallsBackToTheHostsIconResource)
{
    ResetWithCheckMark();
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_HOST_ICON, SIZE_CODE_16));
    HICON hIcon = g_Theme.GetIcon(ID_HOST_ICON, SIZE_CODE_16);
    ASSERT_TRUE(hIcon != NULL);
    EXPECT_EQ(1, g_Theme.GetImageIndex(ID_HOST_ICON, SIZE_CODE_16)) << "kept for the next call";
    EXPECT_TRUE(::DestroyIcon(hIcon));

    // High bits of the command do not matter to the resource lookup.
    HICON hHigh = g_Theme.GetIcon(0x10000 | ID_HOST_ICON, SIZE_CODE_32);
    EXPECT_TRUE(hHigh != NULL);
    ::DestroyIcon(hHigh);

    HICON hAgain = g_Theme.GetIcon(ID_HOST_ICON, SIZE_CODE_16);
    ASSERT_TRUE(hAgain != NULL);
    EXPECT_EQ(2, ImageCount(SIZE_CODE_16)) << "the second call takes the listed image";
    ::DestroyIcon(hAgain);

    EXPECT_TRUE(g_Theme.GetIcon(ID_NO_ICON, SIZE_CODE_16) == NULL);
    EXPECT_TRUE(g_Theme.GetIcon(0, SIZE_CODE_16) == NULL);
    EXPECT_EQ(2, ImageCount(SIZE_CODE_16)) << "nothing is added for a missing icon";
    EXPECT_EQ(-1, g_Theme.GetImageIndex(ID_NO_ICON, SIZE_CODE_16));
}

TEST(CommandImages, AddingAgainReplacesTheMappingAndBadCallsDoNothing)
{
    ResetWithCheckMark();
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    g_Theme.AddIcon(950, hTick, SIZE_CODE_16);
    g_Theme.AddIcon(950, hTick, SIZE_CODE_16);
    EXPECT_EQ(2, g_Theme.GetImageIndex(950, SIZE_CODE_16));
    EXPECT_EQ(3, ImageCount(SIZE_CODE_16)) << "the older image stays in the list";
    g_Theme.AddIcon(951, hTick, 5);
    g_Theme.AddIcon(952, NULL, SIZE_CODE_16);
    EXPECT_EQ(3, ImageCount(SIZE_CODE_16));
    EXPECT_TRUE(::DestroyIcon(hTick)) << "the caller keeps its icon";

    // Drawing with no image or an unknown size leaves the DC untouched.
    CPixelCanvas canvas(16, 16, RGB(1, 2, 3));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    g_Theme.Draw(pDC, -1, 0, 0, ILD_NORMAL, SIZE_CODE_16);
    g_Theme.DrawEx(pDC, 0, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL, 9);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(11, 5));
    g_Theme.Draw(pDC, 0, 0, 0, ILD_NORMAL, SIZE_CODE_16);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(11, 5)) << "image 0 is the tick";

    EXPECT_FALSE(g_Theme.AddImageStrip(NULL, NULL, 0, SIZE_CODE_16));
    EXPECT_TRUE(g_Theme.LoadCommandImages(NULL, CString()));
}

TEST(CommandImages, WindowIconsAreRecordedUntilReplaced)
{
    HICON hIcon = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    ASSERT_TRUE(hIcon != NULL);
    g_Theme.MapIconToWindow(hIcon, (HWND)0x1234);
    HWND hWnd = NULL;
    EXPECT_TRUE(g_Theme.m_mapIconWindows.Lookup(hIcon, hWnd));
    EXPECT_EQ((HWND)0x1234, hWnd);
    EXPECT_TRUE(g_Theme.UnmapIcon(hIcon));
    EXPECT_FALSE(g_Theme.UnmapIcon(hIcon));
    ::DestroyIcon(hIcon);
}
