// Real popup menus tracked on the test thread: the hook re-frames them and the owner routes
// their items to the menu engine. Every menu is closed from a timer, never by a person.
#include "ThemeTestSupport.h"
#include <map>

namespace
{
const int MENU_X = 400;
const int MENU_Y = 200;

class CMenuOwnerWnd : public CWnd
{
public:
    std::map<UINT, UINT> m_measured;
    int m_nDrawn = 0;

protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        switch (nMessage)
        {
        case WM_INITMENUPOPUP:
            g_MenuSkinner.UpdateMenuPopup(CMenu::FromHandle((HMENU)wParam), this);
            return 0;
        case WM_MEASUREITEM:
        {
            MEASUREITEMSTRUCT* pMIS = (MEASUREITEMSTRUCT*)lParam;
            if (pMIS->CtlType != ODT_MENU)
                break;
            g_MenuSkinner.MeasureItem(pMIS);
            m_measured[pMIS->itemID] = pMIS->itemHeight;
            return TRUE;
        }
        case WM_DRAWITEM:
        {
            DRAWITEMSTRUCT* pDIS = (DRAWITEMSTRUCT*)lParam;
            if (pDIS->CtlType != ODT_MENU)
                break;
            g_MenuSkinner.DrawItem(pDIS);
            m_nDrawn++;
            return TRUE;
        }
        }
        return CWnd::WindowProc(nMessage, wParam, lParam);
    }
};

typedef std::function<void(HWND hPopup)> TrackStep;

struct TrackScript
{
    std::vector<TrackStep> steps;
    size_t nNext = 0;
    int nTicks = 0;
};
TrackScript* s_pScript = NULL;

BOOL CALLBACK FindPopupProc(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (wcscmp(szClass, L"#32768") == 0 && ::IsWindowVisible(hWnd))
    {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindOpenPopup()
{
    HWND hPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPopupProc, (LPARAM)&hPopup);
    return hPopup;
}

// Each tick runs the next step against the open popup; after the last one the menu is ended,
// and a menu that never opens is ended after a bounded number of ticks.
void CALLBACK OnTrackTimer(HWND, UINT, UINT_PTR, DWORD)
{
    TrackScript& script = *s_pScript;
    script.nTicks++;
    HWND hPopup = FindOpenPopup();
    if (hPopup && script.nNext < script.steps.size())
    {
        script.steps[script.nNext++](hPopup);
        return;
    }
    if (script.nNext == script.steps.size() || script.nTicks > 40)
        ::EndMenu();
}

void Track(HMENU hMenu, int x, int y, HWND hOwner, std::vector<TrackStep> steps)
{
    TrackScript script;
    script.steps = std::move(steps);
    s_pScript = &script;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 150, OnTrackTimer);
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, x, y, 0, hOwner, NULL);
    ::KillTimer(NULL, nTimer);
    s_pScript = NULL;
    KorvoTest::PumpMessages(50);
    EXPECT_EQ(script.steps.size(), script.nNext) << "every step ran while the menu was open";
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// An item's rectangle relative to the popup window's top-left corner. Without a window the
// system finds the popup's own window to map from.
CRect ItemRect(HMENU hMenu, int nPosition, HWND hPopup)
{
    CRect rc;
    ::GetMenuItemRect(NULL, hMenu, nPosition, &rc);
    CRect rcWindow = WindowRect(hPopup);
    rc.OffsetRect(-rcWindow.left, -rcWindow.top);
    return rc;
}

COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetWindowDC(hWnd);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

class MenuPopups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareMenuTheme();
        ASSERT_TRUE(g_hMenuHook != NULL);
        CMenuSkinner::SetMenuAttach(0, 0, 0);
        ::SetCursorPos(5, 5);
        ASSERT_TRUE(m_owner.CreateEx(0, NULL, L"menu owner", WS_POPUP | WS_VISIBLE, 20, 20, 200, 120, NULL, NULL));
        ::SetForegroundWindow(m_owner.m_hWnd);
        KorvoTest::PumpMessages(20);
        ASSERT_EQ(m_owner.m_hWnd, ::GetForegroundWindow());

        m_menu.CreatePopupMenu();
        m_menu.AppendMenu(MF_STRING, 101, L"&Open\tCtrl+O");
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING | MF_CHECKED, 102, L"Checked");
        m_menu.AppendMenu(MF_STRING | MF_GRAYED, 103, L"Grayed");
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 104, L"Deep");
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), L"More");
        m_menu.SetDefaultItem(101);
    }
    void TearDown() override
    {
        CMenuSkinner::SetMenuAttach(0, 0, 0);
        m_owner.DestroyWindow();
        KorvoTest::PumpMessages(20);
    }

    CMenuOwnerWnd m_owner;
    CMenu m_menu;
};
}

