#include "CFixedAlloc.h"
#include <atomic>
#include <new>
#include <stdlib.h>

namespace
{

// Blocks are multiples of the heap's own alignment, so anything the heap may hold fits.
const size_t GRANULARITY = MEMORY_ALLOCATION_ALIGNMENT;
const size_t LARGEST_CLASS = 256;
const size_t FIRST_CHUNK = 4096;
const size_t LARGEST_CHUNK = 65536;

struct CFreeBlock
{
    CFreeBlock* pNext;
};

// One size class. Zero-initialised static storage is its valid empty state, so strings built by
// other modules' static constructors may use it before this module's own constructors run.
struct CSizeClass
{
    CFreeBlock* pFree;
    BYTE* pCarve;           // unused end of the newest chunk
    BYTE* pCarveEnd;
    size_t nNextChunk;
    std::atomic<bool> bLocked;

    // Held for a few instructions only, so waiting threads spin briefly before giving way.
    void Lock()
    {
        for (int nTries = 0; bLocked.exchange(true, std::memory_order_acquire); nTries++)
        {
            if (nTries < 64)
                YieldProcessor();
            else if (nTries < 128)
                SwitchToThread();
            else
                Sleep(1);
        }
    }

    void Unlock() { bLocked.store(false, std::memory_order_release); }
};

CSizeClass g_aClasses[LARGEST_CLASS / GRANULARITY];

} // namespace

void* CFixedAlloc::Alloc(size_t nSize)
{
    if (nSize > LARGEST_CLASS)
        return ::operator new(nSize);
    size_t nIndex = nSize ? (nSize - 1) / GRANULARITY : 0;
    size_t nBlock = (nIndex + 1) * GRANULARITY;
    CSizeClass& sizeClass = g_aClasses[nIndex];

    sizeClass.Lock();
    void* pBlock = sizeClass.pFree;
    if (pBlock)
    {
        sizeClass.pFree = sizeClass.pFree->pNext;
    }
    else
    {
        if ((size_t)(sizeClass.pCarveEnd - sizeClass.pCarve) < nBlock)
        {
            // Chunks grow so that a size used a little costs little; they are never freed.
            size_t nChunk = sizeClass.nNextChunk ? sizeClass.nNextChunk : FIRST_CHUNK;
            BYTE* pChunk = (BYTE*)malloc(nChunk);
            if (!pChunk)
            {
                sizeClass.Unlock();
                throw std::bad_alloc();
            }
            sizeClass.pCarve = pChunk;
            sizeClass.pCarveEnd = pChunk + nChunk;
            sizeClass.nNextChunk = nChunk < LARGEST_CHUNK ? nChunk * 2 : LARGEST_CHUNK;
        }
        pBlock = sizeClass.pCarve;
        sizeClass.pCarve += nBlock;
    }
    sizeClass.Unlock();
    return pBlock;
}

void CFixedAlloc::Free(void* p, size_t nSize) noexcept
{
    if (!p)
        return;
    if (nSize > LARGEST_CLASS)
    {
        ::operator delete(p);
        return;
    }
    CSizeClass& sizeClass = g_aClasses[nSize ? (nSize - 1) / GRANULARITY : 0];
    CFreeBlock* pBlock = (CFreeBlock*)p;
    sizeClass.Lock();
    pBlock->pNext = sizeClass.pFree;
    sizeClass.pFree = pBlock;
    sizeClass.Unlock();
}
