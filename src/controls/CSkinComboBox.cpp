#include <KorvoSkin/CSkinComboBox.h>
#include "../theme/CInterfaceTheme.h"
#include "ControlAccessibility.h"

// The module this code is linked into holds the library's resources, the arrow among them.
extern "C" IMAGE_DOS_HEADER __ImageBase;

IMPLEMENT_DYNAMIC(CSkinComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CSkinComboBox, CComboBox)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnCbnKillfocus)
    ON_WM_SETFOCUS()
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(CBN_CLOSEUP, OnCloseup)
END_MESSAGE_MAP()

namespace
{
const UINT_PTR TIMER_HOVER = 1;
const UINT HOVER_POLL_MS = 10;
const UINT IDB_COMBO_ARROW = 101;
const int ARROW_SIZE = 9;
}

CSkinComboBox::CSkinComboBox() : m_bHover(FALSE), m_nArrowWidth(::GetSystemMetrics(SM_CXHTHUMB)), m_bPressed(FALSE)
{
    // The arrow is the library's own bitmap, whatever resources the host has.
    m_imlArrow.Attach(::ImageList_LoadImageW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(IDB_COMBO_ARROW), ARROW_SIZE, 1,
                                             RGB(255, 0, 255), IMAGE_BITMAP, 0));
}

CSkinComboBox::~CSkinComboBox()
{
    m_imlArrow.DeleteImageList();
}

void CSkinComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
}

BOOL CSkinComboBox::PreTranslateMessage(MSG* pMsg)
{
    return CComboBox::PreTranslateMessage(pMsg);
}

void CSkinComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CSkinComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CSkinComboBox::OnCreate(LPCREATESTRUCTW)
{
    return Default() == -1 ? -1 : 0;
}

void CSkinComboBox::DrawCombo(enTypeShow nShow, CDC* pDC)
{
    if (!pDC->GetSafeHdc())
        return;
    CRect rc;
    GetClientRect(&rc);
    int W = rc.Width(), H = rc.Height(), A = m_nArrowWidth;
    COLORREF crMidtone = g_Theme.m_crMidtone;
    COLORREF crBorder = g_Theme.m_crBorder;
    pDC->Draw3dRect(CRect(0, 0, W, H), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(1, 1, W - 1, H - 1), crBorder, crBorder);
    pDC->Draw3dRect(CRect(W - 2 - A, 2, W - 2, H - 2), crMidtone, crMidtone);
    pDC->Draw3dRect(CRect(W - 1 - A, 3, W - 3, H - 3), crBorder, crBorder);
    COLORREF crFill = nShow == enShowHover ? g_Theme.m_crBackSel
                    : nShow == enShowPressed ? g_Theme.m_crBackCheckSel : crMidtone;
    CBrush brFill(crFill);
    CRect rcButton(W - 2 - A, 1, W - 2, H - 1);
    pDC->FillRect(&rcButton, &brFill);
    pDC->Draw3dRect(CRect(W - 2 - A, 1, W - 1, H - 1), crBorder, crBorder);
    ::ImageList_Draw(m_imlArrow.m_hImageList, 0, pDC->m_hDC, W + 1 - A, 1 + (H - 11) / 2, ILD_TRANSPARENT);
}

void CSkinComboBox::DrawArrow(CDC* pDC, CRect rect)
{
    ::ImageList_Draw(m_imlArrow.m_hImageList, 0, pDC->GetSafeHdc(), rect.right - m_nArrowWidth + 2,
                     rect.top + (rect.Height() - ARROW_SIZE) / 2, ILD_TRANSPARENT);
}

void CSkinComboBox::OnPaint()
{
    CPaintDC dc(this);
    CWnd::DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
    // The focus keeps the pressed look through repaints, so the keyboard's place stays visible.
    HWND hFocus = ::GetFocus();
    BOOL bFocus = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    DrawCombo(m_bPressed || bFocus ? enShowPressed : enShowNormal, &dc);
}

BOOL CSkinComboBox::OnSetCursor(CWnd*, UINT, UINT)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point) && !m_bHover && !m_bPressed)
    {
        m_bHover = TRUE;
        CClientDC dc(this);
        DrawCombo(enShowHover, &dc);
        SetTimer(TIMER_HOVER, HOVER_POLL_MS);
        // The first poll looks where the pointer was just found: the last retrieved message
        // may predate its arrival.
        PollHover(point);
        return TRUE;
    }
    return (BOOL)Default();
}

CPoint CSkinComboBox::MessagePoint() const
{
    DWORD dwPos = ::GetMessagePos();
    CPoint point((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ScreenToClient(&point);
    return point;
}

void CSkinComboBox::PollHover(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point) && !m_bPressed)
    {
        KillTimer(TIMER_HOVER);
        m_bHover = FALSE;
        CClientDC dc(this);
        DrawCombo(enShowNormal, &dc);
        m_bPressed = FALSE;
    }
}

void CSkinComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_HOVER)
        PollHover(MessagePoint());
    Default();
}

void CSkinComboBox::OnLButtonDown(UINT, CPoint)
{
    m_bHover = TRUE;
    m_bPressed = TRUE;
    {
        CClientDC dc(this);
        DrawCombo(enShowPressed, &dc);
    }
    Default();
}

void CSkinComboBox::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CSkinComboBox::OnCloseup()
{
    m_bPressed = FALSE;
    PollHover(MessagePoint());
}

void CSkinComboBox::OnCbnKillfocus()
{
    {
        CClientDC dc(this);
        DrawCombo(enShowNormal, &dc);
    }
    m_bPressed = FALSE;
    m_bHover = FALSE;
}

void CSkinComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    CClientDC dc(this);
    DrawCombo(enShowPressed, &dc);
}

LRESULT CSkinComboBox::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeComboBox(m_hWnd, query, m_bHover != FALSE);
    });
    return lResult ? lResult : Default();
}
