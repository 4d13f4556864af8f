// The walk over a PNG's chunks or a GIF's blocks before any decoder sees the file: one pass,
// reading each byte once, so its cost is linear in the file's size.
#include "SkinImageFile.h"
#include <string.h>

using namespace SkinImageFile;

namespace
{
// A file read from start to end through a buffer.
class CFileReader
{
public:
    explicit CFileReader(const CString& strPath)
        : m_hFile(::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL))
    {
    }
    ~CFileReader()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hFile);
    }
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // The next byte, -1 at the end of the file.
    int Byte()
    {
        if (m_nAt == m_nEnd && !Fill())
            return -1;
        return m_buffer[m_nAt++];
    }
    // Exactly nLength bytes into pData (or past them when pData is null), each added to *pCrc
    // when it is given; false at the end of the file.
    bool Read(BYTE* pData, ULONGLONG nLength, DWORD* pCrc = NULL)
    {
        while (nLength > 0)
        {
            if (m_nAt == m_nEnd && !Fill())
                return false;
            const DWORD n = (DWORD)(nLength < m_nEnd - m_nAt ? nLength : m_nEnd - m_nAt);
            if (pCrc)
                *pCrc = AddCrc(*pCrc, m_buffer + m_nAt, n);
            if (pData)
            {
                memcpy(pData, m_buffer + m_nAt, n);
                pData += n;
            }
            m_nAt += n;
            nLength -= n;
        }
        return true;
    }

    // CRC-32 as PNG computes it (start from 0xFFFFFFFF, invert at the end).
    static DWORD AddCrc(DWORD nCrc, const BYTE* p, DWORD n)
    {
        static const struct TABLE
        {
            DWORD entries[256];
            TABLE()
            {
                for (DWORD i = 0; i < 256; i++)
                {
                    DWORD c = i;
                    for (int k = 0; k < 8; k++)
                        c = c & 1 ? 0xEDB88320 ^ (c >> 1) : c >> 1;
                    entries[i] = c;
                }
            }
        } table;
        for (DWORD i = 0; i < n; i++)
            nCrc = table.entries[(nCrc ^ p[i]) & 0xFF] ^ (nCrc >> 8);
        return nCrc;
    }

    CFileReader(const CFileReader&) = delete;
    CFileReader& operator=(const CFileReader&) = delete;

private:
    bool Fill()
    {
        DWORD nRead = 0;
        if (!::ReadFile(m_hFile, m_buffer, sizeof(m_buffer), &nRead, NULL) || nRead == 0)
            return false;
        m_nAt = 0;
        m_nEnd = nRead;
        return true;
    }

    HANDLE m_hFile;
    BYTE m_buffer[16384];
    DWORD m_nAt = 0;
    DWORD m_nEnd = 0;
};

