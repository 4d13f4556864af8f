#include "CHandleWindows.h"
#include "../windowskin/CSkinnedWindow.h"
#include "../skin/CSkinContext.h"
#include "../skin/CSkinRegistry.h"
#include "../bars/CCoolBarTemplateFill.h"
#include "../bars/CCoolBarTheme.h"
#include "../controls/ControlAttach.h"
#include <KorvoSkin/CCoolBarCtrl.h>
#include <vector>

CHandleWindows::CHandleWindows(const CSkinContext& context)
    : m_context(context), m_pfnSkinChanged(NULL), m_pSkinChangedContext(NULL)
{
}

CHandleWindows::~CHandleWindows()
{
    Clear();
}

int CHandleWindows::CheckTopLevel(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return KORVOSKIN_E_BAD_ARGUMENT;
    DWORD dwProcess = 0;
    if (::GetWindowThreadProcessId(hWnd, &dwProcess) != ::GetCurrentThreadId() || dwProcess != ::GetCurrentProcessId())
        return KORVOSKIN_E_WRONG_THREAD;
    if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)
        return KORVOSKIN_E_BAD_ARGUMENT;
    return KORVOSKIN_OK;
}

CSkinnedWindow* CHandleWindows::Record(HWND hWnd)
{
    auto it = m_windows.find(hWnd);
    if (it != m_windows.end())
        return it->second.get();
    std::unique_ptr<CSkinnedWindow> pWindow = CSkinnedWindow::Attach(hWnd, m_context, [this](HWND hGone) { Forget(hGone); });
    if (!pWindow)
        return NULL;
    CSkinnedWindow* pRecord = pWindow.get();
    m_windows[hWnd] = std::move(pWindow);
    return pRecord;
}

void CHandleWindows::Forget(HWND hWnd)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return;
    std::unique_ptr<CSkinnedWindow> pWindow = std::move(it->second);
    m_windows.erase(it);
    m_threadWindows.erase(hWnd);
    CSkinnedWindow::Dispose(std::move(pWindow));
}

int CHandleWindows::Skin(HWND hWnd, LPCWSTR pszTarget)
{
    if (const int nCode = CheckTopLevel(hWnd))
        return nCode;
    if (!pszTarget)
        return KORVOSKIN_E_BAD_ARGUMENT;
    auto it = m_windows.find(hWnd);
    if (it != m_windows.end() && it->second->HasTarget())
        return KORVOSKIN_E_ALREADY_SKINNED;
    // While the look is left to the system the window is recorded with its target and keeps the
    // system's frame until the skin comes back.
    if (!m_context.Registry().FindWindowSkin(pszTarget) && !m_context.Registry().LeavesLookToSystem())
        return KORVOSKIN_E_NOT_FOUND;
    CSkinnedWindow* pWindow = Record(hWnd);
    if (!pWindow)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    pWindow->SkinFrame(pszTarget);
    return KORVOSKIN_OK;
}

int CHandleWindows::Unskin(HWND hWnd)
{
    if (const int nCode = CheckTopLevel(hWnd))
        return nCode;
    if (m_windows.find(hWnd) == m_windows.end())
        return KORVOSKIN_E_NOT_SKINNED;
    Forget(hWnd);
    return KORVOSKIN_OK;
}

int CHandleWindows::SkinControls(HWND hParent)
{
    if (const int nCode = CheckTopLevel(hParent))
        return nCode;
    CSkinnedWindow* pWindow = Record(hParent);
    if (!pWindow)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    return AttachControls(*pWindow, hParent, 0);
}

int CHandleWindows::SkinContainerControls(HWND hContainer)
{
    const HWND hRoot = ::GetAncestor(hContainer, GA_ROOT);
    auto it = m_windows.find(hRoot);
    if (it == m_windows.end() || !IsContainer(hContainer) || !it->second->AdoptContainer(hContainer))
        return 0;
    return AttachControls(*it->second, hContainer, 1);
}

