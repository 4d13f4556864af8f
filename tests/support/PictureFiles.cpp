#include "PictureFiles.h"
#include <gdiplus.h>

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
