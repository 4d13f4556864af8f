// Draws image-list images through a record of what each drawing left: the pixels an image was
// drawn over and the pixels it made of them. Some platforms blend an image with alpha through a
// fresh bitmap on every ImageList_DrawEx, which costs a menu more than all its text; a menu
// draws the same few images over the same few backgrounds each time it opens, so a drawing
// already made is copied instead, pixel for pixel what the image list would draw.
#pragma once
#include <afxwin.h>
#include <commctrl.h>
#include <vector>

class CImageListDrawCache
{
public:
    CImageListDrawCache();

    // As ImageList_DrawEx(hList, nImage, hDC, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL).
    BOOL Draw(HIMAGELIST hList, int nImage, HDC hDC, int x, int y);
    // The lists' images changed or went: no earlier drawing is used again.
    void Clear();

    // Drawings kept; the one used least lately makes way.
    static const size_t MAX_DRAWINGS = 32;
    // A larger image is drawn straight, unrecorded.
    static const int MAX_SIDE = 64;

    CImageListDrawCache(const CImageListDrawCache&) = delete;
    void operator=(const CImageListDrawCache&) = delete;

private:
    struct DRAWING
    {
        HIMAGELIST hList;
        int nImage;
        std::vector<DWORD> before;
        std::vector<DWORD> after;
        unsigned nLastUse;
    };
    std::vector<DRAWING> m_drawings;
    unsigned m_nUses;

    // The scratch surface an image is drawn on, as large as the last image.
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    DWORD* m_pBits;
    CSize m_size;

    BOOL MakeScratch(const CSize& size);
    void ReleaseScratch();
};
