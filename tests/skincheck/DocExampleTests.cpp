// The example skin of the format reference, read from the reference itself so that the two
// cannot drift: the checker has nothing to say about it and the library loads all of it.
#include "CSkinCheck.h"
#include "KorvoTest.h"
#include "skin/CSkinRegistry.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>

using namespace KorvoTest;

namespace
{
std::string ExampleSkin()
{
    std::ifstream file((KORVO_TESTS_DIR L"/../docs/skin-format.md"), std::ios::binary);
    std::string strDoc((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string strOpen = "<!-- example-skin -->\n```xml\n", strClose = "```\n<!-- /example-skin -->";
    size_t nStart = strDoc.find(strOpen), nEnd = strDoc.find(strClose);
    if (nStart == std::string::npos || nEnd == std::string::npos || nEnd < nStart)
        return std::string();
    nStart += strOpen.size();
    return strDoc.substr(nStart, nEnd - nStart);
}

COLORREF FramePixel(int x, int y, void*)
{
    return RGB(x * 4, y * 5, 128);
}
}

TEST(DocExample, ChecksCleanAndLoadsWhole)
{
    std::string strSkin = ExampleSkin();
    ASSERT_FALSE(strSkin.empty());
    CTempFolder folder;
    folder.WriteFile(L"Example.xml", strSkin);
    std::vector<BYTE> frame = MakeBitmapFile(64, 48, FramePixel, NULL);
    folder.WriteFile(L"Example\\frame.bmp", frame.data(), frame.size());
    std::vector<BYTE> button = MakeBitmapFile(24, 24, FramePixel, NULL);
    folder.WriteFile(L"Example\\open.bmp", button.data(), button.size());

    CSkinCheck check;
    CString strOutput;
    EXPECT_EQ(0, check.Run({ L"--app", folder.Path(), L"Example.xml" }, strOutput));
    EXPECT_EQ(L"", std::wstring((LPCWSTR)strOutput));

    g_Registry.Load(folder.Path(), L"Example.xml", L"");
    EXPECT_TRUE(g_Registry.FindWindowSkin(L"Main"));
    CMenu* pMenu = g_Registry.GetMenu(L"Context");
    ASSERT_TRUE(pMenu);
    EXPECT_EQ(3, ::GetMenuItemCount(pMenu->m_hMenu));
    CString strQuit;
    EXPECT_TRUE(g_Registry.GetString(57665, strQuit));
    EXPECT_EQ(L"Quit", std::wstring((LPCWSTR)strQuit));
    const CSkinToolbarTemplate* pToolbar = g_Registry.GetToolbar(L"Main");
    ASSERT_TRUE(pToolbar);
    EXPECT_EQ(1u, pToolbar->m_buttons.size());
    EXPECT_TRUE(g_Registry.GetWatermark(L"ID_FILE_OPEN.SELECT"));
    EXPECT_EQ(RGB(0xF4, 0xF6, 0xFA), g_Registry.m_crDialogBack);
    g_Registry.Clear();
}
