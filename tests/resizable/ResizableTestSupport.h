// Test dialogs and child-window spies shared by the resizable tests.
#pragma once
#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <resizable/CResizableDialog.h>
#include <functional>
#include <iosfwd>
#include <vector>

// Geometry and text in assertion messages.
void PrintTo(const CRect& rect, std::ostream* os);
void PrintTo(const CPoint& point, std::ostream* os);
void PrintTo(const CSize& size, std::ostream* os);
void PrintTo(const CString& str, std::ostream* os);

namespace ResizableTest
{
const DWORD TOP_LEVEL_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
    | DS_SETFONT;

// A resizable dialog whose protected interface the tests drive directly.
class CTestDialog : public CResizableDialog
{
public:
    using CResizableLayout::AddAnchor;
    using CResizableLayout::AddAnchorCallback;
    using CResizableLayout::ArrangeLayout;
    using CResizableLayout::GetAnchorPosition;
    using CResizableLayout::RemoveAnchor;
    using CResizableLayout::RemoveAllAnchors;
    using CResizableLayout::GetClippingRegion;
    using CResizableLayout::ClipChildren;
    using CResizableLayout::EraseBackground;
    using CResizableLayout::m_lstLayout;
    using CResizableLayout::m_lstLayoutCallback;
    using CResizableGrip::PositionGrip;
    using CResizableGrip::RequestGripShown;
    using CResizableGrip::RequestGripHidden;
    using CResizableGrip::m_wndGrip;
    using CResizableGrip::m_nGripVisibility;
    using CResizableMinMax::m_bMinTrackSet;
    using CResizableMinMax::m_ptMinTrack;
    using CResizableState::StorePlacement;
    using CResizableState::RestorePlacement;
    using CResizableDialog::EnableSaveRestore;
    using CResizableDialog::m_dwGripRequests;

    // The client area the layout works in, when set; otherwise the real one.
    CRect m_rectTotal;
    BOOL m_bFixedTotal = FALSE;
    // Answers the layout's callback entries: key -> filled entry, or FALSE when absent.
    std::function<BOOL(LayoutInfo&)> m_fnCallback;
    // Answer to WM_CTLCOLORDLG, when set.
    HBRUSH m_hbrDialog = NULL;

    // A modeless dialog of the given size in dialog units, with the given controls.
    BOOL CreateFrom(KorvoTest::CDialogTemplate& dlgTemplate, CWnd* pParent = NULL)
    {
        return CreateIndirect(dlgTemplate.Get(), pParent);
    }

    void SetClientSize(int cx, int cy)
    {
        CRect rect(0, 0, cx, cy);
        ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CRect ChildRect(UINT nID) const
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(m_hWnd, nID), &rect);
        ScreenToClient(&rect);
        return rect;
    }

    void PlaceChild(UINT nID, int x, int y, int cx, int cy)
    {
        ::MoveWindow(::GetDlgItem(m_hWnd, nID), x, y, cx, cy, FALSE);
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
    BOOL m_bAnswerClipping = FALSE;
    BOOL m_bLikesClipping = FALSE;
    BOOL m_bAnswerRefresh = FALSE;
    BOOL m_bNeedsRefresh = FALSE;
    std::vector<WPARAM> m_codes;

    void Reset()
    {
        m_nPosChanging = 0;
        m_nLastFlags = 0;
        m_codes.clear();
    }

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
            if (!m_bAnswerClipping)
                return FALSE;
            ((RESIZE_CLIPPING*)lParam)->bLikesClipping = m_bLikesClipping;
            return TRUE;
        case RESIZE_QUERY_REFRESH:
            if (!m_bAnswerRefresh)
                return FALSE;
            ((RESIZE_REFRESH*)lParam)->bNeedsRefresh = m_bNeedsRefresh;
            return TRUE;
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

// Whether the region holds the centre of the rectangle.
inline BOOL RegionHoldsCentre(CRgn& rgn, const CRect& rect)
{
    return rgn.PtInRegion(rect.CenterPoint());
}
}
