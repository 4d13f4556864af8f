// The definitions part: generated and mutated skin definitions and images through LoadSkin, each
// load watched; input n is made again from n alone.
#include "SoakSupport.h"
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace KorvoBench;

namespace Soak
{

namespace
{

// Bitmap files of many sizes, and cut short at many points.
void WriteImages(const KorvoTest::CTempFolder& folder, std::vector<std::string>& images)
{
    const SIZE aSizes[] = { { 1, 1 }, { 16, 16 }, { 3, 7 }, { 4096, 1 }, { 1, 2048 }, { 200, 130 } };
    int nImage = 0;
    for (SIZE size : aSizes)
    {
        std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(size.cx, size.cy,
                                                            [](int x, int y, void*) { return RGB(x, y, x ^ y); }, NULL);
        for (size_t nCut : { bytes.size(), (size_t)2, (size_t)14, (size_t)30, (size_t)54, bytes.size() / 2, bytes.size() - 1 })
        {
            std::string strName = "img" + std::to_string(nImage++) + ".bmp";
            folder.WriteFile(CString(strName.c_str()), bytes.data(), std::min(nCut, bytes.size()));
            images.push_back(strName);
        }
        // Header fields made hostile: huge and negative sizes, odd bit counts.
        for (int nField : { 18, 22, 28 })
        {
            std::vector<BYTE> bad = bytes;
            if (bad.size() > (size_t)nField + 4)
            {
                bad[nField] = 0xFF;
                bad[nField + 1] = 0xFF;
                bad[nField + 2] = 0xFF;
                bad[nField + 3] = nField == 28 ? 0 : 0x7F;
            }
            std::string strName = "img" + std::to_string(nImage++) + ".bmp";
            folder.WriteFile(CString(strName.c_str()), bad.data(), bad.size());
            images.push_back(strName);
        }
    }
}

const char* const g_apszFragments[] = {
    "<resourceMap><resource id=\"X%u\" code=\"%u\"/><command id=\"ID_FILE_OPEN\" code=\"4294967295\"/></resourceMap>",
    "<strings><string id=\"%u\" value=\"&#%u;&#x41;&amp\\n\\n\"/><tip id=\"X%u\" tip=\"\"/></strings>",
    "<watermarks><watermark target=\"ID_FILE_OPEN\" path=\"%s\"/><watermark target=\"W%u\" path=\"..\\..\\%s\"/></watermarks>",
    "<commandImages><bitmap path=\"%s\" types=\"%u\" mask=\"ZZ%u\"><image id=\"%u\"/><image id=\"X\" id1=\"%u\"/></bitmap>"
    "<icon path=\"%s\" id=\"%u\"/></commandImages>",
    "<colourScheme><colour name=\"dialog.back\" value=\"%u\"/><colour name=\"%u\" value=\"GGGGGG\"/></colourScheme>",
    "<menus><menu name=\"Context\"><item id=\"%u\" text=\"&amp;%u\"/><menu text=\"s\"><menu text=\"t\"/></menu>"
    "<separator/></menu><menu name=\"GalleryBar\" type=\"bar\"/></menus>",
    "<toolbars><toolbar name=\"Gallery\" types=\"%u\"><button id=\"%u\"/><separator/><button id=\"ID_EDIT_CUT\" "
    "style=\"%u\"/></toolbar></toolbars>",
    "<windowSkins><windowSkin><target window=\"Gallery\"/><image path=\"%s\"/><parts><part name=\"Top\" "
    "rect=\"-%u,%u,2147483647,-2147483648\" mode=\"stretch\"/><part name=\"Close\" rect=\"0,0,%u,%u\"/></parts>"
    "<anchors><anchor name=\"Close\" rect=\"-%u,0,%u,20\"/></anchors><caption rect=\"0,0,%u,0\" fontSize=\"%u\"/>"
    "<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"%u,%u\"/><shape type=\"polygon\" points=\"%u\"/>"
    "</region><resizeBorder rect=\"%u,%u,%u,%u\"/></windowSkin></windowSkins>",
};

// The input of number nInput, made into str (whose storage is reused from input to input): a
// bundled or generated definition, mutated. Image names are ASCII.
void MakeInput(unsigned nInput, const std::vector<std::string>& bases, const std::vector<std::string>& images,
               std::string& str)
{
    CRandom random(nInput);
    str.assign(bases[random.Below((unsigned)bases.size())]);
    int nMutations = 1 + random.Below(4);
    for (int n = 0; n < nMutations && !str.empty(); n++)
    {
        size_t nAt = random.Below((unsigned)str.size());
        switch (random.Below(6))
        {
        case 0: // flipped bytes
            for (int k = 0, nCount = 1 + random.Below(8); k < nCount; k++)
                str[random.Below((unsigned)str.size())] ^= (char)(1 << random.Below(8));
            break;
        case 1: // cut short
            str.resize(nAt);
            break;
        case 2: // a span repeated
        {
            size_t nLength = std::min<size_t>(random.Below(400), str.size() - nAt);
            str.insert(nAt, str, nAt, nLength);
            break;
        }
        case 3: // a span removed
            str.erase(nAt, random.Below(200));
            break;
        default: // a hostile section inside the root, or anywhere
        {
            const std::string& strImage = images[random.Below((unsigned)images.size())];
            const char* pszFormat = g_apszFragments[random.Below(_countof(g_apszFragments))];
            // Every %u and %s of a fragment takes the next of these, in order.
            unsigned aNumbers[16];
            for (unsigned& nNumber : aNumbers)
            {
                static const unsigned aSpecial[] = { 0, 1, 16, 24, 32, 48, 65535, 65536, 0x7FFFFFFF, 0xFFFFFFFF };
                nNumber = random.Below(3) ? aSpecial[random.Below(_countof(aSpecial))] : random.Next();
            }
            char szFragment[2048];
            size_t nOut = 0;
            int nNumber = 0;
            for (const char* p = pszFormat; *p && nOut + 16 < sizeof(szFragment); p++)
            {
                if (p[0] == '%' && p[1] == 's')
                {
                    size_t nCopy = std::min(strImage.size(), sizeof(szFragment) - 16 - nOut);
                    memcpy(szFragment + nOut, strImage.data(), nCopy);
                    nOut += nCopy;
                    p++;
                }
                else if (p[0] == '%' && p[1] == 'u')
                {
                    nOut += snprintf(szFragment + nOut, sizeof(szFragment) - nOut, "%u", aNumbers[nNumber++ % 16]);
                    p++;
                }
                else
                {
                    szFragment[nOut++] = *p;
                }
            }
            size_t nRoot = str.find("<skin>");
            size_t nInsert = random.Below(2) && nRoot != std::string::npos ? nRoot + 6 : nAt;
            str.insert(std::min(nInsert, str.size()), szFragment, nOut);
            break;
        }
        }
    }
}

// The whole file in one write. The file is opened as it is and cut after the write: replacing it
// (CREATE_ALWAYS) costs several times as much under Wine.
bool WriteWhole(const CString& strPath, const std::string& str)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    BOOL bWritten = ::WriteFile(hFile, str.data(), (DWORD)str.size(), &nWritten, NULL) && nWritten == str.size() &&
                    ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    return bWritten != FALSE;
}

bool ReadFileText(const CString& strPath, std::string& str)
{
    FILE* pFile = _wfopen(strPath, L"rb");
    if (!pFile)
        return false;
    char szBuffer[4096];
    size_t n;
    while ((n = fread(szBuffer, 1, sizeof(szBuffer), pFile)) > 0)
        str.append(szBuffer, n);
    fclose(pFile);
    return true;
}

} // namespace

