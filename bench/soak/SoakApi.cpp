// The api part: every exported function and host-class entry point with null, empty, unknown,
// huge and destroyed arguments, before InitSkin, while loaded and after UnInitSkin, each twice.
#include "SoakSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin.h>
#include <commctrl.h>
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

// Each exported control class: its public entry points before its window exists, on a live
// window made from the system control it skins, and after the window is gone, with null, empty,
// unknown and huge arguments, odd rectangles and images already deleted; and its window painted
// and sent the pointer's messages.
int CallControls(const CString& strHuge, CWnd* pOwner)
{
    int nCalls = 0;
    KorvoTest::CPixelCanvas canvas(64, 32);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const CRect aRects[] = { CRect(0, 0, 0, 0), CRect(10, 10, 0, 0), CRect(-100000, -100000, 100000, 100000),
                             CRect(0, 0, 64, 32) };
    HBITMAP hGone = KorvoTest::MakeBitmap(8, 8, RGB(1, 2, 3), RGB(4, 5, 6));
    ::DeleteObject(hGone);
    HBITMAP hNormal = KorvoTest::MakeBitmap(40, 20, RGB(200, 0, 0), RGB(255, 255, 255), 3);
    LPCWSTR apszPaths[] = { NULL, L"", L"unknown.gif", strHuge, L"C:\\", L"Definitions\\Aurora.xml" };
    CImageList emptyList;
    emptyList.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);

    // Makes the system control, runs fnCalls on the object before, while and after it has
    // that window.
    auto Exercise = [&](CWnd& control, LPCWSTR pszClass, DWORD dwStyle, auto fnCalls) {
        fnCalls();
        HWND hWnd = ::CreateWindowExW(0, pszClass, L"soak", dwStyle | WS_CHILD | WS_VISIBLE, 0, 0, 120, 40,
                                      pOwner->GetSafeHwnd(), NULL, NULL, NULL);
        if (hWnd && control.SubclassWindow(hWnd))
        {
            fnCalls();
            control.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            control.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFF, 0xFFFF));
            control.SendMessage(WM_MOUSELEAVE);
            control.SendMessage(WM_SETTEXT, 0, (LPARAM)(LPCWSTR)strHuge);
            control.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            control.DestroyWindow();
        }
        else if (hWnd)
        {
            ::DestroyWindow(hWnd);
        }
        fnCalls();
        nCalls += 3;
    };

    {
        CSkinCheckBox check;
        Exercise(check, L"Button", BS_AUTOCHECKBOX, [&] {
            for (int nCheck : { -1, 0, 1, 2, 0x7FFFFFFF })
                check.SetCheck(nCheck);
            for (const CRect& rc : aRects)
            {
                check.DrawCheck(pDC, rc);
                check.DrawOrange(pDC, rc);
            }
        });
    }
    {
        CSkinComboBox combo;
        Exercise(combo, L"ComboBox", CBS_DROPDOWNLIST, [&] {
            for (int nShow = 0; nShow < 3; nShow++)
                combo.DrawCombo((CSkinComboBox::enTypeShow)nShow, pDC);
            for (const CRect& rc : aRects)
                combo.DrawArrow(pDC, rc);
        });
    }
    {
        CSkinSliderCtrl slider;
        Exercise(slider, TRACKBAR_CLASSW, TBS_ENABLESELRANGE, [&] {
            slider.SetChannelColor(0xFFFFFFFF);
            slider.SetThumbColor(CLR_NONE);
            slider.SetSelectionColor(0);
            for (int nLevel : { -1, 0, 10000, 0x7FFFFFFF, (int)0x80000000 })
                slider.SetVolumn(nLevel);
            for (const CRect& rc : aRects)
                slider.DrawVolumn(pDC, rc);
        });
    }
    {
        CSkinEdit edit;
        Exercise(edit, L"Edit", ES_AUTOHSCROLL, [] {});
    }
    {
        CSkinStatic text;
        Exercise(text, L"Static", SS_LEFT, [&] {
            for (LPCWSTR pszText : apszPaths)
            {
                text.SetText(pszText, 0xFFFFFFFF, TRUE);
                text.SetToolTip(pszText);
            }
            text.SetHandCursor(TRUE);
            text.SetHandCursor(FALSE);
        });
    }
    {
        CSkinTree tree;
        Exercise(tree, WC_TREEVIEWW, TVS_HASBUTTONS, [&] {
            for (UINT nID : { 0u, 1u, 0xFFFFu, 0xFFFFFFFFu })
                tree.SetBitmapID(nID);
            tree.SetImageListEx(NULL);
            // Painted through its messages: before its window and after it these go nowhere.
            auto Paint = [&] {
                ::SendMessageW(tree.GetSafeHwnd(), WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc(), 0);
                ::SendMessageW(tree.GetSafeHwnd(), WM_PAINT, 0, 0);
            };
            for (int nMode = 0; nMode < 3; nMode++)
            {
                tree.SetBkMode((CSkinTree::BkMode)nMode);
                Paint();
            }
            tree.SetImageListEx(&emptyList);
            Paint();
            tree.SetImageListEx(NULL);
        });
    }
    {
        CEffectButton button;
        Exercise(button, L"Button", BS_OWNERDRAW, [&] {
            button.SetImage(NULL, NULL, 0);
            button.SetImage(hGone, hGone, CLR_NONE);
            button.SetImage(hNormal, NULL, RGB(255, 255, 255));
            button.SetIndent(-100000);
            button.SetIndent(0x7FFFFFFF);
            button.SetPitchOn(true);
            button.SetHandCursor(true);
            for (LPCWSTR pszText : apszPaths)
                button.SetToolTip(pszText);
        });
    }
    {
        CEffectStatic text;
        Exercise(text, L"Static", SS_LEFT, [&] {
            for (DWORD nHeight : { 0ul, 1ul, 0xFFFFFFFFul })
                text.SetLineHeight(nHeight);
            text.SetBackColor(0xFFFFFFFF);
            for (LPCWSTR pszText : apszPaths)
                text.SetWindowTextW(pszText);
        });
    }
    {
        CIconButton button;
        Exercise(button, L"Button", BS_PUSHBUTTON, [&] {
            button.SetIcon(NULL);
            button.SetIcon(KorvoTest::MakeSolidIcon(RGB(40, 90, 200)));
            for (UINT nID : { 0u, 100u, 0xFFFFu, 0xFFFFFFFFu })
                button.SetCoolIcon(nID);
            for (LPCWSTR pszText : apszPaths)
                button.SetText(pszText);
            button.SetLeftAlin(true);
            button.SetHandCursor(TRUE);
        });
    }
    {
        CTouchEdit edit;
        Exercise(edit, L"Edit", ES_AUTOHSCROLL, [&] {
            edit.SetAlwaysBorder(true);
            edit.SetBkColor(0xFFFFFFFF);
        });
        CTouchComboBox combo;
        Exercise(combo, L"ComboBox", CBS_DROPDOWNLIST, [&] { combo.SetAlwaysBorder(true); });
        CTouchDateTimeCtrl date;
        Exercise(date, DATETIMEPICK_CLASSW, 0, [&] { date.SetAlwaysBorder(true); });
    }
    {
        CGroupHeadPhoto photo;
        Exercise(photo, L"Static", SS_NOTIFY, [&] {
            photo.SetEraseBg(NULL, NULL);
            photo.SetEraseBg(hGone, hGone);
            for (LPCWSTR pszPath : apszPaths)
                photo.Load(pszPath);
            photo.SetGray(true);
            photo.Destroy();
            photo.Destroy();
        });
        CUserHeadPhoto user;
        Exercise(user, L"Static", SS_NOTIFY, [&] {
            user.SetEraseBg(NULL, NULL);
            user.SetEraseBg(hGone, hNormal);
            user.SetUserPicture(NULL, 0);
            user.SetUserPicture(&emptyList, 0xFFFFFFFF);
            user.SetGray(true);
        });
        CImageStatic image;
        Exercise(image, L"Static", SS_NOTIFY, [&] {
            for (LPCWSTR pszPath : apszPaths)
                image.Load(pszPath);
            image.Draw();
            image.InitAnimation();
            image.SetPause(true);
            image.SetPause(false);
            image.Destroy();
            image.Destroy();
        });
    }
    ::DeleteObject(hNormal);
    return nCalls;
}

} // namespace

int RunApi(const CString& strHuge, COwnerWnd& owner)
{
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);
    int nCalls = 0;
    for (int n = 0; n < 2; n++)
        nCalls += CallEverything(strHuge, &owner) + CallControls(strHuge, &owner);  // before InitSkin
    for (int n = 0; n < 2; n++)
    {
        InitSkin();
        InitSkin();
        LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
        nCalls += CallEverything(strHuge, &owner) + CallControls(strHuge, &owner);
        UnInitSkin();
        UnInitSkin();
        nCalls += CallEverything(strHuge, &owner) + CallControls(strHuge, &owner);  // after UnInitSkin
    }
    ::KillTimer(NULL, nTimer);
    return nCalls;
}

} // namespace Soak
