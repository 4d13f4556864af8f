#include "AccessibilityBars.h"

namespace GalleryTest
{
CBarsHost::CBarsHost()
{
    if (!m_hWnd)
        return;
    m_menuBar.Create(this, WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_CONTROLBAR_FIRST);
    m_toolBar.Create(this, WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_CONTROLBAR_FIRST + 1);
    CMenu* pMenu = GetSkinMenu(L"GalleryBar");
    m_menuBar.SetMenu(pMenu ? pMenu->m_hMenu : NULL);
    CreateSkinToolBar(L"Gallery", &m_toolBar);
    // The page moves down by the room the bars take, and the dialog grows by as much.
    CRect rcFree;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, CWnd::reposQuery, &rcFree);
    m_page.SetWindowPos(NULL, 0, rcFree.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() + rcFree.top, SWP_NOMOVE | SWP_NOZORDER);
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    KorvoTest::PumpMessages(20);
}

CBarsHost::~CBarsHost()
{
    m_toolBar.DestroyWindow();
    m_menuBar.DestroyWindow();
}

LRESULT CBarsHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && !lParam)
        m_commands.push_back(LOWORD(wParam));
    else if (message == WM_INITMENUPOPUP)
        m_popups.push_back((HMENU)wParam);
    else if (message == WM_ENTERIDLE && wParam == MSGF_MENU && m_bEndMenus)
        ::EndMenu();
    return CGalleryHost::WindowProc(message, wParam, lParam);
}
}
