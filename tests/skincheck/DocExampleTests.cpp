// The example skin of the format reference as shipped in docs/example: its file is the
// reference's own text, so that the two cannot drift, the checker has nothing to say about it
// with its committed bitmaps, and the library loads all of it.
#include "CSkinCheck.h"
#include "KorvoTest.h"
#include "skin/CSkinRegistry.h"
#include "windowskin/CWindowSkin.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>
#include "api/Globals.h"

using namespace KorvoTest;

namespace
{
std::string WholeFile(const std::wstring& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string ExampleSkin()
{
    std::string strDoc = WholeFile(KORVO_TESTS_DIR L"/../docs/skin-format.md");
    const std::string strOpen = "<!-- example-skin -->\n```xml\n", strClose = "```\n<!-- /example-skin -->";
    size_t nStart = strDoc.find(strOpen), nEnd = strDoc.find(strClose);
    if (nStart == std::string::npos || nEnd == std::string::npos || nEnd < nStart)
        return std::string();
    nStart += strOpen.size();
    return strDoc.substr(nStart, nEnd - nStart);
}

}

TEST(DocExample, ChecksCleanAndLoadsWhole)
{
    std::string strSkin = ExampleSkin();
    ASSERT_FALSE(strSkin.empty());
    const CString strFolder = KORVO_TESTS_DIR L"/../docs/example";
    EXPECT_EQ(strSkin, WholeFile(std::wstring((LPCWSTR)strFolder) + L"/Example.xml"))
        << "docs/example/Example.xml differs from the reference: run tools/make_example_skin.py";

    CSkinCheck check;
    CString strOutput;
    EXPECT_EQ(0, check.Run({ L"--app", strFolder, L"Example.xml" }, strOutput));
    EXPECT_EQ(L"", std::wstring((LPCWSTR)strOutput));

    CString strApp = strFolder + L"\\";
    strApp.Replace(L'/', L'\\');
    g_Registry.Load(strApp, L"Example.xml", L"");
    CWindowSkin* pSkin = static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(L"Main"));
    ASSERT_TRUE(pSkin);
    // Every part the example names is cut from the image, and no other part from a close look.
    for (int nPart : { CWindowSkin::PART_TOPLEFT, CWindowSkin::PART_TOP, CWindowSkin::PART_TOPRIGHT, CWindowSkin::PART_LEFT,
                       CWindowSkin::PART_RIGHT, CWindowSkin::PART_BOTTOMLEFT, CWindowSkin::PART_BOTTOM,
                       CWindowSkin::PART_BOTTOMRIGHT, CWindowSkin::PART_CLOSE, CWindowSkin::PART_CLOSE_HOVER,
                       CWindowSkin::PART_CLOSE_DOWN })
        EXPECT_TRUE(pSkin->m_pPartPresent[nPart]) << nPart;
    for (int nClose = CWindowSkin::PART_CLOSE; nClose <= CWindowSkin::PART_CLOSE_DOWN; nClose++)
        for (int nOther = 0; nOther < WINDOWSKIN_PART_COUNT; nOther++)
        {
            CRect rcCommon;
            EXPECT_TRUE(nOther == nClose || !pSkin->m_pPartPresent[nOther] ||
                        !rcCommon.IntersectRect(&pSkin->m_pPartRects[nClose], &pSkin->m_pPartRects[nOther]))
                << nClose << " and " << nOther;
        }
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
    EXPECT_EQ(RGB(0xF4, 0xF6, 0xFA), g_Theme.DialogBackColour());
    g_Registry.Clear();
}
