// Helpers of the theme tests: the theme as a skin load starts it, bitmap files, and device
// contexts whose pixels can be read back.
#pragma once
#include "theme/CInterfaceTheme.h"
#include "theme/CMenuSkinner.h"
#include "xml/XML.h"
#include <KorvoSkin/SkinApi.h>
#include "api/Globals.h"
#include "SkinFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

typedef std::unique_ptr<CXmlElement> XmlDocument;

// The theme as a skin load leaves it before the definition is read: the registry's reset adds
// the library's tick for command 100.
inline void ResetTheme()
{
    g_Theme.Clear();
    g_Theme.Reset();
    if (g_Theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16) >= 0)
        return;
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    g_Theme.AddBaseIcon(ID_DEFAULT_CHECK_MARK, hTick, SIZE_CODE_16);
    ::DestroyIcon(hTick);
}

inline CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

using KorvoTest::CPixelCanvas;
using KorvoTest::CWindowPixels;

inline void WriteBitmap(const KorvoTest::CTempFolder& folder, LPCWSTR pszName, int cx, int cy,
                        COLORREF (*pfnColour)(int x, int y, void*))
{
    std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(cx, cy, pfnColour, NULL);
    folder.WriteFile(pszName, bytes.data(), bytes.size());
}

// An icon file with one opaque square image per (size, colour) pair, 32 bits per pixel.
inline std::string MakeIconFile(const std::vector<std::pair<int, COLORREF>>& images)
{
    std::string header(6 + 16 * images.size(), '\0'), data;
    ((WORD*)&header[0])[1] = 1;
    ((WORD*)&header[0])[2] = (WORD)images.size();
    for (size_t n = 0; n < images.size(); n++)
    {
        int nSize = images[n].first;
        COLORREF cr = images[n].second;
        std::string image(40 + nSize * nSize * 4 + nSize * 4, '\0');
        *(BITMAPINFOHEADER*)&image[0] = { 40, nSize, nSize * 2, 1, 32 };
        DWORD dwPixel = 0xFF000000 | GetRValue(cr) << 16 | GetGValue(cr) << 8 | GetBValue(cr);
        std::fill_n((DWORD*)&image[40], nSize * nSize, dwPixel);
        BYTE* pEntry = (BYTE*)&header[6 + 16 * n];
        pEntry[0] = pEntry[1] = (BYTE)nSize;
        ((WORD*)pEntry)[2] = 1;
        ((WORD*)pEntry)[3] = 32;
        ((DWORD*)pEntry)[2] = (DWORD)image.size();
        ((DWORD*)pEntry)[3] = (DWORD)(header.size() + data.size());
        data += image;
    }
    return header + data;
}

using KorvoTest::CSkinFolder;

using KorvoTest::CommittedPrivateBytes;
