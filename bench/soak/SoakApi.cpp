// The api part: every exported function and host-class entry point with null, empty, unknown,
// huge and destroyed arguments, before InitSkin, while loaded and after UnInitSkin, each twice.
#include "SoakSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin.h>
#include <stdio.h>

namespace Soak
{

namespace
{

int CallEverything(const CString& strHuge, CWnd* pOwner)
{
    int nCalls = 0;
    auto Call = [&](auto fn) {
        fn();
        nCalls++;
    };
    LPCWSTR apszNames[] = { NULL, L"", L"unknown", strHuge, L"Context", L"GalleryBar", L"Gallery", L"ID_FILE_OPEN" };
    for (LPCWSTR pszName : apszNames)
    {
        Call([&] { GetSkinMenu(pszName); });
        Call([&] { GetSkinWatermark(pszName); });
        Call([&] { CreateSkinToolBar(pszName, NULL); });
        Call([&] { TrackSkinPopupMenu(pszName, CPoint(10, 10), 0, TPM_RETURNCMD, NULL); });
        Call([&] { TrackSkinPopupMenu(pszName, CPoint(-100000, 100000), 0xFFFFFFFF, 0xFFFFFFFF, pOwner); });
        Call([&] { LoadSkin(pszName, pszName); });
    }
    for (UINT nID : { 0u, 1u, 2001u, 57601u, 0xFFFFu, 0x10000u, 0xFFFFFFFFu })
        Call([&] { GetSkinString(nID); });
    Call([] { GetDialogBkColor(); });
    Call([] { GetMsgDialogBorderColor(); });
    Call([] { GetMsgDialogBackColor(); });
    Call([] { GetCardBackColor(); });
    Call([] { OnSkinMeasureItem(0, NULL); });
    Call([] { OnSkinDrawItem(0, NULL); });
    Call([] { OnSkinInitMenuPopup(NULL, 0, FALSE, NULL); });
    Call([] { OnSkinInitMenuPopup(NULL, 0xFFFFFFFF, TRUE, NULL); });
    Call([] {
        MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 0xFFFFFFFF, 0, 0, (ULONG_PTR)0xFFFFFFFF };
        OnSkinMeasureItem(0, &mis);
    });
    Call([] {
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, 0xFFFFFFFF, ODA_DRAWENTIRE, ODS_SELECTED, NULL, NULL, { 0, 0, 100, 20 }, 0 };
        OnSkinDrawItem(0, &dis);
    });
    Call([] {
        // A menu destroyed before it reaches the library.
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, 1, L"gone");
        ::DestroyMenu(hMenu);
        CMenu menu;
        menu.Attach(hMenu);
        OnSkinInitMenuPopup(&menu, 0, FALSE, NULL);
        menu.Detach();
    });
    Call([] {
        // Bars never created and bars already destroyed.
        CCoolBarCtrl bar;
        CreateSkinToolBar(L"Gallery", &bar);
        bar.GetIndex(-1);
        bar.GetIndex(1000000);
        CRect rc;
        bar.GetItemRect(NULL, &rc);
        CCoolMenuBarCtrl menuBar;
        menuBar.SetMenu(NULL);
        menuBar.OpenMenuChar('f');
        menuBar.OpenMenuBar();
    });
    Call([&] {
        CCoolBarCtrl bar;
        CCoolMenuBarCtrl menuBar;
        if (bar.Create(pOwner, WS_VISIBLE, 1) && menuBar.Create(pOwner, WS_VISIBLE, 2))
        {
            CMenu* pMenu = GetSkinMenu(L"GalleryBar");
            menuBar.SetMenu(pMenu ? pMenu->m_hMenu : NULL);
            bar.DestroyWindow();
            menuBar.DestroyWindow();
        }
        CreateSkinToolBar(L"Gallery", &bar);
        HMENU hGone = ::CreateMenu();
        ::DestroyMenu(hGone);
        menuBar.SetMenu(hGone);
        menuBar.OpenMenuChar('f');
    });
    Call([&] {
        // A skinned dialog asked for skins before it has a window, with odd names, and after
        // its window is gone.
        CSkinDialog dialog;
        dialog.SkinMe(L"Gallery");
        KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 100, 60, L"api");
        if (dialog.CreateIndirect(dialogTemplate.Get()))
        {
            for (LPCWSTR pszName : apszNames)
                dialog.SkinMe(pszName, 0xFFFFFFFF);
            dialog.SkinMe(L"Gallery", 128);
            dialog.SetWindowText(strHuge);
            dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            dialog.DestroyWindow();
        }
        dialog.SkinMe(L"Gallery");
    });
    return nCalls;
}

} // namespace

int RunApi(const CString& strHuge, COwnerWnd& owner)
{
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);
    int nCalls = 0;
    for (int n = 0; n < 2; n++)
        nCalls += CallEverything(strHuge, &owner);  // before InitSkin
    for (int n = 0; n < 2; n++)
    {
        InitSkin();
        InitSkin();
        LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
        nCalls += CallEverything(strHuge, &owner);
        UnInitSkin();
        UnInitSkin();
        nCalls += CallEverything(strHuge, &owner);  // after UnInitSkin
    }
    ::KillTimer(NULL, nTimer);
    return nCalls;
}

} // namespace Soak
