// Window shapes read back with GetWindowRgn from a skinned dialog of 300 x 200, whose full shape F
// is (0, 0, 301, 201), hostile figures among them.
#include "SkinTestSupport.h"
#include <random>

using namespace SkinTest;

namespace
{
using WindowSkinRegion = CSkinnedDialogTest;

// The limit the skin format documents.
const int MAX_FIGURES = 256;

HRGN Rect(int nLeft, int nTop, int nRight, int nBottom)
{
    return ::CreateRectRgn(nLeft, nTop, nRight, nBottom);
}

HRGN Ellipse()
{
    return ::CreateEllipticRgn(0, 0, 301, 201);
}

// The two combined; both are deleted.
HRGN Combine(HRGN hA, HRGN hB, int nMode)
{
    HRGN hResult = Rect(0, 0, 0, 0);
    ::CombineRgn(hResult, hA, hB, nMode);
    ::DeleteObject(hA);
    ::DeleteObject(hB);
    return hResult;
}

// A window skin for strTarget with a plain frame and, when bRegion, a region of strShapes.
CString RegionSkin(CSkinDefinitions& defs, const CString& strTarget, const CString& strShapes, bool bRegion = true)
{
    CSkinBuilder skin(strTarget);
    skin.Part(L"Top", 4, 20).Part(L"Left", 3, 3).Part(L"Right", 3, 3).Part(L"Bottom", 3, 3);
    if (bRegion)
        skin.Xml(L"<region>" + strShapes + L"</region>");
    return defs.Skin(skin);
}

// The part of a figure within F; the figure is deleted.
HRGN Within(HRGN hFigure)
{
    return Combine(hFigure, Rect(0, 0, 301, 201), RGN_AND);
}

// The corner 0,0,50,40, and the corner joined with a figure that follows it.
const LPCWSTR CORNER = L"<shape type=\"rectangle\" rect=\"0,0,50,40\"/>";
CString OrCorner(LPCWSTR pszFigure)
{
    return CString(CORNER) + L"<shape " + pszFigure + L" combine=\"or\"/>";
}
}

