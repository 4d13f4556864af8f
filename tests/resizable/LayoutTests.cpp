#include "ResizableTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace ResizableTest;
using KorvoTest::CDialogTemplate;

namespace
{
const UINT ID_FIRST = 101;
const UINT ID_SECOND = 102;
const UINT SWP_LAYOUT = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREPOSITION;

CDialogTemplate TwoStatics()
{
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"layout");
    dlgTemplate.AddControl(L"Static", ID_FIRST, SS_LEFT | WS_VISIBLE, 5, 5, 20, 10, L"one");
    dlgTemplate.AddControl(L"Static", ID_SECOND, SS_LEFT | WS_VISIBLE, 5, 20, 20, 10, L"two");
    return dlgTemplate;
}
}

TEST(AnchorLayout, HalfAnchorMarginsAndTruncatingDivision)
{
    CDialogTemplate dlgTemplate = TwoStatics();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.m_bFixedTotal = TRUE;
    dlg.m_rectTotal = CRect(0, 0, 200, 100);
    dlg.PlaceChild(ID_FIRST, 10, 20, 30, 15);
    dlg.AddAnchor(ID_FIRST, TOP_CENTER);

    const CResizableLayout::LayoutInfo& layout = dlg.m_lstLayout.GetHead();
    EXPECT_EQ(-90, layout.marginTopLeft.cx);
    EXPECT_EQ(20, layout.marginTopLeft.cy);
    EXPECT_EQ(TOP_CENTER, layout.anchorBottomRight) << "no bottom-right anchor means the top-left one";
    EXPECT_EQ(-60, layout.marginBottomRight.cx);

    CRect rect;
    UINT nFlags = 0;
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_FIRST, CRect(0, 0, 301, 100), rect, &nFlags));
    EXPECT_EQ(CRect(60, 20, 90, 35), rect) << "301 * 50 / 100 = 150, 150 - 90 = 60; the size is kept";
    EXPECT_EQ(SWP_LAYOUT | SWP_NOSIZE, nFlags) << "a child that only moves keeps its size and its bits";

    ASSERT_TRUE(dlg.GetAnchorPosition(ID_FIRST, CRect(0, 0, 200, 100), rect, &nFlags));
    EXPECT_EQ(CRect(10, 20, 40, 35), rect);
    EXPECT_EQ(SWP_LAYOUT | SWP_NOSIZE | SWP_NOMOVE, nFlags);
    dlg.DestroyWindow();
}

TEST(AnchorLayout, NegativeProductsTruncateTowardZero)
{
    CDialogTemplate dlgTemplate = TwoStatics();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.m_bFixedTotal = TRUE;
    dlg.m_rectTotal = CRect(0, 0, 200, 100);
    dlg.PlaceChild(ID_FIRST, 10, 20, 30, 15);
    dlg.AddAnchor(ID_FIRST, CSize(-50, -50), CSize(-50, -50));
    EXPECT_EQ(CSize(110, 70), dlg.m_lstLayout.GetHead().marginTopLeft);

    CRect rect;
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_FIRST, CRect(0, 0, 301, 99), rect));
    // 301 * -50 / 100 is -150 (not -151), 99 * -50 / 100 is -49 (not -50).
    EXPECT_EQ(CRect(-40, 21, -10, 36), rect);
    dlg.DestroyWindow();
}

TEST(AnchorLayout, TheTotalRectanglesOriginOffsetsEveryChild)
{
    CDialogTemplate dlgTemplate = TwoStatics();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.m_bFixedTotal = TRUE;
    dlg.m_rectTotal = CRect(5, 7, 205, 107);
    dlg.PlaceChild(ID_FIRST, 15, 27, 30, 15);
    dlg.AddAnchor(ID_FIRST, TOP_LEFT, BOTTOM_RIGHT);
    const CResizableLayout::LayoutInfo& layout = dlg.m_lstLayout.GetHead();
    EXPECT_EQ(CSize(10, 20), layout.marginTopLeft);
    EXPECT_EQ(CSize(40 - 200, 35 - 100), layout.marginBottomRight);

    CRect rect;
    UINT nFlags = 0;
    ASSERT_TRUE(dlg.GetAnchorPosition(dlg.GetDlgItem(ID_FIRST)->m_hWnd, CRect(5, 7, 305, 207), rect, &nFlags));
    EXPECT_EQ(CRect(15, 27, 145, 142), rect);
    EXPECT_EQ(SWP_LAYOUT | SWP_NOMOVE | SWP_NOCOPYBITS, nFlags) << "a wider text static is redrawn";
    dlg.DestroyWindow();
}

