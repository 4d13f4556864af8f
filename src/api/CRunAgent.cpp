#include "CRunAgent.h"
#include "CSkinSet.h"
#include "Globals.h"
#include <tlhelp32.h>
#include <algorithm>
#include <cwchar>

namespace
{

// The one agent of the process (RunApi.cpp starts it); the hook procedure finds it here.
CRunAgent* g_pAgent = NULL;

// How long the agent waits for its keeper to set the hooks, and a later thread for the owner to
// be skinned (GDI+ is started by it).
const DWORD KEEPER_READY_TIMEOUT_MS = 10000;
const DWORD OWNER_READY_TIMEOUT_MS = 10000;

// A configuration string that ends inside its array.
bool IsTerminated(const wchar_t* psz)
{
    return wmemchr(psz, 0, KORVOSKIN_RUN_PATH) != NULL;
}

} // namespace

CRunAgent::CRunAgent() = default;

CRunAgent::~CRunAgent()
{
    if (g_pAgent == this)
        g_pAgent = NULL;
    for (HANDLE hEvent : { m_hReady, m_hTaken, m_hOwnerReady })
        if (hEvent)
            ::CloseHandle(hEvent);
    // Skin sets of threads that outlive the library are left: their windows may still call them.
    for (auto& entry : m_threads)
        (void)entry.second.pSkin.release();
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
    m_hTaken = ::CreateEventW(NULL, FALSE, FALSE, NULL);
    m_hOwnerReady = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    if (!m_hReady || !m_hTaken || !m_hOwnerReady)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    HANDLE hKeeper = ::CreateThread(NULL, 0, KeeperProc, this, 0, NULL);
    if (!hKeeper)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    ::CloseHandle(hKeeper);
    if (::WaitForSingleObject(m_hReady, KEEPER_READY_TIMEOUT_MS) != WAIT_OBJECT_0)
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    m_bRunning.store(m_nResult == KORVOSKIN_OK);
    return m_nResult;
}

void CRunAgent::OnThreadStarted()
{
    if (!m_bRunning.load())
        return;
    // A hook of the thread's own, on the thread: no module, no round trip for every message.
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
    if (!hHook)
        return;
    try
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_threads[::GetCurrentThreadId()].hHook = hHook;
    }
    catch (...)
    {
        ::UnhookWindowsHookEx(hHook);
    }
}

void CRunAgent::OnThreadEnding()
{
    if (!m_bRunning.load())
        return;
    std::unique_ptr<CSkinSet> pSkin;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_threads.find(::GetCurrentThreadId());
        if (it == m_threads.end())
            return;
        pSkin = std::move(it->second.pSkin);
        // The system takes the thread's hook with it.
        m_threads.erase(it);
    }
    if (pSkin)
        pSkin->ReleaseThread();
}

DWORD WINAPI CRunAgent::KeeperProc(void* pParam)
{
    CRunAgent* pAgent = (CRunAgent*)pParam;
    try
    {
        pAgent->Keep();
    }
    catch (...)
    {
        // Out of memory before the hooks were all recorded: Start reports the result it has.
        ::SetEvent(pAgent->m_hReady);
    }
    return 0;
}

void CRunAgent::Keep()
{
    const DWORD dwKeeper = ::GetCurrentThreadId();
    const DWORD dwProcess = ::GetCurrentProcessId();
    size_t nHooks = 0;
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
            if (!hHook)
                continue;
            std::lock_guard<std::mutex> lock(m_lock);
            THREAD_RECORD& record = m_threads[entry.th32ThreadID];
            record.hHook = hHook;
            record.bKeepers = true;
            nHooks++;
        }
        ::CloseHandle(hSnapshot);
    }
    m_nResult = nHooks ? KORVOSKIN_OK : KORVOSKIN_E_OUT_OF_RESOURCES;
    ::SetEvent(m_hReady);
    // Each hook is taken off here once its thread has claimed; a thread that ends unclaimed takes
    // its hook along, and this thread then waits until the program ends.
    while (nHooks > 0 && ::WaitForSingleObject(m_hTaken, INFINITE) == WAIT_OBJECT_0)
    {
        std::vector<HHOOK> taken;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            taken.swap(m_taken);
        }
        for (HHOOK hHook : taken)
            ::UnhookWindowsHookEx(hHook);
        nHooks -= std::min(nHooks, taken.size());
    }
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
    if (nCode == HCBT_CREATEWND && pAgent)
    {
        const CBT_CREATEWNDW* pCreate = (const CBT_CREATEWNDW*)lParam;
        try
        {
            if (IsProgramTopLevel((HWND)wParam, pCreate ? pCreate->lpcs : NULL))
                pAgent->Claim();
        }
        catch (...)
        {
            // Out of memory: the thread keeps the system's look.
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CRunAgent::Claim()
{
    // A thread claims once: its own skinner sees its later windows, and a thread that could not
    // be skinned keeps the system's look. Its hook is taken off by the thread that set it.
    HHOOK hHook = NULL;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_threads.find(::GetCurrentThreadId());
        if (it == m_threads.end() || !it->second.hHook)
            return;
        std::swap(hHook, it->second.hHook);
        if (it->second.bKeepers)
        {
            m_taken.push_back(hHook);
            ::SetEvent(m_hTaken);
            hHook = NULL;
        }
    }
    if (hHook)
        ::UnhookWindowsHookEx(hHook);
    if (!m_bClaimed.exchange(true))
    {
        SkinOwnerThread();
        ::SetEvent(m_hOwnerReady);
    }
    else
        SkinOtherThread();
}

void CRunAgent::SkinOwnerThread()
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

void CRunAgent::SkinOtherThread()
{
    ::WaitForSingleObject(m_hOwnerReady, OWNER_READY_TIMEOUT_MS);
    std::unique_ptr<CSkinSet> pSkin(new CSkinSet(g_hSkinInstance));
    // As for the owner, the window being created hears its WM_NCCREATE through the new hook.
    if (pSkin->SkinCallingThread(m_config.baseFolder, m_config.first, m_config.second) != KORVOSKIN_OK)
    {
        pSkin->ReleaseThread();
        return;
    }
    std::lock_guard<std::mutex> lock(m_lock);
    m_threads[::GetCurrentThreadId()].pSkin = std::move(pSkin);
}
