#include "ColourContrast.h"
#include <algorithm>
#include <cmath>
#include <map>

namespace
{
// A channel's share of relative luminance, sRGB decoded.
double Linear(int nChannel)
{
    const double d = nChannel / 255.0;
    return d <= 0.03928 ? d / 12.92 : std::pow((d + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF cr)
{
    return 0.2126 * Linear(GetRValue(cr)) + 0.7152 * Linear(GetGValue(cr)) + 0.0722 * Linear(GetBValue(cr));
}

std::map<COLORREF, size_t> CountColours(const std::vector<COLORREF>& pixels)
{
    std::map<COLORREF, size_t> counts;
    for (COLORREF cr : pixels)
        counts[cr]++;
    return counts;
}

COLORREF Commonest(const std::map<COLORREF, size_t>& counts)
{
    auto it = std::max_element(counts.begin(), counts.end(),
                               [](const std::pair<const COLORREF, size_t>& a, const std::pair<const COLORREF, size_t>& b) {
                                   return a.second < b.second;
                               });
    return it == counts.end() ? 0 : it->first;
}

TEXT_CONTRAST Against(COLORREF crInk, const std::map<COLORREF, size_t>& counts, size_t nPixels)
{
    TEXT_CONTRAST result;
    result.crInk = crInk;
    if (counts.empty())
        return result;
    const COLORREF crCommonest = Commonest(counts);
    result.crBack = crCommonest;
    result.dRatio = ContrastRatio(crInk, crCommonest);
    for (const auto& entry : counts)
    {
        if (ContrastRatio(entry.first, crCommonest) >= 2.0)
            result.nInk += entry.second;
        if (entry.first == crInk || entry.second * 10 < nPixels)
            continue;
        const double dRatio = ContrastRatio(crInk, entry.first);
        if (dRatio < result.dRatio)
        {
            result.dRatio = dRatio;
            result.crBack = entry.first;
        }
    }
    return result;
}
}

double ContrastRatio(COLORREF crA, COLORREF crB)
{
    const double dA = Luminance(crA), dB = Luminance(crB);
    return (std::max(dA, dB) + 0.05) / (std::min(dA, dB) + 0.05);
}

TEXT_CONTRAST ContrastOn(COLORREF crInk, const std::vector<COLORREF>& pixels)
{
    return Against(crInk, CountColours(pixels), pixels.size());
}

TEXT_CONTRAST ReadTextContrast(const std::vector<COLORREF>& pixels)
{
    const std::map<COLORREF, size_t> counts = CountColours(pixels);
    const COLORREF crCommonest = Commonest(counts);
    COLORREF crInk = crCommonest;
    double dBest = 1;
    for (const auto& entry : counts)
    {
        const double dRatio = ContrastRatio(entry.first, crCommonest);
        if (dRatio > dBest)
        {
            dBest = dRatio;
            crInk = entry.first;
        }
    }
    return Against(crInk, counts, pixels.size());
}
