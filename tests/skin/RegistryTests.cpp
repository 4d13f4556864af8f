#include "SkinFolder.h"
#include <skin/CSkinRegistry.h>

using KorvoTest::CSkinFolder;
#include <KorvoSkin/SkinApi.h>
#include <theme/CInterfaceTheme.h>
#include <gtest/gtest.h>
#include "api/Globals.h"

TEST(Registry, FilesLoadBaseThenSecondThenFirstAndLaterOnesOverride)
{
    CSkinFolder folder;
    folder.WriteBase(R"(<strings><string id="1" value="base"/><string id="2" value="base"/><string id="3" value="base"/></strings>)");
    folder.WriteSkin(L"second.xml", R"(<strings><string id="2" value="second"/><string id="3" value="second"/></strings>)");
    folder.WriteSkin(L"lang\\first.xml", R"(<strings><string id="3" value="first"/></strings>)");
    EXPECT_TRUE(LoadSkin(L"lang\\first.xml", L"second.xml"));
    EXPECT_EQ(CString(L"base"), GetSkinString(1));
    EXPECT_EQ(CString(L"second"), GetSkinString(2));
    EXPECT_EQ(CString(L"first"), GetSkinString(3));

    EXPECT_TRUE(LoadSkin(L"", L""));
    EXPECT_EQ(CString(L"base"), GetSkinString(3)) << "the base definition is read even with no names";
    EXPECT_TRUE(LoadSkin(L"missing.xml", L"also-missing.xml"));
    EXPECT_EQ(CString(L"base"), GetSkinString(2)) << "a missing file contributes nothing and costs nothing";
    EXPECT_EQ(CString(), GetSkinString(99));
}

// A launcher hands the library definition files from anywhere: absolute names are taken as they
// are, with their images beside them; relative ones stay under the application's folder.
TEST(Registry, AbsoluteDefinitionNamesAreReadWhereTheyAre)
{
    CSkinFolder folder;
    folder.WriteBase(R"(<strings><string id="1" value="base"/></strings>)");
    KorvoTest::CTempFolder elsewhere;
    const CString strSkin = elsewhere.WriteFile(L"Away\\away.xml",
        "<skin><strings><string id=\"2\" value=\"away\"/></strings></skin>");
    ASSERT_EQ(L':', strSkin[1]);
    EXPECT_TRUE(LoadSkin(strSkin, L""));
    EXPECT_EQ(CString(L"base"), GetSkinString(1));
    EXPECT_EQ(CString(L"away"), GetSkinString(2));

    CString strSlashes = strSkin;
    strSlashes.Replace(L'\\', L'/');
    EXPECT_TRUE(LoadSkin(L"", strSlashes));
    EXPECT_EQ(CString(L"away"), GetSkinString(2)) << "a drive path with forward slashes is absolute too";

    EXPECT_EQ(CString(L"C:\\app\\Skins\\a.xml"), CSkinRegistry::DefinitionPath(L"C:\\app\\", L"Skins\\a.xml"));
    EXPECT_EQ(CString(L"\\\\server\\share\\a.xml"), CSkinRegistry::DefinitionPath(L"C:\\app\\", L"\\\\server\\share\\a.xml"));
    EXPECT_EQ(CString(L"C:\\app\\1:x.xml"), CSkinRegistry::DefinitionPath(L"C:\\app\\", L"1:x.xml"));
}

TEST(Registry, NamesResolveOnlyAfterTheirResourceMap)
{
    CSkinFolder folder;
    folder.WriteBase(R"(
        <strings><string id="IDS_EARLY" value="too early"/></strings>
        <resourceMap>
            <command id="IDS_EARLY" code="7"/>
            <control id="IDS_LATE" code="8"/>
            <resource id="IDS_LATE" code="9"/>
            <other id="IDS_OTHER" code="x"/>
        </resourceMap>
        <strings><string id="IDS_LATE" value="after the map"/><string id="IDS_UNKNOWN" value="dropped"/></strings>)");
    LoadSkin(L"", L"");
    EXPECT_EQ(CString(), GetSkinString(7));
    EXPECT_EQ(CString(L"after the map"), GetSkinString(9)) << "a later entry with the same name wins";
    EXPECT_EQ(CString(), GetSkinString(8));
    EXPECT_EQ(9u, g_Theme.NameToID(L"IDS_LATE"));
    EXPECT_EQ(0u, g_Theme.NameToID(L"ids_late")) << "names are exact";
    EXPECT_EQ(42u, g_Theme.NameToID(L"42abc"));
}

