// Positions the parser records: where each element and attribute starts, and where a document
// that does not parse stopped being read.
#include "XmlTestSupport.h"

TEST(XmlOffset, ElementsAndAttributesKnowWhereTheyStart)
{
    LPCWSTR pszText = L"<?xml version=\"1.0\"?>\n<skin>\n  <a  x='1'\n     Y=\"2\"/>\n</skin>";
    XmlDocument pRoot = ParseText(pszText);
    ASSERT_TRUE(pRoot);
    EXPECT_EQ((int)(wcsstr(pszText, L"<skin>") - pszText), pRoot->m_nOffset);
    CXmlElement* pChild = ChildAt(pRoot.get(), 0);
    ASSERT_TRUE(pChild);
    EXPECT_EQ((int)(wcsstr(pszText, L"<a") - pszText), pChild->m_nOffset);
    ASSERT_TRUE(pChild->GetAttribute(L"x"));
    EXPECT_EQ((int)(wcsstr(pszText, L"x=") - pszText), pChild->GetAttribute(L"x")->m_nOffset);
    EXPECT_EQ((int)(wcsstr(pszText, L"Y=") - pszText), pChild->GetAttribute(L"y")->m_nOffset);
}

TEST(XmlOffset, FailureIsReportedWhereReadingStopped)
{
    static const struct { LPCWSTR pszText; LPCWSTR pszAt; } rows[] = {
        { L"<skin>\n <a b=c/></skin>", L"c/>" },             // unquoted value
        { L"<skin><a></A></skin>", L"/A>" },                  // end tag of another case
        { L"<skin><a>&#x41;</a></skin>", L"x41" },            // hexadecimal reference
        { L"<skin>\n  <a>\n", L"" },                          // no end tag before the end
        { L"<!-- never closed", L"never" },
    };
    for (const auto& row : rows)
    {
        int nOffset = -2;
        EXPECT_EQ(NULL, XmlDocument(XmlParseDocument(row.pszText, FALSE, &nOffset)).get()) << row.pszText;
        int nExpected = *row.pszAt ? (int)(wcsstr(row.pszText, row.pszAt) - row.pszText) : (int)wcslen(row.pszText);
        EXPECT_EQ(nExpected, nOffset) << row.pszText;
    }
    int nOffset = -2;
    XmlDocument pRoot(XmlParseDocument(L"<a/>", FALSE, &nOffset));
    EXPECT_TRUE(pRoot);
    EXPECT_EQ(-1, nOffset);
}
