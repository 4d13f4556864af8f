// What one load may create is bounded, whatever the files hold: entries past a bound are
// ignored, and the process's objects stay far from the platform's quota.
#include "SkinFolder.h"
#include <skin/CSkinRegistry.h>

using KorvoTest::CSkinFolder;
#include <KorvoSkin/SkinApi.h>
#include <theme/CInterfaceTheme.h>
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include <string>
#include "api/Globals.h"

namespace
{
std::string Repeat(int nCount, const std::function<std::string(int)>& entry)
{
    std::string str;
    for (int n = 0; n < nCount; n++)
        str += entry(n);
    return str;
}
}

TEST(RegistryLimits, TwentyThousandWatermarksCreateNoMoreBitmapsThanTheBound)
{
    CSkinFolder folder;
    folder.WriteBitmap(L"Definitions\\mark.bmp", 2, 2, RGB(9, 8, 7));
    LoadSkin(L"", L"");
    // The platform's count of GDI objects, where it keeps one (Wine's answers 0), and the
    // highest fresh handle, which grows with the objects alive either way.
    const DWORD dwBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const int nHighBefore = KorvoTest::FreshHandleHighs().nGdi;
    folder.WriteBase("<watermarks>" + Repeat(20000, [](int n) {
        return "<watermark target=\"W" + std::to_string(n) + "\" path=\"mark.bmp\"/>";
    }) + "</watermarks>");
    LoadSkin(L"", L"");
    const DWORD dwLoaded = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const int nHighLoaded = KorvoTest::FreshHandleHighs().nGdi;
    int nFound = 0;
    for (int n = 0; n < 20000; n++)
        nFound += GetSkinWatermark(CString(std::to_wstring(n).insert(0, L"W").c_str())) ? 1 : 0;
    g_Registry.Clear();
    EXPECT_EQ(SKIN_MAX_WATERMARKS, nFound) << "the first entries up to the bound are kept";
    EXPECT_LT(nHighLoaded - nHighBefore, SKIN_MAX_WATERMARKS + 100);
    EXPECT_LT(dwLoaded, (DWORD)SKIN_MAX_WATERMARKS + 500);
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), dwBefore);
}

TEST(RegistryLimits, EntriesPastABoundAreIgnoredAndTheCountIsPerLoad)
{
    CSkinFolder folder;
    folder.WriteBitmap(L"mark.bmp", 2, 2, RGB(9, 8, 7));
    const int nStrings = SKIN_MAX_STRINGS + 10;
    const int nNames = SKIN_MAX_RESOURCE_NAMES + 10;
    folder.WriteBase("<resourceMap>" + Repeat(nNames, [](int n) {
        return "<command id=\"N" + std::to_string(n) + "\" code=\"" + std::to_string(n + 1) + "\"/>";
    }) + "</resourceMap><strings>" + Repeat(nStrings, [](int n) {
        return "<string id=\"" + std::to_string(n + 1) + "\" value=\"s\"/>";
    }) + "</strings>");
    // The same name again and again costs an entry each time, so the language file's entries
    // come after a bound already reached.
    folder.WriteSkin(L"again.xml", "<watermarks>" + Repeat(SKIN_MAX_WATERMARKS, [](int) {
        return std::string("<watermark target=\"Again\" path=\"missing.bmp\"/>");
    }) + "<watermark target=\"Late\" path=\"mark.bmp\"/></watermarks>");

    LoadSkin(L"again.xml", L"");
    EXPECT_EQ((UINT)SKIN_MAX_RESOURCE_NAMES, g_Theme.NameToID(CString(("N" + std::to_string(SKIN_MAX_RESOURCE_NAMES - 1)).c_str())));
    EXPECT_EQ(0u, g_Theme.NameToID(CString(("N" + std::to_string(SKIN_MAX_RESOURCE_NAMES)).c_str())));
    EXPECT_EQ(CString(L"s"), GetSkinString(SKIN_MAX_STRINGS));
    EXPECT_EQ(CString(), GetSkinString(SKIN_MAX_STRINGS + 1));
    EXPECT_EQ(nullptr, GetSkinWatermark(L"Late"));

    // A new load counts afresh.
    folder.WriteSkin(L"late.xml", R"(<watermarks><watermark target="Late" path="mark.bmp"/></watermarks>)");
    LoadSkin(L"late.xml", L"");
    EXPECT_NE(nullptr, GetSkinWatermark(L"Late"));
    EXPECT_EQ(CString(L"s"), GetSkinString(SKIN_MAX_STRINGS));
}

// A value made of escapes, of the length a large file may hold, becomes line feeds exactly as
// searching from the start after each replacement would make them.
TEST(RegistryLimits, LongValuesOfEscapesBecomeLineFeeds)
{
    CSkinFolder folder;
    std::string strValue;
    for (int n = 0; n < 100000; n++)
        strValue += n % 3 ? "\\n" : "\\\\n";
    folder.WriteBase("<strings><string id=\"1\" value=\"" + strValue + "\"/><string id=\"2\" value=\"\\\"/>"
                     "<string id=\"3\" value=\"n\\nn\\\"/></strings>");
    LoadSkin(L"", L"");
    CString strExpected;
    for (int n = 0; n < 100000; n++)
        strExpected += n % 3 ? L"\n" : L"\\\n";
    EXPECT_TRUE(strExpected == GetSkinString(1));
    EXPECT_EQ(CString(L"\\"), GetSkinString(2));
    EXPECT_EQ(CString(L"n\nn\\"), GetSkinString(3));
}
