#include "XML.h"
#include "CXmlArena.h"
#include <memory>
#include <new>
#include <exception>
#include <wctype.h>
#include <limits.h>
#include <stdlib.h>
#include <atomic>

namespace
{

enum { CHAR_SPACE = 1, CHAR_NAME = 2, CHAR_AMPERSAND = 4 };

// ASCII classes taken from the C runtime once, so that the fast path agrees with iswspace
// and iswalnum exactly; other characters ask the runtime each time.
struct CAsciiClasses
{
    BYTE m_aClass[128];

    CAsciiClasses()
    {
        for (int ch = 0; ch < 128; ch++)
        {
            m_aClass[ch] = 0;
            if (iswspace((wint_t)ch))
                m_aClass[ch] |= CHAR_SPACE;
            if (iswalnum((wint_t)ch) || ch == ':' || ch == '_' || ch == '-')
                m_aClass[ch] |= CHAR_NAME;
            if (ch == '&')
                m_aClass[ch] |= CHAR_AMPERSAND;
        }
    }
};

const CAsciiClasses g_asciiClasses;

inline BOOL IsDecodeSpace(wchar_t ch)
{
    return ch < 128 ? (g_asciiClasses.m_aClass[ch] & CHAR_SPACE) != 0 : iswspace(ch) != 0;
}

inline BOOL IsNameChar(wchar_t ch)
{
    return ch < 128 ? (g_asciiClasses.m_aClass[ch] & CHAR_NAME) != 0 : iswalnum(ch) != 0;
}

// The four characters that separate tokens; other white space is significant there.
inline BOOL IsTokenSpace(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

inline LPCWSTR SkipTokenSpace(LPCWSTR psz)
{
    while (IsTokenSpace(*psz))
        psz++;
    return psz;
}

struct CEntity
{
    LPCWSTR pszName;    // lower case, with its ';'
    int nLength;
    wchar_t chValue;
};

const CEntity g_aEntities[] =
{
    { L"amp;", 4, L'&' },
    { L"lt;", 3, L'<' },
    { L"gt;", 3, L'>' },
    { L"quot;", 5, L'"' },
    { L"apos;", 5, L'\'' },
    { L"nbsp;", 5, L' ' },
};

// Compares ASCII letters without regard to case, within [psz, pszEnd).
BOOL MatchEntity(LPCWSTR psz, LPCWSTR pszEnd, const CEntity& entity)
{
    if (pszEnd - psz < entity.nLength)
        return FALSE;
    for (int n = 0; n < entity.nLength; n++)
    {
        wchar_t ch = psz[n];
        if (ch >= L'A' && ch <= L'Z')
            ch += L'a' - L'A';
        if (ch != entity.pszName[n])
            return FALSE;
    }
    return TRUE;
}

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

BOOL SkipComments(LPCWSTR& pszCursor)
{
    while (XmlMatch(pszCursor, L"<!--"))
    {
        LPCWSTR pszEnd = wcsstr(pszCursor, L"-->");
        if (!pszEnd)
            return FALSE;
        pszCursor = pszEnd + 3;
    }
    return TRUE;
}

} // namespace

LPCWSTR XmlSkipSpace(LPCWSTR psz)
{
    return SkipTokenSpace(psz);
}

BOOL XmlMatch(LPCWSTR& pszCursor, LPCWSTR pszLiteral)
{
    // The terminating NUL never equals a literal's character, so the end of the text fails here.
    LPCWSTR psz = SkipTokenSpace(pszCursor);
    for (; *pszLiteral; psz++, pszLiteral++)
    {
        if (*psz != *pszLiteral)
            return FALSE;
    }
    pszCursor = psz;
    return TRUE;
}

BOOL XmlMatchClosingTag(LPCWSTR& pszCursor, const CString& strName)
{
    LPCWSTR psz = SkipTokenSpace(pszCursor);
    if (psz[0] != L'<' || psz[1] != L'/')
        return FALSE;
    psz += 2;
    LPCWSTR pszName = strName;
    for (int n = strName.GetLength(); n > 0; n--)
    {
        if (*psz++ != *pszName++)
            return FALSE;
    }
    if (*psz != L'>')
        return FALSE;
    pszCursor = psz + 1;
    return TRUE;
}

BOOL XmlReadName(LPCWSTR& pszCursor, CString& strName)
{
    LPCWSTR pszStart = SkipTokenSpace(pszCursor);
    LPCWSTR psz = pszStart;
    while (*psz && IsNameChar(*psz))
        psz++;
    if (psz == pszStart)
        return FALSE;
    strName = CString(pszStart, (int)(psz - pszStart));
    pszCursor = psz;
    return TRUE;
}

void XmlDecodeText(LPCWSTR& pszCursor, int nCount, CString& strOut)
{
    if (nCount <= 0 || !*pszCursor)
        return;

    // Nothing past the run is read: its end stands for the end of the text.
    LPCWSTR psz = pszCursor;
    LPCWSTR pszEnd = psz + nCount;
    // Leading white space writes nothing; the indentation between child elements stops here
    // without touching the string.
    while (psz < pszEnd && IsDecodeSpace(*psz))
        psz++;
    if (psz == pszEnd)
    {
        pszCursor = psz;
        return;
    }
    int nOldLength = strOut.GetLength();
    // Every input character yields at most one output character.
    LPWSTR pszOutStart = strOut.GetBuffer(nOldLength + nCount) + nOldLength;
    LPWSTR pszOut = pszOutStart;

    while (psz < pszEnd)
    {
        // Runs of ordinary ASCII characters are copied with one test each.
        wchar_t ch;
        while ((ch = *psz) < 128 && !(g_asciiClasses.m_aClass[ch] & (CHAR_SPACE | CHAR_AMPERSAND)))
        {
            *pszOut++ = ch;
            if (++psz == pszEnd)
                break;
        }
        if (psz == pszEnd)
            break;
        if (IsDecodeSpace(ch))
        {
            if (pszOut != pszOutStart)
                *pszOut++ = L' ';
            do
                psz++;
            while (psz < pszEnd && IsDecodeSpace(*psz));
            continue;
        }
        if (ch != L'&')
        {
            *pszOut++ = ch;
            psz++;
            continue;
        }

        if (++psz == pszEnd)
            break;
        const CEntity* pEntity = NULL;
        for (const CEntity& entity : g_aEntities)
        {
            if (MatchEntity(psz, pszEnd, entity))
            {
                pEntity = &entity;
                break;
            }
        }
        if (pEntity)
        {
            *pszOut++ = pEntity->chValue;
            psz += pEntity->nLength;
            continue;
        }
        if (*psz != L'#')
        {
            // An unknown entity stays as written.
            *pszOut++ = L'&';
            continue;
        }

        if (++psz == pszEnd)
            break;
        // Only decimal references are understood; anything else ends the run here, short of
        // its end, which the caller treats as a malformed document.
        if (*psz < L'0' || *psz > L'9')
            break;
        unsigned long nCode = 0;
        while (psz < pszEnd && *psz >= L'0' && *psz <= L'9')
            nCode = nCode * 10 + (unsigned long)(*psz++ - L'0');
        *pszOut++ = (wchar_t)(nCode & 0xFFFF);
        while (psz < pszEnd && *psz != L';')
            psz++;
        if (psz < pszEnd)
            psz++;
    }

    strOut.ReleaseBuffer(nOldLength + (int)(pszOut - pszOutStart));
    pszCursor = psz;
}

namespace
{
CXmlElement* ParseDocument(LPCWSTR pszText, LPCWSTR& pszCursor, BOOL bRequireDeclaration)
{
    // Only this exact opening is taken as a declaration.
    if (XmlMatch(pszCursor, L"<?xml version=\""))
    {
        LPCWSTR pszEnd = wcsstr(pszCursor, L"?>");
        if (!pszEnd)
            return NULL;
        pszCursor = pszEnd + 2;
    }
    else if (bRequireDeclaration)
    {
        return NULL;
    }

    if (!SkipComments(pszCursor))
        return NULL;
    if (XmlMatch(pszCursor, L"<!DOCTYPE"))
    {
        LPCWSTR pszEnd = wcschr(pszCursor, L'>');
        if (!pszEnd)
            return NULL;
        pszCursor = pszEnd + 1;
    }
    if (!SkipComments(pszCursor))
        return NULL;

    // The document's nodes take about as many bytes as its text: the first block is sized so,
    // and the arena goes with the last node.
    CXmlArena* pArena = CXmlArena::Create(wcslen(pszCursor) * sizeof(wchar_t));
    std::unique_ptr<CXmlElement> pRoot(new (*pArena) CXmlElement(NULL));
    if (!pRoot->Parse(pszText, pszCursor, 1))
        return NULL;
    // Whatever follows the root element is ignored.
    return pRoot.release();
}
} // namespace

CXmlElement* XmlParseDocument(LPCWSTR pszText, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!pszText)
        return NULL;

