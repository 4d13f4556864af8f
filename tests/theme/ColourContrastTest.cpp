// Contrast as WCAG 2 measures it, of two colours and of text read from pixels.
#include "theme/ColourContrast.h"
#include <gtest/gtest.h>

TEST(ColourContrast, RatiosAreWcagTwos)
{
    EXPECT_NEAR(21.0, ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 1e-9);
    EXPECT_NEAR(21.0, ContrastRatio(RGB(255, 255, 255), RGB(0, 0, 0)), 1e-9) << "either order";
    EXPECT_NEAR(1.0, ContrastRatio(RGB(0x3E, 0x5F, 0x8A), RGB(0x3E, 0x5F, 0x8A)), 1e-9);
    // Grey 777777 on white is the classic near miss, 4.48:1; 767676 passes at 4.54:1.
    EXPECT_NEAR(4.48, ContrastRatio(RGB(0x77, 0x77, 0x77), RGB(255, 255, 255)), 0.005);
    EXPECT_NEAR(4.54, ContrastRatio(RGB(0x76, 0x76, 0x76), RGB(255, 255, 255)), 0.005);
    // Green weighs most: pure green on black is far above pure blue on black.
    EXPECT_GT(ContrastRatio(RGB(0, 255, 0), 0), 15.0);
    EXPECT_LT(ContrastRatio(RGB(0, 0, 255), 0), 2.5);
}

// Pixels of a paper of two colours (7 and 3 in 10) with a little ink and its anti-aliased edge.
std::vector<COLORREF> Paper(COLORREF crA, COLORREF crB, COLORREF crInk, COLORREF crEdge)
{
    std::vector<COLORREF> pixels;
    pixels.insert(pixels.end(), 70, crA);
    pixels.insert(pixels.end(), 24, crB);
    pixels.insert(pixels.end(), 4, crInk);
    pixels.insert(pixels.end(), 2, crEdge);
    return pixels;
}

TEST(ColourContrast, TextIsReadAgainstTheBackgroundColourItStandsOutFromLeast)
{
    const COLORREF crDark = RGB(0x25, 0x2A, 0x33), crLighter = RGB(0x30, 0x3A, 0x4C), crInk = RGB(0xE6, 0xEA, 0xF0);
    TEXT_CONTRAST text = ReadTextContrast(Paper(crDark, crLighter, crInk, RGB(0x90, 0x94, 0x9A)));
    EXPECT_EQ(crInk, text.crInk) << "the edge stands out less than the ink";
    EXPECT_EQ(crLighter, text.crBack) << "the paper's second colour is nearer the ink";
    EXPECT_NEAR(ContrastRatio(crInk, crLighter), text.dRatio, 1e-9);
    EXPECT_EQ(6u, text.nInk);

    // A known ink against the same paper gives the same answer; on a gradient of colours each
    // below a tenth, the commonest stands for the background.
    EXPECT_NEAR(text.dRatio, ContrastOn(crInk, Paper(crDark, crLighter, crInk, crInk)).dRatio, 1e-9);
    std::vector<COLORREF> gradient;
    for (int n = 0; n < 20; n++)
        gradient.insert(gradient.end(), n == 7 ? 6 : 5, RGB(n, n, n));
    TEXT_CONTRAST onGradient = ContrastOn(RGB(255, 255, 255), gradient);
    EXPECT_EQ(RGB(7, 7, 7), onGradient.crBack);

    // No pixels: nothing read, no ratio.
    EXPECT_EQ(0.0, ReadTextContrast({}).dRatio);
}
