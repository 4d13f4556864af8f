#include "CXmlArena.h"
#include <mutex>
#include <new>
#include <stdlib.h>

namespace
{

const size_t SMALLEST_BLOCK = 4096;
const size_t LARGEST_BLOCK = 4 * 1024 * 1024;
// Blocks given back are kept for the next document up to this many bytes: a skin load parses
// several files in a row, and fresh pages cost more than building the tree in them.
const size_t KEPT_BYTES = 32 * 1024 * 1024;

inline size_t RoundUp(size_t n, size_t nTo)
{
    return (n + nTo - 1) & ~(nTo - 1);
}

const size_t BLOCK_HEADER = RoundUp(2 * sizeof(void*), MEMORY_ALLOCATION_ALIGNMENT);

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
    if (nBytes > SIZE_MAX / 2)
        throw std::bad_alloc();
    const size_t nSize = BlockSizeFor(nBytes);
    CKeptBlock* pKept;
    {
        std::lock_guard<std::mutex> lock(g_keptLock);
        CKeptBlock** ppBlock = &g_pKept;
        while (*ppBlock && (*ppBlock)->nBytes != nSize)
            ppBlock = &(*ppBlock)->pNext;
        pKept = *ppBlock;
        if (pKept)
        {
            *ppBlock = pKept->pNext;
            g_nKeptBytes -= nSize;
        }
    }
    CBlock* pBlock = (CBlock*)pKept;
    if (!pBlock)
        pBlock = (CBlock*)malloc(BLOCK_HEADER + nSize);
    if (!pBlock)
        throw std::bad_alloc();
    pBlock->pNext = NULL;
    pBlock->nBytes = nSize;
    return pBlock;
}

void CXmlArena::KeepOrFreeBlock(CBlock* pBlock)
{
    const size_t nSize = pBlock->nBytes;
    {
        std::lock_guard<std::mutex> lock(g_keptLock);
        if (g_nKeptBytes + nSize <= KEPT_BYTES)
        {
            CKeptBlock* pKept = (CKeptBlock*)pBlock;
            pKept->nBytes = nSize;
            pKept->pNext = g_pKept;
            g_pKept = pKept;
            g_nKeptBytes += nSize;
            return;
        }
    }
    free(pBlock);
}

CXmlArena* CXmlArena::Create(size_t nExpectedBytes)
{
    const size_t nSelf = RoundUp(sizeof(CXmlArena), MEMORY_ALLOCATION_ALIGNMENT);
    CBlock* pFirst = TakeBlock(nSelf + (nExpectedBytes < LARGEST_BLOCK ? nExpectedBytes : LARGEST_BLOCK));
    return new ((BYTE*)pFirst + BLOCK_HEADER) CXmlArena(pFirst);
}

CXmlArena::CXmlArena(CBlock* pFirst)
    : m_pBlocks(pFirst), m_nOwners(1)
{
    m_pCarve = (BYTE*)pFirst + BLOCK_HEADER + RoundUp(sizeof(CXmlArena), MEMORY_ALLOCATION_ALIGNMENT);
    m_pCarveEnd = (BYTE*)pFirst + BLOCK_HEADER + pFirst->nBytes;
}

void CXmlArena::ReleaseOwner()
{
    if (--m_nOwners > 0)
        return;
    // Nothing carved here needs destroying: the blocks go as they are.
    CBlock* pBlock = m_pBlocks;
    this->~CXmlArena();
    while (pBlock)
    {
        CBlock* pNext = pBlock->pNext;
        KeepOrFreeBlock(pBlock);
        pBlock = pNext;
    }
}

void CXmlArena::NewBlock(size_t nAtLeast)
{
    // Each new block is twice the last, so a large document takes a few blocks.
    size_t nNext = m_pBlocks->nBytes * 2 < LARGEST_BLOCK ? m_pBlocks->nBytes * 2 : LARGEST_BLOCK;
    CBlock* pBlock = TakeBlock(nAtLeast > nNext ? nAtLeast : nNext);
    pBlock->pNext = m_pBlocks;
    m_pBlocks = pBlock;
    m_pCarve = (BYTE*)pBlock + BLOCK_HEADER;
    m_pCarveEnd = m_pCarve + pBlock->nBytes;
}

BYTE* CXmlArena::Carve(size_t nSize, size_t nAlign)
{
    BYTE* p = (BYTE*)RoundUp((size_t)m_pCarve, nAlign);
    if (p > m_pCarveEnd || (size_t)(m_pCarveEnd - p) < nSize)
    {
        if (nSize > SIZE_MAX / 2)
            throw std::bad_alloc();
        NewBlock(nSize + nAlign);
        p = (BYTE*)RoundUp((size_t)m_pCarve, nAlign);
    }
    m_pCarve = p + nSize;
    return p;
}

void* CXmlArena::Alloc(size_t nSize)
{
    return Carve(nSize, sizeof(void*));
}

LPWSTR CXmlArena::ReserveText(size_t nChars, size_t nPrefixBytes)
{
    if (nChars > SIZE_MAX / 4)
        throw std::bad_alloc();
    return (LPWSTR)(Carve(nPrefixBytes + (nChars + 1) * sizeof(wchar_t), 4) + nPrefixBytes);
}

bool CXmlArena::ExtendText(LPWSTR psz, size_t nOldChars, size_t nNewChars)
{
    if (!IsLastText(psz, nOldChars) || nNewChars > SIZE_MAX / 4 || (size_t)(m_pCarveEnd - (BYTE*)psz) / sizeof(wchar_t) < nNewChars + 1)
        return false;
    m_pCarve = (BYTE*)(psz + nNewChars + 1);
    return true;
}
