// A running host watching its skin: a saved colour or image shows in its live window, a broken
// save keeps the skin it has, a burst of saves reloads a few times, and the watch ends cleanly.
#include "KorvoTest.h"
#include "SkinFolder.h"
#include "DialogTemplate.h"
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/SkinApi.h>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace KorvoTest;

namespace
{
struct CReports
{
    std::vector<bool> reloaded;
    std::vector<CString> files;
};

void Report(bool bReloaded, const wchar_t* pszFile, void* pContext)
{
    CReports* pReports = (CReports*)pContext;
    pReports->reloaded.push_back(bReloaded);
    pReports->files.push_back(pszFile ? pszFile : L"");
}

std::string Definitions(const char* pszBack)
{
    return std::string("<skin><colourScheme><colour name=\"dialog.back\" value=\"") + pszBack
         + "\"/></colourScheme><watermarks><watermark target=\"W\" path=\"paper.bmp\"/></watermarks>"
           "<windowSkins><windowSkin><target window=\"Main\"/><image path=\"paper.bmp\"/></windowSkin></windowSkins></skin>";
}

// Pumps messages until the host has heard nReports reports, for at most 20 seconds.
bool PumpUntilReports(const CReports& reports, size_t nReports)
{
    for (int n = 0; n < 400 && reports.reloaded.size() < nReports; n++)
        PumpMessages(50);
    return reports.reloaded.size() >= nReports;
}

COLORREF WatermarkPixel()
{
    HBITMAP hBitmap = GetSkinWatermark(L"W");
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const COLORREF cr = ::GetPixel(hDC, 1, 1);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return cr;
}

COLORREF ClientPixel(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    CWindowPixels pixels(wnd.m_hWnd);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    wnd.ClientToScreen(&rcClient);
    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    return pixels.At(rcClient.CenterPoint().x - rcWindow.left, rcClient.CenterPoint().y - rcWindow.top);
}
}

TEST(WatchSkin, SavesShowInTheRunningHostAndABrokenSaveKeepsTheSkin)
{
    CSkinFolder folder;
    folder.WriteBitmap(L"Definitions\\paper.bmp", 32, 32, RGB(40, 80, 120));
    folder.WriteFile(L"Definitions\\Definitions.xml", Definitions("102030"));
    ASSERT_TRUE(InitSkin());
    ASSERT_TRUE(LoadSkin(L"", L""));
    CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | DS_SETFONT, 120, 60, L"Watched");
    CSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(dialogTemplate.Get()));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    ::SetWindowPos(dlg.m_hWnd, HWND_TOPMOST, 20, 20, 300, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    PumpMessages(30);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), ClientPixel(dlg));

    // Another thread may not start it.
    bool bOtherThread = true;
    std::thread([&] { bOtherThread = WatchSkin(true); }).join();
    EXPECT_FALSE(bOtherThread);

    CReports reports;
    ASSERT_TRUE(WatchSkin(true, Report, &reports));
    // A colour: the host re-skins its window as it does on the skin-changed message.
    folder.WriteFile(L"Definitions\\Definitions.xml", Definitions("804020"));
    ASSERT_TRUE(PumpUntilReports(reports, 1));
    EXPECT_TRUE(reports.reloaded.back());
    EXPECT_EQ(RGB(0x80, 0x40, 0x20), GetDialogBkColor());
    dlg.SkinMe(L"Main");
    EXPECT_EQ(RGB(0x80, 0x40, 0x20), ClientPixel(dlg));

    // An image.
    folder.WriteBitmap(L"Definitions\\paper.bmp", 32, 32, RGB(200, 10, 10));
    ASSERT_TRUE(PumpUntilReports(reports, 2));
    EXPECT_TRUE(reports.reloaded.back());
    EXPECT_EQ(RGB(200, 10, 10), WatermarkPixel());

    // A half-written save: the skin stays, and the report names the file.
    const std::string broken = Definitions("00FF00");
    folder.WriteFile(L"Definitions\\Definitions.xml", broken.substr(0, broken.size() / 2));
    ASSERT_TRUE(PumpUntilReports(reports, 3));
    EXPECT_FALSE(reports.reloaded.back());
    EXPECT_NE(-1, reports.files.back().Find(L"Definitions.xml"));
    EXPECT_EQ(RGB(0x80, 0x40, 0x20), GetDialogBkColor());
    dlg.SkinMe(L"Main");
    EXPECT_EQ(RGB(0x80, 0x40, 0x20), ClientPixel(dlg));

    // A burst of saves: a few reloads, the last save is what shows, and no objects pile up.
    const CHandleHighs highsBefore = FreshHandleHighs();
    const size_t nBefore = reports.reloaded.size();
    for (int n = 0; n < 500; n++)
        folder.WriteFile(L"Definitions\\Definitions.xml", Definitions(n % 2 ? "804020" : "102030"));
    folder.WriteFile(L"Definitions\\Definitions.xml", Definitions("204080"));
    ASSERT_TRUE(PumpUntilReports(reports, nBefore + 1));
    PumpMessages(1500);
    EXPECT_LE(reports.reloaded.size() - nBefore, 10u);
    EXPECT_EQ(RGB(0x20, 0x40, 0x80), GetDialogBkColor());
    const CHandleHighs highsAfter = FreshHandleHighs();
    EXPECT_LE(highsAfter.nGdi - highsBefore.nGdi, 64);
    EXPECT_LE(highsAfter.nUser - highsBefore.nUser, 64);

    // Off: saves go unheard.
    ASSERT_TRUE(WatchSkin(false));
    const size_t nOff = reports.reloaded.size();
    folder.WriteFile(L"Definitions\\Definitions.xml", Definitions("102030"));
    PumpMessages(1500);
    EXPECT_EQ(nOff, reports.reloaded.size());
    EXPECT_EQ(RGB(0x20, 0x40, 0x80), GetDialogBkColor());
    dlg.DestroyWindow();
    EXPECT_TRUE(UnInitSkin());
}
