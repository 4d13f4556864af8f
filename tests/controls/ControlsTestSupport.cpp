#include "ControlsTestSupport.h"

namespace ControlsTest
{
CHostDialog::CHostDialog(int cx, int cy)
    : m_template(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT | WS_CLIPCHILDREN, 10, 10, L"Controls host")
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    CreateIndirect(m_template.Get(), NULL);
    CRect rc(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 60, 60, rc.Width(), rc.Height(), SWP_NOZORDER);
    ::SetForegroundWindow(m_hWnd);
    KorvoTest::PumpMessages(10);
}

HWND CHostDialog::AddControl(LPCWSTR pszClass, UINT nID, DWORD dwStyle, int x, int y, int cx, int cy, LPCWSTR pszText,
                             BOOL bVisible)
{
    HWND hWnd = ::CreateWindowExW(0, pszClass, pszText, dwStyle | WS_CHILD | (bVisible ? WS_VISIBLE : 0), x, y, cx, cy, m_hWnd,
                                  (HMENU)(UINT_PTR)nID, ::GetModuleHandleW(NULL), NULL);
    ::SendMessageW(hWnd, WM_SETFONT, ::SendMessageW(m_hWnd, WM_GETFONT, 0, 0), FALSE);
    return hWnd;
}

void CHostDialog::FocusElsewhere()
{
    const UINT ID_ELSEWHERE = 999;
    HWND hButton = ::GetDlgItem(m_hWnd, ID_ELSEWHERE);
    if (!hButton)
        hButton = AddControl(L"Button", ID_ELSEWHERE, BS_PUSHBUTTON | WS_TABSTOP, 340, 260, 60, 24, L"Other");
    ::SetFocus(hButton);
    KorvoTest::PumpMessages(0);
}

BOOL CHostDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == BN_CLICKED && !pHandlerInfo)
        m_clicks.push_back(nID);
    return CDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CCapture::CCapture(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    m_cx = rc.Width();
    m_cy = rc.Height();
    m_pixels.resize((size_t)m_cx * m_cy);
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), m_cx, -m_cy, 1, 32 } };
    HDC hScreen = ::GetDC(hWnd);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hMem, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, m_cx, m_cy, hScreen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD* p = (const DWORD*)pBits;
    for (size_t i = 0; i < m_pixels.size(); i++)
        m_pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(hWnd, hScreen);
}

COLORREF CCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    return m_pixels[(size_t)y * m_cx + x];
}

int CCapture::CountRow(int y, int x0, int x1, COLORREF cr) const
{
    int n = 0;
    for (int x = x0; x < x1; x++)
        n += At(x, y) == cr;
    return n;
}

int CCapture::CountColumn(int x, int y0, int y1, COLORREF cr) const
{
    int n = 0;
    for (int y = y0; y < y1; y++)
        n += At(x, y) == cr;
    return n;
}

int CCapture::CountRows(int y0, int y1, COLORREF cr) const
{
    int n = 0;
    for (int y = y0; y < y1; y++)
        n += CountRow(y, 0, m_cx, cr);
    return n;
}

int CCapture::FirstColumn(const CRect& rc, const std::function<bool(COLORREF)>& fnInk) const
{
    for (int x = rc.left; x < rc.right; x++)
        for (int y = rc.top; y < rc.bottom; y++)
            if (fnInk(At(x, y)))
                return x;
    return -1;
}

BOOL CCapture::AnyOtherThan(const CRect& rc, COLORREF crBack) const
{
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (At(x, y) != crBack)
                return TRUE;
    return FALSE;
}

int CCanvas::CountRow(int y, int x0, int x1, COLORREF cr) const
{
    int n = 0;
    for (int x = x0; x < x1; x++)
        n += At(x, y) == cr;
    return n;
}

void Repaint(HWND hWnd)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    KorvoTest::PumpMessages(0);
}

// Moves the pointer to a screen point and waits until the system has it there.
static void SendPointer(POINT pt)
{
    INPUT input = { INPUT_MOUSE };
    input.mi.dx = (pt.x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (pt.y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpUntil([&] {
        POINT ptNow;
        ::GetCursorPos(&ptNow);
        return ptNow.x == pt.x && ptNow.y == pt.y;
    });
    KorvoTest::PumpMessages(0);
}

void MovePointer(HWND hWnd, int x, int y)
{
    POINT pt = { x, y };
    ::ClientToScreen(hWnd, &pt);
    SendPointer(pt);
}

void MovePointerAway()
{
    SendPointer({ ::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5 });
}

void ClickPointer()
{
    INPUT inputs[2] = { { INPUT_MOUSE }, { INPUT_MOUSE } };
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}
}
