// The one place the library sets a window attribute of the desktop window manager
// (DwmSetWindowAttribute). dwmapi.dll is looked up when first asked for, never linked: where the
// system has no such function, or the call fails (older systems, Wine, composition off), nothing
// changes. Tests put a function of their own in its place.
#pragma once
#include <afxwin.h>

class CDwmAttributes
{
public:
    typedef HRESULT(WINAPI* SETTER)(HWND hWnd, DWORD dwAttribute, LPCVOID pvAttribute, DWORD cbAttribute);

    // Windows 11's attributes and values for a window's corners and border.
    enum : DWORD
    {
        WINDOW_CORNER_PREFERENCE = 33,
        BORDER_COLOR = 34,
    };
    enum : DWORD
    {
        CORNER_DEFAULT = 0,
        CORNER_DONOTROUND = 1,
        CORNER_ROUND = 2,
        CORNER_ROUNDSMALL = 3,
    };
    static constexpr COLORREF COLOR_NONE = 0xFFFFFFFE;
    static constexpr COLORREF COLOR_DEFAULT = 0xFFFFFFFF;

    // The system's function, null where dwmapi.dll or the function is missing.
    static SETTER FromSystem();
    // Sets a DWORD-sized attribute through the function in use; FALSE without one or when it fails.
    static BOOL Set(HWND hWnd, DWORD dwAttribute, DWORD dwValue);
    // Puts pfnSetter in the system's place (null: as on a system without the function); returns
    // the function it replaced.
    static SETTER Replace(SETTER pfnSetter);
    // The system's function is used again.
    static void UseSystem();
};
