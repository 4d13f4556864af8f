#include "XmlTestSupport.h"

const std::vector<XmlValueCase> g_xmlValueCases = {
    // White space: the leading run is dropped, inner runs fold to one space, a trailing run is
    // kept as one space; &nbsp; is a plain space written as is.
    { "<a v = ' 1  2 '/>", L"1 2 " }, { "<a>\r\n  p \t\r\n\x0B\x0C q  </a>", L"p q " },
    { "<a>x<b/>y</a>", L"x y" }, { "<a>x <b/> y<c/>z</a>", L"x y z" }, { "<a>\n  <b/>\n  <c/>\n</a>", L"" },
    { "<a>a&nbsp;&NBSP; b</a>", L"a   b" }, { "<a\ty='1'\r\nv\n=\"2\"\t/\t>", L"2" },
    // Entities in any case, decimal references (low 16 bits kept), unknown entities as written;
    // an entity is not completed from beyond its run.
    { "<a>&AMP;&#65;&foo;</a>", L"&A&foo;" }, { "<a>&#65 b</a>", L"A" }, { "<a>&#65x;y</a>", L"Ay" },
    { "<a>&lt;&Gt;&quot;&apos;&QUOT;&amp;</a>", L"<>\"'\"&" }, { "<a>&#8364;</a>", L"\u20AC" },
    { "<a>&#65601;</a>", L"A" }, { "<a>&&amp;</a>", L"&&" }, { "<a>x&</a>", L"x" }, { "<a>x&#</a>", L"x" },
    { "<a>&am<b/>p;y</a>", L"&am p;y" }, { "<a v=\"a&quot;b\"/>", L"a\"b" }, { "<a v='it&apos;s &lt;'/>", L"it's <" },
    { "<a v='&#233;'/>", L"\u00E9" }, { "<a v=''/>", L"" }, { "<a v=\"x'y\"/>", L"x'y" },
    { "<a v='a > b'></a>", L"a > b" },
    // CDATA sections before any text run, comments and a DOCTYPE before the root.
    { "<a> <![CDATA[ p  q ]]></a>", L"p q " }, { "<a><![CDATA[<b>&amp;]]><![CDATA[x]]></a>", L"<b>& x" },
    { "<a><b/>\n<![CDATA[y]]>\n</a>", L"y" }, { "<a><!-- c --><![CDATA[y]]></a>", L"y" },
    { "<a><![CDATA[<b/>]]></a>", L"<b/>" }, { "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>d</a>", L"d" },
    { "<!-- a --><!--b-->\n<!DOCTYPE skin SYSTEM \"x\">\n<!-- c --><skin>x<!-- <b/> -->y<!---->z</skin>", L"x y z" },
    // Unmarked bytes are UTF-8, never ANSI, where 0xE9 would be 'e' acute.
    { "<a>caf\xE9</a>", L"caf\uFFFD" },
    // The document ends with the root's closing tag; whatever follows is never read.
    { "<a>t</a> trailing <b> </c> &#x41; <<<", L"t" }, { "<a/><b/>", L"" },
};

const std::vector<const char*> g_xmlFailingDocuments = {
    // Only decimal references, decoded to the very end of the run, white space included.
    "<a>&#x41;</a>", "<a v='&#x41;'/>", "<a><b>&#x41;</b></a>", "<a>&#-1;</a>", "<a>&# </a>", "<a>&#\n<b/></a>",
    // Attributes are name='value' or name="value", separated by white space.
    "<a v=1/>", "<a v/>", "<a v='1/>", "<a v=\"x\"y\"/>", "<a v='1'w='2'",
    // Only space, tab, CR and LF separate tokens.
    "<a\x0Cx='1'/>", "<a\x0Bx='1'/>", "\x0C<a/>",
    // Closing tags repeat the name exactly; a name is never empty and holds no '.'.
    "<a></A>", "<a></a >", "<a></ a>", "<a.b/>", "<a x.y='1'/>", "<>", "<a><></a>",
    // After a text run a CDATA section is taken for a child element.
    "<a>x<![CDATA[y]]></a>", "<a><![CDATA[x]]>y</a>", "<a><![CDATA[x</a>",
    // The declaration is written exactly so; no other processing instruction.
    "<?xml version='1.0'?><a/>", "<?XML version=\"1.0\"?><a/>", "<?xml version = \"1.0\"?><a/>",
    "<?xml version=\"1.0\"><a/>", "<a><?pi?></a>",
    // Comments and DOCTYPE are closed; one DOCTYPE, before the root.
    "<!-- open <a/>", "<a><!-- open </a>", "<!DOCTYPE skin", "<!DOCTYPE a><!DOCTYPE a><a/>", "<a><!DOCTYPE a></a>",
    // Unfinished or crossed elements, and text before the root.
    "<a></a", "<a></", "<a>", "<a>text", "<a", "<a x='1'", "<a/", "<a><b></a></b>", "text<a/>",
};

