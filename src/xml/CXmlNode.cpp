#include "CXmlNode.h"
#include "CXmlArena.h"

namespace
{
// Each node is preceded by the arena it was made in (null for one made on its own), in a
// header that keeps the node at the heap's alignment.
const size_t NODE_HEADER = MEMORY_ALLOCATION_ALIGNMENT;

CXmlArena*& HeaderOf(void* pNode)
{
    return *(CXmlArena**)((BYTE*)pNode - NODE_HEADER);
}
} // namespace

void* CXmlNode::operator new(size_t nSize)
{
    BYTE* pBlock = (BYTE*)CFixedAlloc::Alloc(nSize + NODE_HEADER);
    *(CXmlArena**)pBlock = NULL;
    return pBlock + NODE_HEADER;
}

void* CXmlNode::operator new(size_t nSize, CXmlArena& arena)
{
    BYTE* pBlock = (BYTE*)arena.Alloc(nSize + NODE_HEADER);
    *(CXmlArena**)pBlock = &arena;
    return pBlock + NODE_HEADER;
}

void CXmlNode::operator delete(void* p, size_t nSize)
{
    if (!p)
        return;
    if (CXmlArena* pArena = HeaderOf(p))
        pArena->Release();
    else
        CFixedAlloc::Free((BYTE*)p - NODE_HEADER, nSize + NODE_HEADER);
}

void CXmlNode::operator delete(void*, CXmlArena& arena)
{
    arena.Release();
}

CXmlArena* CXmlNode::GetArena() const
{
    return HeaderOf(const_cast<CXmlNode*>(this));
}

CXmlNode::CXmlNode(int nType, CXmlElement* pParent)
    : m_nType(nType), m_pParent(pParent), m_nOffset(-1)
{
}

CXmlNode::~CXmlNode()
{
}
