// An element of a parsed skin definition: its children in document order, its attributes by
// name without regard to case, and its text. The root element is the document: deleting it
// frees every node of the document at once, except the parts a user unlinked and still keeps.
#pragma once
#include "CXmlNode.h"
#include "CXmlAttribute.h"

class CXmlArena;
template <class CHAR> class CXmlReader;

// Elements nest at most this deep (the root is level 1). Real skins stay within a dozen levels;
// the bound keeps a hostile document of nested tags from making the parser's stack of open
// elements, and any reader walking the tree recursively, go deep.
const int XML_MAX_DEPTH = 256;
// An element holds at most this many distinct attributes; one with more fails the parse. Real
// elements carry a handful; the bound keeps each attribute's lookup short whatever names a
// document chooses.
const int XML_MAX_ATTRIBUTES = 64;

// Child elements in document order, linked through the children themselves.
class CXmlChildList
{
public:
    CXmlChildList() : m_pHead(NULL), m_nCount(0) {}

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    CXmlElement* GetHead() const { return m_pHead; }
    // Walks the list: only its head is kept.
    CXmlElement* GetTail() const;

    POSITION GetHeadPosition() const { return (POSITION)m_pHead; }
    CXmlElement* GetNext(POSITION& rPosition) const;
    CXmlElement* GetAt(POSITION position) const { return (CXmlElement*)position; }
    // Null when there is no such child.
    POSITION FindIndex(int nIndex) const;

    // Unlinks a child, which its caller owns and deletes from then on: it becomes the root of
    // its own part of the document (its parent null), which stays as long as it does.
    void RemoveAt(POSITION position);
    CXmlElement* RemoveHead();

private:
    template <class CHAR> friend class CXmlReader;
    CXmlChildList(const CXmlChildList&) = delete;
    void operator=(const CXmlChildList&) = delete;

    CXmlElement* m_pHead;
    int m_nCount;
};

// Attributes, each name present once whatever its case; their order is not kept. Looked up
// by the lower case of the name as CharLowerW gives it.
class CXmlAttributeMap
{
public:
    typedef CXmlAttribute::CPair CPair;

    CXmlAttributeMap() : m_pAttributes(NULL), m_nCount(0) {}

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    // Null when absent.
    CXmlAttribute* Lookup(LPCWSTR pszName) const;

    CPair* PGetFirstAssoc() const { return m_nCount ? &m_pAttributes[0].m_pair : NULL; }
    CPair* PGetNextAssoc(const CPair* pPair) const;
    POSITION GetStartPosition() const { return m_nCount ? (POSITION)&m_pAttributes[0] : NULL; }
    // strKey is the lower-cased name the attribute is found by.
    void GetNextAssoc(POSITION& rPosition, CString& strKey, CXmlAttribute*& pAttribute) const;

    // The key of a name: a hash of its lower case, with a random seed per process so that no
    // document can choose names that collide. Names the parser makes carry theirs.
    static UINT HashName(LPCWSTR pszName, int nLength);
    static UINT HashOf(const CXmlString& strName) { return ((const UINT*)strName.GetString())[-2]; }
    // Whether two names are the same key: equal once lower-cased.
    static bool SameName(LPCWSTR pszA, int nLengthA, LPCWSTR pszB, int nLengthB);

private:
    template <class CHAR> friend class CXmlReader;
    CXmlAttributeMap(const CXmlAttributeMap&) = delete;
    void operator=(const CXmlAttributeMap&) = delete;

    CXmlAttribute* m_pAttributes;   // an array in the document's storage
    int m_nCount;
};

class CXmlElement : public CXmlNode
{
public:
    // Attribute by name, compared without regard to case; null when absent.
    CXmlAttribute* GetAttribute(LPCWSTR pszName) const;
    // The attribute's value when present (even if empty), else pszDefault or an empty string.
    CString GetAttributeValue(LPCWSTR pszName, LPCWSTR pszDefault = NULL) const;
    // Whether the tag name equals pszName ignoring case.
    BOOL IsNamed(LPCWSTR pszName) const;

    // Deleting the root, or a child its user unlinked, gives its part of the document back;
    // deleting a child still linked to its parent does nothing, as the document owns it.
    static void operator delete(void* p, size_t nSize);

    CXmlAttributeMap m_mapAttributes;
    CXmlChildList m_listChildren;

private:
    friend class CXmlChildList;
    template <class CHAR> friend class CXmlReader;

    explicit CXmlElement(CXmlElement* pParent);
    // In the document's storage, after a word that names the storage and whether this element
    // owns a share of it.
    static void* operator new(size_t nSize, CXmlArena& arena);
    static void operator delete(void* p, CXmlArena& arena);
    static void* operator new(size_t nSize) = delete;
    // The root of a new document in arena, owning the share the arena was created with.
    static CXmlElement* NewRoot(CXmlArena& arena);
    void TakeShare();

    CXmlElement* m_pNextSibling;
};

inline CXmlElement* CXmlChildList::GetNext(POSITION& rPosition) const
{
    CXmlElement* pElement = (CXmlElement*)rPosition;
    rPosition = (POSITION)pElement->m_pNextSibling;
    return pElement;
}

inline CXmlAttributeMap::CPair* CXmlAttributeMap::PGetNextAssoc(const CPair* pPair) const
{
    CXmlAttribute* pNext = pPair->value + 1;
    return pNext < m_pAttributes + m_nCount ? &pNext->m_pair : NULL;
}
