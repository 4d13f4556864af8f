// Every window a thread creates, skinned without host code: message boxes, dialogs, property
// sheets and their pages, frames and popup menus, chosen by flags and by the host's callback.
#include "HandleWindowSupport.h"
#include "theme/ColourContrast.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

using namespace HandleTest;

namespace
{
const double READABLE = 4.5;

// Runs inspect on the modal dialog that open shows, once it is up and painted, then closes it.
std::function<void(HWND)> s_inspect;
void CALLBACK InspectModal(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hDialog = VisibleThreadWindow(::GetCurrentThreadId(), L"#32770");
    if (!hDialog)
        return;
    ::KillTimer(NULL, nTimer);
    if (s_inspect)
    {
        KorvoTest::PumpMessages(60);
        s_inspect(hDialog);
    }
    ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
}
void WhileModal(const std::function<void()>& open, const std::function<void(HWND)>& inspect)
{
    s_inspect = inspect;
    ::SetTimer(NULL, 0, USER_TIMER_MINIMUM, InspectModal);
    open();
    s_inspect = nullptr;
}

std::vector<COLORREF> PixelsIn(const KorvoTest::CWindowPixels& pixels, const CRect& rc)
{
    std::vector<COLORREF> inside;
    for (int y = std::max(0L, rc.top); y < std::min((LONG)pixels.m_cy, rc.bottom); y++)
        for (int x = std::max(0L, rc.left); x < std::min((LONG)pixels.m_cx, rc.right); x++)
            inside.push_back(pixels.At(x, y));
    return inside;
}

// rc of a child, in its top-level window's coordinates.
CRect InWindow(HWND hChild)
{
    CRect rcChild, rcWindow;
    ::GetWindowRect(hChild, &rcChild);
    ::GetWindowRect(::GetAncestor(hChild, GA_ROOT), &rcWindow);
    rcChild.OffsetRect(-rcWindow.left, -rcWindow.top);
    return rcChild;
}

bool IsDark(COLORREF cr)
{
    return GetRValue(cr) < 0x60 && GetGValue(cr) < 0x60 && GetBValue(cr) < 0x60;
}

// A property sheet's page: a dialog template in memory with a check box and a label.
struct CPageTemplate
{
    std::vector<WORD> words;
    explicit CPageTemplate(LPCWSTR pszCheck)
    {
        auto Add = [&](LPCWSTR psz) {
            for (; *psz; psz++)
                words.push_back(*psz);
            words.push_back(0);
        };
        auto Align = [&] {
            if (words.size() % 2)
                words.push_back(0);
        };
        DLGTEMPLATE header = { WS_CHILD | DS_SETFONT | DS_CONTROL, 0, 2, 0, 0, 160, 80 };
        words.resize(sizeof(header) / 2);
        memcpy(words.data(), &header, sizeof(header));
        words.push_back(0);
        words.push_back(0);
        Add(L"Page");
        words.push_back(8);
        Add(L"MS Shell Dlg");
        auto Control = [&](DWORD dwStyle, short x, short y, short cx, short cy, WORD nID, WORD nClass, LPCWSTR pszText) {
            Align();
            DLGITEMTEMPLATE item = { dwStyle | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, nID };
            const size_t nAt = words.size();
            words.resize(nAt + sizeof(item) / 2);
            memcpy(words.data() + nAt, &item, sizeof(item));
            words.push_back(0xFFFF);
            words.push_back(nClass);
            Add(pszText);
            words.push_back(0);
        };
        Control(BS_AUTOCHECKBOX | WS_TABSTOP, 8, 8, 100, 12, 301, 0x0080, pszCheck);
        Control(SS_LEFT, 8, 30, 100, 10, 302, 0x0082, L"A label");
        words.push_back(0);
    }
};

INT_PTR CALLBACK PageProc(HWND, UINT nMsg, WPARAM, LPARAM)
{
    return nMsg == WM_INITDIALOG;
}

// A wrapped check box: the library draws it.
bool IsOwnerDrawn(HWND hButton)
{
    return (::GetWindowLongW(hButton, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

// A push button drawn by the library has the skin's face, not the system's.
bool HasSkinnedFace(const KorvoTest::CWindowPixels& pixels, HWND hButton)
{
    return ReadTextContrast(PixelsIn(pixels, InWindow(hButton))).crBack != ::GetSysColor(COLOR_BTNFACE);
}

const wchar_t* WINAPI ExcludeNamed(HWND hWnd, const wchar_t* pszTarget, void* pContext)
{
    wchar_t szTitle[32] = L"";
    ::GetWindowTextW(hWnd, szTitle, 32);
    ++*(int*)pContext;
    return wcscmp(szTitle, L"Leave me") ? pszTarget : NULL;
}
} // namespace

TEST(ThreadSkin, MessageBoxesAreReadableInEveryBundledSkin)
{
    CGalleryFolder gallery;
    for (LPCWSTR pszSkin : { L"Definitions\\Aurora.xml", L"Definitions\\Ember.xml", L"Definitions\\Midnight.xml" })
    {
        SCOPED_TRACE(testing::Message() << pszSkin);
        ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
        ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", pszSkin));
        ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL));
        const COLORREF crBack = KorvoSkin_GetColour(L"dialog.back");
        bool bSeen = false;
        int nResult = 0;
        WhileModal([&] { nResult = ::MessageBoxW(NULL, L"The file was saved.", L"Notice", MB_OKCANCEL | MB_ICONINFORMATION); },
                   [&](HWND hBox) {
                       bSeen = true;
                       KorvoTest::CWindowPixels pixels(hBox);
                       HWND hText = NULL;
                       std::vector<HWND> buttons;
                       for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
                       {
                           wchar_t szClass[16] = L"";
                           ::GetClassNameW(h, szClass, 16);
                           if (!wcscmp(szClass, L"Button"))
                               buttons.push_back(h);
                           else if (::GetWindowTextLengthW(h) > 0)
                               hText = h;
                       }
                       ASSERT_TRUE(hText);
                       const TEXT_CONTRAST text = ReadTextContrast(PixelsIn(pixels, InWindow(hText)));
                       EXPECT_GE(text.dRatio, READABLE) << "message text";
                       EXPECT_EQ(crBack, text.crBack) << "the text lies on the skin's dialog colour";
                       ASSERT_EQ(2u, buttons.size());
                       for (HWND hButton : buttons)
                       {
                           EXPECT_TRUE(HasSkinnedFace(pixels, hButton)) << "the button is the library's";
                           // Inside the border, which the default button draws thicker.
                           CRect rcFace = InWindow(hButton);
                           rcFace.DeflateRect(3, 3);
                           EXPECT_GE(ReadTextContrast(PixelsIn(pixels, rcFace)).dRatio, READABLE) << "button";
                       }
                       // The frame is the skin's: the window's corner is not the system's caption.
                       EXPECT_NE(::GetSysColor(COLOR_ACTIVECAPTION), pixels.At(pixels.m_cx / 2, 3));
                       if (IsDark(crBack))
                       {
                           EXPECT_TRUE(IsDark(pixels.At(pixels.m_cx / 2, pixels.m_cy - 3))) << "a dark skin's box is dark";
                       }
                   });
        EXPECT_TRUE(bSeen);
        EXPECT_EQ(IDCANCEL, nResult) << "the box answers as it would unskinned";
        ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Uninit());
    }
}

