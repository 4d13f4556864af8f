// Command images at sizes a skin does not give them in: each made once, from one source image of
// the same command, into a list of its size. A larger source is scaled down by averaging the area
// each new pixel covers; a smaller one is scaled up pixel for pixel, so small icons stay crisp.
// Alpha is kept, and averaged premultiplied so transparent pixels lend no colour to their
// neighbours.
#pragma once
#include <afxwin.h>
#include "../parts/CSkinImage.h"
#include <map>
#include <vector>

class CScaledCommandImages
{
public:
    // One square image: premultiplied BGRA pixels, top row first.
    struct PIXELS
    {
        int nSize = 0;
        std::vector<DWORD> pixels;
    };

    // The sides of the lists kept: every size a command image may be drawn at.
    static const int SIZES[4];
    // The largest side a source may have.
    static const int MAX_SOURCE = 256;
    // Images one list takes in one load.
    static const int MAX_IMAGES = 4096;

    // Image nImage of hList as it draws (its alpha or its mask); FALSE for a missing image or a
    // list of non-square or oversized images.
    static BOOL ReadListImage(HIMAGELIST hList, int nImage, PIXELS& image);
    // source brought to nSize pixels a side.
    static void Scale(const PIXELS& source, int nSize, PIXELS& result);
    // A new bitmap holding the top cy rows of the image, cx wide; FALSE when the copy cannot be
    // made. A translucent image's copy is a 32-bit DIB section with straight (not premultiplied)
    // alpha, which is what an image list keeps as an image's own transparency.
    static BOOL CopyStripRows(CSkinImage& image, int cx, int cy, CBitmap& copy);

    // The index of nCmdID's image in the list of nSize, -1 when none was made.
    int Find(UINT nCmdID, int nSize) const;
    // Makes nCmdID's image of nSize from source, of any size, and returns its index; -1 for a
    // size not kept or a list that cannot take it.
    int Add(UINT nCmdID, int nSize, const PIXELS& source);
    HIMAGELIST GetList(int nSize) const;
    // A strip's variant drawn for another scale, nSide pixels a side: each command's square of
    // it (commands pair a command with its position) becomes its image of that side, as the
    // skin drew it rather than scaled. crMask is the strip's transparent colour.
    void AddStripVariant(CSkinImage& variant, int nSide, COLORREF crMask,
                         const std::vector<std::pair<UINT, int>>& commands);
    // The command's images are made again from its next source.
    void Forget(UINT nCmdID);
    void Clear();

private:
    struct LIST
    {
        CImageList list;
        std::map<UINT, int> images;
    };
    LIST* ListOf(int nSize);
    const LIST* ListOf(int nSize) const;

    LIST m_lists[4];
};
