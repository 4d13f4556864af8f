#include "CSkinPreview.h"
#include "skin/CSkinRegistry.h"
#include "theme/CInterfaceTheme.h"
#include "theme/CMenuSkinner.h"
#include "parts/CWindowDpi.h"
#include "parts/CGdiplusSession.h"
#include <gdiplus.h>
#include <algorithm>
#include <memory>
#include <stdio.h>
#include "api/Globals.h"

namespace
{
const wchar_t USAGE[] = L"usage: skinpreview [--watch] [--app <folder>] [--size <cx>x<cy>] [--dpi <n>] [--out <prefix>] [--menu <name>] <target> "
                        L"<first.xml> [<second.xml>]\n";
// Large enough for any real frame, small enough for any bitmap budget.
const int MAX_PREVIEW_SIDE = 4096;

// A 32-bit top-down DIB section of cx x cy.
BOOL CreateSurface(int cx, int cy, CBitmap& bitmap)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    return hBitmap && bitmap.Attach(hBitmap);
}

// GDI leaves the alpha bytes of a surface alone: the pixels inside hShape (all of them when it is
// null) are made opaque and those outside it clear, as a shaped window shows nothing there.
void ApplyShape(CBitmap& bitmap, HRGN hShape)
{
    DIBSECTION dib;
    if (::GetObjectW(bitmap.m_hObject, sizeof(dib), &dib) != sizeof(dib) || !dib.dsBm.bmBits ||
        dib.dsBm.bmBitsPixel != 32)
        return;
    ::GdiFlush();
    for (int y = 0; y < dib.dsBm.bmHeight; y++)
    {
        DWORD* pRow = reinterpret_cast<DWORD*>(static_cast<BYTE*>(dib.dsBm.bmBits) + (size_t)y * dib.dsBm.bmWidthBytes);
        for (int x = 0; x < dib.dsBm.bmWidth; x++)
            pRow[x] = (!hShape || ::PtInRegion(hShape, x, y)) ? (pRow[x] | 0xFF000000) : 0;
    }
}


BOOL FindPngEncoder(CLSID& clsid)
{
    UINT nCount = 0, nBytes = 0;
    if (Gdiplus::GetImageEncodersSize(&nCount, &nBytes) != Gdiplus::Ok || nBytes == 0)
        return FALSE;
    std::vector<BYTE> buffer(nBytes);
    Gdiplus::ImageCodecInfo* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(nCount, nBytes, pCodecs) != Gdiplus::Ok)
        return FALSE;
    for (UINT n = 0; n < nCount; n++)
    {
        if (pCodecs[n].MimeType && wcscmp(pCodecs[n].MimeType, L"image/png") == 0)
        {
            clsid = pCodecs[n].Clsid;
            return TRUE;
        }
    }
    return FALSE;
}
}

