// Hash map with MFC's interface. The bucket table is allocated on the first insertion (sized by
// InitHashTable) and grows to about twice its size whenever the count passes the bucket count,
// so that a map filled from a file stays fast whatever its size; associations are carved from
// blocks of nBlockSize and kept for reuse until the map is empty.
#pragma once
#include "CString.h"
#include "CPlex.h"

// A process-wide random value that the framework's hashes start from, so that keys which share
// one bucket cannot be worked out in advance; the same in every module of the process.
AFX_API UINT AfxGetHashSeed();

// Spreads every input bit over the whole result (the finaliser of MurmurHash3).
inline UINT AfxHashMix(UINT nHash)
{
    nHash ^= nHash >> 16;
    nHash *= 0x85EBCA6Bu;
    nHash ^= nHash >> 13;
    nHash *= 0xC2B2AE35u;
    nHash ^= nHash >> 16;
    return nHash;
}

// Integers, handles and pointers: ids that are multiples of a power of two spread like any others.
template <class ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    unsigned long long nKey = (unsigned long long)(DWORD_PTR)key;
    return AfxHashMix((UINT)nKey ^ AfxHashMix((UINT)(nKey >> 32) ^ AfxGetHashSeed()));
}

// Strings: FNV-1a over the UTF-16 units, then mixed, so that long shared prefixes do not matter.
template <> inline UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT nHash = 2166136261u ^ AfxGetHashSeed();
    while (*key)
        nHash = (nHash ^ (UINT)*key++) * 16777619u;
    return AfxHashMix(nHash);
}

template <> inline UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCWSTR>((LPCWSTR)key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
    public:
        explicit CAssoc(ARG_KEY key) : CPair(key) {}

        CAssoc* pNext;
        UINT nHashValue;    // the whole hash, compared before the keys
    };

