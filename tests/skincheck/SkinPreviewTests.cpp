// The skin preview paints what a host shows: its picture of a bundled skin (frame, watermark
// and shape) against a real skinned dialog of the same size, read back from the window.
#include "CSkinPreview.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include "skin/CSkinRegistry.h"
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdio.h>
#include "api/Globals.h"

using namespace KorvoTest;

namespace
{
// Every pixel of a device context of cx x cy.
std::vector<COLORREF> ReadPixels(HDC hSource, int cx, int cy)
{
    std::vector<COLORREF> pixels;
    CClientDC screen(NULL);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, cx, cy))
        return pixels;
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)bitmap.m_hObject);
    ::BitBlt(dc.m_hDC, 0, 0, cx, cy, hSource, 0, 0, SRCCOPY);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixels.push_back(::GetPixel(dc.m_hDC, x, y));
    dc.SelectObject(hOld);
    return pixels;
}
}

TEST(SkinPreview, PictureMatchesARealSkinnedDialog)
{
    const CString strSavedFolder = g_strAppFolder;
    g_strAppFolder = KORVO_TESTS_DIR L"\\..\\samples\\gallery\\";
    g_strAppFolder.Replace(L'/', L'\\');
    ASSERT_TRUE(InitSkin());
    LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
    CWindowSkin* pSkin = static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(L"Gallery"));
    ASSERT_TRUE(pSkin);

    const int cx = 360, cy = 240;
    // The preview shows every caption button the skin has, as on a window with both boxes.
    CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 40, 20, L"Preview");
    CSkinDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(dialogTemplate.Get()));
    dlg.SetWindowPos(NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    ASSERT_TRUE(dlg.SkinMe(L"Gallery"));
    dlg.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    dlg.SetForegroundWindow();
    PumpMessages(30);
    ::RedrawWindow(dlg.m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(30);

    CRect rcWindow, rcClient;
    dlg.GetWindowRect(&rcWindow);
    ASSERT_EQ(CSize(cx, cy), rcWindow.Size());
    dlg.GetClientRect(&rcClient);
    dlg.ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    HDC hWindowDC = ::GetWindowDC(dlg.m_hWnd);
    std::vector<COLORREF> shown = ReadPixels(hWindowDC, cx, cy);
    ::ReleaseDC(dlg.m_hWnd, hWindowDC);
    HRGN hShape = ::CreateRectRgn(0, 0, 0, 0);
    const BOOL bShaped = ::GetWindowRgn(dlg.m_hWnd, hShape) != ERROR;

    CString strCaption;
    dlg.GetWindowText(strCaption);
    HICON hIcon = (HICON)dlg.SendMessage(WM_GETICON, ICON_SMALL);
    CBitmap preview;
    ASSERT_TRUE(CSkinPreview::PaintFrame(*pSkin, cx, cy, CWindowSkin::STATE_ACTIVE, 0, 0, strCaption, hIcon,
                                         RGB(0, 0, 0), preview));
    dlg.DestroyWindow();
    DIBSECTION dib;
    ASSERT_EQ((int)sizeof(dib), ::GetObjectW(preview.m_hObject, sizeof(dib), &dib));
    ASSERT_TRUE(dib.dsBm.bmBits);
    ASSERT_EQ(cx * cy, (int)shown.size());
    auto Painted = [&](int x, int y) {
        const DWORD dw = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes)[x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    };

    // Within the window's shape every pixel is the window's, the watermark of the client area
    // included, and opaque; outside it the picture is clear.
    ASSERT_TRUE(bShaped);
    int nInside = 0, nOutside = 0, nDifferent = 0, nWrongAlpha = 0;
    CPoint ptFirst(-1, -1);
    for (int y = 0; y < cy; y++)
    {
        const DWORD* pRow = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes);
        for (int x = 0; x < cx; x++)
        {
            if (!::PtInRegion(hShape, x, y))
            {
                nOutside++;
                nWrongAlpha += pRow[x] != 0;
                continue;
            }
            nInside++;
            nWrongAlpha += (pRow[x] >> 24) != 0xFF;
            if (shown[y * cx + x] != Painted(x, y) && nDifferent++ == 0)
                ptFirst = CPoint(x, y);
        }
    }
    ::DeleteObject(hShape);
    EXPECT_GT(nInside, cx * cy / 2);
    EXPECT_GT(nOutside, 4);
    EXPECT_EQ(0, nWrongAlpha);
    EXPECT_EQ(0, nDifferent) << "first at " << ptFirst.x << "," << ptFirst.y;
    // The client area shows the watermark, not the plain colour the preview was given.
    EXPECT_NE(RGB(0, 0, 0), Painted(rcClient.left + 5, rcClient.top + 5));

    LoadSkin(L"", L"");
    UnInitSkin();
    g_strAppFolder = strSavedFolder;
}

