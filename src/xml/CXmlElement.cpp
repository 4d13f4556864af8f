#include "CXmlElement.h"
#include "XML.h"
#include "CXmlArena.h"
#include <memory>

namespace
{

// Most elements carry one or two attributes. The bucket table shares its allocation with the
// first association and later ones come singly: larger blocks were measured to cost more in
// memory touched than they save in allocations.
const int ATTRIBUTE_BLOCK_SIZE = 1;

// The map key of an attribute name: its lower case as CharLowerW gives it. ASCII names, nearly
// all of them, are converted here, without a call per name.
void MakeAttributeKey(LPCWSTR pszName, CString& strKey)
{
    int nLength = (int)wcslen(pszName);
    LPWSTR pszKey = strKey.GetBufferSetLength(nLength);
    BOOL bAscii = TRUE;
    for (int n = 0; n < nLength; n++)
    {
        wchar_t ch = pszName[n];
        if (ch >= L'A' && ch <= L'Z')
            ch += L'a' - L'A';
        else if (ch >= 0x80)
            bAscii = FALSE;
        pszKey[n] = ch;
    }
    strKey.ReleaseBuffer(nLength);
    if (!bAscii)
        strKey.MakeLower();
}

} // namespace

CXmlChildList::~CXmlChildList()
{
    // A large tree is deleted long after it was built, out of cache: each node to be deleted
    // next is fetched while the current one goes.
    for (POSITION pos = GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = GetNext(pos);
        if (pos)
            __builtin_prefetch(GetAt(pos));
        delete pChild;
    }
}

CXmlAttributeMap::~CXmlAttributeMap()
{
    for (auto* pPair = PGetFirstAssoc(); pPair;)
    {
        CXmlAttribute* pAttribute = pPair->value;
        pPair = PGetNextAssoc(pPair);
        if (pPair)
            __builtin_prefetch(pPair->value);
        delete pAttribute;
    }
}

CXmlElement::CXmlElement(CXmlElement* pParent)
    : CXmlNode(XML_ELEMENT, pParent), m_mapAttributes(ATTRIBUTE_BLOCK_SIZE)
{
    m_mapAttributes.InitHashTable(17, FALSE);
}

CXmlAttribute* CXmlElement::GetAttribute(LPCWSTR pszName) const
{
    if (m_mapAttributes.IsEmpty())
        return NULL;
    CString strKey;
    MakeAttributeKey(pszName ? pszName : L"", strKey);
    const auto* pPair = m_mapAttributes.PLookup(strKey);
    return pPair ? pPair->value : NULL;
}

CString CXmlElement::GetAttributeValue(LPCWSTR pszName, LPCWSTR pszDefault) const
{
    if (CXmlAttribute* pAttribute = GetAttribute(pszName))
        return pAttribute->m_strValue;
    return CString(pszDefault);
}

BOOL CXmlElement::IsNamed(LPCWSTR pszName) const
{
    return m_strName.CompareNoCase(pszName) == 0;
}

BOOL CXmlElement::Parse(LPCWSTR pszText, LPCWSTR& pszCursor, int nDepth)
{
    if (nDepth > XML_MAX_DEPTH)
        return FALSE;
    m_nOffset = (int)(XmlSkipSpace(pszCursor) - pszText);
    if (!XmlMatch(pszCursor, L"<") || !XmlReadName(pszCursor, m_strName))
        return FALSE;

    BOOL bEmpty = FALSE;
    if (!ParseAttributes(pszText, pszCursor, bEmpty))
        return FALSE;
    if (bEmpty)
        return TRUE;

    while (*pszCursor)
    {
        LPCWSTR pszTag = wcschr(pszCursor, L'<');
        if (!pszTag)
            return FALSE;

        // CDATA is recognised only where the content continues with it, white space aside:
        // at its start, after a child, a comment or another section, never after text.
        while (XmlMatch(pszCursor, L"<![CDATA["))
        {
            LPCWSTR pszClose = wcsstr(pszCursor, L"]]>");
            if (!pszClose)
                return FALSE;
            AppendText(pszCursor, (int)(pszClose - pszCursor));
            pszCursor = pszClose + 3;
            pszTag = pszCursor;
        }

        if (pszTag > pszCursor)
        {
            AppendText(pszCursor, (int)(pszTag - pszCursor));
            if (pszCursor != pszTag)
                return FALSE;
        }

        if (XmlMatchClosingTag(pszCursor, m_strName))
            return TRUE;

        if (XmlMatch(pszCursor, L"<!--"))
        {
            LPCWSTR pszEnd = wcsstr(pszCursor, L"-->");
            if (!pszEnd)
                return FALSE;
            pszCursor = pszEnd + 3;
            continue;
        }

        std::unique_ptr<CXmlElement> pChild(NewNode<CXmlElement>());
        if (!pChild->Parse(pszText, pszCursor, nDepth + 1))
            return FALSE;
        m_listChildren.AddTail(pChild.get());
        pChild.release();
    }
    return FALSE;
}

BOOL CXmlElement::ParseAttributes(LPCWSTR pszText, LPCWSTR& pszCursor, BOOL& bEmpty)
{
    if (XmlMatch(pszCursor, L">"))
        return TRUE;

    CString strKey;
    do
    {
        if (XmlMatch(pszCursor, L"/"))
        {
            bEmpty = TRUE;
            return XmlMatch(pszCursor, L">");
        }
        if (!*pszCursor)
            return FALSE;

        std::unique_ptr<CXmlAttribute> pAttribute(NewNode<CXmlAttribute>());
        if (!pAttribute->Parse(pszText, pszCursor))
            return FALSE;

        // The last of duplicate attributes wins, whatever the case of their names.
        MakeAttributeKey(pAttribute->m_strName, strKey);
        if (m_mapAttributes.GetCount() >= XML_MAX_ATTRIBUTES && !m_mapAttributes.PLookup(strKey))
            return FALSE;
        CXmlAttribute*& pSlot = m_mapAttributes[strKey];
        delete pSlot;
        pSlot = pAttribute.release();
    }
    while (!XmlMatch(pszCursor, L">"));
    return TRUE;
}

// Text runs and CDATA sections of one element are joined with a single space.
void CXmlElement::AppendText(LPCWSTR& pszCursor, int nCount)
{
    int nLength = m_strValue.GetLength();
    if (nLength > 0 && m_strValue[nLength - 1] != L' ')
        m_strValue += L' ';
    XmlDecodeText(pszCursor, nCount, m_strValue);
}
