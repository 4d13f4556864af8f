// Helpers of the control tests: a visible host dialog whose child controls are subclassed by
// the control classes, pixel captures of real windows, and real mouse input.
#pragma once
#include <KorvoSkin.h>
#include <theme/CInterfaceTheme.h>
#include <skin/CSkinRegistry.h>
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "api/Globals.h"

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
    // Gives the focus to a push button of the dialog's own, made at the first call.
    void FocusElsewhere();
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
    // How many pixels of the rows from y0 to y1 (excluded), or of the whole capture, have the colour.
    int CountRows(int y0, int y1, COLORREF cr) const;
    int Count(COLORREF cr) const { return CountRows(0, m_cy, cr); }
    // TRUE when a pixel of the rectangle is not crBack.
    BOOL AnyOtherThan(const CRect& rc, COLORREF crBack) const;
    // The leftmost column of the rectangle holding a pixel that fnInk accepts, or -1.
    int FirstColumn(const CRect& rc, const std::function<bool(COLORREF)>& fnInk) const;
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
// Presses and releases the real left button where the pointer is.
void ClickPointer();

// Runs the message loop until fnDone holds or about two seconds passed; TRUE when it held.
template <typename Done> BOOL PumpUntil(Done fnDone)
{
    for (DWORD dwStart = ::GetTickCount(); !fnDone(); KorvoTest::PumpMessages(10))
        if (::GetTickCount() - dwStart > 2000)
            return FALSE;
    return TRUE;
}

// The theme's colours and fonts taken afresh from the system, and again at the end, so that
// colours a test sets do not outlive it; listed as a base before a host, so that the control
// is made in them.
struct CFreshTheme
{
    CFreshTheme() { Reset(); }
    ~CFreshTheme() { Reset(); }
    static void Reset()
    {
        g_Theme.Clear();
        g_Theme.Reset();
    }
};

// TRUE for a colour whose channels add up to less than nSum: text ink on a light ground.
inline bool IsDark(COLORREF cr, int nSum)
{
    return GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < nSum;
}

// A control of class T on a child window of pszClass made for it at rc in a fresh host
// dialog, with the pointer away.
template <class T> struct CControlHost
{
    static constexpr UINT ID = 1000;
    CControlHost(LPCWSTR pszClass, DWORD dwStyle, const CRect& rc, LPCWSTR pszText = L"")
    {
        dlg.AddControl(pszClass, ID, dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), pszText);
        EXPECT_TRUE(control.SubclassDlgItem(ID, &dlg));
        MovePointerAway();
    }
    // The control as the screen shows it once the pending messages are handled, or after a
    // full repaint.
    CCapture Capture()
    {
        KorvoTest::PumpMessages(0);
        return CCapture(control.m_hWnd);
    }
    CCapture Paint()
    {
        Repaint(control.m_hWnd);
        return CCapture(control.m_hWnd);
    }
    CHostDialog dlg;
    T control;
};

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

// The hand cursor is the system's shared one: set, forgotten, never destroyed; the tooltip
// window stays while its one tool comes and goes with the text.
template <typename T> void CheckHandCursorAndToolTip(T& control)
{
    HCURSOR hHand = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    control.SetHandCursor(true);
    EXPECT_EQ(hHand, control.GetHandCursor());
    control.SetHandCursor(false);
    EXPECT_EQ(NULL, control.GetHandCursor());
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hHand, &info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);

    control.SetToolTip(L"Hello");
    HWND hTip = control.GetToolTipWindow();
    ASSERT_TRUE(::IsWindow(hTip));
    wchar_t szText[32] = {};
    TOOLINFOW tool = { sizeof(tool), 0, control.m_hWnd, 1 };
    tool.lpszText = szText;
    ::SendMessageW(hTip, TTM_GETTEXTW, _countof(szText), (LPARAM)&tool);
    EXPECT_STREQ(L"Hello", szText);
    EXPECT_EQ(1, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    control.SetToolTip(L"");
    EXPECT_EQ(0, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(hTip, control.GetToolTipWindow());
    control.SetToolTip(L"Again");
    EXPECT_EQ(1, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
}

using KorvoTest::MakeBitmap;
using KorvoTest::MakeSolidIcon;
}
