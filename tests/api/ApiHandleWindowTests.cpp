// The C interface by window handle, driven as a host in another language drives it: windows made
// with CreateWindowEx, real mouse input, the frame's pixels read back, and every bad argument.
#include "HandleWindowSupport.h"
#include <commctrl.h>
#include <windowskin/CAccessibleProxy.h>
#include <parts/CWindowDpi.h>
#include <thread>

using namespace HandleTest;

TEST(HandleApi, BeforeInitAndAfterUninitEveryCallSaysSo)
{
    CHostFrame frame;
    EXPECT_EQ(1, KorvoSkin_Version());
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_LoadSkin(L"", L""));
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_GetString(7, NULL, 0));
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_Uninit());
    EXPECT_EQ(CLR_INVALID, KorvoSkin_GetColour(L"dialog.back"));
    EXPECT_EQ(nullptr, KorvoSkin_GetMenu(L"Popup"));
    {
        CHandleSkin skin;
        EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_Init()) << "the owner may call it again";
    }
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_SkinControls(frame.hWnd));
    EXPECT_EQ(nullptr, KorvoSkin_CreateToolBar(frame.hWnd, L"Main", 0xE801));
    for (int code = 1; code >= -10; code--)
        EXPECT_NE(nullptr, KorvoSkin_ErrorText(code));
}

TEST(HandleApi, AFrameOfAnyCodeShowsTheSkinsCaptionAndItsCloseButtonAnswersTheMouse)
{
    CHandleSkin skin;
    CHostFrame frame;
    const CSize sizeClient = frame.Client();
    Show(frame.hWnd);
    const COLORREF crSystemCaption = KorvoTest::CWindowPixels(frame.hWnd).At(frame.Window().Width() / 2, 10);

    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    EXPECT_EQ(sizeClient, frame.Client()) << "the client area keeps its size";
    CRect rc = frame.Window();
    KorvoTest::CWindowPixels pixels(frame.hWnd);
    EXPECT_EQ(FRAME, pixels.At(rc.Width() / 2, 10)) << "the skin's caption where the system's was";
    EXPECT_NE(crSystemCaption, pixels.At(rc.Width() / 2, 10));
    EXPECT_EQ(CLOSE, pixels.At(rc.Width() - 20, 12));
    EXPECT_EQ(WATERMARK, KorvoTest::CWindowPixels(frame.hWnd, true).At(20, 20)) << "the watermark fills the client area";

    // Hover, press and release with the real mouse: the window closes.
    const CPoint ptClose(rc.right - 20, rc.top + 12);
    MouseTo(ptClose);
    EXPECT_EQ(CLOSE_HOVER, KorvoTest::CWindowPixels(frame.hWnd).At(rc.Width() - 20, 12));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(CLOSE_DOWN, KorvoTest::CWindowPixels(frame.hWnd).At(rc.Width() - 20, 12));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(::IsWindow(frame.hWnd)) << "Close closed the window";
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_UnskinWindow(frame.hWnd)) << "gone, and forgotten";
    MouseTo(CPoint(0, 0));
}

TEST(HandleApi, TheTitleBarTellsScreenReadersWhereTheSkinsCloseButtonIs)
{
    CHandleSkin skin;
    CHostFrame frame;
    CAccessibleQuery query;
    query.idObject = OBJID_TITLEBAR;
    query.idChild = 5;
    EXPECT_FALSE(CAccessibleQuery::Send(frame.hWnd, query)) << "the system's title bar before";
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    ASSERT_TRUE(CAccessibleQuery::Send(frame.hWnd, query));
    const CRect rcWindow = frame.Window();
    EXPECT_EQ(CRect(rcWindow.right - 30, rcWindow.top + 6, rcWindow.right - 10, rcWindow.top + 24), query.rcScreen);
    EXPECT_EQ(CString(L"Close"), query.strName);
    EXPECT_NE(0, ::SendMessageW(frame.hWnd, WM_GETOBJECT, 0, (LPARAM)(DWORD)OBJID_TITLEBAR)) << "the skin's title bar object";
    EXPECT_EQ(0, ::SendMessageW(frame.hWnd, WM_GETOBJECT, 0, (LPARAM)(DWORD)OBJID_CLIENT)) << "the client area stays the window's";
}

