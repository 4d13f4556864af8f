// The gallery's host with the gallery's command bars docked above its controls page, filled
// from the bundled skin as the gallery fills them, recording the commands they post and the
// popups they open.
#pragma once
#include "GalleryPageHost.h"

namespace GalleryTest
{
class CBarsHost : public CGalleryHost
{
public:
    CBarsHost();
    ~CBarsHost();

    CCoolMenuBarCtrl m_menuBar;
    CCoolBarCtrl m_toolBar;
    // Commands the bars posted, and the popups that opened, in order.
    std::vector<UINT> m_commands;
    std::vector<HMENU> m_popups;
    // Ends each popup as soon as its loop is idle.
    bool m_bEndMenus = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
}
