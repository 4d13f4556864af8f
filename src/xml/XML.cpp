#include "XML.h"
#include "CXmlReader.h"
#include <atomic>
#include <exception>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace
{

// A large buffer kept for the next one of the same use once it is done with: a skin load
// reads several files in a row, and fresh pages for every file cost more than reading and
// converting it. One block is kept per use, the last one given back.
class CKeptBuffer
{
public:
    // Room for nCount elements of nSize bytes.
    CKeptBuffer(std::atomic<size_t*>& slot, size_t nCount, size_t nSize) : m_slot(slot), m_pBlock(NULL)
    {
        if (nCount > (SIZE_MAX - HEADER_BYTES) / nSize)
            return;
        size_t nBytes = nCount * nSize;
        m_pBlock = slot.exchange(NULL);
        if (m_pBlock && *m_pBlock < nBytes)
        {
            free(m_pBlock);
            m_pBlock = NULL;
        }
        if (!m_pBlock && (m_pBlock = (size_t*)malloc(HEADER_BYTES + nBytes)) != NULL)
            *m_pBlock = nBytes;
    }

    ~CKeptBuffer()
    {
        if (m_pBlock)
            free(m_slot.exchange(m_pBlock));
    }

    // Aligned for any element type; null when no memory could be had.
    void* Get() const { return m_pBlock ? (BYTE*)m_pBlock + HEADER_BYTES : NULL; }

private:
    // The block's size in bytes, then a spare word so that the buffer keeps malloc's alignment.
    static const size_t HEADER_BYTES = 2 * sizeof(size_t);

    CKeptBuffer(const CKeptBuffer&) = delete;
    void operator=(const CKeptBuffer&) = delete;

    std::atomic<size_t*>& m_slot;
    size_t* m_pBlock;
};

// The kept blocks go with the library.
struct CKeptSlots
{
    std::atomic<size_t*> pFileBytes{NULL};
    std::atomic<size_t*> pText{NULL};

    ~CKeptSlots()
    {
        free(pFileBytes.exchange(NULL));
        free(pText.exchange(NULL));
    }
};

CKeptSlots g_keptSlots;

// Whether the UTF-8 text from p holds only well-formed sequences of characters of the Basic
// Multilingual Plane up to its end, which is its first NUL or pEnd, stored in pTextEnd. Such
// text is parsed as it is; any other goes through the platform's conversion, which decides
// what ill-formed bytes and characters beyond the plane become.
bool IsPlainUtf8(const BYTE* p, const BYTE* pEnd, const BYTE*& pTextEnd)
{
    while (p < pEnd)
    {
        // ASCII without a NUL passes eight bytes at a time.
        for (; pEnd - p >= 8; p += 8)
        {
            UINT64 nWord;
            memcpy(&nWord, p, 8);
            if ((nWord | ((nWord - 0x0101010101010101ull) & ~nWord)) & 0x8080808080808080ull)
                break;
        }
        if (p == pEnd)
            break;
        const BYTE b = *p;
        if (b == 0)
            break;
        if (b < 0x80)
        {
            p++;
        }
        else if (b >= 0xC2 && b <= 0xDF)
        {
            if (pEnd - p < 2 || (p[1] & 0xC0) != 0x80)
                return false;
            p += 2;
        }
        else if (b >= 0xE0 && b <= 0xEF)
        {
            // Neither overlong forms nor surrogates.
            if (pEnd - p < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80
                || (b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] >= 0xA0))
                return false;
            p += 3;
        }
        else
        {
            return false;
        }
    }
    pTextEnd = p;
    return true;
}

template <class CHAR>
CXmlElement* ReadText(const CHAR* pText, const CHAR* pEnd, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    try
    {
        CXmlReader<CHAR> reader(pText, pEnd);
        CXmlElement* pRoot = reader.ReadDocument(bRequireDeclaration);
        if (!pRoot && pnErrorOffset)
            *pnErrorOffset = reader.StopOffset();
        return pRoot;
    }
    catch (const std::exception&)
    {
        return NULL;
    }
}

