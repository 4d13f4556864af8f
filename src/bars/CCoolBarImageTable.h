// The images of one bar's buttons. Buttons whose looks name the same skin bitmap of the same
// load share one copy of it, and the copies one bar holds together stay within a bound of
// pixels, so a skin naming one large file for many buttons, or many large files, cannot fill
// the host's memory.
#pragma once
#include "CCoolBarImage.h"
#include <map>
#include <utility>

class CCoolBarImageTable
{
public:
    // Pixels of the distinct images one bar holds at once.
    static constexpr LONGLONG MAX_BAR_PIXELS = 16LL * 1024 * 1024;

    // The copy of pSkin, an image of the skin load numbered nGeneration: the one the bar holds
    // already, or a new one; null when pSkin cannot be copied or a new copy would pass the bound.
    std::shared_ptr<const CCoolBarImage> Share(const CSkinImage* pSkin, unsigned nGeneration);

private:
    // Only images some button still holds count; a skin image is only unique within its load.
    std::map<std::pair<unsigned, const CSkinImage*>, std::weak_ptr<const CCoolBarImage>> m_images;
};
