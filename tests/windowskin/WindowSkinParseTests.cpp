#include "SkinTestSupport.h"
#include <skin/CSkinRegistry.h>
#include <gtest/gtest.h>

using namespace SkinTest;

namespace
{
// A folder with a small valid bitmap "main.bmp" for definitions that need only some image.
class CImageFolder : public KorvoTest::CTempFolder
{
public:
    CImageFolder()
    {
        std::vector<BYTE> file = MakeBitmapFile(8, 8, [](int, int, void*) { return RGB(1, 2, 3); }, NULL);
        WriteFile(L"main.bmp", file.data(), file.size());
        WriteFile(L"water.bmp", file.data(), file.size());
    }
};

std::unique_ptr<CWindowSkin> ParseWithImage(const CImageFolder& folder, LPCWSTR pszChildren)
{
    CString strXml = CString(L"<windowSkin><image path=\"main.bmp\"/>") + pszChildren + L"</windowSkin>";
    return ParseSkin(strXml, folder.Path());
}

std::unique_ptr<CXmlElement> Element(LPCWSTR pszXml)
{
    return std::unique_ptr<CXmlElement>(XmlParseDocument(pszXml, FALSE));
}
}

TEST(WindowSkinParse, DefaultsBeforeAnyDefinition)
{
    CWindowSkin skin;
    int nFrame = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(CRect(nFrame, nFrame, nFrame, nFrame), skin.m_rcResizeBorder);
    EXPECT_EQ(CRect(-1, 0, -1, -1), skin.m_rcMaximiseCrop);
    EXPECT_EQ(RGB(255, 255, 255), skin.m_crCaption);
    EXPECT_EQ(RGB(128, 128, 128), skin.m_crCaptionInactive);
    EXPECT_EQ(0xFFFFFFFFu, skin.m_crShadow);
    EXPECT_EQ(0xFFFFFFFFu, skin.m_crOutline);
    EXPECT_EQ(0, skin.m_nCaptionAlign);
    for (int n = 0; n < WINDOWSKIN_PART_COUNT; n++)
        EXPECT_EQ(0, skin.m_pPartPresent[n]);
    for (int n = 0; n < WINDOWSKIN_ANCHOR_COUNT; n++)
        EXPECT_EQ(0, skin.m_pAnchorPresent[n]);
    EXPECT_EQ(CRect(0, 0, 0, 0), skin.GetFrameThickness());
}

TEST(WindowSkinParse, PartsByNameWithModesAndNeverEmpty)
{
    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<parts>"
                                        L"<part name=\"top\" rect=\"10,0,1,30\" mode=\"STRETCH\"/>"
                                        L"<part name=\"Left\" rect=\"0,40,0,0\"/>"
                                        L"<part name=\"Right\" rect=\"1,2,3,4\" mode=\"tile\"/>"
                                        L"<part name=\"Bottom\" rect=\"5,6,7,8\" mode=\"sideways\"/>"
                                        L"<part name=\"CloseDown\" rect=\"0,0,9,9\"/>"
                                        L"<part name=\"closedown\" rect=\"1,1,5,5\"/>"
                                        L"<part name=\"Ornament\" rect=\"3,3,3,3\"/>"
                                        L"<part name=\"\" rect=\"0,0,4,4\"/>"
                                        L"<part name=\"TopLeft\"/>"
                                        L"<notAPart name=\"TopRight\" rect=\"0,0,4,4\"/>"
                                        L"</parts>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(1, pSkin->m_pPartPresent[CWindowSkin::PART_TOP]);
    EXPECT_EQ(CRect(10, 0, 11, 30), pSkin->m_pPartRects[CWindowSkin::PART_TOP]);
    EXPECT_EQ(1, pSkin->m_pPartMode[CWindowSkin::PART_TOP]);
    EXPECT_EQ(CRect(0, 40, 1, 41), pSkin->m_pPartRects[CWindowSkin::PART_LEFT]) << "zero sizes widen to one pixel";
    EXPECT_EQ(0, pSkin->m_pPartMode[CWindowSkin::PART_RIGHT]);
    EXPECT_EQ(0, pSkin->m_pPartMode[CWindowSkin::PART_BOTTOM]) << "unknown modes tile";
    EXPECT_EQ(CRect(1, 1, 6, 6), pSkin->m_pPartRects[CWindowSkin::PART_CLOSE_DOWN]) << "the later definition wins";
    EXPECT_EQ(0, pSkin->m_pPartPresent[CWindowSkin::PART_TOPLEFT]) << "no rectangle, no part";
    EXPECT_EQ(0, pSkin->m_pPartPresent[CWindowSkin::PART_TOPRIGHT]);

    CRect rcOrnament;
    EXPECT_TRUE(pSkin->m_mapParts.Lookup(L"Ornament", rcOrnament));
    EXPECT_EQ(CRect(3, 3, 6, 6), rcOrnament);
    EXPECT_EQ(1, pSkin->m_mapParts.GetCount()) << "a part without a name is skipped";
}

