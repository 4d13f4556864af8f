// Picture files the picture-control tests and benchmarks write for themselves: GIFs byte by
// byte, PNG and JPEG through GDI+'s own encoders.
#pragma once
#include <afxwin.h>
#include <vector>

namespace PictureFiles
{
// Starts GDI+ for as long as the object lives, as InitSkin does for a host.
class CGdiplusSession
{
public:
    CGdiplusSession();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

private:
    ULONG_PTR m_nToken = 0;
};

// A GIF of cx by cy pixels, one frame per colour, each frame solid. nDelay is every frame's
// delay in hundredths of a second; a negative delay leaves the delays out of the file.
std::vector<BYTE> MakeGif(int cx, int cy, const std::vector<COLORREF>& frames, int nDelay);

// A picture of one colour in the format of the encoder with that MIME type ("image/png",
// "image/jpeg"); empty when GDI+ cannot encode it.
std::vector<BYTE> MakeEncodedPicture(LPCWSTR pszMimeType, int cx, int cy, COLORREF cr);
}
