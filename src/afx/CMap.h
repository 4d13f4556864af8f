// Hash map with MFC's interface: a fixed bucket table chosen by InitHashTable.
#pragma once
#include "CString.h"
#include <new>

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
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(int nBlockSize = 10) { (void)nBlockSize; }
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
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (!pAssoc)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }

    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc)
            return pAssoc->value;
        if (!m_pHashTable)
        {
            m_pHashTable = new CAssoc*[m_nHashTableSize];
            memset(m_pHashTable, 0, sizeof(CAssoc*) * m_nHashTableSize);
        }
        pAssoc = new CAssoc{ m_pHashTable[nHash], nHash, KEY(key), VALUE() };
        m_pHashTable[nHash] = pAssoc;
        m_nCount++;
        return pAssoc->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        for (CAssoc** ppPrev = &m_pHashTable[nHash]; *ppPrev; ppPrev = &(*ppPrev)->pNext)
        {
            if ((*ppPrev)->key == key)
            {
                CAssoc* pAssoc = *ppPrev;
                *ppPrev = pAssoc->pNext;
                delete pAssoc;
                m_nCount--;
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
                    delete pAssoc;
                    pAssoc = pNext;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
    }

    POSITION GetStartPosition() const
    {
        return m_nCount ? (POSITION)FirstFrom(0) : NULL;
    }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* pAssoc = (CAssoc*)rNextPosition;
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        CAssoc* pNext = pAssoc->pNext;
        if (!pNext)
            pNext = FirstFrom(pAssoc->nHashValue + 1);
        rNextPosition = (POSITION)pNext;
    }

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        if (!m_pHashTable)
            return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc; pAssoc = pAssoc->pNext)
            if (pAssoc->key == key)
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

    CMap(const CMap&) = delete;
    void operator=(const CMap&) = delete;

    CAssoc** m_pHashTable = NULL;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
};