BOOL CSkinPreview::PaintFrame(CWindowSkin& skin, int cx, int cy, int nState, int nHot, int nPressed,
                              const CString& strCaption, HICON hIcon, COLORREF crClient, CBitmap& bitmap, UINT nDpi)
{
    if (cx < 1 || cy < 1 || cx > MAX_PREVIEW_SIDE || cy > MAX_PREVIEW_SIDE)
        return FALSE;
    // The frame is painted for a real window, never shown, that answers for the caption text,
    // the icon and the size as a skinned dialog would, with every caption button the skin has.
    CWnd window;
    if (!window.CreateEx(WS_EX_TOOLWINDOW, L"STATIC", strCaption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                         0, 0, cx, cy, NULL, NULL))
        return FALSE;
    if (hIcon)
        window.SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    // Told its DPI as a skinned dialog is on a monitor of that DPI.
    CWindowDpi::Remember(window.m_hWnd, nDpi);
    BOOL bPainted = FALSE;
    CRect rcWindow;
    window.GetWindowRect(&rcWindow);
    if (rcWindow.Width() == cx && rcWindow.Height() == cy && CreateSurface(cx, cy, bitmap))
    {
        CClientDC screen(NULL);
        CDC dc;
        if (dc.CreateCompatibleDC(&screen))
        {
            HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)bitmap.m_hObject);
            CRect rcClient(0, 0, cx, cy);
            skin.CalcFrame(&rcClient, TRUE, CDpiScale(nDpi));
            dc.FillSolidRect(&rcClient, crClient);
            // The watermark is tiled from the client area's corner, as a skinned dialog erases
            // its background; the window answers for the whole picture, so it is drawn moved to
            // the client area and cut to it.
            const int nSaved = dc.SaveDC();
            dc.IntersectClipRect(&rcClient);
            dc.SetViewportOrg(rcClient.left, rcClient.top);
            skin.PaintWatermark(&window, &dc);
            dc.RestoreDC(nSaved);
            // The picture's window has its own hover and press, as every skinned window does.
            CWindowSkinState state;
            state.nHotButton = nHot;
            state.nPressedButton = nPressed;
            skin.Paint(&window, state, &dc, FALSE, nState);
            dc.SelectObject(hOld);
            // The window takes the skin's shape as a skinned dialog does; the picture keeps
            // what shows within it.
            skin.ApplyRegion(&window);
            CRgn shape;
            const BOOL bShaped = shape.CreateRectRgn(0, 0, 0, 0) && window.GetWindowRgn((HRGN)shape.m_hObject) != ERROR;
            ApplyShape(bitmap, bShaped ? (HRGN)shape.m_hObject : NULL);
            bPainted = TRUE;
        }
    }
    if (hIcon)
        window.SendMessage(WM_SETICON, ICON_SMALL, 0);
    CWindowDpi::Forget(window.m_hWnd);
    window.DestroyWindow();
    return bPainted;
}

BOOL CSkinPreview::PaintMenu(const CString& strMenu, int nHot, CBitmap& bitmap, UINT nDpi)
{
    // The engine's DPI is its host's; the preview borrows it for this menu only.
    struct CMenuDpiScope
    {
        UINT nOld = g_MenuSkinner.GetMenuDpi();
        ~CMenuDpiScope() { g_MenuSkinner.SetMenuDpi(nOld); }
    } scope;
    g_MenuSkinner.SetMenuDpi(nDpi);
    CMenu* pMenu = g_Registry.GetMenu(strMenu);
    if (!pMenu || !pMenu->m_hMenu || !g_MenuSkinner.PrepareMenu(pMenu))
        return FALSE;
    const HMENU hMenu = pMenu->m_hMenu;
    const int nCount = ::GetMenuItemCount(hMenu);
    if (nCount <= 0)
        return FALSE;
    // Each item measured, then drawn, as the menu engine answers the popup's own requests.
    std::vector<MENUITEMINFOW> items(nCount);
    std::vector<CRect> rects(nCount);
    int cx = 0, cy = 1;
    for (int n = 0; n < nCount; n++)
    {
        MENUITEMINFOW& item = items[n];
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, (UINT)n, TRUE, &item))
            return FALSE;
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = item.wID;
        measure.itemData = item.dwItemData;
        g_MenuSkinner.MeasureItem(&measure);
        rects[n].SetRect(1, cy, 1, cy + (int)measure.itemHeight);
        cx = std::max(cx, (int)measure.itemWidth);
        cy += (int)measure.itemHeight;
    }
    if (cx < 1 || cx > MAX_PREVIEW_SIDE || cy + 1 > MAX_PREVIEW_SIDE || !CreateSurface(cx + 2, cy + 1, bitmap))
        return FALSE;
    CClientDC screen(NULL);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return FALSE;
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)bitmap.m_hObject);
    dc.FillSolidRect(0, 0, cx + 2, cy + 1, g_Theme.Colour(SkinColour::MenuBorder));
    for (int n = 0; n < nCount; n++)
    {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = items[n].wID;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (n == nHot ? ODS_SELECTED : 0) | ((items[n].fState & MFS_DISABLED) ? ODS_DISABLED : 0) |
                         ((items[n].fState & MFS_CHECKED) ? ODS_CHECKED : 0);
        draw.hwndItem = (HWND)hMenu;
        draw.hDC = dc.m_hDC;
        draw.rcItem = rects[n];
        draw.rcItem.right = 1 + cx;
        draw.itemData = items[n].dwItemData;
        g_MenuSkinner.DrawItem(&draw);
    }
    dc.SelectObject(hOld);
    ApplyShape(bitmap, NULL);
    return TRUE;
}

