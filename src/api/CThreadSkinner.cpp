#include "CThreadSkinner.h"
#include "CHandleWindows.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CMenuSkinner.h"
#include "../parts/CWindowProcLink.h"
#include <commctrl.h>
#include <cwchar>

namespace
{
const wchar_t DIALOG_CLASS[] = L"#32770";

// The calling thread's skinner while it runs; the hook and the subclasses find it here.
thread_local CThreadSkinner* s_pRunning = NULL;

BOOL HasClass(HWND hWnd, const wchar_t* pszClass)
{
    wchar_t szClass[16] = L"";
    return ::GetClassNameW(hWnd, szClass, 16) && !wcscmp(szClass, pszClass);
}
} // namespace

CThreadSkinner::CThreadSkinner(CHandleWindows& windows, const CSkinRegistry& registry)
    : m_windows(windows), m_registry(registry), m_nFlags(0), m_pfnCallback(NULL), m_pCallbackContext(NULL)
{
}

CThreadSkinner::~CThreadSkinner()
{
    Stop();
}

int CThreadSkinner::Start(UINT nFlags)
{
    nFlags &= KORVOSKIN_THREAD_ALL;
    if (!nFlags)
    {
        Stop();
        return KORVOSKIN_OK;
    }
    // The menu engine's hook, which the owner thread has from Init, already sees every window
    // come into being: a hook of this skinner's own would cost every window of the thread again.
    if (!CMenuSkinner::IsThreadHooked())
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    m_nFlags = nFlags;
    s_pRunning = this;
    CMenuSkinner::SetCreationObserver(OnCreating);
    CMenuSkinner::ServeAllWindows((nFlags & KORVOSKIN_THREAD_MENUS) != 0);
    return KORVOSKIN_OK;
}

void CThreadSkinner::Stop()
{
    if (s_pRunning == this)
    {
        CMenuSkinner::SetCreationObserver(NULL);
        CMenuSkinner::ServeAllWindows(FALSE);
        s_pRunning = NULL;
    }
    m_nFlags = 0;
    m_windows.ReleaseThreadWindows();
}

void CThreadSkinner::SetCallback(KORVOSKIN_THREAD_WINDOW_PROC pfnProc, void* pContext)
{
    m_pfnCallback = pfnProc;
    m_pCallbackContext = pfnProc ? pContext : NULL;
}

CThreadSkinner::Kind CThreadSkinner::KindOf(HWND hWnd, DWORD dwStyle, HWND hParent) const
{
    const BOOL bDialog = HasClass(hWnd, DIALOG_CLASS);
    if (dwStyle & WS_CHILD)
    {
        // A page or a dialog's own template inside a window whose controls are skinned.
        if (bDialog && (m_nFlags & KORVOSKIN_THREAD_CONTROLS) && m_windows.IsSkinned(::GetAncestor(hParent, GA_ROOT)))
            return KIND_CONTAINER;
        return KIND_NONE;
    }
    if (hParent == HWND_MESSAGE)
        return KIND_NONE;
    if (bDialog)
        return (m_nFlags & (KORVOSKIN_THREAD_DIALOGS | KORVOSKIN_THREAD_MESSAGE_BOXES)) ? KIND_DIALOG : KIND_NONE;
    // A frame asks for a caption with a system menu or a sizing border. Hidden helper windows
    // made with no style (which the system still gives a caption) and popups (menus, tooltips,
    // drop-down lists, splash windows) ask for neither.
    if ((m_nFlags & KORVOSKIN_THREAD_FRAMES) && (dwStyle & WS_CAPTION) == WS_CAPTION && (dwStyle & (WS_SYSMENU | WS_THICKFRAME)))
        return KIND_FRAME;
    return KIND_NONE;
}

void CThreadSkinner::OnCreating(HWND hWnd, const CREATESTRUCTW* pCreate)
{
    if (!s_pRunning)
        return;
    const Kind kind = s_pRunning->KindOf(hWnd, (DWORD)pCreate->style, pCreate->hwndParent);
    if (kind != KIND_NONE)
        CWindowProcLink::Attach(hWnd, CreationProc, (void*)(INT_PTR)kind);
}

LRESULT CThreadSkinner::CreationProc(void* pKind, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const Kind kind = (Kind)(INT_PTR)pKind;
    // A dialog's controls exist once its WM_INITDIALOG has been answered, a frame's children
    // once its WM_CREATE has.
    const BOOL bCreated = kind == KIND_FRAME ? nMsg == WM_CREATE : nMsg == WM_INITDIALOG;
    if (bCreated || nMsg == WM_NCDESTROY)
    {
        // The window's own link, which its skin takes over, is free once its creation is seen.
        CWindowProcLink::Detach(hWnd);
        const LRESULT lResult = CWindowProcLink::CallNext(hWnd, nMsg, wParam, lParam);
        if (bCreated && s_pRunning && ::IsWindow(hWnd) && !(kind == KIND_FRAME && lResult == -1))
            s_pRunning->Created(hWnd, kind);
        return lResult;
    }
    return CWindowProcLink::CallNext(hWnd, nMsg, wParam, lParam);
}

BOOL CThreadSkinner::IsMessageBox(HWND hWnd)
{
    // The system's message box holds only buttons and labels, its text in a label of a known id
    // (0xFFFF on Windows, 100 under Wine).
    BOOL bText = FALSE;
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        const BOOL bStatic = HasClass(hChild, WC_STATICW);
        if (!bStatic && !HasClass(hChild, WC_BUTTONW))
            return FALSE;
        const int nID = ::GetDlgCtrlID(hChild);
        if (bStatic && (nID == 0xFFFF || nID == 100))
            bText = TRUE;
    }
    return bText;
}

LPCWSTR CThreadSkinner::TargetOf(HWND hWnd, Kind kind) const
{
    if (kind == KIND_FRAME)
        return L"Main";
    if (IsMessageBox(hWnd))
    {
        if (!(m_nFlags & KORVOSKIN_THREAD_MESSAGE_BOXES))
            return NULL;
        return m_registry.FindWindowSkin(L"MessageBox") ? L"MessageBox" : L"Dialog";
    }
    return (m_nFlags & KORVOSKIN_THREAD_DIALOGS) ? L"Dialog" : NULL;
}

void CThreadSkinner::Created(HWND hWnd, Kind kind)
{
    if (kind == KIND_CONTAINER)
    {
        m_windows.SkinContainerControls(hWnd);
        return;
    }
    LPCWSTR pszTarget = TargetOf(hWnd, kind);
    if (pszTarget && m_pfnCallback)
        pszTarget = m_pfnCallback(hWnd, pszTarget, m_pCallbackContext);
    if (!pszTarget || !::IsWindow(hWnd))
        return;
    // A skin without a window skin for the target still dresses the controls.
    const CString strTarget(pszTarget);
    m_windows.Skin(hWnd, strTarget);
    if ((m_nFlags & KORVOSKIN_THREAD_CONTROLS) && ::IsWindow(hWnd))
        m_windows.SkinControls(hWnd);
    m_windows.MarkThreadWindow(hWnd);
}
