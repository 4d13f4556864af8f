#include "CCoolBarImageTable.h"

std::shared_ptr<const CCoolBarImage> CCoolBarImageTable::Share(HBITMAP hSkin, unsigned nGeneration)
{
    BITMAP bm = {};
    if (!hSkin || !::GetObjectW(hSkin, sizeof(bm), &bm))
        return nullptr;
    const auto key = std::make_pair(nGeneration, hSkin);
    LONGLONG nHeld = 0;
    for (auto it = m_images.begin(); it != m_images.end();)
    {
        std::shared_ptr<const CCoolBarImage> pImage = it->second.lock();
        if (!pImage)
        {
            it = m_images.erase(it);
            continue;
        }
        if (it->first == key)
            return pImage;
        nHeld += (LONGLONG)pImage->GetSize().cx * pImage->GetSize().cy;
        ++it;
    }
    if (nHeld + (LONGLONG)bm.bmWidth * bm.bmHeight > MAX_BAR_PIXELS)
        return nullptr;
    std::shared_ptr<const CCoolBarImage> pImage = CCoolBarImage::Copy(hSkin);
    if (pImage)
        m_images[key] = pImage;
    return pImage;
}
