#include "CRunAgent.h"
#include "Globals.h"
#include <tlhelp32.h>
#include <cwchar>

namespace
{

// The one agent of the process (RunApi.cpp starts it); the hook procedure finds it here.
CRunAgent* g_pAgent = NULL;

// How long the agent waits for its keeper to set the hooks.
const DWORD KEEPER_READY_TIMEOUT_MS = 10000;

// A configuration string that ends inside its array.
bool IsTerminated(const wchar_t* psz)
{
    return wmemchr(psz, 0, KORVOSKIN_RUN_PATH) != NULL;
}

} // namespace

CRunAgent::~CRunAgent()
{
    if (g_pAgent == this)
        g_pAgent = NULL;
    if (m_hReady)
        ::CloseHandle(m_hReady);
    if (m_hClaimed)
        ::CloseHandle(m_hClaimed);
}

int CRunAgent::Start(const KORVOSKIN_RUN_CONFIG& config)
{
    if (config.cbSize != sizeof(KORVOSKIN_RUN_CONFIG) || !IsTerminated(config.baseFolder) ||
        !IsTerminated(config.first) || !IsTerminated(config.second))
        return KORVOSKIN_E_BAD_ARGUMENT;
    if (m_bStarted.exchange(true))
        return KORVOSKIN_E_ALREADY_SKINNED;
    m_config = config;
    m_dwStarter = ::GetCurrentThreadId();
    g_pAgent = this;
    m_hReady = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    m_hClaimed = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    if (!m_hReady || !m_hClaimed)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    HANDLE hKeeper = ::CreateThread(NULL, 0, KeeperProc, this, 0, NULL);
    if (!hKeeper)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    ::CloseHandle(hKeeper);
    if (::WaitForSingleObject(m_hReady, KEEPER_READY_TIMEOUT_MS) != WAIT_OBJECT_0)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    return m_nResult;
}

DWORD WINAPI CRunAgent::KeeperProc(void* pParam)
{
    ((CRunAgent*)pParam)->Keep();
    return 0;
}

void CRunAgent::Keep()
{
    const DWORD dwKeeper = ::GetCurrentThreadId();
    const DWORD dwProcess = ::GetCurrentProcessId();
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot != INVALID_HANDLE_VALUE)
    {
        THREADENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        {
            // korvorun's starting thread creates no window and ends once the agent has started.
            if (entry.th32OwnerProcessID != dwProcess || entry.th32ThreadID == dwKeeper ||
                entry.th32ThreadID == m_dwStarter)
                continue;
            HHOOK hHook = ::SetWindowsHookExW(WH_CBT, CbtProc, g_hSkinInstance, entry.th32ThreadID);
            if (hHook)
                m_hooks.push_back(hHook);
        }
        ::CloseHandle(hSnapshot);
    }
    m_nResult = m_hooks.empty() ? KORVOSKIN_E_OUT_OF_RESOURCES : KORVOSKIN_OK;
    ::SetEvent(m_hReady);
    if (m_hooks.empty())
        return;
    ::WaitForSingleObject(m_hClaimed, INFINITE);
    for (HHOOK hHook : m_hooks)
        ::UnhookWindowsHookEx(hHook);
    m_hooks.clear();
}

bool CRunAgent::IsProgramTopLevel(HWND hWnd, const CREATESTRUCTW* pCreate)
{
    if (!pCreate || (pCreate->style & WS_CHILD) || pCreate->hwndParent == HWND_MESSAGE)
        return false;
    // The input method's windows, which the system makes for any thread with windows.
    wchar_t szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, 32);
    return wcscmp(szClass, L"IME") != 0 && wcscmp(szClass, L"MSCTFIME UI") != 0;
}

LRESULT CALLBACK CRunAgent::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CRunAgent* pAgent = g_pAgent;
    if (nCode == HCBT_CREATEWND && pAgent && !pAgent->m_bClaimed.load())
    {
        HWND hWnd = (HWND)wParam;
        const CBT_CREATEWNDW* pCreate = (const CBT_CREATEWNDW*)lParam;
        if (IsProgramTopLevel(hWnd, pCreate ? pCreate->lpcs : NULL) && !pAgent->m_bClaimed.exchange(true))
        {
            ::SetEvent(pAgent->m_hClaimed);
            pAgent->SkinThread();
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CRunAgent::SkinThread()
{
    // Definitions come from korvorun's installation, not the program's folder. Set before Init:
    // no other thread uses the library yet.
    g_strAppFolder = m_config.baseFolder;
    if (KorvoSkin_Init() != KORVOSKIN_OK)
        return;
    KorvoSkin_LoadSkin(m_config.first, m_config.second);
    // The window being created now is still to hear its WM_NCCREATE, through the hook Init has
    // just set: the thread skinner sees it as it sees every later one.
    KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL);
}
