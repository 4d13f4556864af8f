#include "SkinTestSupport.h"
#include <gtest/gtest.h>

using namespace SkinTest;

namespace
{
// The window is 300 x 200, so F, the full shape, is (0, 0, 301, 201).
const CRect WINDOW(120, 110, 420, 310);

class CRegion
{
public:
    explicit CRegion(HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0)) : m_hRgn(hRgn) {}
    ~CRegion() { ::DeleteObject(m_hRgn); }
    operator HRGN() const { return m_hRgn; }
    HRGN m_hRgn;
};

// Whether two regions cover the same pixels, however their bands are split.
bool SameArea(HRGN hA, HRGN hB)
{
    CRegion difference;
    return ::CombineRgn(difference, hA, hB, RGN_XOR) == NULLREGION;
}

// The window's region, or null when it has none.
std::unique_ptr<CRegion> RegionOf(const CWnd& wnd)
{
    std::unique_ptr<CRegion> pRegion(new CRegion);
    if (wnd.GetWindowRgn(*pRegion) == ERROR)
        return nullptr;
    return pRegion;
}

std::unique_ptr<CWindowSkin> SkinWithRegion(CSkinBuilder& builder, LPCWSTR pszShapes)
{
    builder.Part(L"Top", 4, 20).Part(L"Left", 3, 3).Part(L"Right", 3, 3).Part(L"Bottom", 3, 3);
    builder.Xml(CString(L"<region>") + pszShapes + L"</region>");
    return builder.Parse();
}

// Applies the skin's shape to a fresh window and compares it with the expected region.
::testing::AssertionResult ShapeIs(LPCWSTR pszShapes, HRGN hExpected)
{
    CSkinBuilder builder;
    auto pSkin = SkinWithRegion(builder, pszShapes);
    if (!pSkin)
        return ::testing::AssertionFailure() << "skin rejected";
    CSkinTestWnd wnd(pSkin.get());
    if (!wnd.CreateSkinned(WINDOW))
        return ::testing::AssertionFailure() << "no window";
    auto pRegion = RegionOf(wnd);
    if (!hExpected)
        return pRegion ? ::testing::AssertionFailure() << "a region was set" : ::testing::AssertionSuccess();
    if (!pRegion)
        return ::testing::AssertionFailure() << "no region";
    CRect rcBox;
    ::GetRgnBox(*pRegion, &rcBox);
    if (!SameArea(*pRegion, hExpected))
        return ::testing::AssertionFailure() << "region box " << rcBox.left << "," << rcBox.top << "," << rcBox.right << ","
                                             << rcBox.bottom;
    return ::testing::AssertionSuccess();
}
}

TEST(WindowSkinRegion, WithoutRegionElementTheWholeWindowPlusOne)
{
    CSkinBuilder builder;
    builder.Part(L"Top", 4, 20);
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(WINDOW));
    auto pRegion = RegionOf(wnd);
    ASSERT_TRUE(pRegion);
    CRegion expected(::CreateRectRgn(0, 0, 301, 201));
    EXPECT_TRUE(SameArea(*pRegion, expected));

    // Every size change shapes the window anew.
    wnd.SetWindowPos(NULL, 0, 0, 250, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pRegion = RegionOf(wnd);
    ASSERT_TRUE(pRegion);
    CRegion resized(::CreateRectRgn(0, 0, 251, 151));
    EXPECT_TRUE(SameArea(*pRegion, resized));
}

TEST(WindowSkinRegion, RectangleCoordinatesCountBackFromTheFarEdges)
{
    CRegion full(::CreateRectRgn(0, 0, 301, 201));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"rectangle\" rect=\"0,0,-1,-1\"/>", full)) << "covers F exactly";
    EXPECT_TRUE(ShapeIs(L"<shape type=\"Rectangle\"/>", full)) << "no rectangle: F";
    CRegion inset(::CreateRectRgn(5, 6, 297, 196));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"rectangle\" rect=\"5,6,-5,-6\"/>", inset));
    CRegion fromPoint(::CreateRectRgn(10, 4, 292, 198));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"rectangle\" point=\"10,4\"/>", fromPoint)) << "x, y, -x, -y";
    CRegion absolute(::CreateRectRgn(10, 20, 40, 60));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"rectangle\" rect=\"10,20,40,60\"/>", absolute)) << "left, top, right, bottom";
}