TEST(Registry, StringsAndTips)
{
    CSkinFolder folder;
    folder.WriteBase(R"(<Strings>
        <STRING ID="5" VALUE="upper case names"/>
        <string id="7" value="a\nb\\nc"/>
        <tip id="10" message="Open" tip="Open file"/>
        <tip id="11" message="Alone" tip=""/>
        <tip id="12" message="No\nreplace"/>
        <string id="0" value="zero is no id"/>
        <string id="13"/>
    </Strings>)");
    LoadSkin(L"", L"");
    EXPECT_EQ(CString(L"upper case names"), GetSkinString(5));
    EXPECT_EQ(CString(L"a\nb\\\nc"), GetSkinString(7));
    EXPECT_EQ(CString(L"Open\nOpen file"), GetSkinString(10));
    EXPECT_EQ(CString(L"Alone"), GetSkinString(11));
    EXPECT_EQ(CString(L"No\\nreplace"), GetSkinString(12));
    EXPECT_EQ(CString(), GetSkinString(0));
    CString strOut(L"stale");
    EXPECT_TRUE(g_Registry.GetString(13, strOut));
    EXPECT_EQ(CString(), strOut);
    EXPECT_FALSE(g_Registry.GetString(14, strOut));
}

// A resource-map entry without a code, or a menu without a name, ends the reading of its file.
TEST(Registry, ABadEntryStopsOnlyTheRestOfItsFile)
{
    CSkinFolder folder;
    folder.WriteBase(R"(<strings><string id="1" value="before"/></strings>
        <resourceMap><command id="A" code="3"/><command id="B"/><command id="C" code="4"/></resourceMap>
        <strings><string id="2" value="after"/></strings>)");
    folder.WriteSkin(L"first.xml", R"(<strings><string id="5" value="next file"/></strings>
        <menus><menu name="M"><item id="1" text="a"/></menu><menu><item id="2" text="b"/></menu></menus>
        <strings><string id="6" value="never read"/></strings>)");
    LoadSkin(L"first.xml", L"");
    EXPECT_EQ(CString(L"before"), GetSkinString(1));
    EXPECT_EQ(CString(), GetSkinString(2));
    EXPECT_EQ(3u, g_Theme.NameToID(L"A"));
    EXPECT_EQ(0u, g_Theme.NameToID(L"C"));
    EXPECT_EQ(CString(L"next file"), GetSkinString(5));
    EXPECT_NE(nullptr, GetSkinMenu(L"M"));
    EXPECT_EQ(CString(), GetSkinString(6));

    folder.WriteBase(R"(<resourceMap><command id="D" code="0x10"/></resourceMap>)");
    LoadSkin(L"", L"");
    EXPECT_EQ(0u, g_Theme.NameToID(L"D")) << "codes are decimal; the map was emptied by the load";
}

TEST(Registry, WatermarksLoadReplaceAndNeverKeepADeletedHandle)
{
    CSkinFolder folder;
    folder.WriteBitmap(L"Definitions\\red.bmp", 4, 3, RGB(255, 0, 0));
    folder.WriteBitmap(L"blue.bmp", 5, 2, RGB(0, 0, 255));
    folder.WriteBase(R"(<watermarks>
        <watermark target="Main" path="red.bmp"/>
        <watermark target="Gone" path="red.bmp"/>
        <watermark target="" path="red.bmp"/>
        <watermark target="NoPath"/>
    </watermarks>)");
    folder.WriteSkin(L"first.xml", R"(<watermarks>
        <watermark target="Main" path="blue.bmp"/>
        <watermark target="Gone" path="missing.bmp"/>
    </watermarks>)");
    LoadSkin(L"", L"");
    HBITMAP hRed = GetSkinWatermark(L"Main");
    ASSERT_NE(nullptr, hRed);
    BITMAP bm = {};
    ASSERT_TRUE(::GetObjectW(hRed, sizeof(bm), &bm));
    EXPECT_EQ(4, bm.bmWidth) << "image paths are relative to their definition file";
    EXPECT_EQ(nullptr, GetSkinWatermark(L"main"));
    EXPECT_EQ(nullptr, GetSkinWatermark(L"NoPath"));
    EXPECT_EQ(nullptr, GetSkinWatermark(NULL));

    LoadSkin(L"first.xml", L"");
    HBITMAP hBlue = GetSkinWatermark(L"Main");
    ASSERT_NE(nullptr, hBlue);
    ASSERT_TRUE(::GetObjectW(hBlue, sizeof(bm), &bm));
    EXPECT_EQ(5, bm.bmWidth);
    EXPECT_EQ(nullptr, GetSkinWatermark(L"Gone")) << "a failed replacement leaves no handle behind";
}