TEST(WindowSkinParse, AnchorsKeepNegativeCoordinatesAndPointsAreEmpty)
{
    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<anchors>"
                                        L"<anchor name=\"Close\" rect=\"-30,6,20,18\"/>"
                                        L"<anchor name=\"icon\" point=\"4,5\"/>"
                                        L"<anchor name=\"Help\" rect=\"1,2,3,4\"/>"
                                        L"<anchor name=\"System\"/>"
                                        L"</anchors>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(1, pSkin->m_pAnchorPresent[CWindowSkin::ANCHOR_CLOSE]);
    EXPECT_EQ(CRect(-30, 6, -10, 24), pSkin->m_pAnchorRects[CWindowSkin::ANCHOR_CLOSE]);
    EXPECT_EQ(1, pSkin->m_pAnchorPresent[CWindowSkin::ANCHOR_ICON]);
    EXPECT_EQ(CRect(4, 5, 0, 0), pSkin->m_pAnchorRects[CWindowSkin::ANCHOR_ICON]);
    EXPECT_EQ(0, pSkin->m_pAnchorPresent[CWindowSkin::ANCHOR_SYSTEM]);
    CRect rcHelp;
    EXPECT_TRUE(pSkin->m_mapAnchors.Lookup(L"Help", rcHelp));

    // Placed against a window at (100, 50)-(500, 350): counted from the right edge.
    EXPECT_EQ(CRect(470, 56, 490, 74), pSkin->GetAnchorRect(CRect(100, 50, 500, 350), CWindowSkin::ANCHOR_CLOSE));
    pSkin->m_pAnchorRects[CWindowSkin::ANCHOR_MINIMISE] = CRect(8, -20, 24, -4);
    EXPECT_EQ(CRect(108, 330, 124, 346), pSkin->GetAnchorRect(CRect(100, 50, 500, 350), CWindowSkin::ANCHOR_MINIMISE));
}

TEST(WindowSkinParse, TargetsAreBarredAndMatchedWhole)
{
    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<target window=\"A\"/><target/><TARGET WINDOW=\"B\"/>");
    ASSERT_TRUE(pSkin);
    EXPECT_STREQ(L"|A||B|", pSkin->m_strTargets);

    const WINDOWSKIN_OPERATIONS* pOperations = CWindowSkin::GetOperations();
    EXPECT_TRUE(pOperations->pfnHasTarget(pSkin.get(), L"|B|"));
    EXPECT_FALSE(pOperations->pfnHasTarget(pSkin.get(), L"|b|")) << "targets are case-sensitive";
    EXPECT_FALSE(pOperations->pfnHasTarget(pSkin.get(), L"|C|"));
}

