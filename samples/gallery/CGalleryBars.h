#pragma once
#include <KorvoSkin.h>

// The gallery's command bars: a menu bar over the skin's "GalleryBar" menu and, below it, a
// toolbar from the skin's "Gallery" template, docked along the top of the dialog above its own
// controls.
class CGalleryBars
{
public:
    // Creates and fills both bars on pDialog, and moves the dialog's controls down (growing the
    // dialog) by the room the bars take.
    void Create(CWnd* pDialog);
    // After every skin load: the bars take the new skin's menu and buttons.
    void Refill();
    // For screenshots: a hovered toolbar button and an open popup of the menu bar.
    void ShowOff();
    // Docks the bars along the dialog's top edge.
    void Layout();

    CCoolMenuBarCtrl m_menuBar;
    CCoolBarCtrl m_toolBar;
};
