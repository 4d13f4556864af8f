#include "KorvoTest.h"
#include <shellapi.h>
#include <algorithm>

namespace KorvoTest
{
void PumpMessages(DWORD nMilliseconds)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (nMilliseconds)
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

CTempFolder::CTempFolder()
{
    wchar_t szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    static LONG s_nSerial = 0;
    m_strPath.Format(L"%skorvo-%lu-%ld\\", szTemp, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nSerial));
    ::CreateDirectoryW(m_strPath, NULL);
}

CTempFolder::~CTempFolder()
{
    // SHFileOperation wants a double-NUL-terminated list.
    CString strFrom = m_strPath.Left(m_strPath.GetLength() - 1);
    std::wstring from(strFrom.GetString(), strFrom.GetLength());
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

CString CTempFolder::WriteFile(LPCWSTR pszRelative, const void* pData, size_t nLength) const
{
    CString strPath = m_strPath + pszRelative;
    for (int n = m_strPath.GetLength(); (n = strPath.Find(L'\\', n)) >= 0; n++)
        ::CreateDirectoryW(strPath.Left(n), NULL);
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten = 0;
        ::WriteFile(hFile, pData, (DWORD)nLength, &nWritten, NULL);
        ::CloseHandle(hFile);
    }
    return strPath;
}

std::vector<BYTE> MakeBitmapFile(int cx, int cy, COLORREF (*pfnColour)(int x, int y, void* pContext), void* pContext)
{
    int nStride = (cx * 3 + 3) & ~3;
    BITMAPFILEHEADER bfh = {};
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + nStride * cy;
    std::vector<BYTE> file(bfh.bfSize, 0);
    memcpy(&file[0], &bfh, sizeof(bfh));
    memcpy(&file[sizeof(bfh)], &bih, sizeof(bih));
    for (int y = 0; y < cy; y++)
    {
        // Rows are stored bottom-up, each pixel blue, green, red.
        BYTE* pRow = &file[bfh.bfOffBits + (cy - 1 - y) * nStride];
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr = pfnColour(x, y, pContext);
            pRow[x * 3] = GetBValue(cr);
            pRow[x * 3 + 1] = GetGValue(cr);
            pRow[x * 3 + 2] = GetRValue(cr);
        }
    }
    return file;
}

HBITMAP MakeBitmap(int cx, int cy, COLORREF cr, COLORREF crCorner, int nCorner)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    RECT rcAll = { 0, 0, cx, cy }, rcCorner = { 0, 0, nCorner, nCorner };
    ::SetBkColor(hMem, cr);
    ::ExtTextOutW(hMem, 0, 0, ETO_OPAQUE, &rcAll, NULL, 0, NULL);
    ::SetBkColor(hMem, crCorner);
    ::ExtTextOutW(hMem, 0, 0, ETO_OPAQUE, &rcCorner, NULL, 0, NULL);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

HICON MakeSolidIcon(COLORREF cr)
{
    BYTE andMask[16 * 16 / 8] = {};
    DWORD colour[16 * 16];
    for (DWORD& c : colour)
        c = 0xFF000000 | (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    HBITMAP hColour = ::CreateBitmap(16, 16, 1, 32, colour);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, andMask);
    ICONINFO info = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

double Now()
{
    static LARGE_INTEGER liFrequency;
    if (!liFrequency.QuadPart)
        ::QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER liCounter;
    ::QueryPerformanceCounter(&liCounter);
    return (double)liCounter.QuadPart / (double)liFrequency.QuadPart;
}

CPixelCanvas::CPixelCanvas(int cx, int cy, COLORREF crFill)
{
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32 } };
    void* pBits = NULL;
    m_dc.CreateCompatibleDC(NULL);
    m_hBitmap = ::CreateDIBSection(m_dc.m_hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    m_dc.FillSolidRect(0, 0, cx, cy, crFill);
}

CPixelCanvas::~CPixelCanvas()
{
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
}

CWindowPixels::CWindowPixels(HWND hWnd, bool bClientOnly)
{
    CRect rc;
    if (bClientOnly)
        ::GetClientRect(hWnd, &rc);
    else
        ::GetWindowRect(hWnd, &rc);
    m_cx = rc.Width();
    m_cy = rc.Height();
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), m_cx, -m_cy, 1, 32 } };
    void* pBits = NULL;
    HDC hMemory = ::CreateCompatibleDC(NULL);
    HBITMAP hBitmap = ::CreateDIBSection(hMemory, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    HDC hWindow = bClientOnly ? ::GetDC(hWnd) : ::GetWindowDC(hWnd);
    ::BitBlt(hMemory, 0, 0, m_cx, m_cy, hWindow, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindow);
    ::GdiFlush();
    if (!pBits)
        m_cx = m_cy = 0;
    const DWORD* pPixel = (const DWORD*)pBits;
    for (int n = 0; n < m_cx * m_cy; n++, pPixel++)
        m_pixels.push_back(RGB((*pPixel >> 16) & 0xFF, (*pPixel >> 8) & 0xFF, *pPixel & 0xFF));
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
}

SIZE_T CommittedPrivateBytes()
{
    SIZE_T nTotal = 0;
    MEMORY_BASIC_INFORMATION info;
    for (BYTE* p = NULL; ::VirtualQuery(p, &info, sizeof(info)) == sizeof(info); p = (BYTE*)info.BaseAddress + info.RegionSize)
    {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            nTotal += info.RegionSize;
        if ((BYTE*)info.BaseAddress + info.RegionSize <= p)
            break;
    }
    return nTotal;
}

CHandleHighs FreshHandleHighs(int nProbes)
{
    CHandleHighs highs;
    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    for (int i = 0; i < nProbes; i++)
    {
        brushes.push_back(::CreateSolidBrush(RGB(i & 0xFF, 1, 2)));
        menus.push_back(::CreateMenu());
        highs.nGdi = std::max(highs.nGdi, (int)((UINT_PTR)brushes.back() & 0xFFFF));
        highs.nUser = std::max(highs.nUser, (int)((UINT_PTR)menus.back() & 0xFFFF));
    }
    for (HBRUSH hBrush : brushes)
        ::DeleteObject(hBrush);
    for (HMENU hMenu : menus)
        ::DestroyMenu(hMenu);
    return highs;
}
}
