#include "XmlTestSupport.h"
#include <fstream>
#include <map>

namespace
{
// A skin file with what the gallery's files lack: a byte order mark, a DOCTYPE, CDATA,
// references and characters outside ASCII.
const char g_szFeatures[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- features -->\r\n<!DOCTYPE skin>\r\n"
    "<skin><strings><string id='title'>  Korvo   Player  </string>\n"
    "  <string id=\"about\"> <![CDATA[ Version  2 ]]> </string>\n"
    "  <string id=\"caf\xC3\xA9\">Caf\xC3\xA9 \xE2\x82\xAC 5 &lt;cheap&gt; &#8364;</string></strings>\n"
    " <menus><menu name='Tray'><item text=\"&amp;Open...&#9;Ctrl+O\"/><item id='2' text='Quit&#65 b'/></menu></menus>\n"
    "</skin>";

const wchar_t* const g_apszGalleryFiles[] = { L"Definitions.xml", L"Aurora.xml" };

const char* const g_apszTokens[] =
{
    "<", ">", "/>", "</", "</skin>", "<a>", "</a>", "=", "\"", "'", "&", "&#", "&#x", "&amp;", "&nbsp;", ";",
    "<![CDATA[", "]]>", "<!--", "-->", "<!DOCTYPE", "<?xml version=\"", "?>", " ", "\t", "\n", "\r\n", "\x0B",
    "\xC3\xA9", "\xE2\x82\xAC", "\x80", "\xC3", "\xEF", "\xFE", "\xFF", "\0", "x", "A", "0", "-", "!", "?", "[", "]",
    "#", "9999999999",
};

// Small fixed-seed generator (xorshift), so the inputs are the same on every run and toolchain.
struct CRandom
{
    UINT32 nState;
    size_t Below(size_t nLimit)
    {
        nState ^= nState << 13;
        nState ^= nState >> 17;
        nState ^= nState << 5;
        return nLimit ? nState % nLimit : 0;
    }
};

// One random edit: a flipped bit, a cut, a splice of another document, a copied, deleted or
// swapped slice, or a token of the grammar in place of up to two bytes.
void Mutate(std::string& strDoc, const std::vector<std::string>& corpus, CRandom& random)
{
    size_t nPos = random.Below(strDoc.size() + 1), nOther = random.Below(strDoc.size() + 1);
    size_t nLength = random.Below(32) + 1;
    const std::string& strSplice = corpus[random.Below(corpus.size())];
    const char* pszToken = g_apszTokens[random.Below(_countof(g_apszTokens))];
    size_t nKind = random.Below(7);
    if (nKind == 0 && !strDoc.empty())
        strDoc[nPos % strDoc.size()] ^= (char)(1 << random.Below(8));
    else if (nKind == 1)
        strDoc.resize(nPos);
    else if (nKind == 2)
        strDoc = strDoc.substr(0, nPos) + strSplice.substr(random.Below(strSplice.size() + 1));
    else if (nKind == 3)
        strDoc.insert(nOther, strDoc.substr(nPos, nLength));
    else if (nKind == 4)
        strDoc.erase(nPos, nLength / 2);
    else if (nKind == 5)
        strDoc.replace(nPos, random.Below(3), pszToken, *pszToken ? strlen(pszToken) : 1);
    else if (nKind == 6)
    {
        // Tags move across one another.
        size_t nFirst = std::min(nPos, nOther), nSecond = std::max(nPos, nOther);
        nLength = std::min(nLength, nSecond - nFirst);
        std::string strFirst = strDoc.substr(nFirst, nLength), strSecond = strDoc.substr(nSecond, nLength);
        strDoc.replace(nSecond, strSecond.size(), strFirst);
        strDoc.replace(nFirst, strFirst.size(), strSecond);
    }
}

std::wstring WideFromUtf8(const std::string& strBytes)
{
    int nChars = MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), NULL, 0);
    std::wstring strText(nChars, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), &strText[0], nChars);
    return strText;
}

