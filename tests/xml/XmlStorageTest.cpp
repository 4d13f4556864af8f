// Storage of parsed trees: a document's nodes share its storage, which lasts as long as any of
// them; nodes made on their own live apart from any document.
#include "XmlTestSupport.h"

namespace
{
// A document of nCount sections, each with attributes, text and a child, large enough to take
// several blocks of storage.
std::wstring Sections(int nCount)
{
    std::wstring str = L"<skin>";
    for (int n = 0; n < nCount; n++)
        str += L"<section name=\"s" + std::to_wstring(n) + L"\" a=\"1\" b=\"2\">text " + std::to_wstring(n) +
               L"<item id=\"" + std::to_wstring(n) + L"\"/></section>";
    return str + L"</skin>";
}
} // namespace

TEST(XmlStorage, UnlinkedChildrenOutliveTheirDocumentsWhateverTheOrderOfDeletion)
{
    // Documents of growing size, so that the kept children sit in first and in later blocks.
    std::vector<std::unique_ptr<CXmlElement>> kept;
    for (int nSize : { 3, 50, 5000 })
    {
        XmlDocument pDoc = ParseText(Sections(nSize).c_str());
        ASSERT_TRUE(pDoc);
        for (int nIndex : { 0, nSize / 2, nSize - 3 })
        {
            POSITION pos = pDoc->m_listChildren.FindIndex(nIndex);
            ASSERT_TRUE(pos);
            kept.emplace_back(pDoc->m_listChildren.GetAt(pos));
            pDoc->m_listChildren.RemoveAt(pos);
            EXPECT_EQ(NULL, kept.back()->m_pParent) << "an unlinked child is a root of its own";
        }
        // Parse another document in between, so that storage given back is taken again.
        ASSERT_TRUE(ParseText(Sections(nSize).c_str()));
    }
    // Dropped from the middle out, the newest first.
    for (size_t n : { 4u, 8u, 0u, 6u, 2u, 7u, 1u, 5u, 3u })
    {
        CXmlElement* pSection = kept[n].get();
        ASSERT_TRUE(pSection);
        EXPECT_TRUE(pSection->IsNamed(L"section"));
        EXPECT_EQ(std::wstring(L"2"), Str(pSection->GetAttributeValue(L"B")));
        ASSERT_EQ(1, pSection->m_listChildren.GetCount());
        CXmlElement* pItem = pSection->m_listChildren.GetHead();
        EXPECT_EQ(pSection, pItem->m_pParent);
        EXPECT_EQ(Str(pSection->GetAttributeValue(L"name")).substr(1), Str(pItem->GetAttributeValue(L"id")));
        kept[n].reset();
    }
}

TEST(XmlStorage, FailedParsesLeaveTheNextDocumentWhole)
{
    // Documents that fail late, after thousands of nodes, and at once; then a good one parses.
    std::wstring strLate = Sections(3000);
    strLate.resize(strLate.size() - 3);
    for (int n = 0; n < 20; n++)
    {
        EXPECT_FALSE(ParseText(strLate.c_str()));
        EXPECT_FALSE(ParseText(L"<"));
    }
    XmlDocument pDoc = ParseText(Sections(3000).c_str());
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(3000, pDoc->m_listChildren.GetCount());
}

TEST(XmlStorage, TextRunsBetweenManyChildrenJoinWhole)
{
    // Runs that alternate with children, a comment and CDATA: the text moves and grows while
    // the children are stored, and must come out whole and in order.
    std::wstring strDoc = L"<a>", strExpected;
    for (int n = 0; n < 4000; n++)
    {
        std::wstring strRun = L"r" + std::to_wstring(n) + (n % 3 ? L"&amp;" : L"");
        strDoc += strRun + (n % 7 ? L"<b x='1'/>" : L"<!-- c -->");
        strExpected += (n ? L" " : L"") + std::wstring(L"r") + std::to_wstring(n) + (n % 3 ? L"&" : L"");
    }
    XmlDocument pDoc = ParseText((strDoc + L"</a>").c_str());
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(strExpected, Str(pDoc->m_strValue));
    EXPECT_EQ(4000 - (4000 + 6) / 7, pDoc->m_listChildren.GetCount());
    EXPECT_EQ(std::wstring(L"1"), Str(pDoc->m_listChildren.GetTail()->GetAttributeValue(L"X")));
}
