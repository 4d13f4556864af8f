// Hash map with MFC's interface: a fixed bucket table chosen by InitHashTable and allocated on
// the first insertion; associations are carved from blocks of nBlockSize and kept for reuse
// until the map is empty.
#pragma once
#include "CString.h"
#include "CPlex.h"

template <class ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

template <> inline UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT nHash = 0;
    while (*key)
        nHash = (nHash << 5) + nHash + *key++;
    return nHash;
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

    void InitHashTable(UINT nHashSize)
    {
        RemoveAll();
        m_nHashTableSize = nHashSize ? nHashSize : 17;
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
        {
            // Small maps are common: the table and the first block share one allocation.
            BYTE* pTable = (BYTE*)CFixedAlloc::Alloc(TableBlockBytes());
            memset(pTable, 0, sizeof(CAssoc*) * m_nHashTableSize);
            m_pHashTable = (CAssoc**)pTable;
            AddToFreeList((CAssoc*)(pTable + TableBytes()));
        }
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHashValue;
        CAssoc*& pBucket = m_pHashTable[nHashValue % m_nHashTableSize];
        pAssoc->pNext = pBucket;
        pBucket = pAssoc;
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
            CFixedAlloc::Free(m_pHashTable, TableBlockBytes());
            m_pHashTable = NULL;
        }
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

private:
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
    size_t TableBytes() const
    {
        return (sizeof(CAssoc*) * m_nHashTableSize + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
    }
    size_t TableBlockBytes() const { return TableBytes() + m_nBlockSize * sizeof(CAssoc); }

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

    CMap(const CMap&) = delete;
    void operator=(const CMap&) = delete;

    CAssoc** m_pHashTable = NULL;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
    CAssoc* m_pFreeList = NULL;
    CPlex* m_pBlocks = NULL;
    int m_nBlockSize;
};