TEST_F(MenuPopups, HookedPopupGetsAOnePixelFrameAndOwnerDrawnItems)
{
    HMENU hMenu = m_menu.m_hMenu;
    HWND hOwner = m_owner.m_hWnd;
    Track(hMenu, MENU_X, MENU_Y, hOwner, { [&](HWND hPopup) {
              EXPECT_TRUE(::GetPropW(hPopup, L"VELD_MenuOldWndProc") != NULL);
              EXPECT_EQ((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC));

              CRect rcWindow = WindowRect(hPopup);
              EXPECT_EQ(MENU_X + 1, rcWindow.left) << "popups not at the attach point move one pixel right";
              EXPECT_EQ(MENU_Y, rcWindow.top);
              CRect rcClient;
              ::GetClientRect(hPopup, &rcClient);
              EXPECT_EQ(rcWindow.Width() - 2, rcClient.Width());
              EXPECT_EQ(rcWindow.Height() - 2, rcClient.Height());

              int w = rcWindow.Width(), h = rcWindow.Height();
              for (POINT pt : { POINT{ 0, 0 }, POINT{ w / 2, 0 }, POINT{ w - 1, 0 }, POINT{ 0, h / 2 },
                                POINT{ w - 1, h / 2 }, POINT{ 0, h - 1 }, POINT{ w / 2, h - 1 }, POINT{ w - 1, h - 1 } })
                  EXPECT_EQ(MenuPalette::FRAME, WindowPixel(hPopup, pt.x, pt.y)) << pt.x << "," << pt.y;

              CRect rcOpen = ItemRect(hMenu, 0, hPopup);
              EXPECT_EQ(25, rcOpen.Height());
              EXPECT_EQ(MenuPalette::BACK, WindowPixel(hPopup, rcOpen.left + 5, rcOpen.top + 5));
              CRect rcSeparator = ItemRect(hMenu, 1, hPopup);
              EXPECT_EQ(5, rcSeparator.Height());
              EXPECT_EQ(MenuPalette::DISABLED, WindowPixel(hPopup, rcSeparator.left + 32, rcSeparator.top + 1));
              EXPECT_EQ(MenuPalette::BACK, WindowPixel(hPopup, rcSeparator.left + 31, rcSeparator.top + 1));
              CRect rcChecked = ItemRect(hMenu, 2, hPopup);
              EXPECT_EQ(MenuPalette::BORDER, WindowPixel(hPopup, rcChecked.left + 2, rcChecked.top + 2));
              EXPECT_EQ(MenuPalette::BACK_CHECK, WindowPixel(hPopup, rcChecked.left + 3, rcChecked.top + 3));
              EXPECT_EQ(RGB(0, 0, 0), WindowPixel(hPopup, rcChecked.left + 19, rcChecked.top + 9)) << "the tick";
          } });

    EXPECT_EQ(25u, m_owner.m_measured[101]);
    EXPECT_EQ(5u, m_owner.m_measured[0]);
    EXPECT_GE(m_owner.m_nDrawn, 5);
    EXPECT_EQ(0, g_bMenuPrinting) << "the popup painted normally";
}

TEST_F(MenuPopups, KeyboardSelectionPaintsTheHoverRectangle)
{
    HMENU hMenu = m_menu.m_hMenu;
    HWND hOwner = m_owner.m_hWnd;
    Track(hMenu, MENU_X, MENU_Y, hOwner,
          { [&](HWND hPopup) { ::PostMessageW(hPopup, WM_KEYDOWN, VK_DOWN, 0); },
            [&](HWND hPopup) {
                CRect rcOpen = ItemRect(hMenu, 0, hPopup);
                EXPECT_EQ(MenuPalette::HOVER, WindowPixel(hPopup, rcOpen.left + 10, rcOpen.top + 10));
                EXPECT_EQ(RGB(255, 255, 255), WindowPixel(hPopup, rcOpen.left + 1, rcOpen.top + 12));
                EXPECT_EQ(MenuPalette::BACK, WindowPixel(hPopup, rcOpen.left, rcOpen.top + 12));
                CRect rcChecked = ItemRect(hMenu, 2, hPopup);
                EXPECT_EQ(MenuPalette::BACK, WindowPixel(hPopup, rcChecked.right - 5, rcChecked.top + 10));
            } });
}

