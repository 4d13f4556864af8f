// The bundled skins keep the skin contract of docs/skin-format.md: beside another host's
// definitions (the first host's, which know nothing of the gallery) each checks clean, frames
// the general window names and the gallery's, and draws its standard commands.
#include "CSkinCheck.h"
#include "KorvoTest.h"
#include "skin/CSkinRegistry.h"
#include "theme/CInterfaceTheme.h"
#include <gtest/gtest.h>
#include "api/Globals.h"

TEST(SkinContract, BundledSkinsFitAHostThatIsNotTheGallery)
{
    CString strHost = KORVO_TESTS_DIR L"/../samples/firsthost/";
    strHost.Replace(L'/', L'\\');
    for (LPCWSTR pszSkin : { L"Aurora", L"Ember", L"Midnight" })
    {
        SCOPED_TRACE(std::wstring(pszSkin));
        const CString strSkin = CString(L"..\\gallery\\Definitions\\") + pszSkin + L".xml";
        CString strOutput;
        EXPECT_EQ(0, CSkinCheck().Run({ L"--app", strHost, strSkin }, strOutput)) << std::wstring((LPCWSTR)strOutput);
        EXPECT_EQ(L"", std::wstring((LPCWSTR)strOutput));

        g_Registry.Load(strHost, strSkin, L"");
        for (LPCWSTR pszName : { L"Main", L"Dialog", L"Gallery" })
            EXPECT_TRUE(g_Registry.FindWindowSkin(pszName)) << std::wstring(pszName);
        EXPECT_FALSE(g_Registry.FindWindowSkin(L"main"));
        // The host's menu and toolbar stay the host's; the skin's images reach its buttons.
        EXPECT_TRUE(g_Registry.GetMenu(L"MainBar"));
        EXPECT_TRUE(g_Registry.GetToolbar(L"Main"));
        for (UINT nCommand : { 128u, 57601u, 57603u, 57634u, 57635u, 57637u })
            EXPECT_LE(0, g_Theme.GetImageIndex(nCommand, SIZE_CODE_16)) << nCommand;
        for (LPCWSTR pszImage : { L"ID_FILE_OPEN", L"ID_FILE_OPEN.HOVER", L"ID_EDIT_PASTE.SELECT" })
            EXPECT_TRUE(g_Registry.GetWatermark(pszImage)) << std::wstring(pszImage);
        g_Registry.Clear();
    }
}
