// Growable array with MFC's interface.
#pragma once
#include "AfxDefs.h"
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    int GetSize() const { return (int)m_data.size(); }
    int GetCount() const { return (int)m_data.size(); }
    int GetUpperBound() const { return (int)m_data.size() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    void SetSize(int nNewSize, int nGrowBy = -1) { (void)nGrowBy; m_data.resize(nNewSize > 0 ? nNewSize : 0); }
    void RemoveAll() { m_data.clear(); }
    TYPE& GetAt(int nIndex) { ASSERT(IsIndex(nIndex)); return m_data[nIndex]; }
    const TYPE& GetAt(int nIndex) const { ASSERT(IsIndex(nIndex)); return m_data[nIndex]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { ASSERT(IsIndex(nIndex)); m_data[nIndex] = newElement; }
    TYPE& ElementAt(int nIndex) { ASSERT(IsIndex(nIndex)); return m_data[nIndex]; }
    TYPE* GetData() { return m_data.empty() ? NULL : &m_data[0]; }
    const TYPE* GetData() const { return m_data.empty() ? NULL : &m_data[0]; }
    void SetAtGrow(int nIndex, ARG_TYPE newElement)
    {
        ASSERT(nIndex >= 0);
        if (nIndex >= GetSize())
            m_data.resize(nIndex + 1);
        m_data[nIndex] = newElement;
    }
    int Add(ARG_TYPE newElement) { m_data.push_back(newElement); return GetUpperBound(); }
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount > 0);
        if (nIndex > GetSize())
            m_data.resize(nIndex);
        m_data.insert(m_data.begin() + nIndex, nCount, newElement);
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount >= 0 && nCount <= GetSize() - nIndex);
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }

private:
    bool IsIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }

    std::vector<TYPE> m_data;
};