// UTF-16 text up to its first NUL.
CXmlElement* ReadWideText(LPCWSTR pszText, size_t nChars, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    LPCWSTR pszEnd = wmemchr(pszText, L'\0', nChars);
    return ReadText(pszText, pszEnd ? pszEnd : pszText + nChars, bRequireDeclaration, pnErrorOffset);
}

} // namespace

CXmlElement* XmlParseDocument(LPCWSTR pszText, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!pszText)
        return NULL;
    return ReadText(pszText, pszText + wcslen(pszText), bRequireDeclaration, pnErrorOffset);
}

CXmlElement* XmlLoadFromBytes(const BYTE* pData, UINT nLength, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!pData || nLength == 0 || nLength > INT_MAX)
        return NULL;

    const bool bBigEndian = nLength >= 2 && pData[0] == 0xFE && pData[1] == 0xFF;
    const bool bLittleEndian = nLength >= 2 && pData[0] == 0xFF && pData[1] == 0xFE;
    if (!bBigEndian && !bLittleEndian)
    {
        // Without a byte-order mark the text is always UTF-8.
        if (nLength >= 3 && pData[0] == 0xEF && pData[1] == 0xBB && pData[2] == 0xBF)
        {
            pData += 3;
            nLength -= 3;
        }
        if (nLength == 0)
            return NULL;
        const BYTE* pTextEnd;
        if (IsPlainUtf8(pData, pData + nLength, pTextEnd))
            return ReadText(pData, pTextEnd, bRequireDeclaration, pnErrorOffset);
    }

    // Every conversion gives at most one character per byte.
    CKeptBuffer buffer(g_keptSlots.pText, (size_t)nLength, sizeof(wchar_t));
    LPWSTR pszText = (LPWSTR)buffer.Get();
    if (!pszText)
        return NULL;
    int nChars;
    if (bBigEndian || bLittleEndian)
    {
        // A trailing odd byte is ignored.
        nChars = (int)(nLength / 2) - 1;
        const BYTE* pSource = pData + 2;
        if (bLittleEndian)
            memcpy(pszText, pSource, nChars * sizeof(wchar_t));
        else
            for (int n = 0; n < nChars; n++, pSource += 2)
                pszText[n] = (wchar_t)((pSource[0] << 8) | pSource[1]);
    }
    else
    {
        nChars = MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pData, (int)nLength, pszText, (int)nLength);
        if (nChars <= 0)
            return NULL;
    }
    return ReadWideText(pszText, (size_t)nChars, bRequireDeclaration, pnErrorOffset);
}

CXmlElement* XmlLoadFromHandle(HANDLE hFile, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!hFile || hFile == INVALID_HANDLE_VALUE)
        return NULL;

    // The high half counts too: a file of 4 GiB and a few bytes is not a few bytes long.
    DWORD dwSizeHigh = 0;
    DWORD dwSize = GetFileSize(hFile, &dwSizeHigh);
    if (dwSizeHigh != 0 || dwSize > XML_MAX_FILE_SIZE)
        return NULL;

    CKeptBuffer buffer(g_keptSlots.pFileBytes, dwSize ? dwSize : 1, 1);
    BYTE* pData = (BYTE*)buffer.Get();
    if (!pData)
        return NULL;
    DWORD dwRead = 0;
    if (!ReadFile(hFile, pData, dwSize, &dwRead, NULL))
        return NULL;
    return XmlLoadFromBytes(pData, dwRead, bRequireDeclaration, pnErrorOffset);
}

CXmlElement* XmlLoadFile(LPCWSTR pszPath, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!pszPath)
        return NULL;
    HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    CXmlElement* pRoot = XmlLoadFromHandle(hFile, bRequireDeclaration, pnErrorOffset);
    CloseHandle(hFile);
    return pRoot;
}
