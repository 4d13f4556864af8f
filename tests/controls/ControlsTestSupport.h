// Helpers of the control tests: a visible host dialog whose child controls are subclassed by
// the control classes, pixel captures of real windows, and real mouse input.
#pragma once
#include <KorvoSkin.h>
#include <theme/CInterfaceTheme.h>
#include <skin/CSkinRegistry.h>
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <gtest/gtest.h>
#include <vector>

namespace ControlsTest
{
// Plain colours the tests paint with and look for.
namespace Colours
{
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREY = RGB(128, 128, 128);
}

// A modeless dialog at a fixed place on the screen, shown and active.
class CHostDialog : public CDialog
{
public:
    CHostDialog(int cx = 420, int cy = 300);
    // A child control at an exact pixel rectangle of the client area.
    HWND AddControl(LPCWSTR pszClass, UINT nID, DWORD dwStyle, int x, int y, int cx, int cy, LPCWSTR pszText = L"",
                    BOOL bVisible = TRUE);
    // BN_CLICKED notifications that reached the dialog's own command routing, by control ID.
    std::vector<UINT> m_clicks;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

private:
    KorvoTest::CDialogTemplate m_template;
};

// The client area of a window as the screen shows it.
class CCapture
{
public:
    explicit CCapture(HWND hWnd);
    COLORREF At(int x, int y) const;
    // How many pixels of the row (or column) between from and to (excluded) have the colour.
    int CountRow(int y, int x0, int x1, COLORREF cr) const;
    int CountColumn(int x, int y0, int y1, COLORREF cr) const;
    // TRUE when a pixel of the rectangle is not crBack.
    BOOL AnyOtherThan(const CRect& rc, COLORREF crBack) const;
    int m_cx = 0;
    int m_cy = 0;
    std::vector<COLORREF> m_pixels;
};

// A 32-bit memory surface whose pixels read back exactly.
class CCanvas : public KorvoTest::CPixelCanvas
{
public:
    CCanvas(int cx, int cy, COLORREF crFill) : KorvoTest::CPixelCanvas(cx, cy, crFill) {}
    CDC* Dc() { return &m_dc; }
    COLORREF At(int x, int y) const { return Pixel(x, y); }
    int CountRow(int y, int x0, int x1, COLORREF cr) const;
};

void Repaint(HWND hWnd);
// Moves the real pointer to a point of the window's client area (through the input queue).
void MovePointer(HWND hWnd, int x, int y);
// Moves the real pointer far away from every test window.
void MovePointerAway();

// Runs the message loop until fnDone holds or about two seconds passed; TRUE when it held.
template <typename Done> BOOL PumpUntil(Done fnDone)
{
    for (DWORD dwStart = ::GetTickCount(); !fnDone(); KorvoTest::PumpMessages(10))
        if (::GetTickCount() - dwStart > 2000)
            return FALSE;
    return TRUE;
}

// A control class whose window counts the paints, pointer moves and leave notifications that
// reach it, so that a test can wait for the real messages.
template <class BASE> class CCounting : public BASE
{
public:
    int m_nPaints = 0;
    int m_nMoves = 0;
    int m_nLeaves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nPaints += message == WM_PAINT;
        m_nMoves += message == WM_MOUSEMOVE;
        m_nLeaves += message == WM_MOUSELEAVE;
        return BASE::WindowProc(message, wParam, lParam);
    }
};

// Moves the real pointer over the control, or away from it, and waits until the control has
// had the move, or the leave notification; TRUE when it came.
template <class BASE> BOOL PointerOver(CCounting<BASE>& wnd, int x, int y)
{
    int nMoves = wnd.m_nMoves;
    MovePointer(wnd.m_hWnd, x, y);
    return PumpUntil([&] { return wnd.m_nMoves > nMoves; });
}
template <class BASE> BOOL PointerLeaves(CCounting<BASE>& wnd)
{
    int nLeaves = wnd.m_nLeaves;
    MovePointerAway();
    return PumpUntil([&] { return wnd.m_nLeaves > nLeaves; });
}

using KorvoTest::MakeBitmap;
using KorvoTest::MakeSolidIcon;
}
