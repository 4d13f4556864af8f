// The DPI a window is drawn for. A window told its DPI (by WM_DPICHANGED) remembers it in a
// window property, so every layer that draws for the window, menus included, reads the same
// number; otherwise the system's DPI for the window where the system has that call, else the
// screen's.
#pragma once
#include <afxwin.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

class CWindowDpi
{
public:
    // The window's remembered DPI, else its top-level window's, else the system's for it, else
    // the screen's; always within CDpiScale's bounds.
    static UINT Of(HWND hWnd);
    // The screen's LOGPIXELSY.
    static UINT OfScreen();
    // FALSE when the property could not be set.
    static BOOL Remember(HWND hWnd, UINT nDpi);
    // Called before the window goes, so the property is not left behind.
    static void Forget(HWND hWnd);
    // Sends WM_DPICHANGED_AFTERPARENT to each child of hWnd: the system tells them only when it
    // changed the DPI itself, so a window told otherwise passes the news on (a second notice
    // changes nothing).
    static void TellChildren(HWND hWnd);
    // The remembered DPI alone, 0 when the window was told none.
    static UINT Remembered(HWND hWnd);
};
