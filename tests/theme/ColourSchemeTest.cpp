// The colour scheme: blending, the derivation rule, key spelling, values, and the colours that
// survive a reload.
#include "ThemeTestSupport.h"

namespace
{
// Read while the test program starts, before any test touches the theme.
const COLORREF s_crPlainAtLoad[] = { g_Theme.m_crMsgBorder, g_Theme.m_crMsgBack, g_Theme.m_crCardBack,
                                     g_Theme.m_crMenuBorder, g_Theme.m_crMenuBack, g_Theme.m_crMenuHover };

// Applies one section to a freshly reset theme; returns the dialog background it produced.
COLORREF LoadScheme(LPCWSTR pszSection, BOOL bReset = TRUE)
{
    if (bReset)
        ResetTheme();
    XmlDocument pSection = ParseSection(pszSection);
    EXPECT_TRUE(pSection != nullptr);
    COLORREF crDialogBack = 0x123456;
    EXPECT_TRUE(g_Theme.LoadColourScheme(pSection.get(), crDialogBack));
    return crDialogBack;
}

// Per-channel mix written out independently of the library.
COLORREF Mix(COLORREF a, COLORREF b, int w)
{
    int r = GetRValue(a) * (255 - w) / 255 + GetRValue(b) * w / 255;
    int g = GetGValue(a) * (255 - w) / 255 + GetGValue(b) * w / 255;
    int bl = GetBValue(a) * (255 - w) / 255 + GetBValue(b) * w / 255;
    return RGB(r, g, bl);
}
}

TEST(ColourScheme, BlendTruncatesEachTermAndKeepsTheHighByteClear)
{
    EXPECT_EQ(0x9B9B9Bu, BlendColour(0xFFFFFF, 0x000000, 100));
    EXPECT_EQ(0x123456u, BlendColour(0x123456, 0xABCDEF, 0));
    EXPECT_EQ(0xABCDEFu, BlendColour(0x123456, 0xABCDEF, 255));
    // 1 x 254/255 and 1 x 1/255 both truncate to 0.
    EXPECT_EQ(0x000000u, BlendColour(0x010101, 0x010101, 1));
    // Bits 24-31 of the inputs never reach the result.
    EXPECT_EQ(0x808080u, BlendColour(0xFF000000, 0xFFFFFFFF, 128));
}

TEST(ColourScheme, ResetTakesSystemColoursAndDerivesTheRest)
{
    ResetTheme();
    COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(crWindow, g_Theme.m_crWindow);
    EXPECT_EQ(crFace, g_Theme.m_crMidtone);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), g_Theme.m_crText);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT), g_Theme.m_crHiText);
    EXPECT_EQ(crHighlight, g_Theme.m_crHiBorder);
    EXPECT_EQ(Mix(crFace, crWindow, 215), g_Theme.m_crBackNormal);
    EXPECT_EQ(Mix(crHighlight, crWindow, 178), g_Theme.m_crBackSel);
    EXPECT_EQ(Mix(crHighlight, crWindow, 200), g_Theme.m_crBackCheck);
    EXPECT_EQ(Mix(crHighlight, crWindow, 127), g_Theme.m_crBackCheckSel);
    EXPECT_EQ(Mix(crFace, crWindow, 39), g_Theme.m_crMargin);
    EXPECT_EQ(Mix(crHighlight, ::GetSysColor(COLOR_BTNSHADOW), 200), g_Theme.m_crSysShadow);
    EXPECT_EQ(crHighlight, g_Theme.m_crBorder);
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), g_Theme.m_crCmdText);
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), g_Theme.m_crCmdTextSel);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), g_Theme.m_crDisabled);
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), g_Theme.m_crTipBack);
    EXPECT_EQ(::GetSysColor(COLOR_INFOTEXT), g_Theme.m_crTipText);
    EXPECT_EQ(Mix(::GetSysColor(COLOR_INFOBK), 0, 100), g_Theme.m_crTipBorder);
    EXPECT_EQ(0x404040u, g_Theme.m_crTipWarnings);

    LOGFONTW font;
    ASSERT_TRUE(g_Theme.m_fntNormal.GetLogFont(&font));
    EXPECT_STREQ(L"Tahoma", font.lfFaceName);
    EXPECT_EQ(-11, font.lfHeight);
    EXPECT_EQ(400, font.lfWeight);
    EXPECT_EQ(ANTIALIASED_QUALITY, font.lfQuality);
    EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
    ASSERT_TRUE(g_Theme.m_fntBold.GetLogFont(&font));
    EXPECT_EQ(700, font.lfWeight);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
}

