// Inserting ids with a pattern (multiples of a power of two) and names with a long shared
// prefix, against sequential ids and short names in the same process. Ratios near 1 mean the
// patterns cost nothing; the longest chain shows how evenly the table is used.
#include "../BenchSupport.h"
#include "ChainMap.h"
#include <afxwin.h>
#include <algorithm>
#include <stdio.h>

namespace
{
using KorvoTest::CChainMap;

double Seconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

const int COUNT = 65536;

double InsertIds(UINT nStep, int* pnLongest)
{
    double dBest = 1e9;
    for (int nRun = 0; nRun < 5; nRun++)
    {
        CChainMap<UINT, UINT> map;
        LARGE_INTEGER start;
        ::QueryPerformanceCounter(&start);
        for (int n = 0; n < COUNT; n++)
            map[(UINT)n * nStep] = n;
        for (int n = 0; n < COUNT; n++)
            map.PLookup((UINT)n * nStep);
        dBest = std::min(dBest, Seconds(start));
        *pnLongest = map.LongestChain();
    }
    return dBest;
}

double InsertNames(const CString& strPrefix, int* pnLongest)
{
    CString* pKeys = new CString[COUNT];
    for (int n = 0; n < COUNT; n++)
        pKeys[n].Format(L"%s%d", (LPCWSTR)strPrefix, n);
    double dBest = 1e9;
    for (int nRun = 0; nRun < 5; nRun++)
    {
        CChainMap<CString, const CString&> map;
        LARGE_INTEGER start;
        ::QueryPerformanceCounter(&start);
        for (int n = 0; n < COUNT; n++)
            map[pKeys[n]] = n;
        for (int n = 0; n < COUNT; n++)
            map.PLookup(pKeys[n]);
        dBest = std::min(dBest, Seconds(start));
        *pnLongest = map.LongestChain();
    }
    delete[] pKeys;
    return dBest;
}
}

int main()
{
    int nLongest = 0;
    double dSequential = InsertIds(1, &nLongest);
    printf("%d sequential ids: longest chain %d\n", COUNT, nLongest);
    for (UINT nStep : { 4096u, 65536u })
    {
        double d = InsertIds(nStep, &nLongest);
        printf("multiples of %u: %.2fx the time of sequential ids, longest chain %d\n", nStep, d / dSequential, nLongest);
        char szFigure[64];
        snprintf(szFigure, sizeof(szFigure), "map: ids in multiples of %u vs sequential", nStep);
        KorvoBench::Row(szFigure, d, dSequential, KorvoBench::TIME_AT_MOST, 3.0);
    }
    double dShort = InsertNames(L"", &nLongest);
    printf("%d short names: longest chain %d\n", COUNT, nLongest);
    double dLong = InsertNames(CString(L'x', 100), &nLongest);
    printf("names with a 100-character shared prefix: %.2fx the time of short names, longest chain %d\n",
           dLong / dShort, nLongest);
    KorvoBench::Row("map: names sharing a long prefix vs short", dLong, dShort, KorvoBench::NO_TARGET);
    return 0;
}