TEST(AnchorLayout, RemovingAnchors)
{
    CDialogTemplate dlgTemplate = TwoStatics();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    CRect rect;
    EXPECT_FALSE(dlg.RemoveAnchor(ID_FIRST));
    EXPECT_FALSE(dlg.GetAnchorPosition(ID_FIRST, CRect(0, 0, 10, 10), rect));

    dlg.AddAnchor(9999, TOP_LEFT); // no such control: nothing to anchor
    dlg.AddAnchor((HWND)NULL, TOP_LEFT);
    EXPECT_EQ(0, dlg.m_lstLayout.GetCount());

    dlg.AddAnchor(ID_FIRST, TOP_LEFT);
    dlg.AddAnchor(ID_SECOND, TOP_LEFT);
    dlg.AddAnchor(ID_FIRST, BOTTOM_RIGHT); // a second anchor for the same child
    EXPECT_EQ(3, dlg.m_lstLayout.GetCount());

    EXPECT_TRUE(dlg.RemoveAnchor(ID_FIRST));
    EXPECT_EQ(2, dlg.m_lstLayout.GetCount());
    EXPECT_EQ(TOP_LEFT, dlg.m_lstLayout.GetHead().anchorTopLeft) << "the newest anchor went first";
    EXPECT_TRUE(dlg.GetAnchorPosition(ID_FIRST, CRect(0, 0, 10, 10), rect)) << "the older one is still found";
    EXPECT_TRUE(dlg.RemoveAnchor(ID_FIRST));
    EXPECT_FALSE(dlg.RemoveAnchor(ID_FIRST));
    EXPECT_EQ(1, dlg.m_lstLayout.GetCount());

    dlg.AddAnchorCallback(4);
    dlg.RemoveAllAnchors();
    EXPECT_EQ(0, dlg.m_lstLayout.GetCount());
    EXPECT_EQ(0, dlg.m_lstLayoutCallback.GetCount());
    EXPECT_FALSE(dlg.RemoveAnchor(ID_SECOND));
    dlg.DestroyWindow();
}

namespace
{
enum
{
    ID_STAYS = 201,
    ID_MOVES,
    ID_GROWS,
    ID_TEXT_WIDER,
    ID_TEXT_TALLER,
    ID_CENTRED_TEXT_TALLER,
    ID_ICON_TALLER,
    ID_TEXT_MOVES,
    ID_ELLIPSIS_WIDER,
    ID_NOWRAP_WIDER,
    ID_LAST
};
}

