#include "CDerivedImages.h"
#include "CSkinImage.h"

CDerivedImages::CDerivedImages(LONGLONG nLimit) : m_nLimit(nLimit), m_nPixels(0)
{
}

CDerivedImages::~CDerivedImages()
{
    Clear();
}

void CDerivedImages::SetLimit(LONGLONG nLimit)
{
    m_nLimit = nLimit;
    while (m_nPixels > m_nLimit && !m_entries.empty())
        Erase(std::prev(m_entries.end()));
}

CSkinImage* CDerivedImages::Find(const CSkinImage* pOwner, UINT nDpi)
{
    auto found = m_index.find(KEY(pOwner, nDpi));
    if (found == m_index.end())
        return NULL;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->pImage.get();
}

bool CDerivedImages::MakeRoom(LONGLONG nPixels)
{
    if (nPixels < 0 || nPixels > m_nLimit)
        return false;
    while (m_nPixels + nPixels > m_nLimit && !m_entries.empty())
        Erase(std::prev(m_entries.end()));
    return true;
}

CSkinImage* CDerivedImages::Add(const CSkinImage* pOwner, UINT nDpi, std::unique_ptr<CSkinImage> pCopy)
{
    if (!pCopy)
        return NULL;
    auto found = m_index.find(KEY(pOwner, nDpi));
    if (found != m_index.end())
        Erase(found->second);
    const LONGLONG nPixels = pCopy->GetPixelCount();
    m_entries.push_front(ENTRY{ pOwner, nDpi, nPixels, std::move(pCopy) });
    m_index[KEY(pOwner, nDpi)] = m_entries.begin();
    m_nPixels += nPixels;
    return m_entries.front().pImage.get();
}

void CDerivedImages::Forget(const CSkinImage* pOwner)
{
    for (auto it = m_index.lower_bound(KEY(pOwner, 0)); it != m_index.end() && it->first.first == pOwner;)
    {
        auto entry = it->second;
        ++it;
        Erase(entry);
    }
}

void CDerivedImages::Clear()
{
    m_index.clear();
    m_entries.clear();
    m_nPixels = 0;
}

void CDerivedImages::Erase(std::list<ENTRY>::iterator it)
{
    m_nPixels -= it->nPixels;
    m_index.erase(KEY(it->pOwner, it->nDpi));
    m_entries.erase(it);
}
