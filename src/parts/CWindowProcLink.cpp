#include "CWindowProcLink.h"
#include <commctrl.h>
#include <unordered_map>

namespace
{
// Whether the window has comctl32's chain: the property holding it (the first name is version
// 6's, the second earlier versions' and Wine's).
BOOL HasComctlChain(HWND hWnd)
{
    return ::GetPropW(hWnd, L"UxSubclassInfo") || ::GetPropW(hWnd, L"CC32SubclassInfo");
}

const UINT_PTR CHAINED_ID = 0x4B4C;

// The window a probe message was sent to, and whether it reached the window's link.
thread_local HWND t_hProbed = NULL;
thread_local bool t_bProbeArrived = false;

struct CLink
{
    WNDPROC pfnNext;
    CWindowProcLink::Handler handler;
    void* pData;
    int nDepth;
    bool bComctl;
    bool bInChain;
    bool bGone;
};

typedef std::unordered_map<HWND, CLink> CLinks;

// Windows belong to one thread and hear their messages on it, so the table needs no lock. It is
// made by the thread's first link and deleted with its last: a table destroyed with the thread's
// other locals could still be asked for by the messages of windows destroyed after them.
thread_local CLinks* t_pLinks = nullptr;

CLinks& Links()
{
    if (!t_pLinks)
        t_pLinks = new CLinks;
    return *t_pLinks;
}

CLink* Find(HWND hWnd)
{
    if (!t_pLinks)
        return nullptr;
    const auto it = t_pLinks->find(hWnd);
    return it == t_pLinks->end() ? nullptr : &it->second;
}

void Forget(HWND hWnd)
{
    if (!t_pLinks)
        return;
    t_pLinks->erase(hWnd);
    if (t_pLinks->empty())
    {
        delete t_pLinks;
        t_pLinks = nullptr;
    }
}
} // namespace

BOOL CWindowProcLink::HearsMessages(HWND hWnd)
{
    if ((WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == LinkProc)
        return TRUE;
    t_hProbed = hWnd;
    t_bProbeArrived = false;
    ::SendMessageW(hWnd, WM_NULL, 0, 0);
    t_hProbed = NULL;
    return t_bProbeArrived;
}

BOOL CWindowProcLink::Attach(HWND hWnd, Handler handler, void* pData)
{
    if (!handler || !::IsWindow(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return FALSE;
    CLink* pLink = Find(hWnd);
    // A procedure that replaced the link instead of chaining to it (as ATL's windows do on their
    // first message) left it out of the chain, and so does a window that went without its
    // WM_NCDESTROY reaching the link, whose handle a later window may have been given.
    if (pLink && pLink->bInChain && pLink->nDepth == 0 && !HearsMessages(hWnd))
    {
        if (pLink->bComctl)
            ::RemoveWindowSubclass(hWnd, ChainedProc, CHAINED_ID);
        Forget(hWnd);
        pLink = nullptr;
    }
    if (pLink && (pLink->handler || pLink->bGone))
        return FALSE;
    if (pLink && pLink->bInChain)
    {
        // Still in the chain, passing messages on: it takes the handler again.
        pLink->handler = handler;
        pLink->pData = pData;
        return TRUE;
    }
    // A link taken off inside one of the window's messages keeps its entry (and its way of
    // linking) until that message is answered.
    if (!pLink)
    {
        pLink = &Links()[hWnd];
        *pLink = CLink{ NULL, nullptr, nullptr, 0, HasComctlChain(hWnd) != FALSE, false, false };
    }
    BOOL bLinked;
    if (pLink->bComctl)
        bLinked = ::SetWindowSubclass(hWnd, ChainedProc, CHAINED_ID, 0);
    else
    {
        const WNDPROC pfnNext = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)LinkProc);
        bLinked = pfnNext != NULL;
        if (bLinked)
            pLink->pfnNext = pfnNext;
    }
    if (!bLinked)
    {
        Tidy(hWnd);
        return FALSE;
    }
    pLink->handler = handler;
    pLink->pData = pData;
    pLink->bInChain = true;
    return TRUE;
}

void CWindowProcLink::Detach(HWND hWnd)
{
    CLink* pLink = Find(hWnd);
    if (!pLink || !pLink->handler)
        return;
    pLink->handler = nullptr;
    pLink->pData = nullptr;
    if (pLink->bComctl && pLink->bInChain)
    {
        ::RemoveWindowSubclass(hWnd, ChainedProc, CHAINED_ID);
        pLink->bInChain = false;
    }
    Tidy(hWnd);
}

BOOL CWindowProcLink::IsAttached(HWND hWnd)
{
    const CLink* pLink = Find(hWnd);
    return pLink && pLink->handler;
}

LRESULT CWindowProcLink::CallNext(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const CLink* pLink = Find(hWnd);
    if (!pLink)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    if (pLink->bComctl)
        return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    return ::CallWindowProcW(pLink->pfnNext, hWnd, nMsg, wParam, lParam);
}

LRESULT CWindowProcLink::Dispatch(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NULL && hWnd == t_hProbed)
        t_bProbeArrived = true;
    CLink* pLink = Find(hWnd);
    if (!pLink)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    // The entry stays put while its message is answered (the table's entries do not move).
    pLink->nDepth++;
    LRESULT lResult;
    if (pLink->handler)
        lResult = pLink->handler(pLink->pData, hWnd, nMsg, wParam, lParam);
    else
        lResult = CallNext(hWnd, nMsg, wParam, lParam);
    pLink->nDepth--;
    if (nMsg == WM_NCDESTROY)
    {
        pLink->bGone = true;
        pLink->handler = nullptr;
        if (pLink->bComctl && pLink->bInChain)
            ::RemoveWindowSubclass(hWnd, ChainedProc, CHAINED_ID);
    }
    Tidy(hWnd);
    return lResult;
}

LRESULT CALLBACK CWindowProcLink::LinkProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowProcLink::ChainedProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return Dispatch(hWnd, nMsg, wParam, lParam);
}

void CWindowProcLink::Tidy(HWND hWnd)
{
    CLink* pLink = Find(hWnd);
    if (!pLink || pLink->handler)
        return;
    // Out of the chain as soon as nothing is linked above it; the entry keeps the next procedure
    // for a message still being answered.
    if (pLink->bInChain && !pLink->bComctl && !pLink->bGone &&
        (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == LinkProc)
    {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pLink->pfnNext);
        pLink->bInChain = false;
    }
    if (pLink->nDepth == 0 && (pLink->bGone || !pLink->bInChain))
        Forget(hWnd);
}
