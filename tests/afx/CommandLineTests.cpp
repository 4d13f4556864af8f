// The application's command line is what follows the program's name, as WinMain is given it.
#include "KorvoTest.h"
#include <gtest/gtest.h>

TEST(CommandLine, TheProgramsNameIsLeftOutQuotedOrNot)
{
    const struct
    {
        const wchar_t* pszLine;
        const wchar_t* pszArguments;
    } cases[] = {
        { L"\"C:\\Program Files\\Host\\host.exe\" /skin Ember", L"/skin Ember" },
        { L"host.exe /skin Ember", L"/skin Ember" },
        { L"host.exe \t  /menu", L"/menu" },
        { L"\"C:\\a b\\host.exe\"/controls", L"/controls" },
        { L"host.exe", L"" },
        { L"\"unterminated quote /skin", L"" },
        { L"", L"" },
    };
    for (const auto& test : cases)
    {
        std::wstring strLine(test.pszLine);
        EXPECT_STREQ(test.pszArguments, AfxSkipProgramName(&strLine[0])) << test.pszLine;
    }
    EXPECT_EQ(nullptr, AfxSkipProgramName(NULL));
}
