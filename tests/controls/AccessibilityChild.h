// Another process asking this one's windows, as a screen reader or a hostile program would: the
// test program runs again, running one disabled test of its own (the suite never runs it by
// itself) with an argument in its environment, while this thread keeps handling messages so
// that its windows can answer.
#pragma once
#include <afxwin.h>
#include <vector>

namespace AccessibilityChild
{
struct CResult
{
    // The child's exit status: 0 when its test passed; -1 when it did not start or finish.
    int nExit = -1;
    // What the child printed, gtest's own banner lines left out.
    CString strOutput;
};

// Runs the test "pszSuite.DISABLED_pszTest" in a new process, with strArgument in its
// environment, handling this thread's messages until it ends or nSeconds pass (then it is
// ended).
CResult Run(LPCWSTR pszSuite, LPCWSTR pszTest, const CString& strArgument, DWORD nSeconds = 60);

// In the child: the argument it was given; empty when the test runs in no child.
CString Argument();

// Window handles as an argument, and back.
CString FormatWindows(const HWND* phWnds, int nCount);
std::vector<HWND> ParseWindows(const CString& strArgument);
}
