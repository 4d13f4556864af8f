// The last caption strip a window skin composed, with everything it was composed from. Windows
// repaint their frames far more often than their captions change (every activation, move,
// overlap and resize repaints the strip), and the outlined caption text is the costliest thing
// the frame draws; a repaint of an unchanged strip becomes one copy.
#pragma once
#include "../xml/KorvoDefs.h"

class KORVOSKIN_API CCaptionStripCache
{
public:
    // Everything a composed strip depends on besides the skin's image and parts, which a skin
    // never changes once loaded. Windows sharing a skin share the strip when these agree.
    struct Key
    {
        // The strip's size, and the window's height.
        CSize size;
        int nWindowHeight;
        int nState;
        int nHotButton;
        int nPressedButton;
        HICON hIcon;
        CString strText;
        COLORREF crText;
        COLORREF crOutline;
        COLORREF crShadow;
        int nAlign;
        CRect rcCaption;

        bool operator==(const Key& other) const;
    };

    CCaptionStripCache();
    ~CCaptionStripCache();

    // Copies the cached strip to pDC at (0, 0) when it was composed from key; FALSE otherwise.
    BOOL Draw(CDC* pDC, const Key& key);
    // Keeps pSource's (0, 0, key.size) as the strip composed from key.
    void Store(CDC* pSource, const Key& key);

private:
    void ReleaseBitmap();

    CDC m_dc;
    CBitmap m_bmp;
    HBITMAP m_hOldBitmap;
    CSize m_szBitmap;
    Key m_key;
    BOOL m_bValid;

    CCaptionStripCache(const CCaptionStripCache&) = delete;
    void operator=(const CCaptionStripCache&) = delete;
};