// Resizes a real dialog and watches what reaches each child.
TEST(AnchorLayout, OneBatchMovesOnlyWhatChangesAndRefreshesOnlyWhereNeeded)
{
    CChildSpy spies[ID_LAST - ID_STAYS];
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"batch");
    dlgTemplate.AddControl(L"Button", ID_STAYS, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"stays")
        .AddControl(L"Button", ID_MOVES, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"moves")
        .AddControl(L"Button", ID_GROWS, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"grows")
        .AddControl(L"Static", ID_TEXT_WIDER, SS_LEFT | WS_VISIBLE, 0, 0, 10, 10, L"wider")
        .AddControl(L"Static", ID_TEXT_TALLER, SS_LEFT | WS_VISIBLE, 0, 0, 10, 10, L"taller")
        .AddControl(L"Static", ID_CENTRED_TEXT_TALLER, SS_LEFT | SS_CENTERIMAGE | WS_VISIBLE, 0, 0, 10, 10, L"c")
        .AddControl(L"Static", ID_ICON_TALLER, SS_ICON | WS_VISIBLE, 0, 0, 10, 10)
        .AddControl(L"Static", ID_TEXT_MOVES, SS_LEFT | WS_VISIBLE, 0, 0, 10, 10, L"moves")
        .AddControl(L"Static", ID_ELLIPSIS_WIDER, SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | WS_VISIBLE, 0, 0, 10, 10, L"e")
        .AddControl(L"Static", ID_NOWRAP_WIDER, SS_LEFTNOWORDWRAP | WS_VISIBLE, 0, 0, 10, 10, L"n");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(300, 200);
    for (UINT nID = ID_STAYS; nID < ID_LAST; nID++)
        dlg.PlaceChild(nID, 10 + 20 * (nID - ID_STAYS), 10, 16, 16);

    dlg.AddAnchor(ID_STAYS, TOP_LEFT);
    dlg.AddAnchor(ID_MOVES, BOTTOM_RIGHT);
    dlg.AddAnchor(ID_GROWS, TOP_LEFT, BOTTOM_RIGHT);
    dlg.AddAnchor(ID_TEXT_WIDER, TOP_LEFT, TOP_RIGHT);
    dlg.AddAnchor(ID_TEXT_TALLER, TOP_LEFT, BOTTOM_LEFT);
    dlg.AddAnchor(ID_CENTRED_TEXT_TALLER, TOP_LEFT, BOTTOM_LEFT);
    dlg.AddAnchor(ID_ICON_TALLER, TOP_LEFT, BOTTOM_LEFT);
    dlg.AddAnchor(ID_TEXT_MOVES, BOTTOM_RIGHT);
    dlg.AddAnchor(ID_ELLIPSIS_WIDER, TOP_LEFT, TOP_RIGHT);
    dlg.AddAnchor(ID_NOWRAP_WIDER, TOP_LEFT, TOP_RIGHT);
    for (UINT nID = ID_STAYS; nID < ID_LAST; nID++)
        ASSERT_TRUE(spies[nID - ID_STAYS].SubclassDlgItem(nID, &dlg));
    auto spy = [&](UINT nID) -> CChildSpy& { return spies[nID - ID_STAYS]; };

    dlg.SetClientSize(340, 250);
    EXPECT_EQ(0, spy(ID_STAYS).m_nPosChanging) << "an unchanged child is left out of the batch";
    EXPECT_EQ(CRect(10, 10, 26, 26), dlg.ChildRect(ID_STAYS));

    EXPECT_EQ(1, spy(ID_MOVES).m_nPosChanging);
    EXPECT_EQ(CRect(70, 60, 86, 76), dlg.ChildRect(ID_MOVES));
    EXPECT_TRUE(spy(ID_MOVES).m_nLastFlags & SWP_NOSIZE);
    EXPECT_FALSE(spy(ID_MOVES).m_nLastFlags & SWP_NOCOPYBITS);

    EXPECT_EQ(CRect(50, 10, 106, 76), dlg.ChildRect(ID_GROWS));
    EXPECT_FALSE(spy(ID_GROWS).m_nLastFlags & SWP_NOCOPYBITS) << "buttons keep their bits";

    EXPECT_TRUE(spy(ID_TEXT_WIDER).m_nLastFlags & SWP_NOCOPYBITS);
    EXPECT_FALSE(spy(ID_TEXT_TALLER).m_nLastFlags & SWP_NOCOPYBITS) << "text only grew in height";
    EXPECT_TRUE(spy(ID_CENTRED_TEXT_TALLER).m_nLastFlags & SWP_NOCOPYBITS) << "vertically centred text moves";
    EXPECT_TRUE(spy(ID_ICON_TALLER).m_nLastFlags & SWP_NOCOPYBITS);
    EXPECT_EQ(1, spy(ID_TEXT_MOVES).m_nPosChanging);
    EXPECT_FALSE(spy(ID_TEXT_MOVES).m_nLastFlags & SWP_NOCOPYBITS) << "moved text keeps its bits";
    EXPECT_TRUE(spy(ID_ELLIPSIS_WIDER).m_nLastFlags & SWP_NOCOPYBITS);
    EXPECT_FALSE(spy(ID_NOWRAP_WIDER).m_nLastFlags & SWP_NOCOPYBITS);

    // Nothing changed: nothing is positioned at all.
    for (CChildSpy& s : spies)
        s.Reset();
    dlg.ArrangeLayout();
    for (UINT nID = ID_STAYS; nID < ID_LAST; nID++)
        EXPECT_EQ(0, spy(nID).m_nPosChanging) << nID;
    dlg.DestroyWindow();
}