    // Every step leaves the cursor where it stopped, which is where a failure is reported.
    LPCWSTR pszCursor = pszText;
    try
    {
        CXmlElement* pRoot = ParseDocument(pszText, pszCursor, bRequireDeclaration);
        if (!pRoot && pnErrorOffset)
            *pnErrorOffset = (int)(SkipTokenSpace(pszCursor) - pszText);
        return pRoot;
    }
    catch (const std::exception&)
    {
        return NULL;
    }
}

CXmlElement* XmlLoadFromBytes(const BYTE* pData, UINT nLength, BOOL bRequireDeclaration, int* pnErrorOffset)
{
    if (pnErrorOffset)
        *pnErrorOffset = -1;
    if (!pData || nLength == 0 || nLength > INT_MAX)
        return NULL;

    // Every conversion gives at most one character per byte; the text ends with a NUL.
    CKeptBuffer buffer(g_keptSlots.pText, (size_t)nLength + 1, sizeof(wchar_t));
    LPWSTR pszText = (LPWSTR)buffer.Get();
    if (!pszText)
        return NULL;
    int nChars;
    if (nLength >= 2 && pData[0] == 0xFE && pData[1] == 0xFF)
    {
        // A trailing odd byte is ignored.
        nChars = (int)(nLength / 2) - 1;
        const BYTE* pSource = pData + 2;
        for (int n = 0; n < nChars; n++, pSource += 2)
            pszText[n] = (wchar_t)((pSource[0] << 8) | pSource[1]);
    }
    else if (nLength >= 2 && pData[0] == 0xFF && pData[1] == 0xFE)
    {
        nChars = (int)(nLength / 2) - 1;
        memcpy(pszText, pData + 2, nChars * sizeof(wchar_t));
    }
    else
    {
        // Without a byte-order mark the text is always UTF-8.
        if (nLength >= 3 && pData[0] == 0xEF && pData[1] == 0xBB && pData[2] == 0xBF)
        {
            pData += 3;
            nLength -= 3;
        }
        nChars = MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)pData, (int)nLength, pszText, (int)nLength);
        if (nChars <= 0)
            return NULL;
    }
    pszText[nChars] = L'\0';
    return XmlParseDocument(pszText, bRequireDeclaration, pnErrorOffset);
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
