// Lengths written for 96 dots per inch, converted for another DPI: MulDiv-style rounding (halves
// away from zero), wide arithmetic clamped to int, so numbers straight from a skin file never
// overflow.
#pragma once
#include <afxwin.h>

class CDpiScale
{
public:
    enum { BASE_DPI = 96, MIN_DPI = 48, MAX_DPI = 480 };

    // A DPI outside MIN_DPI to MAX_DPI is brought within it.
    explicit CDpiScale(UINT nDpi = BASE_DPI);

    UINT GetDpi() const { return m_nDpi; }
    BOOL IsBase() const { return m_nDpi == BASE_DPI; }

    // A 96-DPI length at this DPI, and back.
    int Scale(int n) const;
    int Unscale(int n) const;
    CSize Scale(const CSize& size) const;
    CPoint Scale(const CPoint& pt) const;
    CPoint Unscale(const CPoint& pt) const;
    // Each edge's width scaled on its own (frame thicknesses, borders).
    CRect ScaleEdges(const CRect& rc) const;
    // The origin scaled and the size scaled, so a box keeps the same size wherever it sits and
    // a zero or negative extent stays one.
    CRect ScaleBox(const CRect& rc) const;

    // n * nNumerator / nDenominator, rounded, clamped to int; 0 for a zero denominator.
    static int MulDivRound(LONGLONG n, LONGLONG nNumerator, LONGLONG nDenominator);
    static UINT Bound(UINT nDpi);

private:
    UINT m_nDpi;
};
