#include "CXmlNode.h"

CXmlNode::CXmlNode(int nType, CXmlElement* pParent)
    : m_nType(nType), m_pParent(pParent), m_nOffset(-1)
{
}

CXmlNode::~CXmlNode()
{
}
