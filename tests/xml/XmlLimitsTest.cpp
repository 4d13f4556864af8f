#include "XmlTestSupport.h"
#include "KorvoTest.h"

namespace
{
int DepthOf(const CXmlElement* pElement)
{
    int nDepth = 0;
    for (; pElement; pElement = pElement->m_listChildren.IsEmpty() ? NULL : pElement->m_listChildren.GetHead())
        nDepth++;
    return nDepth;
}

DWORD WINAPI ParseOnThread(LPVOID pDocument)
{
    return (DWORD)DepthOf(LoadBytes(*(const std::string*)pDocument).get());
}

// The depth of the document parsed on a thread of the given stack size, 0 when it failed: a
// small stack proves the recursion stays shallow.
int DepthParsedOnThread(const std::string& strDocument, SIZE_T nStackSize)
{
    HANDLE hThread = CreateThread(NULL, nStackSize, ParseOnThread, (LPVOID)&strDocument,
                                  STACK_SIZE_PARAM_IS_A_RESERVATION, NULL);
    DWORD dwDepth = (DWORD)-1;
    if (hThread && WaitForSingleObject(hThread, INFINITE) == WAIT_OBJECT_0)
        GetExitCodeThread(hThread, &dwDepth);
    CloseHandle(hThread);
    return (int)dwDepth;
}
} // namespace

TEST(XmlFileLimits, ExactlyFourMebibytesLoadsOneByteMoreDoesNot)
{
    KorvoTest::CTempFolder folder;
    std::string strDoc = "<a>" + std::string(XML_MAX_FILE_SIZE - 7, 'x') + "</a>";
    XmlDocument pDoc(XmlLoadFile(folder.WriteFile(L"max.xml", strDoc), FALSE));
    ASSERT_TRUE(pDoc);
    // The whole file was read, not a prefix of it.
    EXPECT_EQ((int)XML_MAX_FILE_SIZE - 7, pDoc->m_strValue.GetLength());
    EXPECT_FALSE(XmlDocument(XmlLoadFile(folder.WriteFile(L"over.xml", strDoc.insert(3, "x")), FALSE)));
}

TEST(XmlFileLimits, FilesAreReadThroughAndReleasedAndBadOnesFail)
{
    KorvoTest::CTempFolder folder;
    CString strPath = folder.WriteFile(L"skin.xml", Utf16(L"<?xml version=\"1.0\"?><skin v='\u00E9'/>", true));
    XmlDocument pDoc(XmlLoadFile(strPath, TRUE));
    ASSERT_TRUE(pDoc);
    EXPECT_EQ(std::wstring(L"\u00E9"), Str(pDoc->GetAttributeValue(L"v")));
    EXPECT_TRUE(::DeleteFileW(strPath)) << "the file was closed again";

    EXPECT_EQ(NULL, XmlLoadFile(strPath, FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(folder.WriteFile(L"empty.xml", ""), FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(folder.Path(), FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(NULL, FALSE));
    EXPECT_EQ(NULL, XmlLoadFile(L"", FALSE));
    EXPECT_EQ(NULL, XmlLoadFromHandle(INVALID_HANDLE_VALUE, FALSE));
    EXPECT_EQ(NULL, XmlLoadFromHandle(NULL, FALSE));
}

TEST(XmlFileLimits, SizeAboveFourGibibytesIsNotTakenModulo)
{
    // A sparse file whose low 32 bits of size are those of a small valid document.
    KorvoTest::CTempFolder folder;
    CString strPath = folder.WriteFile(L"huge.xml", "<a/>");
    HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    LARGE_INTEGER liSize;
    liSize.QuadPart = 0x100000004LL;
    bool bExtended = SetFilePointerEx(hFile, liSize, NULL, FILE_BEGIN) && SetEndOfFile(hFile);
    CloseHandle(hFile);
    if (!bExtended)
        GTEST_SKIP() << "the temporary folder cannot hold a sparse 4 GiB file";
    EXPECT_FALSE(XmlDocument(XmlLoadFile(strPath, FALSE)));
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

TEST(XmlDepthLimit, DeepDocumentsNeverExhaustTheStack)
{
    EXPECT_EQ(XML_MAX_DEPTH, DepthParsedOnThread(Nested(XML_MAX_DEPTH), 64 * 1024));

    // A file's worth of nothing but opening tags, and one closed all the way down: still too
    // deep, on a thread with the platform's default 1 MiB stack.
    std::string strBomb;
    while (strBomb.size() + 3 <= XML_MAX_FILE_SIZE)
        strBomb += "<a>";
    EXPECT_EQ(0, DepthParsedOnThread(strBomb, 1024 * 1024));
    EXPECT_EQ(0, DepthParsedOnThread(Nested(200000), 1024 * 1024));
}

TEST(XmlFileLimits, AnElementHoldsABoundedNumberOfDistinctAttributes)
{
    auto Element = [](int nDistinct, int nRepeats) {
        std::string str = "<a";
        for (int n = 0; n < nDistinct; n++)
            str += " n" + std::to_string(n) + "='" + std::to_string(n) + "'";
        for (int n = 0; n < nRepeats; n++)
            str += " N0='again'";
        return str + "/>";
    };
    XmlDocument pDoc = LoadBytes(Element(XML_MAX_ATTRIBUTES, 1000));
    ASSERT_TRUE(pDoc) << "repeated names replace and do not count again";
    EXPECT_EQ(XML_MAX_ATTRIBUTES, pDoc->m_mapAttributes.GetCount());
    EXPECT_EQ(std::wstring(L"again"), Str(pDoc->GetAttributeValue(L"n0")));
    EXPECT_FALSE(LoadBytes(Element(XML_MAX_ATTRIBUTES + 1, 0)));
    EXPECT_FALSE(LoadBytes("<skin><strings>" + Element(XML_MAX_ATTRIBUTES + 1, 0) + "</strings></skin>"));
}
