// Helpers shared by the test programs.
#pragma once
#include <afxwin.h>
#include <string>
#include <vector>

namespace KorvoTest
{
// A 32-bit DIB selected into a memory DC, so pixels read back exactly.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255));
    ~CPixelCanvas();
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.m_hDC, x, y); }
    HDC Dc() const { return m_dc.m_hDC; }

protected:
    CDC m_dc;

private:
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// A window's pixels as the screen shows them, read at once: the whole window with its frame,
// or only its client area.
class CWindowPixels
{
public:
    explicit CWindowPixels(HWND hWnd, bool bClientOnly = false);
    // CLR_INVALID outside the window, as GetPixel answers.
    COLORREF At(int x, int y) const
    {
        return x < 0 || y < 0 || x >= m_cx || y >= m_cy ? CLR_INVALID : m_pixels[(size_t)y * m_cx + x];
    }
    int m_cx = 0;
    int m_cy = 0;
    std::vector<COLORREF> m_pixels;
};

// Dispatches queued messages of this thread for about nMilliseconds (at least one pass).
void PumpMessages(DWORD nMilliseconds = 0);

// A fresh, empty folder for one test, ending in a backslash; removed with the object.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    const CString& Path() const { return m_strPath; }
    // Writes bytes to a file in the folder (sub-folders are created); returns its full path.
    CString WriteFile(LPCWSTR pszRelative, const void* pData, size_t nLength) const;
    CString WriteFile(LPCWSTR pszRelative, const std::string& strUtf8) const
    {
        return WriteFile(pszRelative, strUtf8.data(), strUtf8.size());
    }

private:
    CString m_strPath;
};

// The bytes of a 24-bit bitmap file whose pixel (x, y), counted from the top, is pfnColour's.
std::vector<BYTE> MakeBitmapFile(int cx, int cy, COLORREF (*pfnColour)(int x, int y, void* pContext), void* pContext);

// A screen-compatible bitmap filled with cr, its top-left nCorner by nCorner square crCorner.
HBITMAP MakeBitmap(int cx, int cy, COLORREF cr, COLORREF crCorner, int nCorner = 4);

// An opaque 16 by 16 icon of one colour; the caller destroys it.
HICON MakeSolidIcon(COLORREF cr);

// The highest GDI and USER handle slots (low 16 bits) among nProbes fresh brushes and menus,
// which are freed again. Freed slots are reused first, so while the probes outnumber the free
// slots these grow with the objects alive: a count where the platform keeps none (Wine's
// GetGuiResources answers 0).
struct CHandleHighs
{
    int nGdi = 0, nUser = 0;
};
CHandleHighs FreshHandleHighs(int nProbes = 3000);

// The memory committed to this process alone, summed over its address space. Wine answers 0 for
// the private usage GetProcessMemoryInfo reports, so growth is measured with this.
SIZE_T CommittedPrivateBytes();

// Seconds from the performance counter, for benchmarks' timings.
double Now();
}
