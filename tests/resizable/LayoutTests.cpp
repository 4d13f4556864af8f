#include "ResizableTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace ResizableTest;

namespace
{
const UINT ID_FIRST = 101;
const UINT SWP_LAYOUT = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREPOSITION;
// The anchors are the layout's: its derived classes name them unqualified, these tables do here.
const CSize TOP_LEFT = CResizableLayout::TOP_LEFT;
const CSize TOP_CENTER = CResizableLayout::TOP_CENTER;
const CSize TOP_RIGHT = CResizableLayout::TOP_RIGHT;
const CSize BOTTOM_LEFT = CResizableLayout::BOTTOM_LEFT;
const CSize BOTTOM_RIGHT = CResizableLayout::BOTTOM_RIGHT;
const CSize NOANCHOR = CResizableLayout::NOANCHOR;
}

// A margin is the child's offset from its anchor point in the total client rectangle; a position
// is size * percent / 100 truncated toward zero, plus the margin, plus the rectangle's origin.
TEST(AnchorLayout, PositionsFollowTheAnchorArithmeticExactly)
{
    struct { CSize anchorTopLeft, anchorBottomRight; CRect rectTotal, rectChild, rectParent; CSize marginTopLeft;
             CRect rectExpected; UINT nFlags; const char* pszWhy; } cases[] = {
        { TOP_CENTER, NOANCHOR, { 0, 0, 200, 100 }, { 10, 20, 40, 35 }, { 0, 0, 301, 100 }, { -90, 20 },
          { 60, 20, 90, 35 }, SWP_NOSIZE, "301 * 50 / 100 = 150, 150 - 90 = 60: moved, size and bits kept" },
        { CSize(-50, -50), CSize(-50, -50), { 0, 0, 200, 100 }, { 10, 20, 40, 35 }, { 0, 0, 301, 99 }, { 110, 70 },
          { -40, 21, -10, 36 }, SWP_NOSIZE, "301 * -50 / 100 is -150 and 99 * -50 / 100 is -49, not -151 and -50" },
        { TOP_LEFT, BOTTOM_RIGHT, { 5, 7, 205, 107 }, { 15, 27, 45, 42 }, { 5, 7, 305, 207 }, { 10, 20 },
          { 15, 27, 145, 142 }, SWP_NOMOVE | SWP_NOCOPYBITS, "offset by the origin; wider text is redrawn" },
    };
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith({ { L"Static", ID_FIRST, SS_LEFT | WS_VISIBLE, L"one" } }));
    dlg.m_bFixedTotal = TRUE;
    for (const auto& c : cases)
    {
        dlg.m_rectTotal = c.rectTotal;
        dlg.PlaceChild(ID_FIRST, c.rectChild.left, c.rectChild.top, c.rectChild.Width(), c.rectChild.Height());
        dlg.RemoveAllAnchors();
        dlg.AddAnchor(ID_FIRST, c.anchorTopLeft, c.anchorBottomRight);
        EXPECT_EQ(c.marginTopLeft, dlg.m_lstLayout.GetHead().marginTopLeft) << c.pszWhy;
        CRect rect;
        UINT nFlags = 0;
        ASSERT_TRUE(dlg.GetAnchorPosition(ID_FIRST, c.rectParent, rect, &nFlags));
        EXPECT_EQ(c.rectExpected, rect) << c.pszWhy;
        EXPECT_EQ(SWP_LAYOUT | c.nFlags, nFlags) << c.pszWhy;
    }
    dlg.DestroyWindow();
}

