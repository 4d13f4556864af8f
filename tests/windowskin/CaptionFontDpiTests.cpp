// The caption font a skinned dialog draws with when the font was made for a screen of another
// DPI than the window's: a size in points and the system's caption font are made for the
// screen's DPI, and are rescaled from that DPI, not from 96, to the DPI the window was told.
#include "SkinTestSupport.h"
#include "ScreenDpi.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
using CaptionFontDpi = CSkinnedDialogTest;
using ScreenDpi = CSkinnedDialogTest;

void TellDpi(CTestSkinDialog& dlg, UINT nDpi)
{
    const CDpiScale s(nDpi);
    const CRect rcSuggested(80, 90, 80 + s.Scale(400), 90 + s.Scale(200));
    dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
    RedrawFrame(dlg.m_hWnd);
}

// The height of the caption font the dialog's skin selects to draw its caption at the window's
// DPI; 0 without one.
LONG CaptionFontHeight(CTestSkinDialog& dlg)
{
    CWindowSkin* pSkin = CSkinDialogFrame::SkinOf(dlg);
    CFont* pFont = pSkin ? pSkin->GetCaptionFont(CWindowSkin::ScaleOf(&dlg)) : NULL;
    LOGFONTW lf;
    return pFont && ::GetObjectW(pFont->m_hObject, sizeof(lf), &lf) == sizeof(lf) ? lf.lfHeight : 0;
}
}

TEST_F(CaptionFontDpi, AFontMadeForA144DpiScreenIsRescaledFromThatDpi)
{
    // What a skin's "90pt" (9 points) leaves on a screen of 144 DPI: an 18-pixel font made for
    // 144. The frame's own caption font gives way to the later caption's.
    defs.Load(defs.Skin(FrameSkin(L"Main").Xml(L"<caption rect=\"56,8,150,16\" fontFace=\"Tahoma\" fontSize=\"18\"/>")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    CWindowSkin* pSkin = CSkinDialogFrame::SkinOf(dlg);
    ASSERT_TRUE(pSkin);
    ASSERT_EQ((UINT)CDpiScale::BASE_DPI, pSkin->m_nCaptionFontDpi) << "a size in pixels is one at 96 DPI";
    pSkin->m_nCaptionFontDpi = 144;

    // 18 pixels at 144 DPI are 12 at 96, 15 at 120 and 24 at 192.
    const struct
    {
        UINT nDpi;
        LONG lfHeight;
    } cases[] = { { 96, -12 }, { 192, -24 }, { 144, -18 }, { 120, -15 }, { 96, -12 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nDpi);
        TellDpi(dlg, c.nDpi);
        ASSERT_EQ(c.nDpi, CWindowDpi::Of(dlg.m_hWnd));
        EXPECT_EQ(c.lfHeight, CaptionFontHeight(dlg));
    }
    CWindowDpi::Forget(dlg.m_hWnd);
}

// Run again by the screen-dpi test entry with the screen at 144 and 192 DPI.
TEST_F(ScreenDpi, CaptionFontsMadeForTheScreenAreRescaledToTheWindowsDpi)
{
    const UINT nScreen = KorvoTest::ScreenDpi();
    // Main: 9 points; Plain: a caption without a face, so in the system's caption font.
    defs.Load(defs.Skin(FrameSkin(L"Main").Xml(L"<caption rect=\"56,8,150,16\" fontFace=\"Tahoma\" fontSize=\"90pt\"/>")) +
              defs.Skin(FrameSkin(L"Plain", MAIN_FRAME, false).Xml(L"<caption rect=\"56,8,150,16\"/>")));
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
    const LONG lfSystem = ncm.lfCaptionFont.lfHeight;
    ASSERT_NE(0, lfSystem);

    CTestSkinDialog plain;
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    ASSERT_TRUE(plain.CreateSkinned(CRect(120, 120, 520, 320), L"Plain"));
    for (UINT nDpi : { 96u, 120u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        TellDpi(dlg, nDpi);
        TellDpi(plain, nDpi);
        // Nine points are an eighth of an inch: 12 pixels at 96 DPI, 24 at 192.
        EXPECT_EQ(-(LONG)(nDpi / 8), CaptionFontHeight(dlg));
        // The system's font is as much larger at the window's DPI than at the screen's.
        EXPECT_NEAR(lfSystem * (double)nDpi / nScreen, CaptionFontHeight(plain), 0.5);
    }
    CWindowDpi::Forget(dlg.m_hWnd);
    CWindowDpi::Forget(plain.m_hWnd);
    plain.DestroyWindow();
}
