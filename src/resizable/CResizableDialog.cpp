#include <KorvoSkin/CResizableDialog.h>
#include "CResizableDialogState.h"

IMPLEMENT_DYNAMIC(CResizableDialog, CDialog)

BEGIN_MESSAGE_MAP(CResizableDialog, CDialog)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CResizableDialog::CResizableDialog() : m_pState(new CResizableDialogState)
{
}

CResizableDialog::CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_pState(new CResizableDialogState)
{
}

CResizableDialog::CResizableDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_pState(new CResizableDialogState)
{
}

CResizableDialog::~CResizableDialog()
{
}

int CResizableDialog::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (!(GetStyle() & WS_CHILD))
    {
        // The frame around the template's client area is the smallest the dialog may become.
        CRect rect;
        GetClientRect(&rect);
        ::AdjustWindowRectEx(&rect, GetStyle(), ::GetMenu(m_hWnd) != NULL, GetExStyle());
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREPOSITION | SWP_FRAMECHANGED);
        SetMinTrackSize(rect.Size());
    }

    return CreateGripWindow(FALSE, TRUE, FALSE) ? 0 : -1;
}

void CResizableDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);

    // Another window was maximised or restored: this one did not change.
    if (nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE)
        return;

    if (nType == SIZE_MAXIMIZED)
        RequestGripHidden(&m_pState->m_dwGripRequests, 1);
    else
        RequestGripShown(&m_pState->m_dwGripRequests, 1);

    PositionGrip();
    ArrangeLayout();
}

void CResizableDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    MinMaxInfo(lpMMI);
}

BOOL CResizableDialog::OnEraseBkgnd(CDC* pDC)
{
    EraseBackground(pDC);
    return TRUE;
}

void CResizableDialog::OnDestroy()
{
    if (m_pState->m_bSavePlacement)
        StorePlacement(m_pState->m_strPlacementSection, m_pState->m_bPlacementRectOnly);
    // Anchors hold this window's children; a new window needs new ones.
    RemoveAllAnchors();
    // A new window starts with a new, hidden grip: its own request counts as made again, even
    // when this window was closed maximised.
    m_pState->m_dwGripRequests |= 1;
    CDialog::OnDestroy();
}

void CResizableDialog::EnableSaveRestore(LPCWSTR pszSection, BOOL bRectOnly)
{
    m_pState->m_strPlacementSection = pszSection;
    m_pState->m_bPlacementRectOnly = bRectOnly;
    m_pState->m_bSavePlacement = TRUE;
    RestorePlacement(pszSection, bRectOnly);
}
