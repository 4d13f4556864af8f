// A host that names a light and a dark skin once: the user's choice in the registry picks one, and
// the system's announcement of a change switches every open window to the other.
#include "SkinTestSupport.h"
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
const COLORREF LIGHT_PAPER = RGB(0xE8, 0xEC, 0xF0);
const COLORREF DARK_PAPER = RGB(0x18, 0x1C, 0x24);
const wchar_t PERSONALIZE_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
const wchar_t APPS_USE_LIGHT_THEME[] = L"AppsUseLightTheme";
const UINT WM_SKIN_CHANGED = ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE);

// The user's light or dark choice in this Wine prefix, put back as it was when the object goes.
class CLightThemeSetting
{
public:
    CLightThemeSetting()
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, PERSONALIZE_KEY, 0, NULL, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, NULL,
                          &m_hKey, NULL);
        DWORD cbSaved = sizeof(m_saved);
        m_bHadValue = m_hKey && ::RegQueryValueExW(m_hKey, APPS_USE_LIGHT_THEME, NULL, &m_dwSavedType, m_saved,
                                                   &cbSaved) == ERROR_SUCCESS;
        m_cbSaved = cbSaved;
    }
    ~CLightThemeSetting()
    {
        if (m_bHadValue)
            ::RegSetValueExW(m_hKey, APPS_USE_LIGHT_THEME, 0, m_dwSavedType, m_saved, m_cbSaved);
        else
            Remove();
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    bool Set(DWORD dwLight)
    {
        return ::RegSetValueExW(m_hKey, APPS_USE_LIGHT_THEME, 0, REG_DWORD, (const BYTE*)&dwLight, sizeof(dwLight))
            == ERROR_SUCCESS;
    }
    void Remove() { ::RegDeleteValueW(m_hKey, APPS_USE_LIGHT_THEME); }

private:
    HKEY m_hKey = NULL;
    bool m_bHadValue = false;
    DWORD m_dwSavedType = 0;
    BYTE m_saved[64] = {};
    DWORD m_cbSaved = 0;
};

// A host window that does after the library's own switch what it does after its LoadSkin.
class CFollowingDialog : public CTestSkinDialog
{
public:
    std::vector<WPARAM> m_changes;
    // The watermark's colour, away from the dialog's label, once the dialog has painted.
    COLORREF Paper()
    {
        KorvoTest::PumpMessages(20);
        KorvoTest::CWindowPixels pixels(m_hWnd, true);
        return pixels.At(pixels.m_cx - 6, pixels.m_cy - 6);
    }

protected:
    afx_msg LRESULT OnSkinChanged(WPARAM wParam, LPARAM)
    {
        m_changes.push_back(wParam);
        SkinMe(L"Main");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFollowingDialog, CTestSkinDialog)
    ON_REGISTERED_MESSAGE(WM_SKIN_CHANGED, OnSkinChanged)
END_MESSAGE_MAP()

struct FollowSystem : ::testing::Test
{
    CLightThemeSetting setting;
    CSkinDefinitions defs;
    CFollowingDialog dlg;

    void SetUp() override
    {
        ASSERT_TRUE(InitSkin());
        defs.WriteBitmap(L"Definitions\\light.bmp", 8, 8, LIGHT_PAPER);
        defs.WriteBitmap(L"Definitions\\dark.bmp", 8, 8, DARK_PAPER);
        defs.Write(L"Definitions\\Light.xml",
                   Skins(defs.Skin(FrameSkin(L"Main").Xml(L"<image path=\"light.bmp\" type=\"watermark\"/>"))));
        defs.Write(L"Definitions\\Dark.xml",
                   Skins(defs.Skin(FrameSkin(L"Main").Xml(L"<image path=\"dark.bmp\" type=\"watermark\"/>"))));
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        UnInitSkin();
    }
    void Announce(HWND hWnd, LPCWSTR pszArea = L"ImmersiveColorSet")
    {
        ::SendMessageW(hWnd, WM_SETTINGCHANGE, 0, (LPARAM)pszArea);
    }
};
} // namespace

