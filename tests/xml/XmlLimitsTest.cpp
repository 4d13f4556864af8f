#include "XmlTestSupport.h"

namespace
{

// A file in the temporary folder, removed when the test ends.
class CTempFile
{
public:
    CTempFile()
    {
        wchar_t szFolder[MAX_PATH];
        GetTempPathW(MAX_PATH, szFolder);
        wchar_t szPath[MAX_PATH];
        GetTempFileNameW(szFolder, L"kxl", 0, szPath);
        m_strPath = szPath;
    }
    ~CTempFile() { DeleteFileW(m_strPath.c_str()); }

    bool Write(const std::string& strBytes) const
    {
        HANDLE hFile = CreateFileW(m_strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        DWORD dwWritten = 0;
        BOOL bOk = WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &dwWritten, NULL);
        CloseHandle(hFile);
        return bOk && dwWritten == strBytes.size();
    }

    LPCWSTR Path() const { return m_strPath.c_str(); }

private:
    std::wstring m_strPath;
};

// <a>xxx...</a> of exactly nSize bytes.
std::string DocumentOfSize(size_t nSize)
{
    return "<a>" + std::string(nSize - 7, 'x') + "</a>";
}

std::string Nested(int nDepth, const char* pszInnermost = "")
{
    std::string strDoc;
    for (int n = 0; n < nDepth; n++)
        strDoc += "<e>";
    strDoc += pszInnermost;
    for (int n = 0; n < nDepth; n++)
        strDoc += "</e>";
    return strDoc;
}

int DepthOf(const CXmlElement* pElement)
{
    int nDepth = 0;
    for (; pElement; pElement = pElement->m_listChildren.IsEmpty() ? NULL : pElement->m_listChildren.GetHead())
        nDepth++;
    return nDepth;
}

struct CParseJob
{
    std::string strDocument;
    int nDepth = -1;
};

// Parses, measures and deletes on the calling thread: a thread with a small stack proves the
// recursion stays shallow.
DWORD WINAPI ParseOnThread(LPVOID pParam)
{
    CParseJob* pJob = (CParseJob*)pParam;
    CXmlElement* pRoot = XmlLoadFromBytes((const BYTE*)pJob->strDocument.data(),
                                          (UINT)pJob->strDocument.size(), FALSE);
    pJob->nDepth = pRoot ? DepthOf(pRoot) : 0;
    delete pRoot;
    return 0;
}

int DepthParsedOnThread(const std::string& strDocument, SIZE_T nStackSize)
{
    CParseJob job;
    job.strDocument = strDocument;
    HANDLE hThread = CreateThread(NULL, nStackSize, ParseOnThread, &job,
                                  STACK_SIZE_PARAM_IS_A_RESERVATION, NULL);
    EXPECT_TRUE(hThread != NULL);
    if (!hThread)
        return -1;
    WaitForSingleObject(hThread, INFINITE);
    DWORD dwExit = 1;
    GetExitCodeThread(hThread, &dwExit);
    CloseHandle(hThread);
    EXPECT_EQ(0u, dwExit);
    return job.nDepth;
}

} // namespace

TEST(XmlFileLimits, ExactlyFourMebibytesLoadsOneByteMoreDoesNot)
{
    CTempFile file;
    ASSERT_TRUE(file.Write(DocumentOfSize(XML_MAX_FILE_SIZE)));
    XmlDocument pDoc(XmlLoadFile(file.Path(), FALSE));
    ASSERT_TRUE(pDoc);
    // The whole file was read, not a prefix of it.
    EXPECT_EQ((int)XML_MAX_FILE_SIZE - 7, pDoc->m_strValue.GetLength());
    pDoc.reset();

    ASSERT_TRUE(file.Write(DocumentOfSize(XML_MAX_FILE_SIZE + 1)));
    EXPECT_FALSE(XmlDocument(XmlLoadFile(file.Path(), FALSE)));
}

TEST(XmlFileLimits, FileIsReadThroughAndReleased)
{
    CTempFile file;
    ASSERT_TRUE(file.Write(Utf16BE(L"<?xml version=\"1.0\"?><skin v='\u00E9'/>")));
    XmlDocument pDoc(XmlLoadFile(file.Path(), TRUE));
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"\u00E9"), Str(pDoc->GetAttributeValue(L"v")));
    // The file is closed again: it can be rewritten at once.
    EXPECT_TRUE(file.Write("<a/>"));

    ASSERT_TRUE(file.Write(""));
    EXPECT_FALSE(XmlDocument(XmlLoadFile(file.Path(), FALSE)));
}

TEST(XmlFileLimits, UnopenableFilesAndHandles)
{
    EXPECT_EQ(NULL, XmlLoadFile(NULL, FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(L"", FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(L"C:\\no such folder\\Definitions.xml", FALSE));
    EXPECT_EQ(NULL, XmlLoadFromHandle(INVALID_HANDLE_VALUE, FALSE));
    EXPECT_EQ(NULL, XmlLoadFromHandle(NULL, FALSE));

    wchar_t szFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, szFolder);
    EXPECT_EQ(NULL, XmlLoadFile(szFolder, FALSE));
}

TEST(XmlFileLimits, SizeAboveFourGibibytesIsNotTakenModulo)
{
    // A sparse file whose low 32 bits of size are those of a small valid document.
    CTempFile file;
    ASSERT_TRUE(file.Write("<a/>"));
    HANDLE hFile = CreateFileW(file.Path(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    LARGE_INTEGER liSize;
    liSize.QuadPart = 0x100000004LL;
    bool bExtended = SetFilePointerEx(hFile, liSize, NULL, FILE_BEGIN) && SetEndOfFile(hFile);
    CloseHandle(hFile);
    if (!bExtended)
        GTEST_SKIP() << "the temporary folder cannot hold a sparse 4 GiB file";
    EXPECT_FALSE(XmlDocument(XmlLoadFile(file.Path(), FALSE)));
}

TEST(XmlDepthLimit, LimitPassesOneMoreFails)
{
    XmlDocument pDoc = LoadBytes(Nested(XML_MAX_DEPTH, "text"));
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(XML_MAX_DEPTH, DepthOf(pDoc.get()));
    WalkTree(pDoc.get(), NULL, 1);

    EXPECT_TRUE(LoadBytes(Nested(XML_MAX_DEPTH - 1, "<e a='1'/>")));
    EXPECT_FALSE(LoadBytes(Nested(XML_MAX_DEPTH, "<e/>")));
    EXPECT_FALSE(LoadBytes(Nested(XML_MAX_DEPTH + 1)));
}

TEST(XmlDepthLimit, DeepestDocumentFitsASmallStack)
{
    EXPECT_EQ(XML_MAX_DEPTH, DepthParsedOnThread(Nested(XML_MAX_DEPTH), 64 * 1024));
}

TEST(XmlDepthLimit, NestedTagBombFailsWithoutExhaustingTheStack)
{
    std::string strBomb;
    while (strBomb.size() + 3 <= XML_MAX_FILE_SIZE)
        strBomb += "<a>";

    // Through a file and on a thread with the platform's default 1 MiB stack.
    CTempFile file;
    ASSERT_TRUE(file.Write(strBomb));
    EXPECT_FALSE(XmlDocument(XmlLoadFile(file.Path(), FALSE)));
    EXPECT_EQ(0, DepthParsedOnThread(strBomb, 1024 * 1024));

    // Closed all the way down, still too deep.
    std::string strClosed = Nested(200000);
    EXPECT_EQ(0, DepthParsedOnThread(strClosed, 1024 * 1024));
}