TEST(HandleApi, TheFrameFollowsTheWindowsDpi)
{
    CHandleSkin skin;
    CHostFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    auto CaptionHeight = [&] {
        POINT pt = { 0, 0 };
        ::ClientToScreen(frame.hWnd, &pt);
        return pt.y - frame.Window().top;
    };
    EXPECT_EQ(30, CaptionHeight());
    CRect rcSuggested = frame.Window();
    rcSuggested.right = rcSuggested.left + rcSuggested.Width() * 3 / 2;
    rcSuggested.bottom = rcSuggested.top + rcSuggested.Height() * 3 / 2;
    ::SendMessageW(frame.hWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&rcSuggested);
    EXPECT_EQ(45, CaptionHeight()) << "the skin's 30-pixel caption at 144 DPI";
    EXPECT_EQ(rcSuggested, frame.Window()) << "placed where the system suggested";
}

TEST(HandleApi, ControlsOfAnyCodeTakeTheLooksAndKeepTheirBehaviour)
{
    CHandleSkin skin;
    CHostFrame frame;
    HWND hCheck = ::CreateWindowExW(0, L"BUTTON", L"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, 20, 120, 24,
                                    frame.hWnd, (HMENU)101, NULL, NULL);
    HWND hRadio1 = ::CreateWindowExW(0, L"BUTTON", L"One", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 20, 50,
                                     120, 24, frame.hWnd, (HMENU)102, NULL, NULL);
    HWND hRadio2 = ::CreateWindowExW(0, L"BUTTON", L"Two", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 20, 80, 120, 24,
                                     frame.hWnd, (HMENU)103, NULL, NULL);
    ::SendMessageW(hRadio1, BM_SETCHECK, BST_CHECKED, 0);
    for (LPCWSTR pszClass : { L"EDIT", L"COMBOBOX", L"STATIC", WC_TREEVIEWW, TRACKBAR_CLASSW })
        ::CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE, 160, 20, 80, 20, frame.hWnd, NULL, NULL, NULL);
    const DWORD dwCheckStyle = ::GetWindowLongW(hCheck, GWL_STYLE);

    EXPECT_EQ(8, KorvoSkin_SkinControls(frame.hWnd));
    EXPECT_EQ(0, KorvoSkin_SkinControls(frame.hWnd)) << "each control once";
    EXPECT_EQ(BS_OWNERDRAW, ::GetWindowLongW(hCheck, GWL_STYLE) & BS_TYPEMASK) << "the library draws it";
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(hRadio1, BM_GETCHECK, 0, 0)) << "the state it had";

    // A real click on the check box checks it and tells the host.
    Show(frame.hWnd);
    ClickOn(hCheck);
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(hCheck, BM_GETCHECK, 0, 0));
    EXPECT_EQ(MAKEWPARAM(101, BN_CLICKED), CHostFrame::s_nLastCommand);
    // A radio button's click clears its group's other button.
    ClickOn(hRadio2);
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(hRadio2, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(hRadio1, BM_GETCHECK, 0, 0));
    MouseTo(CPoint(0, 0));

    // A load keeps them; unskinned, they are the system's again.
    EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L""));
    EXPECT_EQ(BS_OWNERDRAW, ::GetWindowLongW(hCheck, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(frame.hWnd));
    EXPECT_EQ(dwCheckStyle, (DWORD)::GetWindowLongW(hCheck, GWL_STYLE));
    EXPECT_EQ(8, KorvoSkin_SkinControls(frame.hWnd)) << "and can be skinned again";
}

