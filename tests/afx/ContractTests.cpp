// The framework's contract checks. This file is compiled as a debug build whatever the tree's
// build type, so the container checks (templates, instantiated here for this file's own types)
// are live; the checks inside the framework DLL are live only when the tree is a debug build.
#ifdef _DEBUG
#define KORVO_TREE_IS_DEBUG 1
#else
#define KORVO_TREE_IS_DEBUG 0
#define _DEBUG
#endif
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
// Types of this file only, so that no other file instantiates the same containers.
struct CItem
{
    int n = 0;
    bool operator==(const CItem& other) const { return n == other.n; }
};

int g_nEvaluations = 0;
bool Evaluate(bool bResult)
{
    g_nEvaluations++;
    return bResult;
}
} // namespace

TEST(Contracts, VerifyEvaluatesOnceAndHoldingAssertionsPass)
{
    g_nEvaluations = 0;
    VERIFY(Evaluate(true));
    ASSERT(Evaluate(true));
    EXPECT_EQ(2, g_nEvaluations);
    CList<CItem, const CItem&> list;
    list.AddTail(CItem());
    EXPECT_EQ(0, list.GetHead().n);
}

// Each statement breaks a contract; the process it runs in must stop at once, with the exit
// code of a failed assertion rather than that of the crash that would follow.
const int ASSERT_EXIT_CODE = 3;

TEST(ContractsDeathTest, BrokenContractsStopTheProgram)
{
    CList<CItem, const CItem&> list;
    CArray<CItem, const CItem&> array;
    array.Add(CItem());
    CMap<int, int, CItem, const CItem&> map;
    POSITION pos = NULL;
    EXPECT_EXIT(list.GetHead(), ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "") << "the head of an empty list";
    EXPECT_EXIT(array.GetAt(1), ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "") << "an index past the end";
    EXPECT_EXIT(
        {
            int nKey;
            CItem value;
            map.GetNextAssoc(pos, nKey, value);
        },
        ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "")
        << "walking past the last association";
}

#if KORVO_TREE_IS_DEBUG
// The framework DLL checks its handle wrappers only in a debug tree.
TEST(ContractsDeathTest, HandleWrappersHoldOneHandle)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EXIT(brush.CreateSolidBrush(RGB(4, 5, 6)), ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "") << "a second Attach without Detach";
    CMenu menu;
    EXPECT_EXIT(menu.Detach(), ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "") << "Detach of nothing";
    CString str(L"abc");
    EXPECT_EXIT(str.GetAt(4), ::testing::ExitedWithCode(ASSERT_EXIT_CODE), "") << "past the terminator";
}
#endif
