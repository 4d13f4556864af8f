// Helpers of the theme tests: sections parsed from literal XML, images written as files, and
// device contexts whose pixels can be read back.
#pragma once
#include "theme/CInterfaceTheme.h"
#include "theme/CMenuSkinner.h"
#include "xml/XML.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef std::unique_ptr<CXmlElement> XmlDocument;

inline XmlDocument ParseSection(LPCWSTR pszText)
{
    return XmlDocument(XmlParseDocument(pszText, FALSE));
}

// The theme as a skin load leaves it before the definition is read.
inline void ResetTheme()
{
    g_Theme.Clear();
    g_Theme.Reset();
}

// A 32-bit top-down DIB selected into a memory DC.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255)) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        Fill(crFill);
    }
    ~CPixelCanvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    void Fill(COLORREF cr)
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        HBRUSH hBrush = ::CreateSolidBrush(cr);
        ::FillRect(m_hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD n = m_pBits[y * m_cx + x];
        return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    }
    HDC Dc() const { return m_hDC; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    int m_cx, m_cy;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = NULL;
};

// A 24-bit bottom-up BMP file of the given size, coloured pixel by pixel.
inline std::string MakeBmpFile(int cx, int cy, const std::function<COLORREF(int, int)>& pixel)
{
    int nStride = (cx * 3 + 3) & ~3;
    std::string bytes(54 + nStride * cy, '\0');
    BITMAPFILEHEADER* pFile = (BITMAPFILEHEADER*)&bytes[0];
    pFile->bfType = 0x4D42;
    pFile->bfSize = (DWORD)bytes.size();
    pFile->bfOffBits = 54;
    BITMAPINFOHEADER* pInfo = (BITMAPINFOHEADER*)&bytes[14];
    pInfo->biSize = 40;
    pInfo->biWidth = cx;
    pInfo->biHeight = cy;
    pInfo->biPlanes = 1;
    pInfo->biBitCount = 24;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr = pixel(x, y);
            char* p = &bytes[54 + (cy - 1 - y) * nStride + x * 3];
            p[0] = (char)GetBValue(cr);
            p[1] = (char)GetGValue(cr);
            p[2] = (char)GetRValue(cr);
        }
    return bytes;
}

// An icon file with one opaque square image per (size, colour) pair, 32 bits per pixel.
inline std::string MakeIconFile(const std::vector<std::pair<int, COLORREF>>& images)
{
    std::string header(6 + 16 * images.size(), '\0');
    WORD* pDir = (WORD*)&header[0];
    pDir[1] = 1;
    pDir[2] = (WORD)images.size();
    std::string data;
    for (size_t n = 0; n < images.size(); n++)
    {
        int nSize = images[n].first;
        COLORREF cr = images[n].second;
        int nMaskStride = ((nSize + 31) / 32) * 4;
        std::string image(40 + nSize * nSize * 4 + nMaskStride * nSize, '\0');
        BITMAPINFOHEADER* pInfo = (BITMAPINFOHEADER*)&image[0];
        pInfo->biSize = 40;
        pInfo->biWidth = nSize;
        pInfo->biHeight = nSize * 2;
        pInfo->biPlanes = 1;
        pInfo->biBitCount = 32;
        DWORD* pPixels = (DWORD*)&image[40];
        for (int i = 0; i < nSize * nSize; i++)
            pPixels[i] = 0xFF000000 | (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);

        BYTE* pEntry = (BYTE*)&header[6 + 16 * n];
        pEntry[0] = (BYTE)(nSize == 256 ? 0 : nSize);
        pEntry[1] = (BYTE)(nSize == 256 ? 0 : nSize);
        *(WORD*)&pEntry[4] = 1;
        *(WORD*)&pEntry[6] = 32;
        *(DWORD*)&pEntry[8] = (DWORD)image.size();
        *(DWORD*)&pEntry[12] = (DWORD)(header.size() + data.size());
        data += image;
    }
    return header + data;
}

// The colour in the middle of an icon drawn on white.
inline COLORREF IconCentre(HICON hIcon, int nSize)
{
    CPixelCanvas canvas(nSize, nSize);
    ::DrawIconEx(canvas.Dc(), 0, 0, hIcon, nSize, nSize, 0, NULL, DI_NORMAL);
    return canvas.Pixel(nSize / 2, nSize / 2);
}

// Distinct colours for the menu tests, so every painted part can be told apart.
namespace MenuPalette
{
const COLORREF BACK = RGB(250, 240, 230);
const COLORREF HOVER = RGB(100, 150, 250);
const COLORREF FRAME = RGB(200, 0, 0);
const COLORREF BORDER = RGB(0, 0, 160);
const COLORREF BACK_NORMAL = RGB(230, 230, 200);
const COLORREF BACK_CHECK = RGB(180, 220, 180);
const COLORREF BACK_CHECK_SEL = RGB(120, 200, 120);
const COLORREF TEXT = RGB(0, 0, 255);
const COLORREF TEXT_SEL = RGB(0, 128, 0);
const COLORREF DISABLED = RGB(255, 0, 0);
}

inline void ApplyMenuPalette()
{
    g_Theme.m_crMenuBack = MenuPalette::BACK;
    g_Theme.m_crMenuHover = MenuPalette::HOVER;
    g_Theme.m_crMenuBorder = MenuPalette::FRAME;
    g_Theme.m_crBorder = MenuPalette::BORDER;
    g_Theme.m_crBackNormal = MenuPalette::BACK_NORMAL;
    g_Theme.m_crBackCheck = MenuPalette::BACK_CHECK;
    g_Theme.m_crBackCheckSel = MenuPalette::BACK_CHECK_SEL;
    g_Theme.m_crCmdText = MenuPalette::TEXT;
    g_Theme.m_crCmdTextSel = MenuPalette::TEXT_SEL;
    g_Theme.m_crDisabled = MenuPalette::DISABLED;
}

// The theme after a skin load with the menu palette, the check mark, and the hook in place.
inline void PrepareMenuTheme()
{
    ResetTheme();
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    g_Theme.AddIcon(ID_DEFAULT_CHECK_MARK, hTick, SIZE_CODE_16);
    ::DestroyIcon(hTick);
    ApplyMenuPalette();
    g_MenuSkinner.Initialize();
}

// The item data PrepareMenu wrote for an item.
inline ULONG_PTR ItemData(HMENU hMenu, int nPosition)
{
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
    return info.dwItemData;
}

inline UINT ItemType(HMENU hMenu, int nPosition)
{
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
    return info.fType;
}

// An opaque square icon of one colour.
inline HICON MakeSolidIcon(COLORREF cr, int nSize = 16)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, nSize, nSize);
    HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColour);
    RECT rc = { 0, 0, nSize, nSize };
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, nSize, nSize, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO info = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}
