// Full-tree load of a skin-sized UTF-8 document, measured against the platform's readers on the
// same bytes in the same process: XmlLite's pull reader, the MSXML DOM, and a bare UTF-8 to
// UTF-16 conversion as the floor no reader can beat.
#include "../BenchSupport.h"
#include "xml/XML.h"
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>
#include <xmllite.h>
#include <stdio.h>
#include <string>
#include <functional>
#include <memory>
#include <algorithm>
#include <set>

using namespace KorvoBench;

namespace
{

// Declared here rather than taken from an import library, which the cross toolchain lacks.
const GUID IID_XmlReader = { 0x7279fc81, 0x709d, 0x4095, { 0xb6, 0x3d, 0x69, 0xfe, 0x4b, 0x0d, 0x90, 0x30 } };
const GUID IID_DomDocument = { 0x2933bf81, 0x7b36, 0x11d2, { 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60 } };
const GUID CLSID_DomDocument60 = { 0x88d96a05, 0xf192, 0x11d4, { 0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5 } };
const GUID CLSID_DomDocument30 = { 0xf5078f32, 0xc551, 0x11d3, { 0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21 } };
const GUID CLSID_DomDocument = { 0xf6d90f11, 0x9c73, 0x11d3, { 0xb3, 0x2e, 0x00, 0xc0, 0x4f, 0x99, 0x0b, 0xb4 } };

typedef HRESULT (WINAPI* PFNCREATEXMLREADER)(REFIID riid, void** ppvObject, IMalloc* pMalloc);

const size_t DOCUMENT_LIMIT = 0x400000;
const int RUNS = 5;

// A skin definition grown to just under the reader's 4 MiB limit: a large resource map, strings
// and tips with entities and non-ASCII text, nested menus, colours and window-skin parts.
std::string MakeDocument()
{
    std::string strResources, strStrings, strMenus, strParts;
    const size_t nTarget = DOCUMENT_LIMIT - 64 * 1024;
    for (int n = 0; ; n++)
    {
        AppendF(strResources, "    <resource name=\"ID_COMMAND_%05d\" id=\"%d\"/>\r\n", n, 32768 + n);
        AppendF(strStrings, "    <string id=\"ID_COMMAND_%05d\">Command %d does &quot;what it says&quot; "
                "&amp; more \xE2\x80\x94 caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87&#10;Command %d</string>\r\n",
                n, n, n);
        AppendF(strStrings, "    <tip id=\"ID_COMMAND_%05d\" title='Tip &lt;%d&gt;'>\r\n"
                "      Press the button to run command %d.\r\n    </tip>\r\n", n, n, n);
        if (n % 16 == 0)
        {
            AppendF(strMenus, "    <menu name=\"Menu%d\">\r\n      <item text=\"&amp;File %d\">\r\n", n, n);
            for (int nItem = 0; nItem < 6; nItem++)
                AppendF(strMenus, "        <item id=\"ID_COMMAND_%05d\" text=\"Item &amp;%d&#9;Ctrl+%d\"/>\r\n",
                        n + nItem, nItem, nItem);
            AppendF(strMenus, "        <separator/>\r\n        <item text=\"More\">\r\n"
                    "          <item text=\"Deeper\"><item id=\"ID_COMMAND_%05d\" text=\"Last\"/></item>\r\n"
                    "        </item>\r\n      </item>\r\n    </menu>\r\n", n);
        }
        if (n % 64 == 0)
            AppendF(strParts, "        <part name=\"Part%d\" rect=\"%d,0,%d,30\" mode=\"stretch\"/>\r\n",
                    n, n, n + 10);
        if (strResources.size() + strStrings.size() + strMenus.size() + strParts.size() > nTarget)
            break;
    }
    std::string strDoc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                         "<!-- Benchmark skin -->\r\n"
                         "<skin version=\"1.0\">\r\n"
                         "  <manifest name=\"Bench\" author=\"Skin Team\" description=\"Look &amp; feel\"/>\r\n"
                         "  <resourceMap>\r\n";
    strDoc += strResources + "  </resourceMap>\r\n  <strings>\r\n" + strStrings
            + "  </strings>\r\n  <menus>\r\n" + strMenus
            + "  </menus>\r\n  <colourScheme>\r\n"
              "    <colour name=\"system.base.window\" value=\"FFFFFF\"/>\r\n"
              "  </colourScheme>\r\n  <windowSkins>\r\n    <windowSkin>\r\n"
              "      <target window=\"CMainDlg\"/>\r\n      <parts>\r\n"
            + strParts + "      </parts>\r\n    </windowSkin>\r\n  </windowSkins>\r\n</skin>\r\n";
    return strDoc;
}

int CountElements(const CXmlElement* pElement)
{
    int nCount = 1;
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
        nCount += CountElements(pElement->m_listChildren.GetNext(pos));
    return nCount;
}

// Pulls every node, name and value, and every attribute's name and value.
bool PullWithXmlLite(PFNCREATEXMLREADER pfnCreate, HGLOBAL hDocument, size_t nBytes, int& nElements)
{
    IStream* pStream = NULL;
    if (FAILED(CreateStreamOnHGlobal(hDocument, FALSE, &pStream)))
        return false;
    ULARGE_INTEGER uliSize;
    uliSize.QuadPart = nBytes;
    pStream->SetSize(uliSize);

    IXmlReader* pReader = NULL;
    bool bOk = SUCCEEDED(pfnCreate(IID_XmlReader, (void**)&pReader, NULL))
               && SUCCEEDED(pReader->SetInput(pStream));
    nElements = 0;
    size_t nChars = 0;
    XmlNodeType nodeType;
    HRESULT hr = S_OK;
    while (bOk && (hr = pReader->Read(&nodeType)) == S_OK)
    {
        LPCWSTR pszName = NULL;
        LPCWSTR pszValue = NULL;
        UINT nLength = 0;
        if (nodeType == XmlNodeType_Element)
        {
            nElements++;
            pReader->GetLocalName(&pszName, &nLength);
            nChars += nLength;
            for (HRESULT hrAttribute = pReader->MoveToFirstAttribute(); hrAttribute == S_OK;
                 hrAttribute = pReader->MoveToNextAttribute())
            {
                pReader->GetLocalName(&pszName, &nLength);
                pReader->GetValue(&pszValue, &nLength);
                nChars += nLength;
            }
            pReader->MoveToElement();
        }
        else
        {
            pReader->GetValue(&pszValue, &nLength);
            nChars += nLength;
        }
    }
    if (FAILED(hr))
    {
        printf("XmlLite failed to read the document: 0x%08lX\n", (unsigned long)hr);
        bOk = false;
    }
    if (pReader)
        pReader->Release();
    pStream->Release();
    return bOk && nChars > 0;
}

bool LoadWithMsxml(const CLSID& clsid, BSTR bstrDocument)
{
    IXMLDOMDocument* pDocument = NULL;
    if (FAILED(CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_DomDocument, (void**)&pDocument)))
        return false;
    pDocument->put_async(VARIANT_FALSE);
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    HRESULT hr = pDocument->loadXML(bstrDocument, &bLoaded);
    pDocument->Release();
    return SUCCEEDED(hr) && bLoaded == VARIANT_TRUE;
}

