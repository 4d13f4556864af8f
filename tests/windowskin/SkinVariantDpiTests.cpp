// Skinned dialogs told a higher DPI draw their frame from the variant image files the skin ships
// for it, and their watermark at the DPI: tiles scaled, or a nine-grid panel whose corners keep
// their size whatever the client's.
#include "SkinTestSupport.h"
#include "../support/PictureFiles.h"
#include <parts/CGdiplusSession.h>
#include <parts/CWindowDpi.h>

using namespace SkinTest;

namespace
{
const COLORREF ONE = RGB(200, 0, 0), ONE_HALF = RGB(0, 200, 0), TWO = RGB(0, 0, 200);

void TellDpi(CWnd& wnd, UINT nDpi)
{
    const CDpiScale s(nDpi);
    const CRect rcSuggested(80, 90, 80 + s.Scale(400), 90 + s.Scale(200));
    wnd.SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
}

// The frame's image size: the builder lays its parts side by side.
CSize ImageSize(const CSkinBuilder& skin)
{
    const std::vector<BYTE> bmp = skin.Image();
    LONG cx, cy;
    memcpy(&cx, &bmp[18], 4);
    memcpy(&cy, &bmp[22], 4);
    return CSize(cx, abs(cy));
}

void WritePng(const CSkinDefinitions& defs, LPCWSTR pszName, int cx, int cy, const std::function<COLORREF(int, int, BYTE&)>& pixel)
{
    const std::vector<BYTE> png = PictureFiles::MakePng(cx, cy, pixel);
    defs.WriteFile(pszName, png.data(), png.size());
}

struct SkinVariantDpi : CSkinnedDialogTest
{
    CGdiplusSession session;
};
}

TEST(SkinVariantFrame, TheFrameShowsTheVariantTheDpiTakes)
{
    CGdiplusSession session;
    const CSkinBuilder skin = FrameSkin(L"Main", MAIN_FRAME, false);
    const CSize size = ImageSize(skin);
    struct CASE
    {
        bool b150;
        bool b200;
        UINT nDpi;
        COLORREF crWanted;
        int cxWrong; // columns too many in the 2x file, which leave it out
    };
    const CASE cases[] = {
        { true, true, 192, TWO },       { true, true, 144, ONE_HALF }, { false, true, 144, TWO },
        { false, false, 192, ONE },     { true, false, 192, ONE_HALF }, { true, true, 96, ONE },
        { false, true, 192, ONE, 2 },
    };
    for (const CASE& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nDpi << (c.b150 ? " 1.5x" : "") << (c.b200 ? " 2x" : "")
                                        << (c.cxWrong ? " of the wrong size" : ""));
        CSkinDefinitions defs;
        defs.WriteBitmap(L"Definitions\\frame.bmp", size.cx, size.cy, ONE);
        if (c.b150)
            defs.WriteBitmap(L"Definitions\\frame@1.5x.bmp", (size.cx * 3 + 1) / 2, (size.cy * 3 + 1) / 2, ONE_HALF);
        // Another format than the 1x file's.
        if (c.b200)
            WritePng(defs, L"Definitions\\frame@2x.png", size.cx * 2 + c.cxWrong, size.cy * 2, [](int, int, BYTE&) { return TWO; });
        defs.Load(skin.Element(L"frame.bmp"));
        CTestSkinDialog dlg;
        ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
        TellDpi(dlg, c.nDpi);
        RedrawFrame(dlg.m_hWnd);
        const CDpiScale s(c.nDpi);
        const CWindowCapture capture(dlg.m_hWnd);
        const int cx = capture.m_cx, cy = capture.m_cy;
        EXPECT_EQ(c.crWanted, capture.At(0, 0));
        EXPECT_EQ(c.crWanted, capture.At(cx / 2, s.Scale(30) - 1)) << "top";
        EXPECT_EQ(c.crWanted, capture.At(s.Scale(4) - 1, cy / 2)) << "left";
        EXPECT_EQ(c.crWanted, capture.At(cx - 1, cy - 1)) << "bottom right";
        dlg.DestroyWindow();
    }
}

