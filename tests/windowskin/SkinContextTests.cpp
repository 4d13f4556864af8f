// A skin context built beside the library's own: what is painted from it comes from its skin
// alone, while the library's globals hold another.
#include "SkinTestSupport.h"
#include <skin/CSkinContext.h>
#include <skin/CSkinRegistry.h>
#include <theme/CInterfaceTheme.h>
#include <theme/CMenuSkinner.h>
#include <windowskin/CSkinDialogFrame.h>
#include <windowskin/CWindowSkinLoader.h>
#include <thread>

using namespace SkinTest;

namespace
{
CString MenuColours(LPCWSTR pszBack)
{
    CString str;
    str.Format(L"<colourScheme><colour name=\"menu.back\" value=\"%s\"/></colourScheme>", pszBack);
    return str;
}

// The colour a menu item of the engine paints where no text or image goes.
COLORREF MenuItemPaper(CMenuSkinner& menus)
{
    CMenu popup;
    if (!popup.CreatePopupMenu() || !popup.AppendMenu(MF_STRING, 701, L"Item") || !menus.PrepareMenu(&popup))
        return CLR_INVALID;
    menus.SetMenuDpi(96);
    MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 701, 0, 0, CMenuSkinner::ItemKey(popup.m_hMenu, 701) };
    menus.MeasureItem(&mis);
    const int cx = std::max<int>(mis.itemWidth, 120), cy = std::max<int>(mis.itemHeight, 16);
    KorvoTest::CPixelCanvas canvas(cx, cy);
    DRAWITEMSTRUCT dis = { ODT_MENU, 0, 701, ODA_DRAWENTIRE, 0, (HWND)popup.m_hMenu, canvas.Dc(), { 0, 0, cx, cy },
                           CMenuSkinner::ItemKey(popup.m_hMenu, 701) };
    menus.DrawItem(&dis);
    return canvas.Pixel(cx - 3, cy / 2);
}
}

TEST(SkinContext, APrivateContextPaintsMenusAndFramesFromItsOwnSkinWhileTheLibraryHoldsAnother)
{
    CSkinDefinitions defs;
    const COLORREF crLibraryMenu = RGB(0xFF, 0, 0), crPrivateMenu = RGB(0, 0xC0, 0);
    defs.Load(defs.Skin(FrameSkin(L"Main")), MenuColours(L"FF0000"));
    const CRect rcPrivate(9, 40, 11, 13);
    defs.Write(L"private.xml", Skins(defs.Skin(FrameSkin(L"Main", rcPrivate), L"")) + MenuColours(L"00C000"));

    CInterfaceTheme theme;
    CMenuSkinner menus(theme);
    const CWindowSkinLoader loader(theme);
    CSkinRegistry registry(theme, loader, g_hSkinInstance);
    CSkinContext context(theme, registry, menus);
    registry.Load(g_strAppFolder, L"private.xml", L"");

    EXPECT_EQ(crPrivateMenu, MenuItemPaper(menus));
    EXPECT_EQ(crLibraryMenu, MenuItemPaper(g_MenuSkinner)) << "the library's own engine keeps its skin";

    CTestSkinDialog dlg;
    ASSERT_TRUE(CSkinDialogFrame::UseContext(dlg, context));
    ASSERT_TRUE(dlg.CreateAt(200, 150));
    EXPECT_FALSE(CSkinDialogFrame::UseContext(dlg, CSkinContext::Default())) << "too late once the window exists";
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    ASSERT_NE(nullptr, CSkinDialogFrame::SkinOf(dlg));
    EXPECT_NE(g_Registry.FindWindowSkin(L"Main"), CSkinDialogFrame::SkinOf(dlg));
    EXPECT_EQ(rcPrivate, CSkinDialogFrame::SkinOf(dlg)->GetFrameThickness(CDpiScale()));
    RedrawFrame(dlg.m_hWnd);
    // 35 pixels down the left edge lies in the private skin's 40-pixel top corner; the
    // library's skin would show its left edge there.
    EXPECT_EQ(S::PART_TOPLEFT, PartAt(dlg.m_hWnd, 2, 35));

    // The library's skin still frames a dialog of the default context.
    CTestSkinDialog plain;
    ASSERT_TRUE(plain.CreateAt(200, 420));
    ASSERT_TRUE(plain.SkinMe(L"Main"));
    EXPECT_EQ(MAIN_FRAME, CSkinDialogFrame::SkinOf(plain)->GetFrameThickness(CDpiScale()));
    plain.DestroyWindow();
    dlg.DestroyWindow();
}

// A thread that names its own context the default gives it to what it creates; other threads
// keep the library's, and the thread falls back to it once its context is gone.
TEST(SkinContext, AThreadsOwnDefaultStaysOnThatThread)
{
    CInterfaceTheme theme;
    CMenuSkinner menus(theme);
    const CWindowSkinLoader loader(theme);
    CSkinRegistry registry(theme, loader, g_hSkinInstance);
    const CSkinContext* pSeen[3] = {};
    std::thread([&] {
        {
            CSkinContext context(theme, registry, menus);
            context.MakeThreadDefault();
            pSeen[0] = &CSkinContext::Default();
            std::thread([&] { pSeen[1] = &CSkinContext::Default(); }).join();
            EXPECT_EQ(&context, pSeen[0]);
        }
        pSeen[2] = &CSkinContext::Default();
    }).join();
    EXPECT_EQ(&g_Context, pSeen[1]) << "another thread took the thread's default";
    EXPECT_EQ(&g_Context, pSeen[2]) << "the thread's default outlived its context";
    EXPECT_EQ(&g_Context, &CSkinContext::Default());
}
