// The library's link in a window's procedure chain among the window owner's own subclasses, set
// by SetWindowLongPtr or through comctl32, before and after it: every link hears each message
// once in chain order, taking the link off from the middle of the chain or from inside one of
// the window's messages loses no one's messages, and bad windows are refused.
#include "parts/CWindowProcLink.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace
{
// Who heard WM_APP, in order: 'b' the host's link below ours, 'o' ours, 'a' the host's above.
std::string s_heard;
WNDPROC s_pfnBelow, s_pfnAbove;
int s_nDestroyedLast;

LRESULT CALLBACK Below(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP)
        s_heard += 'b';
    return ::CallWindowProcW(s_pfnBelow, hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK Above(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP)
        s_heard += 'a';
    return ::CallWindowProcW(s_pfnAbove, hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK ComctlBelow(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (nMsg == WM_APP)
        s_heard += 'b';
    return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

LRESULT Ours(void*, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP)
        s_heard += 'o';
    if (nMsg == WM_NCDESTROY)
        s_nDestroyedLast++;
    return CWindowProcLink::CallNext(hWnd, nMsg, wParam, lParam);
}

// Takes itself off on WM_APP + 1 and links again with Ours, then passes the message on.
LRESULT Relinking(void*, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != WM_APP + 1)
        return Ours(nullptr, hWnd, nMsg, wParam, lParam);
    CWindowProcLink::Detach(hWnd);
    const BOOL bLinked = CWindowProcLink::Attach(hWnd, Ours, nullptr);
    const LRESULT lResult = CWindowProcLink::CallNext(hWnd, nMsg, wParam, lParam);
    return bLinked ? lResult : -1;
}

struct CPlainWindow
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ~CPlainWindow() { ::DestroyWindow(hWnd); }
};

std::string Heard(HWND hWnd)
{
    s_heard.clear();
    ::SendMessageW(hWnd, WM_APP, 0, 0);
    return s_heard;
}
} // namespace

TEST(WindowProcLink, TakenOffFromTheMiddleOfTheChainItPassesMessagesOnUntilItIsOnTopAgain)
{
    CPlainWindow window;
    const HWND hWnd = window.hWnd;
    const LONG_PTR pfnClass = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    s_pfnBelow = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)Below);
    ASSERT_TRUE(CWindowProcLink::Attach(hWnd, Ours, nullptr));
    EXPECT_FALSE(CWindowProcLink::Attach(hWnd, Ours, nullptr)) << "one handler to a window";
    s_pfnAbove = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)Above);
    EXPECT_EQ("aob", Heard(hWnd));

    CWindowProcLink::Detach(hWnd);
    EXPECT_FALSE(CWindowProcLink::IsAttached(hWnd));
    EXPECT_EQ("ab", Heard(hWnd)) << "the link left in the chain passes messages on";
    ASSERT_TRUE(CWindowProcLink::Attach(hWnd, Ours, nullptr)) << "and takes a handler again where it is";
    EXPECT_EQ("aob", Heard(hWnd));
    CWindowProcLink::Detach(hWnd);

    // The host's link above goes; the next message finds ours on top and it leaves the chain.
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)s_pfnAbove);
    EXPECT_EQ("b", Heard(hWnd));
    EXPECT_EQ((LONG_PTR)Below, ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, pfnClass);
}

TEST(WindowProcLink, AWindowWithAComctlChainIsJoinedThereSoTheHostsLastSubclassGoingKeepsIt)
{
    CPlainWindow window;
    const HWND hWnd = window.hWnd;
    ASSERT_TRUE(::SetWindowSubclass(hWnd, ComctlBelow, 1, 0));
    ASSERT_TRUE(CWindowProcLink::Attach(hWnd, Ours, nullptr));
    EXPECT_EQ("ob", Heard(hWnd));
    // comctl32 puts the window's first procedure back when its last subclass goes.
    ::RemoveWindowSubclass(hWnd, ComctlBelow, 1);
    EXPECT_EQ("o", Heard(hWnd));
    CWindowProcLink::Detach(hWnd);
    EXPECT_EQ("", Heard(hWnd));
}

TEST(WindowProcLink, TakenOffAndLinkedAgainInsideAMessageItHearsTheNextOnceAndTheWindowsGoingLast)
{
    s_nDestroyedLast = 0;
    {
        CPlainWindow window;
        ASSERT_TRUE(CWindowProcLink::Attach(window.hWnd, Relinking, nullptr));
        EXPECT_EQ(0, ::SendMessageW(window.hWnd, WM_APP + 1, 0, 0)) << "linked again from inside its message";
        EXPECT_EQ("o", Heard(window.hWnd));
        EXPECT_TRUE(CWindowProcLink::IsAttached(window.hWnd));
    }
    EXPECT_EQ(1, s_nDestroyedLast);

    // A window gone is forgotten: one made next (perhaps with the same handle) links anew.
    CPlainWindow next;
    EXPECT_FALSE(CWindowProcLink::IsAttached(next.hWnd));
    EXPECT_TRUE(CWindowProcLink::Attach(next.hWnd, Ours, nullptr));
    CWindowProcLink::Detach(next.hWnd);
}

LRESULT CALLBACK Replacing(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP)
        s_heard += 'r';
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

TEST(WindowProcLink, ALinkAProcedureReplacedInsteadOfChainingToIsLinkedAnew)
{
    CPlainWindow window;
    ASSERT_TRUE(CWindowProcLink::Attach(window.hWnd, Ours, nullptr));
    // As ATL's windows do on their first message: the procedure before is dropped, not called.
    ::SetWindowLongPtrW(window.hWnd, GWLP_WNDPROC, (LONG_PTR)Replacing);
    EXPECT_EQ("r", Heard(window.hWnd));
    ASSERT_TRUE(CWindowProcLink::Attach(window.hWnd, Ours, nullptr));
    EXPECT_EQ("or", Heard(window.hWnd));
    CWindowProcLink::Detach(window.hWnd);
    EXPECT_EQ((LONG_PTR)Replacing, ::GetWindowLongPtrW(window.hWnd, GWLP_WNDPROC));
}

TEST(WindowProcLink, NoWindowAWindowOfAnotherThreadAndNoHandlerAreRefused)
{
    EXPECT_FALSE(CWindowProcLink::Attach(NULL, Ours, nullptr));
    CPlainWindow window;
    EXPECT_FALSE(CWindowProcLink::Attach(window.hWnd, nullptr, nullptr));
    BOOL bOtherThread = TRUE;
    std::thread([&] { bOtherThread = CWindowProcLink::Attach(window.hWnd, Ours, nullptr); }).join();
    EXPECT_FALSE(bOtherThread);
    CWindowProcLink::Detach(window.hWnd);
    CWindowProcLink::Detach(NULL);
    EXPECT_EQ("", Heard(window.hWnd));
}
