#include "SkinFiles.h"
#include <vector>

CString CSkinFolder::WriteBitmap(LPCWSTR pszRelative, int cx, int cy, COLORREF cr) const
{
    int nStride = (cx * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = cx;
    info.biHeight = cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + nStride * cy;
    std::vector<BYTE> bytes(file.bfSize);
    memcpy(&bytes[0], &file, sizeof(file));
    memcpy(&bytes[sizeof(file)], &info, sizeof(info));
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            BYTE* p = &bytes[file.bfOffBits + y * nStride + x * 3];
            p[0] = GetBValue(cr);
            p[1] = GetGValue(cr);
            p[2] = GetRValue(cr);
        }
    }
    return WriteFile(pszRelative, bytes.data(), bytes.size());
}
