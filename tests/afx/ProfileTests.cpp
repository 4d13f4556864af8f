// Profile values round-trip through the application's profile (an INI file): strings, numbers,
// defaults for what is missing, and removal.
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
// Points the application at a profile file of the test's own, and back afterwards.
struct CTestProfile
{
    KorvoTest::CTempFolder folder;
    CString strPath;
    LPCWSTR pszOld;
    CTestProfile() : strPath(folder.Path() + L"profile.ini"), pszOld(AfxGetApp()->m_pszProfileName)
    {
        AfxGetApp()->m_pszProfileName = strPath;
    }
    ~CTestProfile() { AfxGetApp()->m_pszProfileName = pszOld; }
};
}

TEST(Profile, StringsAndNumbersRoundTrip)
{
    CTestProfile profile;
    CWinApp* pApp = AfxGetApp();
    CString strLong(L'v', 3000);
    struct { LPCWSTR pszEntry; LPCWSTR pszValue; } strings[] = {
        { L"Name", L"Blue" },
        { L"Empty", L"" },
        { L"Spaces", L"a value with spaces" },
        // The file is the platform's INI file, in the ANSI code page as MFC's is: ASCII only here.
        { L"Punctuation", L"a=b; [c]" },
        { L"Long", strLong },
    };
    for (const auto& s : strings)
        EXPECT_TRUE(pApp->WriteProfileString(L"Skin", s.pszEntry, s.pszValue)) << s.pszEntry;
    for (const auto& s : strings)
        EXPECT_EQ(CString(s.pszValue), pApp->GetProfileString(L"Skin", s.pszEntry, L"default")) << s.pszEntry;

    struct { LPCWSTR pszEntry; int nValue; } numbers[] = {
        { L"Zero", 0 }, { L"Width", 640 }, { L"Negative", -25 }, { L"Big", 2147483647 }
    };
    for (const auto& n : numbers)
        EXPECT_TRUE(pApp->WriteProfileInt(L"Placement", n.pszEntry, n.nValue));
    for (const auto& n : numbers)
        EXPECT_EQ((UINT)n.nValue, pApp->GetProfileInt(L"Placement", n.pszEntry, 99)) << n.pszEntry;

    // What is missing gives the default.
    EXPECT_EQ(CString(L"fallback"), pApp->GetProfileString(L"Skin", L"Missing", L"fallback"));
    EXPECT_EQ(CString(), pApp->GetProfileString(L"Nowhere", L"Missing"));
    EXPECT_EQ(99u, pApp->GetProfileInt(L"Nowhere", L"Width", 99));
    EXPECT_EQ(CString(L"d"), pApp->GetProfileString(NULL, L"Name", L"d"));
    EXPECT_EQ(7u, pApp->GetProfileInt(L"Placement", NULL, 7));

    // Rewritten, removed, and the whole section removed.
    EXPECT_TRUE(pApp->WriteProfileString(L"Skin", L"Name", L"Green"));
    EXPECT_EQ(CString(L"Green"), pApp->GetProfileString(L"Skin", L"Name"));
    EXPECT_TRUE(pApp->WriteProfileString(L"Skin", L"Name", NULL));
    EXPECT_EQ(CString(L"gone"), pApp->GetProfileString(L"Skin", L"Name", L"gone"));
    EXPECT_TRUE(pApp->WriteProfileString(L"Placement", NULL, NULL));
    EXPECT_EQ(5u, pApp->GetProfileInt(L"Placement", L"Width", 5));
    EXPECT_FALSE(pApp->WriteProfileString(NULL, L"Name", L"x"));

    // The values are in the application's profile file.
    wchar_t szValue[32] = L"";
    ::GetPrivateProfileStringW(L"Skin", L"Spaces", L"", szValue, 32, profile.strPath);
    EXPECT_EQ(CString(L"a value with spaces"), CString(szValue));
}
