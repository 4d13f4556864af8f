// The shared buffer, and the sizes a skin file gives bounded: the buffer a caption asks for,
// and the images a load may hold.
#include "ThemeTestSupport.h"
#include "windowskin/CWindowSkin.h"
#include "skin/CSkinRegistry.h"
#include "api/Globals.h"

namespace
{
const SIZE_T MEGABYTE = 1024 * 1024;

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP info = {};
    ::GetObjectW(hBitmap, sizeof(info), &info);
    return CSize(info.bmWidth, info.bmHeight);
}

// The size of the bitmap selected into a device context.
CSize SelectedSize(CDC* pDC)
{
    return BitmapSize((HBITMAP)::GetCurrentObject(pDC->m_hDC, OBJ_BITMAP));
}

CSize VirtualScreen()
{
    return CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}
}

// The shared off-screen buffer grows, never shrinks, and always comes back unclipped.
TEST(BufferDC, GrowsPerDimensionAndKeepsItsBitmapForSmallerRequests)
{
    ResetTheme();
    EXPECT_TRUE(g_Theme.GetBufferDC(NULL, CSize(10, 10)) == NULL) << "the first request needs a device";
    CClientDC screen(NULL);
    CDC* pBuffer = g_Theme.GetBufferDC(&screen, CSize(50, 20));
    ASSERT_TRUE(pBuffer != NULL);
    HGDIOBJ hFirst = ::GetCurrentObject(pBuffer->m_hDC, OBJ_BITMAP);
    EXPECT_EQ(CSize(50, 20), SelectedSize(pBuffer));

    pBuffer->IntersectClipRect(0, 0, 5, 5);
    EXPECT_EQ(pBuffer, g_Theme.GetBufferDC(&screen, CSize(30, 10)));
    EXPECT_EQ(hFirst, ::GetCurrentObject(pBuffer->m_hDC, OBJ_BITMAP)) << "a smaller request reuses the bitmap";
    HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(pBuffer->m_hDC, hClip)) << "the clip region is removed";
    ::DeleteObject(hClip);

    EXPECT_EQ(pBuffer, g_Theme.GetBufferDC(&screen, CSize(60, 5))) << "the same memory DC";
    EXPECT_EQ(CSize(60, 20), SelectedSize(pBuffer)) << "each dimension keeps its maximum";
}

// Sizes are cut to the desktop, which is never taken as smaller than 1024 x 768, and to 0.
TEST(BufferDC, ClipKeepsSizesWithinTheDesktopAndCutsTheRest)
{
    const CSize szLimit(std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 1024),
                        std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 768));
    const struct { CSize size, clipped; } cases[] = {
        { CSize(0, 0), CSize(0, 0) },
        { CSize(200, 25), CSize(200, 25) },
        { CSize(1024, 768), CSize(1024, 768) },
        { CSize(-5, 10), CSize(0, 10) },
        { CSize(10, -1), CSize(10, 0) },
        { CSize(INT_MIN, INT_MIN), CSize(0, 0) },
        { CSize(1025, 10), CSize(std::min<LONG>(1025, szLimit.cx), 10) },
        { CSize(10, 769), CSize(10, std::min<LONG>(769, szLimit.cy)) },
        { CSize(11000046, 25), CSize(szLimit.cx, 25) },
        { CSize(INT_MAX, INT_MAX), szLimit },
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.clipped, CInterfaceTheme::ClipToBuffer(test.size)) << test.size.cx << " x " << test.size.cy;
}

