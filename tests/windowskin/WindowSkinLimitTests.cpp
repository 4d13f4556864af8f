// Window skins from hostile definitions: shapes of any size, caption fonts of any size, targets
// holding the old separator, and more window skins than one load keeps.
#include "SkinTestSupport.h"

using namespace SkinTest;

namespace
{
using WindowSkinLimits = CSkinnedDialogTest;

// The limits the skin format documents.
const int MAX_FIGURES = 256;
const int MAX_CAPTION_FONT_PIXELS = 72;
const int MAX_WINDOW_SKINS = 256;

CSkinBuilder ShapedSkin(LPCWSTR pszTarget, const CString& strShapes)
{
    CSkinBuilder skin(pszTarget);
    skin.Part(L"Top", 4, 20).Part(L"Left", 3, 3).Part(L"Right", 3, 3).Part(L"Bottom", 3, 3);
    return skin.Xml(L"<region>" + strShapes + L"</region>");
}

// Whether the window's region is exactly hExpected (deleted here).
bool RegionIs(HWND hWnd, HRGN hExpected)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    const bool bSame = ::GetWindowRgn(hWnd, hRegion) != ERROR && ::CombineRgn(hRegion, hRegion, hExpected, RGN_XOR) == NULLREGION;
    ::DeleteObject(hRegion);
    ::DeleteObject(hExpected);
    return bSame;
}
}

TEST_F(WindowSkinLimits, FiguresTooLargeForAnyWindowAreIgnoredAndTheRestShapeTheWindow)
{
    // Each hostile figure is joined to the corner 0,0,50,40 of a 300 x 200 window; one that no
    // window can hold leaves the corner alone.
    const CString strCorner = L"<shape type=\"rectangle\" rect=\"0,0,50,40\"/>";
    struct { LPCWSTR pszShape; HRGN hExpected; } rows[] = {
        { L"type=\"ellipse\" rect=\"0,0,100,400000000\"", NULL },
        { L"type=\"ellipse\" rect=\"0,0,2147483647,2147483647\"", NULL },
        { L"type=\"ellipse\" rect=\"-2147483648,-2147483648,2147483647,2147483647\"", NULL },
        { L"type=\"rectangle\" rect=\"-2147483648,0,2147483647,10\"", NULL },
        { L"type=\"rectangle\" rect=\"2147483000,0,2147483647,10\"", NULL },
        { L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"2147483647,2147483647\"", NULL },
        { L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"-2147483648,-5\"", NULL },
        { L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"-8,8\"", NULL },
        { L"type=\"ellipse\" rect=\"0,0,99999999999,99999999999\"", NULL },
        { L"type=\"ellipse\" rect=\"0,0,-2147483648,-2147483648\"", NULL },
        { L"type=\"rectangle\" point=\"-2147483648,5\"", NULL },
        { L"type=\"ellipse\" rect=\"0,0,40000,10\"", NULL },
        // Figures that fit: empty, turned round, counted back past the near edge, round at most.
        { L"type=\"rectangle\" rect=\"5,5,5,5\"", NULL },
        { L"type=\"rectangle\" rect=\"120,90,100,60\"", ::CreateRectRgn(100, 60, 120, 90) },
        { L"type=\"rectangle\" rect=\"0,100,-400,120\"", ::CreateRectRgn(-98, 100, 0, 120) },
        { L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"32767,32767\"", ::CreateRoundRectRgn(0, 0, 301, 201, 32767, 32767) },
    };
    CString strSkins;
    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"H%d", (int)n);
        strSkins += defs.Skin(ShapedSkin(strTarget, strCorner + L"<shape " + rows[n].pszShape + L" combine=\"or\"/>"));
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 420, 310), L"H0"));

    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"H%d", (int)n);
        ASSERT_TRUE(dlg.SkinMe(strTarget)) << n;
        // Sizes from the smallest to the largest the screen takes, then back to 300 x 200.
        for (CSize size : { CSize(1, 1), CSize(40, 30), CSize(3000, 2000), CSize(300, 200) })
            dlg.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(CSize(300, 200), dlg.WindowRect().Size()) << n;
        HRGN hExpected = ::CreateRectRgn(0, 0, 50, 40);
        if (rows[n].hExpected)
        {
            ::CombineRgn(hExpected, hExpected, rows[n].hExpected, RGN_OR);
            ::DeleteObject(rows[n].hExpected);
        }
        EXPECT_TRUE(RegionIs(dlg.m_hWnd, hExpected)) << rows[n].pszShape;
        RedrawFrame(dlg.m_hWnd);
    }
}

