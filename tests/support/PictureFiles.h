// Picture files the picture-control tests and benchmarks write for themselves: GIFs byte by
// byte, PNG and JPEG through GDI+'s own encoders (GDI+ must be running).
#pragma once
#include <afxwin.h>
#include <vector>

namespace PictureFiles
{
// A GIF of cx by cy pixels, one frame per colour, each frame solid. nDelay is every frame's
// delay in hundredths of a second; a negative delay leaves the delays out of the file.
std::vector<BYTE> MakeGif(int cx, int cy, const std::vector<COLORREF>& frames, int nDelay);

// A picture of one colour in the format of the encoder with that MIME type ("image/png",
// "image/jpeg"); empty when GDI+ cannot encode it.
std::vector<BYTE> MakeEncodedPicture(LPCWSTR pszMimeType, int cx, int cy, COLORREF cr);
}
