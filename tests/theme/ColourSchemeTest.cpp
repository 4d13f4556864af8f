// The colour scheme: blending, the derivation rule, key spelling, values, and the colours that
// survive a reload.
#include "ThemeTestSupport.h"
#include "theme/ColourContrast.h"
#include <sstream>
#include "api/Globals.h"

namespace
{
const SkinColour DIALOG = SkinColour::DialogBack;

// Read while the test program starts, before any test touches the theme.
const COLORREF s_crPlainAtStart[] = { g_Theme.Colour(SkinColour::MsgBorder), g_Theme.Colour(SkinColour::MsgBack), g_Theme.Colour(SkinColour::CardBack) };
const COLORREF s_crMenuAtStart[] = { g_Theme.Colour(SkinColour::MenuBorder), g_Theme.Colour(SkinColour::MenuBack), g_Theme.Colour(SkinColour::MenuHover) };

// <colour> elements from "name=value;name=value".
std::wstring Colours(const std::wstring& strList)
{
    std::wstring strXml, strEntry;
    for (std::wistringstream list(strList); std::getline(list, strEntry, L';');)
    {
        size_t nEquals = strEntry.find(L'=');
        strXml += L"<colour name='" + strEntry.substr(0, nEquals) + L"' value='" + strEntry.substr(nEquals + 1)
                  + L"'/>";
    }
    return strXml;
}

// Reads the elements as one section over a dialog colour of 0x123456.
void LoadScheme(const std::wstring& strElements)
{
    ResetTheme();
    g_Theme.SetColour(SkinColour::DialogBack, 0x123456);
    XmlDocument pSection(XmlParseDocument((L"<colourScheme>" + strElements + L"</colourScheme>").c_str(), FALSE));
    EXPECT_TRUE(pSection != nullptr);
    g_Theme.LoadColourScheme(pSection.get());
}

// Per-channel mix written out independently of the library.
COLORREF Mix(COLORREF a, COLORREF b, int w)
{
    return RGB(GetRValue(a) * (255 - w) / 255 + GetRValue(b) * w / 255,
               GetGValue(a) * (255 - w) / 255 + GetGValue(b) * w / 255,
               GetBValue(a) * (255 - w) / 255 + GetBValue(b) * w / 255);
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

TEST(ColourScheme, EntriesGiveExactColoursByTheDerivationRule)
{
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crInfo = ::GetSysColor(COLOR_INFOBK);
    const COLORREF crResetSel = Mix(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 178);
    const struct { std::wstring strElements; std::vector<std::pair<SkinColour, COLORREF>> expected; } cases[] = {
        // Base keys alone derive everything after the last entry; the midtone stays the system's.
        { Colours(L"system.base.window=FFFFFF;system.base.highlight=000000"),
          { { SkinColour::Window, 0xFFFFFF }, { SkinColour::Highlight, 0 }, { SkinColour::Midtone, crFace }, { SkinColour::Border, 0 },
            { SkinColour::BackSel, 0xB2B2B2 }, { SkinColour::BackCheck, 0xC8C8C8 }, { SkinColour::BackCheckSel, 0x7F7F7F },
            { SkinColour::BackNormal, Mix(crFace, 0xFFFFFF, 215) }, { SkinColour::Margin, Mix(crFace, 0xFFFFFF, 39) },
            { SkinColour::SysShadow, Mix(0, ::GetSysColor(COLOR_BTNSHADOW), 200) } } },
        // The first other system key derives from the base colours as they stand then and is
        // stored after it; a later base key changes only its own member, later keys override.
        { Colours(L"system.base.window=FFFFFF;system.base.highlight=000000;system.border=123456;"
                  L"system.base.highlight=FF0000;system.back.selected=00FF00"),
          { { SkinColour::Highlight, 0x0000FF }, { SkinColour::Border, 0x563412 }, { SkinColour::BackCheck, 0xC8C8C8 },
            { SkinColour::BackSel, 0x00FF00 } } },
        // The derivation overwrites tooltip keys given before it; without a valid system key none runs.
        { Colours(L"tooltip.back=ABCDEF;tooltip.border=040506;system.base.window=FFFFFF;system.text=010203;"
                  L"tooltip.text=070809"),
          { { SkinColour::TipBack, crInfo }, { SkinColour::TipBorder, Mix(crInfo, 0, 100) }, { SkinColour::CmdText, 0x030201 },
            { SkinColour::Disabled, ::GetSysColor(COLOR_GRAYTEXT) }, { SkinColour::TipText, 0x090807 } } },
        { Colours(L"tooltip.back=ABCDEF;system.back.normal=XYZXYZ;system.border="),
          { { SkinColour::TipBack, 0xEFCDAB }, { SkinColour::Border, NO_COLOUR } } },
        // Names and attributes in any case, <color> as well as <colour>; other elements and
        // unknown or missing names count for nothing.
        { L"<Colour NAME='SYSTEM.BACK.NORMAL' Value='112233'/><COLOR name='menu.Back' value='445566'/>"
          L"<colours name='system.back.selected' value='778899'/><colour name='menu.unknown' value='778899'/>"
          L"<colour value='778899'/>",
          { { SkinColour::BackNormal, 0x332211 }, { SkinColour::MenuBack, 0x665544 }, { SkinColour::BackSel, crResetSel } } },
        // Six hexadecimal digits, red first, in either case; an empty value is "no colour";
        // "dialog.back" is the registry's dialog colour.
        { Colours(L"msg.border=00FF00;msg.back=;card.back=abcdef;dialog.back=FF0000"),
          { { SkinColour::MsgBorder, 0x00FF00 }, { SkinColour::MsgBack, NO_COLOUR }, { SkinColour::CardBack, 0xEFCDAB },
            { DIALOG, 0x0000FF } } },
        // Short, long, signed or non-hexadecimal values leave the colour; a missing value is empty.
        { Colours(L"msg.border=00FF00;msg.border=0F0;msg.back=102030;msg.back=1234567;card.back=abcdef;"
                  L"card.back=12G456;dialog.back=-10000;menu.border=405060;menu.border= 12345;menu.hover=405060")
              + L"<colour name='menu.hover'/>",
          { { SkinColour::MsgBorder, 0x00FF00 }, { SkinColour::MsgBack, 0x302010 }, { SkinColour::CardBack, 0xEFCDAB },
            { DIALOG, 0x123456 }, { SkinColour::MenuBorder, 0x605040 }, { SkinColour::MenuHover, NO_COLOUR } } },
        // The colours no system key derives keep their values through the next load.
        { Colours(L"menu.back=0A0A0A"),
          { { SkinColour::MsgBorder, 0x00FF00 }, { SkinColour::MsgBack, 0x302010 }, { SkinColour::CardBack, 0xEFCDAB },
            { SkinColour::MenuBorder, 0x605040 }, { SkinColour::MenuBack, 0x0A0A0A }, { SkinColour::MenuHover, NO_COLOUR } } },
    };
    for (COLORREF cr : s_crPlainAtStart)
        EXPECT_EQ(0x000000u, cr) << "those colours start black";
    // Menus start as the system's, their text readable on them, until a skin colours them.
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), s_crMenuAtStart[0]);
    EXPECT_EQ(::GetSysColor(COLOR_MENU), s_crMenuAtStart[1]);
    EXPECT_GE(ContrastRatio(::GetSysColor(COLOR_MENUTEXT), s_crMenuAtStart[1]), 4.5);
    EXPECT_GE(ContrastRatio(::GetSysColor(COLOR_MENUTEXT), s_crMenuAtStart[2]), 4.5);
    for (const auto& test : cases)
    {
        LoadScheme(test.strElements);
        for (const auto& expected : test.expected)
            EXPECT_EQ(expected.second, g_Theme.Colour(expected.first))
                << testing::PrintToString(test.strElements);
    }
    g_Theme.SetColour(SkinColour::DialogBack, 0x42);
    g_Theme.LoadColourScheme(NULL);
    EXPECT_EQ(0x42u, g_Theme.Colour(SkinColour::DialogBack));
}

