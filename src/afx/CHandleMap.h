// Per-thread maps from platform handles to framework objects: permanent entries belong to
// objects that own or subclass the handle; temporary entries wrap foreign handles and are
// deleted when the thread goes idle.
#pragma once
#include "AfxThreadState.h"
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

    // The calling thread's map of this kind, made on first use; temporary wrappers are made
    // and dropped with the given operations.
    static CHandleMap& ForThread(AFX_HANDLE_MAP nKind, PFN_CONSTRUCT pfnConstruct, PFN_DETACH pfnDetach)
    {
        CHandleMapBase*& pMap = AfxGetThreadState()->m_pHandleMaps[nKind];
        if (!pMap)
            pMap = new CHandleMap(pfnConstruct, pfnDetach);
        return *static_cast<CHandleMap*>(pMap);
    }

    // The same, for wrappers whose handle is the one member HANDLE.
    template <H T::*HANDLE> static CHandleMap& ForThread(AFX_HANDLE_MAP nKind)
    {
        return ForThread(
            nKind, [](H h) { T* p = new T; p->*HANDLE = h; return p; }, [](T* p) { p->*HANDLE = NULL; });
    }

    // Makes p the permanent owner of h, kept in p's hMember; FALSE for a null handle. A wrapper
    // holds one handle: attaching another before Detach breaks the contract, and the old
    // handle is unmapped so that it never leads to this object again.
    BOOL Attach(T* p, H& hMember, H h)
    {
        ASSERT(hMember == NULL);
        if (!h)
            return FALSE;
        if (hMember)
            RemoveHandle(hMember);
        hMember = h;
        SetPermanent(h, p);
        return TRUE;
    }

    // Takes the handle out of hMember and out of the map, and gives it back; there must be one.
    H Detach(H& hMember)
    {
        ASSERT(hMember != NULL);
        H h = hMember;
        if (h)
            RemoveHandle(h);
        hMember = NULL;
        return h;
    }

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
