// Control bars dock along their parent's edges: a layout pass gives each bar in the ID range,
// in z-order, the strip its CalcFixedLayout asks for, and the left-over pane what remains.
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
const UINT ID_TOP = AFX_IDW_CONTROLBAR_FIRST;
const UINT ID_LEFT = AFX_IDW_CONTROLBAR_FIRST + 1;
const UINT ID_BOTTOM = AFX_IDW_CONTROLBAR_FIRST + 2;
const UINT ID_RIGHT = AFX_IDW_CONTROLBAR_FIRST + 3;

// A bar whose content needs m_sizeContent: its breadth across the edge it docks to, and its
// length along it when not stretched.
class CBoxBar : public CControlBar
{
public:
    CSize m_sizeContent;
    BOOL Create(CWnd* pParent, DWORD dwBarStyle, UINT nID, CSize sizeContent)
    {
        m_dwStyle = dwBarStyle;
        m_sizeContent = sizeContent;
        SetBorders(0, 0, 0, 0);
        return CreateEx(0, NULL, L"bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
        if (bHorz)
            size += CSize(bStretch ? 0 : m_sizeContent.cx, m_sizeContent.cy);
        else
            size += CSize(m_sizeContent.cx, bStretch ? 0 : m_sizeContent.cy);
        return size;
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// A frame of client size 300 x 200 with a bar on each edge (created top, left, bottom, right,
// so docked in that order) and the pane.
class BarLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, L"bars", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300)));
        ASSERT_TRUE(m_top.Create(&m_frame, CBRS_ALIGN_TOP, ID_TOP, CSize(120, 30)));
        ASSERT_TRUE(m_left.Create(&m_frame, CBRS_ALIGN_LEFT, ID_LEFT, CSize(20, 50)));
        ASSERT_TRUE(m_bottom.Create(&m_frame, CBRS_ALIGN_BOTTOM, ID_BOTTOM, CSize(0, 10)));
        ASSERT_TRUE(m_right.Create(&m_frame, CBRS_ALIGN_RIGHT, ID_RIGHT, CSize(15, 0)));
        m_hPane = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, m_frame.m_hWnd,
                                    (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, NULL, NULL);
        ASSERT_TRUE(m_hPane != NULL);
    }
    void TearDown() override { m_frame.DestroyWindow(); }
    CRect Place(HWND hWnd) const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        m_frame.ScreenToClient(&rc);
        return rc;
    }
    std::vector<CRect> Places() const
    {
        return { Place(m_top.m_hWnd), Place(m_left.m_hWnd), Place(m_bottom.m_hWnd), Place(m_right.m_hWnd), Place(m_hPane) };
    }

    CFrameWnd m_frame;
    CBoxBar m_top, m_left, m_bottom, m_right;
    HWND m_hPane = NULL;
};
}

TEST_F(BarLayout, BarsTakeTheirEdgesInZOrderAndThePaneTheRestAsTheFrameIsResized)
{
    m_frame.RecalcLayout();
    EXPECT_EQ((std::vector<CRect>{ { 0, 0, 300, 30 }, { 0, 30, 20, 200 }, { 20, 190, 300, 200 }, { 285, 30, 300, 190 },
                                   { 20, 30, 285, 190 } }),
              Places());

    // The frame lays its bars out again whenever it is resized.
    m_frame.SetWindowPos(NULL, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ((std::vector<CRect>{ { 0, 0, 400, 30 }, { 0, 30, 20, 250 }, { 20, 240, 400, 250 }, { 385, 30, 400, 240 },
                                   { 20, 30, 385, 240 } }),
              Places());
    // Minimised, there is no client area to lay out: the bars keep their places.
    m_frame.ShowWindow(SW_MINIMIZE);
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(CRect(0, 0, 400, 30), Place(m_top.m_hWnd));
}

TEST_F(BarLayout, AQueryMovesNothingAndAnswersWhatRemainsOrWhatTheBarsTake)
{
    m_frame.RecalcLayout();
    const std::vector<CRect> before = Places();
    m_top.m_sizeContent.cy = 40;
    CRect rc(-1, -1, -1, -1);
    m_frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rc);
    EXPECT_EQ(CRect(20, 40, 285, 190), rc);
    EXPECT_EQ(before, Places());
    // Unstretched, the room the bars take from (0, 0): each breadth is added across its own
    // edge's direction, each length only widens the total.
    m_frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rc, NULL, FALSE);
    EXPECT_EQ(CRect(0, 0, 120 + 20 + 15, 50 + 10), rc);
    EXPECT_EQ(before, Places());
    m_frame.RepositionBars(0, 0xFFFF, 0, CWnd::reposQuery, NULL);
    EXPECT_EQ(before, Places());
}