// Bytes the tree holds, counted from its nodes and strings (each shared name once): the least
// memory a first load must fill, whatever it fills it with.
size_t TreeBytes(const CXmlElement* pElement, std::set<LPCWSTR>& strings)
{
    auto StringBytes = [&](const CXmlString& str) {
        return str.IsEmpty() || !strings.insert(str.GetString()).second ? 0 : sizeof(int) + (str.GetLength() + 1) * sizeof(wchar_t);
    };
    size_t nBytes = sizeof(void*) + sizeof(CXmlElement) + StringBytes(pElement->m_strName) + StringBytes(pElement->m_strValue);
    for (auto* pPair = pElement->m_mapAttributes.PGetFirstAssoc(); pPair; pPair = pElement->m_mapAttributes.PGetNextAssoc(pPair))
        nBytes += sizeof(CXmlAttribute) + StringBytes(pPair->value->m_strName) + StringBytes(pPair->value->m_strValue);
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
        nBytes += TreeBytes(pElement->m_listChildren.GetNext(pos), strings);
    return nBytes;
}

// Seconds to touch nPages pages of memory never touched before: what the first parse pays for
// the pages it fills, whoever fills them.
double TouchFreshPages(DWORD nPages)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    BYTE* pMemory = (BYTE*)VirtualAlloc(NULL, (SIZE_T)nPages * info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!pMemory)
        return -1;
    double dStart = Now();
    for (DWORD n = 0; n < nPages; n++)
        pMemory[(SIZE_T)n * info.dwPageSize] = 1;
    double dElapsed = Now() - dStart;
    VirtualFree(pMemory, 0, MEM_RELEASE);
    return dElapsed;
}

