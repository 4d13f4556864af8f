#include "XmlTestSupport.h"

static std::wstring TextOf(LPCWSTR pszDocument)
{
    XmlDocument pDoc = ParseText(pszDocument);
    EXPECT_TRUE(pDoc) << "document failed: " << testing::PrintToString(std::wstring(pszDocument));
    return pDoc ? Str(pDoc->m_strValue) : std::wstring(L"<null>");
}

static std::wstring AttributeOf(LPCWSTR pszDocument, LPCWSTR pszName)
{
    XmlDocument pDoc = ParseText(pszDocument);
    EXPECT_TRUE(pDoc) << "document failed: " << testing::PrintToString(std::wstring(pszDocument));
    if (!pDoc)
        return L"<null>";
    CXmlAttribute* pAttribute = pDoc->GetAttribute(pszName);
    return pAttribute ? Str(pAttribute->m_strValue) : std::wstring(L"<absent>");
}

TEST(XmlGrammar, TreeShapeAndLinks)
{
    XmlDocument pDoc = ParseText(L"<skin><strings a='1' b='2'><s/><t>x</t></strings><menus/></skin>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(7, WalkTree(pDoc.get(), NULL, 1));
    ASSERT_EQ(2, pDoc->m_listChildren.GetCount());
    CXmlElement* pStrings = ChildAt(pDoc.get(), 0);
    EXPECT_EQ(std::wstring(L"strings"), Str(pStrings->m_strName));
    EXPECT_EQ(std::wstring(L"menus"), Str(ChildAt(pDoc.get(), 1)->m_strName));
    EXPECT_EQ(2, pStrings->m_mapAttributes.GetCount());
    EXPECT_EQ(std::wstring(L"x"), Str(ChildAt(pStrings, 1)->m_strValue));

    // A child unlinked by its user survives the document and is deleted by that user.
    POSITION pos = pDoc->m_listChildren.GetHeadPosition();
    std::unique_ptr<CXmlElement> pKept(pDoc->m_listChildren.GetAt(pos));
    pDoc->m_listChildren.RemoveAt(pos);
    pDoc.reset();
    EXPECT_EQ(std::wstring(L"t"), Str(ChildAt(pKept.get(), 1)->m_strName));
}

TEST(XmlGrammar, WhiteSpaceFolding)
{
    // Leading run dropped, inner runs folded to one space, trailing run kept as one space.
    EXPECT_EQ(std::wstring(L"1 2 "), AttributeOf(L"<a x = ' 1  2 '/>", L"x"));
    EXPECT_EQ(std::wstring(L"p q "), TextOf(L"<a>\r\n  p \t\r\n\x0B\x0C q  </a>"));
    EXPECT_EQ(std::wstring(L"x y"), TextOf(L"<a>x<b/>y</a>"));
    EXPECT_EQ(std::wstring(L"x y z"), TextOf(L"<a>x <b/> y<c/>z</a>"));
    EXPECT_EQ(std::wstring(L""), TextOf(L"<a>\n  <b/>\n  <c/>\n</a>"));
    // &nbsp; is a plain space written as is, never folded.
    EXPECT_EQ(std::wstring(L"a   b"), TextOf(L"<a>a&nbsp;&NBSP; b</a>"));
}

TEST(XmlGrammar, OnlyFourCharactersSeparateTokens)
{
    XmlDocument pDoc = ParseText(L"<a\tx='1'\r\ny\n=\"2\"\t/\t>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"2"), Str(pDoc->GetAttributeValue(L"y")));
    EXPECT_FALSE(ParseText(L"<a\x0Cx='1'/>"));
    EXPECT_FALSE(ParseText(L"<a\x0Bx='1'/>"));
    EXPECT_FALSE(ParseText(L"\x0C<a/>"));
}

TEST(XmlGrammar, EntitiesAndNumericReferences)
{
    EXPECT_EQ(std::wstring(L"&A&foo;"), TextOf(L"<a>&AMP;&#65;&foo;</a>"));
    EXPECT_EQ(std::wstring(L"A"), TextOf(L"<a>&#65 b</a>"));
    EXPECT_EQ(std::wstring(L"<>\"'\"&"), TextOf(L"<a>&lt;&Gt;&quot;&apos;&QUOT;&amp;</a>"));
    EXPECT_EQ(std::wstring(L"Ay"), TextOf(L"<a>&#65x;y</a>"));
    EXPECT_EQ(std::wstring(L"\u20AC"), TextOf(L"<a>&#8364;</a>"));
    // Only the low 16 bits of a number are kept.
    EXPECT_EQ(std::wstring(L"A"), TextOf(L"<a>&#65601;</a>"));
    EXPECT_EQ(std::wstring(L"&&"), TextOf(L"<a>&&amp;</a>"));
    EXPECT_EQ(std::wstring(L"x"), TextOf(L"<a>x&</a>"));
    EXPECT_EQ(std::wstring(L"x"), TextOf(L"<a>x&#</a>"));
    // An entity is not completed from beyond its run.
    EXPECT_EQ(std::wstring(L"&am p;y"), TextOf(L"<a>&am<b/>p;y</a>"));

    EXPECT_EQ(std::wstring(L"a\"b"), AttributeOf(L"<a v=\"a&quot;b\"/>", L"v"));
    EXPECT_EQ(std::wstring(L"it's <"), AttributeOf(L"<a v='it&apos;s &lt;'/>", L"v"));
    EXPECT_EQ(std::wstring(L"\u00E9"), AttributeOf(L"<a v='&#233;'/>", L"v"));
}

TEST(XmlGrammar, NonDecimalReferencesFail)
{
    EXPECT_FALSE(ParseText(L"<a>&#x41;</a>"));
    EXPECT_FALSE(ParseText(L"<a v='&#x41;'/>"));
    EXPECT_FALSE(ParseText(L"<a><b>&#x41;</b></a>"));
    EXPECT_FALSE(ParseText(L"<a>&#-1;</a>"));
    // The text run must be decoded to its very end, white space included.
    EXPECT_FALSE(ParseText(L"<a>&# </a>"));
    EXPECT_FALSE(ParseText(L"<a>&#\n<b/></a>"));
}

TEST(XmlGrammar, AttributeValues)
{
    EXPECT_EQ(std::wstring(L""), AttributeOf(L"<a v=''/>", L"v"));
    EXPECT_EQ(std::wstring(L"x'y"), AttributeOf(L"<a v=\"x'y\"/>", L"v"));
    EXPECT_EQ(std::wstring(L"a > b"), AttributeOf(L"<a v='a > b'></a>", L"v"));
    EXPECT_FALSE(ParseText(L"<a v=1/>"));
    EXPECT_FALSE(ParseText(L"<a v/>"));
    EXPECT_FALSE(ParseText(L"<a v='1/>"));
    EXPECT_FALSE(ParseText(L"<a v=\"x\"y\"/>"));
    EXPECT_FALSE(ParseText(L"<a v='1'w='2'"));
}

TEST(XmlGrammar, DuplicateAttributesLastWinsWhateverTheCase)
{
    XmlDocument pDoc = ParseText(L"<a X=\"1\" x=\"2\" y='3' Y='4' Y='5'/>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(2, pDoc->m_mapAttributes.GetCount());
    CXmlAttribute* pX = pDoc->GetAttribute(L"x");
    ASSERT_TRUE(pX);
    EXPECT_EQ(std::wstring(L"x"), Str(pX->m_strName));
    EXPECT_EQ(std::wstring(L"2"), Str(pX->m_strValue));
    EXPECT_EQ(std::wstring(L"5"), Str(pDoc->GetAttributeValue(L"y")));
    WalkTree(pDoc.get(), NULL, 1);
}

TEST(XmlGrammar, CaseRules)
{
    EXPECT_FALSE(ParseText(L"<a></A>"));
    EXPECT_FALSE(ParseText(L"<a></a >"));
    EXPECT_FALSE(ParseText(L"<a></ a>"));

    XmlDocument pDoc = ParseText(L"<Skin Name='n'><MENU/></Skin>");
    ASSERT_TRUE(pDoc);
    EXPECT_TRUE(pDoc->IsNamed(L"skin"));
    EXPECT_TRUE(pDoc->IsNamed(L"SKIN"));
    EXPECT_FALSE(pDoc->IsNamed(L"skins"));
    EXPECT_TRUE(ChildAt(pDoc.get(), 0)->IsNamed(L"Menu"));
    EXPECT_EQ(std::wstring(L"Skin"), Str(pDoc->m_strName));
    EXPECT_EQ(std::wstring(L"n"), Str(pDoc->GetAttributeValue(L"NAME")));
    EXPECT_EQ(std::wstring(L"Name"), Str(pDoc->GetAttribute(L"name")->m_strName));

    CXmlElement* pMissing = ChildAt(pDoc.get(), 5);
    EXPECT_FALSE(pMissing->IsNamed(L"menu"));
}

TEST(XmlGrammar, AttributeLookupDefaults)
{
    XmlDocument pDoc = ParseText(L"<a empty=''/>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(NULL, pDoc->GetAttribute(L"none"));
    EXPECT_EQ(std::wstring(L"d"), Str(pDoc->GetAttributeValue(L"none", L"d")));
    EXPECT_EQ(std::wstring(L""), Str(pDoc->GetAttributeValue(L"none")));
    EXPECT_EQ(std::wstring(L""), Str(pDoc->GetAttributeValue(L"EMPTY", L"d")));
}

TEST(XmlGrammar, Names)
{
    XmlDocument pDoc = ParseText(L"< ns:a-b_c1 />");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"ns:a-b_c1"), Str(pDoc->m_strName));
    pDoc = ParseText(L"<\u00E9l\u00E8ve/>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"\u00E9l\u00E8ve"), Str(pDoc->m_strName));
    EXPECT_FALSE(ParseText(L"<a.b/>"));
    EXPECT_FALSE(ParseText(L"<a x.y='1'/>"));
    EXPECT_FALSE(ParseText(L"<>"));
    EXPECT_FALSE(ParseText(L"<a><></a>"));
}

TEST(XmlGrammar, CdataPlacement)
{
    EXPECT_EQ(std::wstring(L"p q "), TextOf(L"<a> <![CDATA[ p  q ]]></a>"));
    EXPECT_EQ(std::wstring(L"<b>& x"), TextOf(L"<a><![CDATA[<b>&amp;]]><![CDATA[x]]></a>"));
    EXPECT_EQ(std::wstring(L"y"), TextOf(L"<a><b/>\n<![CDATA[y]]>\n</a>"));
    EXPECT_EQ(std::wstring(L"y"), TextOf(L"<a><!-- c --><![CDATA[y]]></a>"));
    XmlDocument pDoc = ParseText(L"<a><![CDATA[<b/>]]></a>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(0, pDoc->m_listChildren.GetCount());

    // After a text run the section is taken for a child element.
    EXPECT_FALSE(ParseText(L"<a>x<![CDATA[y]]></a>"));
    EXPECT_FALSE(ParseText(L"<a><![CDATA[x]]>y</a>"));
    EXPECT_FALSE(ParseText(L"<a><![CDATA[x</a>"));
}

TEST(XmlGrammar, Declarations)
{
    EXPECT_TRUE(ParseText(L"<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>"));
    EXPECT_TRUE(ParseText(L"\r\n <?xml version=\"1.0\"?>\n<a/>", TRUE));
    EXPECT_FALSE(ParseText(L"<?xml version='1.0'?><a/>"));
    EXPECT_FALSE(ParseText(L"<?XML version=\"1.0\"?><a/>"));
    EXPECT_FALSE(ParseText(L"<?xml version = \"1.0\"?><a/>"));
    EXPECT_FALSE(ParseText(L"<?xml version=\"1.0\"><a/>"));
    EXPECT_FALSE(ParseText(L"<a/>", TRUE));
    EXPECT_FALSE(ParseText(L"<a><?pi?></a>"));
}

TEST(XmlGrammar, CommentsAndDoctype)
{
    XmlDocument pDoc = ParseText(L"<!-- a --><!--b-->\n<!DOCTYPE skin SYSTEM \"x\">\n<!-- c --><skin>"
                                 L"x<!-- <b/> -->y<!---->z</skin>");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"x y z"), Str(pDoc->m_strValue));
    EXPECT_EQ(0, pDoc->m_listChildren.GetCount());
    EXPECT_FALSE(ParseText(L"<!-- open <a/>"));
    EXPECT_FALSE(ParseText(L"<a><!-- open </a>"));
    EXPECT_FALSE(ParseText(L"<!DOCTYPE skin"));
    EXPECT_FALSE(ParseText(L"<!DOCTYPE a><!DOCTYPE a><a/>"));
    EXPECT_FALSE(ParseText(L"<a><!DOCTYPE a></a>"));
}

TEST(XmlGrammar, WhatEndsTheDocument)
{
    XmlDocument pDoc = ParseText(L"<a>t</a> trailing <b> </c> &#x41; <<<");
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"t"), Str(pDoc->m_strValue));
    EXPECT_TRUE(ParseText(L"<a/><b/>"));

    EXPECT_FALSE(ParseText(L"<a></a"));
    EXPECT_FALSE(ParseText(L"<a></"));
    EXPECT_FALSE(ParseText(L"<a>"));
    EXPECT_FALSE(ParseText(L"<a>text"));
    EXPECT_FALSE(ParseText(L"<a"));
    EXPECT_FALSE(ParseText(L"<a x='1'"));
    EXPECT_FALSE(ParseText(L"<a/"));
    EXPECT_FALSE(ParseText(L"<a><b></a></b>"));
    EXPECT_FALSE(ParseText(L"text<a/>"));
}

TEST(XmlGrammar, ManyAttributesOnOneElement)
{
    // More attributes than share the bucket table's allocation, with replaced duplicates.
    std::wstring strDoc = L"<a";
    for (int n = 0; n < 40; n++)
        strDoc += L" Attr" + std::to_wstring(n) + L"='v" + std::to_wstring(n) + L"'";
    for (int n = 0; n < 40; n += 3)
        strDoc += L" ATTR" + std::to_wstring(n) + L"='w" + std::to_wstring(n) + L"'";
    strDoc += L"/>";
    XmlDocument pDoc = ParseText(strDoc.c_str());
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(40, pDoc->m_mapAttributes.GetCount());
    for (int n = 0; n < 40; n++)
    {
        std::wstring strName = L"attr" + std::to_wstring(n);
        std::wstring strValue = (n % 3 ? L"v" : L"w") + std::to_wstring(n);
        EXPECT_EQ(strValue, Str(pDoc->GetAttributeValue(strName.c_str())));
    }
    EXPECT_EQ(41, WalkTree(pDoc.get(), NULL, 1));
}
