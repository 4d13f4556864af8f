// Mutated skin definitions through the whole loading path: no crash, no hang, and the registry
// still answers afterwards.
#include "SkinFolder.h"
#include <skin/CSkinRegistry.h>

using KorvoTest::CSkinFolder;
#include <KorvoSkin/SkinApi.h>
#include <xml/XML.h>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include "api/Globals.h"

namespace
{
const char* const g_corpus[] = {
    R"(<skin><manifest type="skin" name="Fuzz"/>
<resourceMap><command id="ID_OPEN" code="57601"/><control id="IDC_LIST" code="1001"/></resourceMap>
<strings><string id="ID_OPEN" value="Open\nfile"/><tip id="IDC_LIST" message="List" tip="The list"/></strings>
<menus><menu name="Main" type="bar"><menu text="_File"><item id="ID_OPEN" text="_Open" shortcut="Ctrl+O"/><separator/></menu></menu></menus>
<watermarks><watermark target="Back" path="back.bmp"/></watermarks>
<colourScheme><colour name="window" value="FFFFFF"/><color name="dialog.back" value="E0E8F0"/><colour name="menu.hover" value="xyzxyz"/></colourScheme>
<commandImages><icon id="ID_OPEN" path="open.ico" types="16,32"/><bitmap id="ID_OPEN" path="strip.bmp" mask="00FF00"/></commandImages>
<toolbars><toolbar name="Main" types="24"><button id="ID_OPEN" text="Open"/><separator/></toolbar></toolbars>
<windowSkins><windowSkin><target window="Main"/><image path="frame.bmp"/><parts><part name="Top" rect="0,0,10,10"/></parts></windowSkin></windowSkins>
</skin>)",
    R"(<SKIN><Strings><STRING ID="5" VALUE="x &amp; y &#65; &lt;tag&gt;"/></Strings><resourceMap><command id="A"/></resourceMap><strings><string id="6" value="never"/></strings></SKIN>)",
    R"(<skin><menus><menu name="Deep"><menu text="a"><menu text="b"><menu text="c"><item id="9" text="d"/></menu></menu></menu></menu><menu/></menus></skin>)",
    // Nested past the depth a menu keeps, so mutations land on both sides of it.
    R"(<skin><menus><menu name="Nest"><menu text="1"><menu text="2"><menu text="3"><menu text="4"><menu text="5"><menu text="6"><menu text="7"><menu text="8"><menu text="9"><menu text="10"><menu text="11"><menu text="12"><menu text="13"><menu text="14"><menu text="15"><menu text="16"><menu text="17"><item id="9" text="d"/></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu></menu><separator/></menu></menus></skin>)",
};

std::string Mutate(std::string str, std::mt19937& rng)
{
    int nEdits = 1 + rng() % 4;
    for (int n = 0; n < nEdits && !str.empty(); n++)
    {
        size_t nAt = rng() % str.size();
        switch (rng() % 5)
        {
        case 0: str[nAt] = (char)(rng() % 256); break;
        case 1: str.erase(nAt, 1 + rng() % 16); break;
        case 2: str.insert(nAt, str.substr(rng() % str.size(), 1 + rng() % 40)); break;
        case 3: str.resize(nAt); break;
        default: str.insert(nAt, 1, "<>/=\"'&#;_ "[rng() % 11]); break;
        }
    }
    return str;
}
}

TEST(RegistryFuzz, MutatedDefinitionsNeverBreakTheRegistry)
{
    CSkinFolder folder;
    std::mt19937 rng(20261206);
    const int nInputs = 20000;
    int nParsed = 0;
    for (int n = 0; n < nInputs; n++)
    {
        std::string strDoc = Mutate(g_corpus[n % _countof(g_corpus)], rng);
        std::unique_ptr<CXmlElement> pRoot(XmlLoadFromBytes((const BYTE*)strDoc.data(), (UINT)strDoc.size(), FALSE));
        if (!pRoot)
            continue;
        nParsed++;
        g_Registry.LoadDefinition(pRoot.get(), folder.Path());
        if (n % 500 == 0)
            g_Registry.Clear();
    }
    EXPECT_GT(nParsed, nInputs / 40) << "the mutations should leave many documents readable";
    // Whatever was read, no menu is deeper than the limit.
    for (POSITION pos = g_Registry.m_mapMenus.GetStartPosition(); pos;)
    {
        CString strName;
        CMenu* pMenu = NULL;
        g_Registry.m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        int nDepth = 0;
        for (HMENU hMenu = pMenu->m_hMenu; hMenu; hMenu = ::GetSubMenu(hMenu, 0))
            nDepth++;
        EXPECT_LE(nDepth, +CSkinRegistry::MAX_MENU_DEPTH);
    }
    LoadSkin(L"", L"");
    EXPECT_EQ(CString(), GetSkinString(5));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), GetDialogBkColor());
}
