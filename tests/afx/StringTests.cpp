// CString's buffer protocol, formatting and conversions, as MFC code uses them.
#include "KorvoTest.h"
#include <gtest/gtest.h>

TEST(StringBuffer, GetBufferKeepsTheLengthUntilReleaseBuffer)
{
    CString str(L"abcdef");
    LPWSTR p = str.GetBuffer(100);
    EXPECT_EQ(6, str.GetLength()) << "the length is the string's until ReleaseBuffer";
    EXPECT_EQ(CString(L"abcdef"), CString((LPCWSTR)str));
    wcscpy(p + 6, L"ghi");
    str.ReleaseBuffer();
    EXPECT_EQ(CString(L"abcdefghi"), str) << "ReleaseBuffer(-1) takes the length from the terminator";

    // A smaller request hands out the whole current buffer.
    p = str.GetBuffer(2);
    EXPECT_EQ(9, str.GetLength());
    p[0] = L'X';
    p[8] = L'Z';
    str.ReleaseBuffer();
    EXPECT_EQ(CString(L"XbcdefghZ"), str);

    struct
    {
        LPCWSTR pszStart;
        int nBuffer;
        LPCWSTR pszWrite; // written at the start of the buffer, with its terminator
        int nRelease;
        LPCWSTR pszExpected;
    } cases[] = {
        { L"", 0, L"", -1, L"" },
        { L"", 40, L"filled by a platform call", -1, L"filled by a platform call" },
        { L"long text here", 4, L"ab", -1, L"ab" },
        { L"abcdef", 10, L"xyzxyzxyz", 4, L"xyzx" },
        { L"abcdef", 0, L"", 0, L"" },
    };
    for (const auto& c : cases)
    {
        CString s(c.pszStart);
        p = s.GetBuffer(c.nBuffer);
        ASSERT_NE(nullptr, p);
        memcpy(p, c.pszWrite, (wcslen(c.pszWrite) + 1) * sizeof(wchar_t));
        s.ReleaseBuffer(c.nRelease);
        EXPECT_EQ(CString(c.pszExpected), CString((LPCWSTR)s)) << c.pszExpected;
    }

    // The buffer grown and filled in two steps, as a reader appending to what it has.
    CString strOut(L"head:");
    int nOld = strOut.GetLength();
    p = strOut.GetBuffer(nOld + 1000) + nOld;
    for (int n = 0; n < 1000; n++)
        p[n] = (wchar_t)(L'a' + n % 26);
    strOut.ReleaseBuffer(nOld + 1000);
    ASSERT_EQ(1005, strOut.GetLength());
    EXPECT_EQ(L'a', strOut[5]);
    EXPECT_EQ((wchar_t)(L'a' + 999 % 26), strOut[1004]);

    CString strSet(L"abc");
    p = strSet.GetBufferSetLength(5);
    EXPECT_EQ(5, strSet.GetLength());
    p[3] = L'd';
    p[4] = L'e';
    strSet.ReleaseBuffer(5);
    EXPECT_EQ(CString(L"abcde"), strSet);
}
