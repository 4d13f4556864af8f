// What a skinned top-level window asks of the system's own drawing around it where the system
// rounds windows and draws a border of its own (Windows 11): the skin's corners and border colour
// for a frame without a shape; the system's defaults again once the window has a shaped skin, a
// skin that leaves both to the system, or none. A shaped frame cuts its own corners, so nothing is
// asked for it. Asked again after every size change and skin change; where the system cannot be
// asked, nothing changes.
#pragma once
#include <afxwin.h>

class CWindowSkin;

class CSystemFrameLook
{
public:
    CSystemFrameLook();

    // Asks for pSkin's look on hWnd (pSkin null: the window is unskinned).
    void Apply(HWND hWnd, const CWindowSkin* pSkin);

private:
    // What the window was last given; the system's defaults until it is given anything.
    DWORD m_dwCorners;
    COLORREF m_crBorder;
};
