// One attribute of an element; its value is stored decoded. Attributes are made only by the
// parser, in their element's storage, and go with it.
#pragma once
#include "CXmlNode.h"

class CXmlAttribute : public CXmlNode
{
public:
    // An entry of the element's attribute map, as its iteration hands it out.
    struct CPair
    {
        CXmlAttribute* value;
    };

    explicit CXmlAttribute(CXmlElement* pParent);

    // The memory belongs to the document: deleting an attribute frees nothing.
    static void operator delete(void*, size_t) {}

private:
    friend class CXmlAttributeMap;
    static void* operator new(size_t nSize) = delete;

    CPair m_pair;
};
