// The one thread that may use the library at a time. The library keeps no locks around its
// state: the host's GUI thread, the one that called InitSkin, owns it until it calls UnInitSkin,
// and every exported function entered from another thread fails at once. Before InitSkin (and
// after UnInitSkin) any thread may call, one call at a time; another thread's call that arrives
// meanwhile fails in the same way.
#pragma once
#include <afxwin.h>
#include <atomic>
#include <mutex>

class CHostThread
{
public:
    CHostThread() = default;
    ~CHostThread();

    // Whether the calling thread may go on into the library; every TRUE is paired with Leave.
    // An owner that has exited without UnInitSkin owns nothing any more.
    BOOL Enter();
    void Leave();

    // Makes the entered caller the owner. FALSE when it already was.
    BOOL Adopt();
    // The entered owner gives the library up; any thread may enter once its call returns.
    void Disown();
    // Whether a thread owns the library: for an entered caller, whether it is the owner.
    BOOL IsOwned();

private:
    CHostThread(const CHostThread&) = delete;
    void operator=(const CHostThread&) = delete;

    // The thread inside the library or owning it, or 0. Read without the lock only to compare
    // with the caller's own id, which no other thread stores.
    std::atomic<DWORD> m_dwHolder{0};
    // Guards the claim of m_dwHolder and the owner's handle.
    std::mutex m_mutex;
    // Whether the holder owns the library, and a handle of it, kept so that its exit can be seen
    // and its id is not reused (null if none could be had).
    BOOL m_bOwned = FALSE;
    HANDLE m_hOwner = NULL;
    // Nesting of calls by the holder (a call may come back in through a window procedure).
    int m_nDepth = 0;
};
