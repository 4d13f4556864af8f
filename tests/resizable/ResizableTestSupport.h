// Test dialogs and child-window spies shared by the resizable tests.
#pragma once
#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <KorvoSkin/CResizableDialog.h>
#include "resizable/CResizableGripState.h"
#include "resizable/CResizableLayoutState.h"
#include "resizable/ResizeSupportMessage.h"
#include <gtest/gtest.h>
#include <functional>
#include <ostream>
#include <vector>

// Geometry and text in assertion messages.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const CPoint& point, std::ostream* os) { *os << "(" << point.x << ", " << point.y << ")"; }
inline void PrintTo(const CSize& size, std::ostream* os) { *os << size.cx << " x " << size.cy; }
inline void PrintTo(const CString& str, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(str)); }

namespace ResizableTest
{
struct Control
{
    LPCWSTR pszClass;
    UINT nID;
    DWORD dwStyle;
    LPCWSTR pszText;
};

inline CRect WindowRectOf(CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

// A resizable dialog whose protected interface the tests drive directly.
class CTestDialog : public CResizableDialog
{
public:
    using CResizableLayout::AddAnchor;
    using CResizableLayout::AddAnchorCallback;
    using CResizableLayout::GetAnchorPosition;
    using CResizableLayout::RemoveAnchor;
    using CResizableLayout::RemoveAllAnchors;
    using CResizableLayout::GetClippingRegion;
    using CResizableLayout::ClipChildren;
    using CResizableLayout::EraseBackground;
    using CResizableGrip::PositionGrip;
    using CResizableGrip::RequestGripShown;
    using CResizableGrip::RequestGripHidden;
    using CResizableState::StorePlacement;
    using CResizableState::RestorePlacement;
    using CResizableDialog::EnableSaveRestore;

    // The internals the tests read: the anchors, the grip window and its visibility counter.
    CList<LayoutInfo, LayoutInfo&>& m_lstLayout = CResizableLayoutState::Of(*this).m_lstLayout;
    CList<LayoutInfo, LayoutInfo&>& m_lstLayoutCallback = CResizableLayoutState::Of(*this).m_lstLayoutCallback;
    CGripWindow& m_wndGrip = CResizableGripState::Of(*this).m_wndGrip;
    int& m_nGripVisibility = CResizableGripState::Of(*this).m_nGripVisibility;

    // The client area the layout works in, when set; otherwise the real one.
    CRect m_rectTotal;
    BOOL m_bFixedTotal = FALSE;
    // Answers the layout's callback entries: fills the entry, or returns FALSE.
    std::function<BOOL(LayoutInfo&)> m_fnCallback;
    // Answer to WM_CTLCOLORDLG, when set.
    HBRUSH m_hbrDialog = NULL;

    // A top-level dialog of 100 x 60 dialog units holding the controls. A non-empty sizeClient
    // resizes its client area; a non-empty sizeChild puts the controls in a row from (10, 10),
    // 4 pixels apart.
    BOOL CreateWith(const std::vector<Control>& controls = {}, CSize sizeClient = CSize(),
                    CSize sizeChild = CSize(), DWORD dwExStyle = 0)
    {
        const DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
            | DS_SETFONT;
        KorvoTest::CDialogTemplate dlgTemplate(dwStyle, 100, 60, L"resizable", dwExStyle);
        for (const Control& c : controls)
            dlgTemplate.AddControl(c.pszClass, c.nID, c.dwStyle, 0, 0, 10, 10, c.pszText);
        if (!CreateIndirect(dlgTemplate.Get()))
            return FALSE;
        if (sizeClient.cx > 0)
            SetClientSize(sizeClient.cx, sizeClient.cy);
        for (size_t n = 0; n < controls.size() && sizeChild.cx > 0; n++)
            PlaceChild(controls[n].nID, 10 + (int)n * (sizeChild.cx + 4), 10, sizeChild.cx, sizeChild.cy);
        return TRUE;
    }

    void SetClientSize(int cx, int cy)
    {
        CRect rect(0, 0, cx, cy);
        ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // A child's or the grip's rectangle in client coordinates.
    CRect ChildRect(UINT nID) const { return ChildRect(::GetDlgItem(m_hWnd, nID)); }
    CRect ChildRect(HWND hWnd) const
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        ScreenToClient(&rect);
        return rect;
    }

    void PlaceChild(UINT nID, int x, int y, int cx, int cy)
    {
        ::MoveWindow(::GetDlgItem(m_hWnd, nID), x, y, cx, cy, FALSE);
    }

    // Whether the background clipping region holds the centre of the child.
    BOOL ErasesCentreOf(UINT nID)
    {
        CRgn rgn;
        GetClippingRegion(&rgn);
        return rgn.PtInRegion(ChildRect(nID).CenterPoint());
    }

protected:
    void GetTotalClientRect(LPRECT lpRect) override
    {
        if (m_bFixedTotal)
            *lpRect = m_rectTotal;
        else
            CResizableDialog::GetTotalClientRect(lpRect);
    }
    BOOL ArrangeLayoutCallback(LayoutInfo& layout) override
    {
        return m_fnCallback ? m_fnCallback(layout) : CResizableDialog::ArrangeLayoutCallback(layout);
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (nCtlColor == CTLCOLOR_DLG && m_hbrDialog)
            return m_hbrDialog;
        return CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

// Subclasses a child to see the positioning it receives, and optionally to answer the resize
// support message.
class CChildSpy : public CWnd
{
public:
    int m_nPosChanging = 0;
    UINT m_nLastFlags = 0;
    UINT m_nHitTest = 0; // non-zero: answer WM_NCHITTEST with it

    BOOL m_bSupport = FALSE;
    RESIZE_PROPERTIES m_properties = { TRUE, TRUE, FALSE, FALSE };
    BOOL m_bAnswerClipping = FALSE; // with "likes clipping"
    BOOL m_bAnswerRefresh = FALSE;  // with "needs no refresh"
    std::vector<WPARAM> m_codes;

protected:
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos)
    {
        m_nPosChanging++;
        m_nLastFlags = lpwndpos->flags;
        CWnd::OnWindowPosChanging(lpwndpos);
    }
    afx_msg UINT OnNcHitTest(CPoint point)
    {
        return m_nHitTest ? m_nHitTest : CWnd::OnNcHitTest(point);
    }
    afx_msg LRESULT OnResizeSupport(WPARAM wParam, LPARAM lParam)
    {
        m_codes.push_back(wParam);
        if (!m_bSupport)
            return Default();
        switch (wParam)
        {
        case RESIZE_QUERY_PROPERTIES:
            *(RESIZE_PROPERTIES*)lParam = m_properties;
            return TRUE;
        case RESIZE_QUERY_CLIPPING:
            ((RESIZE_CLIPPING*)lParam)->bLikesClipping = TRUE;
            return m_bAnswerClipping;
        case RESIZE_QUERY_REFRESH:
            ((RESIZE_REFRESH*)lParam)->bNeedsRefresh = FALSE;
            return m_bAnswerRefresh;
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
}