TEST_F(BarLayout, OnlyVisibleAlignedBarsInTheRangeTakeRoomAndNoBarTakesMoreThanIsLeft)
{
    // Hidden, without an edge, or outside the range: left where they are, taking nothing.
    m_top.ShowWindow(SW_HIDE);
    m_left.SetBarStyle(0);
    m_left.MoveWindow(5, 6, 7, 8);
    m_frame.RepositionBars(ID_TOP, ID_BOTTOM, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(CRect(0, 0, 0, 0), Place(m_top.m_hWnd));
    EXPECT_EQ(CRect(5, 6, 12, 14), Place(m_left.m_hWnd));
    EXPECT_EQ(CRect(0, 0, 0, 0), Place(m_right.m_hWnd)) << "outside the range";
    EXPECT_EQ(CRect(0, 0, 300, 190), Place(m_hPane));

    // Extra room kept free around the pane, and a layout within a given rectangle.
    m_top.ShowWindow(SW_SHOW);
    CRect rcExtra(1, 2, 3, 4);
    m_frame.RepositionBars(ID_TOP, ID_TOP, AFX_IDW_PANE_FIRST, CWnd::reposExtra, &rcExtra);
    EXPECT_EQ(CRect(1, 32, 297, 196), Place(m_hPane));
    CRect rcArea(10, 20, 110, 120);
    m_frame.RepositionBars(ID_TOP, ID_TOP, AFX_IDW_PANE_FIRST, CWnd::reposDefault, NULL, &rcArea);
    EXPECT_EQ(CRect(10, 20, 110, 50), Place(m_top.m_hWnd));
    EXPECT_EQ(CRect(10, 50, 110, 120), Place(m_hPane));
    m_frame.RepositionBars(ID_TOP, ID_TOP, AFX_IDW_PANE_FIRST, CWnd::reposNoPosLeftOver);
    EXPECT_EQ(CRect(10, 50, 110, 120), Place(m_hPane)) << "the pane is left alone";

    // A bar broader than the space left gets only that space; the next gets nothing.
    m_left.SetBarStyle(CBRS_ALIGN_LEFT);
    m_top.m_sizeContent.cy = 500;
    m_frame.RecalcLayout();
    EXPECT_EQ(CRect(0, 0, 300, 200), Place(m_top.m_hWnd));
    EXPECT_EQ(CRect(0, 200, 20, 200), Place(m_left.m_hWnd));
    EXPECT_EQ(0, Place(m_hPane).Height());
}

TEST(BarLayoutSize, ABarWithoutContentNeedsItsEdgesAndBordersAndStretchedFillsItsEdge)
{
    CBoxBar bar;
    bar.SetBorders(1, 2, 3, 4);
    bar.m_dwStyle = CBRS_BORDER_LEFT | CBRS_BORDER_BOTTOM;
    const int cxEdge = 2 * ::GetSystemMetrics(SM_CXBORDER), cyEdge = 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(CSize(cxEdge + 1 + 3, cyEdge + 2 + 4), bar.CControlBar::CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(CSize(cxEdge + 2 + 4, cyEdge + 1 + 3), bar.CControlBar::CalcFixedLayout(FALSE, FALSE)) << "borders turned round";
    EXPECT_EQ(CSize(32767, cyEdge + 2 + 4), bar.CControlBar::CalcFixedLayout(TRUE, TRUE));
    EXPECT_EQ(CSize(cxEdge + 2 + 4, 32767), bar.CControlBar::CalcFixedLayout(TRUE, FALSE));
    // No parent window: a query answers an empty rectangle and nothing is sent anywhere.
    CRect rc(1, 2, 3, 4);
    bar.RepositionBars(0, 0xFFFF, 0, CWnd::reposQuery, &rc);
    EXPECT_TRUE(rc.IsRectNull());
}

TEST(BarLayoutToolBar, ACommonToolbarDocksAsHighAsItsButtonsAndItsBorders)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(NULL, L"toolbar", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300)));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&frame));
    const UINT ids[] = { 1, 2, ID_SEPARATOR, 3 };
    ASSERT_TRUE(bar.SetButtons(ids, 4));
    frame.RecalcLayout();
    SIZE sizeButtons = {};
    bar.SendMessage(TB_GETMAXSIZE, 0, (LPARAM)&sizeButtons);
    const CSize size = bar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_GT(sizeButtons.cy, 0);
    EXPECT_GT(size.cy, sizeButtons.cy) << "the bar's borders and its bottom edge";
    CRect rc;
    bar.GetWindowRect(&rc);
    frame.ScreenToClient(&rc);
    EXPECT_EQ(CRect(0, 0, 300, size.cy), rc);
    frame.DestroyWindow();
}
