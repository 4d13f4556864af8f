#include "XmlTestSupport.h"

namespace
{

const char g_szDefinitions[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- Base definitions of the application -->\r\n"
    "<!DOCTYPE skin>\r\n"
    "<skin version=\"1.0\">\r\n"
    "  <manifest name=\"Base\" author='Skin Team' description=\"Default look &amp; feel\"/>\r\n"
    "  <resourceMap>\r\n"
    "    <resource name=\"ID_FILE_OPEN\" id=\"57601\"/>\r\n"
    "    <resource name=\"ID_FILE_SAVE\" id=\"57603\"/>\r\n"
    "    <resource name=\"ID_APP_EXIT\" id=\"57665\"/>\r\n"
    "    <Resource Name=\"IDC_LIST\" ID=\"1001\" />\r\n"
    "  </resourceMap>\r\n"
    "  <strings>\r\n"
    "    <string id=\"ID_FILE_OPEN\">Open an existing file&#10;Open</string>\r\n"
    "    <string id=\"ID_FILE_SAVE\" value=\"Save the file &quot;as is&quot;\"/>\r\n"
    "    <tip id=\"ID_APP_EXIT\"><![CDATA[Quit <now> & forget]]></tip>\r\n"
    "    <string id=\"caf\xC3\xA9\">Caf\xC3\xA9 \xE2\x82\xAC 5 &lt;cheap&gt; &#8364;</string>\r\n"
    "  </strings>\r\n"
    "  <menus>\r\n"
    "    <menu name=\"MainMenu\">\r\n"
    "      <item text=\"&amp;File\">\r\n"
    "        <item id=\"ID_FILE_OPEN\" text=\"&amp;Open...&#9;Ctrl+O\"/>\r\n"
    "        <item id=\"ID_FILE_SAVE\" text=\"&amp;Save&#9;Ctrl+S\"/>\r\n"
    "        <separator/>\r\n"
    "        <item text=\"Recent\"><item id=\"1\" text=\"a.txt\"/><item id=\"2\" text=\"b.txt\"/></item>\r\n"
    "        <!-- <item id=\"ID_APP_EXIT\"/> -->\r\n"
    "        <item id=\"ID_APP_EXIT\" text=\"E&amp;xit\"/>\r\n"
    "      </item>\r\n"
    "    </menu>\r\n"
    "  </menus>\r\n"
    "  <toolbars>\r\n"
    "    <toolbar name=\"Standard\">\r\n"
    "      <button id=\"ID_FILE_OPEN\"/> <button id=\"ID_FILE_SAVE\" text='Save'/>\r\n"
    "      <separator/> <control id=\"IDC_LIST\" width=\"120\" height=\"200\"/>\r\n"
    "    </toolbar>\r\n"
    "  </toolbars>\r\n"
    "  <colourScheme>\r\n"
    "    <colour name=\"system.base.window\" value=\"FFFFFF\"/>\r\n"
    "    <colour name=\"system.base.highlight\" value=\"316AC5\"/>\r\n"
    "  </colourScheme>\r\n"
    "  <commandImages>\r\n"
    "    <image path=\"Images\\Toolbar16.bmp\" mask=\"00FF00\" size=\"16\">\r\n"
    "      <command id=\"ID_FILE_OPEN\"/><command id=\"ID_FILE_SAVE\"/>\r\n"
    "    </image>\r\n"
    "  </commandImages>\r\n"
    "  <watermarks>\r\n"
    "    <watermark target=\"Toolbar.Open\" path=\"open.bmp\"/>\r\n"
    "    <watermark target=\"Toolbar.Open.HOVER\" path=\"open_hot.bmp\"/>\r\n"
    "  </watermarks>\r\n"
    "  <windowSkins>\r\n"
    "    <windowSkin>\r\n"
    "      <target window=\"CMainDlg\"/><target window=\"CAboutDlg\"/>\r\n"
    "      <image path=\"Frame.bmp\"/>\r\n"
    "      <parts>\r\n"
    "        <part name=\"TopLeft\" rect=\"0,0,10,30\"/><part name=\"Top\" rect=\"10,0,20,30\" mode=\"stretch\"/>\r\n"
    "        <part name=\"CloseDown\" rect=\"40,0,56,16\"/>\r\n"
    "      </parts>\r\n"
    "      <anchors><anchor name=\"Close\" rect=\"-30,5,-14,21\"/></anchors>\r\n"
    "      <region><shape type=\"rectangle\" rect=\"0,0,-1,-1\"/></region>\r\n"
    "      <caption font=\"Tahoma\" size=\"11\" bold=\"true\" colour=\"FFFFFF\"/>\r\n"
    "    </windowSkin>\r\n"
    "  </windowSkins>\r\n"
    "</skin>\r\n";

const char g_szOverride[] =
    "\xEF\xBB\xBF<skin>\n"
    " <strings><string id='title'>  Korvo   Player  </string>\n"
    "  <string id=\"about\"> <![CDATA[ Version  2 ]]> </string></strings>\n"
    " <colorScheme><color name='dialog.back' value='ECE9D8'/></colorScheme>\n"
    " <menus><menu name='Tray'><item id='1' text='Show'/><item id='2' text='Quit&#65 b'/></menu></menus>\n"
    "</skin>";

const char* const g_apszEdgeCases[] =
{
    "<a x = ' 1  2 '/>",
    "<a X=\"1\" x=\"2\"/>",
    "<a>&AMP;&#65;&foo;</a>",
    "<a>&#65 b</a>",
    "<a>x<b/>y</a>",
    "<a> <![CDATA[ p  q ]]></a>",
    "<a>x<![CDATA[y]]></a>",
    "<a></A>",
    "<?xml version='1.0'?><a/>",
    "<a></a",
    "<!-- c --><!DOCTYPE a><!-- d --><a/>trailing",
    "<a>&#x41;</a>",
    "<a><![CDATA[x]]><![CDATA[y]]><!--z--></a>",
};

const char* const g_apszTokens[] =
{
    "<", ">", "/>", "</", "</skin>", "<a>", "</a>", "=", "\"", "'", "&", "&#", "&#x", "&amp;",
    "&nbsp;", ";", "<![CDATA[", "]]>", "<!--", "-->", "<!DOCTYPE", "<?xml version=\"", "?>",
    " ", "\t", "\r\n", "\x0B", "\xC3\xA9", "\xE2\x82\xAC", "\xFF", "\0", "9999999999",
};

const char g_achInteresting[] = { '<', '>', '/', '=', '"', '\'', '&', '#', ';', '!', '[', ']',
                                  '-', '?', ' ', '\t', '\n', 'x', 'A', '0', '\0', '\x80',
                                  '\xC3', '\xEF', '\xFE', '\xFF' };

// Small fixed-seed generator, so the inputs are the same on every run and every toolchain.
class CRandom
{
public:
    explicit CRandom(UINT32 nSeed) : m_nState(nSeed) {}
    UINT32 Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    size_t Below(size_t nLimit) { return nLimit ? Next() % nLimit : 0; }

private:
    UINT32 m_nState;
};

void Mutate(std::string& strDoc, const std::vector<std::string>& corpus, CRandom& random)
{
    size_t nPos = random.Below(strDoc.size() + 1);
    switch (random.Below(8))
    {
    case 0:
        if (!strDoc.empty())
            strDoc[random.Below(strDoc.size())] ^= (char)(1 << random.Below(8));
        break;
    case 1:
        if (!strDoc.empty())
            strDoc[random.Below(strDoc.size())] = g_achInteresting[random.Below(sizeof(g_achInteresting))];
        break;
    case 2:
        strDoc.resize(nPos);
        break;
    case 3:
    {
        const std::string& strOther = corpus[random.Below(corpus.size())];
        strDoc = strDoc.substr(0, nPos) + strOther.substr(random.Below(strOther.size() + 1));
        break;
    }
    case 4:
    {
        size_t nLength = random.Below(std::min<size_t>(strDoc.size() - nPos, 64) + 1);
        std::string strCopy = strDoc.substr(nPos, nLength);
        strDoc.insert(random.Below(strDoc.size() + 1), strCopy);
        break;
    }
    case 5:
        strDoc.erase(nPos, random.Below(16) + 1);
        break;
    case 6:
    {
        const char* pszToken = g_apszTokens[random.Below(_countof(g_apszTokens))];
        strDoc.insert(nPos, pszToken, *pszToken ? strlen(pszToken) : 1);
        break;
    }
    default:
    {
        // Swap two slices, moving tags across one another.
        size_t nOther = random.Below(strDoc.size() + 1);
        size_t nFirst = std::min(nPos, nOther), nSecond = std::max(nPos, nOther);
        size_t nLength = std::min<size_t>(random.Below(32) + 1, nSecond - nFirst);
        std::string strA = strDoc.substr(nFirst, nLength);
        std::string strB = strDoc.substr(nSecond, nLength);
        strDoc.replace(nSecond, strB.size(), strA);
        strDoc.replace(nFirst, strA.size(), strB);
        break;
    }
    }
}

bool HasMark(const std::string& strDoc)
{
    return strDoc.size() >= 2 && ((BYTE)strDoc[0] == 0xFF || (BYTE)strDoc[0] == 0xFE
                                  || ((BYTE)strDoc[0] == 0xEF && (BYTE)strDoc[1] == 0xBB));
}

} // namespace

TEST(XmlFuzz, CorpusLoadsIntact)
{
    XmlDocument pDoc = LoadBytes(g_szDefinitions);
    ASSERT_TRUE(pDoc);
    EXPECT_TRUE(pDoc->IsNamed(L"skin"));
    EXPECT_EQ(9, pDoc->m_listChildren.GetCount());
    EXPECT_GT(WalkTree(pDoc.get(), NULL, 1), 100);
    pDoc = LoadBytes(g_szOverride);
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"Version 2 "), Str(ChildAt(ChildAt(pDoc.get(), 0), 1)->m_strValue));
}

