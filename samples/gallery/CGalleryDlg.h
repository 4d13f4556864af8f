#pragma once
#include <KorvoSkin.h>
#include "CGalleryPage.h"
#include "CControlsPage.h"
#include "CGalleryBars.h"
#include "resource.h"

// The gallery's main window: a skinned, resizable dialog with an embedded page, an owner-drawn
// context menu and a command that switches between the bundled skins.
class CGalleryDlg : public CSkinDialog
{
public:
    CGalleryDlg();
    BOOL OnInitDialog() override;

    // Loads the skin named by m_strSkin with the language file on top, or, following the
    // system, Aurora in light mode and Midnight in dark mode.
    void LoadGallerySkin();

    CString m_strSkin;
    BOOL m_bFollowSystem;
    BOOL m_bOpenMenu;
    // Show the controls page instead of the embedded page; put the pointer on one of its controls.
    BOOL m_bControls;
    BOOL m_bHot;
    BOOL m_bShowBars;
    // Where the window goes once shown, when m_bPlaced (else where it was last left).
    BOOL m_bPlaced;
    CPoint m_ptPlace;

protected:
    afx_msg void OnSwitchSkin();
    afx_msg void OnMenuButton();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnUpdateViewLarge(CCmdUI* pCmdUI);
    afx_msg void OnCommandItem();
    afx_msg LRESULT OnSkinChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ApplySkin();
    static BOOL SystemIsDark();
    void ShowContextMenu(CPoint point);

    CGalleryPage m_page;
    CControlsPage m_controls;
    CGalleryBars m_bars;
};