TEST(ColourScheme, TextKeysOverrideTheirDefaultsWhereverTheyStandAndNeverOutliveTheirLoad)
{
    // Before the derivation, which would overwrite "system.text" given there.
    LoadScheme(Colours(L"menu.text=102030;control.text=405060;system.base.window=FFFFFF;system.back.normal=EEEEEE"));
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), g_Theme.GetMenuTextColour(FALSE, FALSE));
    EXPECT_EQ(g_Theme.Colour(SkinColour::CmdTextSel), g_Theme.GetMenuTextColour(TRUE, FALSE)) << "unset: system.text.selected";
    EXPECT_EQ(g_Theme.Colour(SkinColour::Disabled), g_Theme.GetMenuTextColour(TRUE, TRUE)) << "unset: system.disabled";
    EXPECT_EQ(RGB(0x40, 0x50, 0x60), g_Theme.Colour(SkinColour::ControlText));
    EXPECT_EQ(NO_COLOUR, g_Theme.Colour(SkinColour::DialogText));

    LoadScheme(Colours(L"MENU.TEXT.SELECTED=A0B0C0;menu.text.disabled=708090;dialog.text=0A0B0C"));
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), g_Theme.GetMenuTextColour(FALSE, FALSE)) << "the last load's is gone";
    EXPECT_EQ(RGB(0xA0, 0xB0, 0xC0), g_Theme.GetMenuTextColour(TRUE, FALSE));
    EXPECT_EQ(RGB(0x70, 0x80, 0x90), g_Theme.GetMenuTextColour(FALSE, TRUE));
    EXPECT_EQ(RGB(0x0A, 0x0B, 0x0C), g_Theme.Colour(SkinColour::DialogText));
    EXPECT_EQ(NO_COLOUR, g_Theme.Colour(SkinColour::ControlText));
    EXPECT_FALSE(g_Theme.TransparentLabels());
    ResetTheme();
}

