// Doubly linked list with MFC's POSITION-based interface. Nodes are carved from blocks of
// nBlockSize; freed nodes are kept for reuse until the list is empty.
#pragma once
#include "AfxDefs.h"
#include "CPlex.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(int nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {}
    ~CList() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { ASSERT(m_pNodeHead); return m_pNodeHead->data; }
    const TYPE& GetHead() const { ASSERT(m_pNodeHead); return m_pNodeHead->data; }
    TYPE& GetTail() { ASSERT(m_pNodeTail); return m_pNodeTail->data; }
    const TYPE& GetTail() const { ASSERT(m_pNodeTail); return m_pNodeTail->data; }

    POSITION AddHead(ARG_TYPE newElement)
    {
        CNode* pNode = NewNode(m_pNodeHead, NULL, newElement);
        if (m_pNodeHead)
            m_pNodeHead->pPrev = pNode;
        else
            m_pNodeTail = pNode;
        m_pNodeHead = pNode;
        return (POSITION)pNode;
    }

    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* pNode = NewNode(NULL, m_pNodeTail, newElement);
        if (m_pNodeTail)
            m_pNodeTail->pNext = pNode;
        else
            m_pNodeHead = pNode;
        m_pNodeTail = pNode;
        return (POSITION)pNode;
    }

    TYPE RemoveHead() { ASSERT(m_pNodeHead); TYPE data = m_pNodeHead->data; RemoveAt((POSITION)m_pNodeHead); return data; }
    TYPE RemoveTail() { ASSERT(m_pNodeTail); TYPE data = m_pNodeTail->data; RemoveAt((POSITION)m_pNodeTail); return data; }

    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode;)
        {
            CNode* pNext = pNode->pNext;
            pNode->~CNode();
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
        m_pNodeFree = NULL;
        if (m_pBlocks)
        {
            m_pBlocks->FreeDataChain<CNode>(m_nBlockSize);
            m_pBlocks = NULL;
        }
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        ASSERT(rPosition);
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        ASSERT(rPosition);
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        ASSERT(rPosition);
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { ASSERT(position); return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ASSERT(pos); ((CNode*)pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        ASSERT(position);
        CNode* pNode = (CNode*)position;
        if (pNode->pPrev)
            pNode->pPrev->pNext = pNode->pNext;
        else
            m_pNodeHead = pNode->pNext;
        if (pNode->pNext)
            pNode->pNext->pPrev = pNode->pPrev;
        else
            m_pNodeTail = pNode->pPrev;
        FreeNode(pNode);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = startAfter ? ((CNode*)startAfter)->pNext : m_pNodeHead;
        for (; pNode; pNode = pNode->pNext)
            if (pNode->data == searchValue)
                return (POSITION)pNode;
        return NULL;
    }

    POSITION FindIndex(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex--)
            pNode = pNode->pNext;
        return (POSITION)pNode;
    }

private:
    CList(const CList&) = delete;
    void operator=(const CList&) = delete;

    CNode* NewNode(CNode* pNext, CNode* pPrev, ARG_TYPE newElement)
    {
        if (!m_pNodeFree)
        {
            // Free nodes are chained through pNext, the last block's first node last.
            CNode* pFirst = CPlex::Create<CNode>(m_pBlocks, m_nBlockSize);
            for (int n = m_nBlockSize - 1; n >= 0; n--)
            {
                pFirst[n].pNext = m_pNodeFree;
                m_pNodeFree = &pFirst[n];
            }
        }
        CNode* pNode = m_pNodeFree;
        m_pNodeFree = pNode->pNext;
        try
        {
            ::new ((void*)pNode) CNode{ pNext, pPrev, newElement };
        }
        catch (...)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
            throw;
        }
        m_nCount++;
        return pNode;
    }

    void FreeNode(CNode* pNode)
    {
        pNode->~CNode();
        pNode->pNext = m_pNodeFree;
        m_pNodeFree = pNode;
        // An emptied list gives its blocks back, as MFC's does.
        if (--m_nCount == 0)
            RemoveAll();
    }

    CNode* m_pNodeHead = NULL;
    CNode* m_pNodeTail = NULL;
    int m_nCount = 0;
    CNode* m_pNodeFree = NULL;
    CPlex* m_pBlocks = NULL;
    int m_nBlockSize;
};
