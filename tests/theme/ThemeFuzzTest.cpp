// Deterministic random sections: whatever a skin file holds, the readers neither fail nor
// store anything but a colour or "no colour".
#include "ThemeTestSupport.h"
#include <random>
#include "api/Globals.h"

namespace
{
// Up to nMaxLength characters of the alphabet; the standard fixes this generator's sequence.
std::wstring RandomText(std::minstd_rand& random, LPCWSTR pszAlphabet, unsigned nMaxLength)
{
    std::wstring str(random() % (nMaxLength + 1), L' ');
    for (wchar_t& ch : str)
        ch = pszAlphabet[random() % wcslen(pszAlphabet)];
    return str;
}
}

TEST(ThemeFuzz, RandomColourSchemesStoreOnlyColours)
{
    static LPCWSTR s_pszNames[] = { L"system.base.window", L"SYSTEM.BASE.HIGHLIGHT", L"system.back.normal",
                                    L"system.text", L"tooltip.back", L"menu.back", L"Menu.Hover", L"msg.border",
                                    L"dialog.back", L"system.", L".base.", L"unknown" };
    std::minstd_rand random(20240601);
    for (int nRound = 0; nRound < 40; nRound++)
    {
        ResetTheme();
        std::wstring strXml = L"<colourScheme>";
        for (int n = 0; n < 20; n++)
        {
            // One draw a statement, so the documents do not depend on evaluation order.
            strXml += random() % 5 ? L"<colour name='" : L"<other name='";
            strXml += s_pszNames[random() % 12];
            strXml += L"' value='" + RandomText(random, L"0123456789abcdefABCDEFxyz -+", 8) + L"'/>";
        }
        XmlDocument pSection(XmlParseDocument((strXml + L"</colourScheme>").c_str(), FALSE));
        ASSERT_TRUE(pSection != nullptr) << testing::PrintToString(strXml);
        g_Theme.LoadColourScheme(pSection.get());
        const COLORREF crDialog = g_Theme.Colour(SkinColour::DialogBack);
        for (COLORREF cr : { crDialog, g_Theme.Colour(SkinColour::Window), g_Theme.Colour(SkinColour::Highlight), g_Theme.Colour(SkinColour::BackNormal),
                             g_Theme.Colour(SkinColour::CmdText), g_Theme.Colour(SkinColour::TipBack), g_Theme.Colour(SkinColour::MenuBack), g_Theme.Colour(SkinColour::MsgBorder) })
            EXPECT_TRUE(cr <= 0xFFFFFF || cr == 0xFFFFFFFF) << std::hex << cr;
    }
}

TEST(ThemeFuzz, RandomImageElementsNeverFailTheSection)
{
    ResetTheme();
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"s.bmp", 64, 16, [](int x, int, void*) { return RGB(x * 4, 0, 0); });
    std::minstd_rand random(77);
    for (int nRound = 0; nRound < 20; nRound++)
    {
        std::wstring strXml = L"<commandImages><bitmap path='s.bmp' types='" + RandomText(random, L"1648,x", 3) + L"'>";
        for (int n = 0; n < 10; n++)
        {
            strXml += L"<image index='" + RandomText(random, L"0123x-", 3);
            strXml += L"' id='" + RandomText(random, L"0123456789", 4);
            strXml += L"' id1='" + RandomText(random, L"09a", 2) + L"'/>";
        }
        strXml += L"</bitmap><icon path='s.bmp' id='5' types='" + RandomText(random, L"1632,", 6);
        strXml += L"'/></commandImages>";
        XmlDocument pSection(XmlParseDocument(strXml.c_str(), FALSE));
        ASSERT_TRUE(pSection != nullptr);
        EXPECT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));
    }
    // Whatever was mapped draws.
    CPixelCanvas canvas(16, 16);
    for (UINT nID = 0; nID < 10000; nID += 7)
        g_Theme.Draw(CDC::FromHandle(canvas.Dc()), g_Theme.GetImageIndex(nID, SIZE_CODE_16), 0, 0, 0, SIZE_CODE_16);
}
