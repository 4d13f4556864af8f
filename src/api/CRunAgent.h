// korvorun's agent in the program it skins: hooks the threads the process has, and makes the
// first of them to create a top-level window the library's owner, which then skins every window
// that thread creates. The hooks belong to a keeper thread of the agent's own, which lives until
// a thread claims the run (hooks go with the thread that set them).
#pragma once
#include <korvoskin.h>
#include <afxwin.h>
#include <atomic>
#include <vector>

class CRunAgent
{
public:
    CRunAgent() = default;
    ~CRunAgent();

    // Hooks every thread of the process but the caller's; a KORVOSKIN_ code, once.
    int Start(const KORVOSKIN_RUN_CONFIG& config);

private:
    CRunAgent(const CRunAgent&) = delete;
    void operator=(const CRunAgent&) = delete;

    static DWORD WINAPI KeeperProc(void* pParam);
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Whether a window about to be created is one a program's GUI thread shows.
    static bool IsProgramTopLevel(HWND hWnd, const CREATESTRUCTW* pCreate);

    void Keep();
    // On the claiming thread, inside the creation of its first window.
    void SkinThread();

    KORVOSKIN_RUN_CONFIG m_config = {};
    DWORD m_dwStarter = 0;
    std::atomic<bool> m_bStarted{false};
    std::atomic<bool> m_bClaimed{false};
    std::vector<HHOOK> m_hooks;
    // Set by the keeper once its hooks are set (m_nResult tells how it went), and by the
    // claiming thread for the keeper to take them off.
    HANDLE m_hReady = NULL;
    HANDLE m_hClaimed = NULL;
    int m_nResult = KORVOSKIN_E_OUT_OF_RESOURCES;
};
