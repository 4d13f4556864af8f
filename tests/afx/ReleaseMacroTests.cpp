// In a release build of a host, the contract checks cost nothing: ASSERT's expression is not
// even evaluated, while VERIFY's still is.
#include "KorvoTest.h"
#include <gtest/gtest.h>

#ifndef _DEBUG
namespace
{
int g_nCalls = 0;
bool Count(bool bResult)
{
    g_nCalls++;
    return bResult;
}
}

TEST(ReleaseMacros, AssertVanishesAndVerifyStillEvaluates)
{
    g_nCalls = 0;
    ASSERT(Count(false));
    ASSERT_VALID((CObject*)NULL);
    EXPECT_EQ(0, g_nCalls) << "ASSERT compiles to nothing";
    VERIFY(Count(false));
    VERIFY(Count(true));
    EXPECT_EQ(2, g_nCalls) << "VERIFY keeps its expression, and a false one does not stop the program";

    // The framework's own checks are compiled out too: breaking a contract is answered as before.
    CMenu menu;
    EXPECT_EQ(nullptr, menu.Detach());
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ hFirst = brush.m_hObject;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_NE(&brush, CGdiObject::FromHandle(hFirst)) << "the replaced handle no longer leads to the wrapper";
    EXPECT_EQ(&brush, CGdiObject::FromHandle(brush.m_hObject));
    ::DeleteObject(hFirst);
    AfxDeleteTempMaps();
}
#endif
