// Storage of one parsed document: its nodes and strings carved in order from a few large blocks,
// so that building a tree costs a handful of allocations and dropping it frees a handful of
// blocks, whatever the number of nodes. The arena is owned by the elements that own a part of
// its document: the root, and each child its user unlinked. The blocks go with the last owner.
#pragma once
#include <afxwin.h>

class CXmlArena
{
public:
    // A new arena with one owner, its first block sized for about nExpectedBytes. Throws
    // std::bad_alloc when no block can be had, as every carving function below does.
    static CXmlArena* Create(size_t nExpectedBytes);

    void AddOwner() { m_nOwners++; }
    // One owner is gone; the arena frees its blocks after the last one.
    void ReleaseOwner();

    // Room for nSize bytes aligned for pointers.
    void* Alloc(size_t nSize);

    // Room for a string of up to nChars characters and its terminating NUL, after nPrefixBytes
    // (a multiple of 4) of header; returns where the characters go. Until something else is
    // carved, the string can be shrunk or grown in place.
    LPWSTR ReserveText(size_t nChars, size_t nPrefixBytes);
    // The string reserved last ends after nChars characters and its NUL.
    void TrimText(LPWSTR psz, size_t nChars) { m_pCarve = (BYTE*)(psz + nChars + 1); }
    // Gives back the string reserved last, made with nPrefixBytes of header.
    void UndoText(LPWSTR psz, size_t nPrefixBytes) { m_pCarve = (BYTE*)psz - nPrefixBytes; }
    // Whether the string at psz with room for nChars is the one reserved last.
    bool IsLastText(LPWSTR psz, size_t nChars) const { return (BYTE*)(psz + nChars + 1) == m_pCarve; }
    // Grows the string reserved last, at psz with room for nOldChars, to room for nNewChars
    // where its block has that room; false otherwise.
    bool ExtendText(LPWSTR psz, size_t nOldChars, size_t nNewChars);

private:
    struct CBlock
    {
        CBlock* pNext;
        size_t nBytes;  // usable bytes after this header
    };

    explicit CXmlArena(CBlock* pFirst);
    CXmlArena(const CXmlArena&) = delete;
    void operator=(const CXmlArena&) = delete;

    BYTE* Carve(size_t nSize, size_t nAlign);
    void NewBlock(size_t nAtLeast);
    static CBlock* TakeBlock(size_t nBytes);
    static void KeepOrFreeBlock(CBlock* pBlock);

    CBlock* m_pBlocks;  // the newest first; the arena object itself lies in the oldest
    BYTE* m_pCarve;
    BYTE* m_pCarveEnd;
    size_t m_nOwners;
};
