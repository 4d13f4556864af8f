// A frame window's own menu bar (SetMenu) inside the skinned frame: drawn in the skin's menu
// colours, worked by the real mouse and keyboard while the popups' modal loops run on this
// thread, and telling the host what the system's bar tells it.
#include "HandleWindowSupport.h"
#include <oleacc.h>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using namespace HandleTest;

namespace
{
const COLORREF MENU_BACK = RGB(0x60, 0x30, 0x20), MENU_HOVER = RGB(0x20, 0xC0, 0x40);
const char MENU_COLOURS[] = "<colour name=\"menu.back\" value=\"603020\"/><colour name=\"menu.hover\" value=\"20C040\"/>";
enum
{
    ID_OPEN = 101,
    ID_EXIT = 102,
    ID_COPY = 201,
    ID_PASTE = 202,
    ID_ABOUT = 301
};

HMENU MakeMenuBar(HMENU* pFile, HMENU* pEdit)
{
    HMENU hBar = ::CreateMenu();
    *pFile = ::CreatePopupMenu();
    ::AppendMenuW(*pFile, MF_STRING, ID_OPEN, L"&Open");
    ::AppendMenuW(*pFile, MF_STRING, ID_EXIT, L"E&xit");
    *pEdit = ::CreatePopupMenu();
    ::AppendMenuW(*pEdit, MF_STRING, ID_COPY, L"&Copy");
    ::AppendMenuW(*pEdit, MF_STRING, ID_PASTE, L"&Paste");
    HMENU hHelp = ::CreatePopupMenu();
    ::AppendMenuW(hHelp, MF_STRING, ID_ABOUT, L"&About");
    ::AppendMenuW(hBar, MF_POPUP, (UINT_PTR)*pFile, L"&File");
    ::AppendMenuW(hBar, MF_POPUP, (UINT_PTR)*pEdit, L"&Edit");
    ::AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hHelp, L"&Help");
    return hBar;
}

// What the host's window heard of its menus.
struct CHeard
{
    static inline UINT s_nInitMenu, s_nInitPopup;
    static inline HMENU s_hLastPopup, s_hInitMenu;
    static inline WNDPROC s_pfnHost;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_INITMENU)
        {
            s_nInitMenu++;
            s_hInitMenu = (HMENU)wParam;
        }
        if (nMsg == WM_INITMENUPOPUP)
        {
            s_nInitPopup++;
            s_hLastPopup = (HMENU)wParam;
        }
        return ::CallWindowProcW(s_pfnHost, hWnd, nMsg, wParam, lParam);
    }
};

// A host frame with a menu bar and an edit control that has the focus.
struct CMenuFrame : CHostFrame
{
    HMENU hFile = NULL, hEdit = NULL;
    HWND hEditControl = NULL;
    CMenuFrame()
    {
        ::SetMenu(hWnd, MakeMenuBar(&hFile, &hEdit));
        hEditControl = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 24, hWnd, NULL,
                                         NULL, NULL);
        CHeard::s_pfnHost = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)CHeard::Proc);
        CHeard::s_nInitMenu = CHeard::s_nInitPopup = 0;
        CHeard::s_hLastPopup = NULL;
    }
    // The bar's band in window coordinates: between the caption and the client area.
    CRect Bar() const
    {
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        ::MapWindowPoints(hWnd, NULL, (POINT*)&rcClient, 2);
        const CRect rcWindow = Window();
        return CRect(rcClient.left - rcWindow.left, 30, rcClient.right - rcWindow.left, rcClient.top - rcWindow.top);
    }
    CPoint BarPoint(int x) const { return CPoint(Window().left + Bar().left + x, Window().top + Bar().CenterPoint().y); }
};

// The popup menu window open on thread nThread now, or null.
HWND PopupWindow(DWORD nThread)
{
    return VisibleThreadWindow(nThread, L"#32768");
}

HMENU OpenPopup(DWORD nThread)
{
    HWND hPopup = PopupWindow(nThread);
    return hPopup ? (HMENU)::SendMessageW(hPopup, MN_GETHMENU, 0, 0) : NULL;
}