TEST(ThreadSkin, InHighContrastAMessageBoxOfTheDarkSkinKeepsTheSystemsLook)
{
    CHighContrastSetting setting(true);
    CGalleryFolder gallery;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL));
    bool bSeen = false;
    WhileModal([&] { ::MessageBoxW(NULL, L"The file was saved.", L"Notice", MB_OK | MB_ICONINFORMATION); },
               [&](HWND hBox) {
                   bSeen = true;
                   KorvoTest::CWindowPixels pixels(hBox);
                   CRect rc(0, 0, 0, 0);
                   ::AdjustWindowRectEx(&rc, (DWORD)::GetWindowLongW(hBox, GWL_STYLE), FALSE,
                                        (DWORD)::GetWindowLongW(hBox, GWL_EXSTYLE));
                   POINT ptClient = { 0, 0 };
                   ::ClientToScreen(hBox, &ptClient);
                   CRect rcBox;
                   ::GetWindowRect(hBox, &rcBox);
                   EXPECT_EQ(-rc.left, ptClient.x - rcBox.left) << "the system's frame";
                   EXPECT_EQ(-rc.top, ptClient.y - rcBox.top);
                   for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
                   {
                       if (::GetWindowTextLengthW(h) == 0)
                           continue;
                       CRect rcText = InWindow(h);
                       rcText.DeflateRect(3, 3);
                       const TEXT_CONTRAST text = ReadTextContrast(PixelsIn(pixels, rcText));
                       EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), text.crBack) << "the system's colours, not Midnight's";
                       EXPECT_GE(text.dRatio, READABLE);
                   }
               });
    EXPECT_TRUE(bSeen);
}

