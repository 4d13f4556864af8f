#include "CMap.h"

UINT AfxGetHashSeed()
{
    // Nothing outside the process can see these values; mixed, they differ from run to run.
    static const UINT nSeed = [] {
        LARGE_INTEGER counter;
        ::QueryPerformanceCounter(&counter);
        unsigned long long n = (unsigned long long)counter.QuadPart ^ ((unsigned long long)::GetCurrentProcessId() << 32) ^
                               ::GetTickCount() ^ (unsigned long long)(UINT_PTR)&counter;
        return AfxHashMix((UINT)n ^ AfxHashMix((UINT)(n >> 32)));
    }();
    return nSeed;
}
