// The framework's containers and strings against standard-library models: node blocks reused
// and given back, tables allocated lazily, and string memory shared between threads.
#include "KorvoTest.h"
#include <gtest/gtest.h>
#include <list>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace
{

// A deterministic pseudo-random number below nBound, so that a failure repeats.
unsigned int Next(std::minstd_rand& random, unsigned int nBound)
{
    return random() % nBound;
}

CString KeyOf(unsigned int n)
{
    // Long keys and short ones, so that some strings live in their own memory.
    CString str;
    str.Format(n % 3 ? L"k%u" : L"a long key that needs memory of its own %u", n);
    return str;
}

DWORD WINAPI ChurnStrings(LPVOID pParam)
{
    std::minstd_rand random((unsigned int)(UINT_PTR)pParam);
    std::vector<CString> strings(64);
    for (int n = 0; n < 20000; n++)
    {
        unsigned int nSlot = Next(random, 64);
        unsigned int nLength = Next(random, 300);
        wchar_t ch = (wchar_t)(L'a' + nSlot % 26);
        // Each slot holds only its own letter; a block handed out twice would mix them.
        if (strings[nSlot] != CString(ch, strings[nSlot].GetLength()))
            return 1;
        strings[nSlot] = CString(ch, (int)nLength);
    }
    return 0;
}

DWORD WINAPI DropStrings(LPVOID pParam)
{
    delete (std::vector<CString>*)pParam;
    return 0;
}

} // namespace

TEST(List, BlocksOfAnySizeBehaveLikeAList)
{
    for (int nBlockSize : { 1, 3, 10 })
    {
        CList<CString, const CString&> list(nBlockSize);
        std::list<std::wstring> model;
        std::minstd_rand random(7);
        for (int n = 0; n < 3000; n++)
        {
            CString str = KeyOf(Next(random, 1000));
            switch (Next(random, 6))
            {
            case 0: list.AddHead(str); model.push_front((LPCWSTR)str); break;
            case 1:
            case 2: list.AddTail(str); model.push_back((LPCWSTR)str); break;
            case 3:
                if (!model.empty())
                {
                    EXPECT_TRUE(list.RemoveHead() == model.front().c_str());
                    model.pop_front();
                }
                break;
            case 4:
                if (!model.empty())
                {
                    int nIndex = (int)Next(random, (unsigned int)model.size());
                    list.RemoveAt(list.FindIndex(nIndex));
                    model.erase(std::next(model.begin(), nIndex));
                }
                break;
            default:
                // Emptying gives the blocks back; the list must start over cleanly.
                if (Next(random, 20) == 0)
                {
                    list.RemoveAll();
                    model.clear();
                }
                break;
            }
            ASSERT_EQ((int)model.size(), list.GetCount());
        }
        std::list<std::wstring> contents;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            contents.push_back((LPCWSTR)list.GetNext(pos));
        EXPECT_EQ(model, contents) << "block size " << nBlockSize;
    }
}