void CHandleWindows::MarkThreadWindow(HWND hWnd)
{
    if (m_windows.find(hWnd) != m_windows.end())
        m_threadWindows.insert(hWnd);
}

void CHandleWindows::ReleaseThreadWindows()
{
    while (!m_threadWindows.empty())
        Forget(*m_threadWindows.begin());
}

BOOL CHandleWindows::IsSkinned(HWND hWnd) const
{
    return m_windows.find(hWnd) != m_windows.end();
}

BOOL CHandleWindows::IsContainer(HWND hWnd)
{
    wchar_t szClass[8] = L"";
    return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && ::GetClassNameW(hWnd, szClass, 8) &&
           !wcscmp(szClass, L"#32770");
}

int CHandleWindows::AttachControls(CSkinnedWindow& window, HWND hParent, int nDepth)
{
    // Taken first: attaching a control may make the window create or destroy others.
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    int nSkinned = 0;
    for (HWND hChild : children)
    {
        if (!::IsWindow(hChild) || window.HoldsChild(hChild))
            continue;
        // A dialog inside the window (a property page) holds controls of its own; its own
        // children ask it, not the window, for their colours and drawing.
        if (IsContainer(hChild))
        {
            if (nDepth < MAX_CONTAINER_DEPTH && window.AdoptContainer(hChild))
                nSkinned += AttachControls(window, hChild, nDepth + 1);
            continue;
        }
        const DWORD dwStyle = ::GetWindowLongW(hChild, GWL_STYLE);
        if (std::unique_ptr<CWnd> pControl = AttachSkinControl(hChild))
        {
            window.AdoptControl(std::move(pControl), dwStyle);
            nSkinned++;
        }
    }
    return nSkinned;
}

HWND CHandleWindows::CreateToolBar(HWND hParent, LPCWSTR pszName, UINT nID)
{
    if (CheckTopLevel(hParent) != KORVOSKIN_OK || !pszName || !nID || nID > 0xFFFF)
        return NULL;
    const CSkinToolbarTemplate* pTemplate = m_context.Registry().GetToolbar(pszName);
    if (!pTemplate)
        return NULL;
    CSkinnedWindow* pWindow = Record(hParent);
    if (!pWindow)
        return NULL;
    std::unique_ptr<CCoolBarCtrl> pBar(new CCoolBarCtrl);
    if (!pBar->Create(&pWindow->Window(), WS_VISIBLE | CBRS_ALIGN_TOP, nID))
        return NULL;
    if (!CCoolBarTemplateFill::Fill(*pBar, pTemplate, CCoolBarTheme::GetWatermarks(), CCoolBarTheme::GetImageGeneration()))
        return NULL;
    const HWND hBar = pBar->m_hWnd;
    pWindow->AdoptBar(std::move(pBar));
    return hBar;
}

void CHandleWindows::Reskin()
{
    std::vector<HWND> windows;
    for (const auto& entry : m_windows)
        windows.push_back(entry.first);
    // Framing one window may let another go (its procedure may destroy windows).
    for (HWND hWnd : windows)
    {
        auto it = m_windows.find(hWnd);
        if (it != m_windows.end())
            it->second->Reskin();
    }
}

void CHandleWindows::Clear()
{
    while (!m_windows.empty())
        Forget(m_windows.begin()->first);
    m_pfnSkinChanged = NULL;
    m_pSkinChangedContext = NULL;
}

void CHandleWindows::SetSkinChangedCallback(KORVOSKIN_SKIN_CHANGED_PROC pfnProc, void* pContext)
{
    m_pfnSkinChanged = pfnProc;
    m_pSkinChangedContext = pfnProc ? pContext : NULL;
}

BOOL CHandleWindows::TellSkinChanged(BOOL bDark)
{
    if (!m_pfnSkinChanged)
        return FALSE;
    m_pfnSkinChanged(bDark ? 1 : 0, m_pSkinChangedContext);
    return TRUE;
}
