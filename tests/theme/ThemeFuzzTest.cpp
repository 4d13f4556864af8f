// Deterministic random sections: whatever a skin file holds, the readers neither crash nor
// store anything but a colour or "no colour".
#include "ThemeTestSupport.h"

namespace
{
// A small linear congruential generator, so every run sees the same documents.
class CRandom
{
public:
    explicit CRandom(unsigned nSeed) : m_nState(nSeed) {}
    unsigned Next(unsigned nRange)
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return (m_nState >> 16) % nRange;
    }

private:
    unsigned m_nState;
};

CString RandomText(CRandom& random, LPCWSTR pszAlphabet, int nMaxLength)
{
    int nAlphabet = (int)wcslen(pszAlphabet);
    CString str;
    for (int n = (int)random.Next(nMaxLength + 1); n > 0; n--)
        str += pszAlphabet[random.Next(nAlphabet)];
    return str;
}
}

TEST(ThemeFuzz, RandomColourSchemesStoreOnlyColours)
{
    static LPCWSTR s_pszNames[] = { L"system.base.window", L"SYSTEM.BASE.HIGHLIGHT", L"system.back.normal",
                                    L"system.text", L"tooltip.back", L"menu.back", L"Menu.Hover", L"msg.border",
                                    L"dialog.back", L"system.", L".base.", L"unknown" };
    CRandom random(20240601);
    for (int nRound = 0; nRound < 40; nRound++)
    {
        ResetTheme();
        CString strXml = L"<colourScheme>";
        for (int n = 0; n < 20; n++)
        {
            strXml += random.Next(5) ? L"<colour name='" : L"<other name='";
            strXml += s_pszNames[random.Next(_countof(s_pszNames))];
            strXml += L"' value='";
            strXml += RandomText(random, L"0123456789abcdefABCDEFxyz -+", 8);
            strXml += L"'/>";
        }
        strXml += L"</colourScheme>";
        XmlDocument pSection = ParseSection(strXml);
        ASSERT_TRUE(pSection != nullptr) << (LPCWSTR)strXml;
        COLORREF crDialog = 0;
        EXPECT_TRUE(g_Theme.LoadColourScheme(pSection.get(), crDialog));
        for (COLORREF cr : { crDialog, g_Theme.m_crWindow, g_Theme.m_crHighlight, g_Theme.m_crBackNormal,
                             g_Theme.m_crCmdText, g_Theme.m_crTipBack, g_Theme.m_crMenuBack, g_Theme.m_crMenuHover,
                             g_Theme.m_crMsgBorder })
            EXPECT_TRUE(cr <= 0xFFFFFF || cr == 0xFFFFFFFF) << std::hex << cr;
    }
}

TEST(ThemeFuzz, RandomImageElementsNeverFailTheSection)
{
    ResetTheme();
    KorvoTest::CTempFolder folder;
    folder.WriteFile(L"s.bmp", MakeBmpFile(64, 16, [](int x, int) { return RGB(x * 4, 0, 0); }));
    CRandom random(77);
    for (int nRound = 0; nRound < 20; nRound++)
    {
        CString strXml = L"<commandImages><bitmap path='s.bmp' types='";
        strXml += RandomText(random, L"1648,x", 3);
        strXml += L"'>";
        for (int n = 0; n < 10; n++)
        {
            strXml += L"<image index='";
            strXml += RandomText(random, L"0123x-", 3);
            strXml += L"' id='";
            strXml += RandomText(random, L"0123456789", 4);
            strXml += L"' id1='";
            strXml += RandomText(random, L"09a", 2);
            strXml += L"'/>";
        }
        strXml += L"</bitmap><icon path='s.bmp' id='5' types='";
        strXml += RandomText(random, L"1632,", 6);
        strXml += L"'/></commandImages>";
        XmlDocument pSection = ParseSection(strXml);
        ASSERT_TRUE(pSection != nullptr);
        EXPECT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));
    }
    CPixelCanvas canvas(16, 16);
    for (UINT nID = 0; nID < 10000; nID += 7)
        g_Theme.Draw(CDC::FromHandle(canvas.Dc()), g_Theme.GetImageIndex(nID, SIZE_CODE_16), 0, 0, ILD_NORMAL,
                     SIZE_CODE_16);
}
