#include "XmlTestSupport.h"

// A document with characters outside ASCII in a name, an attribute value and the text.
static const wchar_t g_szSample[] = L"<sk\u00EDn t\u00EDtle='\u20AC \u00E9'>\u4E2D\u6587 \u00FC</sk\u00EDn>";
static const char g_szSampleUtf8[] = "<sk\xC3\xADn t\xC3\xADtle='\xE2\x82\xAC \xC3\xA9'>"
                                     "\xE4\xB8\xAD\xE6\x96\x87 \xC3\xBC</sk\xC3\xADn>";

TEST(XmlEncoding, MarksChooseTheEncodingAndUnmarkedBytesAreUtf8)
{
    // A trailing odd byte of UTF-16 is ignored; the big-endian order swaps every character.
    const std::string inputs[] = { Utf16(g_szSample, false), Utf16(g_szSample, true),
                                   Utf16(g_szSample, false) + '\x3E', Utf16(g_szSample, true) + '\x3C',
                                   std::string("\xEF\xBB\xBF") + g_szSampleUtf8, g_szSampleUtf8 };
    for (const std::string& strBytes : inputs)
    {
        SCOPED_TRACE(testing::PrintToString(strBytes));
        XmlDocument pDoc = LoadBytes(strBytes);
        ASSERT_TRUE(pDoc);
        EXPECT_EQ(std::wstring(L"sk\u00EDn"), Str(pDoc->m_strName));
        EXPECT_EQ(std::wstring(L"\u20AC \u00E9"), Str(pDoc->GetAttributeValue(L"T\u00CDTLE")));
        EXPECT_EQ(std::wstring(L"\u4E2D\u6587 \u00FC"), Str(pDoc->m_strValue));
    }
    EXPECT_TRUE(LoadBytes(std::string("<a/>\0<<<", 8))) << "a NUL character ends the text";
}

TEST(XmlEncoding, InputsWithoutADocumentFail)
{
    const std::string inputs[] = {
        "\xFF\xFE", "\xFE\xFF", "\xFE\xFF<", "\xEF\xBB\xBF", "\xEF\xBB", " ",
        // A UTF-16 mark in front of UTF-8 bytes reads them as UTF-16: not a document.
        "\xFF\xFE<a/>",
        // Unmarked UTF-16 is read as UTF-8, where the first NUL byte ends the text.
        Utf16(L"<a/>", false, false),
        Utf16(std::wstring(L"<a>x\0</a>", 9), false),
        // Were the odd byte taken as half a character, it would complete the closing tag.
        Utf16(L"<a>x</a", false) + '>',
    };
    for (const std::string& strBytes : inputs)
        EXPECT_FALSE(LoadBytes(strBytes)) << testing::PrintToString(strBytes);
    EXPECT_EQ(NULL, XmlLoadFromBytes(NULL, 10, FALSE));
    EXPECT_EQ(NULL, XmlLoadFromBytes((const BYTE*)"<a/>", 0, FALSE));
    EXPECT_EQ(NULL, XmlParseDocument(NULL, FALSE));
    EXPECT_FALSE(ParseText(L""));
    EXPECT_FALSE(ParseText(L" \r\n\t "));
}

TEST(XmlEncoding, NothingOfAnEarlierLongerDocumentIsSeen)
{
    // Per encoding: a long document, then a shorter one that stops early, then a short one.
    auto Encode = [](int nEncoding, const std::wstring& strText) {
        return nEncoding == 2 ? std::string(strText.begin(), strText.end()) : Utf16(strText, nEncoding == 1);
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