int RunDefinitions(unsigned nCount, DWORD nWatchdogSeconds, const CString& strBundled, CString& strError)
{
    KorvoTest::CTempFolder folder;
    g_strAppFolder = folder.Path();
    std::vector<std::string> images;
    WriteImages(folder, images);
    // The folder of the input file is made once; each input is then one file write.
    CString strInput = folder.WriteFile(L"Definitions\\Soak.xml", std::string());
    std::vector<std::string> bases;
    for (LPCWSTR pszFile : { L"Definitions.xml", L"Aurora.xml", L"Ember.xml", L"English.xml" })
    {
        std::string str;
        if (ReadFileText(strBundled + L"Definitions\\" + pszFile, str))
            bases.push_back(str);
    }
    if (bases.empty())
    {
        strError = L"the bundled definitions were not found beside the program";
        return -1;
    }
    // A definition with every section, large enough to exercise the limits.
    std::string strLarge = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<skin>\r\n<strings>";
    for (int n = 0; n < 500; n++)
        AppendF(strLarge, "<string id=\"%d\" value=\"text %d\"/>", n, n);
    strLarge += "</strings><commandImages><bitmap path=\"img0.bmp\" types=\"16\">";
    for (int n = 0; n < 50; n++)
        AppendF(strLarge, "<image id=\"%d\"/>", 100 + n);
    strLarge += "</bitmap></commandImages></skin>\r\n";
    bases.push_back(strLarge);

    InitSkin();
    CWatchdog watchdog(nWatchdogSeconds, [nWatchdogSeconds, &strInput](unsigned nInput) {
        printf("definitions: input %u took over %lu s: a hang. Kept as hang-input.xml beside the program.\n", nInput,
               (unsigned long)nWatchdogSeconds);
        ::CopyFileW(strInput, L"hang-input.xml", FALSE);
    });
    CFigures start;
    double dStart = Now();
    // Where the time goes: making the input, writing it, loading it.
    double adSteps[3] = {};
    std::string str;
    for (unsigned n = 0; n < nCount; n++)
    {
        CLaps Lap(adSteps);
        MakeInput(n, bases, images, str);
        Lap(0);
        if (!WriteWhole(strInput, str))
        {
            strError = L"the input file could not be written";
            return -1;
        }
        Lap(1);
        watchdog.Begin(n);
        LoadSkin(L"Definitions\\Soak.xml", n % 3 ? L"" : L"Definitions\\Soak.xml");
        watchdog.End();
        Lap(2);
        // The figures at the start are taken once the first inputs have filled the caches.
        if (n == std::min(nCount - 1, 200u))
        {
            start = Measure();
            PrintFigures("definitions", "start", start);
        }
        if (n % 1000 == 999)
            KorvoTest::PumpMessages(0);
        // A run stopped at its time limit still tells how far it got.
        if (n % 50000 == 49999)
            printf("definitions: %u loaded, %.1f s, %.0f inputs/s\n", n + 1, Now() - dStart, (n + 1) / (Now() - dStart));
    }
    double dElapsed = Now() - dStart;
    LoadSkin(L"", L"");
    UnInitSkin();
    PrintFigures("definitions", "end", Measure());
    printf("definitions: %u loaded, 0 hangs (watchdog %lu s per input), %.1f s, %.0f inputs/s\n", nCount,
           (unsigned long)nWatchdogSeconds, dElapsed, nCount / dElapsed);
    printf("definitions: seconds making inputs %.1f, writing them %.1f, in LoadSkin %.1f\n", adSteps[0], adSteps[1],
           adSteps[2]);
    g_strAppFolder = strBundled;
    return (int)nCount;
}

} // namespace Soak