TEST(HandleApi, AHostMayLetTheLibraryGoFromTheNotificationOfASkinnedControl)
{
    CHandleSkin skin;
    CHostFrame frame;
    HWND hCheck = ::CreateWindowExW(0, L"BUTTON", L"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, 20, 120, 24,
                                    frame.hWnd, (HMENU)101, NULL, NULL);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    ASSERT_EQ(1, KorvoSkin_SkinControls(frame.hWnd));
    Show(frame.hWnd);
    CHostFrame::s_bUninitOnCommand = true;
    ClickOn(hCheck);
    MouseTo(CPoint(0, 0));
    CHostFrame::s_bUninitOnCommand = false;
    EXPECT_EQ(1u, CHostFrame::s_nCommands);
    EXPECT_EQ(BS_AUTOCHECKBOX, ::GetWindowLongW(hCheck, GWL_STYLE) & BS_TYPEMASK) << "the system's check box again";
    EXPECT_EQ(WS_CAPTION, ::GetWindowLongW(frame.hWnd, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(KORVOSKIN_E_NOT_INITIALISED, KorvoSkin_UnskinWindow(frame.hWnd));
    ::SendMessageW(hCheck, BM_CLICK, 0, 0);
    EXPECT_EQ(2u, CHostFrame::s_nCommands) << "the control still works";
}

TEST(HandleApi, BadArgumentsGetTheirCodesAndChangeNothing)
{
    CHandleSkin skin;
    CHostFrame frame;
    const CRect rcBefore = frame.Window();
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_SkinWindow(NULL, L"Main"));
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_SkinWindow(frame.hWnd, NULL));
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_SkinWindow((HWND)(INT_PTR)0x1234, L"Main"));
    EXPECT_EQ(KORVOSKIN_E_NOT_FOUND, KorvoSkin_SkinWindow(frame.hWnd, L"Nobody"));
    EXPECT_EQ(rcBefore, frame.Window()) << "an unknown target leaves the window alone";
    EXPECT_EQ(KORVOSKIN_E_NOT_SKINNED, KorvoSkin_UnskinWindow(frame.hWnd));
    EXPECT_EQ(KORVOSKIN_E_WRONG_THREAD, KorvoSkin_SkinWindow(::GetDesktopWindow(), L"Main")) << "another process's";

    // Another thread's window, and another thread's call.
    HWND hOther = NULL;
    HANDLE hReady = ::CreateEventW(NULL, TRUE, FALSE, NULL), hDone = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    std::thread other([&] {
        hOther = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        ::SetEvent(hReady);
        ::WaitForSingleObject(hDone, INFINITE);
        ::DestroyWindow(hOther);
    });
    ::WaitForSingleObject(hReady, INFINITE);
    EXPECT_EQ(KORVOSKIN_E_WRONG_THREAD, KorvoSkin_SkinWindow(hOther, L"Main"));
    ::SetEvent(hDone);
    other.join();
    ::CloseHandle(hReady);
    ::CloseHandle(hDone);
    int nFromOther = 0;
    std::thread caller([&] { nFromOther = KorvoSkin_SkinWindow(frame.hWnd, L"Main"); });
    caller.join();
    EXPECT_EQ(KORVOSKIN_E_WRONG_THREAD, nFromOther);

    HWND hChild = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 10, 10, frame.hWnd, NULL, NULL, NULL);
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_SkinWindow(hChild, L"Main")) << "not a top-level window";
    EXPECT_EQ(nullptr, KorvoSkin_CreateToolBar(frame.hWnd, L"NoTemplate", 0xE801));
    EXPECT_EQ(nullptr, KorvoSkin_CreateToolBar(frame.hWnd, NULL, 0xE801));

    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    EXPECT_EQ(KORVOSKIN_E_ALREADY_SKINNED, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(frame.hWnd));
    EXPECT_EQ(rcBefore, frame.Window()) << "the system frame back where it was";
    EXPECT_EQ(WS_CAPTION, ::GetWindowLongW(frame.hWnd, GWL_STYLE) & WS_CAPTION);
    const CPoint ptCaption(rcBefore.left + 100, rcBefore.top + 8);
    EXPECT_EQ(HTCAPTION, ::SendMessageW(frame.hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
}

TEST(HandleApi, LookupsAnswerByNameAndStringsByLength)
{
    CHandleSkin skin;
    wchar_t szText[8] = L"zzzzzzz";
    EXPECT_EQ(5, KorvoSkin_GetString(7, NULL, 0));
    EXPECT_EQ(5, KorvoSkin_GetString(7, szText, 5)) << "no room for the terminator";
    EXPECT_STREQ(L"zzzzzzz", szText) << "nothing copied";
    EXPECT_EQ(5, KorvoSkin_GetString(7, szText, 6));
    EXPECT_STREQ(L"seven", szText);
    EXPECT_EQ(0, KorvoSkin_GetString(8, szText, 8)) << "an empty string the skin gives";
    EXPECT_EQ(KORVOSKIN_E_NOT_FOUND, KorvoSkin_GetString(9, szText, 8));
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_GetString(7, szText, -1));

    EXPECT_EQ(RGB(0x10, 0x20, 0x30), KorvoSkin_GetColour(L"dialog.back"));
    EXPECT_EQ(RGB(0xA0, 0xB0, 0xC0), KorvoSkin_GetColour(L"menu.text"));
    EXPECT_EQ(CLR_INVALID, KorvoSkin_GetColour(L"menu.txt"));
    EXPECT_EQ(CLR_INVALID, KorvoSkin_GetColour(NULL));

    EXPECT_TRUE(::IsMenu(KorvoSkin_GetMenu(L"Popup")));
    EXPECT_EQ(nullptr, KorvoSkin_GetMenu(L"popup"));
    EXPECT_NE(nullptr, KorvoSkin_GetWatermark(L"Paper"));
    EXPECT_EQ(nullptr, KorvoSkin_GetWatermark(NULL));
    CHostFrame frame;
    EXPECT_EQ(KORVOSKIN_E_NOT_FOUND, KorvoSkin_TrackPopupMenu(L"None", 10, 10, TPM_RETURNCMD, frame.hWnd));
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_TrackPopupMenu(L"Popup", 10, 10, TPM_RETURNCMD, NULL));
}

