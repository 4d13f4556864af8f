#include "AfxDefs.h"

BOOL AfxAssertFailedLine(LPCSTR, int)
{
    // With a debugger the caller breaks at the failed line and may go on from there.
    if (::IsDebuggerPresent())
        return TRUE;
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return FALSE;
}