TEST(Map, BlocksOfAnySizeBehaveLikeAMap)
{
    for (int nBlockSize : { 1, 2, 10 })
    {
        CMap<CString, const CString&, int, int> map(nBlockSize);
        map.InitHashTable(nBlockSize == 2 ? 1 : 17);
        EXPECT_EQ(nullptr, map.PGetFirstAssoc());
        EXPECT_FALSE(map.RemoveKey(L"x")) << "nothing allocated yet";
        std::map<std::wstring, int> model;
        std::minstd_rand random(11);
        for (int n = 0; n < 4000; n++)
        {
            CString strKey = KeyOf(Next(random, 300));
            switch (Next(random, 5))
            {
            case 0:
            case 1:
                map[strKey] = n;
                model[(LPCWSTR)strKey] = n;
                break;
            case 2:
                EXPECT_EQ(model.erase((LPCWSTR)strKey) == 1, map.RemoveKey(strKey) != FALSE);
                break;
            case 3:
                // A new entry starts with an empty value, even in a reused association.
                EXPECT_EQ(model[(LPCWSTR)strKey], map[strKey]);
                break;
            default:
            {
                int nValue = -1;
                auto it = model.find((LPCWSTR)strKey);
                ASSERT_EQ(it != model.end(), map.Lookup(strKey, nValue) != FALSE);
                EXPECT_EQ(it != model.end() ? it->second : -1, nValue) << "a missing key leaves the value alone";
                // Emptying gives the blocks back; the map must start over cleanly.
                if (Next(random, 40) == 0)
                {
                    map.RemoveAll();
                    model.clear();
                }
                break;
            }
            }
            ASSERT_EQ((int)model.size(), map.GetCount());
        }

        // Both ways of walking visit every association once.
        std::map<std::wstring, int> seen, seenByPair;
        for (POSITION pos = map.GetStartPosition(); pos;)
        {
            CString strKey;
            int nValue;
            map.GetNextAssoc(pos, strKey, nValue);
            EXPECT_TRUE(seen.emplace((LPCWSTR)strKey, nValue).second);
        }
        for (auto* pPair = map.PGetFirstAssoc(); pPair; pPair = map.PGetNextAssoc(pPair))
            EXPECT_TRUE(seenByPair.emplace((LPCWSTR)pPair->key, pPair->value).second);
        EXPECT_EQ(model, seen) << "block size " << nBlockSize;
        EXPECT_EQ(model, seenByPair);
    }
}

TEST(Array, GrowsToReachAnIndexBeyondItsEnd)
{
    CArray<int, int> array;
    EXPECT_EQ(nullptr, array.GetData());
    array.SetAtGrow(2, 3);
    array.InsertAt(4, 5);
    EXPECT_EQ(5, array.Add(6));
    EXPECT_EQ((std::vector<int>{ 0, 0, 3, 0, 5, 6 }), std::vector<int>(array.GetData(), array.GetData() + 6));
    array.SetSize(-1);
    EXPECT_TRUE(array.IsEmpty());
}

TEST(FixedAlloc, BlocksAreAlignedDisjointAndReused)
{
    std::vector<std::pair<BYTE*, size_t>> blocks;
    for (size_t nSize = 0; nSize <= 600; nSize += 7)
    {
        BYTE* p = (BYTE*)CFixedAlloc::Alloc(nSize);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(0u, (UINT_PTR)p % MEMORY_ALLOCATION_ALIGNMENT);
        memset(p, (int)(nSize & 0xFF), nSize);
        blocks.emplace_back(p, nSize);
    }
    for (auto& block : blocks)
        for (size_t n = 0; n < block.second; n++)
            ASSERT_EQ((BYTE)(block.second & 0xFF), block.first[n]) << "blocks overlap";
    CFixedAlloc::Free(blocks[5].first, blocks[5].second);
    EXPECT_EQ(blocks[5].first, CFixedAlloc::Alloc(blocks[5].second)) << "a freed block serves the next of its size";
    for (auto& block : blocks)
        CFixedAlloc::Free(block.first, block.second);
    CFixedAlloc::Free(NULL, 10);
}

TEST(FixedAlloc, StringsMadeAndDroppedOnSeveralThreads)
{
    // Strings also change threads: made on this one, dropped on another, and back.
    std::vector<CString>* pHandedOver = new std::vector<CString>(500, CString(L'h', 100));
    HANDLE hThreads[3];
    for (int n = 0; n < 3; n++)
        hThreads[n] = ::CreateThread(NULL, 0, ChurnStrings, (LPVOID)(UINT_PTR)(n + 1), 0, NULL);
    HANDLE hDropper = ::CreateThread(NULL, 0, DropStrings, pHandedOver, 0, NULL);
    EXPECT_EQ(0u, ChurnStrings((LPVOID)99));
    for (HANDLE hThread : hThreads)
    {
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 60000));
        DWORD dwExit = 1;
        ::GetExitCodeThread(hThread, &dwExit);
        EXPECT_EQ(0u, dwExit) << "a block was handed to two strings at once";
        ::CloseHandle(hThread);
    }
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hDropper, 60000));
    ::CloseHandle(hDropper);
}