namespace
{
int s_nBefore, s_nAfter;
LRESULT CALLBACK CountBefore(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (nMsg == WM_APP)
        s_nBefore++;
    return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}
LRESULT CALLBACK CountAfter(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (nMsg == WM_APP)
        s_nAfter++;
    return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}
} // namespace

TEST(HandleApi, TheWindowsOwnSubclassesBeforeAndAfterKeepWorking)
{
    CHandleSkin skin;
    CHostFrame frame;
    s_nBefore = s_nAfter = 0;
    ASSERT_TRUE(::SetWindowSubclass(frame.hWnd, CountBefore, 1, 0));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    ASSERT_TRUE(::SetWindowSubclass(frame.hWnd, CountAfter, 2, 0));
    ::SendMessageW(frame.hWnd, WM_APP, 0, 0);
    EXPECT_EQ(1, s_nBefore);
    EXPECT_EQ(1, s_nAfter);
    EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(frame.hWnd)) << "leaves from the middle of the chain";
    ::SendMessageW(frame.hWnd, WM_APP, 0, 0);
    EXPECT_EQ(2, s_nBefore);
    EXPECT_EQ(2, s_nAfter);
    ::RemoveWindowSubclass(frame.hWnd, CountAfter, 2);
    ::RemoveWindowSubclass(frame.hWnd, CountBefore, 1);
}

