// Helpers of the benchmarks that generate skin documents and time work on them: the host
// application every benchmark process is, formatted appends, best-of-several wall times, and
// the one result line every benchmark prints for scripts/bench to collect.
#pragma once
// The platform first: some benchmarks call functions newer than the framework's version floor.
#include <windows.h>
#include <afxwin.h>
#include <stdarg.h>
#include <stdio.h>
#include <functional>
#include <string>

namespace KorvoBench
{
// Makes this process the framework application a host is before it calls the library; once,
// first thing in main.
inline void StartHostApplication(const wchar_t* pszName)
{
    static CWinApp app(pszName);
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
}

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

// Adds the seconds since the previous lap (or since it was made) to one step's total, so a
// loop shows where its time goes.
class CLaps
{
public:
    explicit CLaps(double* pdTotals) : m_pdTotals(pdTotals), m_dLast(Now()) {}
    void operator()(int nStep)
    {
        double dNow = Now();
        m_pdTotals[nStep] += dNow - m_dLast;
        m_dLast = dNow;
    }

private:
    double* m_pdTotals;
    double m_dLast;
};

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

// How a figure's ratio is judged against its target.
enum RowGoal
{
    TIME_AT_MOST,   // ratio = our time / the baseline's; met when at most the target
    SPEED_AT_LEAST, // ratio = the baseline's time / ours (how many times faster); met when at least the target
    NO_TARGET,      // shown for information: ratio = our time / the baseline's
};

// Prints one result line: "@row", then tab-separated figure, our time and the baseline's in
// milliseconds, ratio, target and whether it is met. Absolute times are shown as measured;
// only the ratio, of two times taken in the same process, is judged. A negative time stands
// for a measurement that failed, which never meets its target.
inline void Row(const char* pszFigure, double dOurs, double dBaseline, RowGoal goal, double dTarget = 0)
{
    const bool bMeasured = dOurs > 0 && dBaseline > 0;
    double dRatio = 0;
    if (bMeasured)
        dRatio = goal == SPEED_AT_LEAST ? dBaseline / dOurs : dOurs / dBaseline;
    char szTarget[32] = "-";
    const char* pszMet = "-";
    if (goal == TIME_AT_MOST)
    {
        snprintf(szTarget, sizeof(szTarget), "<= %.2f", dTarget);
        pszMet = bMeasured && dRatio <= dTarget ? "yes" : "NO";
    }
    else if (goal == SPEED_AT_LEAST)
    {
        snprintf(szTarget, sizeof(szTarget), ">= %.2f faster", dTarget);
        pszMet = bMeasured && dRatio >= dTarget ? "yes" : "NO";
    }
    if (bMeasured)
        printf("@row\t%s\t%.3f\t%.3f\t%.2f\t%s\t%s\n", pszFigure, dOurs * 1000.0, dBaseline * 1000.0, dRatio, szTarget, pszMet);
    else
        printf("@row\t%s\t%s\t%s\t-\t%s\t%s\n", pszFigure, dOurs > 0 ? "ok" : "failed", dBaseline > 0 ? "ok" : "failed",
               szTarget, pszMet);
    fflush(stdout);
}
}