TEST(SkinPreview, ADpiDrawsEachPictureLargerForTheSameSize)
{
    // The width and height a PNG file's header gives.
    auto PngSize = [](const CString& strPath) {
        CSize size(0, 0);
        BYTE header[24] = {};
        if (FILE* pFile = _wfopen(strPath, L"rb"))
        {
            if (fread(header, 1, sizeof(header), pFile) == sizeof(header))
                size = CSize((header[18] << 8) | header[19], (header[22] << 8) | header[23]);
            fclose(pFile);
        }
        return size;
    };
    CTempFolder folder;
    CString strOutput;
    const CString strGallery = KORVO_TESTS_DIR L"/../samples/gallery";
    for (LPCWSTR pszDpi : { L"96", L"144", L"192" })
    {
        const CString strPrefix = folder.Path() + L"d" + pszDpi;
        ASSERT_EQ(0, CSkinPreview().Run({ L"--app", strGallery, L"--size", L"200x120", L"--dpi", pszDpi, L"--out", strPrefix,
                                          L"--menu", L"Context", L"Gallery", L"Definitions\\English.xml", L"Definitions\\Ember.xml" },
                                        strOutput));
        const CDpiScale s((UINT)_wtoi(pszDpi));
        EXPECT_EQ(CSize(s.Scale(200), s.Scale(120)), PngSize(strPrefix + L"-active.png")) << pszDpi;
    }
    EXPECT_GT(PngSize(folder.Path() + L"d192-menu.png").cy, PngSize(folder.Path() + L"d96-menu.png").cy * 3 / 2);
    for (LPCWSTR pszDpi : { L"0", L"47", L"481", L"x" })
        EXPECT_EQ(2, CSkinPreview().Run({ L"--app", strGallery, L"--dpi", pszDpi, L"Gallery", L"Definitions\\Ember.xml" }, strOutput))
            << pszDpi;
    EXPECT_EQ(2, CSkinPreview().Run({ L"--app", strGallery, L"NoSuchWindow", L"Definitions\\Ember.xml" }, strOutput));
    EXPECT_EQ(2, CSkinPreview().Run({ L"--app", strGallery, L"--menu", L"None", L"--out", folder.Path() + L"q", L"Gallery",
                                      L"Definitions\\Ember.xml" }, strOutput));
    EXPECT_NE(-1, strOutput.Find(L"no menu named 'None'"));
    EXPECT_EQ(2, CSkinPreview().Run({ L"Gallery" }, strOutput));
}

TEST(SkinPreview, PngVersionsOfTheBundledSkinsLookAsTheirBmpOriginals)
{
    CTempFolder folder;
    const CString strGallery = KORVO_TESTS_DIR L"/../samples/gallery";
    for (LPCWSTR pszSkin : { L"Aurora", L"Ember", L"Midnight" })
    {
        CString strOutput;
        for (LPCWSTR pszVersion : { L"", L"Png" })
            ASSERT_EQ(0, CSkinPreview().Run({ L"--app", strGallery, L"--size", L"300x200", L"--menu", L"Context", L"--out",
                                              folder.Path() + pszSkin + pszVersion, L"Gallery", L"Definitions\\English.xml",
                                              CString(L"Definitions\\") + pszSkin + pszVersion + L".xml" },
                                            strOutput))
                << (LPCWSTR)strOutput;
        // Every picture written for the BMP skin, byte for byte the same for the PNG skin.
        WIN32_FIND_DATAW found;
        HANDLE hFind = ::FindFirstFileW(folder.Path() + pszSkin + L"-*.png", &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
        int nPictures = 0;
        do
        {
            CString strName = found.cFileName;
            auto read = [&](const CString& strPath) {
                std::vector<BYTE> bytes;
                HANDLE h = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
                if (h == INVALID_HANDLE_VALUE)
                    return bytes;
                bytes.resize(::GetFileSize(h, NULL));
                DWORD nRead = 0;
                ::ReadFile(h, bytes.data(), (DWORD)bytes.size(), &nRead, NULL);
                ::CloseHandle(h);
                return bytes;
            };
            std::vector<BYTE> fromBmp = read(folder.Path() + strName);
            strName.Insert(lstrlenW(pszSkin), L"Png");
            EXPECT_FALSE(fromBmp.empty());
            EXPECT_TRUE(fromBmp == read(folder.Path() + strName)) << (LPCWSTR)strName;
            nPictures++;
        } while (::FindNextFileW(hFind, &found));
        ::FindClose(hFind);
        EXPECT_GE(nPictures, 6) << pszSkin;
        for (LPCWSTR pszState : { L"-active.png", L"-inactive.png", L"-close-hot.png", L"-close-pressed.png",
                                  L"-colours.png", L"-menu.png" })
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.Path() + pszSkin + pszState)) << pszSkin << pszState;
    }
}