TEST(WindowSkinParse, OperationsCreateOnlyAcceptedSkins)
{
    CImageFolder folder;
    const WINDOWSKIN_OPERATIONS* pOperations = CWindowSkin::GetOperations();
    EXPECT_EQ(nullptr, pOperations->pfnBeforeDelete);

    auto pGood = Element(L"<windowSkin><target window=\"Main\"/><image path=\"main.bmp\"/></windowSkin>");
    CWindowSkin* pSkin = pOperations->pfnParse(pGood.get(), folder.Path());
    ASSERT_NE(nullptr, pSkin);
    EXPECT_TRUE(pOperations->pfnHasTarget(pSkin, L"|Main|"));
    pOperations->pfnDelete(pSkin);

    auto pBad = Element(L"<windowSkin><target window=\"Main\"/></windowSkin>");
    EXPECT_EQ(nullptr, pOperations->pfnParse(pBad.get(), folder.Path()));
    EXPECT_EQ(nullptr, pOperations->pfnParse(NULL, folder.Path()));
}

TEST(WindowSkinParse, NumbersReadLikeScanfIntegers)
{
    CRect rc(99, 99, 99, 99);
    auto pHexOctal = Element(L"<part rect=\"012,0x1A,-0x10,-012\"/>");
    ASSERT_TRUE(CWindowSkin::ParseRect(pHexOctal.get(), rc));
    EXPECT_EQ(CRect(10, 26, -6, 16), rc) << "012 is octal ten, 0x1A hex 26, widths may be negative";

    auto pShort = Element(L"<part rect=\"5,6\"/>");
    rc.SetRect(99, 99, 99, 99);
    ASSERT_TRUE(CWindowSkin::ParseRect(pShort.get(), rc));
    EXPECT_EQ(CRect(5, 6, 5, 6), rc) << "missing numbers read as 0";

    auto pPoint = Element(L"<anchor point=\"-7\"/>");
    rc.SetRect(99, 99, 99, 99);
    ASSERT_TRUE(CWindowSkin::ParseRect(pPoint.get(), rc));
    EXPECT_EQ(CRect(-7, 0, 0, 0), rc);

    auto pRectFirst = Element(L"<anchor rect=\"1,2,3,4\" point=\"9,9\"/>");
    ASSERT_TRUE(CWindowSkin::ParseRect(pRectFirst.get(), rc));
    EXPECT_EQ(CRect(1, 2, 4, 6), rc);

    auto pNeither = Element(L"<anchor rect=\"\" name=\"x\"/>");
    rc.SetRect(1, 1, 1, 1);
    EXPECT_FALSE(CWindowSkin::ParseRect(pNeither.get(), rc));
    EXPECT_EQ(CRect(1, 1, 1, 1), rc);

    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<minimumSize width=\"0x20\" height=\"010\"/>"
                                        L"<resizeBorder rect=\"1,2,3,4\"/><maximiseCrop rect=\"-1,0,-1,-1\"/>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(CSize(32, 8), pSkin->m_szMinimum);
    EXPECT_EQ(CRect(1, 2, 3, 4), pSkin->m_rcResizeBorder) << "kept exactly as written";
    EXPECT_EQ(CRect(-1, 0, -1, -1), pSkin->m_rcMaximiseCrop);

    auto pUnreadable = ParseWithImage(folder, L"<minimumSize width=\"wide\"/><resizeBorder/><maximiseCrop point=\"\"/>");
    ASSERT_TRUE(pUnreadable);
    EXPECT_EQ(CSize(0, 0), pUnreadable->m_szMinimum);
    int nFrame = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(CRect(nFrame, nFrame, nFrame, nFrame), pUnreadable->m_rcResizeBorder) << "no rectangle keeps the default";
    EXPECT_EQ(CRect(-1, 0, -1, -1), pUnreadable->m_rcMaximiseCrop);
}