TEST_F(WindowSkinLimits, ARegionTakesItsFirstFiguresUpToTheLimit)
{
    // The figures past the limit would have cut the window down to a sliver.
    CString strShapes = L"<shape type=\"rectangle\" rect=\"0,0,50,40\"/>";
    for (int n = 1; n < MAX_FIGURES; n++)
        strShapes += L"<shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"or\"/>";
    strShapes += L"<shape type=\"rectangle\" rect=\"0,0,2,2\" combine=\"and\"/>";
    defs.Load(defs.Skin(ShapedSkin(L"Many", strShapes)));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 420, 310), L"Many"));
    EXPECT_TRUE(RegionIs(dlg.m_hWnd, ::CreateRectRgn(0, 0, 50, 40)));
}

TEST_F(WindowSkinLimits, CaptionFontsAreAtMostSeventyTwoPixelsTall)
{
    struct { LPCWSTR pszSize; int nHeight; } rows[] = {
        { L"32767", -MAX_CAPTION_FONT_PIXELS },
        { L"2147483647", -MAX_CAPTION_FONT_PIXELS },
        { L"-32767", MAX_CAPTION_FONT_PIXELS },
        { L"32767pt", -MAX_CAPTION_FONT_PIXELS },
        { L"72", -72 },
        { L"14", -14 },
    };
    CString strSkins;
    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget, strCaption;
        strTarget.Format(L"F%d", (int)n);
        strCaption.Format(L"<caption rect=\"56,8,150,16\" fontFace=\"Tahoma\" fontSize=\"%s\"/>", rows[n].pszSize);
        strSkins += defs.Skin(FrameSkin(strTarget).Xml(strCaption));
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 520, 310), L"F0", L"A caption in a huge font"));
    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"F%d", (int)n);
        ASSERT_TRUE(dlg.SkinMe(strTarget));
        LOGFONTW lf;
        ASSERT_TRUE(dlg.m_pSkin->m_fontCaption.GetLogFont(&lf));
        EXPECT_EQ(rows[n].nHeight, lf.lfHeight) << rows[n].pszSize;
        RedrawFrame(dlg.m_hWnd);
        dlg.SendMessage(WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(S::PART_TOPLEFT, PartAt(dlg.m_hWnd, 2, 2)) << "the frame is painted";
    }
}

TEST_F(WindowSkinLimits, TargetsMatchWholeNamesOnly)
{
    defs.Load(defs.Skin(FrameSkin(L"A|B")) + defs.Skin(FrameSkin(L"F|")) + defs.Skin(FrameSkin(L"|G"))
              + defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateAt(100, 100));
    for (LPCWSTR pszName : { L"A", L"B", L"F", L"G", L"A|B", L"F|", L"|G", L"|", L"", L"Mai", L"ain", L"main", L"Main|" })
        EXPECT_FALSE(dlg.SkinMe(pszName)) << pszName;
    EXPECT_TRUE(dlg.SkinMe(L"Main"));
}

TEST_F(WindowSkinLimits, OneLoadKeepsTheFirstWindowSkinsUpToTheLimit)
{
    CString strSkins;
    const CString strFirst = defs.Skin(FrameSkin(L"T", MAIN_FRAME, false));
    for (int n = 0; n < MAX_WINDOW_SKINS + 10; n++)
    {
        CString strTarget;
        strTarget.Format(L"<target window=\"T%d\"/>", n);
        CString strSkin = strFirst;
        strSkin.Replace(L"<target window=\"T\"/>", strTarget);
        strSkins += strSkin;
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateAt(100, 100));
    CString strLast, strPast;
    strLast.Format(L"T%d", MAX_WINDOW_SKINS - 1);
    strPast.Format(L"T%d", MAX_WINDOW_SKINS);
    EXPECT_TRUE(dlg.SkinMe(L"T0"));
    EXPECT_TRUE(dlg.SkinMe(strLast));
    EXPECT_FALSE(dlg.SkinMe(strPast));
}
