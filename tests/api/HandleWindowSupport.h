// What the tests of windows skinned by their handle share: a host folder with a skin of one
// "Main" window skin, a frame window of the host's own class that counts what reaches it, and
// real input.
#pragma once
#include "SkinFolder.h"
#include "parts/CHighContrast.h"
#include <korvoskin.h>
#include <gtest/gtest.h>

namespace HandleTest
{

inline const COLORREF FRAME = RGB(40, 80, 120);
inline const COLORREF CLOSE = RGB(200, 0, 0), CLOSE_HOVER = RGB(0, 200, 0), CLOSE_DOWN = RGB(0, 0, 200);
inline const COLORREF WATERMARK = RGB(10, 140, 60);

// Parts side by side in one image: the frame in one colour, the Close button's three looks in
// three others.
inline COLORREF SkinPixel(int x, int, void*)
{
    return x < 132 ? FRAME : x < 152 ? CLOSE : x < 172 ? CLOSE_HOVER : CLOSE_DOWN;
}

// A window skin for "Main" with the frame above and a watermark.
inline std::string WindowSkins(const char* pszWatermark)
{
    return std::string("<windowSkins><windowSkin><target window=\"Main\"/><image path=\"frame.bmp\"/><parts>"
                       "<part name=\"TopLeft\" rect=\"0,0,10,30\"/><part name=\"Top\" rect=\"10,0,16,30\"/>"
                       "<part name=\"TopRight\" rect=\"26,0,60,30\"/><part name=\"Left\" rect=\"86,0,4,8\"/>"
                       "<part name=\"Right\" rect=\"90,0,4,8\"/><part name=\"BottomLeft\" rect=\"94,0,10,4\"/>"
                       "<part name=\"Bottom\" rect=\"104,0,16,4\"/><part name=\"BottomRight\" rect=\"120,0,12,4\"/>"
                       "<part name=\"Close\" rect=\"132,0,20,18\"/><part name=\"CloseHover\" rect=\"152,0,20,18\"/>"
                       "<part name=\"CloseDown\" rect=\"172,0,20,18\"/></parts>"
                       "<anchors><anchor name=\"Close\" rect=\"-30,6,20,18\"/></anchors><image path=\"")
        + pszWatermark + "\" type=\"watermark\"/></windowSkin></windowSkins>";
}

class CHandleSkin : public KorvoTest::CSkinFolder
{
public:
    // pszColours: more <colour> elements for the scheme.
    explicit CHandleSkin(const char* pszColours = "")
    {
        std::vector<BYTE> image = KorvoTest::MakeBitmapFile(192, 30, SkinPixel, NULL);
        WriteFile(L"Definitions\\frame.bmp", image.data(), image.size());
        WriteBitmap(L"Definitions\\paper.bmp", 8, 8, WATERMARK);
        WriteFile(L"Definitions\\Definitions.xml", std::string(
            "<skin><strings><string id=\"7\" value=\"seven\"/><string id=\"8\" value=\"\"/></strings>"
            "<menus><menu name=\"Popup\"><item id=\"5\" text=\"x\"/></menu></menus>"
            "<watermarks><watermark target=\"Paper\" path=\"paper.bmp\"/></watermarks>"
            "<colourScheme><colour name=\"dialog.back\" value=\"102030\"/><colour name=\"menu.text\" value=\"A0B0C0\"/>") + pszColours + "</colourScheme>"
            + WindowSkins("paper.bmp") + "</skin>");
        EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
        EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L""));
    }
    ~CHandleSkin() { KorvoSkin_Uninit(); }
};

// A top-level window of a class of the host's own, created at (60, 60) 300 x 200, destroyed with
// the object.
struct CHostWindow
{
    HWND hWnd;

    CHostWindow(LPCWSTR pszClass, WNDPROC pfnProc, int nBrushColour, DWORD dwStyle)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = pfnProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(INT_PTR)(nBrushColour + 1);
        wc.lpszClassName = pszClass;
        ::RegisterClassW(&wc);
        hWnd = ::CreateWindowExW(0, pszClass, L"Host", dwStyle, 60, 60, 300, 200, NULL, NULL, wc.hInstance, NULL);
    }
    ~CHostWindow()
    {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
    CRect Window() const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }
    CSize Client() const
    {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        return rc.Size();
    }
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;
};

// A frame window of the host's own class, which counts what reaches its procedure.
struct CHostFrame : CHostWindow
{
    static inline UINT s_nCommands;
    static inline UINT s_nLastCommand;
    static inline UINT s_nSkinChangedMessages;
    // The host lets the library go from its own command handler.
    static inline bool s_bUninitOnCommand;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_COMMAND)
        {
            s_nCommands++;
            s_nLastCommand = (UINT)wParam;
            if (s_bUninitOnCommand)
            {
                EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_Uninit());
            }
        }
        if (nMsg == ::RegisterWindowMessageW(L"KorvoSkin.SkinChanged"))
            s_nSkinChangedMessages++;
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    explicit CHostFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
        : CHostWindow(L"KorvoHandleHost", Proc, COLOR_BTNFACE, dwStyle)
    {
        s_nCommands = s_nSkinChangedMessages = 0;
        s_bUninitOnCommand = false;
    }
};

// The gallery's folder, where the bundled skins live, as the host's folder; the library is let go
// afterwards.
struct CGalleryFolder
{
    CString strSaved = g_strAppFolder;
    CGalleryFolder()
    {
        g_strAppFolder = KORVO_TESTS_DIR L"\\..\\samples\\gallery\\";
        g_strAppFolder.Replace(L'/', L'\\');
    }
    ~CGalleryFolder()
    {
        KorvoSkin_Uninit();
        g_strAppFolder = strSaved;
    }
};

// The user's high-contrast setting as the library reads it, on or off for one test: the setting
// cannot be changed under Wine. Announce tells a window the way the system does.
struct CHighContrastSetting
{
    static inline bool s_bOn;
    static BOOL Read() { return s_bOn; }
    explicit CHighContrastSetting(bool bOn)
    {
        s_bOn = bOn;
        CHighContrast::Replace(Read);
    }
    ~CHighContrastSetting() { CHighContrast::Replace(NULL); }
    void Announce(HWND hWnd, bool bOn)
    {
        s_bOn = bOn;
        ::SendMessageW(hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    }
};

// A visible top-level window of the class on thread nThread (a popup menu, a dialog), or null.
inline HWND VisibleThreadWindow(DWORD nThread, LPCWSTR pszClass)
{
    struct CFind
    {
        LPCWSTR pszClass;
        HWND hFound;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            CFind* pFind = (CFind*)lParam;
            wchar_t szClass[16] = L"";
            if (::IsWindowVisible(hWnd) && ::GetClassNameW(hWnd, szClass, 16) && !wcscmp(szClass, pFind->pszClass))
                pFind->hFound = hWnd;
            return TRUE;
        }
    } find = { pszClass, NULL };
    ::EnumThreadWindows(nThread, CFind::Visit, (LPARAM)&find);
    return find.hFound;
}

inline void MouseTo(CPoint point)
{
    ::SetCursorPos(point.x, point.y);
    KorvoTest::PumpMessages(60);
}

inline void MouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
    KorvoTest::PumpMessages(60);
}

// A real click in the middle of the window hWnd.
inline void ClickOn(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    MouseTo(rc.CenterPoint());
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
}

inline void Show(HWND hWnd)
{
    ::SetForegroundWindow(hWnd);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    KorvoTest::PumpMessages(60);
}

} // namespace HandleTest
