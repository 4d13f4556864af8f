// Common base of the two kinds of node in a parsed skin definition tree. Nodes live in their
// document's storage and hold nothing that needs destroying, so a whole document goes at once.
#pragma once
#include "CXmlString.h"

class CXmlElement;

class CXmlNode
{
public:
    enum { XML_ELEMENT = 1, XML_ATTRIBUTE = 2 };

    virtual ~CXmlNode();

    int m_nType;
    // Where the node starts in the document's decoded text, in characters: an element's '<',
    // an attribute's name. -1 for a node the parser did not fill.
    int m_nOffset;
    CXmlElement* m_pParent;     // null for the root element
    CXmlString m_strName;       // exactly as written in the document
    CXmlString m_strValue;      // element text or decoded attribute value

protected:
    CXmlNode(int nType, CXmlElement* pParent);

private:
    CXmlNode(const CXmlNode&) = delete;
    void operator=(const CXmlNode&) = delete;
};
