// Helpers of the benchmarks that generate skin documents and time work on them: formatted
// appends and best-of-several wall times.
#pragma once
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <functional>
#include <string>

namespace KorvoBench
{
// Appends printf-style formatted text, however long.
inline void AppendF(std::string& str, const char* pszFormat, ...)
{
    char szBuffer[1024];
    va_list args, argsAgain;
    va_start(args, pszFormat);
    va_copy(argsAgain, args);
    int n = vsnprintf(szBuffer, sizeof(szBuffer), pszFormat, args);
    va_end(args);
    if (n >= (int)sizeof(szBuffer))
    {
        size_t nOld = str.size();
        str.resize(nOld + n + 1);
        vsnprintf(&str[nOld], n + 1, pszFormat, argsAgain);
        str.resize(nOld + n);
    }
    else if (n > 0)
        str.append(szBuffer, n);
    va_end(argsAgain);
}

// Seconds from a fixed point, at the performance counter's resolution.
inline double Now()
{
    static LARGE_INTEGER liFrequency;
    if (!liFrequency.QuadPart)
        QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER liCounter;
    QueryPerformanceCounter(&liCounter);
    return (double)liCounter.QuadPart / (double)liFrequency.QuadPart;
}

// Best wall time of nRuns runs, in seconds; negative when a run reports failure.
inline double BestTime(int nRuns, const std::function<bool()>& run)
{
    double dBest = 1e30;
    for (int n = 0; n < nRuns; n++)
    {
        double dStart = Now();
        if (!run())
            return -1;
        double dElapsed = Now() - dStart;
        if (dElapsed < dBest)
            dBest = dElapsed;
    }
    return dBest;
}
}