BOOL CSkinPreview::PaintSwatches(CBitmap& bitmap)
{
    int nKeys = 0;
    const CInterfaceTheme::COLOUR_KEY* pKeys = CInterfaceTheme::GetColourKeys(nKeys);
    const int ROW = 20, SWATCH = 40, WIDTH = 260;
    const int nRows = nKeys;
    if (!CreateSurface(WIDTH, nRows * ROW, bitmap))
        return FALSE;
    CClientDC screen(NULL);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return FALSE;
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)bitmap.m_hObject);
    dc.FillSolidRect(0, 0, WIDTH, nRows * ROW, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ hOldFont = dc.SelectObject((HGDIOBJ)g_Theme.NormalFont().m_hObject);
    auto Row = [&](int nRow, LPCWSTR pszName, COLORREF cr) {
        const int y = nRow * ROW;
        // An unset colour shows as a crossed box.
        if (cr == 0xFFFFFFFF)
        {
            dc.FillSolidRect(2, y + 2, SWATCH, ROW - 4, RGB(255, 255, 255));
            dc.MoveTo(2, y + 2);
            dc.LineTo(2 + SWATCH, y + ROW - 2);
        }
        else
            dc.FillSolidRect(2, y + 2, SWATCH, ROW - 4, cr);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.TextOut(SWATCH + 8, y + 3, pszName);
    };
    for (int i = 0; i < nKeys; i++)
        Row(i, pKeys[i].pszKey,
            pKeys[i].colour == SkinColour::DialogBack ? g_Theme.DialogBackColour() : g_Theme.Colour(pKeys[i].colour));
    if (hOldFont)
        dc.SelectObject(hOldFont);
    dc.SelectObject(hOld);
    ApplyShape(bitmap, NULL);
    return TRUE;
}

BOOL CSkinPreview::SavePng(HBITMAP hBitmap, const CString& strPath)
{
    CGdiplusSession session;
    CLSID clsid;
    if (!hBitmap || !session.IsRunning() || !FindPngEncoder(clsid))
        return FALSE;
    // The preview's own surfaces carry their alpha (clear outside a window's shape); other
    // bitmaps are taken as opaque.
    DIBSECTION dib;
    std::unique_ptr<Gdiplus::Bitmap> pImage;
    if (::GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
        dib.dsBmih.biHeight < 0)
        pImage.reset(new Gdiplus::Bitmap(dib.dsBm.bmWidth, dib.dsBm.bmHeight, dib.dsBm.bmWidthBytes, PixelFormat32bppARGB,
                                         static_cast<BYTE*>(dib.dsBm.bmBits)));
    else
        pImage.reset(Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL));
    return pImage && pImage->Save(strPath, &clsid, NULL) == Gdiplus::Ok;
}