// Mutated documents never crash or hang the reader; what loads is a sound tree, and the same
// text reads the same in UTF-8, UTF-16 little-endian and UTF-16 big-endian.
TEST(XmlFuzz, MutatedDocumentsLoadSoundlyOrNotAtAll)
{
    std::vector<std::string> corpus = { g_szDefinitions, g_szOverride };
    for (const char* pszEdge : g_apszEdgeCases)
        corpus.push_back(pszEdge);
    std::string strDeep;
    for (int n = 0; n < XML_MAX_DEPTH; n++)
        strDeep += "<m t='&#65;'>";
    for (int n = 0; n < XML_MAX_DEPTH; n++)
        strDeep += "</m>";
    corpus.push_back(strDeep);

    const int nInputs = 60000;
    CRandom random(0x4B6F7276);
    int nLoaded = 0, nCompared = 0;
    for (int nInput = 0; nInput < nInputs; nInput++)
    {
        std::string strDoc = corpus[random.Below(corpus.size())];
        for (size_t nEdits = random.Below(4) + 1; nEdits > 0; nEdits--)
            Mutate(strDoc, corpus, random);

        XmlDocument pDoc = LoadBytes(strDoc);
        if (pDoc)
        {
            nLoaded++;
            WalkTree(pDoc.get(), NULL, 1);
        }

        if (nInput % 4 == 0 && !HasMark(strDoc))
        {
            nCompared++;
            std::wstring strText = WideFromUtf8(strDoc);
            XmlDocument pLittle = LoadBytes(Utf16LE(strText) + (nInput % 8 ? "" : "\x01"));
            XmlDocument pBig = LoadBytes(Utf16BE(strText));
            EXPECT_TRUE(SameTree(pDoc.get(), pLittle.get())) << "input " << nInput;
            EXPECT_TRUE(SameTree(pDoc.get(), pBig.get())) << "input " << nInput;
        }
        if (HasFailure())
            break;
    }
    // The mutations must leave both outcomes well represented for the run to mean anything.
    EXPECT_GT(nLoaded, nInputs / 20);
    EXPECT_LT(nLoaded, nInputs - nInputs / 20);
    EXPECT_GT(nCompared, nInputs / 8);
}