TEST(ThreadSkin, FlagsAndTheHostsCallbackChooseAndZeroLetsEveryWindowGo)
{
    CHandleSkin skin;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_DIALOGS));
    {
        CHostFrame frame;
        Show(frame.hWnd);
        EXPECT_NE(FRAME, KorvoTest::CWindowPixels(frame.hWnd).At(2, 2)) << "frames were left out";
        EXPECT_EQ(KORVOSKIN_E_NOT_SKINNED, KorvoSkin_UnskinWindow(frame.hWnd));
    }
    int nAsked = 0;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SetThreadWindowCallback(ExcludeNamed, &nAsked));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_FRAMES));
    CHostFrame skinned;
    Show(skinned.hWnd);
    EXPECT_EQ(FRAME, KorvoTest::CWindowPixels(skinned.hWnd).At(2, 2)) << "skinned as it was created";
    EXPECT_EQ(1, nAsked);
    const HWND hLeft = ::CreateWindowExW(0, L"KorvoHandleHost", L"Leave me", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                                         200, 150, NULL, NULL, NULL, NULL);
    Show(hLeft);
    EXPECT_NE(FRAME, KorvoTest::CWindowPixels(hLeft).At(2, 2)) << "the callback left it out";
    EXPECT_EQ(KORVOSKIN_E_NOT_SKINNED, KorvoSkin_UnskinWindow(hLeft));
    ::DestroyWindow(hLeft);

    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(0));
    Show(skinned.hWnd);
    EXPECT_NE(FRAME, KorvoTest::CWindowPixels(skinned.hWnd).At(2, 2)) << "let go";
    EXPECT_EQ(KORVOSKIN_E_NOT_SKINNED, KorvoSkin_UnskinWindow(skinned.hWnd));
    CHostFrame after;
    Show(after.hWnd);
    EXPECT_NE(FRAME, KorvoTest::CWindowPixels(after.hWnd).At(2, 2)) << "stopped";
}

TEST(ThreadSkin, PropertySheetPagesAreDressedAsTheyAreMade)
{
    CGalleryFolder gallery;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL));
    CPageTemplate first(L"First box"), second(L"Second box");
    PROPSHEETPAGEW pages[2] = {};
    CPageTemplate* templates[2] = { &first, &second };
    for (int i = 0; i < 2; i++)
    {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].pResource = (LPCDLGTEMPLATEW)templates[i]->words.data();
        pages[i].pfnDlgProc = PageProc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
    header.pszCaption = L"Options";
    header.nPages = 2;
    header.ppsp = pages;
    const HWND hSheet = (HWND)::PropertySheetW(&header);
    ASSERT_TRUE(hSheet);
    Show(hSheet);
    auto CheckPage = [&](LPCWSTR pszBox) {
        HWND hPage = PropSheet_GetCurrentPageHwnd(hSheet);
        ASSERT_TRUE(hPage);
        HWND hBox = ::GetDlgItem(hPage, 301);
        ASSERT_TRUE(hBox);
        EXPECT_TRUE(IsOwnerDrawn(hBox)) << pszBox;
        ::SendMessageW(hBox, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(BST_CHECKED, ::SendMessageW(hBox, BM_GETCHECK, 0, 0)) << "the box keeps its state";
        Show(hSheet);
        KorvoTest::CWindowPixels pixels(hSheet);
        const CRect rcLabel = InWindow(::GetDlgItem(hPage, 302));
        const CRect rcPage = InWindow(hPage);
        EXPECT_TRUE(IsDark(pixels.At(rcPage.right - 4, rcPage.bottom - 4))) << "the page is in the skin's colour";
        EXPECT_TRUE(IsDark(pixels.At(rcLabel.right + 2, rcLabel.top + 2))) << "beside the label";
        EXPECT_GE(ReadTextContrast(PixelsIn(pixels, InWindow(hBox))).dRatio, READABLE) << "the box's text";
        EXPECT_GE(ReadTextContrast(PixelsIn(pixels, rcLabel)).dRatio, READABLE);
    };
    CheckPage(L"First box");
    PropSheet_SetCurSel(hSheet, NULL, 1);
    KorvoTest::PumpMessages(60);
    CheckPage(L"Second box");
    EXPECT_TRUE(HasSkinnedFace(KorvoTest::CWindowPixels(hSheet), ::GetDlgItem(hSheet, IDOK))) << "the sheet's own buttons";
    ::DestroyWindow(hSheet);
}

