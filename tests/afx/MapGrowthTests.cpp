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

// A value that moves with its association when the table grows.
CString ValueOf(int n)
{
    return CString(L'a' + (wchar_t)(n % 26), 1 + n % 3);
}

// Fills a map with nCount keys, expects them spread and findable and keyMissing not found,
// removes all but the last ten and empties it.
template <class KEY, class ARG_KEY, class MAKE_KEY>
void ExpectSpread(int nCount, MAKE_KEY fnKey, ARG_KEY keyMissing, const char* pszWhat)
{
    CChainMap<KEY, ARG_KEY, CString, const CString&> map;
    for (int n = 0; n < nCount; n++)
        map[fnKey(n)] = ValueOf(n);
    ASSERT_EQ(nCount, map.GetCount()) << pszWhat;
    EXPECT_GE(map.GetHashTableSize(), (UINT)nCount / 2) << pszWhat;
    EXPECT_LE(map.LongestChain(), MAX_CHAIN) << pszWhat;
    CString str;
    for (int n = 0; n < nCount; n += 7)
    {
        ASSERT_TRUE(map.Lookup(fnKey(n), str)) << pszWhat << " key #" << n;
        ASSERT_EQ(ValueOf(n), str) << pszWhat;
    }
    EXPECT_FALSE(map.Lookup(keyMissing, str)) << pszWhat;

    // Removing most entries keeps the rest findable; emptying starts the table over.
    for (int n = 0; n < nCount - 10; n++)
        ASSERT_TRUE(map.RemoveKey(fnKey(n))) << pszWhat;
    EXPECT_EQ(10, map.GetCount());
    EXPECT_TRUE(map.Lookup(fnKey(nCount - 1), str)) << pszWhat;
    map.RemoveAll();
    EXPECT_EQ(17u, map.GetHashTableSize());
}
}

TEST(MapGrowth, AdversarialIntegerIdsSpreadAndStayFindable)
{
    struct { UINT nStep; UINT nFirst; int nCount; const char* pszWhat; } cases[] = {
        { 1, 1, KEY_COUNT, "1..N" },
        { 4096, 0, KEY_COUNT, "multiples of 4096" },
        { 65536, 0, 65536, "every multiple of 65536 that a UINT holds" },
        { 17, 17, KEY_COUNT, "multiples of the default table size" },
    };
    for (const auto& c : cases)
        ExpectSpread<UINT, UINT>(c.nCount, [&](int n) { return c.nFirst + c.nStep * (UINT)n; }, c.nFirst - 1, c.pszWhat);
}

TEST(MapGrowth, NamesWithLongSharedPrefixesSpread)
{
    CString strPrefix(L'x', 200);
    struct { CString strPrefix; CString strSuffix; const char* pszWhat; } cases[] = {
        { L"", L"", "short names" },
        { strPrefix, L"", "a 200-character shared prefix" },
        { L"IDS_", L"_TEXT_OF_THE_SAME_LENGTH", "a shared prefix and suffix" },
    };
    for (const auto& c : cases)
    {
        auto fnKey = [&](int n) {
            CString strKey;
            strKey.Format(L"%s%d%s", (LPCWSTR)c.strPrefix, n, (LPCWSTR)c.strSuffix);
            return strKey;
        };
        ExpectSpread<CString, const CString&>(20000, fnKey, c.strPrefix + L"missing", c.pszWhat);
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