TEST(Registry, MenusAreBuiltInDocumentOrderAndFoundByExactName)
{
    CSkinFolder folder;
    folder.WriteBase(R"(<resourceMap><command id="ID_FILE_OPEN" code="57601"/></resourceMap>
        <menus>
            <menu name="File">
                <item id="ID_FILE_OPEN" text="_Open" shortcut="Ctrl+O"/>
                <separator/>
                <item id="300" text="Save_As_Copy"/>
                <item id="0" text="skipped"/>
                <item id="UNMAPPED" text="skipped too"/>
                <menu text="_More"><item id="301" text="Deep"/></menu>
            </menu>
            <menu name="X"><item id="1" text="old"/></menu>
            <menu name="X"><item id="2" text="new"/></menu>
        </menus>)");
    LoadSkin(L"", L"");
    CMenu* pMenu = GetSkinMenu(L"File");
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(nullptr, GetSkinMenu(L"file"));
    ASSERT_EQ(4u, pMenu->GetMenuItemCount());
    CString strText;
    pMenu->GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_EQ(CString(L"&Open\tCtrl+O"), strText);
    EXPECT_EQ(57601u, pMenu->GetMenuItemID(0));
    EXPECT_TRUE(pMenu->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
    pMenu->GetMenuString(2, strText, MF_BYPOSITION);
    EXPECT_EQ(CString(L"Save&As_Copy"), strText);
    ASSERT_NE(nullptr, pMenu->GetSubMenu(3));
    EXPECT_EQ(301u, pMenu->GetSubMenu(3)->GetMenuItemID(0));
    ASSERT_NE(nullptr, GetSkinMenu(L"X"));
    EXPECT_EQ(2u, GetSkinMenu(L"X")->GetMenuItemID(0));
    EXPECT_EQ(0u, TrackSkinPopupMenu(L"Unknown", CPoint(0, 0), 0, TPM_RETURNCMD, NULL));
}

TEST(Registry, RootAndSectionRules)
{
    CSkinFolder folder;
    folder.WriteFile(L"Definitions\\Definitions.xml", std::string("<notskin><strings><string id=\"1\" value=\"x\"/></strings></notskin>"));
    folder.WriteFile(L"empty.xml", std::string("<skin></skin>"));
    folder.WriteFile(L"broken.xml", std::string("<skin><strings></skin>"));
    folder.WriteSkin(L"ok.xml", R"(<manifest type="language" name="Test"/><unknown/><STRINGS><String Id="2" Value="ok"/></STRINGS>)");
    EXPECT_FALSE(g_Registry.LoadDefinitionFile(folder.Path() + L"Definitions\\Definitions.xml"));
    EXPECT_FALSE(g_Registry.LoadDefinitionFile(folder.Path() + L"empty.xml"));
    EXPECT_FALSE(g_Registry.LoadDefinitionFile(folder.Path() + L"broken.xml"));
    EXPECT_FALSE(g_Registry.LoadDefinitionFile(folder.Path() + L"nowhere.xml"));
    EXPECT_TRUE(g_Registry.LoadDefinitionFile(folder.Path() + L"ok.xml"));
    EXPECT_FALSE(g_Registry.LoadDefinition(NULL, CString()));
    LoadSkin(L"ok.xml", L"broken.xml");
    EXPECT_EQ(CString(), GetSkinString(1));
    EXPECT_EQ(CString(L"ok"), GetSkinString(2));
}

TEST(Registry, AnEmptySkinGivesSystemDialogColourAndTheDefaultCheckMark)
{
    CSkinFolder folder;
    LoadSkin(L"", L"");
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), GetDialogBkColor());
    EXPECT_NE(::GetSysColorBrush(COLOR_BTNFACE), g_Theme.DialogBackBrush()) << "the load's own brush";
    LOGBRUSH lb = {};
    ::GetObjectW(g_Theme.DialogBackBrush(), sizeof(lb), &lb);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), lb.lbColor);
    HICON hTick = g_Theme.GetIcon(100, SIZE_CODE_16);
    EXPECT_NE(nullptr, hTick) << "command 100 carries the library's check mark";
    if (hTick)
        ::DestroyIcon(hTick);
}