TEST(ColourScheme, ControlKeysGiveEachPartItsColoursWithTheirFallbacksAndNeverOutliveTheirLoad)
{
    // Every key of a part set: the part takes exactly them.
    LoadScheme(Colours(L"edit.text=010101;edit.back=020202;edit.readonly.text=030303;edit.readonly.back=040404;"
                       L"edit.disabled.text=050505;edit.disabled.back=060606;combo.text=070707;combo.back=080808;"
                       L"combo.list.text=090909;combo.list.back=0A0A0A;touch.text=0B0B0B;touch.back=0C0C0C;"
                       L"tree.text=0D0D0D;tree.back=0E0E0E;tree.selection.text=0F0F0F;tree.selection.back=101010;"
                       L"tree.selection.inactive.text=111111;tree.selection.inactive.back=121212;groupbox.text=131313;"
                       L"scrollbar.back=141414;control.text.disabled=151515;list.text=161616;list.back=171717"));
    const struct
    {
        ControlPart part;
        COLORREF crText, crBack;
    } parts[] = {
        { ControlPart::Edit, 0x010101, 0x020202 },          { ControlPart::EditReadOnly, 0x030303, 0x040404 },
        { ControlPart::EditDisabled, 0x050505, 0x060606 },  { ControlPart::Combo, 0x070707, 0x080808 },
        { ControlPart::ComboDisabled, 0x151515, 0x080808 }, { ControlPart::ComboList, 0x090909, 0x0A0A0A },
        { ControlPart::List, 0x161616, 0x171717 },          { ControlPart::Touch, 0x0B0B0B, 0x0C0C0C },
        { ControlPart::Tree, 0x0D0D0D, 0x0E0E0E },          { ControlPart::TreeSelection, 0x0F0F0F, 0x101010 },
        { ControlPart::TreeSelectionInactive, 0x111111, 0x121212 },
        { ControlPart::GroupBox, 0x131313, NO_COLOUR },     { ControlPart::ScrollBar, NO_COLOUR, 0x141414 },
    };
    for (const auto& expected : parts)
    {
        CONTROL_COLOURS colours = g_Theme.ControlColours(expected.part);
        EXPECT_EQ(expected.crText, colours.crText) << "part " << (int)expected.part;
        EXPECT_EQ(expected.crBack, colours.crBack) << "part " << (int)expected.part;
    }
    EXPECT_EQ(RGB(0x15, 0x15, 0x15), g_Theme.DisabledTextColour());

    // Fallbacks: the combo's list to the list boxes', the tree to the controls', the inactive
    // selection to the active one, read-only edits and group boxes to the dialog's text, disabled
    // text to a blend of the controls' text into the dialog background.
    LoadScheme(Colours(L"control.text=405060;control.back=102030;dialog.text=0A0B0C;list.text=111111;list.back=222222;"
                       L"tree.selection.text=333333;tree.selection.back=444444"));
    auto Pair = [](ControlPart part) {
        CONTROL_COLOURS colours = g_Theme.ControlColours(part);
        return std::make_pair(colours.crText, colours.crBack);
    };
    EXPECT_EQ(std::make_pair(RGB(0x11, 0x11, 0x11), RGB(0x22, 0x22, 0x22)), Pair(ControlPart::ComboList));
    EXPECT_EQ(std::make_pair(RGB(0x40, 0x50, 0x60), RGB(0x10, 0x20, 0x30)), Pair(ControlPart::Tree));
    EXPECT_EQ(std::make_pair(RGB(0x33, 0x33, 0x33), RGB(0x44, 0x44, 0x44)), Pair(ControlPart::TreeSelectionInactive));
    EXPECT_EQ(std::make_pair(RGB(0x0A, 0x0B, 0x0C), NO_COLOUR), Pair(ControlPart::EditReadOnly));
    EXPECT_EQ(std::make_pair(RGB(0x0A, 0x0B, 0x0C), NO_COLOUR), Pair(ControlPart::GroupBox));
    const COLORREF crBlend = Mix(RGB(0x40, 0x50, 0x60), 0x123456, 128);
    EXPECT_EQ(crBlend, g_Theme.DisabledTextColour());
    EXPECT_EQ(std::make_pair(crBlend, NO_COLOUR), Pair(ControlPart::EditDisabled));
    EXPECT_EQ(std::make_pair(NO_COLOUR, NO_COLOUR), Pair(ControlPart::Edit)) << "a key set alone changes only its own";

    // The next load names none: every part keeps the system's look.
    LoadScheme(Colours(L"system.base.window=FFFFFF"));
    for (int n = 0; n <= (int)ControlPart::ScrollBar; n++)
        EXPECT_FALSE(g_Theme.ControlColours((ControlPart)n).IsSet()) << "part " << n;
    EXPECT_EQ(NO_COLOUR, g_Theme.DisabledTextColour());
    ResetTheme();
}

