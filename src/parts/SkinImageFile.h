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
    // A PNG whose chunks run past the end of the file or that has no end chunk.
    FAILURE_TRUNCATED,
    // Decodes to another size than its header declares.
    FAILURE_SIZE_MISMATCH,
    // Does not decode.
    FAILURE_CORRUPT,
};

struct HEADER
{
    Format format = FORMAT_UNKNOWN;
    LONGLONG nWidth = 0;
    LONGLONG nHeight = 0;
    LONGLONG nFileBytes = 0;
    LONGLONG Pixels() const { return nWidth * nHeight; }
};

// The format and size the file declares; FALSE for a file that cannot be read, is of no known
// format, or declares an empty or oversized picture.
// pFailure, when given, receives why not.
BOOL ReadHeader(const CString& strPath, HEADER& header, Failure* pFailure = NULL);

// A PNG or GIF as a top-down DIB section: 24-bit when every pixel is opaque, else 32-bit with
// premultiplied alpha; null when GDI+ is not
// running, the file does not decode, or it decodes to another size than its header declared.
// bTranslucent tells whether any pixel is less than opaque.
HBITMAP Decode(const CString& strPath, const HEADER& header, bool& bTranslucent, Failure* pFailure = NULL);
}
