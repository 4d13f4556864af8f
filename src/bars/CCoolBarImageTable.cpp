#include "CCoolBarImageTable.h"

std::shared_ptr<const CCoolBarImage> CCoolBarImageTable::Share(const CSkinImage* pSkin, unsigned nGeneration)
{
    if (!pSkin || !pSkin->IsLoaded())
        return nullptr;
    const auto key = std::make_pair(nGeneration, pSkin);
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
        nHeld += pImage->GetPixelCount();
        ++it;
    }
    if (nHeld + CCoolBarImage::PixelsOf(*pSkin) > MAX_BAR_PIXELS)
        return nullptr;
    std::shared_ptr<const CCoolBarImage> pImage = CCoolBarImage::Copy(pSkin);
    if (pImage)
        m_images[key] = pImage;
    return pImage;
}