TEST(ColourScheme, BaseColoursAloneDeriveEverythingAfterTheLastEntry)
{
    LoadScheme(L"<colourScheme>"
               L"<colour name='system.base.window' value='FFFFFF'/>"
               L"<colour name='system.base.highlight' value='000000'/>"
               L"</colourScheme>");
    EXPECT_EQ(0xFFFFFFu, g_Theme.m_crWindow);
    EXPECT_EQ(0x000000u, g_Theme.m_crHighlight);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), g_Theme.m_crMidtone) << "midtone stays what the reset gave";
    EXPECT_EQ(0xB2B2B2u, g_Theme.m_crBackSel);
    EXPECT_EQ(0xC8C8C8u, g_Theme.m_crBackCheck);
    EXPECT_EQ(0x7F7F7Fu, g_Theme.m_crBackCheckSel);
    EXPECT_EQ(0x000000u, g_Theme.m_crBorder);
    EXPECT_EQ(Mix(::GetSysColor(COLOR_BTNFACE), 0xFFFFFF, 215), g_Theme.m_crBackNormal);
    EXPECT_EQ(Mix(::GetSysColor(COLOR_BTNFACE), 0xFFFFFF, 39), g_Theme.m_crMargin);
    EXPECT_EQ(Mix(0, ::GetSysColor(COLOR_BTNSHADOW), 200), g_Theme.m_crSysShadow);
}

TEST(ColourScheme, FirstDerivedKeyDerivesFromTheBaseColoursAsTheyStandThen)
{
    LoadScheme(L"<colourScheme>"
               L"<colour name='system.base.window' value='FFFFFF'/>"
               L"<colour name='system.base.highlight' value='000000'/>"
               L"<colour name='system.border' value='123456'/>"
               L"<colour name='system.base.highlight' value='FF0000'/>"
               L"<colour name='system.back.selected' value='00FF00'/>"
               L"</colourScheme>");
    EXPECT_EQ(0x0000FFu, g_Theme.m_crHighlight) << "a later base key changes its own member";
    EXPECT_EQ(0x563412u, g_Theme.m_crBorder) << "the key that triggered the derivation is stored after it";
    EXPECT_EQ(0xC8C8C8u, g_Theme.m_crBackCheck) << "derived once, from the black highlight";
    EXPECT_EQ(0x00FF00u, g_Theme.m_crBackSel) << "later keys override derived values";
}

TEST(ColourScheme, DerivationOverwritesTooltipKeysGivenBeforeIt)
{
    LoadScheme(L"<colourScheme>"
               L"<colour name='tooltip.back' value='ABCDEF'/>"
               L"<colour name='tooltip.border' value='040506'/>"
               L"<colour name='system.base.window' value='FFFFFF'/>"
               L"<colour name='system.text' value='010203'/>"
               L"<colour name='tooltip.text' value='070809'/>"
               L"</colourScheme>");
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), g_Theme.m_crTipBack);
    EXPECT_EQ(Mix(::GetSysColor(COLOR_INFOBK), 0, 100), g_Theme.m_crTipBorder);
    EXPECT_EQ(RGB(0x01, 0x02, 0x03), g_Theme.m_crCmdText) << "the key that triggered the derivation";
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), g_Theme.m_crDisabled);
    EXPECT_EQ(RGB(0x07, 0x08, 0x09), g_Theme.m_crTipText) << "given after the derivation";
    EXPECT_EQ(Mix(::GetSysColor(COLOR_BTNFACE), 0xFFFFFF, 215), g_Theme.m_crBackNormal);

    // Without any system key no derivation runs, so tooltip keys stay.
    LoadScheme(L"<colourScheme><colour name='tooltip.back' value='ABCDEF'/></colourScheme>");
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), g_Theme.m_crTipBack);
}

TEST(ColourScheme, KeysIgnoreCaseAndBothSpellingsOfTheElementCount)
{
    LoadScheme(L"<colorScheme>"
               L"<Colour NAME='SYSTEM.BACK.NORMAL' Value='112233'/>"
               L"<COLOR name='menu.Back' value='445566'/>"
               L"<colours name='menu.hover' value='778899'/>"
               L"<colour name='menu.unknown' value='778899'/>"
               L"<colour value='778899'/>"
               L"</colorScheme>");
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), g_Theme.m_crBackNormal);
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), g_Theme.m_crMenuBack);
    EXPECT_NE(RGB(0x77, 0x88, 0x99), g_Theme.m_crMenuHover) << "an element named colours does not count";
}

