// The one guard every exported function, of the C++ interface and of the C one, runs its work
// through: a call from a thread other than the host's, or an exception on the way (the
// framework's allocator throws std::bad_alloc), gives the function's failure result and never
// reaches the host.
#pragma once
#include "CHostThread.h"

// The library's one owner thread (Globals.cpp).
extern CHostThread g_HostThread;

// refused when the calling thread may not enter, failed when the work threw.
template <class RESULT, class WORK> RESULT OnHostThread(const RESULT& refused, const RESULT& failed, WORK work)
{
    if (!g_HostThread.Enter())
        return refused;
    RESULT result = failed;
    try
    {
        result = work();
    }
    catch (...)
    {
        result = failed;
    }
    g_HostThread.Leave();
    return result;
}

template <class RESULT, class WORK> RESULT OnHostThread(const RESULT& failure, WORK work)
{
    return OnHostThread(failure, failure, work);
}
