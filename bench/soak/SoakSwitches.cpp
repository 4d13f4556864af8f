// The switches part: skin switches with a skinned dialog, its toolbar, menu bar and controls
// painting, and popup menus opened.
#include "SoakSupport.h"
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin.h>
#include <commctrl.h>
#include <stdio.h>
#include <algorithm>

using namespace KorvoBench;

namespace Soak
{

int RunSwitches(unsigned nCount, COwnerWnd& owner, CString& strError)
{
    InitSkin();
    LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
    KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                              DS_SETFONT, 300, 160, L"Soak");
    dialogTemplate.AddControl(L"Button", 1000, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 100, 60, 14, L"Button");
    dialogTemplate.AddControl(L"Edit", 1001, WS_CHILD | WS_VISIBLE | WS_BORDER, 80, 100, 100, 12, L"Text");
    // The skinned controls, each over the system control it skins.
    dialogTemplate.AddControl(L"Button", 1002, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 120, 60, 12, L"Check");
    dialogTemplate.AddControl(TRACKBAR_CLASSW, 1003, WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 80, 116, 100, 16, L"");
    dialogTemplate.AddControl(L"ComboBox", 1004, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 190, 100, 80, 60, L"");
    dialogTemplate.AddControl(L"Static", 1005, WS_CHILD | WS_VISIBLE | SS_LEFT, 190, 120, 80, 10, L"Static");
    dialogTemplate.AddControl(L"Button", 1006, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 136, 60, 14, L"Icon");
    dialogTemplate.AddControl(WC_TREEVIEWW, 1007, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 200, 60, 90, 36, L"");
    dialogTemplate.AddControl(L"Edit", 1008, WS_CHILD | WS_VISIBLE, 80, 136, 100, 14, L"Touch");
    CSkinDialog dialog;
    CCoolBarCtrl toolBar;
    CCoolMenuBarCtrl menuBar;
    if (!dialog.CreateIndirect(dialogTemplate.Get()) || !menuBar.Create(&dialog, WS_VISIBLE, 1) ||
        !toolBar.Create(&dialog, WS_VISIBLE, 2))
    {
        strError = L"the dialog and its bars could not be created";
        return -1;
    }
    CSkinCheckBox check;
    CSkinSliderCtrl slider;
    CSkinComboBox combo;
    CSkinStatic text;
    CIconButton icon;
    CSkinTree tree;
    CTouchEdit touch;
    if (!check.SubclassDlgItem(1002, &dialog) || !slider.SubclassDlgItem(1003, &dialog) ||
        !combo.SubclassDlgItem(1004, &dialog) || !text.SubclassDlgItem(1005, &dialog) ||
        !icon.SubclassDlgItem(1006, &dialog) || !tree.SubclassDlgItem(1007, &dialog) ||
        !touch.SubclassDlgItem(1008, &dialog))
    {
        strError = L"the skinned controls could not be made";
        return -1;
    }
    check.SetCheck(1);
    combo.AddString(L"Aurora");
    combo.SetCurSel(0);
    text.SetText(L"Static", RGB(0, 80, 160), TRUE);
    icon.SetCoolIcon(100);
    tree.InsertItem(L"Group");
    touch.SetAlwaysBorder(true);
    menuBar.MoveWindow(0, 0, 200, 24);
    toolBar.MoveWindow(0, 26, 400, 30);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);

    CFigures start;
    double dStart = Now();
    unsigned nMenus = 0, nSkinned = 0;
    // Where the time goes: loading, re-skinning the dialog and bars, painting, menus, messages.
    double adSteps[5] = {};
    for (unsigned n = 0; n < nCount; n++)
    {
        CLaps Lap(adSteps);
        LoadSkin(L"Definitions\\English.xml", n % 2 ? L"Definitions\\Aurora.xml" : L"Definitions\\Ember.xml");
        Lap(0);
        nSkinned += dialog.SkinMe(L"Gallery", 128) ? 1 : 0;
        CMenu* pBarMenu = GetSkinMenu(L"GalleryBar");
        menuBar.SetMenu(pBarMenu ? pBarMenu->m_hMenu : NULL);
        CreateSkinToolBar(L"Gallery", &toolBar);
        Lap(1);
        dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Lap(2);
        if (n % 10 == 0)
        {
            TrackSkinPopupMenu(L"Context", CPoint(300, 200), 0, TPM_RETURNCMD, &owner);
            nMenus++;
        }
        Lap(3);
        if (n % 50 == 0)
            toolBar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10 + n % 100, 10));
        KorvoTest::PumpMessages(0);
        Lap(4);
        if (n % 1000 == 999)
            printf("switches: %u switched, %.1f s, %.1f switches/s\n", n + 1, Now() - dStart, (n + 1) / (Now() - dStart));
        if (n == std::min(nCount - 1, 20u))
        {
            start = Measure();
            PrintFigures("switches", "start", start);
        }
    }
    double dElapsed = Now() - dStart;
    ::KillTimer(NULL, nTimer);
    toolBar.DestroyWindow();
    menuBar.DestroyWindow();
    dialog.DestroyWindow();
    UnInitSkin();
    PrintFigures("switches", "end", Measure());
    printf("switches: %u skin switches (%u found their window skin), %u popup menus opened, %.1f s, %.1f switches/s\n",
           nCount, nSkinned, nMenus, dElapsed, nCount / dElapsed);
    printf("switches: seconds in LoadSkin %.1f, re-skinning dialog and bars %.1f, painting %.1f, menus %.1f,"
           " messages %.1f\n", adSteps[0], adSteps[1], adSteps[2], adSteps[3], adSteps[4]);
    return (int)nCount;
}

} // namespace Soak
