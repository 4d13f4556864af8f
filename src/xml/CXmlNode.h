// Common base of the two kinds of node in a parsed skin definition tree.
#pragma once
#include "../afx/afxwin.h"
#include <KorvoSkin/KorvoSkinExport.h>

class CXmlElement;
class CXmlArena;

class CXmlNode
{
public:
    enum { XML_ELEMENT = 1, XML_ATTRIBUTE = 2 };

    virtual ~CXmlNode();

    // A parsed document's nodes are carved from its arena; nodes made on their own come from
    // the framework's small blocks. Either kind is deleted with delete.
    static void* operator new(size_t nSize);
    static void* operator new(size_t nSize, CXmlArena& arena);
    static void operator delete(void* p, size_t nSize);
    static void operator delete(void* p, CXmlArena& arena);

    // The arena this node was made in, or null.
    CXmlArena* GetArena() const;

    int m_nType;
    CXmlElement* m_pParent;     // null for the root element
    CString m_strName;          // exactly as written in the document
    CString m_strValue;         // element text or decoded attribute value
    // Where the node starts in the document's decoded text, in characters: an element's '<',
    // an attribute's name. -1 for a node the parser did not make.
    int m_nOffset;

protected:
    CXmlNode(int nType, CXmlElement* pParent);

private:
    CXmlNode(const CXmlNode&) = delete;
    void operator=(const CXmlNode&) = delete;
};