TEST(XmlGrammar, DocumentsReadAsTheirValuesOrFail)
{
    for (const XmlValueCase& test : g_xmlValueCases)
    {
        XmlDocument pDoc = LoadBytes(test.pszDocument);
        ASSERT_TRUE(pDoc) << testing::PrintToString(test.pszDocument);
        CXmlAttribute* pValue = pDoc->GetAttribute(L"v");
        EXPECT_EQ(std::wstring(test.pszValue), Str(pValue ? pValue->m_strValue : pDoc->m_strValue))
            << testing::PrintToString(test.pszDocument);
    }
    for (const char* pszDocument : g_xmlFailingDocuments)
        EXPECT_FALSE(LoadBytes(pszDocument)) << testing::PrintToString(pszDocument);

    EXPECT_TRUE(ParseText(L"\r\n <?xml version=\"1.0\"?>\n<a/>", TRUE));
    EXPECT_FALSE(ParseText(L"<a/>", TRUE)) << "the declaration was required";
}

TEST(XmlGrammar, TreeShapeLinksAndNames)
{
    XmlDocument pDoc = ParseText(L"<Skin Name='n'><strings a='1' b='2'><s/><t>x</t></strings><MENU/></Skin>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(8, WalkTree(pDoc.get(), NULL, 1));
    ASSERT_EQ(2, pDoc->m_listChildren.GetCount());
    CXmlElement* pStrings = ChildAt(pDoc.get(), 0);
    EXPECT_EQ(std::wstring(L"x"), Str(ChildAt(pStrings, 1)->m_strValue));

    // Names keep their case and match in any case.
    EXPECT_EQ(std::wstring(L"Skin"), Str(pDoc->m_strName));
    EXPECT_TRUE(pDoc->IsNamed(L"SKIN"));
    EXPECT_FALSE(pDoc->IsNamed(L"skins"));
    EXPECT_TRUE(ChildAt(pDoc.get(), 1)->IsNamed(L"Menu"));
    EXPECT_EQ(nullptr, ChildAt(pDoc.get(), 5)) << "a missing child is null, never an element named nothing";
    EXPECT_EQ(std::wstring(L"Name"), Str(pDoc->GetAttribute(L"name")->m_strName));
    EXPECT_EQ(NULL, pDoc->GetAttribute(L"none"));
    EXPECT_EQ(std::wstring(L"d"), Str(pDoc->GetAttributeValue(L"none", L"d")));
    EXPECT_EQ(std::wstring(L""), Str(pDoc->GetAttributeValue(L"none")));

    for (LPCWSTR pszName : { L"ns:a-b_c1", L"\u00E9l\u00E8ve" })
    {
        pDoc = ParseText((L"< " + std::wstring(pszName) + L" />").c_str());
        ASSERT_TRUE(pDoc);
        EXPECT_EQ(std::wstring(pszName), Str(pDoc->m_strName));
    }
}

TEST(XmlGrammar, ManyAttributesAndDuplicatesWhateverTheirCaseLastWins)
{
    // More attributes than share the bucket table's allocation, every third one repeated.
    std::wstring strDoc = L"<a";
    for (int n = 0; n < 40; n++)
        strDoc += L" Attr" + std::to_wstring(n) + L"='v" + std::to_wstring(n) + L"'";
    for (int n = 0; n < 40; n += 3)
        strDoc += L" ATTR" + std::to_wstring(n) + L"='w" + std::to_wstring(n) + L"'";
    XmlDocument pDoc = ParseText((strDoc + L" Empty=''/>").c_str());
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(42, WalkTree(pDoc.get(), NULL, 1));
    for (int n = 0; n < 40; n++)
        EXPECT_EQ((n % 3 ? L"v" : L"w") + std::to_wstring(n),
                  Str(pDoc->GetAttributeValue((L"attr" + std::to_wstring(n)).c_str())));
    EXPECT_EQ(std::wstring(L"ATTR3"), Str(pDoc->GetAttribute(L"attr3")->m_strName)) << "the later name is kept";
    EXPECT_EQ(std::wstring(L""), Str(pDoc->GetAttributeValue(L"EMPTY", L"d"))) << "an empty value is a value";
}
