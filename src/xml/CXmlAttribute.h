// One attribute of an element; its value is stored decoded.
#pragma once
#include "CXmlNode.h"

class CXmlAttribute : public CXmlNode
{
public:
    explicit CXmlAttribute(CXmlElement* pParent = NULL);

    // Reads name="value" or name='value' at the cursor and advances past it; pszText is the
    // start of the document, which offsets count from.
    BOOL Parse(LPCWSTR pszText, LPCWSTR& pszCursor);
};