TEST(WindowSkinParse, ColoursAreSixHexDigitsRedFirst)
{
    COLORREF cr = RGB(1, 2, 3);
    EXPECT_TRUE(CWindowSkin::ParseColour(L"FF8000", cr));
    EXPECT_EQ(RGB(255, 128, 0), cr);
    EXPECT_TRUE(CWindowSkin::ParseColour(L"0a0B0c", cr));
    EXPECT_EQ(RGB(10, 11, 12), cr);
    for (LPCWSTR pszBad : { L"fff", L"", L"FF80001", L"GG0000", L"12 456", L"-12345", L"0x1234" })
    {
        cr = RGB(1, 2, 3);
        EXPECT_FALSE(CWindowSkin::ParseColour(pszBad, cr)) << pszBad;
        EXPECT_EQ(RGB(1, 2, 3), cr) << pszBad;
    }
    EXPECT_FALSE(CWindowSkin::ParseColour(NULL, cr));

    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<caption color=\"ffffff\" colour=\"00ff00\" inactiveColor=\"fff\""
                                        L" outlineColour=\"010203\" shadowColor=\"040506\" shadowColour=\"nope\"/>");
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(RGB(0, 255, 0), pSkin->m_crCaption) << "the Colour spelling wins";
    EXPECT_EQ(RGB(128, 128, 128), pSkin->m_crCaptionInactive) << "a three-digit colour is rejected";
    EXPECT_EQ(RGB(1, 2, 3), pSkin->m_crOutline);
    EXPECT_EQ(RGB(4, 5, 6), pSkin->m_crShadow) << "an unreadable second spelling keeps the first";
}

TEST(WindowSkinParse, CaptionFontsInPixelsOrPoints)
{
    CImageFolder folder;
    LOGFONTW lf;

    auto pPoints = ParseWithImage(folder, L"<caption rect=\"8,6,200,20\" fontFace=\"Arial\" fontSize=\"90pt\" fontWeight=\"bold\"/>");
    ASSERT_TRUE(pPoints);
    EXPECT_TRUE(pPoints->m_bCaption);
    EXPECT_EQ(CRect(8, 6, 208, 26), pPoints->m_rcCaption);
    ASSERT_TRUE(pPoints->m_fontCaption.GetLogFont(&lf));
    HDC hScreen = ::GetDC(NULL);
    int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(-::MulDiv(90, nPixelsPerInch, 720), lf.lfHeight) << "a 9-point font";
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_STREQ(L"Arial", lf.lfFaceName);
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);

    auto pPixels = ParseWithImage(folder, L"<caption rect=\"8,6,200,20\" fontFace=\"Arial\" fontSize=\"13\" fontWeight=\"NORMAL\"/>");
    ASSERT_TRUE(pPixels && pPixels->m_fontCaption.GetLogFont(&lf));
    EXPECT_EQ(-13, lf.lfHeight) << "13-pixel characters";
    EXPECT_EQ(400, lf.lfWeight);

    auto pDefaults = ParseWithImage(folder, L"<caption point=\"8,6\" fontFace=\"A face name longer than thirty-one characters\""
                                            L" fontSize=\"0x10\" fontWeight=\"heavy\"/>");
    ASSERT_TRUE(pDefaults && pDefaults->m_fontCaption.GetLogFont(&lf));
    EXPECT_EQ(-16, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight) << "an unreadable weight is bold";
    EXPECT_EQ(31u, wcslen(lf.lfFaceName));

    auto pUnsized = ParseWithImage(folder, L"<caption rect=\"8,6,200,20\" fontFace=\"Arial\" fontSize=\"big\"/>");
    ASSERT_TRUE(pUnsized && pUnsized->m_fontCaption.GetLogFont(&lf));
    EXPECT_EQ(-13, lf.lfHeight);
}

TEST(WindowSkinParse, CaptionWithoutFaceUsesTheSystemCaptionFont)
{
    CImageFolder folder;
    auto pSkin = ParseWithImage(folder, L"<caption rect=\"8,6,200,20\"/>");
    ASSERT_TRUE(pSkin);
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
    LOGFONTW lf;
    ASSERT_TRUE(pSkin->m_fontCaption.GetLogFont(&lf));
    EXPECT_STREQ(ncm.lfCaptionFont.lfFaceName, lf.lfFaceName);
    EXPECT_EQ(ncm.lfCaptionFont.lfHeight, lf.lfHeight);

    auto pNoBand = ParseWithImage(folder, L"<caption fontFace=\"Arial\"/>");
    ASSERT_TRUE(pNoBand);
    EXPECT_FALSE(pNoBand->m_bCaption) << "a font without rect or point draws no caption";
    EXPECT_TRUE(pNoBand->m_fontCaption.m_hObject);
}