DWORD BigEndian32(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

bool IsLetter(BYTE b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

Failure WalkPng(CFileReader& file)
{
    BYTE signature[8];
    if (!file.Read(signature, sizeof(signature)))
        return FAILURE_TRUNCATED;
    int nChunks = 0, nOther = 0;
    for (;;)
    {
        BYTE chunk[8];
        if (!file.Read(chunk, sizeof(chunk)))
            return FAILURE_TRUNCATED;
        const DWORD nLength = BigEndian32(chunk);
        if (nLength > 0x7FFFFFFF || !IsLetter(chunk[4]) || !IsLetter(chunk[5]) || !IsLetter(chunk[6]) ||
            !IsLetter(chunk[7]))
            return FAILURE_CORRUPT;
        const bool bImageData = memcmp(chunk + 4, "IDAT", 4) == 0;
        if (++nChunks > MAX_PNG_CHUNKS || (!bImageData && ++nOther > MAX_PNG_OTHER_CHUNKS))
            return FAILURE_TOO_MANY_CHUNKS;
        DWORD nCrc = CFileReader::AddCrc(0xFFFFFFFF, chunk + 4, 4);
        BYTE stored[4];
        if (!file.Read(NULL, nLength, &nCrc) || !file.Read(stored, sizeof(stored)))
            return FAILURE_TRUNCATED;
        if ((nCrc ^ 0xFFFFFFFF) != BigEndian32(stored))
            return FAILURE_BAD_CRC;
        if (memcmp(chunk + 4, "IEND", 4) == 0)
            return FAILURE_NONE;
    }
}

// Passes over data sub-blocks (a length byte, that many bytes) up to the empty one.
Failure SkipSubBlocks(CFileReader& file, int& nSubBlocks)
{
    for (;;)
    {
        const int nLength = file.Byte();
        if (nLength < 0)
            return FAILURE_TRUNCATED;
        if (nLength == 0)
            return FAILURE_NONE;
        if (++nSubBlocks > MAX_GIF_SUB_BLOCKS)
            return FAILURE_TOO_MANY_CHUNKS;
        if (!file.Read(NULL, (ULONGLONG)nLength))
            return FAILURE_TRUNCATED;
    }
}

Failure WalkGif(CFileReader& file, HEADER& header)
{
    BYTE screen[13];
    if (!file.Read(screen, sizeof(screen)))
        return FAILURE_TRUNCATED;
    const bool bGlobalTable = (screen[10] & 0x80) != 0;
    if (bGlobalTable && !file.Read(NULL, 3ull << ((screen[10] & 7) + 1)))
        return FAILURE_TRUNCATED;
    int nFrames = 0, nExtensions = 0, nSubBlocks = 0;
    for (;;)
    {
        const int nIntroducer = file.Byte();
        // The platform reads a file that ends after a whole frame as if its trailer followed.
        if (nIntroducer == 0x3B || (nIntroducer < 0 && nFrames > 0))
            return nFrames > 0 ? FAILURE_NONE : FAILURE_CORRUPT;
        if (nIntroducer < 0)
            return FAILURE_TRUNCATED;
        Failure failure = FAILURE_NONE;
        if (nIntroducer == 0x21)
        {
            if (++nExtensions > MAX_GIF_EXTENSIONS)
                return FAILURE_TOO_MANY_CHUNKS;
            if (file.Byte() < 0)
                return FAILURE_TRUNCATED;
            failure = SkipSubBlocks(file, nSubBlocks);
        }
        else if (nIntroducer == 0x2C)
        {
            if (++nFrames > MAX_GIF_FRAMES)
                return FAILURE_TOO_MANY_FRAMES;
            BYTE frame[9];
            if (!file.Read(frame, sizeof(frame)))
                return FAILURE_TRUNCATED;
            const LONGLONG cx = frame[4] | frame[5] << 8, cy = frame[6] | frame[7] << 8;
            const bool bLocalTable = (frame[8] & 0x80) != 0;
            if (!bLocalTable && !bGlobalTable)
                return FAILURE_NO_COLOUR_TABLE;
            if (bLocalTable && !file.Read(NULL, 3ull << ((frame[8] & 7) + 1)))
                return FAILURE_TRUNCATED;
            const int nCodeSize = file.Byte();
            if (nCodeSize < 0)
                return FAILURE_TRUNCATED;
            if (cx == 0 || cy == 0 || nCodeSize < 2 || nCodeSize > 8)
                return FAILURE_BAD_FRAME;
            header.nFramePixels += cx * cy;
            failure = SkipSubBlocks(file, nSubBlocks);
        }
        else
            return FAILURE_CORRUPT;
        if (failure != FAILURE_NONE)
            return failure;
    }
}
}

BOOL SkinImageFile::Walk(const CString& strPath, HEADER& header, Failure* pFailure)
{
    Failure failure = FAILURE_NONE;
    header.nFramePixels = 0;
    if (header.format == FORMAT_PNG || header.format == FORMAT_GIF)
    {
        CFileReader file(strPath);
        if (!file.IsOpen() || header.nFileBytes > MAX_DECODED_FILE_BYTES)
            failure = FAILURE_UNREADABLE;
        else
            failure = header.format == FORMAT_PNG ? WalkPng(file) : WalkGif(file, header);
    }
    else if (header.format != FORMAT_BMP)
        failure = FAILURE_NOT_IMAGE;
    if (pFailure)
        *pFailure = failure;
    return failure == FAILURE_NONE;
}
