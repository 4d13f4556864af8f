// A top-level window's size as it was last set other than by a DPI change (by its user, its host
// or a new frame), and the DPI it was set at. Moved between monitors, the window takes the size
// the system suggests for each, except back at the DPI its size was set at, where it takes that
// size again: however often it goes back and forth, rounding never grows or shrinks it.
#pragma once
#include <afxwin.h>

class CDpiWindowSize
{
public:
    CDpiWindowSize() : m_size(0, 0), m_nDpi(0), m_bChanging(FALSE) {}

    // The window's size changed: kept, unless a DPI change is placing it or it is minimised or
    // maximised (its normal size is what it comes back to).
    void OnSized(HWND hWnd);
    // The window's size at nDpi, whose suggested size is sizeSuggested.
    CSize SizeAt(UINT nDpi, const CSize& sizeSuggested) const
    {
        return nDpi && nDpi == m_nDpi ? m_size : sizeSuggested;
    }

    // While one lives, the window's size changes are a DPI change's and are not kept.
    class CChange
    {
    public:
        explicit CChange(CDpiWindowSize& size) : m_size(size), m_bWas(size.m_bChanging) { size.m_bChanging = TRUE; }
        ~CChange() { m_size.m_bChanging = m_bWas; }

    private:
        CDpiWindowSize& m_size;
        BOOL m_bWas;

        CChange(const CChange&) = delete;
        void operator=(const CChange&) = delete;
    };

private:
    CSize m_size;
    UINT m_nDpi;
    BOOL m_bChanging;
};