TEST(WindowSkinParse, SecondCaptionReplacesAndReleasesTheFont)
{
    CImageFolder folder;
    auto pFirst = Element(L"<windowSkin><image path=\"main.bmp\"/><caption rect=\"0,0,9,9\" fontFace=\"Arial\" fontSize=\"11\"/></windowSkin>");
    auto pSecond = Element(L"<windowSkin><caption rect=\"0,0,9,9\" fontFace=\"Arial\" fontSize=\"17\" caps=\"false\" align=\"Center\"/>"
                           L"<caption align=\"sideways\" caps=\"false\"/></windowSkin>");
    CWindowSkin skin;
    ASSERT_TRUE(skin.Parse(pFirst.get(), folder.Path()));
    HGDIOBJ hFirstFont = skin.m_fontCaption.m_hObject;
    ASSERT_TRUE(hFirstFont);
    EXPECT_FALSE(skin.m_bCaps);

    EXPECT_TRUE(skin.Parse(pSecond.get(), folder.Path())) << "the main image is still loaded";
    LOGFONTW lf;
    ASSERT_TRUE(skin.m_fontCaption.GetLogFont(&lf));
    EXPECT_EQ(-17, lf.lfHeight);
    EXPECT_EQ(0u, (UINT)::GetObjectType(hFirstFont)) << "the earlier font is deleted, not leaked";
    EXPECT_TRUE(skin.m_bCaps) << "any caps value, \"false\" too, upper-cases";
    EXPECT_EQ(CWindowSkin::ALIGN_CENTER, skin.m_nCaptionAlign) << "an unknown align keeps the previous one";
    EXPECT_FALSE(skin.m_bCaption) << "the last caption had no rectangle";
}

TEST(WindowSkinParse, ImagesFillTheirSlotsAndTheMainImageDecides)
{
    CImageFolder folder;
    auto pAll = ParseSkin(L"<windowSkin><image path=\"water.bmp\" type=\"WATER\"/><image path=\"main.bmp\" type=\"alpha\"/>"
                          L"<image path=\"main.bmp\" type=\"frame\"/><image path=\"main.bmp\"/></windowSkin>", folder.Path());
    ASSERT_TRUE(pAll);
    EXPECT_TRUE(pAll->m_bmpWatermark.m_hObject);
    EXPECT_TRUE(pAll->m_bmpAlpha.m_hObject);
    EXPECT_TRUE(pAll->m_bmpImage.m_hObject);

    EXPECT_FALSE(ParseSkin(L"<windowSkin><image path=\"water.bmp\" type=\"watermark\"/></windowSkin>", folder.Path()))
        << "a watermark alone is no skin";
    EXPECT_FALSE(ParseSkin(L"<windowSkin><image path=\"water.bmp\" type=\"watermark\"/><image path=\"missing.bmp\"/>"
                           L"</windowSkin>", folder.Path()))
        << "a main image that does not load rejects the skin";
    EXPECT_FALSE(ParseSkin(L"<windowSkin><image path=\"main.bmp\"/><image path=\"\" type=\"alpha\"/></windowSkin>", folder.Path()))
        << "an empty path stops the definition";
    EXPECT_FALSE(ParseSkin(L"<windowSkin/>", folder.Path()));
    EXPECT_FALSE(ParseSkin(L"<windowSkins><image path=\"main.bmp\"/></windowSkins>", folder.Path()));
    CWindowSkin skin;
    EXPECT_FALSE(skin.Parse(NULL, folder.Path()));
}

