// A map that reports its longest bucket chain, for the tests and benchmarks of how evenly keys
// spread over the table. Needs no test framework.
#pragma once
#include <afxwin.h>
#include <algorithm>

namespace KorvoTest
{
// Reads the chains of a map; the bucket table is protected, as in MFC.
template <class KEY, class ARG_KEY, class VALUE = int, class ARG_VALUE = int>
class CChainMap : public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>
{
public:
    int LongestChain() const
    {
        int nLongest = 0;
        for (UINT n = 0; this->m_pHashTable && n < this->m_nHashTableSize; n++)
        {
            int nLength = 0;
            for (auto* pAssoc = this->m_pHashTable[n]; pAssoc; pAssoc = pAssoc->pNext)
                nLength++;
            nLongest = std::max(nLongest, nLength);
        }
        return nLongest;
    }
};
}
