#include "CDialog.h"
#include "AfxResource.h"
#include "AfxThreadState.h"
#include "CWinApp.h"
#include "CControlBar.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

// The dialog's messages arrive through the framework's window procedure; the dialog
// procedure only lets the system's dialog manager do its default work.
static INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_lpDialogTemplate(NULL), m_pParentWnd(NULL), m_nModalResult(-1),
      m_bContinueModal(FALSE), m_bInModalLoop(FALSE)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

LPCDLGTEMPLATEW CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return NULL;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    HRSRC hResource = hInst ? ::FindResourceW(hInst, m_lpszTemplateName, (LPCWSTR)RT_DIALOG) : NULL;
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : NULL;
    return hTemplate ? (LPCDLGTEMPLATEW)::LockResource(hTemplate) : NULL;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    if (!lpDialogTemplate)
        return FALSE;
    HINSTANCE hInst = AfxGetInstanceHandle() ? AfxGetInstanceHandle() : ::GetModuleHandleW(NULL);
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : NULL, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != NULL;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(LoadTemplate(), pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEW lpTemplate = LoadTemplate();
    if (!lpTemplate)
        return -1;

    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!hWndParent && pMainWnd && pMainWnd != this)
        hWndParent = pMainWnd->m_hWnd;
    BOOL bEnableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_nModalResult = -1;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent)))
    {
        m_bContinueModal = m_nModalResult == -1;
        if (m_bContinueModal)
            ShowWindow(SW_SHOWNORMAL);
        m_bInModalLoop = TRUE;
        MSG msg;
        while (m_bContinueModal && m_hWnd)
        {
            if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
            {
                AfxIdleUpdateCmdUI(m_hWnd);
                AfxDeleteTempMaps();
            }
            if (::GetMessageW(&msg, NULL, 0, 0) <= 0)
            {
                // Leave the quit request for the outer loop.
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        m_bInModalLoop = FALSE;
    }

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd)
    {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bInModalLoop)
    {
        m_bContinueModal = FALSE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Only commands go further: control IDs (below 0x8000) and system commands stay here.
    if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || !(nID & 0x8000) || nID >= 0xF000)
        return FALSE;
    CWnd* pOwner = m_hWnd ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : NULL;
    if (pOwner && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
