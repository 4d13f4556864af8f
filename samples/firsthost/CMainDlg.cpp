#include "CMainDlg.h"

static const UINT_PTR TIMER_OPEN_MENU = 1;
// The bars' places among the control-bar ids, in docking order: the menu bar, created first,
// takes the top row and the toolbar the row below it.
static const UINT IDW_MENU_BAR = AFX_IDW_CONTROLBAR_FIRST;
static const UINT IDW_TOOL_BAR = AFX_IDW_CONTROLBAR_FIRST + 1;
// The message the library sends after it switched to the other skin of the light and dark pair.
static const UINT WM_SKIN_CHANGED = ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE);

BEGIN_MESSAGE_MAP(CMainDlg, CSkinDialog)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(IDC_MENU, OnMenuButton)
    ON_COMMAND_RANGE(ID_FILE_OPEN, ID_EDIT_PASTE, OnCommandChosen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_RANGE(ID_SKIN_AURORA, ID_SKIN_SYSTEM, OnChooseSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_AURORA, OnUpdateChooseSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_EMBER, OnUpdateChooseSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_MIDNIGHT, OnUpdateChooseSkin)
    ON_UPDATE_COMMAND_UI(ID_SKIN_SYSTEM, OnUpdateChooseSkin)
    ON_REGISTERED_MESSAGE(WM_SKIN_CHANGED, OnSkinChanged)
END_MESSAGE_MAP()

// The Skin menu's commands and the bundled skins they load, in order; no name follows the system.
static const wchar_t* const s_pszSkins[] = { L"Aurora", L"Ember", L"Midnight", L"" };

CMainDlg::CMainDlg() : CSkinDialog(IDD_MAIN), m_bOpenMenu(FALSE)
{
}

void CMainDlg::LoadChosenSkin()
{
    if (m_strSkin.IsEmpty())
        LoadSkinForSystemTheme(L"Skins\\Aurora.xml", L"", L"Skins\\Midnight.xml", L"");
    else
        LoadSkin(L"Skins\\" + m_strSkin + L".xml", L"");
}

BOOL CMainDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    m_menuBar.Create(this, WS_VISIBLE | CBRS_ALIGN_TOP, IDW_MENU_BAR);
    m_toolBar.Create(this, WS_VISIBLE | CBRS_ALIGN_TOP, IDW_TOOL_BAR);
    m_tips.SubclassDlgItem(IDC_TIPS, this);
    m_volume.SubclassDlgItem(IDC_VOLUME, this);
    m_volume.SetRange(0, 100);
    m_volume.SetPos(60);
    ApplySkin();
    MakeRoomForBars();

    AddAnchor(IDC_INTRO, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_NAME, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_VOLUME, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_MENU, BOTTOM_LEFT);
    AddAnchor(IDOK, BOTTOM_RIGHT);
    if (m_bOpenMenu)
        SetTimer(TIMER_OPEN_MENU, 700, NULL);
    return TRUE;
}

void CMainDlg::ApplySkin()
{
    // "Main" is the name every general-purpose skin frames a host's main window under.
    SkinMe(L"Main", IDR_MAINFRAME);
    CMenu* pBarMenu = GetSkinMenu(L"MainBar");
    m_menuBar.SetMenu(pBarMenu ? pBarMenu->m_hMenu : NULL);
    CreateSkinToolBar(L"Main", &m_toolBar);
    SetWindowText(GetSkinString(IDS_TITLE));
    SetDlgItemText(IDC_INTRO, GetSkinString(IDS_INTRO));
    LayoutBars();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CMainDlg::MakeRoomForBars()
{
    // The template's controls start at the top of the client area: they move down by the room
    // the bars take, and the dialog grows by as much.
    CRect rcFree;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rcFree);
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if (pChild->m_hWnd == m_menuBar.m_hWnd || pChild->m_hWnd == m_toolBar.m_hWnd)
            continue;
        CRect rc;
        pChild->GetWindowRect(&rc);
        ScreenToClient(&rc);
        pChild->MoveWindow(rc.left, rc.top + rcFree.top, rc.Width(), rc.Height());
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() + rcFree.top, SWP_NOMOVE | SWP_NOZORDER);
}

void CMainDlg::LayoutBars()
{
    // Each bar reports the size it needs and takes its strip off the top of the client area.
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
}

void CMainDlg::OnSize(UINT nType, int cx, int cy)
{
    CSkinDialog::OnSize(nType, cx, cy);
    if (m_toolBar.m_hWnd)
        LayoutBars();
}

void CMainDlg::OnChooseSkin(UINT nID)
{
    m_strSkin = s_pszSkins[nID - ID_SKIN_AURORA];
    LoadChosenSkin();
    ApplySkin();
}

void CMainDlg::OnUpdateChooseSkin(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(m_strSkin == s_pszSkins[pCmdUI->m_nID - ID_SKIN_AURORA]);
}

LRESULT CMainDlg::OnSkinChanged(WPARAM, LPARAM)
{
    // The library loaded the other skin of the pair by itself: the same steps as after LoadSkin.
    ApplySkin();
    return 0;
}

void CMainDlg::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1)
    {
        CRect rc;
        GetDlgItem(IDC_NAME)->GetWindowRect(&rc);
        point = rc.CenterPoint();
    }
    TrackSkinPopupMenu(L"Context", point, 0, TPM_LEFTALIGN, this);
}

void CMainDlg::OnMenuButton()
{
    CRect rc;
    GetDlgItem(IDC_MENU)->GetWindowRect(&rc);
    TrackSkinPopupMenu(L"Context", CPoint(rc.left, rc.bottom), 0, TPM_LEFTALIGN, this);
}

void CMainDlg::OnCommandChosen(UINT nID)
{
    // A tip string is the status text, a line break and the tooltip: the first line says it.
    CString strText = GetSkinString(nID);
    int nBreak = strText.Find(L'\n');
    SetDlgItemText(IDC_INTRO, nBreak >= 0 ? strText.Left(nBreak) : strText);
}

void CMainDlg::OnAppExit()
{
    EndDialog(IDOK);
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_OPEN_MENU)
    {
        CSkinDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(TIMER_OPEN_MENU);
    m_menuBar.OpenMenuChar('s');
}