TEST(ThemeLimits, AMillionCharacterCaptionIsCutNotAllocated)
{
    ResetTheme();
    g_MenuSkinner.Initialize();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 801, CString(L'x', 1000000));
    g_MenuSkinner.PrepareMenu(&menu);
    MENUITEMINFOW info = { sizeof(info), MIIM_DATA };
    ::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info);

    SIZE_T nBefore = CommittedPrivateBytes();
    MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 801, 0, 0, info.dwItemData };
    g_MenuSkinner.MeasureItem(&mis);
    const COLORREF crUnpainted = RGB(1, 2, 3);
    CPixelCanvas canvas(300, 25, crUnpainted);
    DRAWITEMSTRUCT dis = { ODT_MENU, 0, 801, ODA_DRAWENTIRE, 0, (HWND)menu.m_hMenu, canvas.Dc(),
                           { 0, 0, 11000046, 25 }, info.dwItemData };
    g_MenuSkinner.DrawItem(&dis);
    EXPECT_LT(CommittedPrivateBytes(), nBefore + 100 * MEGABYTE);

    CClientDC screen(NULL);
    CDC* pBuffer = g_Theme.GetBufferDC(&screen, CSize(1, 1));
    ASSERT_TRUE(pBuffer != NULL);
    CSize size = SelectedSize(pBuffer);
    EXPECT_LE(size.cx, std::max<LONG>(VirtualScreen().cx, 1024));
    EXPECT_LE(size.cy, std::max<LONG>(VirtualScreen().cy, 768));
    EXPECT_NE(crUnpainted, canvas.Pixel(100, 12)) << "the visible part is painted";

    // Requests past the desktop get the desktop's size.
    pBuffer = g_Theme.GetBufferDC(&screen, CSize(1000, 32767));
    ASSERT_TRUE(pBuffer != NULL);
    size = SelectedSize(pBuffer);
    EXPECT_LE(size.cy, std::max<LONG>(VirtualScreen().cy, 768));
    EXPECT_EQ(size, g_Theme.GetBufferSize());
}

// One 2000 x 2000 image named by thirty entries of three kinds is loaded once.
TEST(ThemeLimits, OneImageNamedThirtyTimesIsLoadedOnce)
{
    CSkinFolder folder;
    WriteBitmap(folder, L"Definitions\\big.bmp", 2000, 2000, [](int x, int y, void*) {
        return x < 16 && y < 16 && (x == 0 || y == 0) ? RGB(0, 255, 0) : RGB(200, 100, 0);
    });
    std::string strWatermarks, strWindowSkins, strImages;
    for (int n = 0; n < 10; n++)
    {
        std::string strN = std::to_string(n);
        strWatermarks += "<watermark target='w" + strN + "' path='big.bmp'/>";
        strWindowSkins += "<windowSkin><target window='s" + strN + "'/><image path='big.bmp'/>"
                          "<parts><part name='TopLeft' rect='0,0,12,30'/></parts></windowSkin>";
        strImages += "<bitmap path='big.bmp'><image id='" + std::to_string(700 + n) + "'/></bitmap>";
    }
    folder.WriteBase("");
    LoadSkin(L"", L"");
    SIZE_T nBefore = CommittedPrivateBytes();
    folder.WriteBase("<watermarks>" + strWatermarks + "</watermarks><windowSkins>" + strWindowSkins +
                     "</windowSkins><commandImages>" + strImages + "</commandImages>");
    LoadSkin(L"", L"");
    const SIZE_T nCopy = 2000 * 2000 * 3;
    EXPECT_LT(CommittedPrivateBytes(), nBefore + 3 * nCopy) << "about one copy";

    HBITMAP hShared = GetSkinWatermark(L"w0");
    ASSERT_TRUE(hShared != NULL);
    EXPECT_EQ(CSize(2000, 2000), BitmapSize(hShared));
    EXPECT_EQ(hShared, GetSkinWatermark(L"w9"));
    CWindowSkin* pSkin = static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(L"s5"));
    ASSERT_TRUE(pSkin != NULL);
    ASSERT_TRUE(pSkin->m_pImage != NULL);
    EXPECT_EQ(hShared, pSkin->m_pImage->GetBitmap());

    // Every strip is masked on its own copy: the shared image keeps its green, and each
    // command's image is transparent where the file is green.
    for (UINT nID = 700; nID < 710; nID++)
    {
        HICON hIcon = g_Theme.GetIcon(nID, SIZE_CODE_16);
        ASSERT_TRUE(hIcon != NULL) << nID;
        CPixelCanvas canvas(16, 16);
        ::DrawIconEx(canvas.Dc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
        ::DestroyIcon(hIcon);
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 5)) << nID;
        EXPECT_EQ(RGB(200, 100, 0), canvas.Pixel(5, 5)) << nID;
    }
    CPixelCanvas canvas(4, 4);
    CDC dcImage;
    dcImage.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = dcImage.SelectObject(hShared);
    EXPECT_EQ(RGB(0, 255, 0), dcImage.GetPixel(0, 5)) << "the shared image is never masked in place";
    dcImage.SelectObject(hOld);

    // Two window skins sharing the image both paint from it.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 100, 60, NULL, NULL));
    for (LPCWSTR pszTarget : { L"s1", L"s2", L"s1" })
    {
        CPixelCanvas frame(100, 60, RGB(0, 0, 0));
        static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(pszTarget))->Paint(&wnd, CWindowSkinState(), CDC::FromHandle(frame.Dc()), FALSE, CWindowSkin::STATE_ACTIVE);
        EXPECT_EQ(RGB(200, 100, 0), frame.Pixel(5, 5)) << pszTarget;
    }
    // The host, handed the image as a watermark, can select it after the skins' paints.
    hOld = dcImage.SelectObject(hShared);
    EXPECT_TRUE(hOld != NULL) << "the skins' paints left the watermark selected";
    EXPECT_EQ(RGB(0, 255, 0), dcImage.GetPixel(0, 5));
    dcImage.SelectObject(hOld);
    wnd.DestroyWindow();
    folder.WriteBase("");
    LoadSkin(L"", L"");
}