TEST(ColourScheme, ValuesAreSixHexDigitsRedFirstOrEmpty)
{
    COLORREF crDialog = LoadScheme(L"<colourScheme>"
                                   L"<colour name='msg.border' value='00FF00'/>"
                                   L"<colour name='msg.back' value=''/>"
                                   L"<colour name='card.back' value='abcdef'/>"
                                   L"<colour name='dialog.back' value='FF0000'/>"
                                   L"</colourScheme>");
    EXPECT_EQ(0x0000FF00u, g_Theme.m_crMsgBorder);
    EXPECT_EQ(0xFFFFFFFFu, g_Theme.m_crMsgBack);
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), g_Theme.m_crCardBack) << "lower-case digits";
    EXPECT_EQ(0x000000FFu, crDialog) << "dialog.back goes to the registry's colour";

    crDialog = LoadScheme(L"<colourScheme>"
                          L"<colour name='msg.border' value='0F0'/>"
                          L"<colour name='msg.back' value='1234567'/>"
                          L"<colour name='card.back' value='12G456'/>"
                          L"<colour name='dialog.back' value='-10000'/>"
                          L"<colour name='menu.border' value=' 12345'/>"
                          L"<colour name='menu.hover'/>"
                          L"</colourScheme>");
    EXPECT_EQ(0x0000FF00u, g_Theme.m_crMsgBorder) << "a short value leaves the colour";
    EXPECT_EQ(0xFFFFFFFFu, g_Theme.m_crMsgBack) << "a long value leaves the colour";
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), g_Theme.m_crCardBack) << "non-hexadecimal pairs are ignored";
    EXPECT_EQ(0x123456u, crDialog) << "a signed pair is not a colour";
    EXPECT_EQ(0xFFFFFFFFu, g_Theme.m_crMenuHover) << "a missing value reads as empty";
}

TEST(ColourScheme, InvalidValuesTriggerNoDerivation)
{
    ResetTheme();
    g_Theme.m_crWindow = 0xFFFFFF;
    g_Theme.m_crHighlight = 0x000000;
    LoadScheme(L"<colourScheme>"
               L"<colour name='system.back.normal' value='XYZXYZ'/>"
               L"<colour name='system.border' value=''/>"
               L"</colourScheme>",
               FALSE);
    EXPECT_EQ(0xFFFFFFFFu, g_Theme.m_crBorder);
    EXPECT_EQ(Mix(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 178), g_Theme.m_crBackSel)
        << "nothing was derived from the changed base colours";
}

TEST(ColourScheme, PlainColoursStartBlackAndSurviveReloads)
{
    for (COLORREF cr : s_crPlainAtLoad)
        EXPECT_EQ(0x000000u, cr);

    LoadScheme(L"<colourScheme>"
               L"<colour name='msg.border' value='010101'/>"
               L"<colour name='msg.back' value='020202'/>"
               L"<colour name='card.back' value='030303'/>"
               L"<colour name='menu.border' value='040404'/>"
               L"<colour name='menu.back' value='050505'/>"
               L"<colour name='menu.hover' value='060606'/>"
               L"</colourScheme>");
    LoadScheme(L"<colourScheme><colour name='menu.back' value='0A0A0A'/></colourScheme>");
    EXPECT_EQ(0x010101u, g_Theme.m_crMsgBorder);
    EXPECT_EQ(0x020202u, g_Theme.m_crMsgBack);
    EXPECT_EQ(0x030303u, g_Theme.m_crCardBack);
    EXPECT_EQ(0x040404u, g_Theme.m_crMenuBorder);
    EXPECT_EQ(0x0A0A0Au, g_Theme.m_crMenuBack);
    EXPECT_EQ(0x060606u, g_Theme.m_crMenuHover);
}

TEST(ColourScheme, NameMapResolvesExactNamesElseLeadingDecimals)
{
    ResetTheme();
    g_Theme.SetNameID(L"ID_FILE_OPEN", 57601);
    g_Theme.SetNameID(L"ID_FILE_OPEN", 57602);
    EXPECT_EQ(57602u, g_Theme.NameToID(L"ID_FILE_OPEN"));
    EXPECT_EQ(0u, g_Theme.NameToID(L"id_file_open"));
    EXPECT_EQ(42u, g_Theme.NameToID(L"42abc"));
    EXPECT_EQ(0u, g_Theme.NameToID(L""));
    EXPECT_EQ(0u, g_Theme.NameToID(NULL));
    g_Theme.Clear();
    EXPECT_EQ(0u, g_Theme.NameToID(L"ID_FILE_OPEN")) << "every load starts with an empty map";
    EXPECT_EQ(509u, g_Theme.m_mapNameToID.GetHashTableSize());
}

TEST(ColourScheme, SectionsWithoutColoursChangeNothing)
{
    ResetTheme();
    COLORREF crBefore = g_Theme.m_crBackSel;
    COLORREF crDialog = 0x42;
    EXPECT_TRUE(g_Theme.LoadColourScheme(NULL, crDialog));
    XmlDocument pEmpty = ParseSection(L"<colourScheme><other name='menu.back' value='FFFFFF'/></colourScheme>");
    EXPECT_TRUE(g_Theme.LoadColourScheme(pEmpty.get(), crDialog));
    EXPECT_EQ(crBefore, g_Theme.m_crBackSel);
    EXPECT_EQ(0x42u, crDialog);
}
