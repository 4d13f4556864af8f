// One attribute of an element; its value is stored decoded.
#pragma once
#include "CXmlNode.h"

class CXmlAttribute : public CXmlNode
{
public:
    explicit CXmlAttribute(CXmlElement* pParent = NULL);

    // Reads name="value" or name='value' at the cursor and advances past it.
    BOOL Parse(LPCWSTR& pszCursor);
};
