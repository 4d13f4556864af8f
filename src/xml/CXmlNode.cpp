#include "CXmlNode.h"

CXmlNode::CXmlNode(int nType, CXmlElement* pParent)
    : m_nType(nType), m_nOffset(-1), m_pParent(pParent)
{
}

CXmlNode::~CXmlNode()
{
}