TEST(WindowSkinRegion, ShapesCombineInDocumentOrder)
{
    CRegion ellipse(::CreateEllipticRgn(0, 0, 301, 201));
    CRegion corner(::CreateRectRgn(0, 0, 50, 40));
    CRegion band(::CreateRectRgn(0, 50, 301, 100));

    CRegion diff;
    ::CombineRgn(diff, ellipse, corner, RGN_DIFF);
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\" combine=\"and\"/><shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"diff\"/>", diff))
        << "ellipse minus rectangle; the first shape's combine is ignored";

    CRegion united;
    ::CombineRgn(united, ellipse, corner, RGN_OR);
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\"/><shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"OR\"/>", united));

    CRegion both;
    ::CombineRgn(both, ellipse, band, RGN_AND);
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\"/><shape type=\"rectangle\" rect=\"0,50,-1,100\" combine=\"and\"/>", both));

    CRegion either;
    ::CombineRgn(either, ellipse, band, RGN_XOR);
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\"/><shape type=\"rectangle\" rect=\"0,50,-1,100\" combine=\"xor\"/>", either));

    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\"/><shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"copy\"/>", corner));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ellipse\"/><shape type=\"rectangle\" rect=\"0,0,50,40\" combine=\"merge\"/>"
                        L"<shape type=\"hexagon\"/><other type=\"rectangle\"/>", ellipse))
        << "unknown combines, types and elements change nothing";
}

TEST(WindowSkinRegion, RoundedRectanglesTakeTheirCornerSize)
{
    CRegion rounded(::CreateRoundRectRgn(0, 0, 301, 201, 20, 10));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"roundRect\" size=\"20,10\"/>", rounded));
    CRegion square(::CreateRoundRectRgn(0, 0, 301, 201, 0, 0));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"ROUNDRECT\"/>", square)) << "no readable size: square corners";
    CRegion hex(::CreateRoundRectRgn(0, 0, 301, 201, 16, 8));
    EXPECT_TRUE(ShapeIs(L"<shape type=\"roundrect\" size=\"0x10,010\"/>", hex));
}

TEST(WindowSkinRegion, FailingShapeRemovesTheRegionAndNoShapeKeepsIt)
{
    // An ellipse far taller than any region can hold cannot be created: the shape built so far
    // is dropped and the window loses the region it had.
    CSkinBuilder failing;
    auto pFailing = SkinWithRegion(failing, L"<shape type=\"rectangle\" rect=\"0,0,50,40\"/>"
                                            L"<shape type=\"ellipse\" rect=\"0,0,100,400000000\" combine=\"or\"/>");
    ASSERT_TRUE(pFailing);
    CSkinTestWnd shaped(NULL);
    ASSERT_TRUE(shaped.CreateSkinned(WINDOW, WS_POPUP));
    shaped.SetWindowRgn(::CreateRectRgn(1, 2, 3, 4), FALSE);
    ASSERT_TRUE(RegionOf(shaped));
    pFailing->ApplyRegion(&shaped);
    EXPECT_FALSE(RegionOf(shaped));

    CSkinBuilder builder;
    auto pSkin = SkinWithRegion(builder, L"<shape type=\"star\"/>");
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(NULL);
    ASSERT_TRUE(wnd.CreateSkinned(WINDOW, WS_POPUP));
    wnd.SetWindowRgn(::CreateRectRgn(1, 2, 3, 4), FALSE);
    wnd.m_pSkin = pSkin.get();
    pSkin->ApplyRegion(&wnd);
    auto pRegion = RegionOf(wnd);
    ASSERT_TRUE(pRegion) << "no shape created: the region is left as it was";
    CRegion previous(::CreateRectRgn(1, 2, 3, 4));
    EXPECT_TRUE(SameArea(*pRegion, previous));
}

TEST(WindowSkinRegion, MinimisedWindowIsLeftAlone)
{
    CSkinBuilder builder;
    auto pSkin = SkinWithRegion(builder, L"<shape type=\"ellipse\"/>");
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(WINDOW));
    wnd.ShowWindow(SW_SHOWMINNOACTIVE);
    KorvoTest::PumpMessages(20);
    ASSERT_TRUE(wnd.IsIconic());
    wnd.SetWindowRgn(::CreateRectRgn(1, 2, 3, 4), FALSE);
    pSkin->ApplyRegion(&wnd);
    auto pRegion = RegionOf(wnd);
    ASSERT_TRUE(pRegion);
    CRegion previous(::CreateRectRgn(1, 2, 3, 4));
    EXPECT_TRUE(SameArea(*pRegion, previous));
}