TEST(ThemeLimits, ImagesPastTheLoadsBudgetsAreTreatedAsMissing)
{
    CSkinFolder folder;
    // A header that claims 20000 x 20000 pixels: refused before anything is allocated.
    std::vector<BYTE> huge = KorvoTest::MakeBitmapFile(1, 1, [](int, int, void*) { return RGB(1, 2, 3); }, NULL);
    LONG nSide = 20000;
    memcpy(&huge[18], &nSide, sizeof(nSide));
    memcpy(&huge[22], &nSide, sizeof(nSide));
    folder.WriteFile(L"Definitions\\huge.bmp", huge.data(), huge.size());
    WriteBitmap(folder, L"Definitions\\small.bmp", 4, 4, [](int, int, void*) { return RGB(1, 2, 3); });
    // The files a load names count over every kind of image: watermarks (of which a load keeps
    // fewer than the file budget) and command-image strips fill it together.
    const int nWatermarkFiles = 600;
    std::string strDefinition = "<watermarks><watermark target='huge' path='huge.bmp'/><watermark target='small' path='small.bmp'/>";
    for (int n = 0; n < nWatermarkFiles; n++)
        strDefinition += "<watermark target='m" + std::to_string(n) + "' path='missing" + std::to_string(n) + ".bmp'/>";
    strDefinition += "</watermarks><commandImages>";
    for (int n = nWatermarkFiles; n < MAX_LOAD_IMAGE_FILES; n++)
        strDefinition += "<bitmap types='16' path='missing" + std::to_string(n) + ".bmp'/>";
    strDefinition += "</commandImages><watermarks><watermark target='late' path='late.bmp'/>"
                     "<watermark target='again' path='SMALL.bmp'/></watermarks>";
    WriteBitmap(folder, L"Definitions\\late.bmp", 4, 4, [](int, int, void*) { return RGB(1, 2, 3); });
    folder.WriteBase(strDefinition);
    LoadSkin(L"", L"");
    EXPECT_TRUE(GetSkinWatermark(L"huge") == NULL);
    EXPECT_TRUE(GetSkinWatermark(L"small") != NULL);
    EXPECT_TRUE(GetSkinWatermark(L"late") == NULL) << "past the number of files a load may name";
    EXPECT_EQ(GetSkinWatermark(L"small"), GetSkinWatermark(L"again")) << "a file named again is no new file";
    folder.WriteBase("");
    LoadSkin(L"", L"");
}
