// The library's link in a window's procedure chain, one per window, for windows of the calling
// thread. It is set with SetWindowLongPtr and finds its handler in a table of the thread's, so a
// message costs a lookup: comctl32's chain reads a window property for every message, which is a
// server round trip under Wine and made each message to a skinned window several times dearer.
//
// Subclasses the window's owner sets after the link keep working, and so does taking the link
// off while one of them is above it: the link stays in the chain and passes messages on until the
// window goes. A link that a procedure replaced instead of chaining to it is found out when the
// window is linked again, and linked anew. A window that already has a comctl32 chain is joined
// there instead: comctl32 puts its first procedure back when its last subclass goes, which would
// cut out a link set above it.
#pragma once
#include <windows.h>

class CWindowProcLink
{
public:
    // Answers a message of the window; CallNext gives it to the rest of the chain.
    typedef LRESULT (*Handler)(void* pData, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Links hWnd to handler, which hears each of its messages with pData, WM_NCDESTROY last.
    // FALSE for no window, a window of another thread, or one whose link has a handler already.
    static BOOL Attach(HWND hWnd, Handler handler, void* pData);
    // Takes the handler off hWnd; the window's messages go on as if it had never been linked.
    static void Detach(HWND hWnd);
    // The rest of the chain below the link, for a message of hWnd its handler is answering.
    static LRESULT CallNext(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Whether hWnd's link has a handler.
    static BOOL IsAttached(HWND hWnd);

private:
    static LRESULT CALLBACK LinkProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ChainedProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                        DWORD_PTR dwRefData);
    static LRESULT Dispatch(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Whether the window's messages reach its link: it is on top, or a message sent reaches it.
    static BOOL HearsMessages(HWND hWnd);
    // Forgets hWnd's entry once nothing needs it: no message of it being answered, and either
    // the window gone or the link out of the chain.
    static void Tidy(HWND hWnd);
};
