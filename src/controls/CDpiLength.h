// A length a control keeps in its window for the window's DPI (a tree's item height, its
// indent). Scaled at each change from the value first found, so that a round trip through other
// DPIs comes back to it exactly even where the window rounds what it is given; a value someone
// else set in between is taken as meant for the DPI it was set at.
#pragma once
#include <afxwin.h>

class CDpiLength
{
public:
    CDpiLength();

    // The length for nNewDpi, the window holding nCurrent at nOldDpi.
    int Fit(int nCurrent, UINT nOldDpi, UINT nNewDpi);
    // What the window made of the last fitted length.
    void Took(int nActual) { m_nTaken = nActual; }

private:
    int m_nFrom;
    UINT m_nFromDpi;
    int m_nTaken;
    bool m_bFitted;
};
