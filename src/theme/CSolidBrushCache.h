// Solid brushes the theme's colours are painted with where the system asks for a brush
// (WM_CTLCOLOR* answers): made once per colour and kept until the load is cleared, so an answer
// never hands out a brush that dies with the handler.
#pragma once
#include <afxwin.h>

class CSolidBrushCache
{
public:
    // At most this many colours; a skin names fewer than that many control colours.
    static const size_t MAX_BRUSHES = 64;

    // The brush of cr, made at the first asking; null for NO_COLOUR, when the cache is full or
    // when the system makes no brush.
    HBRUSH Get(COLORREF cr);
    // Deletes every brush; no window may still be painting with one.
    void Clear();

private:
    // A fixed table: asking for a brush inside a window procedure allocates nothing.
    struct ENTRY
    {
        COLORREF cr = 0;
        CBrush brush;
    };
    ENTRY m_entries[MAX_BRUSHES];
    size_t m_nCount = 0;
};
