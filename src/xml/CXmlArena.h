// Storage of one parsed document's nodes: a few large blocks carved in order, so that building
// a tree costs a handful of allocations instead of one per node. Each node made in an arena
// holds a reference to it, and the blocks go when the last of those nodes does: a child its
// user unlinked and keeps outlives the rest of its document safely.
#pragma once
#include "../afx/afxwin.h"

class CXmlArena
{
public:
    // nExpectedBytes sizes the first block; later blocks double, up to a bound.
    static CXmlArena* Create(size_t nExpectedBytes);

    // Room for nSize bytes at the heap's alignment, counted as one more live node. Throws
    // std::bad_alloc when no block can be had.
    void* Alloc(size_t nSize);
    // One node made here is gone; the arena deletes itself after the last one.
    void Release();

private:
    struct CBlock
    {
        CBlock* pNext;
        size_t nBytes;  // usable bytes after this header
    };

    explicit CXmlArena(CBlock* pFirst);
    ~CXmlArena();
    CXmlArena(const CXmlArena&) = delete;
    void operator=(const CXmlArena&) = delete;

    static CBlock* TakeBlock(size_t nBytes);
    static void KeepOrFreeBlock(CBlock* pBlock);

    CBlock* m_pBlocks;  // the newest first; the arena object itself lies in the oldest
    BYTE* m_pCarve;
    BYTE* m_pCarveEnd;
    size_t m_nLive;
};