TEST_F(WindowSkinRegion, ShapesCountBackCombineInOrderIgnoreFiguresNoWindowHoldsAndStopAtTheLimit)
{
    // What the window's region is after the shape is applied over a stale region (1, 2, 3, 4).
    const CString strEllipse = L"<shape type=\"ellipse\"/>";
    const LPCWSTR pszCorner = L"<shape type=\"rectangle\" rect=\"0,0,50,40\"";
    const LPCWSTR pszBand = L"<shape type=\"rectangle\" rect=\"0,50,-1,100\"";
    // The figures past the limit would have cut the window down to a sliver.
    CString strMany = CORNER;
    for (int n = 1; n < MAX_FIGURES; n++)
        strMany += L"<shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"or\"/>";
    strMany += L"<shape type=\"rectangle\" rect=\"0,0,2,2\" combine=\"and\"/>";
    struct { CString strShapes; HRGN hExpected; const char* pszWhy; } rows[] = {
        { L"", Rect(0, 0, 301, 201), "no region element: F" },
        { L"<shape type=\"rectangle\" rect=\"0,0,-1,-1\"/>", Rect(0, 0, 301, 201), "covers F exactly" },
        { L"<shape type=\"Rectangle\"/>", Rect(0, 0, 301, 201), "no rectangle: F" },
        { L"<shape type=\"rectangle\" rect=\"5,6,-5,-6\"/>", Rect(5, 6, 297, 196), "counted back" },
        { L"<shape type=\"rectangle\" point=\"10,4\"/>", Rect(10, 4, 292, 198), "x, y, -x, -y" },
        { L"<shape type=\"rectangle\" rect=\"10,20,40,60\"/>", Rect(10, 20, 40, 60), "left, top, right, bottom" },
        { CString(L"<shape type=\"ellipse\" combine=\"and\"/>") + pszCorner + L" combine=\"diff\"/>",
          Combine(Ellipse(), Rect(0, 0, 50, 40), RGN_DIFF), "ellipse minus rectangle; the first combine is ignored" },
        { strEllipse + pszCorner + L" combine=\"OR\"/>", Combine(Ellipse(), Rect(0, 0, 50, 40), RGN_OR), "or" },
        { strEllipse + pszBand + L" combine=\"and\"/>", Combine(Ellipse(), Rect(0, 50, 301, 100), RGN_AND), "and" },
        { strEllipse + pszBand + L" combine=\"xor\"/>", Combine(Ellipse(), Rect(0, 50, 301, 100), RGN_XOR), "xor" },
        { strEllipse + pszCorner + L" combine=\"copy\"/>", Rect(0, 0, 50, 40), "copy" },
        { strEllipse + pszCorner + L" combine=\"merge\"/><shape type=\"hexagon\"/><other type=\"rectangle\"/>",
          Ellipse(), "unknown combines, types and elements change nothing" },
        { L"<shape type=\"roundRect\" size=\"20,10\"/>", ::CreateRoundRectRgn(0, 0, 301, 201, 20, 10), "rounded" },
        { L"<shape type=\"ROUNDRECT\"/>", ::CreateRoundRectRgn(0, 0, 301, 201, 0, 0), "no readable size: square corners" },
        { L"<shape type=\"roundrect\" size=\"0x10,010\"/>", ::CreateRoundRectRgn(0, 0, 301, 201, 16, 8), "hex and octal size" },
        { L"<shape type=\"star\"/>", Rect(1, 2, 3, 4), "no shape created: the region is left as it was" },
        { strMany, Rect(0, 0, 50, 40), "the first figures up to the limit" },
        // Figures no window can hold are left out, and the corner stays.
        { OrCorner(L"type=\"ellipse\" rect=\"0,0,100,400000000\""), Rect(0, 0, 50, 40), "too tall" },
        { OrCorner(L"type=\"ellipse\" rect=\"0,0,2147483647,2147483647\""), Rect(0, 0, 50, 40), "largest" },
        { OrCorner(L"type=\"ellipse\" rect=\"-2147483648,-2147483648,2147483647,2147483647\""), Rect(0, 0, 50, 40), "widest" },
        { OrCorner(L"type=\"rectangle\" rect=\"-2147483648,0,2147483647,10\""), Rect(0, 0, 50, 40), "overflowing width" },
        { OrCorner(L"type=\"rectangle\" rect=\"2147483000,0,2147483647,10\""), Rect(0, 0, 50, 40), "far away" },
        { OrCorner(L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"2147483647,2147483647\""), Rect(0, 0, 50, 40), "round" },
        { OrCorner(L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"-2147483648,-5\""), Rect(0, 0, 50, 40), "negative round" },
        { OrCorner(L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"-8,8\""), Rect(0, 0, 50, 40), "negative corner" },
        { OrCorner(L"type=\"ellipse\" rect=\"0,0,99999999999,99999999999\""), Rect(0, 0, 50, 40), "past a number" },
        { OrCorner(L"type=\"ellipse\" rect=\"0,0,-2147483648,-2147483648\""), Rect(0, 0, 50, 40), "most negative" },
        { OrCorner(L"type=\"rectangle\" point=\"-2147483648,5\""), Rect(0, 0, 50, 40), "negative point" },
        { OrCorner(L"type=\"ellipse\" rect=\"0,0,40000,10\""), Rect(0, 0, 50, 40), "wider than any screen" },
        // Figures that fit: empty, turned round, counted back past the near edge, round at most.
        { OrCorner(L"type=\"rectangle\" rect=\"5,5,5,5\""), Rect(0, 0, 50, 40), "empty" },
        { OrCorner(L"type=\"rectangle\" rect=\"120,90,100,60\""), Combine(Rect(0, 0, 50, 40), Rect(100, 60, 120, 90), RGN_OR),
          "turned round" },
        { OrCorner(L"type=\"rectangle\" rect=\"0,100,-400,120\""), Rect(0, 0, 50, 40),
          "past the near edge: nothing outside the window" },
        { OrCorner(L"type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"32767,32767\""),
          Combine(Rect(0, 0, 50, 40), ::CreateRoundRectRgn(0, 0, 301, 201, 32767, 32767), RGN_OR), "round at most" },
        // Figures within the numbers whose extent no window reaches: the window system refused
        // the region they made and the process ended. Each is cut to the window.
        { L"<shape type=\"ellipse\" rect=\"0,0,32767,32767\"/>", Within(::CreateEllipticRgn(0, 0, 32767, 32767)),
          "largest ellipse" },
        { L"<shape type=\"rectangle\" point=\"-254,32767\"/>", Rect(48, 0, 254, 201), "point at the limit" },
        { L"<shape type=\"rectangle\" rect=\"-32767,-32767,32767,32767\"/>", Rect(0, 0, 301, 201), "widest rectangle" },
        { L"<shape type=\"roundRect\" rect=\"-32767,-32767,32767,32767\" size=\"32767,32767\"/>",
          Within(::CreateRoundRectRgn(-32767, -32767, 32767, 32767, 32767, 32767)), "widest round rectangle" },
        { CString(CORNER) + L"<shape type=\"ellipse\" rect=\"-32767,-32767,32767,32767\" combine=\"xor\"/>",
          Combine(Within(::CreateEllipticRgn(-32767, -32767, 32767, 32767)), Rect(0, 0, 50, 40), RGN_XOR), "widest ellipse, xor" },
        { L"<shape type=\"ellipse\" rect=\"0,0,32767,32767\"/><shape type=\"rectangle\" rect=\"-32767,100,32767,110\" combine=\"diff\"/>",
          Combine(Within(::CreateEllipticRgn(0, 0, 32767, 32767)), Rect(0, 100, 301, 110), RGN_DIFF), "a band taken out" },
    };
    CString strSkins;
    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"R%d", (int)n);
        strSkins += RegionSkin(defs, strTarget, rows[n].strShapes, n > 0);
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 420, 310), L"R0"));

    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"R%d", (int)n);
        ASSERT_TRUE(dlg.SkinMe(strTarget));
        dlg.SetWindowRgn(Rect(1, 2, 3, 4), FALSE);
        // Every size change shapes the window anew: from the smallest size to the largest the
        // screen takes, then back to 300 x 200.
        for (CSize size : { CSize(1, 1), CSize(40, 30), CSize(3000, 2000), CSize(300, 200) })
            dlg.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(CSize(300, 200), dlg.WindowRect().Size()) << rows[n].pszWhy;
        HRGN hRegion = Rect(0, 0, 0, 0);
        EXPECT_TRUE(dlg.GetWindowRgn(hRegion) != ERROR
                    && ::CombineRgn(hRegion, hRegion, rows[n].hExpected, RGN_XOR) == NULLREGION) << rows[n].pszWhy;
        ::DeleteObject(hRegion);
        ::DeleteObject(rows[n].hExpected);
        RedrawFrame(dlg.m_hWnd);
    }
}

