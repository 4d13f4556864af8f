#pragma once
#include <KorvoSkin.h>

// The gallery's command bars: a menu bar over the skin's "GalleryBar" menu and a toolbar from
// the skin's "Gallery" template, in one row above the dialog's own controls.
class CGalleryBars
{
public:
    // Makes room at the top of pDialog's client area and creates both bars there.
    void Create(CWnd* pDialog);
    // After every skin load: the bars take the new skin's menu and buttons.
    void Refill();
    // For screenshots: a hovered toolbar button and an open popup of the menu bar.
    void ShowOff();
    void Layout();

    CCoolMenuBarCtrl m_menuBar;
    CCoolBarCtrl m_toolBar;
};
