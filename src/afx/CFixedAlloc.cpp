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

// Free blocks of one size, and the unused end of the newest chunk carved into that size.
struct CFreeList
{
    CFreeBlock* pFree;
    BYTE* pCarve;
    BYTE* pCarveEnd;
    size_t nNextChunk;

    // Returns null when the chunk cannot be had.
    void* Pop(size_t nBlock)
    {
        if (CFreeBlock* pBlock = pFree)
        {
            pFree = pBlock->pNext;
            // The next request of this size reads that block's link: fetch it meanwhile.
            __builtin_prefetch(pFree);
            return pBlock;
        }
        if ((size_t)(pCarveEnd - pCarve) < nBlock)
        {
            // Chunks grow so that a size used a little costs little; they are never freed.
            size_t nChunk = nNextChunk ? nNextChunk : FIRST_CHUNK;
            BYTE* pChunk = (BYTE*)malloc(nChunk);
            if (!pChunk)
                return NULL;
            pCarve = pChunk;
            pCarveEnd = pChunk + nChunk;
            nNextChunk = nChunk < LARGEST_CHUNK ? nChunk * 2 : LARGEST_CHUNK;
        }
        void* pBlock = pCarve;
        pCarve += nBlock;
        return pBlock;
    }

    void Push(void* p)
    {
        CFreeBlock* pBlock = (CFreeBlock*)p;
        pBlock->pNext = pFree;
        pFree = pBlock;
    }
};

// One size class. The first thread that allocates, in practice the host's GUI thread that
// builds and drops every document, owns one list and uses it without a lock; other threads
// share the other under a lock held for a few instructions. Blocks of one size are alike, so
// either list may take back a block from the other. Zero-initialised static storage is the
// valid empty state: strings built by other modules' static constructors may come first.
struct CSizeClass
{
    CFreeList owned;
    CFreeList shared;
    std::atomic<bool> bLocked;

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
std::atomic<void*> g_pOwnerThread;

// A thread is known by its environment block, read without a call. Live threads have distinct
// blocks, so at most one thread at a time takes the owner's path, even after the first owner
// has exited and its block has been reused.
bool IsOwnerThread()
{
    // GCC takes NtCurrentTeb's segment-relative read on 32-bit x86 for an access through a
    // null pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    void* pThread = NtCurrentTeb();
#pragma GCC diagnostic pop
    void* pOwner = g_pOwnerThread.load(std::memory_order_relaxed);
    if (pOwner == pThread)
        return true;
    if (pOwner)
        return false;
    return g_pOwnerThread.compare_exchange_strong(pOwner, pThread) || pOwner == pThread;
}

size_t ClassIndex(size_t nSize)
{
    return nSize ? (nSize - 1) / GRANULARITY : 0;
}

} // namespace

void* CFixedAlloc::Alloc(size_t nSize)
{
    if (nSize > LARGEST_CLASS)
        return ::operator new(nSize);
    size_t nIndex = ClassIndex(nSize);
    size_t nBlock = (nIndex + 1) * GRANULARITY;
    CSizeClass& sizeClass = g_aClasses[nIndex];

    void* pBlock;
    if (IsOwnerThread())
    {
        if (!sizeClass.owned.pFree)
        {
            // Blocks freed by other threads come back here before new memory is carved.
            sizeClass.Lock();
            sizeClass.owned.pFree = sizeClass.shared.pFree;
            sizeClass.shared.pFree = NULL;
            sizeClass.Unlock();
        }
        pBlock = sizeClass.owned.Pop(nBlock);
    }
    else
    {
        sizeClass.Lock();
        pBlock = sizeClass.shared.Pop(nBlock);
        sizeClass.Unlock();
    }
    if (!pBlock)
        throw std::bad_alloc();
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
    CSizeClass& sizeClass = g_aClasses[ClassIndex(nSize)];
    if (IsOwnerThread())
    {
        sizeClass.owned.Push(p);
        return;
    }
    sizeClass.Lock();
    sizeClass.shared.Push(p);
    sizeClass.Unlock();
}