public:
    explicit CMap(int nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {}
    ~CMap() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The table grows no further than this; longer chains are the price of more entries.
    enum { MAX_HASH_TABLE_SIZE = 1 << 20 };

    // Empties the map and sets the bucket count it starts with (17 when zero).
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        RemoveAll();
        m_nInitialHashSize = nHashSize == 0 ? 17 : nHashSize < MAX_HASH_TABLE_SIZE ? nHashSize : MAX_HASH_TABLE_SIZE;
        m_nHashTableSize = m_nInitialHashSize;
        if (bAllocNow)
            AllocTable();
    }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CPair* pPair = PLookup(key);
        if (!pPair)
            return FALSE;
        rValue = pPair->value;
        return TRUE;
    }

    const CPair* PLookup(ARG_KEY key) const { return GetAssocAt(key, HashKey<ARG_KEY>(key)); }
    CPair* PLookup(ARG_KEY key) { return GetAssocAt(key, HashKey<ARG_KEY>(key)); }

    VALUE& operator[](ARG_KEY key)
    {
        UINT nHashValue = HashKey<ARG_KEY>(key);
        CAssoc* pAssoc = GetAssocAt(key, nHashValue);
        if (pAssoc)
            return pAssoc->value;
        if (!m_pHashTable)
            AllocTable();
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHashValue;
        CAssoc*& pBucket = m_pHashTable[nHashValue % m_nHashTableSize];
        pAssoc->pNext = pBucket;
        pBucket = pAssoc;
        if ((UINT)m_nCount > m_nHashTableSize && m_nHashTableSize < MAX_HASH_TABLE_SIZE)
            Rehash(m_nHashTableSize < MAX_HASH_TABLE_SIZE / 2 ? m_nHashTableSize * 2 + 1 : MAX_HASH_TABLE_SIZE);
        return pAssoc->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        UINT nHashValue = HashKey<ARG_KEY>(key);
        for (CAssoc** ppPrev = &m_pHashTable[nHashValue % m_nHashTableSize]; *ppPrev;
             ppPrev = &(*ppPrev)->pNext)
        {
            CAssoc* pAssoc = *ppPrev;
            if (pAssoc->nHashValue == nHashValue && pAssoc->key == key)
            {
                *ppPrev = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return TRUE;
            }
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable)
        {
            for (UINT n = 0; n < m_nHashTableSize; n++)
            {
                for (CAssoc* pAssoc = m_pHashTable[n]; pAssoc;)
                {
                    CAssoc* pNext = pAssoc->pNext;
                    pAssoc->~CAssoc();
                    pAssoc = pNext;
                }
            }
            if ((BYTE*)m_pHashTable != m_pFirstBlock)
                CFixedAlloc::Free(m_pHashTable, sizeof(CAssoc*) * m_nHashTableSize);
            m_pHashTable = NULL;
        }
        if (m_pFirstBlock)
        {
            CFixedAlloc::Free(m_pFirstBlock, TableBlockBytes(m_nFirstBlockHashSize));
            m_pFirstBlock = NULL;
        }
        m_nHashTableSize = m_nInitialHashSize;
        m_nCount = 0;
        m_pFreeList = NULL;
        if (m_pBlocks)
        {
            m_pBlocks->FreeDataChain<CAssoc>(m_nBlockSize);
            m_pBlocks = NULL;
        }
    }

    POSITION GetStartPosition() const
    {
        return m_nCount ? (POSITION)FirstFrom(0) : NULL;
    }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        ASSERT(rNextPosition);
        const CAssoc* pAssoc = (const CAssoc*)rNextPosition;
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        rNextPosition = (POSITION)NextOf(pAssoc);
    }

    // Walks the associations without copying keys; null after the last.
    const CPair* PGetFirstAssoc() const { return m_nCount ? FirstFrom(0) : NULL; }
    CPair* PGetFirstAssoc() { return m_nCount ? FirstFrom(0) : NULL; }
    const CPair* PGetNextAssoc(const CPair* pPair) const { return NextOf((const CAssoc*)pPair); }
    CPair* PGetNextAssoc(const CPair* pPair) { return NextOf((const CAssoc*)pPair); }

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT nHashValue) const
    {
        if (!m_pHashTable)
            return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHashValue % m_nHashTableSize]; pAssoc; pAssoc = pAssoc->pNext)
            if (pAssoc->nHashValue == nHashValue && pAssoc->key == key)
                return pAssoc;
        return NULL;
    }

    CAssoc* FirstFrom(UINT nBucket) const
    {
        for (UINT n = nBucket; m_pHashTable && n < m_nHashTableSize; n++)
            if (m_pHashTable[n])
                return m_pHashTable[n];
        return NULL;
    }

    CAssoc* NextOf(const CAssoc* pAssoc) const
    {
        return pAssoc->pNext ? pAssoc->pNext : FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    }

    // The bucket table, rounded up so that the block after it is aligned.
    static size_t TableBytes(UINT nHashSize)
    {
        return (sizeof(CAssoc*) * nHashSize + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
    }
    size_t TableBlockBytes(UINT nHashSize) const { return TableBytes(nHashSize) + m_nBlockSize * sizeof(CAssoc); }

    // Small maps are common: the first table and the first block share one allocation, which
    // stays until the map is emptied even when a larger table replaces that first one.
    void AllocTable()
    {
        if (m_pHashTable)
            return;
        m_pFirstBlock = (BYTE*)CFixedAlloc::Alloc(TableBlockBytes(m_nHashTableSize));
        m_nFirstBlockHashSize = m_nHashTableSize;
        memset(m_pFirstBlock, 0, sizeof(CAssoc*) * m_nHashTableSize);
        m_pHashTable = (CAssoc**)m_pFirstBlock;
        AddToFreeList((CAssoc*)(m_pFirstBlock + TableBytes(m_nHashTableSize)));
    }

    void Rehash(UINT nNewSize)
    {
        CAssoc** pNewTable = (CAssoc**)CFixedAlloc::Alloc(sizeof(CAssoc*) * nNewSize);
        memset(pNewTable, 0, sizeof(CAssoc*) * nNewSize);
        for (UINT n = 0; n < m_nHashTableSize; n++)
        {
            for (CAssoc* pAssoc = m_pHashTable[n]; pAssoc;)
            {
                CAssoc* pNext = pAssoc->pNext;
                CAssoc*& pBucket = pNewTable[pAssoc->nHashValue % nNewSize];
                pAssoc->pNext = pBucket;
                pBucket = pAssoc;
                pAssoc = pNext;
            }
        }
        if ((BYTE*)m_pHashTable != m_pFirstBlock)
            CFixedAlloc::Free(m_pHashTable, sizeof(CAssoc*) * m_nHashTableSize);
        m_pHashTable = pNewTable;
        m_nHashTableSize = nNewSize;
    }

    // Free associations are chained through pNext.
    void AddToFreeList(CAssoc* pBlock)
    {
        for (int n = m_nBlockSize - 1; n >= 0; n--)
        {
            pBlock[n].pNext = m_pFreeList;
            m_pFreeList = &pBlock[n];
        }
    }

    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (!m_pFreeList)
            AddToFreeList(CPlex::Create<CAssoc>(m_pBlocks, m_nBlockSize));
        CAssoc* pAssoc = m_pFreeList;
        m_pFreeList = pAssoc->pNext;
        try
        {
            ::new ((void*)pAssoc) CAssoc(key);
        }
        catch (...)
        {
            pAssoc->pNext = m_pFreeList;
            m_pFreeList = pAssoc;
            throw;
        }
        m_nCount++;
        return pAssoc;
    }

    void FreeAssoc(CAssoc* pAssoc)
    {
        pAssoc->~CAssoc();
        pAssoc->pNext = m_pFreeList;
        m_pFreeList = pAssoc;
        // An emptied map gives its table and blocks back, as MFC's does.
        if (--m_nCount == 0)
            RemoveAll();
    }

    CAssoc** m_pHashTable = NULL;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
    CAssoc* m_pFreeList = NULL;
    CPlex* m_pBlocks = NULL;
    int m_nBlockSize;
    UINT m_nInitialHashSize = 17;
    BYTE* m_pFirstBlock = NULL;
    UINT m_nFirstBlockHashSize = 0;

private:
    CMap(const CMap&) = delete;
    void operator=(const CMap&) = delete;
};