TEST(AnchorLayout, AChildAnsweringTheResizeMessageOverridesTheClassRules)
{
    const UINT ID_GROUP = 301, ID_ICON = 302, ID_PARTIAL = 303;
    CChildSpy group, icon, partial;
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"support");
    dlgTemplate.AddControl(L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, 0, 0, 10, 10, L"group")
        .AddControl(L"Static", ID_ICON, SS_ICON | SS_CENTERIMAGE | WS_VISIBLE, 0, 0, 10, 10)
        .AddControl(L"Button", ID_PARTIAL, BS_GROUPBOX | WS_VISIBLE, 0, 0, 10, 10, L"partial");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(300, 200);
    dlg.PlaceChild(ID_GROUP, 10, 10, 50, 50);
    dlg.PlaceChild(ID_ICON, 70, 10, 50, 50);
    dlg.PlaceChild(ID_PARTIAL, 130, 10, 50, 50);

    // Fixed answers: clipped and always refreshed, whatever its class says.
    group.m_bSupport = TRUE;
    group.m_properties = { FALSE, FALSE, TRUE, TRUE };
    ASSERT_TRUE(group.SubclassDlgItem(ID_GROUP, &dlg));
    // Asked every time: likes clipping, never needs a refresh.
    icon.m_bSupport = TRUE;
    icon.m_bAnswerClipping = icon.m_bLikesClipping = TRUE;
    icon.m_bAnswerRefresh = TRUE;
    icon.m_bNeedsRefresh = FALSE;
    ASSERT_TRUE(icon.SubclassDlgItem(ID_ICON, &dlg));
    // Answers the properties query only: the class rules decide the rest.
    partial.m_bSupport = TRUE;
    ASSERT_TRUE(partial.SubclassDlgItem(ID_PARTIAL, &dlg));

    dlg.AddAnchor(ID_GROUP, TOP_LEFT, BOTTOM_LEFT);
    dlg.AddAnchor(ID_ICON, TOP_LEFT, BOTTOM_LEFT);
    dlg.AddAnchor(ID_PARTIAL, TOP_LEFT, BOTTOM_LEFT);
    const CResizableLayout::LayoutInfo& groupLayout = dlg.m_lstLayout.GetHead();
    EXPECT_TRUE(groupLayout.bSupportsMessage);
    EXPECT_FALSE(groupLayout.bQueryClipping);
    EXPECT_TRUE(groupLayout.bClipping);
    ASSERT_EQ(1u, group.m_codes.size());
    EXPECT_EQ((WPARAM)RESIZE_QUERY_PROPERTIES, group.m_codes[0]);

    dlg.ShowWindow(SW_SHOWNA);
    CRgn rgn;
    dlg.GetClippingRegion(&rgn);
    EXPECT_FALSE(RegionHoldsCentre(rgn, dlg.ChildRect(ID_GROUP))) << "the group box asked to be clipped";
    EXPECT_FALSE(RegionHoldsCentre(rgn, dlg.ChildRect(ID_ICON))) << "the centred icon asked to be clipped";
    EXPECT_TRUE(RegionHoldsCentre(rgn, dlg.ChildRect(ID_PARTIAL))) << "a group box by the class rules";
    EXPECT_EQ(1u, group.m_codes.size()) << "cached answers are not asked for again";

    icon.m_codes.clear();
    dlg.SetClientSize(300, 260);
    EXPECT_TRUE(group.m_nLastFlags & SWP_NOCOPYBITS) << "a button that asked to be refreshed";
    EXPECT_FALSE(icon.m_nLastFlags & SWP_NOCOPYBITS) << "an icon that said it needs no refresh";
    EXPECT_FALSE(partial.m_nLastFlags & SWP_NOCOPYBITS);
    EXPECT_EQ(1, std::count(icon.m_codes.begin(), icon.m_codes.end(), (WPARAM)RESIZE_QUERY_REFRESH));
    dlg.DestroyWindow();
}