TEST_F(FollowSystem, TheUsersChoicePicksTheSkinAndEachAnnouncedChangeSwitchesTheOpenWindows)
{
    ASSERT_TRUE(setting.Set(1));
    EXPECT_TRUE(LoadSkinForSystemTheme(L"Definitions\\Light.xml", L"", L"Definitions\\Dark.xml", L""));
    ASSERT_TRUE(dlg.CreateAt(150, 120));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(LIGHT_PAPER, dlg.Paper());

    ASSERT_TRUE(setting.Set(0));
    Announce(dlg.m_hWnd);
    EXPECT_EQ(std::vector<WPARAM>({ 1 }), dlg.m_changes);
    ASSERT_NE(nullptr, CSkinDialogFrame::SkinOf(dlg));
    EXPECT_EQ(DARK_PAPER, dlg.Paper()) << "repainted with the dark skin's watermark";

    // Other settings' announcements switch nothing, even with the choice changed meanwhile.
    ASSERT_TRUE(setting.Set(1));
    Announce(dlg.m_hWnd, L"Environment");
    Announce(dlg.m_hWnd, NULL);
    Announce(dlg.m_hWnd, L"ImmersiveColorSetX");
    EXPECT_EQ(1u, dlg.m_changes.size());
    EXPECT_EQ(DARK_PAPER, dlg.Paper());

    Announce(dlg.m_hWnd);
    Announce(dlg.m_hWnd);
    EXPECT_EQ(std::vector<WPARAM>({ 1, 0 }), dlg.m_changes) << "one switch per change, however often it is announced";
    EXPECT_EQ(LIGHT_PAPER, dlg.Paper());

    // Any top-level window of the host hears the system, one with the system's caption too.
    HWND hPlain = ::CreateWindowExW(0, L"Static", L"Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 120, NULL,
                                    NULL, NULL, NULL);
    ASSERT_NE(nullptr, hPlain);
    ASSERT_TRUE(setting.Set(0));
    Announce(hPlain);
    EXPECT_EQ(std::vector<WPARAM>({ 1, 0, 1 }), dlg.m_changes);
    EXPECT_EQ(DARK_PAPER, dlg.Paper());

    // A missing value is the light choice.
    setting.Remove();
    Announce(hPlain);
    EXPECT_EQ(std::vector<WPARAM>({ 1, 0, 1, 0 }), dlg.m_changes);
    EXPECT_EQ(LIGHT_PAPER, dlg.Paper());
    ::DestroyWindow(hPlain);
}

TEST_F(FollowSystem, TheDarkChoiceLoadsTheDarkPairAndTheHostsOwnLoadEndsTheFollowing)
{
    ASSERT_TRUE(setting.Set(0));
    EXPECT_TRUE(LoadSkinForSystemTheme(L"Definitions\\Light.xml", L"", L"", L"Definitions\\Dark.xml"));
    ASSERT_TRUE(dlg.CreateAt(150, 120));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(DARK_PAPER, dlg.Paper()) << "the dark pair's second file";

    EXPECT_TRUE(LoadSkin(L"Definitions\\Dark.xml", L""));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    ASSERT_TRUE(setting.Set(1));
    Announce(dlg.m_hWnd);
    EXPECT_TRUE(dlg.m_changes.empty());
    EXPECT_EQ(DARK_PAPER, dlg.Paper());

    // Following starts again with the next call, and ends with UnInitSkin.
    EXPECT_TRUE(LoadSkinForSystemTheme(L"Definitions\\Light.xml", L"", L"Definitions\\Dark.xml", L""));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ(LIGHT_PAPER, dlg.Paper());
    EXPECT_TRUE(UnInitSkin());
    ASSERT_TRUE(setting.Set(0));
    Announce(dlg.m_hWnd);
    EXPECT_TRUE(dlg.m_changes.empty());
}
