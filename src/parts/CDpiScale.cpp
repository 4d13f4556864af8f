#include "CDpiScale.h"
#include <algorithm>
#include <climits>

CDpiScale::CDpiScale(UINT nDpi) : m_nDpi(Bound(nDpi))
{
}

UINT CDpiScale::Bound(UINT nDpi)
{
    return std::min<UINT>(std::max<UINT>(nDpi, MIN_DPI), MAX_DPI);
}

int CDpiScale::MulDivRound(LONGLONG n, LONGLONG nNumerator, LONGLONG nDenominator)
{
    if (nDenominator == 0)
        return 0;
    if (nDenominator < 0)
        nNumerator = -nNumerator, nDenominator = -nDenominator;
    // Both factors are within int, so the product fits in 64 bits.
    const LONGLONG nProduct = n * nNumerator;
    const LONGLONG nHalf = nDenominator / 2;
    const LONGLONG nResult = nProduct >= 0 ? (nProduct + nHalf) / nDenominator : -((-nProduct + nHalf) / nDenominator);
    return (int)std::min<LONGLONG>(std::max<LONGLONG>(nResult, INT_MIN), INT_MAX);
}

int CDpiScale::Scale(int n) const
{
    return IsBase() ? n : MulDivRound(n, m_nDpi, BASE_DPI);
}

int CDpiScale::Unscale(int n) const
{
    return IsBase() ? n : MulDivRound(n, BASE_DPI, m_nDpi);
}

CSize CDpiScale::Scale(const CSize& size) const
{
    return CSize(Scale(size.cx), Scale(size.cy));
}

CPoint CDpiScale::Scale(const CPoint& pt) const
{
    return CPoint(Scale(pt.x), Scale(pt.y));
}

CPoint CDpiScale::Unscale(const CPoint& pt) const
{
    return CPoint(Unscale(pt.x), Unscale(pt.y));
}

CRect CDpiScale::ScaleEdges(const CRect& rc) const
{
    return CRect(Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom));
}

CRect CDpiScale::ScaleBox(const CRect& rc) const
{
    if (IsBase())
        return rc;
    const int x = Scale(rc.left), y = Scale(rc.top);
    const int cx = MulDivRound((LONGLONG)rc.right - rc.left, m_nDpi, BASE_DPI);
    const int cy = MulDivRound((LONGLONG)rc.bottom - rc.top, m_nDpi, BASE_DPI);
    // Wrapping as the skin's own arithmetic does for boxes written past the integer range.
    return CRect(x, y, (int)((unsigned)x + (unsigned)cx), (int)((unsigned)y + (unsigned)cy));
}