TEST(AnchorLayout, RemovingAnAnchorUncoversTheOlderOneOfTheSameChild)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith({ { L"Static", ID_FIRST, SS_LEFT, L"1" } }));
    dlg.AddAnchor(9999, TOP_LEFT); // no such control: nothing to anchor
    dlg.AddAnchor(ID_FIRST, TOP_LEFT);
    dlg.AddAnchor(ID_FIRST, BOTTOM_RIGHT);
    EXPECT_TRUE(dlg.RemoveAnchor(ID_FIRST));
    ASSERT_EQ(1, dlg.m_lstLayout.GetCount());
    EXPECT_EQ(TOP_LEFT, dlg.m_lstLayout.GetHead().anchorTopLeft) << "the newest anchor went first";
    EXPECT_TRUE(dlg.RemoveAnchor(ID_FIRST)) << "the older one is found next";
    EXPECT_FALSE(dlg.RemoveAnchor(ID_FIRST));
    dlg.AddAnchorCallback(4);
    dlg.RemoveAllAnchors();
    EXPECT_EQ(0, dlg.m_lstLayoutCallback.GetCount());
    dlg.DestroyWindow();
}

// Resizes a real dialog from 300 x 200 to 340 x 250 and watches what reaches each child, then
// minimises and restores it.
TEST(AnchorLayout, OneBatchMovesOnlyWhatChangesRefreshesWhereNeededAndSurvivesMinimising)
{
    const DWORD LIST = LBS_NOINTEGRALHEIGHT | WS_VISIBLE;
    struct { Control control; CSize anchorTopLeft, anchorBottomRight; BOOL bPositioned, bRefreshed; const char* pszWhy; } rows[] = {
        { { L"Button", 201, WS_VISIBLE, L"stays" }, TOP_LEFT, TOP_LEFT, FALSE, FALSE, "unchanged: left out" },
        { { L"Button", 202, WS_VISIBLE, L"moves" }, BOTTOM_RIGHT, BOTTOM_RIGHT, TRUE, FALSE, "moved" },
        { { L"Button", 203, WS_VISIBLE, L"grows" }, TOP_LEFT, BOTTOM_RIGHT, TRUE, FALSE, "buttons keep their bits" },
        { { L"Static", 204, SS_LEFT | WS_VISIBLE, L"w" }, TOP_LEFT, TOP_RIGHT, TRUE, TRUE, "wider text" },
        { { L"Static", 205, SS_LEFT | WS_VISIBLE, L"t" }, TOP_LEFT, BOTTOM_LEFT, TRUE, FALSE, "only taller text" },
        { { L"Static", 206, SS_LEFT | SS_CENTERIMAGE | WS_VISIBLE, L"c" }, TOP_LEFT, BOTTOM_LEFT, TRUE, TRUE,
          "vertically centred text moves" },
        { { L"Static", 207, SS_ICON | WS_VISIBLE, L"" }, TOP_LEFT, BOTTOM_LEFT, TRUE, TRUE, "taller icon" },
        { { L"Static", 208, SS_ICON | WS_VISIBLE, L"" }, BOTTOM_RIGHT, BOTTOM_RIGHT, TRUE, FALSE, "icon only moved" },
        { { L"Static", 209, SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | WS_VISIBLE, L"e" }, TOP_LEFT, TOP_RIGHT, TRUE, TRUE,
          "the ellipsis follows the right edge" },
        { { L"Static", 210, SS_LEFTNOWORDWRAP | WS_VISIBLE, L"n" }, TOP_LEFT, TOP_RIGHT, TRUE, FALSE, "no wrap" },
        { { L"ListBox", 211, LIST | WS_HSCROLL, L"" }, TOP_LEFT, TOP_RIGHT, TRUE, TRUE,
          "scrolled to its right end, the items move as it widens" },
        { { L"ListBox", 212, LIST | WS_HSCROLL, L"" }, TOP_LEFT, TOP_RIGHT, TRUE, FALSE, "still room to scroll" },
        { { L"ListBox", 213, LIST, L"" }, TOP_LEFT, TOP_RIGHT, TRUE, FALSE, "no scroll information to read" },
    };
    CTestDialog dlg;
    std::vector<Control> controls;
    for (const auto& row : rows)
        controls.push_back(row.control);
    ASSERT_TRUE(dlg.CreateWith(controls, CSize(300, 200), CSize(16, 40)));
    for (UINT nID : { 211, 212, 213 })
    {
        ::SendDlgItemMessageW(dlg.m_hWnd, nID, LB_ADDSTRING, 0, (LPARAM)L"a line wider than the list box");
        ::SendDlgItemMessageW(dlg.m_hWnd, nID, LB_SETHORIZONTALEXTENT, 400, 0);
    }
    ::SendDlgItemMessageW(dlg.m_hWnd, 211, WM_HSCROLL, SB_RIGHT, 0);
    SCROLLINFO si = { sizeof(si), SIF_ALL };
    ASSERT_TRUE(::GetScrollInfo(::GetDlgItem(dlg.m_hWnd, 211), SB_HORZ, &si));
    ASSERT_EQ(si.nMax - (int)si.nPage + 1, si.nPos) << "scrolled to the end";

    CChildSpy spies[_countof(rows)];
    for (size_t n = 0; n < _countof(rows); n++)
    {
        dlg.AddAnchor(rows[n].control.nID, rows[n].anchorTopLeft, rows[n].anchorBottomRight);
        ASSERT_TRUE(spies[n].SubclassDlgItem(rows[n].control.nID, &dlg));
    }
    const CRect rectMoves = dlg.ChildRect(202), rectGrows = dlg.ChildRect(203), rectStays = dlg.ChildRect(201);

    dlg.SetClientSize(340, 250);
    for (size_t n = 0; n < _countof(rows); n++)
    {
        EXPECT_EQ(rows[n].bPositioned ? 1 : 0, spies[n].m_nPosChanging) << rows[n].pszWhy;
        EXPECT_EQ(rows[n].bRefreshed, (spies[n].m_nLastFlags & SWP_NOCOPYBITS) != 0) << rows[n].pszWhy;
    }
    EXPECT_EQ(rectStays, dlg.ChildRect(201));
    EXPECT_EQ(rectMoves + CPoint(40, 50), dlg.ChildRect(202));
    EXPECT_TRUE(spies[1].m_nLastFlags & SWP_NOSIZE) << "a child that only moves keeps its size";
    EXPECT_EQ(CRect(rectGrows.TopLeft(), rectGrows.BottomRight() + CPoint(40, 50)), dlg.ChildRect(203));

    // Minimised and restored, every child comes back where it was.
    std::vector<CRect> rectsBefore;
    for (const auto& row : rows)
        rectsBefore.push_back(dlg.ChildRect(row.control.nID));
    dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(dlg.IsIconic());
    dlg.ShowWindow(SW_RESTORE);
    ASSERT_FALSE(dlg.IsIconic());
    for (size_t n = 0; n < _countof(rows); n++)
        EXPECT_EQ(rectsBefore[n], dlg.ChildRect(rows[n].control.nID)) << rows[n].pszWhy;

    // Another window maximised or restored: nothing here is arranged, even out of place.
    dlg.PlaceChild(202, 5, 5, 16, 40);
    dlg.SendMessage(WM_SIZE, SIZE_MAXSHOW, MAKELPARAM(340, 250));
    dlg.SendMessage(WM_SIZE, SIZE_MAXHIDE, MAKELPARAM(340, 250));
    EXPECT_EQ(CRect(5, 5, 21, 45), dlg.ChildRect(202));
    dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(340, 250));
    EXPECT_EQ(rectsBefore[1], dlg.ChildRect(202));
    dlg.DestroyWindow();
    EXPECT_EQ(0, dlg.m_lstLayout.GetCount()) << "the window's anchors go with it";
}