TEST_F(MenuPopups, PopupAtTheAttachPointJoinsTheButton)
{
    CMenuSkinner::SetMenuAttach(MENU_X, MENU_Y, 60);
    Track(m_menu.m_hMenu, MENU_X, MENU_Y, m_owner.m_hWnd, { [&](HWND hPopup) {
              CRect rcWindow = WindowRect(hPopup);
              EXPECT_EQ(MENU_X, rcWindow.left) << "not nudged";
              EXPECT_EQ(MENU_Y, rcWindow.top);
              ASSERT_GT(rcWindow.Width(), 60);
              EXPECT_EQ(MenuPalette::FRAME, WindowPixel(hPopup, 0, 0));
              for (int x = 1; x <= 58; x++)
                  EXPECT_EQ(MenuPalette::BACK, WindowPixel(hPopup, x, 0)) << x;
              EXPECT_EQ(MenuPalette::FRAME, WindowPixel(hPopup, 59, 0));
              EXPECT_EQ(MenuPalette::FRAME, WindowPixel(hPopup, rcWindow.Width() - 1, 0));
              EXPECT_EQ(MenuPalette::FRAME, WindowPixel(hPopup, 0, 5));
          } });
}

TEST_F(MenuPopups, PrintRendersFrameAndClientIntoTheGivenDC)
{
    Track(m_menu.m_hMenu, MENU_X, MENU_Y, m_owner.m_hWnd, { [&](HWND hPopup) {
              CRect rcWindow = WindowRect(hPopup);
              CPixelCanvas canvas(rcWindow.Width(), rcWindow.Height(), RGB(0, 0, 0));
              EXPECT_EQ(0, ::SendMessageW(hPopup, WM_PRINT, (WPARAM)canvas.Dc(),
                                          PRF_CHECKVISIBLE | PRF_NONCLIENT | PRF_CLIENT));
              EXPECT_EQ(1, g_bMenuPrinting);
              int w = rcWindow.Width(), h = rcWindow.Height();
              EXPECT_EQ(MenuPalette::FRAME, canvas.Pixel(0, 0));
              EXPECT_EQ(MenuPalette::FRAME, canvas.Pixel(w - 1, h / 2));
              EXPECT_EQ(MenuPalette::FRAME, canvas.Pixel(w / 2, h - 1));
              EXPECT_NE(RGB(0, 0, 0), canvas.Pixel(1, 1)) << "the client area is copied inside the frame";
              EXPECT_NE(MenuPalette::FRAME, canvas.Pixel(1, 1));

              CPixelCanvas frameOnly(w, h, RGB(0, 0, 0));
              ::SendMessageW(hPopup, WM_PRINT, (WPARAM)frameOnly.Dc(), PRF_NONCLIENT);
              EXPECT_EQ(MenuPalette::FRAME, frameOnly.Pixel(0, 0));
              EXPECT_EQ(RGB(0, 0, 0), frameOnly.Pixel(w / 2, h / 2));
              ::InvalidateRect(hPopup, NULL, FALSE);
          } });
    EXPECT_EQ(0, g_bMenuPrinting) << "the next paint ends the printing state";
}

TEST_F(MenuPopups, MenusOfWindowsTheHostDoesNotOwnAreLeftAlone)
{
    HWND hForeign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP | WS_VISIBLE, 40, 40, 100, 60, NULL, NULL,
                                      ::GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(hForeign != NULL);
    ::SetForegroundWindow(hForeign);
    KorvoTest::PumpMessages(20);
    ASSERT_EQ(hForeign, ::GetForegroundWindow());
    ASSERT_TRUE(CWnd::FromHandlePermanent(hForeign) == NULL);

    Track(m_menu.m_hMenu, MENU_X, MENU_Y, hForeign, { [&](HWND hPopup) {
              EXPECT_TRUE(::GetPropW(hPopup, L"VELD_MenuOldWndProc") == NULL);
              EXPECT_NE((LONG_PTR)&CMenuSkinner::MenuWndProc, ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC));
              EXPECT_EQ(MENU_X, WindowRect(hPopup).left) << "not re-framed";
          } });
    ::DestroyWindow(hForeign);
}

TEST_F(MenuPopups, NoHookNoSubclassing)
{
    g_MenuSkinner.Release();
    ASSERT_TRUE(g_hMenuHook == NULL);
    Track(m_menu.m_hMenu, MENU_X, MENU_Y, m_owner.m_hWnd, { [&](HWND hPopup) {
              EXPECT_TRUE(::GetPropW(hPopup, L"VELD_MenuOldWndProc") == NULL);
          } });
    EXPECT_EQ(26u, m_owner.m_measured[101]);
    EXPECT_EQ(6u, m_owner.m_measured[0]);
    g_MenuSkinner.Initialize();
    EXPECT_TRUE(g_hMenuHook != NULL);
}