TEST(HandleApi, UninitLetsEveryWindowGoAndTheToolbarWithIt)
{
    std::unique_ptr<CHandleSkin> pSkin(new CHandleSkin);
    pSkin->WriteFile(L"Definitions\\Bar.xml", std::string(
        "<skin><toolbars><toolbar name=\"Main\" types=\"24\"><button id=\"ID_A\" text=\"A\"/></toolbar></toolbars>"
        "<resourceMap><command id=\"ID_A\" code=\"40001\"/></resourceMap></skin>"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\Bar.xml", L""));
    CHostFrame frame;
    HWND hBar = KorvoSkin_CreateToolBar(frame.hWnd, L"Main", 0xE801);
    ASSERT_NE(nullptr, hBar);
    CRect rcBar;
    ::GetWindowRect(hBar, &rcBar);
    ::MapWindowPoints(NULL, frame.hWnd, (POINT*)&rcBar, 2);
    EXPECT_EQ(CPoint(0, 0), rcBar.TopLeft()) << "docked at the top";
    EXPECT_EQ(frame.Client().cx, rcBar.Width());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    pSkin.reset();
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ(WS_CAPTION, ::GetWindowLongW(frame.hWnd, GWL_STYLE) & WS_CAPTION);
}

namespace
{
const wchar_t PERSONALIZE_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The user's light or dark choice in this Wine prefix, removed again when the object goes.
struct CLightChoice
{
    HKEY hKey = NULL;
    CLightChoice() { ::RegCreateKeyExW(HKEY_CURRENT_USER, PERSONALIZE_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL); }
    ~CLightChoice()
    {
        ::RegDeleteValueW(hKey, L"AppsUseLightTheme");
        ::RegCloseKey(hKey);
    }
    void Set(DWORD dwLight)
    {
        ::RegSetValueExW(hKey, L"AppsUseLightTheme", 0, REG_DWORD, (const BYTE*)&dwLight, sizeof(dwLight));
    }
};

std::vector<int> s_changes;
void WINAPI OnSkinChanged(int dark, void* pContext)
{
    s_changes.push_back(dark);
    EXPECT_EQ(&s_changes, pContext);
}
} // namespace

TEST(HandleApi, TheLibrarysOwnSwitchReframesHandleWindowsAndCallsTheCallbackInsteadOfTheMessage)
{
    CLightChoice choice;
    CHandleSkin skin;
    skin.WriteBitmap(L"Definitions\\dark.bmp", 8, 8, RGB(20, 20, 30));
    skin.WriteFile(L"Definitions\\Dark.xml", "<skin>" + WindowSkins("dark.bmp") + "</skin>");
    skin.WriteFile(L"Definitions\\Light.xml", "<skin>" + WindowSkins("paper.bmp") + "</skin>");
    s_changes.clear();
    EXPECT_EQ(KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_LoadSkinForSystemTheme(L"", NULL, L"", L""));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SetSkinChangedCallback(OnSkinChanged, &s_changes));
    choice.Set(1);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkinForSystemTheme(L"Definitions\\Light.xml", L"", L"Definitions\\Dark.xml", L""));
    CHostFrame frame;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(frame.hWnd, L"Main"));
    Show(frame.hWnd);
    EXPECT_EQ(WATERMARK, KorvoTest::CWindowPixels(frame.hWnd, true).At(20, 20));

    choice.Set(0);
    ::SendMessageW(frame.hWnd, WM_SETTINGCHANGE, 0, (LPARAM)L"ImmersiveColorSet");
    EXPECT_EQ(std::vector<int>{1}, s_changes);
    EXPECT_EQ(0u, CHostFrame::s_nSkinChangedMessages) << "the callback instead of the message";
    Show(frame.hWnd);
    EXPECT_EQ(RGB(20, 20, 30), KorvoTest::CWindowPixels(frame.hWnd, true).At(20, 20)) << "framed by the dark skin";
    EXPECT_EQ(FRAME, KorvoTest::CWindowPixels(frame.hWnd).At(frame.Window().Width() / 2, 10));
}
