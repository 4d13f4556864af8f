// Maps filled from files: the table grows with the count, and keys that follow a pattern
// (ids that are multiples of a power of two, names that share a long prefix) spread over it.
#include "ChainMap.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
using KorvoTest::CChainMap;

const int KEY_COUNT = 100000;
// With about one entry per bucket, a well spread table has no chain near this long.
const int MAX_CHAIN = 16;
}

TEST(MapGrowth, AdversarialIntegerIdsSpreadAndStayFindable)
{
    struct
    {
        UINT nStep;
        UINT nFirst;
        int nCount;
        const char* pszWhat;
    } cases[] = {
        { 1, 1, KEY_COUNT, "1..N" },
        { 4096, 0, KEY_COUNT, "multiples of 4096" },
        { 65536, 0, 65536, "every multiple of 65536 that a UINT holds" },
        { 17, 17, KEY_COUNT, "multiples of the default table size" },
    };
    for (const auto& c : cases)
    {
        const int KEY_COUNT = c.nCount;
        CChainMap<UINT, UINT, CString, const CString&> map;
        for (int n = 0; n < KEY_COUNT; n++)
            map[c.nFirst + c.nStep * (UINT)n] = CString(L'a' + (wchar_t)(n % 26), 1 + n % 3);
        ASSERT_EQ(KEY_COUNT, map.GetCount()) << c.pszWhat;
        EXPECT_GE(map.GetHashTableSize(), (UINT)KEY_COUNT / 2) << c.pszWhat;
        EXPECT_LE(map.LongestChain(), MAX_CHAIN) << c.pszWhat;
        for (int n = 0; n < KEY_COUNT; n += 7)
        {
            CString str;
            ASSERT_TRUE(map.Lookup(c.nFirst + c.nStep * (UINT)n, str)) << c.pszWhat << " key #" << n;
            ASSERT_EQ(CString(L'a' + (wchar_t)(n % 26), 1 + n % 3), str) << c.pszWhat;
        }
        CString str;
        EXPECT_FALSE(map.Lookup(c.nFirst - 1, str)) << c.pszWhat;

        // Removing most entries keeps the rest findable; emptying starts the table over.
        for (int n = 0; n < KEY_COUNT - 10; n++)
            ASSERT_TRUE(map.RemoveKey(c.nFirst + c.nStep * (UINT)n));
        EXPECT_EQ(10, map.GetCount());
        EXPECT_TRUE(map.Lookup(c.nFirst + c.nStep * (UINT)(KEY_COUNT - 1), str));
        map.RemoveAll();
        EXPECT_EQ(17u, map.GetHashTableSize());
    }
}

TEST(MapGrowth, NamesWithLongSharedPrefixesSpread)
{
    CString strPrefix(L'x', 200);
    struct
    {
        CString strPrefix;
        CString strSuffix;
        const char* pszWhat;
    } cases[] = {
        { L"", L"", "short names" },
        { strPrefix, L"", "a 200-character shared prefix" },
        { L"IDS_", L"_TEXT_OF_THE_SAME_LENGTH", "a shared prefix and suffix" },
    };
    for (const auto& c : cases)
    {
        CChainMap<CString, const CString&, int, int> map;
        const int nCount = 20000;
        for (int n = 0; n < nCount; n++)
        {
            CString strKey;
            strKey.Format(L"%s%d%s", (LPCWSTR)c.strPrefix, n, (LPCWSTR)c.strSuffix);
            map[strKey] = n;
        }
        ASSERT_EQ(nCount, map.GetCount()) << c.pszWhat;
        EXPECT_LE(map.LongestChain(), MAX_CHAIN) << c.pszWhat;
        for (int n = 0; n < nCount; n += 13)
        {
            CString strKey;
            strKey.Format(L"%s%d%s", (LPCWSTR)c.strPrefix, n, (LPCWSTR)c.strSuffix);
            int nValue = -1;
            ASSERT_TRUE(map.Lookup(strKey, nValue)) << c.pszWhat;
            EXPECT_EQ(n, nValue);
        }
    }
}

TEST(MapGrowth, InitHashTableSetsTheStartingSize)
{
    CMap<int, int, int, int> map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(1001);
    EXPECT_EQ(1001u, map.GetHashTableSize());
    for (int n = 0; n < 1001; n++)
        map[n] = n;
    EXPECT_EQ(1001u, map.GetHashTableSize()) << "no growth before the count passes the bucket count";
    map[1001] = 1001;
    EXPECT_GT(map.GetHashTableSize(), 2000u);
    map.RemoveAll();
    EXPECT_EQ(1001u, map.GetHashTableSize()) << "an emptied map starts again at its chosen size";
    map.InitHashTable(0, FALSE);
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(0xFFFFFFFFu, FALSE);
    EXPECT_EQ((UINT)(1 << 20), map.GetHashTableSize()) << "sizes are bounded";
}
