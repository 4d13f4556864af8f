// What a picture file declares before any of it is decoded: its format, the size of its frames
// and how many there are, read from the headers alone. The picture controls refuse a file past
// these bounds before the platform's decoders, which would spend seconds and gigabytes on the
// GUI thread, ever see it.
#pragma once
#include <afxwin.h>

class CPictureHeader
{
public:
    // The bounds a picture must keep: the file's size, the pixels of one frame (a GIF's logical
    // screen included), the frames, and the bytes all frames take decoded at 4 bytes a pixel.
    static constexpr ULONGLONG MAX_FILE_BYTES = 32ULL * 1024 * 1024;
    static constexpr ULONGLONG MAX_FRAME_PIXELS = 16ULL * 1024 * 1024;
    static constexpr ULONGLONG MAX_FRAMES = 1000;
    static constexpr ULONGLONG MAX_DECODED_BYTES = 256ULL * 1024 * 1024;

    // Whether the file is a PNG, GIF, JPEG or BMP whose headers keep every bound. Other formats,
    // and files whose size cannot be read from their headers, are refused.
    static bool IsWithinBounds(LPCWSTR pszPath);

    // The same for the bytes of a file.
    static bool IsWithinBounds(const BYTE* pData, size_t nSize);
};
