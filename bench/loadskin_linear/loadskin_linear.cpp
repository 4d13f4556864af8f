// Whole skin loads through LoadSkin of definitions as large as the reader accepts: one filled
// with content like the gallery's skins, and one for each shape a hostile file may take to make
// loading slow (many watermarks, one name again and again, ids and names chosen to share a hash
// bucket, deep nesting, long escaped strings, many attributes). Each hostile load is printed as
// a ratio of the ordinary one, measured in the same process.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include <api/Globals.h>
#include <KorvoSkin/SkinApi.h>
#include <xml/XML.h>
#include <stdio.h>
#include <functional>
#include <string>
#include <vector>

using namespace KorvoBench;

namespace
{

const int RUNS = 3;

// A definition of just under the reader's limit: the head, then units until the next would not
// fit, then the tail.
std::string Fill(const std::string& strHead, const std::function<void(std::string&, int)>& unit,
                 const std::string& strTail)
{
    const size_t nLimit = XML_MAX_FILE_SIZE - 64;
    std::string strDoc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<skin>\r\n" + strHead;
    std::string strUnit;
    for (int n = 0; ; n++)
    {
        strUnit.clear();
        unit(strUnit, n);
        if (strDoc.size() + strUnit.size() + strTail.size() + 16 > nLimit)
            break;
        strDoc += strUnit;
    }
    return strDoc + strTail + "</skin>\r\n";
}

// The same, with the units inside one section element.
std::string FillSection(const char* pszSection, const std::function<void(std::string&, int)>& unit)
{
    return Fill(std::string("  <") + pszSection + ">\r\n", unit, std::string("  </") + pszSection + ">\r\n");
}

// The gallery's base definition, skin and language file, scaled: each unit names its own
// commands, strings, tips and a context menu; one colour scheme, command strip, window skin
// and watermark as a skin file has them.
std::string MakeOrdinary()
{
    std::string strHead =
        "  <manifest type=\"skin\" name=\"Scaled\"/>\r\n"
        "  <colourScheme>\r\n"
        "    <colour name=\"system.base.window\" value=\"FFFFFF\"/>\r\n"
        "    <colour name=\"system.base.midtone\" value=\"DCE6F2\"/>\r\n"
        "    <colour name=\"dialog.back\" value=\"ECF3FC\"/>\r\n"
        "    <colour name=\"menu.hover\" value=\"C8DDF6\"/>\r\n"
        "  </colourScheme>\r\n"
        "  <commandImages>\r\n"
        "    <bitmap path=\"strip.bmp\" types=\"16\" mask=\"00FF00\"><image id=\"100\"/><image id=\"101\"/></bitmap>\r\n"
        "  </commandImages>\r\n"
        "  <windowSkins><windowSkin><target window=\"Main\"/><image path=\"frame.bmp\"/><parts>\r\n"
        "    <part name=\"TopLeft\" rect=\"0,0,8,8\"/><part name=\"Top\" rect=\"8,0,8,8\"/>\r\n"
        "    <part name=\"TopRight\" rect=\"16,0,8,8\"/><part name=\"Close\" rect=\"24,0,8,8\"/>\r\n"
        "  </parts><caption rect=\"32,7,400,18\"/></windowSkin></windowSkins>\r\n"
        "  <watermarks><watermark target=\"Paper\" path=\"mark.bmp\"/></watermarks>\r\n";
    return Fill(strHead, [](std::string& str, int n) {
        str += "  <resourceMap>\r\n";
        for (int k = 0; k < 6; k++)
            AppendF(str, "    <resource id=\"IDS_TEXT_%d_%d\" code=\"%d\"/>\r\n", n, k, 20000 + n * 16 + k);
        for (int k = 0; k < 7; k++)
            AppendF(str, "    <command id=\"ID_COMMAND_%d_%d\" code=\"%d\"/>\r\n", n, k, 40000 + n * 16 + k);
        str += "  </resourceMap>\r\n  <strings>\r\n";
        for (int k = 0; k < 5; k++)
            AppendF(str, "    <string id=\"IDS_TEXT_%d_%d\" value=\"Frame, caption and colours come from skin %d.\\nLine %d\"/>\r\n", n, k, n, k);
        for (int k = 0; k < 5; k++)
            AppendF(str, "    <tip id=\"ID_COMMAND_%d_%d\" message=\"Command %d chosen\" tip=\"Command %d\"/>\r\n", n, k, k, k);
        AppendF(str, "  </strings>\r\n  <menus>\r\n    <menu name=\"Context%d\">\r\n", n);
        for (int k = 0; k < 5; k++)
            AppendF(str, "      <item id=\"ID_COMMAND_%d_%d\" text=\"_Item %d\" shortcut=\"Ctrl+%d\"/>\r\n", n, k, k, k);
        AppendF(str, "      <separator/>\r\n      <menu text=\"_View\">\r\n"
                     "        <item id=\"ID_COMMAND_%d_5\" text=\"_Large icons\"/>\r\n"
                     "        <item id=\"ID_COMMAND_%d_6\" text=\"_Small icons\"/>\r\n"
                     "      </menu>\r\n    </menu>\r\n  </menus>\r\n", n, n);
    }, "");
}

std::string MakeManyWatermarks()
{
    return FillSection("watermarks", [](std::string& str, int n) {
        AppendF(str, "    <watermark target=\"Mark%07d\" path=\"mark.bmp\"/>\r\n", n);
    });
}

std::string MakeRepeatedWatermark()
{
    return FillSection("watermarks", [](std::string& str, int) {
        str += "    <watermark target=\"Mark\" path=\"mark.bmp\"/>\r\n";
    });
}

std::string MakeRepeatedString()
{
    return FillSection("strings", [](std::string& str, int n) {
        AppendF(str, "    <string id=\"7\" value=\"Again %d\"/>\r\n", n);
    });
}

// Ids that a table of 1531 buckets hashed on id / 16 puts in one bucket.
std::string MakeCollidingIds()
{
    return FillSection("strings", [](std::string& str, int n) {
        AppendF(str, "    <string id=\"%u\" value=\"x\"/>\r\n", (unsigned)(n + 1) * 1531u * 16u);
    });
}

// Names whose multiply-by-33 string hashes are all equal: "Ab" and "BA" hash alike, and so does
// every string made of those two blocks.
std::string CollidingName(int n, int nBlocks)
{
    std::string str;
    for (int k = 0; k < nBlocks; k++)
        str += (n >> k) & 1 ? "BA" : "Ab";
    return str;
}

std::string MakeCollidingNames()
{
    return FillSection("resourceMap", [](std::string& str, int n) {
        AppendF(str, "    <command id=\"%s\" code=\"%d\"/>\r\n", CollidingName(n, 17).c_str(), n + 1);
    });
}

// Elements with as many attributes as the reader allows, their names all hashing alike.
std::string MakeCollidingAttributes()
{
    return FillSection("strings", [](std::string& str, int n) {
        AppendF(str, "    <string id=\"%d\"", n % 100 + 1);
        for (int k = 0; k < XML_MAX_ATTRIBUTES - 2; k++)
            AppendF(str, " %s=\"\"", CollidingName(k, 6).c_str());
        str += " value=\"v\"/>\r\n";
    });
}

// Nesting as deep as the reader allows, over and over.
std::string MakeDeepNesting()
{
    return Fill("", [](std::string& str, int n) {
        const int nLevels = XML_MAX_DEPTH - 2;
        for (int k = 0; k < nLevels; k++)
            str += "<strings>";
        AppendF(str, "<string id=\"%d\" value=\"deep\"/>", n % 100 + 1);
        for (int k = 0; k < nLevels; k++)
            str += "</strings>";
        str += "\r\n";
    }, "");
}

// One string whose value is nothing but backslash-n pairs.
std::string MakeEscapes()
{
    std::string strHead = "  <strings>\r\n    <string id=\"1\" value=\"";
    return Fill(strHead, [](std::string& str, int) { str += "\\n\\n\\n\\n\\n\\n\\n\\n"; }, "\"/>\r\n  </strings>\r\n");
}

COLORREF Grey(int x, int y, void*)
{
    return (x + y) % 2 ? RGB(200, 200, 200) : RGB(0, 255, 0);
}

} // namespace

