// korvorun's agent in the program it skins. It hooks the threads the process has, and each one
// the program starts later; a thread's first top-level window makes it a skinned thread. The first
// such thread becomes the library's owner, which then skins every window that thread creates;
// each later one gets a skin set of its own, loaded with the same pair, which skins that
// thread's windows until the thread ends. The first hooks belong to a keeper thread of the
// agent's own, which lives until their threads have claimed (hooks go with the thread that set
// them); a later thread hooks itself.
#pragma once
#include <korvoskin.h>
#include <afxwin.h>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class CSkinSet;

class CRunAgent
{
public:
    CRunAgent();
    ~CRunAgent();

    // Hooks every thread of the process but the caller's; a KORVOSKIN_ code, once.
    int Start(const KORVOSKIN_RUN_CONFIG& config);

    // Told on each thread as it starts and as it ends (the library's entry point): a started
    // thread is hooked as the first ones were; an ending one lets its skin set go.
    void OnThreadStarted();
    void OnThreadEnding();

private:
    CRunAgent(const CRunAgent&) = delete;
    void operator=(const CRunAgent&) = delete;

    static DWORD WINAPI KeeperProc(void* pParam);
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Whether a window about to be created is one a program's GUI thread shows.
    static bool IsProgramTopLevel(HWND hWnd, const CREATESTRUCTW* pCreate);

    void Keep();
    // On a hooked thread, inside the creation of its first top-level window: the first to claim
    // becomes the owner.
    void Claim();
    // The claim of the first thread: the library's owner.
    void SkinOwnerThread();
    // The claim of a later thread: a skin set of its own.
    void SkinOtherThread();

    // A hooked thread's hook until it claims (set by the keeper or by the thread itself), and
    // the skin set of a skinned thread but the owner.
    struct THREAD_RECORD
    {
        HHOOK hHook = NULL;
        bool bKeepers = false;
        std::unique_ptr<CSkinSet> pSkin;
    };

    KORVOSKIN_RUN_CONFIG m_config = {};
    DWORD m_dwStarter = 0;
    std::atomic<bool> m_bStarted{false};
    // Whether threads starting now are hooked: after the keeper's hooks are set.
    std::atomic<bool> m_bRunning{false};
    std::atomic<bool> m_bClaimed{false};
    // Set by the keeper once its hooks are set (m_nResult tells how it went), by a claiming
    // thread when it leaves the keeper a hook to take off (in m_taken), and once the owner is
    // skinned.
    HANDLE m_hReady = NULL;
    HANDLE m_hTaken = NULL;
    HANDLE m_hOwnerReady = NULL;
    std::vector<HHOOK> m_taken;
    int m_nResult = KORVOSKIN_E_OUT_OF_RESOURCES;
    // Held only to find or change a record: never while a window is skinned or a set freed, so
    // a thread starting or ending under the loader's lock never waits for such work.
    std::mutex m_lock;
    std::map<DWORD, THREAD_RECORD> m_threads;
};
