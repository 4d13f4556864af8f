// Repainting a 24-button skinned toolbar against a common-controls toolbar holding the same
// bitmaps, in one process: a full repaint of each, and the skinned bar's repaint after the
// hovered button changes, and the library's own share of each composed off screen. Prints the
// figures and their ratios.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "PictureFiles.h"
#include <KorvoSkin.h>
#include <api/Globals.h>
#include <skin/CSkinRegistry.h>
#include <stdio.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
const int BUTTONS = 24;
const int BUTTON_SIZE = 24;
const int ROUNDS = 100;
const int BATCHES = 7;

double Now()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1e6 / (double)f.QuadPart;
}

// Microseconds per repaint: the area is invalidated by pfnDirty, then painted at once.
template <class F> double Measure(HWND hWnd, F pfnDirty)
{
    for (int i = 0; i < 20; i++)
    {
        pfnDirty(i);
        ::UpdateWindow(hWnd);
    }
    ::GdiFlush();
    double t0 = Now();
    for (int i = 0; i < ROUNDS; i++)
    {
        pfnDirty(i);
        ::UpdateWindow(hWnd);
    }
    ::GdiFlush();
    return (Now() - t0) / ROUNDS;
}
}

int main()
{
    InitSkin();
    KorvoTest::CTempFolder folder;
    CString strSaved = g_strAppFolder;
    g_strAppFolder = folder.Path();

    // 24 buttons with three images each, white-cornered as skins draw them; and the same as
    // PNGs whose corners are clear and whose faces are slightly translucent instead.
    std::string strWatermarks[2] = { "<watermarks>", "<watermarks>" };
    for (int i = 0; i < BUTTONS; i++)
    {
        for (int nState = 0; nState < 3; nState++)
        {
            COLORREF cr = RGB(40 + i * 8, 60 * nState, 200 - i * 5);
            std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(BUTTON_SIZE, BUTTON_SIZE, [](int x, int y, void* p) {
                return (x < 3 || y < 3) ? RGB(255, 255, 255) : *(COLORREF*)p; }, &cr);
            std::vector<BYTE> png = PictureFiles::MakePng(BUTTON_SIZE, BUTTON_SIZE, [cr](int x, int y, BYTE& alpha) {
                alpha = (x < 3 || y < 3) ? 0 : 230;
                return cr;
            });
            const std::string strBase = "b" + std::to_string(i) + "_" + std::to_string(nState);
            const std::wstring strFile = L"Definitions\\" + std::wstring(strBase.begin(), strBase.end());
            folder.WriteFile((strFile + L".bmp").c_str(), bytes.data(), bytes.size());
            folder.WriteFile((strFile + L".png").c_str(), png.data(), png.size());
            static const char* const suffix[3] = { "", ".HOVER", ".SELECT" };
            for (int nKind = 0; nKind < 2; nKind++)
                strWatermarks[nKind] += "<watermark target=\"B" + std::to_string(i) + suffix[nState] + "\" path=\"" + strBase +
                                        (nKind ? ".png" : ".bmp") + "\"/>";
        }
    }
    std::string strXml = "</watermarks><resourceMap>";
    for (int i = 0; i < BUTTONS; i++)
        strXml += "<command id=\"B" + std::to_string(i) + "\" code=\"" + std::to_string(1000 + i) + "\"/>";
    // Buttons are named by their ids as written, which are also their images' names.
    std::string strBar = "<toolbars><toolbar name=\"Bench\" types=\"24\">";
    for (int i = 0; i < BUTTONS; i++)
        strBar += "<button id=\"B" + std::to_string(i) + "\"/>";
    strXml += "</resourceMap>" + strBar + "</toolbar></toolbars></skin>";
    // The PNG bar first: its button images are copies, which outlive the next load.
    CFrameWnd host;
    host.CreateEx(0, NULL, L"toolbar bench", WS_POPUP | WS_VISIBLE, 0, 0, BUTTONS * BUTTON_SIZE + 40, 120, NULL, NULL);
    folder.WriteFile(L"Definitions\\Definitions.xml", "<?xml version=\"1.0\"?><skin>" + strWatermarks[1] + strXml);
    LoadSkin(L"", L"");
    CCoolBarCtrl alphaBar;
    alphaBar.Create(&host, WS_VISIBLE, 3);
    alphaBar.MoveWindow(0, 80, BUTTONS * BUTTON_SIZE, BUTTON_SIZE + 1);
    CreateSkinToolBar(L"Bench", &alphaBar);
    folder.WriteFile(L"Definitions\\Definitions.xml", "<?xml version=\"1.0\"?><skin>" + strWatermarks[0] + strXml);
    LoadSkin(L"", L"");

    CCoolBarCtrl bar;
    bar.Create(&host, WS_VISIBLE, 1);
    bar.MoveWindow(0, 0, BUTTONS * BUTTON_SIZE, BUTTON_SIZE + 1);
    CreateSkinToolBar(L"Bench", &bar);

    // The common-controls bar holds the same normal images in its image list.
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    HWND hToolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE |
                                      CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 50, BUTTONS * (BUTTON_SIZE + 8), BUTTON_SIZE + 8,
                                      host.m_hWnd, NULL, NULL, NULL);
    HIMAGELIST hList = ImageList_Create(BUTTON_SIZE, BUTTON_SIZE, ILC_COLOR24 | ILC_MASK, BUTTONS, 0);
    for (int i = 0; i < BUTTONS; i++)
        ImageList_AddMasked(hList, bar.GetIndex(i)->GetImage(CCoolBarItem::IMAGE_NORMAL), RGB(255, 255, 255));
    ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hToolbar, TB_SETIMAGELIST, 0, (LPARAM)hList);
    for (int i = 0; i < BUTTONS; i++)
    {
        TBBUTTON button = { i, 1000 + i, TBSTATE_ENABLED, TBSTYLE_BUTTON };
        ::SendMessageW(hToolbar, TB_ADDBUTTONSW, 1, (LPARAM)&button);
    }
    KorvoTest::PumpMessages(100);

    // The three are measured in interleaved batches and each keeps its best batch, so a busy
    // machine slows them alike and the ratios hold.
    double tCommon = 1e30, tSkinned = 1e30, tHover = 1e30, tAlpha = 1e30;
    for (int nBatch = 0; nBatch < BATCHES; nBatch++)
    {
        tAlpha = std::min(tAlpha, Measure(alphaBar.m_hWnd, [&](int) { alphaBar.Invalidate(FALSE); }));
        tCommon = std::min(tCommon, Measure(hToolbar, [&](int) { ::InvalidateRect(hToolbar, NULL, TRUE); }));
        tSkinned = std::min(tSkinned, Measure(bar.m_hWnd, [&](int) { bar.Invalidate(FALSE); }));
        tHover = std::min(tHover, Measure(bar.m_hWnd, [&](int i) {
            CRect rc;
            bar.GetItemRect(bar.GetIndex(i % BUTTONS), &rc);
            bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 5, rc.top + 5));
        }));
    }

    // The fixed part of a skinned repaint: the same bar without buttons.
    CCoolBarCtrl empty;
    empty.Create(&host, WS_VISIBLE, 2);
    empty.MoveWindow(0, 90, BUTTONS * BUTTON_SIZE, BUTTON_SIZE + 1);
    double tEmpty = 1e30;
    for (int nBatch = 0; nBatch < BATCHES; nBatch++)
        tEmpty = std::min(tEmpty, Measure(empty.m_hWnd, [&](int) { empty.Invalidate(FALSE); }));
    // The library's own share of a repaint, without the window system's: the bar composed into
    // a memory surface, whole and clipped to the two neighbouring buttons a hover change redraws.
    CDC dcMemory;
    dcMemory.CreateCompatibleDC(NULL);
    CBitmap bmMemory;
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), BUTTONS * BUTTON_SIZE, -(BUTTON_SIZE + 1), 1, 32, BI_RGB } };
    void* pBits = NULL;
    bmMemory.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0));
    HGDIOBJ hOld = ::SelectObject(dcMemory.m_hDC, bmMemory.m_hObject);
    auto compose = [&](bool bTwoButtons) {
        double t0 = Now();
        for (int i = 0; i < ROUNDS; i++)
        {
            int nSaved = dcMemory.SaveDC();
            if (bTwoButtons)
            {
                CRect rcFirst, rcSecond;
                bar.GetItemRect(bar.GetIndex(i % (BUTTONS - 1)), &rcFirst);
                bar.GetItemRect(bar.GetIndex(i % (BUTTONS - 1) + 1), &rcSecond);
                dcMemory.IntersectClipRect(rcFirst | rcSecond);
            }
            bar.DoPaint(&dcMemory);
            dcMemory.RestoreDC(nSaved);
        }
        ::GdiFlush();
        return (Now() - t0) / ROUNDS;
    };
    double tComposeFull = 1e30, tComposeHover = 1e30;
    for (int nBatch = 0; nBatch < BATCHES; nBatch++)
    {
        tComposeFull = std::min(tComposeFull, compose(false));
        tComposeHover = std::min(tComposeHover, compose(true));
    }
    ::SelectObject(dcMemory.m_hDC, hOld);

    printf("skinned bar without buttons:       %8.1f us\n", tEmpty);
    printf("common-controls bar, full repaint: %8.1f us\n", tCommon);
    printf("skinned bar, full repaint:         %8.1f us  (%.2fx the common-controls bar; target <= 1.0)\n", tSkinned, tSkinned / tCommon);
    printf("PNG-alpha bar, full repaint:       %8.1f us  (%.2fx the BMP bar; target <= 1.5)\n", tAlpha, tAlpha / tSkinned);
    printf("skinned bar, hover change:         %8.1f us  (%.2fx its full repaint; target <= 0.25)\n", tHover, tHover / tSkinned);
    printf("  floor: a repaint of no buttons:  %8.1f us  (%.2fx its full repaint; no change repaints for less)\n", tEmpty, tEmpty / tSkinned);
    printf("composed off screen, whole bar:    %8.1f us\n", tComposeFull);
    printf("composed off screen, two buttons:  %8.1f us  (%.2fx the whole bar; target <= 0.25)\n", tComposeHover, tComposeHover / tComposeFull);
    KorvoBench::Row("toolbar repaint: skinned vs common controls", tSkinned / 1e6, tCommon / 1e6, KorvoBench::TIME_AT_MOST, 1.0);
    KorvoBench::Row("toolbar repaint: PNG-alpha skin vs BMP skin", tAlpha / 1e6, tSkinned / 1e6, KorvoBench::TIME_AT_MOST, 1.5);
    KorvoBench::Row("toolbar repaint: PNG-alpha skin vs common controls", tAlpha / 1e6, tCommon / 1e6,
                    KorvoBench::TIME_AT_MOST, 1.0);
    KorvoBench::Row("toolbar hover change vs its full repaint", tHover / 1e6, tSkinned / 1e6, KorvoBench::TIME_AT_MOST, 0.25);
    KorvoBench::Row("toolbar repaint of no buttons vs its full repaint (the floor)", tEmpty / 1e6, tSkinned / 1e6, KorvoBench::NO_TARGET);
    KorvoBench::Row("toolbar hover change composed off screen vs whole bar", tComposeHover / 1e6, tComposeFull / 1e6, KorvoBench::TIME_AT_MOST, 0.25);

    bar.DestroyWindow();
    ::DestroyWindow(hToolbar);
    ImageList_Destroy(hList);
    host.DestroyWindow();
    g_strAppFolder = strSaved;
    UnInitSkin();
    return 0;
}
