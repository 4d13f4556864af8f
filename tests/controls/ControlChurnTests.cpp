// Creating and destroying many of each control leaves no GDI or USER objects behind.
#include "ControlsTestSupport.h"
#include <algorithm>
#include <functional>

using namespace ControlsTest;
using KorvoTest::CHandleHighs;
using KorvoTest::FreshHandleHighs;

namespace
{
const UINT IDC_CHURN = 950;

}

TEST(ControlChurn, EditStaticTreeAndTouchControlsFreeWhatTheyCreate)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_DATE_CLASSES | ICC_TREEVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    CHostDialog dlg;
    auto child = [&](LPCWSTR pszClass, DWORD dwStyle, LPCWSTR pszText) {
        return dlg.AddControl(pszClass, IDC_CHURN, dwStyle, 10, 10, 150, 60, pszText);
    };
    // Each control is painted, hovered and left, so every drawing path runs.
    auto exercise = [](CWnd& wnd) {
        ::RedrawWindow(wnd.m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        wnd.SendMessage(WM_MOUSEMOVE);
        wnd.SendMessage(WM_MOUSELEAVE);
    };
    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 1, 1);
    struct Kind
    {
        const char* pszName;
        std::function<void()> fnOne;
    } kinds[] = {
        { "skin edit", [&] { CSkinEdit c; c.SubclassWindow(child(L"Edit", WS_BORDER, L"Text")); exercise(c); c.DestroyWindow(); } },
        { "skin static", [&] {
             CSkinStatic c;
             c.SubclassWindow(child(L"Static", SS_LEFT, L""));
             c.SetText(L"Text", RGB(1, 2, 3), TRUE);
             c.SetHandCursor(TRUE);
             c.SetToolTip(L"Tip");
             exercise(c);
             c.DestroyWindow();
         } },
        { "skin tree", [&] {
             CSkinTree c;
             c.SubclassWindow(child(WC_TREEVIEWW, TVS_HASBUTTONS, L""));
             c.InsertItem(L"Child", c.InsertItem(L"Group"));
             c.SetImageListEx(&images);
             c.SetBkMode(CSkinTree::BkModeBitmap);
             c.SetBitmapID(101);
             c.SetBitmapTiledMode(true);
             exercise(c);
             c.DestroyWindow();
         } },
        { "touch edit", [&] { CTouchEdit c; c.SubclassWindow(child(L"Edit", ES_PASSWORD, L"Text")); exercise(c); c.DestroyWindow(); } },
        { "touch combo", [&] {
             CTouchComboBox c;
             c.SubclassWindow(child(L"ComboBox", CBS_DROPDOWNLIST, L""));
             c.AddString(L"Item");
             exercise(c);
             c.DestroyWindow();
         } },
        { "touch date", [&] { CTouchDateTimeCtrl c; c.SubclassWindow(child(DATETIMEPICK_CLASSW, 0, L"")); exercise(c); c.DestroyWindow(); } },
    };
    for (Kind& kind : kinds)
    {
        for (int i = 0; i < 3; i++)
            kind.fnOne();
        KorvoTest::PumpMessages(0);
        AfxDeleteTempMaps();
        CHandleHighs before = FreshHandleHighs();
        for (int i = 0; i < 40; i++)
            kind.fnOne();
        KorvoTest::PumpMessages(0);
        AfxDeleteTempMaps();
        CHandleHighs after = FreshHandleHighs();
        printf("%-12s 40 created and destroyed: GDI slots %d -> %d, USER slots %d -> %d\n", kind.pszName, before.nGdi,
               after.nGdi, before.nUser, after.nUser);
        // One object left per control would show as 40 more slots.
        EXPECT_LT(after.nGdi - before.nGdi, 20) << kind.pszName;
        EXPECT_LT(after.nUser - before.nUser, 20) << kind.pszName;
    }
}
