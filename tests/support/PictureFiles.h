// Picture files the picture-control tests and benchmarks write for themselves: GIFs byte by
// byte, PNG and JPEG through GDI+'s own encoders (GDI+ must be running).
#pragma once
#include <afxwin.h>
#include <functional>
#include <vector>

namespace PictureFiles
{
// The CRC-32 of PNG chunks, continuing from crc.
DWORD Crc32(const BYTE* p, size_t n, DWORD crc = 0);
// A GIF of cx by cy pixels, one frame per colour, each frame solid. nDelay is every frame's
// delay in hundredths of a second; a negative delay leaves the delays out of the file.
std::vector<BYTE> MakeGif(int cx, int cy, const std::vector<COLORREF>& frames, int nDelay);

// A picture of one colour in the format of the encoder with that MIME type ("image/png",
// "image/jpeg"); empty when GDI+ cannot encode it.
std::vector<BYTE> MakeEncodedPicture(LPCWSTR pszMimeType, int cx, int cy, COLORREF cr);

// A PNG of cx by cy pixels, 8-bit RGBA, its image data in stored (uncompressed) deflate blocks;
// pixel gives each pixel's colour and sets its alpha (255 when left alone).
std::vector<BYTE> MakePng(int cx, int cy, const std::function<COLORREF(int x, int y, BYTE& alpha)>& pixel);
}