int main()
{
    KorvoTest::CTempFolder folder;
    g_strAppFolder = folder.Path();
    std::vector<BYTE> bitmap = KorvoTest::MakeBitmapFile(32, 16, Grey, NULL);
    folder.WriteFile(L"mark.bmp", bitmap.data(), bitmap.size());
    folder.WriteFile(L"strip.bmp", bitmap.data(), bitmap.size());
    folder.WriteFile(L"frame.bmp", bitmap.data(), bitmap.size());
    InitSkin();

    struct CASE
    {
        LPCWSTR pszFile;
        const char* pszName;
        std::string (*pfnMake)();
    };
    const CASE aCases[] = {
        { L"ordinary.xml", "ordinary skin content", MakeOrdinary },
        { L"watermarks.xml", "many watermarks", MakeManyWatermarks },
        { L"repeated-watermark.xml", "one watermark repeated", MakeRepeatedWatermark },
        { L"repeated-string.xml", "one string repeated", MakeRepeatedString },
        { L"colliding-ids.xml", "string ids in one bucket", MakeCollidingIds },
        { L"colliding-names.xml", "resource names of one hash", MakeCollidingNames },
        { L"colliding-attributes.xml", "attribute names of one hash", MakeCollidingAttributes },
        { L"deep.xml", "deepest nesting, repeated", MakeDeepNesting },
        { L"escapes.xml", "one string of \\n escapes", MakeEscapes },
    };

    printf("LoadSkin of one definition of up to %u bytes, best of %d loads\n", (unsigned)XML_MAX_FILE_SIZE, RUNS);
    double dOrdinary = 0;
    double dWorst = 0;
    for (const CASE& c : aCases)
    {
        std::string strDoc = c.pfnMake();
        folder.WriteFile(c.pszFile, strDoc);
        double dTime = BestTime(RUNS, [&]() {
            LoadSkin(c.pszFile, L"");
            return true;
        });
        if (!dOrdinary)
        {
            dOrdinary = dTime;
            printf("  %-30s %8zu bytes %8.1f ms  (the baseline)\n", c.pszName, strDoc.size(), dTime * 1000);
            continue;
        }
        double dRatio = dTime / dOrdinary;
        if (dRatio > dWorst)
            dWorst = dRatio;
        printf("  %-30s %8zu bytes %8.1f ms  %5.2fx\n", c.pszName, strDoc.size(), dTime * 1000, dRatio);
        std::string strFigure = std::string("hostile LoadSkin: ") + c.pszName + " vs ordinary";
        Row(strFigure.c_str(), dTime, dOrdinary, TIME_AT_MOST, 3.0);
    }
    printf("worst hostile load: %.2fx the ordinary one (target: at most 3x)\n", dWorst);
    UnInitSkin();
    return 0;
}
