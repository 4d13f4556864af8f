// The one place the library asks anything of the desktop window manager: a window attribute
// (DwmSetWindowAttribute), whether the desktop composes windows (DwmIsCompositionEnabled) and a
// frame kept composed into the client area (DwmExtendFrameIntoClientArea). dwmapi.dll is looked
// up when first asked for, never linked: where the system has no such function, or the call
// fails (older systems, Wine, composition off), nothing changes. Tests put functions of their
// own in the system's place.
#pragma once
#include <afxwin.h>
#include <uxtheme.h>

class CDwmAttributes
{
public:
    typedef HRESULT(WINAPI* SETTER)(HWND hWnd, DWORD dwAttribute, LPCVOID pvAttribute, DWORD cbAttribute);
    typedef HRESULT(WINAPI* COMPOSITION_QUERY)(BOOL* pfEnabled);
    typedef HRESULT(WINAPI* FRAME_EXTENDER)(HWND hWnd, const MARGINS* pMargins);

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
    // Sent to top-level windows as composition is turned on or off (WM_DWMCOMPOSITIONCHANGED,
    // which the headers declare only for newer targets).
    static constexpr UINT COMPOSITION_CHANGED = 0x031E;
    static constexpr COLORREF COLOR_NONE = 0xFFFFFFFE;
    static constexpr COLORREF COLOR_DEFAULT = 0xFFFFFFFF;

    // The system's function, null where dwmapi.dll or the function is missing.
    static SETTER FromSystem();
    // Sets a DWORD-sized attribute through the function in use; FALSE without one or when it fails.
    static BOOL Set(HWND hWnd, DWORD dwAttribute, DWORD dwValue);
    // Puts pfnSetter in the system's place (null: as on a system without the function); returns
    // the function it replaced.
    static SETTER Replace(SETTER pfnSetter);
    // Whether the desktop composes windows now; FALSE where it cannot be asked.
    static BOOL IsCompositionEnabled();
    // Keeps nMargin pixels of the composed frame inside the client area on every side (0 gives
    // them back); FALSE without the function or when it fails.
    static BOOL ExtendFrame(HWND hWnd, int nMargin);
    // Puts these two in the system's place (null: as on a system without them).
    static void ReplaceComposition(COMPOSITION_QUERY pfnQuery, FRAME_EXTENDER pfnExtend);
    // The system's functions are used again.
    static void UseSystem();
};
