// The first host's main window: a skinned dialog with a menu bar and a toolbar along its top, a
// few skinned controls, and a Skin menu that switches between the bundled skins at run time.
#pragma once
#include <KorvoSkin.h>
#include "resource.h"

class CMainDlg : public CSkinDialog
{
public:
    CMainDlg();

    // Loads the bundled skin named m_strSkin, or with no name the light or dark one by the
    // system's choice.
    void LoadChosenSkin();

    CString m_strSkin;
    // Opens the menu bar's Skin popup once the window shows (for screenshots).
    BOOL m_bOpenMenu;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnMenuButton();
    afx_msg void OnCommandChosen(UINT nID);
    afx_msg void OnAppExit();
    afx_msg void OnChooseSkin(UINT nID);
    afx_msg void OnUpdateChooseSkin(CCmdUI* pCmdUI);
    afx_msg LRESULT OnSkinChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // What follows every skin load: the frame, the bars' content and the texts.
    void ApplySkin();
    // Moves the template's controls below the bars, once they are filled.
    void MakeRoomForBars();
    // Docks the bars along the top edge, after every fill and resize.
    void LayoutBars();

    CCoolMenuBarCtrl m_menuBar;
    CCoolBarCtrl m_toolBar;
    CSkinCheckBox m_tips;
    CSkinSliderCtrl m_volume;
};
