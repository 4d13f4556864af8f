#include "CXmlReader.h"
#include "CXmlArena.h"
#include "XmlCharacters.h"
#include <memory>

using namespace XmlCharacters;

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
