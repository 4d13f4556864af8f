// The common controls' toolbar and status bar of a window skinned by its handle: laid in the
// skin's dialog colours, readable on a dark skin, and working as before.
#include "HandleWindowSupport.h"
#include "theme/ColourContrast.h"
#include <commctrl.h>
#include <gtest/gtest.h>

using namespace HandleTest;

namespace
{
// The colour most of the pixels of rc (in hWnd's client coordinates) have, with the text's contrast.
TEXT_CONTRAST ReadArea(HWND hWnd, const CRect& rc)
{
    KorvoTest::CWindowPixels pixels(hWnd, true);
    std::vector<COLORREF> inside;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            inside.push_back(pixels.At(x, y));
    return ReadTextContrast(inside);
}
}

TEST(HandleBars, AToolbarAndStatusBarOfAnyCodeTakeTheDarkSkinsColoursAndKeepWorking)
{
    CGalleryFolder gallery;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    const COLORREF crBack = KorvoSkin_GetColour(L"dialog.back");
    ASSERT_NE(::GetSysColor(COLOR_BTNFACE), crBack);

    CHostFrame frame;
    const HWND hToolBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                            0, 0, 0, 0, frame.hWnd, (HMENU)1, NULL, NULL);
    ::SendMessageW(hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP bitmap = { HINST_COMMCTRL, IDB_STD_SMALL_COLOR };
    ::SendMessageW(hToolBar, TB_ADDBITMAP, 0, (LPARAM)&bitmap);
    TBBUTTON buttons[2] = {};
    for (int i = 0; i < 2; i++)
    {
        buttons[i].iBitmap = i == 0 ? STD_FILEOPEN : STD_HELP;
        buttons[i].idCommand = 401 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(hToolBar, TB_ADDBUTTONSW, 2, (LPARAM)buttons);
    ::SendMessageW(hToolBar, TB_AUTOSIZE, 0, 0);
    const HWND hStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                           frame.hWnd, (HMENU)2, NULL, NULL);
    const int nRights[] = { 120, -1 };
    ::SendMessageW(hStatus, SB_SETPARTS, 2, (LPARAM)nRights);
    ::SendMessageW(hStatus, SB_SETTEXTW, 1, (LPARAM)L"\tLine 12");

    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    EXPECT_EQ(2, KorvoSkin_SkinControls(frame.hWnd));
    Show(frame.hWnd);

    // The status bar: each part's text readable on the skin's dialog colour.
    for (int nPart = 0; nPart < 2; nPart++)
    {
        SCOPED_TRACE(nPart);
        CRect rcPart;
        ::SendMessageW(hStatus, SB_GETRECT, nPart, (LPARAM)&rcPart);
        rcPart.DeflateRect(2, 3);
        const TEXT_CONTRAST part = ReadArea(hStatus, rcPart);
        EXPECT_EQ(crBack, part.crBack);
        EXPECT_GE(part.dRatio, 4.5);
    }

    // The toolbar: the skin's colour around its buttons, a hot button shown in it, a click its command.
    CRect rcBar, rcButton;
    ::GetClientRect(hToolBar, &rcBar);
    ::SendMessageW(hToolBar, TB_GETITEMRECT, 1, (LPARAM)&rcButton);
    EXPECT_EQ(crBack, KorvoTest::CWindowPixels(hToolBar, true).At(rcButton.right + 20, rcBar.Height() / 2));
    EXPECT_EQ(crBack, KorvoTest::CWindowPixels(hToolBar, true).At(rcButton.left + 1, rcButton.top + 1));
    CPoint ptButton = rcButton.CenterPoint();
    ::ClientToScreen(hToolBar, &ptButton);
    MouseTo(ptButton);
    const COLORREF crHot = KorvoTest::CWindowPixels(hToolBar, true).At(rcButton.left + 2, rcButton.top + 2);
    EXPECT_NE(crBack, crHot) << "the hot button shows";
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), crHot);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(402u, LOWORD(CHostFrame::s_nLastCommand)) << "the toolbar's command reaches the window";
    MouseTo(CPoint(0, 0));

    // Unskinned, both are the system's again.
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(frame.hWnd));
    Show(frame.hWnd);
    EXPECT_NE(crBack, KorvoTest::CWindowPixels(hToolBar, true).At(rcButton.right + 20, rcBar.Height() / 2));
}
