#include "CXmlReader.h"
#include "CXmlArena.h"
#include <memory>
#include <string.h>
#include <wctype.h>

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

const CAsciiClasses g_ascii;

// The four characters that separate tokens; other white space is significant there.
inline bool IsTokenSpace(unsigned ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

inline unsigned UnitOf(BYTE ch)
{
    return ch;
}

inline unsigned UnitOf(wchar_t ch)
{
    return ch;
}

// The character at p, of at least 0x80, and the code units it takes. UTF-8 text reaches the
// parser well formed and within the Basic Multilingual Plane, so each sequence is one
// character of two or three bytes, never cut by the end of a run.
inline wchar_t DecodeAt(const BYTE* p, int& nUnits)
{
    if (p[0] < 0xE0)
    {
        nUnits = 2;
        return (wchar_t)(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
    }
    nUnits = 3;
    return (wchar_t)(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
}

inline wchar_t DecodeAt(const wchar_t* p, int& nUnits)
{
    nUnits = 1;
    return *p;
}

// The bit patterns of the zero-lane test for each code unit: a one in every lane, the top bit
// of every lane, and the shift from a bit's index to its lane's.
template <class TChar> struct CLanes;
template <> struct CLanes<BYTE>
{
    static const UINT64 ONES = 0x0101010101010101ull, HIGHS = 0x8080808080808080ull;
    static const int SHIFT = 3;
};
template <> struct CLanes<wchar_t>
{
    static const UINT64 ONES = 0x0001000100010001ull, HIGHS = 0x8000800080008000ull;
    static const int SHIFT = 4;
};

// The first ch at or after p, or null. Eight bytes are tested at a time: the lowest lane that
// equals ch is the lowest set bit of the classic zero-lane test.
template <class TChar> const TChar* Find(const TChar* p, const TChar* pEnd, unsigned ch)
{
    const ptrdiff_t PER_WORD = 8 / sizeof(TChar);
    const UINT64 nPattern = CLanes<TChar>::ONES * ch;
    for (; pEnd - p >= PER_WORD; p += PER_WORD)
    {
        UINT64 nWord;
        memcpy(&nWord, p, 8);
        nWord ^= nPattern;
        UINT64 nZero = (nWord - CLanes<TChar>::ONES) & ~nWord & CLanes<TChar>::HIGHS;
        if (nZero)
            return p + (__builtin_ctzll(nZero) >> CLanes<TChar>::SHIFT);
    }
    for (; p < pEnd; p++)
    {
        if (*p == ch)
            return p;
    }
    return NULL;
}

// UTF-16 characters in the UTF-8 text [p, pEnd): one per byte that does not continue a sequence.
size_t CountChars(const BYTE* const pStart, const BYTE* pEnd)
{
    const BYTE* p = pStart;
    size_t nContinuing = 0;
    for (; pEnd - p >= 8; p += 8)
    {
        UINT64 nWord;
        memcpy(&nWord, p, 8);
        // Bytes 10xxxxxx: the top bit set and the next one clear, one flag per byte.
        UINT64 nFlags = (nWord & ~(nWord << 1) & 0x8080808080808080ull) >> 7;
        nContinuing += (size_t)((nFlags * 0x0101010101010101ull) >> 56);
    }
    for (const BYTE* pByte = p; pByte < pEnd; pByte++)
        nContinuing += (*pByte & 0xC0) == 0x80;
    return (size_t)(pEnd - pStart) - nContinuing;
}

struct CEntity
{
    const char* pszName;    // lower case, after the '&', with its ';'
    int nLength;
    wchar_t chValue;
};

const CEntity g_aEntities[] =
{
    { "amp;", 4, L'&' },
    { "lt;", 3, L'<' },
    { "gt;", 3, L'>' },
    { "quot;", 5, L'"' },
    { "apos;", 5, L'\'' },
    { "nbsp;", 5, L' ' },
};

// The entity spelled at p, compared without regard to the case of ASCII letters and only
// within [p, pEnd); null when there is none.
template <class CHAR>
const CEntity* MatchEntity(const CHAR* p, const CHAR* pEnd)
{
    for (const CEntity& entity : g_aEntities)
    {
        if (pEnd - p < entity.nLength)
            continue;
        int n = 0;
        for (; n < entity.nLength; n++)
        {
            unsigned ch = UnitOf(p[n]);
            if (ch >= 'A' && ch <= 'Z')
                ch += 'a' - 'A';
            if (ch != (unsigned)entity.pszName[n])
                break;
        }
        if (n == entity.nLength)
            return &entity;
    }
    return NULL;
}

inline bool IsDigit(unsigned ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

template <class CHAR>
CXmlReader<CHAR>::CXmlReader(const CHAR* pText, const CHAR* pEnd)
    : m_pText(pText), m_pEnd(pEnd), m_pCursor(pText), m_pArena(NULL), m_pCounted(pText), m_nCounted(0)
{
    memset(m_apszNames, 0, sizeof(m_apszNames));
}

template <class CHAR>
int CXmlReader<CHAR>::OffsetOf(const CHAR* p)
{
    if (sizeof(CHAR) == sizeof(wchar_t))
        return (int)(p - m_pText);
    if (p < m_pCounted)
    {
        m_pCounted = m_pText;
        m_nCounted = 0;
    }
    m_nCounted += (int)CountChars((const BYTE*)m_pCounted, (const BYTE*)p);
    m_pCounted = p;
    return m_nCounted;
}

template <class CHAR>
int CXmlReader<CHAR>::StopOffset()
{
    return OffsetOf(SkipSpace(m_pCursor));
}

template <class CHAR>
const CHAR* CXmlReader<CHAR>::SkipSpace(const CHAR* p) const
{
    while (p < m_pEnd && IsTokenSpace(UnitOf(*p)))
        p++;
    return p;
}

template <class CHAR>
bool CXmlReader<CHAR>::Match(const char* pszLiteral, size_t nLength)
{
    const CHAR* p = SkipSpace(m_pCursor);
    if ((size_t)(m_pEnd - p) < nLength)
        return false;
    for (size_t n = 0; n < nLength; n++)
    {
        if (UnitOf(p[n]) != (unsigned)(BYTE)pszLiteral[n])
            return false;
    }
    m_pCursor = p + nLength;
    return true;
}

template <class CHAR>
const CHAR* CXmlReader<CHAR>::FindLiteral(const CHAR* p, const char* pszLiteral, size_t nLength) const
{
    while ((p = Find(p, m_pEnd, (BYTE)pszLiteral[0])) != NULL)
    {
        if ((size_t)(m_pEnd - p) < nLength)
            return NULL;
        size_t n = 1;
        while (n < nLength && UnitOf(p[n]) == (unsigned)(BYTE)pszLiteral[n])
            n++;
        if (n == nLength)
            return p;
        p++;
    }
    return NULL;
}

template <class CHAR>
bool CXmlReader<CHAR>::SkipComments()
{
    while (Match("<!--", 4))
    {
        const CHAR* pEnd = FindLiteral(m_pCursor, "-->", 3);
        if (!pEnd)
            return false;
        m_pCursor = pEnd + 3;
    }
    return true;
}

template <class CHAR>
CXmlElement* CXmlReader<CHAR>::ReadDocument(BOOL bRequireDeclaration)
{
    // Only this exact opening is taken as a declaration.
    if (Match("<?xml version=\"", 15))
    {
        const CHAR* pEnd = FindLiteral(m_pCursor, "?>", 2);
        if (!pEnd)
            return NULL;
        m_pCursor = pEnd + 2;
    }
    else if (bRequireDeclaration)
    {
        return NULL;
    }

    if (!SkipComments())
        return NULL;
    if (Match("<!DOCTYPE", 9))
    {
        const CHAR* pEnd = Find(m_pCursor, m_pEnd, '>');
        if (!pEnd)
            return NULL;
        m_pCursor = pEnd + 1;
    }
    if (!SkipComments())
        return NULL;

    // A tree takes about three bytes for each character of its text: the first block is sized
    // so, and whatever it does not use is never touched.
    m_pArena = CXmlArena::Create((size_t)(m_pEnd - m_pCursor) * 3);
    std::unique_ptr<CXmlElement> pRoot(CXmlElement::NewRoot(*m_pArena));
    if (!ReadElements(pRoot.get(), 1))
        return NULL;
    // Whatever follows the root element is ignored.
    return pRoot.release();
}

template <class CHAR>
bool CXmlReader<CHAR>::ReadElements(CXmlElement* pRoot, int nDepth)
{
    CFrame frame;
    TagResult result = ReadStartTag(pRoot, nDepth, frame);
    if (result != TAG_OPEN)
        return result == TAG_EMPTY;
    m_frames.clear();
    m_frames.push_back(frame);

    // The content of the innermost open element, until the root's closing tag.
    while (m_pCursor < m_pEnd)
    {
        CFrame& top = m_frames.back();
        const CHAR* pTag = Find(m_pCursor, m_pEnd, '<');
        if (!pTag)
            return false;

        // CDATA is recognised only where the content continues with it, white space aside:
        // at its start, after a child, a comment or another section, never after text.
        while (Match("<![CDATA[", 9))
        {
            const CHAR* pClose = FindLiteral(m_pCursor, "]]>", 3);
            if (!pClose)
                return false;
            AppendText(top, pClose);
            m_pCursor = pClose + 3;
            pTag = m_pCursor;
        }

        if (pTag > m_pCursor)
        {
            AppendText(top, pTag);
            // A reference the decoder refused stops it short of the tag.
            if (m_pCursor != pTag)
                return false;
        }

        if (MatchClosingTag(top))
        {
            FinishText(top);
            m_frames.pop_back();
            if (m_frames.empty())
                return true;
            continue;
        }

        if (Match("<!--", 4))
        {
            const CHAR* pEnd = FindLiteral(m_pCursor, "-->", 3);
            if (!pEnd)
                return false;
            m_pCursor = pEnd + 3;
            continue;
        }

        CXmlElement* pChild = new (*m_pArena) CXmlElement(top.pElement);
        result = ReadStartTag(pChild, nDepth + (int)m_frames.size(), frame);
        if (result == TAG_FAILED)
            return false;
        CXmlChildList& children = top.pElement->m_listChildren;
        if (top.pLastChild)
            top.pLastChild->m_pNextSibling = pChild;
        else
            children.m_pHead = pChild;
        top.pLastChild = pChild;
        children.m_nCount++;
        if (result == TAG_OPEN)
            m_frames.push_back(frame);
    }
    // The text ended before the root's closing tag.
    return false;
}

template <class CHAR>
typename CXmlReader<CHAR>::TagResult CXmlReader<CHAR>::ReadStartTag(CXmlElement* pElement, int nDepth, CFrame& frame)
{
    if (nDepth > XML_MAX_DEPTH)
        return TAG_FAILED;
    pElement->m_nOffset = OffsetOf(SkipSpace(m_pCursor));
    const CHAR* pName;
    if (!Match("<", 1) || !ReadName(pElement->m_strName, pName))
        return TAG_FAILED;
    frame.pElement = pElement;
    frame.pName = pName;
    frame.nNameLength = (size_t)(m_pCursor - pName);
    frame.pLastChild = NULL;
    frame.pszText = NULL;
    frame.nTextLength = frame.nTextRoom = 0;
    if (Match(">", 1))
        return TAG_OPEN;

    int nCount = 0;
    TagResult result;
    for (;;)
    {
        if (Match("/", 1))
        {
            result = Match(">", 1) ? TAG_EMPTY : TAG_FAILED;
            break;
        }
        if (m_pCursor == m_pEnd)
            return TAG_FAILED;

        CPendingAttribute& attribute = m_aAttributes[nCount];
        if (!ReadAttribute(attribute))
            return TAG_FAILED;
        // The last of duplicate attributes wins, whatever the case of its name.
        const UINT nHash = CXmlAttributeMap::HashOf(attribute.strName);
        int nSame = 0;
        while (nSame < nCount
               && (CXmlAttributeMap::HashOf(m_aAttributes[nSame].strName) != nHash
                   || !CXmlAttributeMap::SameName(m_aAttributes[nSame].strName, m_aAttributes[nSame].strName.GetLength(),
                                                  attribute.strName, attribute.strName.GetLength())))
            nSame++;
        if (nSame < nCount)
            m_aAttributes[nSame] = attribute;
        else if (nCount == XML_MAX_ATTRIBUTES)
            return TAG_FAILED;
        else
            nCount++;

        if (Match(">", 1))
        {
            result = TAG_OPEN;
            break;
        }
    }
    if (result != TAG_FAILED && nCount > 0)
        StoreAttributes(pElement, nCount);
    return result;
}

template <class CHAR>
void CXmlReader<CHAR>::StoreAttributes(CXmlElement* pElement, int nCount)
{
    CXmlAttribute* pAttributes = (CXmlAttribute*)m_pArena->Alloc(sizeof(CXmlAttribute) * nCount);
    for (int n = 0; n < nCount; n++)
    {
        CXmlAttribute* pAttribute = ::new (pAttributes + n) CXmlAttribute(pElement);
        pAttribute->m_strName = m_aAttributes[n].strName;
        pAttribute->m_strValue = m_aAttributes[n].strValue;
        pAttribute->m_nOffset = m_aAttributes[n].nOffset;
    }
    pElement->m_mapAttributes.m_pAttributes = pAttributes;
    pElement->m_mapAttributes.m_nCount = nCount;
}

template <class CHAR>
bool CXmlReader<CHAR>::ReadAttribute(CPendingAttribute& attribute)
{
    attribute.nOffset = OffsetOf(SkipSpace(m_pCursor));
    const CHAR* pName;
    if (!ReadName(attribute.strName, pName) || !Match("=", 1))
        return false;

    const char* pszQuote;
    if (Match("\"", 1))
        pszQuote = "\"";
    else if (Match("'", 1))
        pszQuote = "'";
    else
        return false;

    const CHAR* pClose = Find(m_pCursor, m_pEnd, (BYTE)*pszQuote);
    if (!pClose)
        return false;
    attribute.strValue = ReadValue(pClose);
    // A reference the decoder refused leaves the cursor short of the quote, which fails here.
    return Match(pszQuote, 1);
}

template <class CHAR>
bool CXmlReader<CHAR>::ReadName(CXmlString& strName, const CHAR*& pName)
{
    const CHAR* const pStart = SkipSpace(m_pCursor);
    const CHAR* p = pStart;
    size_t nChars = 0;
    while (p < m_pEnd)
    {
        unsigned ch = UnitOf(*p);
        if (ch < 0x80)
        {
            if (!(g_ascii.m_aClass[ch] & CHAR_NAME))
                break;
            p++;
        }
        else
        {
            int nUnits;
            if (!iswalnum(DecodeAt(p, nUnits)))
                break;
            p += nUnits;
        }
        nChars++;
    }
    if (p == pStart)
        return false;
    strName = Intern(pStart, p, nChars);
    pName = pStart;
    m_pCursor = p;
    return true;
}

template <class CHAR>
CXmlString CXmlReader<CHAR>::Intern(const CHAR* pName, const CHAR* pNameEnd, size_t nChars)
{
    // The name's key hash goes before its length.
    const size_t nPrefix = 2 * sizeof(UINT);
    LPWSTR psz = m_pArena->ReserveText(nChars, nPrefix);
    LPWSTR pszOut = psz;
    for (const CHAR* p = pName; p < pNameEnd;)
    {
        int nUnits = 1;
        *pszOut++ = UnitOf(*p) < 0x80 ? (wchar_t)UnitOf(*p) : DecodeAt(p, nUnits);
        p += nUnits;
    }
    const UINT nHash = CXmlAttributeMap::HashName(psz, (int)nChars);
    LPCWSTR& pszSlot = m_apszNames[nHash % NAME_SLOTS];
    if (pszSlot && (size_t)((const int*)pszSlot)[-1] == nChars && wmemcmp(pszSlot, psz, nChars) == 0)
    {
        m_pArena->UndoText(psz, nPrefix);
        return CXmlString::FromStorage(pszSlot);
    }
    ((UINT*)psz)[-2] = nHash;
    ((int*)psz)[-1] = (int)nChars;
    psz[nChars] = L'\0';
    pszSlot = psz;
    return CXmlString::FromStorage(psz);
}

template <class CHAR>
CXmlString CXmlReader<CHAR>::ReadValue(const CHAR* pRunEnd)
{
    if (m_pCursor >= pRunEnd)
        return CXmlString();
    // Every code unit of the text gives at most one character.
    LPWSTR psz = m_pArena->ReserveText((size_t)(pRunEnd - m_pCursor), CXmlString::PREFIX_BYTES);
    size_t nLength = (size_t)(Decode(pRunEnd, psz) - psz);
    if (nLength == 0)
    {
        m_pArena->UndoText(psz, CXmlString::PREFIX_BYTES);
        return CXmlString();
    }
    m_pArena->TrimText(psz, nLength);
    ((int*)psz)[-1] = (int)nLength;
    psz[nLength] = L'\0';
    return CXmlString::FromStorage(psz);
}

// Text runs and CDATA sections of one element are joined with a single space.
template <class CHAR>
void CXmlReader<CHAR>::AppendText(CFrame& frame, const CHAR* pRunEnd)
{
    const bool bSeparate = frame.nTextLength > 0 && frame.pszText[frame.nTextLength - 1] != L' ';
    if (!bSeparate)
    {
        // Leading white space writes nothing: the indentation between children stops here.
        const CHAR* p = SkipDecodeSpace(m_pCursor, pRunEnd);
        if (p == pRunEnd)
        {
            m_pCursor = p;
            return;
        }
    }

    const size_t nNeed = frame.nTextLength + (bSeparate ? 1 : 0) + (size_t)(pRunEnd - m_pCursor);
    const bool bFirst = frame.pszText == NULL;
    if (nNeed > frame.nTextRoom)
    {
        if (!bFirst && m_pArena->ExtendText(frame.pszText, frame.nTextRoom, nNeed))
        {
            frame.nTextRoom = nNeed;
        }
        else
        {
            // Text that has to move gets twice the room, so that an element whose text runs
            // alternate with children copies its text a bounded number of times.
            size_t nRoom = bFirst || nNeed > 2 * frame.nTextRoom ? nNeed : 2 * frame.nTextRoom;
            LPWSTR psz = m_pArena->ReserveText(nRoom, CXmlString::PREFIX_BYTES);
            if (frame.nTextLength)
                wmemcpy(psz, frame.pszText, frame.nTextLength);
            frame.pszText = psz;
            frame.nTextRoom = nRoom;
        }
    }
    if (bSeparate)
        frame.pszText[frame.nTextLength++] = L' ';
    frame.nTextLength = (size_t)(Decode(pRunEnd, frame.pszText + frame.nTextLength) - frame.pszText);
    if (bFirst)
    {
        // Most elements have one run of text: its room ends with it.
        m_pArena->TrimText(frame.pszText, frame.nTextLength);
        frame.nTextRoom = frame.nTextLength;
    }
}

template <class CHAR>
void CXmlReader<CHAR>::FinishText(CFrame& frame)
{
    if (!frame.pszText)
        return;
    if (m_pArena->IsLastText(frame.pszText, frame.nTextRoom))
        m_pArena->TrimText(frame.pszText, frame.nTextLength);
    ((int*)frame.pszText)[-1] = (int)frame.nTextLength;
    frame.pszText[frame.nTextLength] = L'\0';
    frame.pElement->m_strValue = CXmlString::FromStorage(frame.pszText);
}

template <class CHAR>
const CHAR* CXmlReader<CHAR>::SkipDecodeSpace(const CHAR* p, const CHAR* pRunEnd) const
{
    while (p < pRunEnd)
    {
        unsigned ch = UnitOf(*p);
        if (ch < 0x80)
        {
            if (!(g_ascii.m_aClass[ch] & CHAR_SPACE))
                break;
            p++;
        }
        else
        {
            int nUnits;
            if (!iswspace(DecodeAt(p, nUnits)))
                break;
            p += nUnits;
        }
    }
    return p;
}

// Decodes the run from the cursor to pRunEnd into pszOut: white space folded, entities and
// decimal references replaced. Nothing past the run is read. Stops early, short of the run's
// end, at a reference that is not decimal. Returns the end of what it wrote.
template <class CHAR>
LPWSTR CXmlReader<CHAR>::Decode(const CHAR* pRunEnd, LPWSTR pszOut)
{
    const CHAR* p = m_pCursor;
    LPWSTR const pszOutStart = pszOut;
    while (p < pRunEnd)
    {
        unsigned ch = UnitOf(*p);
        int nUnits = 1;
        if (ch < 0x80)
        {
            const BYTE nClass = g_ascii.m_aClass[ch];
            if (!(nClass & (CHAR_SPACE | CHAR_AMPERSAND)))
            {
                *pszOut++ = (wchar_t)ch;
                p++;
                continue;
            }
        }
        else
        {
            wchar_t chWide = DecodeAt(p, nUnits);
            if (!iswspace(chWide))
            {
                *pszOut++ = chWide;
                p += nUnits;
                continue;
            }
        }

        if (ch != '&')
        {
            // White space: leading runs write nothing, others one space.
            if (pszOut != pszOutStart)
                *pszOut++ = L' ';
            p = SkipDecodeSpace(p + nUnits, pRunEnd);
            continue;
        }

        if (++p == pRunEnd)
            break;
        if (const CEntity* pEntity = MatchEntity(p, pRunEnd))
        {
            *pszOut++ = pEntity->chValue;
            p += pEntity->nLength;
            continue;
        }
        if (UnitOf(*p) != '#')
        {
            // An unknown entity stays as written.
            *pszOut++ = L'&';
            continue;
        }
        if (++p == pRunEnd)
            break;
        // Only decimal references are understood; anything else ends the run here, short of
        // its end, which the caller treats as a malformed document.
        if (!IsDigit(UnitOf(*p)))
            break;
        unsigned long nCode = 0;
        while (p < pRunEnd && IsDigit(UnitOf(*p)))
            nCode = nCode * 10 + (unsigned long)(UnitOf(*p++) - '0');
        *pszOut++ = (wchar_t)(nCode & 0xFFFF);
        // Whatever follows the number up to its ';' is dropped, to the end of the run without one.
        while (p < pRunEnd && UnitOf(*p) != ';')
            p++;
        if (p < pRunEnd)
            p++;
    }
    m_pCursor = p;
    return pszOut;
}

template <class CHAR>
bool CXmlReader<CHAR>::MatchClosingTag(const CFrame& frame)
{
    const CHAR* p = SkipSpace(m_pCursor);
    const size_t nName = frame.nNameLength;
    if ((size_t)(m_pEnd - p) < nName + 3 || UnitOf(p[0]) != '<' || UnitOf(p[1]) != '/'
        || memcmp(p + 2, frame.pName, nName * sizeof(CHAR)) != 0 || UnitOf(p[2 + nName]) != '>')
        return false;
    m_pCursor = p + nName + 3;
    return true;
}

template class CXmlReader<BYTE>;
template class CXmlReader<wchar_t>;
