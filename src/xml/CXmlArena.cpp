#include "CXmlArena.h"
#include <mutex>
#include <new>
#include <stdlib.h>

namespace
{

const size_t ALIGNMENT = MEMORY_ALLOCATION_ALIGNMENT;
const size_t SMALLEST_BLOCK = 4096;
const size_t LARGEST_BLOCK = 4 * 1024 * 1024;
// Blocks given back are kept for the next document up to this many bytes: a skin load parses
// several files in a row, and fresh pages cost more than building the tree in them.
const size_t KEPT_BYTES = 32 * 1024 * 1024;

size_t RoundUp(size_t n, size_t nTo)
{
    return (n + nTo - 1) / nTo * nTo;
}

// Block sizes are powers of two, so a kept block fits the next request of its size.
size_t BlockSizeFor(size_t nBytes)
{
    size_t nSize = SMALLEST_BLOCK;
    while (nSize < nBytes && nSize < LARGEST_BLOCK)
        nSize *= 2;
    return nSize < nBytes ? nBytes : nSize;
}

std::mutex g_keptLock;
struct CKeptBlock
{
    CKeptBlock* pNext;
    size_t nBytes;
};
CKeptBlock* g_pKept = NULL;
size_t g_nKeptBytes = 0;

// The kept blocks go with the library.
struct CKeptBlocksOwner
{
    ~CKeptBlocksOwner()
    {
        while (CKeptBlock* pBlock = g_pKept)
        {
            g_pKept = pBlock->pNext;
            free(pBlock);
        }
    }
} g_keptBlocksOwner;

} // namespace

CXmlArena::CBlock* CXmlArena::TakeBlock(size_t nBytes)
{
    const size_t nSize = BlockSizeFor(nBytes);
    g_keptLock.lock();
    CKeptBlock** ppBlock = &g_pKept;
    while (*ppBlock && (*ppBlock)->nBytes != nSize)
        ppBlock = &(*ppBlock)->pNext;
    CKeptBlock* pKept = *ppBlock;
    if (pKept)
    {
        *ppBlock = pKept->pNext;
        g_nKeptBytes -= nSize;
    }
    g_keptLock.unlock();

    CBlock* pBlock = (CBlock*)pKept;
    if (!pBlock)
        pBlock = (CBlock*)malloc(RoundUp(sizeof(CBlock), ALIGNMENT) + nSize);
    if (!pBlock)
        throw std::bad_alloc();
    pBlock->pNext = NULL;
    pBlock->nBytes = nSize;
    return pBlock;
}

void CXmlArena::KeepOrFreeBlock(CBlock* pBlock)
{
    const size_t nSize = pBlock->nBytes;
    g_keptLock.lock();
    const bool bKeep = g_nKeptBytes + nSize <= KEPT_BYTES;
    if (bKeep)
    {
        CKeptBlock* pKept = (CKeptBlock*)pBlock;
        pKept->nBytes = nSize;
        pKept->pNext = g_pKept;
        g_pKept = pKept;
        g_nKeptBytes += nSize;
    }
    g_keptLock.unlock();
    if (!bKeep)
        free(pBlock);
}

CXmlArena* CXmlArena::Create(size_t nExpectedBytes)
{
    const size_t nHeader = RoundUp(sizeof(CBlock), ALIGNMENT);
    const size_t nSelf = RoundUp(sizeof(CXmlArena), ALIGNMENT);
    CBlock* pFirst = TakeBlock(nSelf + (nExpectedBytes < LARGEST_BLOCK ? nExpectedBytes : LARGEST_BLOCK));
    return new ((BYTE*)pFirst + nHeader) CXmlArena(pFirst);
}

CXmlArena::CXmlArena(CBlock* pFirst)
    : m_pBlocks(pFirst), m_nLive(0)
{
    const size_t nHeader = RoundUp(sizeof(CBlock), ALIGNMENT);
    m_pCarve = (BYTE*)pFirst + nHeader + RoundUp(sizeof(CXmlArena), ALIGNMENT);
    m_pCarveEnd = (BYTE*)pFirst + nHeader + pFirst->nBytes;
}

CXmlArena::~CXmlArena()
{
}

void* CXmlArena::Alloc(size_t nSize)
{
    nSize = RoundUp(nSize, ALIGNMENT);
    if ((size_t)(m_pCarveEnd - m_pCarve) < nSize)
    {
        // Each new block is twice the last, so a large document takes a few blocks.
        size_t nNext = m_pBlocks->nBytes * 2 < LARGEST_BLOCK ? m_pBlocks->nBytes * 2 : LARGEST_BLOCK;
        CBlock* pBlock = TakeBlock(nSize > nNext ? nSize : nNext);
        pBlock->pNext = m_pBlocks;
        m_pBlocks = pBlock;
        m_pCarve = (BYTE*)pBlock + RoundUp(sizeof(CBlock), ALIGNMENT);
        m_pCarveEnd = m_pCarve + pBlock->nBytes;
    }
    void* p = m_pCarve;
    m_pCarve += nSize;
    m_nLive++;
    return p;
}

void CXmlArena::Release()
{
    if (--m_nLive > 0)
        return;
    CBlock* pBlock = m_pBlocks;
    this->~CXmlArena();
    while (pBlock)
    {
        CBlock* pNext = pBlock->pNext;
        KeepOrFreeBlock(pBlock);
        pBlock = pNext;
    }
}