TEST(Registry, TheCheckMarkIsTheSameAfterEveryLoad)
{
    CSkinFolder folder;
    auto Pixels = [] {
        std::vector<COLORREF> pixels;
        KorvoTest::CPixelCanvas canvas(16, 16, RGB(255, 0, 255));
        HICON hTick = g_Theme.GetIcon(100, SIZE_CODE_16);
        if (!hTick)
            return pixels;
        ::DrawIconEx(canvas.Dc(), 0, 0, hTick, 16, 16, 0, NULL, DI_NORMAL);
        ::DestroyIcon(hTick);
        for (int n = 0; n < 256; n++)
            pixels.push_back(canvas.Pixel(n % 16, n / 16));
        return pixels;
    };
    LoadSkin(L"", L"");
    std::vector<COLORREF> first = Pixels();
    ASSERT_EQ(256u, first.size());
    for (int nLoad = 0; nLoad < 3; nLoad++)
    {
        LoadSkin(L"", L"");
        EXPECT_EQ(first, Pixels()) << "load " << nLoad;
    }
}

TEST(Registry, DefinitionPathsWithoutABackslashUseTheEmptyFolder)
{
    CSkinFolder folder;
    folder.WriteBitmap(L"mark.bmp", 2, 2, RGB(1, 2, 3));
    folder.WriteSkin(L"plain.xml", R"(<watermarks><watermark target="W" path="mark.bmp"/></watermarks>)");
    wchar_t szOld[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, szOld);
    ::SetCurrentDirectoryW(folder.Path());
    g_strAppFolder = L"";
    LoadSkin(L"plain.xml", L"");
    ::SetCurrentDirectoryW(szOld);
    EXPECT_NE(nullptr, GetSkinWatermark(L"W")) << "the definition and its image are found relative to the current folder";
}

namespace
{
class CNoWindowSkins : public CWindowSkinReader
{
public:
    std::unique_ptr<CWindowSkinBase> Read(CXmlElement*, const CString&, CSkinDiagnostics*) const override
    {
        return nullptr;
    }
};
}

// A registry of its own fills the theme it is given and leaves the library's alone, so that two
// can live side by side.
TEST(Registry, APrivateRegistryFillsItsOwnThemeAndNotTheLibrarys)
{
    CSkinFolder folder;
    auto Definition = [](const char* pszColour, const char* pszText) {
        return std::string(R"(<resourceMap><command id="ID_NAMED" code="4321"/></resourceMap>
            <colourScheme><colour name="menu.back" value=")") + pszColour + R"("/>
            <colour name="dialog.back" value=")" + pszColour + R"("/></colourScheme>
            <strings><string id="ID_NAMED" value=")" + pszText + R"("/></strings><manifest type="skin" name="Any"/>)";
    };
    folder.WriteBase(Definition("AAAAAA", "library"));
    ASSERT_TRUE(LoadSkin(L"", L""));
    folder.WriteBase(Definition("123456", "private"));
    CInterfaceTheme theme;
    CNoWindowSkins reader;
    {
        CSkinRegistry registry(theme, reader, ::GetModuleHandleW(NULL));
        registry.Load(folder.Path(), L"", L"");
        EXPECT_EQ(RGB(0x12, 0x34, 0x56), theme.Colour(SkinColour::MenuBack));
        EXPECT_EQ(RGB(0x12, 0x34, 0x56), theme.DialogBackColour());
        CString strText;
        EXPECT_TRUE(registry.GetString(4321, strText));
        EXPECT_EQ(CString(L"private"), strText);
    }
    EXPECT_EQ(RGB(0xAA, 0xAA, 0xAA), g_Theme.Colour(SkinColour::MenuBack));
    EXPECT_EQ(RGB(0xAA, 0xAA, 0xAA), GetDialogBkColor());
    EXPECT_EQ(CString(L"library"), GetSkinString(4321));
    LoadSkin(L"", L"");
}