TEST(WindowSkinParse, RegionIsDetachedAndOutlivesTheDocument)
{
    CImageFolder folder;
    auto pRoot = Element(L"<windowSkin><region><shape type=\"rectangle\"/></region><image path=\"main.bmp\"/>"
                         L"<REGION><shape type=\"ellipse\"/><shape type=\"ellipse\"/></REGION></windowSkin>");
    ASSERT_TRUE(pRoot);
    CWindowSkin skin;
    ASSERT_TRUE(skin.Parse(pRoot.get(), folder.Path()));
    ASSERT_NE(nullptr, skin.m_pRegion);
    EXPECT_EQ(nullptr, skin.m_pRegion->m_pParent);
    EXPECT_EQ(2, skin.m_pRegion->m_listChildren.GetCount()) << "the later region replaces the earlier";
    EXPECT_EQ(1, pRoot->m_listChildren.GetCount()) << "only the image stays in the document";
    pRoot.reset();
    EXPECT_TRUE(skin.m_pRegion->m_listChildren.GetHead()->IsNamed(L"shape"));
}

TEST(WindowSkinParse, HostileDefinitionsNeverCrash)
{
    CImageFolder folder;
    // Deterministic junk in every attribute the reader looks at.
    static const LPCWSTR pszValues[] = { L"", L"-", L"0x", L"08", L"2147483647,2147483647,2147483647,2147483647",
                                         L"-2147483648,-1,-2147483648,-1", L",,,", L"1,2,3,4,5,6", L"pt", L"0xFFFFFFFFFF",
                                         L"\x00e9\x4e2d" };
    for (int nValue = 0; nValue < (int)_countof(pszValues); nValue++)
    {
        LPCWSTR pszValue = pszValues[nValue];
        CString strXml;
        strXml.Format(L"<windowSkin><parts><part name=\"Top\" rect=\"%s\" mode=\"%s\"/><part name=\"Left\" point=\"%s\"/></parts>"
                      L"<anchors><anchor name=\"Close\" rect=\"%s\"/></anchors>"
                      L"<caption rect=\"%s\" fontFace=\"x\" fontSize=\"%s\" fontWeight=\"%s\" colour=\"%s\" align=\"%s\"/>"
                      L"<resizeBorder rect=\"%s\"/><minimumSize width=\"%s\" height=\"%s\"/>"
                      L"<image path=\"main.bmp\" type=\"%s\"/><image path=\"main.bmp\"/></windowSkin>",
                      pszValue, pszValue, pszValue, pszValue, pszValue, pszValue, pszValue, pszValue, pszValue,
                      pszValue, pszValue, pszValue, pszValue);
        auto pSkin = ParseSkin(strXml, folder.Path());
        EXPECT_TRUE(pSkin) << "value " << nValue;
    }
}

TEST(WindowSkinParse, TheRegistryKeepsAcceptedSkinsNewestFirst)
{
    CImageFolder folder;
    auto pRoot = Element(L"<skin><windowSkins>"
                         L"<windowSkin><target window=\"Login\"/><target window=\"Main\"/><image path=\"main.bmp\"/></windowSkin>"
                         L"<windowSkin><target window=\"Main\"/><image path=\"main.bmp\"/><region><shape/></region></windowSkin>"
                         L"<windowSkin><target window=\"Main\"/></windowSkin>"
                         L"</windowSkins></skin>");
    ASSERT_TRUE(pRoot);
    EXPECT_TRUE(g_Registry.LoadDefinition(pRoot.get(), folder.Path()));
    pRoot.reset();
    ASSERT_EQ(2, g_Registry.m_listWindowSkins.GetCount()) << "the skin without an image is dropped";
    CWindowSkin* pMain = g_Registry.FindWindowSkin(L"Main");
    ASSERT_NE(nullptr, pMain);
    EXPECT_NE(nullptr, pMain->m_pRegion) << "the later skin wins, its region outliving the document";
    CWindowSkin* pLogin = g_Registry.FindWindowSkin(L"Login");
    ASSERT_NE(nullptr, pLogin);
    EXPECT_NE(pMain, pLogin);
    EXPECT_EQ(nullptr, g_Registry.FindWindowSkin(L"Mai"));
    g_Registry.Clear();
    EXPECT_EQ(0, g_Registry.m_listWindowSkins.GetCount());
}
