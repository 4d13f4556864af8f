// What the frame-shadow tests share: a skin whose shadow pictures are plain black of known
// alphas, the shadow popups of the thread, pixels read through the popup and from the screen, and
// stand-ins for the desktop's composition and the monitor's work area.
#pragma once
#include "SkinTestSupport.h"
#include "../support/PictureFiles.h"
#include <parts/CDwmAttributes.h>
#include <parts/CGdiplusSession.h>
#include <parts/CWorkArea.h>
#include <windowskin/CFrameShadow.h>
#include <algorithm>
#include <utility>
#include <vector>

namespace ShadowTest
{
using namespace SkinTest;

inline const CRect WINDOW(150, 120, 450, 320);
// Shadow pictures are black, their alpha the look: the grid is 8 on every side, the offset 2,3.
inline const BYTE ACTIVE_ALPHA = 160, INACTIVE_ALPHA = 60, DOUBLE_ALPHA = 220;
inline const LPCWSTR SHADOW = L"<shadow image=\"shadow.png\" inactiveImage=\"dim.png\" grid=\"8,8,8,8\" offset=\"2,3\"/>";
inline const BYTE GREY = 128;

inline std::vector<HWND> g_shadows;

inline BOOL CALLBACK CollectShadow(HWND hWnd, LPARAM)
{
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    if (lstrcmpW(szClass, CFrameShadow::WINDOW_CLASS) == 0)
        g_shadows.push_back(hWnd);
    return TRUE;
}

// Every shadow popup of this thread, shown or not.
inline std::vector<HWND> Shadows()
{
    g_shadows.clear();
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectShadow, 0);
    return g_shadows;
}

inline size_t ShownShadows()
{
    const std::vector<HWND> shadows = Shadows();
    return std::count_if(shadows.begin(), shadows.end(), [](HWND hWnd) { return ::IsWindowVisible(hWnd) != FALSE; });
}

// What the screen shows at pt: the window manager's stacking, not the windows' own order.
inline COLORREF ScreenAt(CPoint pt)
{
    HDC hScreen = ::GetDC(NULL);
    const COLORREF cr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

inline CRect RectOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The shadow's pixel at (x, y) blended over mid-grey, as the window prints itself; its red.
inline int GreyThrough(HWND hShadow, int x, int y)
{
    const CSize size = RectOf(hShadow).Size();
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    void* pBits = NULL;
    CBitmap bitmap;
    CDC dc;
    if (!bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0)) || !dc.CreateCompatibleDC(NULL))
        return -1;
    const HGDIOBJ hOld = ::SelectObject(dc.m_hDC, bitmap.m_hObject);
    memset(pBits, GREY, (size_t)size.cx * size.cy * 4);
    ::PrintWindow(hShadow, dc.m_hDC, 0);
    ::GdiFlush();
    const int nRed = ((const BYTE*)pBits)[((size_t)y * size.cx + x) * 4 + 2];
    ::SelectObject(dc.m_hDC, hOld);
    return nRed;
}

// Mid-grey under black of that alpha.
inline int Expected(BYTE alpha)
{
    return (GREY * (255 - alpha) + 127) / 255;
}

inline HRESULT WINAPI NotComposed(BOOL* pfEnabled)
{
    *pfEnabled = FALSE;
    return S_OK;
}

inline HRESULT WINAPI Composed(BOOL* pfEnabled)
{
    *pfEnabled = TRUE;
    return S_OK;
}

inline std::vector<std::pair<HWND, int>> g_extended;

inline HRESULT WINAPI RecordExtend(HWND hWnd, const MARGINS* pMargins)
{
    EXPECT_TRUE(pMargins->cxLeftWidth == pMargins->cyTopHeight && pMargins->cxRightWidth == pMargins->cyBottomHeight
                && pMargins->cxLeftWidth == pMargins->cxRightWidth);
    g_extended.emplace_back(hWnd, pMargins->cxLeftWidth);
    return S_OK;
}

inline CWorkArea::MONITOR g_monitor;
inline CWorkArea::MONITOR FakeMonitor(HMONITOR)
{
    return g_monitor;
}

struct FrameShadow : CSkinnedDialogTest
{
    CGdiplusSession session;

    FrameShadow()
    {
        g_extended.clear();
        CDwmAttributes::ReplaceComposition(NotComposed, RecordExtend);
        WritePng(L"Definitions\\shadow.png", 24, ACTIVE_ALPHA);
        WritePng(L"Definitions\\dim.png", 24, INACTIVE_ALPHA);
        CFrameShadow::DestroySpare();
    }
    ~FrameShadow()
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        CFrameShadow::DestroySpare();
        CDwmAttributes::UseSystem();
        CWorkArea::SetReader(NULL);
    }

    void WritePng(LPCWSTR pszName, int nSide, BYTE alpha, COLORREF cr = RGB(0, 0, 0))
    {
        const std::vector<BYTE> png = PictureFiles::MakePng(nSide, nSide, [alpha, cr](int, int, BYTE& a) {
            a = alpha;
            return cr;
        });
        defs.WriteFile(pszName, png.data(), png.size());
    }
    CString ShadowSkin(LPCWSTR pszShadow = SHADOW, LPCWSTR pszTarget = L"Main", bool bShaped = false)
    {
        CSkinBuilder builder = FrameSkin(pszTarget);
        builder.Xml(pszShadow);
        if (bShaped)
            builder.Xml(L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"12,12\"/></region>");
        return defs.Skin(builder);
    }
    // The one shadow popup there is.
    HWND Shadow()
    {
        const std::vector<HWND> shadows = Shadows();
        EXPECT_EQ(1u, shadows.size());
        return shadows.size() == 1 ? shadows[0] : NULL;
    }
    // The dialog framed by the shadowed skin at WINDOW, and its shadow popup; null when either
    // is missing.
    HWND CreateShadowed()
    {
        defs.Load(ShadowSkin());
        return dlg.CreateSkinned(WINDOW) ? Shadow() : NULL;
    }
    // Where the shadow belongs around a frame: the grid outside each edge, moved by the offset.
    static CRect Around(const CRect& rcFrame, int nScale = 1)
    {
        CRect rc = rcFrame;
        rc.InflateRect(8 * nScale, 8 * nScale);
        rc.OffsetRect(2 * nScale, 3 * nScale);
        return rc;
    }
};
} // namespace ShadowTest
