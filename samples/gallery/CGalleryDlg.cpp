#include "CGalleryDlg.h"
#include <algorithm>

static const UINT_PTR TIMER_OPEN_MENU = 1;
static const UINT_PTR TIMER_SHOW_HOT = 2;
static const UINT WM_SKIN_CHANGED = ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE);

BEGIN_MESSAGE_MAP(CGalleryDlg, CSkinDialog)
    ON_BN_CLICKED(IDC_SWITCH, OnSwitchSkin)
    ON_BN_CLICKED(IDC_MENU, OnMenuButton)
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_REGISTERED_MESSAGE(WM_SKIN_CHANGED, OnSkinChanged)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LARGE, OnUpdateViewLarge)
    ON_COMMAND(ID_FILE_OPEN, OnCommandItem)
    ON_COMMAND(ID_FILE_SAVE, OnCommandItem)
    ON_COMMAND(ID_EDIT_CUT, OnCommandItem)
    ON_COMMAND(ID_EDIT_COPY, OnCommandItem)
    ON_COMMAND(ID_EDIT_PASTE, OnCommandItem)
END_MESSAGE_MAP()

CGalleryDlg::CGalleryDlg()
    : CSkinDialog(IDD_GALLERY), m_strSkin(L"Aurora"), m_bFollowSystem(FALSE), m_bOpenMenu(FALSE), m_bControls(FALSE), m_bHot(FALSE), m_bShowBars(FALSE), m_bPlaced(FALSE), m_ptPlace(0, 0)
{
}

void CGalleryDlg::LoadGallerySkin()
{
    // The skin file comes second so that the language file has the last word.
    if (!m_bFollowSystem)
    {
        LoadSkin(L"Definitions\\English.xml", L"Definitions\\" + m_strSkin + L".xml");
        return;
    }
    m_strSkin = SystemIsDark() ? L"Midnight" : L"Aurora";
    LoadSkinForSystemTheme(L"Definitions\\English.xml", L"Definitions\\Aurora.xml", L"Definitions\\English.xml",
                           L"Definitions\\Midnight.xml");
}

// The user's choice as the library reads it, only to name the skin in the title.
BOOL CGalleryDlg::SystemIsDark()
{
    DWORD dwLight = 1, cb = sizeof(dwLight);
    return ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                          L"AppsUseLightTheme", RRF_RT_REG_DWORD, NULL, &dwLight, &cb) == ERROR_SUCCESS &&
           dwLight == 0;
}

LRESULT CGalleryDlg::OnSkinChanged(WPARAM wParam, LPARAM)
{
    // A reload of a watched skin keeps its name; a switch by the system's choice changes it.
    if (m_bFollowSystem)
        m_strSkin = wParam ? L"Midnight" : L"Aurora";
    ApplySkin();
    return 0;
}

