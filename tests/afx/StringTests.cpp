// CString's buffer protocol, formatting and conversions, as MFC code uses them.
#include "KorvoTest.h"
#include <gtest/gtest.h>

TEST(StringBuffer, GetBufferKeepsTheLengthUntilReleaseBuffer)
{
    CString strLetters;
    for (int n = 0; n < 1000; n++)
        strLetters += (wchar_t)(L'a' + n % 26);
    // strWrite goes at nAt in the buffer, with its terminator when bTerminate: filled by a
    // platform call, or appended to by a reader that knows the length.
    struct { LPCWSTR pszStart; int nBuffer, nAt; CString strWrite; bool bTerminate; int nRelease; CString strExpected; } cases[] = {
        { L"abcdef", 100, 6, L"ghi", true, -1, L"abcdefghi" },
        { L"abcdefghi", 2, 8, L"Z", false, -1, L"abcdefghZ" }, // a smaller request hands out the whole buffer
        { L"head:", 1005, 5, strLetters, false, 1005, CString(L"head:") + strLetters },
        { L"", 0, 0, L"", true, -1, L"" },
        { L"", 40, 0, L"filled by a platform call", true, -1, L"filled by a platform call" },
        { L"long text here", 4, 0, L"ab", true, -1, L"ab" },
        { L"abcdef", 10, 0, L"xyzxyzxyz", true, 4, L"xyzx" },
        { L"abcdef", 0, 0, L"", true, 0, L"" },
    };
    for (const auto& c : cases)
    {
        CString str(c.pszStart);
        LPWSTR p = str.GetBuffer(c.nBuffer);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(CString(c.pszStart), CString((LPCWSTR)p)) << "the buffer holds the string";
        memcpy(p + c.nAt, (LPCWSTR)c.strWrite, (c.strWrite.GetLength() + (c.bTerminate ? 1 : 0)) * sizeof(wchar_t));
        EXPECT_EQ((int)wcslen(c.pszStart), str.GetLength()) << "the length is the string's until ReleaseBuffer";
        str.ReleaseBuffer(c.nRelease);
        // Read back through the pointer, so that the terminator is where the length says.
        EXPECT_EQ(c.strExpected, CString((LPCWSTR)str)) << c.pszStart << " " << c.nRelease;
    }

    CString strSet(L"abc");
    LPWSTR p = strSet.GetBufferSetLength(5);
    EXPECT_EQ(5, strSet.GetLength());
    p[3] = L'd';
    p[4] = L'e';
    strSet.ReleaseBuffer(5);
    EXPECT_EQ(CString(L"abcde"), strSet);
}

TEST(StringFormat, WidthsRadixesAndLongResults)
{
    struct { LPCWSTR pszFormat; int nValue; LPCWSTR pszText; LPCWSTR pszExpected; } cases[] = {
        { L"[%5d]", 42, L"", L"[   42]" },
        { L"#%06X", 0x1A2B3C, L"", L"#1A2B3C" },
        { L"%u", -1, L"", L"4294967295" },
        { L"[%-6s]%d", 7, L"ab", L"[ab    ]7" },
        { L"%.2s%d", 1, L"abcdef", L"ab1" },
        { L"100%%%d", 5, L"", L"100%5" },
    };
    for (const auto& c : cases)
    {
        CString str;
        if (wcsstr(c.pszFormat, L"s"))
            str.Format(c.pszFormat, c.pszText, c.nValue);
        else
            str.Format(c.pszFormat, c.nValue);
        EXPECT_EQ(CString(c.pszExpected), str) << c.pszFormat;
    }

    // Results far past any first guess of the size.
    CString strLong(L'y', 5000);
    CString str;
    str.Format(L"<%s|%d>", (LPCWSTR)strLong, 12345);
    ASSERT_EQ(5000 + 8, str.GetLength());
    EXPECT_EQ(CString(L"<") + strLong + L"|12345>", str);
    str.AppendFormat(L"%s", (LPCWSTR)strLong);
    EXPECT_EQ(10008, str.GetLength());
    str.Format(L"");
    EXPECT_TRUE(str.IsEmpty());
}

TEST(StringConversion, NarrowTextPiecesAndCharacters)
{
    EXPECT_EQ(CString(L"plain ascii"), CString("plain ascii"));
    EXPECT_EQ(CString(), CString((LPCSTR)NULL));
    EXPECT_EQ(CString(), CString(""));
    CString strNarrow;
    strNarrow.Format(L"%S and %hs", "narrow", "short");
    EXPECT_EQ(CString(L"narrow and short"), strNarrow);

    struct { CString str; LPCWSTR pszExpected; } cases[] = {
        { CString(L"abcdef", 3), L"abc" },
        { CString(L"abc", 0), L"" },
        { CString(L"abc", -4), L"" },
        { CString(L'z', 4), L"zzzz" },
        { CString(L'z', -1), L"" },
        { CString(L"abcdef").Mid(-3, 2), L"ab" },
        { CString(L"abcdef").Mid(4, 100), L"ef" },
        { CString(L"abcdef").Mid(9), L"" },
        { CString(L"abcdef").Left(-1), L"" },
        { CString(L"abcdef").Right(100), L"abcdef" },
        { CString(L"  pad \t").Trim(), L"pad" },
        { CString(L"MiXeD").MakeUpper(), L"MIXED" },
        { CString(L"MiXeD").MakeLower(), L"mixed" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.pszExpected), c.str) << c.pszExpected;

    CString str(L"a-b-c");
    EXPECT_EQ(2, str.Remove(L'-'));
    EXPECT_EQ(5, str.Insert(1, L"--"));
    EXPECT_EQ(CString(L"a--bc"), str);
    EXPECT_EQ(3, str.Delete(1, 2));
    EXPECT_EQ(CString(L"abc"), str);
    EXPECT_EQ(1, str.FindOneOf(L"xyzb"));
    EXPECT_EQ(-1, str.Find(L'c', 5));
    EXPECT_EQ(L'\0', str.GetAt(3)) << "the terminator may be read";
    EXPECT_EQ(0, CString(L"Skin").CompareNoCase(L"sKIN"));
    CString strReplace(L"a\\nb,\\n");
    EXPECT_EQ(2, strReplace.Replace(L"\\n", L"\n"));
    EXPECT_EQ(CString(L"a\nb,\n"), strReplace);
    EXPECT_EQ(4, strReplace.ReverseFind(L'\n'));
    LPCWSTR psz = str;
    EXPECT_EQ(0, wcscmp(L"abc", psz));
}