int CSkinPreview::Run(const std::vector<CString>& args, CString& strOutput)
{
    strOutput.Empty();
    CString strFolder, strPrefix = L"preview", strTarget, strFirst, strSecond, strMenu;
    int cx = 400, cy = 300;
    int nDpi = CDpiScale::BASE_DPI;
    int nNames = 0;
    BOOL bBad = FALSE;
    for (size_t n = 0; n < args.size(); n++)
    {
        if (args[n] == L"--app" && n + 1 < args.size())
        {
            strFolder = args[++n];
            strFolder.Replace(L'/', L'\\');
            if (!strFolder.IsEmpty() && strFolder[strFolder.GetLength() - 1] != L'\\')
                strFolder += L'\\';
        }
        else if (args[n] == L"--out" && n + 1 < args.size())
            strPrefix = args[++n];
        else if (args[n] == L"--menu" && n + 1 < args.size())
            strMenu = args[++n];
        else if (args[n] == L"--size" && n + 1 < args.size())
            bBad = bBad || swscanf(args[++n], L"%dx%d", &cx, &cy) != 2;
        else if (args[n] == L"--dpi" && n + 1 < args.size())
            bBad = bBad || swscanf(args[++n], L"%d", &nDpi) != 1 || nDpi < CDpiScale::MIN_DPI || nDpi > CDpiScale::MAX_DPI;
        else if (args[n].IsEmpty() || args[n][0] == L'-' || nNames == 3)
            bBad = TRUE;
        else
        {
            (nNames == 0 ? strTarget : nNames == 1 ? strFirst : strSecond) = args[n];
            nNames++;
        }
    }
    const CDpiScale scale((UINT)nDpi);
    if (!bBad && nNames >= 2)
        cx = scale.Scale(cx), cy = scale.Scale(cy);
    if (bBad || nNames < 2 || cx < 1 || cy < 1 || cx > MAX_PREVIEW_SIDE || cy > MAX_PREVIEW_SIDE)
    {
        strOutput = USAGE;
        return 2;
    }
    strFirst.Replace(L'/', L'\\');
    strSecond.Replace(L'/', L'\\');

    // The skin's PNG images decode through GDI+.
    CGdiplusSession session;
    g_Registry.Load(strFolder, strFirst, strSecond);
    int nStatus = 0;
    auto Write = [&](CBitmap& bitmap, const CString& strSuffix) {
        CString strPath = strPrefix + L"-" + strSuffix + L".png";
        if (SavePng((HBITMAP)bitmap.m_hObject, strPath))
            strOutput += L"wrote " + strPath + L"\n";
        else
        {
            strOutput += L"cannot write " + strPath + L"\n";
            nStatus = 2;
        }
    };

    CWindowSkin* pSkin = static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(strTarget));
    if (!pSkin)
    {
        strOutput += L"no window skin targets '" + strTarget + L"'\n";
        nStatus = 2;
    }
    else
    {
        static const wchar_t* const s_pszButtons[] = { L"", L"system", L"minimise", L"maximise", L"close" };
        const HICON hIcon = (HICON)::LoadImageW(NULL, MAKEINTRESOURCEW(32512), IMAGE_ICON, 16, 16, LR_SHARED);
        for (int nState : { (int)CWindowSkin::STATE_ACTIVE, (int)CWindowSkin::STATE_INACTIVE })
        {
            CBitmap bitmap;
            if (PaintFrame(*pSkin, cx, cy, nState, 0, 0, strTarget, hIcon, g_Theme.DialogBackColour(), bitmap, scale.GetDpi()))
                Write(bitmap, nState == CWindowSkin::STATE_ACTIVE ? L"active" : L"inactive");
            else
                nStatus = 2;
        }
        for (int nButton = CWindowSkin::ANCHOR_SYSTEM; nButton <= CWindowSkin::ANCHOR_CLOSE; nButton++)
        {
            if (!pSkin->m_pAnchorPresent[nButton])
                continue;
            for (BOOL bPressed : { FALSE, TRUE })
            {
                CBitmap bitmap;
                if (PaintFrame(*pSkin, cx, cy, CWindowSkin::STATE_ACTIVE, nButton, bPressed ? nButton : 0,
                               strTarget, hIcon, g_Theme.DialogBackColour(), bitmap, scale.GetDpi()))
                    Write(bitmap, CString(s_pszButtons[nButton]) + (bPressed ? L"-pressed" : L"-hot"));
                else
                    nStatus = 2;
            }
        }
    }
    if (!strMenu.IsEmpty())
    {
        // The first item highlighted, as under the pointer.
        CBitmap menu;
        if (PaintMenu(strMenu, 0, menu, scale.GetDpi()))
            Write(menu, L"menu");
        else
        {
            strOutput += L"no menu named '" + strMenu + L"'\n";
            nStatus = 2;
        }
    }
    CBitmap swatches;
    if (PaintSwatches(swatches))
        Write(swatches, L"colours");
    else
        nStatus = 2;
    g_Registry.Clear();
    return nStatus;
}
