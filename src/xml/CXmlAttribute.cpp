#include "CXmlAttribute.h"

CXmlAttribute::CXmlAttribute(CXmlElement* pParent)
    : CXmlNode(XML_ATTRIBUTE, pParent)
{
    m_pair.value = this;
}
