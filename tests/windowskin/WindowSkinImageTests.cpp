// Window skins drawn from PNG images on real dialogs: the same pixels as from a BMP, translucent
// caption buttons mixed with the caption beneath, and translucent frame pixels mixed with the
// dialog's background colour.
#include "SkinTestSupport.h"
#include "PictureFiles.h"
#include <parts/CGdiplusSession.h>
#include <skin/CSkinRegistry.h>
#include "api/Globals.h"

using namespace SkinTest;

namespace
{
const CRect WINDOW(40, 40, 440, 240);

// A PNG of the same pixels as a 24-bit bottom-up BMP file's, with alpha(colour) for each pixel.
std::vector<BYTE> PngOfBmp(const std::vector<BYTE>& bmp, BYTE (*pfnAlpha)(COLORREF))
{
    const BITMAPINFOHEADER& info = *(const BITMAPINFOHEADER*)&bmp[sizeof(BITMAPFILEHEADER)];
    const int cx = info.biWidth, cy = info.biHeight, nStride = (cx * 3 + 3) & ~3;
    const BYTE* pBits = &bmp[((const BITMAPFILEHEADER*)&bmp[0])->bfOffBits];
    return PictureFiles::MakePng(cx, cy, [&](int x, int y, BYTE& alpha) {
        const BYTE* p = pBits + (cy - 1 - y) * nStride + x * 3;
        COLORREF cr = RGB(p[2], p[1], p[0]);
        alpha = pfnAlpha(cr);
        return cr;
    });
}

BYTE Opaque(COLORREF)
{
    return 255;
}

// Half-opaque Close button and top-left corner.
BYTE GlassCloseAndCorner(COLORREF cr)
{
    int nPart = Decode(cr).nPart;
    return nPart == S::PART_CLOSE || nPart == S::PART_TOPLEFT ? 128 : 255;
}

COLORREF Mix(COLORREF crOver, COLORREF crUnder)
{
    auto half = [](int over, int under) { return (over * 128 + under * 127 + 127) / 255; };
    return RGB(half(GetRValue(crOver), GetRValue(crUnder)), half(GetGValue(crOver), GetGValue(crUnder)),
               half(GetBValue(crOver), GetBValue(crUnder)));
}

void ExpectNear(COLORREF crWanted, COLORREF crSeen, const char* pszWhere)
{
    EXPECT_NEAR(GetRValue(crWanted), GetRValue(crSeen), 2) << pszWhere;
    EXPECT_NEAR(GetGValue(crWanted), GetGValue(crSeen), 2) << pszWhere;
    EXPECT_NEAR(GetBValue(crWanted), GetBValue(crSeen), 2) << pszWhere;
}

struct WindowSkinImages : CSkinnedDialogTest
{
    CGdiplusSession session;
};
}

TEST_F(WindowSkinImages, PngFramesDrawAsTheirBmpAndTranslucentPixelsMixWithWhatIsBeneath)
{
    ASSERT_TRUE(session.IsRunning());
    const std::vector<BYTE> bmp = FrameSkin(L"Main").Image();
    const std::vector<BYTE> png = PngOfBmp(bmp, Opaque), glass = PngOfBmp(bmp, GlassCloseAndCorner);
    defs.WriteFile(L"Definitions\\frame.bmp", bmp.data(), bmp.size());
    defs.WriteFile(L"Definitions\\frame.png", png.data(), png.size());
    defs.WriteFile(L"Definitions\\glass.png", glass.data(), glass.size());
    defs.Load(FrameSkin(L"Main").Element(L"frame.bmp") + FrameSkin(L"Png").Element(L"frame.png") +
              FrameSkin(L"Glass").Element(L"glass.png"));

    ASSERT_TRUE(dlg.CreateSkinned(WINDOW, L"Main"));
    const CWindowCapture fromBmp(dlg.m_hWnd);
    CTestSkinDialog dlgPng, dlgGlass;
    ASSERT_TRUE(dlgPng.CreateSkinned(WINDOW, L"Png"));
    const CWindowCapture fromPng(dlgPng.m_hWnd);
    ASSERT_EQ(fromBmp.m_cx, fromPng.m_cx);
    for (size_t n = 0; n < fromBmp.m_pixels.size(); n++)
        ASSERT_EQ(fromBmp.m_pixels[n], fromPng.m_pixels[n]) << n % fromBmp.m_cx << "," << n / fromBmp.m_cx;

    // The Close button (370 to 389 across) over the top-right corner it lies on; the top-left
    // corner over the dialog's background colour, not over whatever the frame showed before.
    ASSERT_TRUE(dlgGlass.CreateSkinned(WINDOW, L"Glass"));
    RedrawFrame(dlgGlass.m_hWnd);
    const CWindowCapture fromGlass(dlgGlass.m_hWnd);
    const COLORREF crClose = RGB(20 + 8 * S::PART_CLOSE, 5, 4), crCornerBeneath = RGB(20 + 8 * S::PART_TOPRIGHT, 35, 10);
    ExpectNear(Mix(crClose, crCornerBeneath), fromGlass.At(375, 10), "close button");
    const COLORREF crBack = g_Theme.DialogBackColour();
    ExpectNear(Mix(RGB(20 + 8 * S::PART_TOPLEFT, 3, 2), crBack), fromGlass.At(3, 2), "top-left corner");
    EXPECT_EQ(fromBmp.At(200, 2), fromGlass.At(200, 2)) << "opaque parts as before";
}
