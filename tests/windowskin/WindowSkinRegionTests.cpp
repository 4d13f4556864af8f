// Window shapes read back with GetWindowRgn from a skinned dialog of 300 x 200, whose full shape F
// is (0, 0, 301, 201).
#include "SkinTestSupport.h"

using namespace SkinTest;

namespace
{
using WindowSkinRegion = CSkinnedDialogTest;

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
}

TEST_F(WindowSkinRegion, ShapesCountBackFromTheFarEdgesCombineInOrderAndFailWithoutAPartialShape)
{
    // What the window's region is after the shape is applied over a stale region (1, 2, 3, 4);
    // null for none.
    const CString strEllipse = L"<shape type=\"ellipse\"/>";
    const LPCWSTR pszCorner = L"<shape type=\"rectangle\" rect=\"0,0,50,40\"";
    const LPCWSTR pszBand = L"<shape type=\"rectangle\" rect=\"0,50,-1,100\"";
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
        // An ellipse far taller than any window is left out.
        { CString(pszCorner) + L"/><shape type=\"ellipse\" rect=\"0,0,100,400000000\" combine=\"or\"/>", Rect(0, 0, 50, 40),
          "a shape too large for any window" },
        { L"<shape type=\"star\"/>", Rect(1, 2, 3, 4), "no shape created: the region is left as it was" },
    };
    CString strSkins;
    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"R%d", (int)n);
        CSkinBuilder skin(strTarget);
        skin.Part(L"Top", 4, 20).Part(L"Left", 3, 3).Part(L"Right", 3, 3).Part(L"Bottom", 3, 3);
        if (n > 0)
            skin.Xml(L"<region>" + rows[n].strShapes + L"</region>");
        strSkins += defs.Skin(skin);
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateSkinned(CRect(120, 110, 420, 310), L"R0"));

    for (size_t n = 0; n < _countof(rows); n++)
    {
        CString strTarget;
        strTarget.Format(L"R%d", (int)n);
        ASSERT_TRUE(dlg.SkinMe(strTarget));
        dlg.SetWindowRgn(Rect(1, 2, 3, 4), FALSE);
        dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(dlg.ClientSize().cx, dlg.ClientSize().cy));
        HRGN hRegion = Rect(0, 0, 0, 0);
        const bool bRegion = dlg.GetWindowRgn(hRegion) != ERROR;
        EXPECT_EQ(rows[n].hExpected != NULL, bRegion) << rows[n].pszWhy;
        EXPECT_TRUE(!bRegion || !rows[n].hExpected || ::CombineRgn(hRegion, hRegion, rows[n].hExpected, RGN_XOR) == NULLREGION)
            << rows[n].pszWhy;
        ::DeleteObject(hRegion);
        ::DeleteObject(rows[n].hExpected);
    }

    // Every size change shapes the window anew.
    ASSERT_TRUE(dlg.SkinMe(L"R1"));
    dlg.SetWindowPos(NULL, 0, 0, 250, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CRect(0, 0, 251, 151), dlg.RegionBox());
}
