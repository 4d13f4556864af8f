#include "PictureFiles.h"
#include <gdiplus.h>
#include <algorithm>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace PictureFiles
{
namespace
{
// Codes of the GIF's LZW stream, least significant bit first.
class CBitWriter
{
public:
    void Put(UINT nCode, int nBits)
    {
        for (int i = 0; i < nBits; i++)
        {
            if (m_nBit == 0)
                m_bytes.push_back(0);
            if (nCode & (1u << i))
                m_bytes.back() |= (BYTE)(1u << m_nBit);
            m_nBit = (m_nBit + 1) % 8;
        }
    }
    std::vector<BYTE> m_bytes;

private:
    int m_nBit = 0;
};

void PutWord(std::vector<BYTE>& bytes, int n)
{
    bytes.push_back((BYTE)(n & 0xFF));
    bytes.push_back((BYTE)((n >> 8) & 0xFF));
}
}

std::vector<BYTE> MakeGif(int cx, int cy, const std::vector<COLORREF>& frames, int nDelay)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a' };
    PutWord(gif, cx);
    PutWord(gif, cy);
    // A global table of four colours: the frames' colours, then white.
    gif.push_back(0x80 | 0x01);
    gif.push_back(0);
    gif.push_back(0);
    for (size_t i = 0; i < 4; i++)
    {
        COLORREF cr = i < frames.size() ? frames[i] : RGB(255, 255, 255);
        gif.push_back(GetRValue(cr));
        gif.push_back(GetGValue(cr));
        gif.push_back(GetBValue(cr));
    }
    for (size_t nFrame = 0; nFrame < frames.size() && nFrame < 3; nFrame++)
    {
        if (nDelay >= 0)
        {
            gif.insert(gif.end(), { 0x21, 0xF9, 0x04, 0x04 });
            PutWord(gif, nDelay);
            gif.insert(gif.end(), { 0x00, 0x00 });
        }
        gif.push_back(0x2C);
        PutWord(gif, 0);
        PutWord(gif, 0);
        PutWord(gif, cx);
        PutWord(gif, cy);
        gif.push_back(0);
        // Minimum code size 2: clear is 4, end 5. A clear after every two pixels keeps the
        // table at one entry, so every code stays 3 bits wide.
        gif.push_back(2);
        CBitWriter bits;
        bits.Put(4, 3);
        for (int i = 0; i < cx * cy; i++)
        {
            if (i && i % 2 == 0)
                bits.Put(4, 3);
            bits.Put((UINT)nFrame, 3);
        }
        bits.Put(5, 3);
        for (size_t nAt = 0; nAt < bits.m_bytes.size(); nAt += 255)
        {
            size_t nBlock = std::min<size_t>(255, bits.m_bytes.size() - nAt);
            gif.push_back((BYTE)nBlock);
            gif.insert(gif.end(), bits.m_bytes.begin() + nAt, bits.m_bytes.begin() + nAt + nBlock);
        }
        gif.push_back(0);
    }
    gif.push_back(0x3B);
    return gif;
}

std::vector<BYTE> MakeEncodedPicture(LPCWSTR pszMimeType, int cx, int cy, COLORREF cr)
{
    UINT nEncoders = 0, nBytes = 0;
    GdipGetImageEncodersSize(&nEncoders, &nBytes);
    std::vector<BYTE> table(nBytes);
    ImageCodecInfo* pCodecs = (ImageCodecInfo*)table.data();
    if (!nBytes || GdipGetImageEncoders(nEncoders, nBytes, pCodecs) != Ok)
        return {};
    const CLSID* pEncoder = NULL;
    for (UINT i = 0; i < nEncoders; i++)
        if (pCodecs[i].MimeType && wcscmp(pCodecs[i].MimeType, pszMimeType) == 0)
            pEncoder = &pCodecs[i].Clsid;
    if (!pEncoder)
        return {};

    GpBitmap* pBitmap = NULL;
    if (GdipCreateBitmapFromScan0(cx, cy, 0, PixelFormat32bppARGB, NULL, &pBitmap) != Ok)
        return {};
    GpGraphics* pGraphics = NULL;
    if (GdipGetImageGraphicsContext(pBitmap, &pGraphics) == Ok)
    {
        GdipGraphicsClear(pGraphics, 0xFF000000 | (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr));
        GdipDeleteGraphics(pGraphics);
    }
    // Encoded through a memory stream, so no file is left behind.
    std::vector<BYTE> bytes;
    IStream* pStream = NULL;
    if (::CreateStreamOnHGlobal(NULL, TRUE, &pStream) == S_OK)
    {
        if (GdipSaveImageToStream(pBitmap, pStream, pEncoder, NULL) == Ok)
        {
            HGLOBAL hGlobal = NULL;
            ::GetHGlobalFromStream(pStream, &hGlobal);
            STATSTG stat = {};
            pStream->Stat(&stat, STATFLAG_NONAME);
            const BYTE* p = (const BYTE*)::GlobalLock(hGlobal);
            if (p)
                bytes.assign(p, p + (size_t)stat.cbSize.QuadPart);
            ::GlobalUnlock(hGlobal);
        }
        pStream->Release();
    }
    GdipDisposeImage(pBitmap);
    return bytes;
}
}

DWORD PictureFiles::Crc32(const BYTE* p, size_t n, DWORD crc)
{
    crc = ~crc;
    for (size_t i = 0; i < n; i++)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

namespace
{
void PutBig32(std::vector<BYTE>& out, DWORD n)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((BYTE)(n >> shift));
}

void PutChunk(std::vector<BYTE>& out, const char* pszType, const std::vector<BYTE>& data)
{
    PutBig32(out, (DWORD)data.size());
    size_t nStart = out.size();
    out.insert(out.end(), pszType, pszType + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, PictureFiles::Crc32(&out[nStart], out.size() - nStart));
}
}

std::vector<BYTE> PictureFiles::MakePng(int cx, int cy, const std::function<COLORREF(int x, int y, BYTE& alpha)>& pixel)
{
    std::vector<BYTE> raw;
    for (int y = 0; y < cy; y++)
    {
        raw.push_back(0);
        for (int x = 0; x < cx; x++)
        {
            BYTE alpha = 255;
            COLORREF cr = pixel(x, y, alpha);
            raw.insert(raw.end(), { GetRValue(cr), GetGValue(cr), GetBValue(cr), alpha });
        }
    }
    std::vector<BYTE> zlib = { 0x78, 0x01 };
    size_t nDone = 0;
    do
    {
        size_t nBlock = std::min<size_t>(raw.size() - nDone, 65535);
        zlib.push_back(nDone + nBlock == raw.size() ? 1 : 0);
        zlib.insert(zlib.end(), { (BYTE)nBlock, (BYTE)(nBlock >> 8), (BYTE)~nBlock, (BYTE)(~nBlock >> 8) });
        zlib.insert(zlib.end(), raw.begin() + nDone, raw.begin() + nDone + nBlock);
        nDone += nBlock;
    } while (nDone < raw.size());
    DWORD a = 1, b = 0;
    for (BYTE c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);

    std::vector<BYTE> png = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    std::vector<BYTE> header;
    PutBig32(header, (DWORD)cx);
    PutBig32(header, (DWORD)cy);
    header.insert(header.end(), { 8, 6, 0, 0, 0 });
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}