void Key(WORD vk, bool bUp)
{
    INPUT input = { INPUT_KEYBOARD };
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void Tap(WORD vk)
{
    Key(vk, false);
    Key(vk, true);
}

// A window of the window's thread that puts the pointer where it is told: Wine moves the pointer
// only for the thread that holds the mouse.
HWND g_hPointerMover = NULL;

LRESULT CALLBACK PointerMoverProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP)
        ::SetCursorPos((int)wParam, (int)lParam);
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// While a popup's loop holds the mouse, a move or a click reaches it as the popup's message.
void PointerTo(CPoint pt, DWORD nThread)
{
    ::SendMessageW(g_hPointerMover, WM_APP, (WPARAM)pt.x, (LPARAM)pt.y);
    if (HWND hPopup = PopupWindow(nThread))
        ::PostMessageW(hPopup, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ::Sleep(120);
}

// A click where PointerTo put the pointer.
void Click(CPoint pt, DWORD nThread)
{
    if (HWND hPopup = PopupWindow(nThread))
    {
        ::PostMessageW(hPopup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::PostMessageW(hPopup, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    else
    {
        INPUT inputs[2] = { { INPUT_MOUSE }, { INPUT_MOUSE } };
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    }
    ::Sleep(150);
}

// Runs script on another thread, as the user at the mouse and keyboard, while this thread
// answers messages and runs the popups' modal loops; a popup left open is closed at the end.
void AsUser(const std::function<void(DWORD)>& script)
{
    const DWORD nThread = ::GetCurrentThreadId();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PointerMoverProc;
    wc.lpszClassName = L"KorvoTestPointerMover";
    ::RegisterClassW(&wc);
    g_hPointerMover = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    std::atomic<bool> bDone(false);
    std::thread user([&] {
        script(nThread);
        for (int i = 0; i < 5 && OpenPopup(nThread); i++)
            Tap(VK_ESCAPE);
        bDone = true;
    });
    while (!bDone)
        KorvoTest::PumpMessages(10);
    user.join();
    ::DestroyWindow(g_hPointerMover);
    KorvoTest::PumpMessages(50);
}

bool ShowsColour(HWND hWnd, const CRect& rc, COLORREF cr)
{
    KorvoTest::CWindowPixels pixels(hWnd);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (pixels.At(x, y) == cr)
                return true;
    return false;
}
} // namespace

TEST(HandleMenuBar, TheBarSitsBelowTheSkinsCaptionInTheMenuColoursAndTheClientKeepsItsSize)
{
    CHandleSkin skin(MENU_COLOURS);
    CMenuFrame frame;
    Show(frame.hWnd);
    const CSize sizeClient = frame.Client();
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    EXPECT_EQ(sizeClient, frame.Client()) << "the window grew or shrank around its client area";
    const CRect rcBar = frame.Bar();
    ASSERT_GT(rcBar.Height(), 10) << "room for the bar between the caption and the client area";
    KorvoTest::CWindowPixels pixels(frame.hWnd);
    EXPECT_EQ(FRAME, pixels.At(frame.Window().Width() / 2, 10)) << "the skin's caption above it";
    EXPECT_EQ(MENU_BACK, pixels.At(rcBar.right - 3, rcBar.CenterPoint().y)) << "the bar in the skin's menu colour";
    EXPECT_EQ(HTMENU, ::SendMessageW(frame.hWnd, WM_NCHITTEST, 0, MAKELPARAM(frame.BarPoint(4).x, frame.BarPoint(4).y)));
    EXPECT_EQ(HTCAPTION, ::SendMessageW(frame.hWnd, WM_NCHITTEST, 0,
                                        MAKELPARAM(frame.Window().left + 60, frame.Window().top + 15)));

    // The host takes its menu away and gives it back: the client area grows and shrinks by the bar.
    HMENU hMenu = ::GetMenu(frame.hWnd);
    ::SetMenu(frame.hWnd, NULL);
    EXPECT_EQ(sizeClient.cy + rcBar.Height(), frame.Client().cy);
    EXPECT_NE(HTMENU, ::SendMessageW(frame.hWnd, WM_NCHITTEST, 0, MAKELPARAM(frame.BarPoint(4).x, frame.BarPoint(4).y)));
    ::SetMenu(frame.hWnd, hMenu);
    EXPECT_EQ(sizeClient, frame.Client());

    // Unskinned, the system's frame and bar are back around the same client area.
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(frame.hWnd));
    EXPECT_EQ(hMenu, ::GetMenu(frame.hWnd));
    EXPECT_EQ(sizeClient, frame.Client());
}

TEST(HandleMenuBar, TheMouseOpensPopupsMovesAcrossItemsAndChoosesACommand)
{
    CHandleSkin skin(MENU_COLOURS);
    CMenuFrame frame;
    // Data the host keeps in an item of its own.
    MENUITEMINFOW data = { sizeof(data), MIIM_DATA };
    data.dwItemData = 0x5EED;
    ::SetMenuItemInfoW(frame.hEdit, ID_COPY, FALSE, &data);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    const CRect rcBar = frame.Bar();

    // Hovering lights the item up.
    MouseTo(frame.BarPoint(4));
    EXPECT_TRUE(ShowsColour(frame.hWnd, CRect(rcBar.left, rcBar.top, rcBar.left + 20, rcBar.bottom), MENU_HOVER));
    MouseTo(CPoint(frame.Window().left + 150, frame.Window().bottom - 40));
    KorvoTest::PumpMessages(400);
    EXPECT_FALSE(ShowsColour(frame.hWnd, rcBar, MENU_HOVER)) << "and goes out when the pointer leaves";

    HMENU hFirst = NULL, hSecond = NULL;
    int xSecond = -1;
    CPoint ptPopup(-1, -1);
    AsUser([&](DWORD nThread) {
        PointerTo(frame.BarPoint(4), nThread);
        Click(frame.BarPoint(4), nThread);
        hFirst = OpenPopup(nThread);
        // Along the bar with the popup open, the next item's popup takes its place.
        for (int x = 8; x < rcBar.Width() && xSecond < 0; x += 6)
        {
            PointerTo(frame.BarPoint(x), nThread);
            if (OpenPopup(nThread) == frame.hEdit)
                xSecond = x;
        }
        hSecond = OpenPopup(nThread);
        // The popup hangs below the bar; its first item is Copy.
        CRect rcPopup;
        if (HWND hPopup = PopupWindow(nThread))
        {
            ::GetWindowRect(hPopup, &rcPopup);
            ptPopup = rcPopup.TopLeft();
            const CPoint ptCopy(rcPopup.left + rcPopup.Width() / 2, rcPopup.top + 8);
            PointerTo(ptCopy, nThread);
            Click(ptCopy, nThread);
        }
    });
    EXPECT_EQ(frame.hFile, hFirst) << "a click on File opened its popup";
    EXPECT_GT(xSecond, 0) << "moving onto Edit opened its popup";
    EXPECT_EQ(frame.hEdit, hSecond);
    EXPECT_EQ(frame.Window().top + rcBar.bottom, ptPopup.y) << "the popup hangs from the bar";
    EXPECT_EQ((UINT)ID_COPY, CHostFrame::s_nLastCommand) << "the command reached the window";
    EXPECT_EQ(1u, CHeard::s_nInitMenu) << "once for the whole walk along the bar, as from the system's bar";
    EXPECT_EQ(::GetMenu(frame.hWnd), CHeard::s_hInitMenu) << "for the bar's menu";
    EXPECT_GE(CHeard::s_nInitPopup, 2u);
    EXPECT_EQ(frame.hEdit, CHeard::s_hLastPopup);
    // The items repainted one by one as they lit and went out leave the bar as a whole repaint
    // draws it.
    auto barPixels = [&] {
        const KorvoTest::CWindowPixels pixels(frame.hWnd);
        std::vector<COLORREF> bar;
        for (int y = rcBar.top; y < rcBar.bottom; y++)
            for (int x = rcBar.left; x < rcBar.right; x++)
                bar.push_back(pixels.At(x, y));
        return bar;
    };
    const std::vector<COLORREF> walked = barPixels();
    ::RedrawWindow(frame.hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(walked == barPixels()) << "an item stayed lit or pressed";
    // The popups were skinned only while open: the host's items are its own again, for its own
    // reading and for the system's drawing once the library is gone.
    MENUITEMINFOW info = { sizeof(info), MIIM_DATA | MIIM_FTYPE };
    ASSERT_TRUE(::GetMenuItemInfoW(frame.hEdit, ID_COPY, FALSE, &info));
    EXPECT_EQ(0x5EEDu, info.dwItemData);
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
}

TEST(HandleMenuBar, AltF10MnemonicsArrowsAndEscWorkFromAChildWithTheFocus)
{
    CHandleSkin skin(MENU_COLOURS);
    CMenuFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    ::SetFocus(frame.hEditControl);
    const CRect rcBar = frame.Bar();
    const CRect rcFirst(rcBar.left, rcBar.top, rcBar.left + 6, rcBar.bottom);

    bool bAltLit = false, bEscLeft = false, bBackToBar = false;
    HMENU hByArrows = NULL, hByMnemonic = NULL, hByF10 = NULL;
    UINT nHighlighted = 0;
    AsUser([&](DWORD nThread) {
        // Alt alone lights the first item without opening it.
        Tap(VK_MENU);
        bAltLit = ShowsColour(frame.hWnd, rcFirst, MENU_HOVER) && !OpenPopup(nThread);
        // Right moves to Edit, Down opens it on its first item, Enter chooses it.
        Tap(VK_RIGHT);
        Tap(VK_DOWN);
        ::Sleep(100);
        hByArrows = OpenPopup(nThread);
        nHighlighted = hByArrows ? ::GetMenuState(hByArrows, 0, MF_BYPOSITION) & MF_HILITE : 0;
        Tap(VK_RETURN);

        // Alt+F opens File; Esc closes it and leaves File lit on the bar; Esc again leaves the bar.
        Key(VK_MENU, false);
        Tap('F');
        Key(VK_MENU, true);
        ::Sleep(100);
        hByMnemonic = OpenPopup(nThread);
        Tap(VK_ESCAPE);
        bBackToBar = !OpenPopup(nThread) && ShowsColour(frame.hWnd, rcFirst, MENU_HOVER);
        Tap(VK_ESCAPE);
        bEscLeft = !ShowsColour(frame.hWnd, rcBar, MENU_HOVER);

        // F10, then a mnemonic without Alt.
        Tap(VK_F10);
        Tap('E');
        ::Sleep(100);
        hByF10 = OpenPopup(nThread);
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
    });
    EXPECT_TRUE(bAltLit);
    EXPECT_EQ(frame.hEdit, hByArrows);
    EXPECT_NE(0u, nHighlighted) << "opened from the keyboard on its first item";
    EXPECT_EQ((UINT)ID_COPY, CHostFrame::s_nLastCommand);
    EXPECT_EQ(frame.hFile, hByMnemonic);
    EXPECT_TRUE(bBackToBar);
    EXPECT_TRUE(bEscLeft);
    EXPECT_EQ(frame.hEdit, hByF10);
    EXPECT_EQ(frame.hEditControl, ::GetFocus()) << "the focus stays where it was";
    wchar_t szText[16] = L"";
    ::GetWindowTextW(frame.hEditControl, szText, 16);
    EXPECT_STREQ(L"", szText) << "no key of the menu reached the edit";
}

TEST(HandleMenuBar, ScreenReadersFindTheBarsItemsWhereTheyAreDrawn)
{
    CHandleSkin skin(MENU_COLOURS);
    CMenuFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    IAccessible* pBar = NULL;
    ASSERT_EQ(S_OK, ::AccessibleObjectFromWindow(frame.hWnd, (DWORD)OBJID_MENU, __uuidof(IAccessible), (void**)&pBar));
    VARIANT self = {}, first = {}, role = {};
    self.vt = first.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    first.lVal = 1;
    EXPECT_EQ(S_OK, pBar->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_MENUBAR, role.lVal);
    long nChildren = 0;
    EXPECT_EQ(S_OK, pBar->get_accChildCount(&nChildren));
    EXPECT_EQ(3, nChildren);
    BSTR name = NULL;
    EXPECT_EQ(S_OK, pBar->get_accName(first, &name));
    EXPECT_STREQ(L"File", name);
    ::SysFreeString(name);
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(S_OK, pBar->accLocation(&x, &y, &cx, &cy, first));
    const CPoint ptFirst = frame.BarPoint(0);
    EXPECT_EQ(ptFirst.x, x) << "the first item starts at the bar's left";
    EXPECT_TRUE(y <= ptFirst.y && ptFirst.y < y + cy) << "and lies on the drawn bar, not the system's";
    VARIANT hit = {};
    EXPECT_EQ(S_OK, pBar->accHitTest(x + cx + 2, y + cy / 2, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(2, hit.lVal) << "the second item follows the first";
    pBar->Release();
}
