// An element of a parsed skin definition: its children in document order, its attributes by
// lower-cased name, and its text. The root element is the document and owns the whole tree.
#pragma once
#include "CXmlNode.h"
#include "CXmlAttribute.h"
#include "../afx/CList.h"
#include "../afx/CMap.h"

// Elements nest at most this deep (the root is level 1). Real skins stay within a dozen levels;
// the bound keeps a hostile document of nested tags from exhausting the 1 MiB default thread
// stack through the recursive parse and the recursive delete.
const int XML_MAX_DEPTH = 256;
// An element holds at most this many distinct attributes; one with more fails the parse. Real
// elements carry a handful; the bound keeps each attribute's lookup in its small map short
// whatever names a document chooses.
const int XML_MAX_ATTRIBUTES = 64;

// Child elements in document order; those still in the list are deleted with it.
class CXmlChildList : public CList<CXmlElement*, CXmlElement*>
{
public:
    CXmlChildList() = default;
    ~CXmlChildList();
};

// Attributes by lower-cased name; those still in the map are deleted with it.
class CXmlAttributeMap : public CMap<CString, const CString&, CXmlAttribute*, CXmlAttribute*>
{
public:
    explicit CXmlAttributeMap(int nBlockSize) : CMap(nBlockSize) {}
    ~CXmlAttributeMap();
};

class CXmlElement : public CXmlNode
{
public:
    explicit CXmlElement(CXmlElement* pParent = NULL);

    // Attribute by name, compared without regard to case; null when absent.
    CXmlAttribute* GetAttribute(LPCWSTR pszName) const;
    // The attribute's value when present (even if empty), else pszDefault or an empty string.
    CString GetAttributeValue(LPCWSTR pszName, LPCWSTR pszDefault = NULL) const;
    // Whether the tag name equals pszName ignoring case.
    BOOL IsNamed(LPCWSTR pszName) const;

    // Reads the element starting at the cursor, at nesting level nDepth, and advances past it;
    // pszText is the start of the document, which offsets count from.
    BOOL Parse(LPCWSTR pszText, LPCWSTR& pszCursor, int nDepth);

    // The attributes go after the children: members are destroyed in reverse order.
    CXmlAttributeMap m_mapAttributes;
    CXmlChildList m_listChildren;

private:
    // A new node of this element's document: in its arena when it has one.
    template <class NODE> NODE* NewNode()
    {
        CXmlArena* pArena = GetArena();
        return pArena ? new (*pArena) NODE(this) : new NODE(this);
    }
    BOOL ParseAttributes(LPCWSTR pszText, LPCWSTR& pszCursor, BOOL& bEmpty);
    void AppendText(LPCWSTR& pszCursor, int nCount);
};