TEST(AnchorLayout, ResizeMessageAnswersAndCallbacksOverrideTheClassRules)
{
    const UINT ID_GROUP = 301, ID_ICON = 302, ID_PARTIAL = 303, ID_PLACED = 304, ID_REFUSED = 305;
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith({ { L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, L"group" },
                                 { L"Static", ID_ICON, SS_ICON | SS_CENTERIMAGE | WS_VISIBLE, L"" },
                                 { L"Button", ID_PARTIAL, BS_GROUPBOX | WS_VISIBLE, L"partial" },
                                 { L"Button", ID_PLACED, WS_VISIBLE, L"placed" },
                                 { L"Button", ID_REFUSED, WS_VISIBLE, L"refused" } },
                               CSize(300, 200), CSize(40, 40)));
    CChildSpy group, icon, partial, refused;
    // Fixed answers: clipped and always refreshed, whatever its class says.
    group.m_bSupport = TRUE;
    group.m_properties = { FALSE, FALSE, TRUE, TRUE };
    // Asked every time: likes clipping, never needs a refresh.
    icon.m_bSupport = icon.m_bAnswerClipping = icon.m_bAnswerRefresh = TRUE;
    // Answers the properties query only: the class rules decide the rest.
    partial.m_bSupport = TRUE;
    ASSERT_TRUE(group.SubclassDlgItem(ID_GROUP, &dlg) && icon.SubclassDlgItem(ID_ICON, &dlg)
                && partial.SubclassDlgItem(ID_PARTIAL, &dlg) && refused.SubclassDlgItem(ID_REFUSED, &dlg));
    for (UINT nID : { ID_GROUP, ID_ICON, ID_PARTIAL })
        dlg.AddAnchor(nID, TOP_LEFT, BOTTOM_LEFT);
    // Key 7 is placed ten pixels in from the bottom-right corner, clipped; key 8 is refused.
    int nCalls = 0;
    dlg.m_fnCallback = [&](CResizableLayout::LayoutInfo& layout) -> BOOL {
        nCalls++;
        BOOL bPlaced = layout.nCallbackKey == 7;
        layout.hwndChild = ::GetDlgItem(dlg.m_hWnd, bPlaced ? ID_PLACED : ID_REFUSED);
        layout.anchorTopLeft = layout.anchorBottomRight = BOTTOM_RIGHT;
        layout.marginTopLeft = CSize(-50, -30);
        layout.marginBottomRight = CSize(-10, -10);
        layout.bQueryClipping = layout.bQueryRefresh = FALSE;
        layout.bClipping = TRUE;
        return bPlaced;
    };
    dlg.AddAnchorCallback(7);
    dlg.AddAnchorCallback(8);
    EXPECT_EQ(0, nCalls) << "adding a callback entry asks nothing";
    const CRect rectRefused = dlg.ChildRect(ID_REFUSED);

    dlg.ShowWindow(SW_SHOWNA);
    icon.m_codes.clear();
    dlg.SetClientSize(320, 260);
    EXPECT_TRUE(group.m_nLastFlags & SWP_NOCOPYBITS) << "a button that asked to be refreshed";
    EXPECT_FALSE(icon.m_nLastFlags & SWP_NOCOPYBITS) << "an icon that said it needs no refresh";
    EXPECT_FALSE(partial.m_nLastFlags & SWP_NOCOPYBITS);
    EXPECT_EQ(1, std::count(icon.m_codes.begin(), icon.m_codes.end(), (WPARAM)RESIZE_QUERY_REFRESH));
    EXPECT_EQ(CRect(270, 230, 310, 250), dlg.ChildRect(ID_PLACED));
    EXPECT_EQ(0, refused.m_nPosChanging) << "an entry refused by its callback is not moved";
    EXPECT_EQ(rectRefused, dlg.ChildRect(ID_REFUSED));
    EXPECT_EQ(NULL, dlg.m_lstLayoutCallback.GetHead().hwndChild) << "the stored entry keeps only its key";

    EXPECT_FALSE(dlg.ErasesCentreOf(ID_GROUP)) << "the group box asked to be clipped";
    EXPECT_FALSE(dlg.ErasesCentreOf(ID_ICON)) << "the centred icon asked to be clipped";
    EXPECT_TRUE(dlg.ErasesCentreOf(ID_PARTIAL)) << "a group box by the class rules";
    EXPECT_FALSE(dlg.ErasesCentreOf(ID_PLACED));
    EXPECT_TRUE(dlg.ErasesCentreOf(ID_REFUSED)) << "nor is a refused entry clipped";
    EXPECT_EQ(std::vector<WPARAM>{ RESIZE_QUERY_PROPERTIES }, group.m_codes) << "fixed answers are not asked again";
    dlg.DestroyWindow();
}