void PrintRow(const char* pszName, double dSeconds, size_t nBytes)
{
    if (dSeconds < 0)
        printf("  %-34s failed\n", pszName);
    else
        printf("  %-34s %9.2f ms %9.1f MB/s\n", pszName, dSeconds * 1000.0,
               nBytes / dSeconds / (1024.0 * 1024.0));
}

} // namespace

int main()
{
    double dStart = Now();
    std::string strDoc = MakeDocument();
    const BYTE* pBytes = (const BYTE*)strDoc.data();
    UINT nBytes = (UINT)strDoc.size();
    printf("Document: %u bytes of UTF-8 (limit %u); best of %d runs each\n", nBytes,
           (unsigned)DOCUMENT_LIMIT, RUNS);

    // The first load in the process builds its tree in fresh memory; later ones reuse the
    // memory the earlier trees gave back, which is what the best-of figures below measure.
    double dFirstStart = Now();
    CXmlElement* pCheck = XmlLoadFromBytes(pBytes, nBytes, FALSE);
    double dFirst = Now() - dFirstStart;
    if (!pCheck)
    {
        printf("XmlLoadFromBytes rejected the benchmark document\n");
        return 1;
    }
    int nOurElements = CountElements(pCheck);
    std::set<LPCWSTR> strings;
    const size_t nTreeBytes = TreeBytes(pCheck, strings);
    const DWORD nTreePages = (DWORD)((nTreeBytes + 4095) / 4096);
    delete pCheck;
    // As many fresh pages touched without parsing: the floor of the first load.
    double dTouch = TouchFreshPages(nTreePages);

    std::wstring strWide;
    double dFloor = BestTime(RUNS, [&]() {
        int nChars = MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pBytes, (int)nBytes, NULL, 0);
        strWide.resize(nChars);
        return MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pBytes, (int)nBytes, &strWide[0], nChars) == nChars;
    });

    // The same conversion into a buffer allocated for the run: what any reader of a fresh
    // document pays for its UTF-16 text, page faults included.
    double dFreshFloor = BestTime(RUNS, [&]() {
        int nChars = MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pBytes, (int)nBytes, NULL, 0);
        std::unique_ptr<wchar_t[]> pszText(new wchar_t[nChars]);
        return MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pBytes, (int)nBytes, pszText.get(), nChars) == nChars;
    });

    double dTreeOnly = BestTime(RUNS, [&]() {
        CXmlElement* pRoot = XmlParseDocument(strWide.c_str(), FALSE);
        delete pRoot;
        return pRoot != NULL;
    });

    double dOurs = BestTime(RUNS, [&]() {
        CXmlElement* pRoot = XmlLoadFromBytes(pBytes, nBytes, FALSE);
        delete pRoot;
        return pRoot != NULL;
    });

    // The parts of a load: building the tree, and dropping it.
    double dBuild = 1e30, dTeardown = 1e30;
    for (int n = 0; n < RUNS; n++)
    {
        double dStart = Now();
        CXmlElement* pRoot = XmlLoadFromBytes(pBytes, nBytes, FALSE);
        double dMiddle = Now();
        delete pRoot;
        double dEnd = Now();
        dBuild = std::min(dBuild, dMiddle - dStart);
        dTeardown = std::min(dTeardown, dEnd - dMiddle);
    }

    double dXmlLite = -1;
    int nLiteElements = 0;
    HMODULE hXmlLite = LoadLibraryW(L"xmllite.dll");
    PFNCREATEXMLREADER pfnCreate = hXmlLite
        ? (PFNCREATEXMLREADER)(void*)GetProcAddress(hXmlLite, "CreateXmlReader") : NULL;
    HGLOBAL hDocument = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hDocument)
    {
        memcpy(GlobalLock(hDocument), pBytes, nBytes);
        GlobalUnlock(hDocument);
    }
    if (pfnCreate && hDocument)
    {
        // Our load and XmlLite's take turns, so that a machine whose load changes during the
        // run weighs on both alike; each keeps its best time, ours with the runs above.
        for (int n = 0; n < RUNS && dXmlLite != -2; n++)
        {
            double dTime = BestTime(1, [&]() { return PullWithXmlLite(pfnCreate, hDocument, nBytes, nLiteElements); });
            dXmlLite = dTime < 0 ? -2 : (dXmlLite < 0 || dTime < dXmlLite ? dTime : dXmlLite);
            double dOursAgain = BestTime(1, [&]() {
                CXmlElement* pRoot = XmlLoadFromBytes(pBytes, nBytes, FALSE);
                delete pRoot;
                return pRoot != NULL;
            });
            if (dOursAgain > 0 && dOursAgain < dOurs)
                dOurs = dOursAgain;
        }
        if (dXmlLite < 0)
            dXmlLite = -1;
    }
    else
        printf("XmlLite is not available\n");

    double dMsxml = -1;
    const char* pszMsxml = "MSXML 6 DOMDocument60";
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    BSTR bstrDocument = SysAllocStringLen(strWide.data(), (UINT)strWide.size());
    IUnknown* pProbe = NULL;
    const CLSID* pClsid = &CLSID_DomDocument60;
    if (FAILED(CoCreateInstance(*pClsid, NULL, CLSCTX_INPROC_SERVER, IID_DomDocument, (void**)&pProbe)))
    {
        printf("MSXML 6 is missing: falling back to MSXML 3\n");
        pszMsxml = "MSXML 3 DOMDocument30";
        pClsid = &CLSID_DomDocument30;
        if (FAILED(CoCreateInstance(*pClsid, NULL, CLSCTX_INPROC_SERVER, IID_DomDocument, (void**)&pProbe)))
        {
            pszMsxml = "MSXML 3 DOMDocument";
            pClsid = &CLSID_DomDocument;
            pProbe = NULL;
        }
    }
    if (pProbe)
        pProbe->Release();
    dMsxml = BestTime(RUNS, [&]() { return LoadWithMsxml(*pClsid, bstrDocument); });

    printf("\n");
    PrintRow("MultiByteToWideChar (floor)", dFloor, nBytes);
    PrintRow("MultiByteToWideChar, fresh buffer", dFreshFloor, nBytes);
    PrintRow("XmlParseDocument + delete", dTreeOnly, nBytes);
    PrintRow("XmlLoadFromBytes + delete", dOurs, nBytes);
    PrintRow("XmlLoadFromBytes, first in process", dFirst, nBytes);
    PrintRow("  of which building the tree", dBuild, nBytes);
    PrintRow("  of which dropping the tree", dTeardown, nBytes);
    PrintRow("Touching as many fresh pages as the tree", dTouch, nBytes);
    PrintRow("XmlLite pull, all nodes+attributes", dXmlLite, nBytes);
    char szMsxmlRow[64];
    snprintf(szMsxmlRow, sizeof(szMsxmlRow), "%s loadXML", pszMsxml);
    PrintRow(szMsxmlRow, dMsxml, nBytes);
    printf("\nElements: ours %d, XmlLite %d\n", nOurElements, nLiteElements);
    printf("Tree: %.1f MiB in nodes and strings, %lu pages of 4 KiB\n", nTreeBytes / (1024.0 * 1024.0),
           (unsigned long)nTreePages);
    // Speed ratios: above 1 ours is faster.
    if (dOurs > 0 && dXmlLite > 0)
        printf("Speed ratio ours : XmlLite = %.2f\n", dXmlLite / dOurs);
    if (dOurs > 0 && dMsxml > 0)
        printf("Speed ratio ours : %s = %.2f\n", pszMsxml, dMsxml / dOurs);
    if (dOurs > 0 && dFloor > 0)
        printf("Ours takes %.1fx the conversion floor's time\n", dOurs / dFloor);
    printf("MSXML is handed the document already converted to UTF-16 (a BSTR); the others start from bytes.\n");
    Row("XML tree build vs XmlLite pull, same bytes", dOurs, dXmlLite, SPEED_AT_LEAST, 8.0);
    Row("XML first load in process vs warm", dFirst, dOurs, TIME_AT_MOST, 2.0);
    Row("XML first load floor: touching the tree's size in fresh pages vs warm load", dTouch, dOurs, NO_TARGET);
    Row("XML first load vs warm load plus touching the tree's size in fresh pages", dFirst, dOurs + dTouch, NO_TARGET);
    Row("XML tree build vs MSXML DOM", dOurs, dMsxml, NO_TARGET);
    Row("XML tree build, UTF-16 text vs UTF-8 bytes", dTreeOnly, dOurs, NO_TARGET);
    Row("XML tree teardown vs build", dTeardown, dBuild, NO_TARGET);
    Row("XML tree build vs UTF-8 conversion floor", dOurs, dFloor, NO_TARGET);
    printf("Total run: %.1f s\n", Now() - dStart);

    SysFreeString(bstrDocument);
    if (hDocument)
        GlobalFree(hDocument);
    if (hXmlLite)
        FreeLibrary(hXmlLite);
    CoUninitialize();
    return 0;
}
