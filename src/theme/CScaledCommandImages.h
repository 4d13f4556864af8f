// Command images at sizes a skin does not give them in: each made once, from one source image of
// the same command, into a list of its size. A larger source is scaled down by averaging the area
// each new pixel covers; a smaller one is scaled up pixel for pixel, so small icons stay crisp.
// Alpha is kept, and averaged premultiplied so transparent pixels lend no colour to their
// neighbours.
#pragma once
#include <afxwin.h>
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

    // The index of nCmdID's image in the list of nSize, -1 when none was made.
    int Find(UINT nCmdID, int nSize) const;
    // Makes nCmdID's image of nSize from source, of any size, and returns its index; -1 for a
    // size not kept or a list that cannot take it.
    int Add(UINT nCmdID, int nSize, const PIXELS& source);
    HIMAGELIST GetList(int nSize) const;
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
