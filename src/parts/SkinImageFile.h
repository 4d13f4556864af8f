// Reading skin image files: what a file's header declares, before anything is decoded, and the
// decoding of the formats GDI cannot load itself.
//
// PNG and GIF go through GDI+'s flat API rather than WIC: GDI+ is loaded already for the picture
// controls, and it needs no COM apartment, which the host's thread may not have or may have of
// the wrong kind.
#pragma once
#include <afxwin.h>

namespace SkinImageFile
{
enum Format
{
    FORMAT_UNKNOWN,
    FORMAT_BMP,
    FORMAT_PNG,
    FORMAT_GIF,
};

// The largest PNG or GIF file read; larger files fail before any decoding.
const LONGLONG MAX_DECODED_FILE_BYTES = 64LL * 1024 * 1024;
// No side longer than this, so row and pixel arithmetic stays within int.
const LONGLONG MAX_IMAGE_SIDE = 1 << 20;
// The platform's decoders spend far longer on a chunk or block than on the bytes it holds, so
// their number is bounded: a PNG has at most this many chunks (room for 64 MiB in 4 KiB chunks
// of image data), and at most MAX_PNG_OTHER_CHUNKS that are not image data (text and the like,
// which cost a third of a millisecond each).
const int MAX_PNG_CHUNKS = 16384;
const int MAX_PNG_OTHER_CHUNKS = 256;
// A GIF has at most this many frames (the decoder reads every one, however few are shown; the
// picture controls keep the same bound), extensions, and data sub-blocks in all (room for
// 32 MiB in full ones).
const int MAX_GIF_FRAMES = 1000;
const int MAX_GIF_EXTENSIONS = 4096;
const int MAX_GIF_SUB_BLOCKS = 131072;

// Why a file did not load.
enum Failure
{
    FAILURE_NONE,
    // Missing, unreadable, or more than the caller lets load.
    FAILURE_UNREADABLE,
    // Of no known format (by its first bytes).
    FAILURE_NOT_IMAGE,
    // Declares an empty side or one past MAX_IMAGE_SIDE.
    FAILURE_BAD_SIZE,
    // Declares more pixels than the caller allows.
    FAILURE_TOO_LARGE,
    // A PNG or GIF whose chunks or blocks run past the end of the file, or a PNG without an end
    // chunk.
    FAILURE_TRUNCATED,
    // Decodes to another size than its header declares.
    FAILURE_SIZE_MISMATCH,
    // Does not decode, or is not built as its format says.
    FAILURE_CORRUPT,
    // A PNG chunk whose CRC does not match its type and data.
    FAILURE_BAD_CRC,
    // More chunks (PNG) or extensions or sub-blocks (GIF) than the bounds above.
    FAILURE_TOO_MANY_CHUNKS,
    // A GIF of more than MAX_GIF_FRAMES frames.
    FAILURE_TOO_MANY_FRAMES,
    // A GIF frame with no colour table, neither its own nor a global one: the decoder reads
    // through a null table.
    FAILURE_NO_COLOUR_TABLE,
    // A GIF frame of no pixels, or whose LZW code size is outside 2 to 8.
    FAILURE_BAD_FRAME,
};

struct HEADER
{
    Format format = FORMAT_UNKNOWN;
    LONGLONG nWidth = 0;
    LONGLONG nHeight = 0;
    LONGLONG nFileBytes = 0;
    // The file's index on its volume, however its path was spelt (when the file system tells it).
    ULONGLONG nFileIndex = 0;
    bool bIndexed = false;
    // The pixels of all a GIF's frames, which the decoder holds together (Walk fills it in).
    LONGLONG nFramePixels = 0;
    LONGLONG Pixels() const { return nWidth * nHeight; }
    // What decoding the file makes: its picture, or a GIF's frames when they hold more.
    LONGLONG DecodedPixels() const { return nFramePixels > Pixels() ? nFramePixels : Pixels(); }
};

// The format and size the file declares, from its first bytes; FALSE for a file that cannot be
// read, is of no known format, or declares an empty or oversized picture.
// pFailure, when given, receives why not.
BOOL ReadHeader(const CString& strPath, HEADER& header, Failure* pFailure = NULL);

// Walks a PNG's chunks or a GIF's blocks, which ReadHeader found, once from start to end,
// before any decoder sees the file: FALSE for one truncated, built otherwise than its format
// says, past the bounds above, with a PNG chunk whose CRC fails, or with a GIF frame the
// platform's decoder cannot take. TRUE at once for a BMP. Fills in header.nFramePixels.
BOOL Walk(const CString& strPath, HEADER& header, Failure* pFailure = NULL);

// A PNG or GIF that Walk passed, as a top-down DIB section: 24-bit when every pixel is opaque,
// else 32-bit with premultiplied alpha; null when GDI+ is not running, the file does not decode,
// or it decodes to another size than its header declared.
// bTranslucent tells whether any pixel is less than opaque.
HBITMAP Decode(const CString& strPath, const HEADER& header, bool& bTranslucent, Failure* pFailure = NULL);
}