TEST(AnchorLayout, CallbackEntriesArePlacedOnlyWhenTheCallbackFillsThem)
{
    const UINT ID_PLACED = 401, ID_REFUSED = 402;
    CChildSpy placed, refused;
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"callbacks");
    dlgTemplate.AddControl(L"Button", ID_PLACED, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"placed")
        .AddControl(L"Button", ID_REFUSED, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"refused");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(300, 200);
    dlg.PlaceChild(ID_PLACED, 10, 10, 40, 20);
    dlg.PlaceChild(ID_REFUSED, 60, 10, 40, 20);
    ASSERT_TRUE(placed.SubclassDlgItem(ID_PLACED, &dlg));
    ASSERT_TRUE(refused.SubclassDlgItem(ID_REFUSED, &dlg));

    int nCalls = 0;
    dlg.m_fnCallback = [&](CResizableLayout::LayoutInfo& layout) -> BOOL {
        nCalls++;
        if (layout.nCallbackKey == 7)
        {
            // Ten pixels in from the bottom-right corner.
            layout.hwndChild = ::GetDlgItem(dlg.m_hWnd, ID_PLACED);
            layout.anchorTopLeft = layout.anchorBottomRight = BOTTOM_RIGHT;
            layout.marginTopLeft = CSize(-50, -30);
            layout.marginBottomRight = CSize(-10, -10);
            layout.bQueryClipping = layout.bQueryRefresh = FALSE;
            layout.bClipping = TRUE;
            return TRUE;
        }
        layout.hwndChild = ::GetDlgItem(dlg.m_hWnd, ID_REFUSED);
        layout.anchorTopLeft = layout.anchorBottomRight = BOTTOM_RIGHT;
        return FALSE;
    };
    dlg.AddAnchorCallback(7);
    dlg.AddAnchorCallback(8);
    EXPECT_EQ(0, nCalls) << "adding a callback entry asks nothing";

    dlg.SetClientSize(320, 220);
    EXPECT_EQ(CRect(270, 190, 310, 210), dlg.ChildRect(ID_PLACED));
    EXPECT_EQ(0, refused.m_nPosChanging) << "an entry refused by its callback is not moved";
    EXPECT_EQ(CRect(60, 10, 100, 30), dlg.ChildRect(ID_REFUSED));
    EXPECT_EQ(NULL, dlg.m_lstLayoutCallback.GetHead().hwndChild) << "the stored entry keeps only its key";

    dlg.ShowWindow(SW_SHOWNA);
    CRgn rgn;
    dlg.GetClippingRegion(&rgn);
    EXPECT_FALSE(RegionHoldsCentre(rgn, dlg.ChildRect(ID_PLACED)));
    EXPECT_TRUE(RegionHoldsCentre(rgn, dlg.ChildRect(ID_REFUSED))) << "nor is it clipped";
    dlg.DestroyWindow();
}

TEST(AnchorLayout, ListBoxesScrolledToTheirRightEndAreRedrawnWhenWider)
{
    const UINT ID_SCROLLED = 451, ID_AT_START = 452, ID_NO_SCROLLBAR = 453;
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"lists");
    const DWORD dwList = LBS_NOINTEGRALHEIGHT | WS_HSCROLL | WS_VISIBLE;
    dlgTemplate.AddControl(L"ListBox", ID_SCROLLED, dwList, 0, 0, 10, 10)
        .AddControl(L"ListBox", ID_AT_START, dwList, 0, 0, 10, 10)
        .AddControl(L"ListBox", ID_NO_SCROLLBAR, LBS_NOINTEGRALHEIGHT | WS_VISIBLE, 0, 0, 10, 10);
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(400, 200);
    for (UINT nID = ID_SCROLLED; nID <= ID_NO_SCROLLBAR; nID++)
    {
        dlg.PlaceChild(nID, 10, 10 + 60 * (nID - ID_SCROLLED), 100, 50);
        CWnd* pList = dlg.GetDlgItem(nID);
        pList->SendMessage(LB_ADDSTRING, 0, (LPARAM)L"a long line of text that is wider than the list box");
        pList->SendMessage(LB_SETHORIZONTALEXTENT, 400);
        dlg.AddAnchor(nID, TOP_LEFT, TOP_RIGHT);
    }
    dlg.GetDlgItem(ID_SCROLLED)->SendMessage(WM_HSCROLL, SB_RIGHT);
    SCROLLINFO si = { sizeof(si), SIF_ALL };
    ASSERT_TRUE(::GetScrollInfo(dlg.GetDlgItem(ID_SCROLLED)->m_hWnd, SB_HORZ, &si));
    ASSERT_EQ(si.nMax - (int)si.nPage + 1, si.nPos) << "scrolled to the end";

    CRect rect;
    UINT nFlags = 0;
    const CRect rectWider(0, 0, 420, 200), rectNarrower(0, 0, 380, 200);
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_SCROLLED, rectWider, rect, &nFlags));
    EXPECT_TRUE(nFlags & SWP_NOCOPYBITS) << "the items move right as the box widens";
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_SCROLLED, rectNarrower, rect, &nFlags));
    EXPECT_FALSE(nFlags & SWP_NOCOPYBITS);
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_AT_START, rectWider, rect, &nFlags));
    EXPECT_FALSE(nFlags & SWP_NOCOPYBITS) << "there is still room to scroll";
    ASSERT_TRUE(dlg.GetAnchorPosition(ID_NO_SCROLLBAR, rectWider, rect, &nFlags));
    EXPECT_FALSE(nFlags & SWP_NOCOPYBITS) << "without a horizontal scroll bar";
    dlg.DestroyWindow();
}