// Random figures with numbers drawn from the edges of the allowed range: every window shape
// stays within the window, whatever the figures and their combination.
TEST_F(WindowSkinRegion, RandomFiguresAtTheLimitsStayWithinTheWindow)
{
    std::mt19937 rng(20261207);
    const int edges[] = { -32767, -32766, -254, -1, 0, 1, 254, 32766, 32767 };
    auto number = [&] { return rng() % 3 ? edges[rng() % _countof(edges)] : (int)(rng() % 65535) - 32767; };
    const LPCWSTR types[] = { L"rectangle", L"ellipse", L"roundRect" };
    const LPCWSTR combines[] = { L"or", L"and", L"xor", L"diff", L"copy" };
    const int nSkins = 40;
    CString strSkins;
    for (int n = 0; n < nSkins; n++)
    {
        CString strShapes;
        for (int nFigure = 1 + rng() % 4; nFigure > 0; nFigure--)
        {
            CString strShape;
            strShape.Format(L"<shape type=\"%s\" rect=\"%d,%d,%d,%d\" point=\"%d,%d\" size=\"%d,%d\" combine=\"%s\"/>",
                            types[rng() % 3], number(), number(), number(), number(), number(), number(),
                            (int)(rng() % 32768), (int)(rng() % 32768), combines[rng() % 5]);
            // Half the figures are given by a point instead of a rectangle.
            if (rng() % 2)
                strShape.Replace(L" rect=", L" other=");
            strShapes += strShape;
        }
        CString strTarget;
        strTarget.Format(L"F%d", n);
        strSkins += RegionSkin(defs, strTarget, strShapes);
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 420, 310), L"F0"));
    for (int n = 0; n < nSkins; n++)
    {
        CString strTarget;
        strTarget.Format(L"F%d", n);
        ASSERT_TRUE(dlg.SkinMe(strTarget));
        dlg.SetWindowPos(NULL, 0, 0, 300 + n, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawFrame(dlg.m_hWnd);
        KorvoTest::PumpMessages(0);
        HRGN hRegion = Rect(0, 0, 0, 0);
        if (dlg.GetWindowRgn(hRegion) != ERROR)
        {
            CRect rcBox;
            ::GetRgnBox(hRegion, &rcBox);
            EXPECT_TRUE(rcBox.IsRectEmpty() || CRect(0, 0, 301 + n, 201).PtInRect(rcBox.TopLeft())) << n;
            EXPECT_LE(rcBox.right, 301 + n) << n;
            EXPECT_LE(rcBox.bottom, 201) << n;
        }
        ::DeleteObject(hRegion);
    }
}
