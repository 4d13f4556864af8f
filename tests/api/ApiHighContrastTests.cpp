// High contrast: the library steps aside for a user who turns it on, and comes back when it is
// turned off, without a restart; a host may keep its skin.
#include "HandleWindowSupport.h"
#include "api/CSkinSet.h"
#include "api/Globals.h"
#include <gtest/gtest.h>
#include <thread>

using namespace HandleTest;

namespace
{
// The offset of the client area in the window, which tells the system's frame from the skin's.
CPoint ClientOrigin(HWND hWnd)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    POINT pt = { 0, 0 };
    ::ClientToScreen(hWnd, &pt);
    return CPoint(pt.x - rcWindow.left, pt.y - rcWindow.top);
}

CPoint SystemClientOrigin(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, (DWORD)::GetWindowLongW(hWnd, GWL_STYLE), FALSE, (DWORD)::GetWindowLongW(hWnd, GWL_EXSTYLE));
    return CPoint(-rc.left, -rc.top);
}

void ExpectSkinned(const CHostFrame& frame)
{
    Show(frame.hWnd);
    EXPECT_EQ(FRAME, KorvoTest::CWindowPixels(frame.hWnd).At(frame.Window().Width() / 2, 10)) << "the skin's caption";
    EXPECT_EQ(WATERMARK, KorvoTest::CWindowPixels(frame.hWnd, true).At(20, 20)) << "the skin's watermark";
    EXPECT_NE(SystemClientOrigin(frame.hWnd), ClientOrigin(frame.hWnd));
}

void ExpectSystemLook(const CHostFrame& frame)
{
    Show(frame.hWnd);
    EXPECT_EQ(SystemClientOrigin(frame.hWnd), ClientOrigin(frame.hWnd)) << "the system's frame";
    EXPECT_NE(FRAME, KorvoTest::CWindowPixels(frame.hWnd).At(frame.Window().Width() / 2, 10));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), KorvoTest::CWindowPixels(frame.hWnd, true).At(20, 20))
        << "the window's own background, no watermark";
}
}

TEST(HighContrast, TheLibraryStepsAsideWhileItIsOnAndComesBackWhenItIsTurnedOff)
{
    CHighContrastSetting setting(false);
    CHandleSkin skin;
    CHostFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinControls(frame.hWnd));
    ExpectSkinned(frame);
    EXPECT_EQ(RGB(0xA0, 0xB0, 0xC0), KorvoSkin_GetColour(L"menu.text"));

    setting.Announce(frame.hWnd, true);
    EXPECT_EQ(1u, CHostFrame::s_nSkinChangedMessages) << "the host hears of the switch as of light and dark";
    ExpectSystemLook(frame);
    EXPECT_EQ(::GetSysColor(COLOR_MENU), KorvoSkin_GetColour(L"menu.back"));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), KorvoSkin_GetColour(L"menu.hover")) << "unblended";
    EXPECT_EQ(CLR_INVALID, KorvoSkin_GetColour(L"menu.text")) << "the skin's colours are not read";
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), KorvoSkin_GetColour(L"dialog.back"));
    wchar_t szText[8] = L"";
    EXPECT_EQ(5, KorvoSkin_GetString(7, szText, 8)) << "what carries meaning stays";
    EXPECT_NE(nullptr, KorvoSkin_GetMenu(L"Popup"));
    EXPECT_NE(nullptr, KorvoSkin_GetWatermark(L"Paper"));

    // Every top-level window hears the announcement; one reload serves them all.
    CHostFrame second;
    ::SendMessageW(second.hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ::SendMessageW(second.hWnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(0u, CHostFrame::s_nSkinChangedMessages) << "no second reload";
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(second.hWnd, L"Main")) << "recorded for when the skin comes back";
    ExpectSystemLook(second);

    // Turned off: the colour change the system sends with it is enough.
    CHighContrastSetting::s_bOn = false;
    ::SendMessageW(frame.hWnd, WM_SYSCOLORCHANGE, 0, 0);
    ExpectSkinned(frame);
    ExpectSkinned(second);
    EXPECT_EQ(RGB(0xA0, 0xB0, 0xC0), KorvoSkin_GetColour(L"menu.text"));
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), KorvoSkin_GetColour(L"dialog.back"));
}

TEST(HighContrast, AHostKeepsItsSkinWithOneCallAndLoadsUnderTheSettingAsItIs)
{
    CHighContrastSetting setting(true);
    CHandleSkin skin;
    CHostFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    ExpectSystemLook(frame);
    EXPECT_EQ(KORVOSKIN_E_ALREADY_SKINNED, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_SkinWindow(NULL, L"Main"));

    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_KeepSkinInHighContrast(1));
    ExpectSkinned(frame);
    EXPECT_EQ(1u, CHostFrame::s_nSkinChangedMessages);
    setting.Announce(frame.hWnd, true);
    EXPECT_EQ(1u, CHostFrame::s_nSkinChangedMessages) << "kept: nothing to switch";
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_KeepSkinInHighContrast(0));
    ExpectSystemLook(frame);

    // Uninit forgets the host's choice; the next owner starts stepping aside.
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_KeepSkinInHighContrast(1));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Uninit());
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_KeepSkinInHighContrast(1));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L""));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), KorvoSkin_GetColour(L"dialog.back"));
}

// korvorun gives each further GUI thread a skin set of its own; that thread's windows step aside
// and come back with the owner's.
TEST(HighContrast, AThreadWithASkinOfItsOwnFollowsTheSettingToo)
{
    CHighContrastSetting setting(false);
    CHandleSkin skin;
    std::thread([&] {
        CSkinSet set(g_hSkinInstance);
        ASSERT_EQ(KORVOSKIN_OK, set.SkinCallingThread(g_strAppFolder, L"", L""));
        {
            CHostFrame frame;
            ExpectSkinned(frame);
            setting.Announce(frame.hWnd, true);
            EXPECT_EQ(1u, CHostFrame::s_nSkinChangedMessages);
            ExpectSystemLook(frame);
            CHighContrastSetting::s_bOn = false;
            ::SendMessageW(frame.hWnd, WM_SYSCOLORCHANGE, 0, 0);
            ExpectSkinned(frame);
        }
        set.ReleaseThread();
    }).join();
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), KorvoSkin_GetColour(L"dialog.back")) << "the owner's set is its own";
}
