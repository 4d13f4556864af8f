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

TEST(StringFormat, WidthsRadixesAndLongResults)
{
    struct
    {
        LPCWSTR pszFormat;
        int nValue;
        LPCWSTR pszText;
        LPCWSTR pszExpected;
    } cases[] = {
        { L"%d", -42, L"", L"-42" },
        { L"[%5d]", 42, L"", L"[   42]" },
        { L"%x", 0xBEEF, L"", L"beef" },
        { L"#%06X", 0x1A2B3C, L"", L"#1A2B3C" },
        { L"%u", -1, L"", L"4294967295" },
        { L"[%6s]%d", 7, L"ab", L"[    ab]7" },
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

    // Results far past any first guess of the size, from long arguments and from wide fields.
    CString strLong(L'y', 5000);
    CString str;
    str.Format(L"<%s|%d>", (LPCWSTR)strLong, 12345);
    ASSERT_EQ(5000 + 8, str.GetLength());
    EXPECT_EQ(CString(L"<") + strLong + L"|12345>", str);
    str.Format(L"%3000d", 1);
    EXPECT_EQ(3000, str.GetLength());
    EXPECT_EQ(L'1', str[2999]);
    str.AppendFormat(L"%s", (LPCWSTR)strLong);
    EXPECT_EQ(8000, str.GetLength());
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

    struct
    {
        CString str;
        LPCWSTR pszExpected;
    } cases[] = {
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
