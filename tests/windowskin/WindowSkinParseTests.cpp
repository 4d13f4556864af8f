// Reading <windowSkin> definitions: parts, anchors, targets, numbers, colours, caption fonts and
// images.
#include "SkinTestSupport.h"
#include <xml/XML.h>
#include <theme/CInterfaceTheme.h>
#include "api/Globals.h"

using SkinTest::S;

namespace
{
// Definitions read against a folder holding a small valid bitmap, "main.bmp".
class WindowSkinParse : public ::testing::Test
{
protected:
    WindowSkinParse()
    {
        std::vector<BYTE> file = KorvoTest::MakeBitmapFile(8, 8, [](int, int, void*) { return RGB(1, 2, 3); }, NULL);
        m_folder.WriteFile(L"main.bmp", file.data(), file.size());
    }
    // The skin of the definition text; null when the skin rejects it.
    std::unique_ptr<CWindowSkin> Parse(const CString& strXml)
    {
        std::unique_ptr<CXmlElement> pRoot(XmlParseDocument(strXml, FALSE));
        std::unique_ptr<CWindowSkin> pSkin(new CWindowSkin(g_Theme));
        return pRoot && pSkin->Parse(pRoot.get(), m_folder.Path()) ? std::move(pSkin) : nullptr;
    }
    std::unique_ptr<CWindowSkin> ParseWithImage(const CString& strChildren)
    {
        return Parse(L"<windowSkin><image path=\"main.bmp\"/>" + strChildren + L"</windowSkin>");
    }
    KorvoTest::CTempFolder m_folder;
};
}

