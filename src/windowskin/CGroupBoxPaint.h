// A group box of a skinned dialog whose skin gives "groupbox.frame": the system draws its frame
// in its own etched light colours, which no WM_CTLCOLOR answer reaches, so the box is subclassed
// and painted here in the skin's frame colour, its caption in the colours the dialog answers
// WM_CTLCOLORSTATIC with. A skin without the key leaves the system's painting to run.
#pragma once
#include <afxwin.h>

class CInterfaceTheme;

class CGroupBoxPaint
{
public:
    // Subclasses the box once, reading theme at each paint; nothing while the skin has no frame
    // colour. theme outlives the box (it is the dialog's skin context's).
    static void Follow(HWND hBox, const CInterfaceTheme& theme);

private:
    static LRESULT CALLBACK BoxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR nId,
                                    DWORD_PTR dwTheme);
    static void Paint(HWND hWnd, const CInterfaceTheme& theme);
};
