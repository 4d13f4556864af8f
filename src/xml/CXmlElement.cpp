#include "CXmlElement.h"
#include "CXmlArena.h"
#include <CMap.h>

namespace
{

// The word before each element: its arena, with the low bit set while the element owns a share.
const UINT_PTR OWNER_BIT = 1;
const size_t HEADER_BYTES = sizeof(void*);

UINT_PTR& HeaderOf(void* pElement)
{
    return *(UINT_PTR*)((BYTE*)pElement - HEADER_BYTES);
}

// The lower case of one character, as CharLowerW gives it for a string holding it.
inline wchar_t LowerChar(wchar_t ch)
{
    if (ch < 0x80)
        return ch >= L'A' && ch <= L'Z' ? (wchar_t)(ch + (L'a' - L'A')) : ch;
    CharLowerBuffW(&ch, 1);
    return ch;
}

} // namespace

CXmlElement* CXmlChildList::GetTail() const
{
    CXmlElement* pElement = m_pHead;
    while (pElement && pElement->m_pNextSibling)
        pElement = pElement->m_pNextSibling;
    return pElement;
}

POSITION CXmlChildList::FindIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CXmlElement* pElement = m_pHead;
    while (nIndex--)
        pElement = pElement->m_pNextSibling;
    return (POSITION)pElement;
}

void CXmlChildList::RemoveAt(POSITION position)
{
    CXmlElement* pChild = (CXmlElement*)position;
    if (!pChild)
        return;
    CXmlElement** ppLink = &m_pHead;
    while (*ppLink && *ppLink != pChild)
        ppLink = &(*ppLink)->m_pNextSibling;
    if (!*ppLink)
        return;
    *ppLink = pChild->m_pNextSibling;
    m_nCount--;
    pChild->m_pNextSibling = NULL;
    pChild->m_pParent = NULL;
    pChild->TakeShare();
}

CXmlElement* CXmlChildList::RemoveHead()
{
    CXmlElement* pHead = m_pHead;
    RemoveAt((POSITION)pHead);
    return pHead;
}

CXmlAttribute* CXmlAttributeMap::Lookup(LPCWSTR pszName) const
{
    if (!m_nCount)
        return NULL;
    if (!pszName)
        pszName = L"";
    const int nLength = (int)wcslen(pszName);
    const UINT nHash = HashName(pszName, nLength);
    for (int n = 0; n < m_nCount; n++)
    {
        const CXmlString& strName = m_pAttributes[n].m_strName;
        if (HashOf(strName) == nHash && SameName(strName, strName.GetLength(), pszName, nLength))
            return &m_pAttributes[n];
    }
    return NULL;
}

void CXmlAttributeMap::GetNextAssoc(POSITION& rPosition, CString& strKey, CXmlAttribute*& pAttribute) const
{
    pAttribute = (CXmlAttribute*)rPosition;
    strKey = pAttribute->m_strName.Copy();
    strKey.MakeLower();
    rPosition = pAttribute + 1 < m_pAttributes + m_nCount ? (POSITION)(pAttribute + 1) : NULL;
}

UINT CXmlAttributeMap::HashName(LPCWSTR pszName, int nLength)
{
    // FNV-1a over the lower-cased characters, then mixed.
    UINT nHash = 2166136261u ^ AfxGetHashSeed();
    for (int n = 0; n < nLength; n++)
        nHash = (nHash ^ (UINT)LowerChar(pszName[n])) * 16777619u;
    return AfxHashMix(nHash);
}

bool CXmlAttributeMap::SameName(LPCWSTR pszA, int nLengthA, LPCWSTR pszB, int nLengthB)
{
    if (nLengthA != nLengthB)
        return false;
    for (int n = 0; n < nLengthA; n++)
    {
        if (pszA[n] != pszB[n] && LowerChar(pszA[n]) != LowerChar(pszB[n]))
            return false;
    }
    return true;
}

CXmlElement::CXmlElement(CXmlElement* pParent)
    : CXmlNode(XML_ELEMENT, pParent), m_pNextSibling(NULL)
{
}

void* CXmlElement::operator new(size_t nSize, CXmlArena& arena)
{
    BYTE* pBlock = (BYTE*)arena.Alloc(HEADER_BYTES + nSize);
    *(UINT_PTR*)pBlock = (UINT_PTR)&arena;
    return pBlock + HEADER_BYTES;
}

void CXmlElement::operator delete(void*, CXmlArena&)
{
    // A constructor that throws leaves its bytes to the arena.
}

void CXmlElement::operator delete(void* p, size_t)
{
    if (!p)
        return;
    UINT_PTR nHeader = HeaderOf(p);
    if (nHeader & OWNER_BIT)
        ((CXmlArena*)(nHeader & ~OWNER_BIT))->ReleaseOwner();
}

CXmlElement* CXmlElement::NewRoot(CXmlArena& arena)
{
    CXmlElement* pRoot = new (arena) CXmlElement(NULL);
    HeaderOf(pRoot) |= OWNER_BIT;
    return pRoot;
}

void CXmlElement::TakeShare()
{
    UINT_PTR& nHeader = HeaderOf(this);
    if (nHeader & OWNER_BIT)
        return;
    ((CXmlArena*)nHeader)->AddOwner();
    nHeader |= OWNER_BIT;
}

CXmlAttribute* CXmlElement::GetAttribute(LPCWSTR pszName) const
{
    return m_mapAttributes.Lookup(pszName);
}

CString CXmlElement::GetAttributeValue(LPCWSTR pszName, LPCWSTR pszDefault) const
{
    if (CXmlAttribute* pAttribute = GetAttribute(pszName))
        return pAttribute->m_strValue.Copy();
    return CString(pszDefault);
}

BOOL CXmlElement::IsNamed(LPCWSTR pszName) const
{
    return m_strName.CompareNoCase(pszName) == 0;
}
