// Per-thread maps from platform handles to framework objects: permanent entries belong to
// objects that own or subclass the handle; temporary entries wrap foreign handles and are
// deleted when the thread goes idle.
#pragma once
#include "AfxDefs.h"
#include <unordered_map>

class CHandleMapBase
{
public:
    virtual ~CHandleMapBase() {}
    virtual void DeleteTemp() = 0;
};

template <class T, class H>
class CHandleMap : public CHandleMapBase
{
public:
    typedef T* (*PFN_CONSTRUCT)(H h);
    typedef void (*PFN_DETACH)(T* p);

    CHandleMap(PFN_CONSTRUCT pfnConstruct, PFN_DETACH pfnDetach)
        : m_pfnConstruct(pfnConstruct), m_pfnDetach(pfnDetach) {}
    ~CHandleMap() { DeleteTemp(); }

    T* FromHandle(H h)
    {
        if (!h)
            return NULL;
        if (T* p = LookupPermanent(h))
            return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
            return it->second;
        T* p = m_pfnConstruct(h);
        m_temporary[h] = p;
        return p;
    }

    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? NULL : it->second;
    }

    void SetPermanent(H h, T* p)
    {
        m_permanent[h] = p;
        // A permanent owner replaces any temporary wrapper of the same handle.
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
        {
            T* pTemp = it->second;
            m_temporary.erase(it);
            m_pfnDetach(pTemp);
            delete pTemp;
        }
    }

    void RemoveHandle(H h) { m_permanent.erase(h); }

    void DeleteTemp() override
    {
        std::unordered_map<H, T*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
        {
            m_pfnDetach(entry.second);
            delete entry.second;
        }
    }

private:
    PFN_CONSTRUCT m_pfnConstruct;
    PFN_DETACH m_pfnDetach;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};