TEST(ThreadSkin, MessageBoxesOneAfterAnotherLeaveNothingBehind)
{
    CGalleryFolder gallery;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL));
    // Wine counts no GDI or USER objects and no private usage: the highest fresh handles and the
    // committed private memory grow with what is left alive on every platform.
    struct Use
    {
        KorvoTest::CHandleHighs handles;
        SIZE_T nPrivate;
    };
    auto Objects = [] { return Use{ KorvoTest::FreshHandleHighs(), KorvoTest::CommittedPrivateBytes() }; };
    auto OpenAndClose = [&](int nTimes) {
        for (int i = 0; i < nTimes; i++)
            WhileModal([] { ::MessageBoxW(NULL, L"Again", L"Round", MB_OK | MB_ICONWARNING); }, nullptr);
    };
    OpenAndClose(20);
    const auto before = Objects();
    // The soak benchmark runs a thousand.
    OpenAndClose(60);
    const auto after = Objects();
    EXPECT_LE(after.handles.nGdi, before.handles.nGdi + 8) << "GDI objects";
    EXPECT_LE(after.handles.nUser, before.handles.nUser + 8) << "USER objects";
    // A leak of a record, a frame or a wrapper per box would be well over this.
    EXPECT_LE(after.nPrivate, before.nPrivate + 1024 * 1024) << "private bytes";
}

namespace
{
const COLORREF OWN_ITEM = RGB(250, 0, 250);
COLORREF s_crOwnItemSeen = CLR_INVALID;

// A window that draws one menu item of its own and reads its popup back while it is open.
LRESULT CALLBACK OwnItemProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_MEASUREITEM:
        if (((MEASUREITEMSTRUCT*)lParam)->CtlType == ODT_MENU && ((MEASUREITEMSTRUCT*)lParam)->itemID == 9)
        {
            ((MEASUREITEMSTRUCT*)lParam)->itemWidth = 120;
            ((MEASUREITEMSTRUCT*)lParam)->itemHeight = 24;
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (((DRAWITEMSTRUCT*)lParam)->CtlType == ODT_MENU && ((DRAWITEMSTRUCT*)lParam)->itemID == 9)
        {
            const DRAWITEMSTRUCT* pItem = (const DRAWITEMSTRUCT*)lParam;
            HBRUSH hBrush = ::CreateSolidBrush(OWN_ITEM);
            ::FillRect(pItem->hDC, &pItem->rcItem, hBrush);
            ::DeleteObject(hBrush);
            return TRUE;
        }
        break;
    case WM_TIMER:
    {
        HWND hPopup = ::FindWindowW(L"#32768", NULL);
        if (!hPopup || !::IsWindowVisible(hPopup))
            break;
        ::KillTimer(hWnd, wParam);
        ::RedrawWindow(hPopup, NULL, NULL, RDW_UPDATENOW);
        RECT rcItem;
        HMENU hMenu = (HMENU)::SendMessageW(hPopup, MN_GETHMENU, 0, 0);
        if (hMenu && ::GetMenuItemRect(hWnd, hMenu, 0, &rcItem))
        {
            RECT rcPopup;
            ::GetWindowRect(hPopup, &rcPopup);
            s_crOwnItemSeen = KorvoTest::CWindowPixels(hPopup).At((rcItem.left + rcItem.right) / 2 - rcPopup.left,
                                                                  (rcItem.top + rcItem.bottom) / 2 - rcPopup.top);
        }
        ::EndMenu();
        return 0;
    }
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
} // namespace

TEST(ThreadSkin, MenuItemsTheProgramDrawsItselfStayItsOwn)
{
    CHandleSkin skin;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinThread(KORVOSKIN_THREAD_FRAMES | KORVOSKIN_THREAD_MENUS));
    CHostWindow window(L"KorvoOwnItemHost", OwnItemProc, COLOR_WINDOW, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Show(window.hWnd);
    HMENU hMenu = ::CreatePopupMenu();
    // Item data 0, which the library gives its own separators.
    ::AppendMenuW(hMenu, MF_OWNERDRAW, 9, NULL);
    ::AppendMenuW(hMenu, MF_STRING, 10, L"Plain item");
    s_crOwnItemSeen = CLR_INVALID;
    ::SetTimer(window.hWnd, 1, 50, NULL);
    ::TrackPopupMenu(hMenu, TPM_RETURNCMD, 100, 100, 0, window.hWnd, NULL);
    ::DestroyMenu(hMenu);
    EXPECT_EQ(OWN_ITEM, s_crOwnItemSeen) << "the program's own drawing, not the library's";
}
