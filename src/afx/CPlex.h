// A chain of raw blocks from which a container carves its nodes, as MFC's containers do: one
// allocation serves nBlockSize nodes, and the blocks go back together when the container empties.
#pragma once
#include "AfxDefs.h"
#include "CFixedAlloc.h"
#include <new>

struct CPlex
{
    CPlex* pNext;

    // Offset of the first node, so that every node is aligned for its type.
    template <class NODE> static size_t DataOffset()
    {
        return (sizeof(CPlex) + alignof(NODE) - 1) / alignof(NODE) * alignof(NODE);
    }

    template <class NODE> static size_t BlockSize(UINT_PTR nMax)
    {
        return DataOffset<NODE>() + nMax * sizeof(NODE);
    }

    // Links a block for nMax nodes of NODE at the head of the chain and returns its first node.
    template <class NODE> static NODE* Create(CPlex*& pHead, UINT_PTR nMax)
    {
        CPlex* pBlock = (CPlex*)CFixedAlloc::Alloc(BlockSize<NODE>(nMax));
        pBlock->pNext = pHead;
        pHead = pBlock;
        return (NODE*)((BYTE*)pBlock + DataOffset<NODE>());
    }

    // Frees this block and every block after it, all made by Create<NODE> with the same nMax;
    // the nodes in them must be destroyed already.
    template <class NODE> void FreeDataChain(UINT_PTR nMax)
    {
        for (CPlex* pBlock = this; pBlock;)
        {
            CPlex* pNextBlock = pBlock->pNext;
            CFixedAlloc::Free(pBlock, BlockSize<NODE>(nMax));
            pBlock = pNextBlock;
        }
    }
};
