// The last caption strips a window skin composed, with everything each was composed from.
// Windows repaint their frames far more often than their captions change (every activation,
// move, overlap and resize repaints the strip), and the outlined caption text is the costliest
// thing the frame draws; a repaint of a strip seen lately becomes one copy. Two strips are kept,
// so that a window going back and forth between active and inactive, or two windows sharing a
// skin, find theirs.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

class CCaptionStripCache
{
public:
    // Everything a composed strip depends on besides the skin's image and parts, which a skin
    // never changes once loaded. Windows sharing a skin share a strip when these agree.
    struct Key
    {
        // The strip's size, and the window's height.
        CSize size;
        int nWindowHeight;
        int nState;
        int nHotButton;
        int nPressedButton;
        BOOL bZoomed;
        // The caption buttons the window's style leaves out (CWindowSkin::HiddenButtons).
        int nHiddenButtons = 0;
        HICON hIcon;
        CString strText;
        COLORREF crText;
        COLORREF crOutline;
        COLORREF crShadow;
        int nAlign;
        CRect rcCaption;
        // The window's DPI, which every length of the strip follows.
        UINT nDpi = 96;

        bool operator==(const Key& other) const;
    };

    CCaptionStripCache();
    ~CCaptionStripCache();

    // Copies the strip composed from key to pDC at (0, 0); FALSE when none is kept.
    BOOL Draw(CDC* pDC, const Key& key);
    // Keeps pSource's (0, 0, key.size) as the strip composed from key, in place of the strip
    // drawn least lately.
    void Store(CDC* pSource, const Key& key);

private:
    enum { STRIP_COUNT = 2 };
    struct Strip
    {
        CDC dc;
        CBitmap bmp;
        HBITMAP hOldBitmap = NULL;
        CSize szBitmap;
        Key key;
        BOOL bValid = FALSE;
        unsigned nLastUse = 0;
    };
    static void ReleaseBitmap(Strip& strip);

    Strip m_strips[STRIP_COUNT];
    unsigned m_nUses;

    CCaptionStripCache(const CCaptionStripCache&) = delete;
    void operator=(const CCaptionStripCache&) = delete;
};