BOOL CGalleryDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_bars.Create(this);

    CRect rcPage;
    GetDlgItem(IDC_PAGE_FRAME)->GetWindowRect(&rcPage);
    ScreenToClient(&rcPage);
    m_page.Create(IDD_PAGE, this);
    m_page.MoveWindow(&rcPage);
    m_page.ShowWindow(SW_SHOW);

    AddAnchor(IDC_TITLE, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_GREETING, TOP_LEFT, TOP_RIGHT);
    AddAnchor(IDC_DETAILS, TOP_LEFT, TOP_RIGHT);
    AddAnchor(m_page.m_hWnd, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(IDC_SWITCH, BOTTOM_LEFT);
    AddAnchor(IDC_MENU, BOTTOM_LEFT);
    AddAnchor(IDOK, BOTTOM_RIGHT);
    EnableSaveRestore(L"Gallery");

    // The controls page takes the embedded page's place; the gallery grows to hold it.
    if (m_bControls && m_controls.Create(IDD_CONTROLS, this))
    {
        CRect rcControls, rcWindow;
        m_controls.GetWindowRect(&rcControls);
        GetWindowRect(&rcWindow);
        m_page.ShowWindow(SW_HIDE);
        m_controls.MoveWindow(rcPage.left, rcPage.top, rcControls.Width(), rcControls.Height());
        AddAnchor(m_controls.m_hWnd, TOP_LEFT);
        SetWindowPos(NULL, 0, 0, rcWindow.Width() + std::max(0, rcControls.Width() - rcPage.Width()),
                     rcWindow.Height() + std::max(0, rcControls.Height() - rcPage.Height()), SWP_NOMOVE | SWP_NOZORDER);
        m_controls.ShowWindow(SW_SHOW);
        if (m_bHot)
            SetTimer(TIMER_SHOW_HOT, 700);
    }

    ApplySkin();
    if (m_bPlaced)
        SetWindowPos(NULL, m_ptPlace.x, m_ptPlace.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (m_bOpenMenu || m_bShowBars)
        SetTimer(TIMER_OPEN_MENU, 700);
    return TRUE;
}

void CGalleryDlg::ApplySkin()
{
    SkinMe(L"Gallery", IDR_MAINFRAME);
    m_bars.Refill();
    SetWindowText(GetSkinString(IDS_GALLERY_TITLE));
    SetDlgItemText(IDC_TITLE, GetSkinString(IDS_GALLERY_TITLE) + L"  \x2014  " + m_strSkin);
    SetDlgItemText(IDC_GREETING, GetSkinString(IDS_GALLERY_GREETING));
    SetDlgItemText(IDC_DETAILS, GetSkinString(IDS_GALLERY_DETAILS));
    SetDlgItemText(IDC_SWITCH, GetSkinString(IDS_SWITCH));
    m_page.SetDlgItemText(IDC_PAGE_TEXT, GetSkinString(IDS_PAGE_TEXT));
    if (m_controls.m_hWnd)
        m_controls.ApplySkin();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CGalleryDlg::OnSize(UINT nType, int cx, int cy)
{
    CSkinDialog::OnSize(nType, cx, cy);
    // The bars follow the dialog's width.
    if (m_bars.m_toolBar.m_hWnd)
        m_bars.Layout();
}

void CGalleryDlg::OnSwitchSkin()
{
    // A skin the user picked stays until the next pick.
    m_bFollowSystem = FALSE;
    m_strSkin = m_strSkin == L"Aurora" ? L"Ember" : m_strSkin == L"Ember" ? L"Midnight" : L"Aurora";
    LoadGallerySkin();
    ApplySkin();
}

void CGalleryDlg::OnMenuButton()
{
    CRect rc;
    GetDlgItem(IDC_MENU)->GetWindowRect(&rc);
    ShowContextMenu(CPoint(rc.left, rc.bottom));
}

void CGalleryDlg::OnContextMenu(CWnd*, CPoint point)
{
    ShowContextMenu(point);
}

void CGalleryDlg::ShowContextMenu(CPoint point)
{
    if (point.x == -1 && point.y == -1)
    {
        CRect rc;
        GetClientRect(&rc);
        ClientToScreen(&rc);
        point = rc.CenterPoint();
    }
    TrackSkinPopupMenu(L"Context", point, ID_FILE_OPEN, TPM_LEFTALIGN, this);
}

void CGalleryDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_SHOW_HOT)
    {
        KillTimer(TIMER_SHOW_HOT);
        m_controls.ShowHot();
        return;
    }
    if (nIDEvent != TIMER_OPEN_MENU)
    {
        CSkinDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(TIMER_OPEN_MENU);
    if (m_bShowBars)
    {
        m_bars.ShowOff();
        return;
    }
    CRect rc;
    GetWindowRect(&rc);
    ShowContextMenu(CPoint(rc.left + 120, rc.top + 110));
}

void CGalleryDlg::OnUpdateViewLarge(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(1);
}

void CGalleryDlg::OnCommandItem()
{
    const MSG* pMsg = GetCurrentMessage();
    SetDlgItemText(IDC_GREETING, GetSkinString(LOWORD(pMsg->wParam)));
}
