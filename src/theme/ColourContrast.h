// How far one colour stands out from another, as the web's accessibility guidelines (WCAG 2)
// measure it for text, and the same measure read off painted pixels.
#pragma once
#include <windows.h>
#include <vector>

// From 1 (the same luminance) to 21 (black on white), in either order.
double ContrastRatio(COLORREF crA, COLORREF crB);

// Text read from painted pixels.
struct TEXT_CONTRAST
{
    COLORREF crInk = 0;
    // The background colour the ink stands out from least.
    COLORREF crBack = 0;
    double dRatio = 0;
    // Pixels that stand out from the commonest colour by 2:1 or more: the text's, roughly.
    size_t nInk = 0;
};

// The ink against its background: a background is every colour covering a tenth of the pixels
// (a textured paper has several), else the commonest colour; the ratio is the lowest against them.
TEXT_CONTRAST ContrastOn(COLORREF crInk, const std::vector<COLORREF>& pixels);

// Text whose colour is not known: the ink is the pixel standing out most from the commonest
// colour. Anti-aliased edges only lower a pixel's contrast, so that is the text's own colour.
TEXT_CONTRAST ReadTextContrast(const std::vector<COLORREF>& pixels);