TEST_F(WindowSkinParse, PartsAnchorsAndTargetsByName)
{
    auto pSkin = ParseWithImage(L"<target window=\"A\"/><target/><TARGET WINDOW=\"B\"/><parts>"
                                L"<part name=\"top\" rect=\"10,0,1,30\" mode=\"STRETCH\"/><part name=\"Left\" rect=\"0,40,0,0\"/>"
                                L"<part name=\"Bottom\" rect=\"5,6,7,8\" mode=\"sideways\"/>"
                                L"<part name=\"CloseDown\" rect=\"0,0,9,9\"/><part name=\"closedown\" rect=\"1,1,5,5\"/>"
                                L"<part name=\"Ornament\" rect=\"3,3,3,3\"/><part name=\"\" rect=\"0,0,4,4\"/>"
                                L"<part name=\"TopLeft\"/><notAPart name=\"TopRight\" rect=\"0,0,4,4\"/></parts>"
                                L"<anchors><anchor name=\"Close\" rect=\"-30,6,20,18\"/><anchor name=\"icon\" point=\"4,5\"/>"
                                L"<anchor name=\"Help\" rect=\"1,2,3,4\"/><anchor name=\"System\"/></anchors>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ((std::vector<CString>{ L"A", L"B" }), pSkin->m_targets);
    EXPECT_EQ(CRect(10, 0, 11, 30), pSkin->m_pPartRects[S::PART_TOP]);
    EXPECT_EQ(S::MODE_STRETCH, pSkin->m_pPartMode[S::PART_TOP]);
    EXPECT_EQ(CRect(0, 40, 1, 41), pSkin->m_pPartRects[S::PART_LEFT]) << "zero sizes widen to one pixel";
    EXPECT_EQ(S::MODE_TILE, pSkin->m_pPartMode[S::PART_BOTTOM]) << "unknown modes tile";
    EXPECT_EQ(CRect(1, 1, 6, 6), pSkin->m_pPartRects[S::PART_CLOSE_DOWN]) << "the later definition wins";
    EXPECT_FALSE(pSkin->m_pPartPresent[S::PART_TOPLEFT]) << "no rectangle, no part";
    EXPECT_FALSE(pSkin->m_pPartPresent[S::PART_TOPRIGHT]);
    CRect rc;
    EXPECT_TRUE(pSkin->m_mapParts.Lookup(L"Ornament", rc) && rc == CRect(3, 3, 6, 6)) << "unknown names are kept";
    EXPECT_EQ(1, pSkin->m_mapParts.GetCount()) << "a part without a name is skipped";

    EXPECT_EQ(CRect(-30, 6, -10, 24), pSkin->m_pAnchorRects[S::ANCHOR_CLOSE]) << "counted from the right later";
    EXPECT_TRUE(pSkin->m_pAnchorPresent[S::ANCHOR_ICON]);
    EXPECT_EQ(CRect(4, 5, 0, 0), pSkin->m_pAnchorRects[S::ANCHOR_ICON]);
    EXPECT_FALSE(pSkin->m_pAnchorPresent[S::ANCHOR_SYSTEM]);
    EXPECT_TRUE(pSkin->m_mapAnchors.Lookup(L"Help", rc));
}

TEST_F(WindowSkinParse, NumbersReadLikeScanfIntegers)
{
    struct { LPCWSTR pszXml; BOOL bRead; CRect rc; const char* pszWhy; } rows[] = {
        { L"<p rect=\"012,0x1A,-0x10,-012\"/>", TRUE, CRect(10, 26, -6, 16), "octal ten, hex 26, negative sizes" },
        { L"<p rect=\"5,6\"/>", TRUE, CRect(5, 6, 5, 6), "missing numbers read as 0" },
        { L"<p point=\"-7\"/>", TRUE, CRect(-7, 0, 0, 0), "a point" },
        { L"<p rect=\"1,2,3,4\" point=\"9,9\"/>", TRUE, CRect(1, 2, 4, 6), "the rectangle first" },
        { L"<p rect=\"\" name=\"x\"/>", FALSE, CRect(99, 99, 99, 99), "neither: unchanged" },
    };
    for (const auto& row : rows)
    {
        CRect rc(99, 99, 99, 99);
        std::unique_ptr<CXmlElement> pElement(XmlParseDocument(row.pszXml, FALSE));
        EXPECT_EQ(row.bRead, CWindowSkin::ParseRect(pElement.get(), rc)) << row.pszWhy;
        EXPECT_EQ(row.rc, rc) << row.pszWhy;
    }

    auto pSkin = ParseWithImage(L"<minimumSize width=\"0x20\" height=\"010\"/><resizeBorder rect=\"1,2,3,4\"/>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(CSize(32, 8), pSkin->m_szMinimum);
    EXPECT_EQ(CRect(1, 2, 3, 4), pSkin->m_rcResizeBorder) << "the four widths as written";
}

TEST_F(WindowSkinParse, ColoursAreSixHexDigitsRedFirstAndColourIsReadAfterColor)
{
    auto pSkin = ParseWithImage(L"<caption color=\"ffffff\" colour=\"00ff00\" inactiveColor=\"fff\""
                                L" outlineColour=\"010203\" shadowColor=\"040506\" shadowColour=\"nope\"/>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(RGB(0, 255, 0), pSkin->m_crCaption) << "the Colour spelling is read last";
    EXPECT_EQ(RGB(128, 128, 128), pSkin->m_crCaptionInactive) << "a three-digit colour is rejected";
    EXPECT_EQ(RGB(1, 2, 3), pSkin->m_crOutline);
    EXPECT_EQ(RGB(4, 5, 6), pSkin->m_crShadow) << "an unreadable second spelling keeps the first";
}

TEST_F(WindowSkinParse, CaptionFontsInPointsOrPixels)
{
    HDC hScreen = ::GetDC(NULL);
    const int nNinePoints = -::MulDiv(90, ::GetDeviceCaps(hScreen, LOGPIXELSY), 720);
    ::ReleaseDC(NULL, hScreen);
    struct { LPCWSTR pszAttributes; int nHeight, nWeight; } rows[] = {
        { L"fontSize=\"90pt\" fontWeight=\"bold\"", nNinePoints, 700 },
        { L"fontSize=\"13\" fontWeight=\"NORMAL\"", -13, 400 },
        { L"fontSize=\"0x10\" fontWeight=\"heavy\"", -16, 700 }, // an unreadable weight is bold
        { L"fontSize=\"big\"", -13, 700 },
        // At most 72 pixels tall, whatever the file asks for.
        { L"fontSize=\"72\"", -72, 700 },
        { L"fontSize=\"32767\"", -72, 700 },
        { L"fontSize=\"2147483647\"", -72, 700 },
        { L"fontSize=\"-32767\"", 72, 700 },
        { L"fontSize=\"32767pt\"", -72, 700 },
    };
    LOGFONTW lf;
    for (const auto& row : rows)
    {
        auto pSkin = ParseWithImage(CString(L"<caption rect=\"8,6,200,20\" fontFace=\"Arial\" ") + row.pszAttributes + L"/>");
        ASSERT_TRUE(pSkin && pSkin->m_fontCaption.GetLogFont(&lf)) << row.pszAttributes;
        EXPECT_EQ(row.nHeight, lf.lfHeight) << row.pszAttributes;
        EXPECT_EQ(row.nWeight, lf.lfWeight) << row.pszAttributes;
        EXPECT_STREQ(L"Arial", lf.lfFaceName);
        EXPECT_EQ(CRect(8, 6, 208, 26), pSkin->m_rcCaption);
    }

    auto pNoBand = ParseWithImage(L"<caption fontFace=\"Arial\" caps=\"false\"/>");
    ASSERT_TRUE(pNoBand);
    EXPECT_FALSE(pNoBand->m_bCaption) << "a caption without rect or point draws no text";
    EXPECT_TRUE(pNoBand->m_bCaps) << "any caps value, \"false\" too, upper-cases";
}

TEST_F(WindowSkinParse, TheMainImageDecidesWhetherTheSkinIsAccepted)
{
    struct { LPCWSTR pszXml; bool bAccepted; const char* pszWhy; } rows[] = {
        { L"<windowSkin><image path=\"main.bmp\" type=\"WATER\"/><image path=\"main.bmp\" type=\"alpha\"/>"
          L"<image path=\"main.bmp\" type=\"frame\"/></windowSkin>", true, "an unknown type is the main image" },
        { L"<windowSkin><image path=\"main.bmp\" type=\"watermark\"/></windowSkin>", false, "a watermark alone is no skin" },
        { L"<windowSkin><image path=\"main.bmp\" type=\"watermark\"/><image path=\"missing.bmp\"/></windowSkin>", false,
          "a main image that does not load rejects the skin" },
        { L"<windowSkin><image path=\"main.bmp\"/><image path=\"\" type=\"alpha\"/></windowSkin>", false,
          "an empty path stops the definition" },
        { L"<windowSkin/>", false, "no image" },
        { L"<windowSkins><image path=\"main.bmp\"/></windowSkins>", false, "not a window skin" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.bAccepted, Parse(row.pszXml) != nullptr) << row.pszWhy;
    EXPECT_FALSE(CWindowSkin(g_Theme).Parse(NULL, m_folder.Path()));
}