TEST(SkinVariantFrame, ATranslucentFrameTakesAScaleOnlyWhenItsMainAndAlphaImagesBothHaveIt)
{
    const CSkinBuilder skin = FrameSkin(L"Main", MAIN_FRAME, false).Xml(L"<image path=\"alpha.bmp\" type=\"alpha\"/>");
    const CSize size = ImageSize(skin);
    for (bool bAlphaVariant : { true, false })
    {
        SCOPED_TRACE(bAlphaVariant);
        CSkinDefinitions defs;
        defs.WriteBitmap(L"Definitions\\frame.bmp", size.cx, size.cy, ONE);
        defs.WriteBitmap(L"Definitions\\frame@2x.bmp", size.cx * 2, size.cy * 2, TWO);
        // White: every pixel opaque, so the frame shows its colours as they are.
        defs.WriteBitmap(L"Definitions\\alpha.bmp", size.cx, size.cy, RGB(255, 255, 255));
        if (bAlphaVariant)
            defs.WriteBitmap(L"Definitions\\alpha@2x.bmp", size.cx * 2, size.cy * 2, RGB(255, 255, 255));
        defs.Load(skin.Element(L"frame.bmp"));
        CTestSkinDialog dlg;
        ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
        TellDpi(dlg, 192);
        RedrawFrame(dlg.m_hWnd);
        const CWindowCapture capture(dlg.m_hWnd);
        EXPECT_EQ(bAlphaVariant ? TWO : ONE, capture.At(capture.m_cx / 2, 10));
        dlg.DestroyWindow();
    }
}

TEST_F(SkinVariantDpi, TheWatermarkTilesAtTheDpiOrStretchesAsANineGridPanel)
{
    // A 7 x 5 tile whose pixels name their place.
    std::vector<BYTE> water = KorvoTest::MakeBitmapFile(7, 5, [](int x, int y, void*) { return RGB(200, x, y); }, NULL);
    defs.WriteFile(L"Definitions\\water.bmp", water.data(), water.size());
    // A 12 x 12 panel with 3-pixel corners, red, green, blue and yellow; white elsewhere.
    WritePng(defs, L"Definitions\\panel.png", 12, 12, [](int x, int y, BYTE&) {
        const bool bLeft = x < 3, bRight = x >= 9, bTop = y < 3, bBottom = y >= 9;
        if ((bLeft || bRight) && (bTop || bBottom))
            return bTop ? (bLeft ? RGB(255, 0, 0) : RGB(0, 255, 0)) : (bLeft ? RGB(0, 0, 255) : RGB(255, 255, 0));
        return RGB(255, 255, 255);
    });
    defs.Load(defs.Skin(FrameSkin(L"Main", MAIN_FRAME, false).Xml(L"<image path=\"water.bmp\" type=\"watermark\"/>")) +
              defs.Skin(FrameSkin(L"Panel", MAIN_FRAME, false)
                            .Xml(L"<image path=\"panel.png\" type=\"watermark\" grid=\"3,3,3,3\"/>")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300), L"Main"));
    TellDpi(dlg, 192);
    dlg.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    {
        const KorvoTest::CWindowPixels client(dlg.m_hWnd, true);
        // Below the static, each tile 14 x 10, each of its pixels 2 x 2.
        for (int y = 60; y < client.m_cy - 20; y += 3)
            for (int x = 0; x < client.m_cx - 20; x += 5)
                ASSERT_EQ(RGB(200, x / 2 % 7, y / 2 % 5), client.At(x, y)) << x << "," << y;
    }

    ASSERT_TRUE(dlg.SkinMe(L"Panel"));
    for (CSize sizeWindow : { CSize(500, 300), CSize(300, 420) })
    {
        dlg.SetWindowPos(NULL, 0, 0, sizeWindow.cx, sizeWindow.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const KorvoTest::CWindowPixels client(dlg.m_hWnd, true);
        const int cx = client.m_cx, cy = client.m_cy;
        SCOPED_TRACE(cx);
        // Corners 6 pixels square at 192 DPI whatever the client's size; white between them.
        EXPECT_EQ(RGB(0, 255, 0), client.At(cx - 6, 5));
        EXPECT_EQ(RGB(0, 255, 0), client.At(cx - 1, 0));
        EXPECT_EQ(RGB(255, 255, 255), client.At(cx - 7, 5));
        EXPECT_EQ(RGB(255, 255, 255), client.At(cx - 6, 6));
        EXPECT_EQ(RGB(255, 255, 0), client.At(cx - 6, cy - 6));
        EXPECT_EQ(RGB(255, 255, 255), client.At(cx - 7, cy - 7));
        EXPECT_EQ(RGB(0, 0, 255), client.At(0, cy - 1));
        EXPECT_EQ(RGB(0, 0, 255), client.At(5, cy - 6));
        EXPECT_EQ(RGB(255, 255, 255), client.At(cx / 2, cy / 2));
    }
}
