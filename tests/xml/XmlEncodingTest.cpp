#include "XmlTestSupport.h"

// A document with characters outside ASCII in a name, an attribute value and the text.
static const wchar_t g_szSample[] = L"<sk\u00EDn t\u00EDtle='\u20AC \u00E9'>\u4E2D\u6587 \u00FC</sk\u00EDn>";

static void ExpectSample(const XmlDocument& pDoc)
{
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"sk\u00EDn"), Str(pDoc->m_strName));
    EXPECT_EQ(std::wstring(L"\u20AC \u00E9"), Str(pDoc->GetAttributeValue(L"T\u00CDTLE")));
    EXPECT_EQ(std::wstring(L"\u4E2D\u6587 \u00FC"), Str(pDoc->m_strValue));
}

TEST(XmlEncoding, Utf16LittleEndianWithMark)
{
    ExpectSample(LoadBytes(Utf16LE(g_szSample)));
}

TEST(XmlEncoding, Utf16BigEndianWithMarkSwapsEveryCharacter)
{
    ExpectSample(LoadBytes(Utf16BE(g_szSample)));
}

TEST(XmlEncoding, Utf16TrailingOddByteIsIgnored)
{
    ExpectSample(LoadBytes(Utf16BE(g_szSample) + '\x3C'));
    ExpectSample(LoadBytes(Utf16LE(g_szSample) + '\x3E'));
    // Were the odd byte taken as half a character, it would complete the closing tag.
    EXPECT_FALSE(LoadBytes(Utf16LE(L"<a>x</a") + '>'));
}

TEST(XmlEncoding, Utf8MarkIsSkippedAndUnmarkedTextIsUtf8)
{
    std::string strUtf8 = "<sk\xC3\xADn t\xC3\xADtle='\xE2\x82\xAC \xC3\xA9'>"
                          "\xE4\xB8\xAD\xE6\x96\x87 \xC3\xBC</sk\xC3\xADn>";
    ExpectSample(LoadBytes("\xEF\xBB\xBF" + strUtf8));
    ExpectSample(LoadBytes(strUtf8));
}

TEST(XmlEncoding, UnmarkedBytesAreNeverTakenAsAnsi)
{
    // 0xE9 is 'e' acute in the ANSI code page but not valid UTF-8.
    XmlDocument pDoc = LoadBytes("<a>caf\xE9</a>");
    ASSERT_TRUE(pDoc);
    EXPECT_NE(std::wstring(L"caf\u00E9"), Str(pDoc->m_strValue));
    EXPECT_EQ(std::wstring(L"caf\uFFFD"), Str(pDoc->m_strValue));
}

TEST(XmlEncoding, MarksWithoutDocumentFail)
{
    EXPECT_FALSE(LoadBytes("\xFF\xFE"));
    EXPECT_FALSE(LoadBytes("\xFE\xFF"));
    EXPECT_FALSE(LoadBytes("\xFE\xFF<"));
    EXPECT_FALSE(LoadBytes("\xEF\xBB\xBF"));
    EXPECT_FALSE(LoadBytes("\xEF\xBB"));
    // A UTF-16 mark in front of UTF-8 bytes reads them as UTF-16: not a document.
    EXPECT_FALSE(LoadBytes("\xFF\xFE<a/>"));
}

TEST(XmlEncoding, Utf16MarkAloneDecidesTheByteOrder)
{
    // Without its mark UTF-16 is read as UTF-8, where the NUL bytes end the text at once.
    EXPECT_FALSE(LoadBytes(Utf16LE(L"<a/>", false)));
    EXPECT_TRUE(LoadBytes(Utf16LE(L"<a/>")));
}

TEST(XmlEncoding, NulCharacterEndsTheText)
{
    XmlDocument pDoc = LoadBytes(std::string("<a/>\0<<<", 8));
    ASSERT_TRUE(pDoc);
    EXPECT_FALSE(LoadBytes(Utf16LE(std::wstring(L"<a>x\0</a>", 9))));
}

TEST(XmlEncoding, NullAndEmptyInputFail)
{
    EXPECT_EQ(NULL, XmlLoadFromBytes(NULL, 10, FALSE));
    EXPECT_EQ(NULL, XmlLoadFromBytes((const BYTE*)"<a/>", 0, FALSE));
    EXPECT_EQ(NULL, XmlParseDocument(NULL, FALSE));
    EXPECT_FALSE(ParseText(L""));
    EXPECT_FALSE(ParseText(L" \r\n\t "));
    EXPECT_FALSE(LoadBytes(" "));
}

TEST(XmlEncoding, NothingOfAnEarlierLongerDocumentIsSeen)
{
    // Per encoding: a long document, then a shorter one that stops early, then a short one.
    auto Encode = [](int nEncoding, const std::wstring& strText) {
        return nEncoding == 0 ? std::string(strText.begin(), strText.end())
                              : nEncoding == 1 ? Utf16LE(strText) : Utf16BE(strText);
    };
    for (int n = 0; n < 3; n++)
    {
        XmlDocument pDoc = LoadBytes(Encode(n, L"<a>" + std::wstring(5000, L'x') + L"</a>"));
        ASSERT_TRUE(pDoc);
        EXPECT_EQ(5000, pDoc->m_strValue.GetLength());
        EXPECT_FALSE(LoadBytes(Encode(n, L"<a>xx"))) << "encoding " << n;
        pDoc = LoadBytes(Encode(n, L"<a>xx</a>"));
        ASSERT_TRUE(pDoc) << "encoding " << n;
        EXPECT_EQ(std::wstring(L"xx"), Str(pDoc->m_strValue));
    }
}