// The gallery's own skin files, as the sample host reads them.
std::string GalleryFile(LPCWSTR pszName)
{
    std::ifstream file((KORVO_TESTS_DIR L"/../samples/gallery/Definitions/" + std::wstring(pszName)).c_str(),
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The whole tree as text, attributes in name order, so two trees compare as strings.
std::wstring Dump(const CXmlElement* pElement)
{
    if (!pElement)
        return L"null";
    std::map<std::wstring, std::wstring> attributes;
    CString strKey;
    CXmlAttribute* pAttribute;
    for (POSITION pos = pElement->m_mapAttributes.GetStartPosition(); pos;)
    {
        pElement->m_mapAttributes.GetNextAssoc(pos, strKey, pAttribute);
        attributes[Str(pAttribute->m_strName)] = Str(pAttribute->m_strValue);
    }
    std::wstring strDump = L"<" + Str(pElement->m_strName);
    for (const auto& attribute : attributes)
        strDump += L" " + attribute.first + L"='" + attribute.second + L"'";
    strDump += L">" + Str(pElement->m_strValue);
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
        strDump += Dump(pElement->m_listChildren.GetNext(pos));
    return strDump + L"</>";
}

} // namespace

// Mutated skin files and grammar cases never crash or hang the reader; what loads is a sound
// tree, and the same text reads the same in UTF-8, UTF-16 little-endian and UTF-16 big-endian.
TEST(XmlFuzz, MutatedDocumentsLoadSoundlyOrNotAtAll)
{
    std::vector<std::string> corpus = { g_szFeatures, Nested(XML_MAX_DEPTH, "&#65;x") };
    for (LPCWSTR pszName : g_apszGalleryFiles)
        corpus.push_back(GalleryFile(pszName));

    // Half the inputs start from a whole skin file, which loads as it is, the others from any document.
    const size_t nSkinFiles = corpus.size();
    for (const std::string& strFile : corpus)
    {
        XmlDocument pDoc = LoadBytes(strFile);
        ASSERT_TRUE(pDoc) << "a seed of " << strFile.size() << " bytes";
        EXPECT_GT(WalkTree(pDoc.get(), NULL, 1), 10);
    }
    for (const XmlValueCase& test : g_xmlValueCases)
        corpus.push_back(test.pszDocument);
    corpus.insert(corpus.end(), g_xmlFailingDocuments.begin(), g_xmlFailingDocuments.end());

    const int nInputs = 60000;
    CRandom random = { 0x4B6F7276 };
    int nLoaded = 0, nCompared = 0;
    for (int nInput = 0; nInput < nInputs; nInput++)
    {
        std::string strDoc = corpus[random.Below(nInput % 2 ? nSkinFiles : corpus.size())];
        for (size_t nEdits = random.Below(4) + 1; nEdits > 0; nEdits--)
            Mutate(strDoc, corpus, random);

        XmlDocument pDoc = LoadBytes(strDoc);
        if (pDoc)
        {
            nLoaded++;
            WalkTree(pDoc.get(), NULL, 1);
        }

        // A byte order mark's first byte would be read differently once the text is re-encoded.
        if (nInput % 3 == 0 && (strDoc.empty() || (BYTE)strDoc[0] < 0xEF))
        {
            nCompared++;
            std::wstring strText = WideFromUtf8(strDoc), strTree = Dump(pDoc.get());
            EXPECT_EQ(strTree, Dump(LoadBytes(Utf16(strText, false) + (nInput % 9 ? "" : "\x01")).get())) << nInput;
            EXPECT_EQ(strTree, Dump(LoadBytes(Utf16(strText, true)).get())) << nInput;
        }
        if (HasFailure())
            break;
    }
    // The mutations must leave both outcomes well represented for the run to mean anything.
    EXPECT_GT(nLoaded, nInputs / 20);
    EXPECT_LT(nLoaded, nInputs - nInputs / 20);
    EXPECT_GT(nCompared, nInputs / 8);
}