TEST(ColourScheme, ControlBrushesAreOnePerColourUntilTheLoadIsCleared)
{
    ResetTheme();
    EXPECT_EQ(NULL, g_Theme.SolidBrush(NO_COLOUR));
    HBRUSH hBrush = g_Theme.SolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(hBrush);
    EXPECT_EQ(hBrush, g_Theme.SolidBrush(RGB(1, 2, 3)));
    LOGBRUSH brush = {};
    ASSERT_TRUE(::GetObjectW(hBrush, sizeof(brush), &brush));
    EXPECT_EQ(RGB(1, 2, 3), brush.lbColor);
    // A full cache makes no more brushes and keeps those it has.
    for (size_t n = 1; n < CSolidBrushCache::MAX_BRUSHES; n++)
        EXPECT_TRUE(g_Theme.SolidBrush(RGB(0, 0, (int)n + 10))) << n;
    EXPECT_EQ(NULL, g_Theme.SolidBrush(RGB(200, 200, 200)));
    EXPECT_EQ(hBrush, g_Theme.SolidBrush(RGB(1, 2, 3)));
    // Clearing the load empties the cache for the next one.
    ResetTheme();
    EXPECT_TRUE(g_Theme.SolidBrush(RGB(200, 200, 200)));
    ResetTheme();
}
