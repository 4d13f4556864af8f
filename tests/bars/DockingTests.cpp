// Bars that size themselves from their buttons and dock along their parent's edges: the sizes
// they report, their places in a frame and in a dialog laid out as a host lays one out, two bars
// on one edge stacked in a frame and in a skinned dialog, and the pixels of a docked bar.
#include "BarTestSupport.h"
#include "DialogTemplate.h"

using namespace BarTest;

namespace
{
// A frame of client size 400 x 200 with a toolbar along the top, a vertical bar along the left
// and the pane.
class Docking : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(1, 1);
        ASSERT_TRUE(m_host.Create(400, 200));
        ASSERT_TRUE(m_top.Create(&m_host, WS_VISIBLE, ID_TOP));
        ASSERT_TRUE(m_side.Create(&m_host, WS_VISIBLE | CBRS_ALIGN_LEFT, ID_SIDE));
        m_hPane = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, m_host.m_hWnd,
                                    (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, NULL, NULL);
        ASSERT_TRUE(m_hPane != NULL);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        KorvoTest::PumpMessages(10);
    }
    // The top bar filled from a skin template of 30-pixel buttons whose images are 24 square.
    void FillTop()
    {
        m_folder.WriteBase(ButtonSkin() + R"(<toolbars><toolbar name="Main" types="30"><button id="101" text="Open"/>
            <button id="102" text="Save"/></toolbar></toolbars>)");
        WriteButtonImages(m_folder);
        LoadSkin(L"", L"");
        ASSERT_TRUE(CreateSkinToolBar(L"Main", &m_top));
        m_top.GetIndex(0)->m_strName = L"Open";
        m_top.GetIndex(0)->LoadSkinImages();
        m_top.GetIndex(1)->m_strName = L"Save";
        m_top.GetIndex(1)->LoadSkinImages();
    }

    CSkinFolder m_folder;
    CHostWnd m_host;
    CCoolBarCtrl m_top, m_side;
    HWND m_hPane = NULL;
};
}

TEST_F(Docking, TheSizeABarNeedsComesFromItsButtons)
{
    EXPECT_EQ(CSize(0, 0), m_top.CalcFixedLayout(FALSE, TRUE)) << "no buttons, no borders";
    EXPECT_EQ(CSize(32767, 0), m_top.CalcFixedLayout(TRUE, TRUE));
    EXPECT_EQ(CSize(0, 32767), m_side.CalcFixedLayout(TRUE, FALSE));

    // Without images a button is square; separators and gaps add length but no breadth.
    m_top.Add(1, NULL, 16);
    m_top.Add(2, NULL, 20);
    m_top.Add(0, NULL, 16);
    m_top.Add(ID_COOLBAR_GAP, NULL, 0);
    m_top.Add(3, NULL, 16);
    EXPECT_EQ(CSize(88, 20), m_top.CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(CSize(32767, 20), m_top.CalcFixedLayout(TRUE, TRUE));
    m_top.GetIndex(1)->Show(FALSE);
    EXPECT_EQ(CSize(68, 16), m_top.CalcFixedLayout(FALSE, TRUE)) << "a hidden button takes no room";
    m_top.SetAlignVert(true);
    EXPECT_EQ(CSize(16, 68), m_top.CalcFixedLayout(FALSE, TRUE)) << "stacked buttons";

    // The bar style's edges are the bar's too.
    m_top.SetBarStyle(m_top.GetBarStyle() | CBRS_BORDER_BOTTOM | CBRS_BORDER_LEFT);
    const CSize sizeEdges(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(CSize(16, 68) + sizeEdges, m_top.CalcFixedLayout(FALSE, TRUE));

    // With images, a button is as broad as its broadest image, whatever its length.
    m_top.SetBarStyle(CBRS_ALIGN_TOP);
    FillTop();
    EXPECT_EQ(CSize(60, 24), m_top.CalcFixedLayout(FALSE, TRUE));
    EXPECT_TRUE(m_side.GetAlignVert()) << "a bar along a side stacks its buttons";
}

TEST_F(Docking, BarsTakeTheTopAndLeftEdgesAndThePaneWhatRemainsAsTheFrameChanges)
{
    FillTop();
    for (UINT nID = 1; nID <= 3; nID++)
        m_side.Add(nID, NULL, 18);
    m_host.RecalcLayout();
    const int cyTop = m_top.CalcFixedLayout(TRUE, TRUE).cy, cxSide = m_side.CalcFixedLayout(TRUE, FALSE).cx;
    ASSERT_EQ(24, cyTop);
    ASSERT_EQ(18, cxSide);
    EXPECT_EQ(CRect(0, 0, 400, cyTop), Place(m_top.m_hWnd));
    EXPECT_EQ(CRect(0, cyTop, cxSide, 200), Place(m_side.m_hWnd));
    EXPECT_EQ(CRect(cxSide, cyTop, 400, 200), Place(m_hPane));

    // The docked bar's buttons are where it says they are.
    CRect rcButton;
    ASSERT_TRUE(m_top.GetItemRect(m_top.GetIndex(1), &rcButton));
    EXPECT_EQ(CRect(30, 0, 60, 23), rcButton);
    m_host.UpdateWindow();
    m_top.UpdateWindow();
    EXPECT_EQ(NORMAL, KorvoTest::CWindowPixels(m_host.m_hWnd, true).At(40, 12));

    // A query moves nothing, even when the bars have changed since.
    m_side.Add(4, NULL, 40);
    CRect rcFree;
    m_host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree);
    EXPECT_EQ(CRect(40, cyTop, 400, 200), rcFree);
    EXPECT_EQ(CRect(0, cyTop, cxSide, 200), Place(m_side.m_hWnd));
    EXPECT_EQ(CRect(cxSide, cyTop, 400, 200), Place(m_hPane));

    // Resizing the frame lays everything out again.
    m_host.SetWindowPos(NULL, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CRect(0, 0, 300, cyTop), Place(m_top.m_hWnd));
    EXPECT_EQ(CRect(0, cyTop, 40, 260), Place(m_side.m_hWnd));
    EXPECT_EQ(CRect(40, cyTop, 300, 260), Place(m_hPane));
}

TEST_F(Docking, AnEmptyOrHiddenBarTakesNoRoomAndGivesItBack)
{
    m_side.Add(1, NULL, 18);
    m_host.RecalcLayout();
    EXPECT_EQ(CRect(0, 0, 400, 0), Place(m_top.m_hWnd)) << "an empty bar";
    EXPECT_EQ(CRect(18, 0, 400, 200), Place(m_hPane));

    FillTop();
    m_host.RecalcLayout();
    EXPECT_EQ(CRect(18, 24, 400, 200), Place(m_hPane));
    m_top.ShowWindow(SW_HIDE);
    m_host.RecalcLayout();
    EXPECT_EQ(CRect(18, 0, 400, 200), Place(m_hPane)) << "a hidden bar";
    EXPECT_EQ(CRect(0, 0, 18, 200), Place(m_side.m_hWnd));
    m_top.ShowWindow(SW_SHOW);
    m_top.Clear();
    m_host.RecalcLayout();
    EXPECT_EQ(CRect(18, 0, 400, 200), Place(m_hPane)) << "a bar emptied";
}

namespace
{
// Where a colour shows in a client area, as a bounding rectangle; empty when it does not.
CRect ColourExtent(const KorvoTest::CWindowPixels& shot, const CRect& rcArea, COLORREF cr)
{
    CRect rc(0, 0, 0, 0);
    for (int y = rcArea.top; y < rcArea.bottom; y++)
        for (int x = rcArea.left; x < rcArea.right; x++)
            if (shot.At(x, y) == cr)
                rc = rc.IsRectEmpty() ? CRect(x, y, x + 1, y + 1)
                                      : CRect(std::min<int>(rc.left, x), std::min<int>(rc.top, y),
                                              std::max<int>(rc.right, x + 1), std::max<int>(rc.bottom, y + 1));
    return rc;
}
}

TEST_F(Docking, ABarAlongAnyEdgeIsHitWhereItPaintsItsButtons)
{
    // Buttons exactly as long as their 24-pixel images, so a click one pixel off its painted
    // button lands on its neighbour or on nothing.
    m_folder.WriteBase(R"(<colourScheme><colour name="dialog.back" value="0AC81E"/></colourScheme><watermarks>
        <watermark target="A" path="n.bmp"/><watermark target="B" path="h.bmp"/></watermarks>)");
    WriteButtonImages(m_folder);
    LoadSkin(L"", L"");
    CCoolBarCtrl bottom;
    ASSERT_TRUE(bottom.Create(&m_host, WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_LEFT, ID_TOP + 2));
    m_side.SetBarStyle(m_side.GetBarStyle() | CBRS_BORDER_ANY);
    for (CCoolBarCtrl* pBar : { &m_side, &bottom })
    {
        pBar->Add(101, L"A", 24);
        pBar->Add(103, L"B", 24);
        for (int n = 0; n < 2; n++)
            pBar->GetIndex(n)->LoadSkinImages();
    }
    m_host.RecalcLayout();
    m_host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const KorvoTest::CWindowPixels shot(m_host.m_hWnd, true);

    for (CCoolBarCtrl* pBar : { &m_side, &bottom })
    {
        SCOPED_TRACE(pBar == &bottom ? "bottom" : "left");
        const CRect rcBar = Place(pBar->m_hWnd);
        const struct
        {
            COLORREF cr;
            WPARAM nID;
        } buttons[] = { { NORMAL, 101 }, { HOVER, 103 } };
        for (const auto& button : buttons)
        {
            CRect rcPainted = ColourExtent(shot, rcBar, button.cr);
            ASSERT_EQ(CSize(24, 24), rcPainted.Size());
            rcPainted.OffsetRect(-rcBar.TopLeft());
            // The last row of a bar's room belongs to no button.
            for (CPoint pt : { rcPainted.CenterPoint(), rcPainted.TopLeft(),
                               CPoint(rcPainted.right - 1, rcPainted.bottom - 2) })
            {
                m_host.m_commands.clear();
                pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
                KorvoTest::PumpMessages(10);
                ASSERT_EQ(1u, m_host.m_commands.size()) << pt.x << "," << pt.y;
                EXPECT_EQ(button.nID, m_host.m_commands[0].first) << pt.x << "," << pt.y;
            }
        }
    }
}

namespace
{
const UINT IDC_LABEL = 1001;

// A dialog that docks a toolbar above its controls as a host does: in OnInitDialog it fills
// the bar, moves its controls below the bar's room and grows by as much; in OnSize it lays the
// bar out again.
class CBarDialog : public CDialog
{
public:
    CCoolBarCtrl m_bar;
    CRect m_rcLabelBefore;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_bar.Create(this, WS_VISIBLE, AFX_IDW_CONTROLBAR_FIRST);
        for (UINT nID = 1; nID <= 4; nID++)
            m_bar.Add(nID, NULL, 22);
        CRect rcFree;
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rcFree);
        m_rcLabelBefore = Place(::GetDlgItem(m_hWnd, IDC_LABEL));
        for (CWnd* pChild = GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        {
            if (pChild->m_hWnd == m_bar.m_hWnd)
                continue;
            CRect rc = Place(pChild->m_hWnd);
            rc.OffsetRect(0, rcFree.top);
            pChild->MoveWindow(&rc);
        }
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() + rcFree.top, SWP_NOMOVE | SWP_NOZORDER);
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
        return TRUE;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CDialog::OnSize(nType, cx, cy);
        if (m_bar.m_hWnd)
            RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarDialog, CDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()
}

TEST(DialogDocking, ADialogsToolbarDocksAboveItsControlsAndFollowsItsWidth)
{
    KorvoTest::CDialogTemplate tmpl(WS_POPUP | WS_VISIBLE | WS_THICKFRAME | DS_SETFONT, 160, 90, L"Bars");
    tmpl.AddControl(L"Static", IDC_LABEL, WS_VISIBLE, 5, 5, 100, 10, L"label");
    CBarDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    CRect rcClient;
    dlg.GetClientRect(&rcClient);
    const int cyBar = dlg.m_bar.CalcFixedLayout(TRUE, TRUE).cy;
    ASSERT_EQ(22, cyBar);
    EXPECT_EQ(CRect(0, 0, rcClient.Width(), cyBar), Place(dlg.m_bar.m_hWnd));
    CRect rcExpected = dlg.m_rcLabelBefore;
    rcExpected.OffsetRect(0, cyBar);
    EXPECT_EQ(rcExpected, Place(::GetDlgItem(dlg.m_hWnd, IDC_LABEL)));

    CRect rcWindow;
    dlg.GetWindowRect(&rcWindow);
    dlg.SetWindowPos(NULL, 0, 0, rcWindow.Width() + 50, rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CRect(0, 0, rcClient.Width() + 50, cyBar), Place(dlg.m_bar.m_hWnd));
    dlg.DestroyWindow();
}

namespace
{
// Two toolbars along the top edge and two along the left one, made (so laid out) in that order,
// each with two square buttons of its own breadth and commands of its own, and the pane that
// takes what they leave.
struct CStackedBars
{
    static constexpr int BREADTHS[4] = { 20, 24, 18, 22 };
    // The timer a bar polls the pointer with while a button is hot.
    static constexpr UINT_PTR HOVER_TIMER = 1;
    static UINT Command(int nBar, int nButton) { return 300 + 10 * nBar + nButton; }

    BOOL Create(CWnd* pParent)
    {
        for (int n = 0; n < 4; n++)
        {
            const DWORD dwAlign = n < 2 ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
            if (!bars[n].Create(pParent, WS_VISIBLE | dwAlign, AFX_IDW_CONTROLBAR_FIRST + n))
                return FALSE;
            for (int nButton = 0; nButton < 2; nButton++)
                bars[n].Add(Command(n, nButton), NULL, BREADTHS[n]);
        }
        hPane = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, pParent->m_hWnd,
                                  (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, NULL, NULL);
        return hPane != NULL;
    }

    // The bars take their strips in order off the client area's top and left edges, overlap
    // nowhere, and leave the pane (and a layout query) the rest; a click on each button lands on
    // its own bar and sends that button's command.
    void ExpectStacked(CWnd& parent, const std::vector<std::pair<WPARAM, LPARAM>>& commands)
    {
        CRect rcClient;
        parent.GetClientRect(&rcClient);
        const int cx = rcClient.Width(), cy = rcClient.Height();
        const int cyTop = BREADTHS[0] + BREADTHS[1], cxLeft = BREADTHS[2] + BREADTHS[3];
        const CRect rcExpected[5] = {
            CRect(0, 0, cx, BREADTHS[0]),
            CRect(0, BREADTHS[0], cx, cyTop),
            CRect(0, cyTop, BREADTHS[2], cy),
            CRect(BREADTHS[2], cyTop, cxLeft, cy),
            CRect(cxLeft, cyTop, cx, cy),
        };
        CRect rcPlaces[5];
        for (int n = 0; n < 5; n++)
        {
            rcPlaces[n] = Place(n < 4 ? bars[n].m_hWnd : hPane);
            EXPECT_EQ(rcExpected[n], rcPlaces[n]) << "window " << n;
            for (int m = 0; m < n; m++)
            {
                CRect rcBoth;
                EXPECT_FALSE(rcBoth.IntersectRect(&rcPlaces[n], &rcPlaces[m])) << "windows " << m << " and " << n;
            }
        }
        CRect rcFree;
        parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree);
        EXPECT_EQ(rcExpected[4], rcFree);

        for (int n = 0; n < 4; n++)
            for (int nButton = 0; nButton < 2; nButton++)
            {
                SCOPED_TRACE(testing::Message() << "bar " << n << ", button " << nButton);
                CRect rcButton;
                ASSERT_TRUE(bars[n].GetItemRect(bars[n].GetIndex(nButton), &rcButton));
                for (CPoint pt : { rcButton.TopLeft(), rcButton.CenterPoint(), CPoint(rcButton.right - 1, rcButton.bottom - 1) })
                {
                    CPoint ptParent = pt, ptScreen = pt;
                    ::MapWindowPoints(bars[n].m_hWnd, parent.m_hWnd, &ptParent, 1);
                    ::ClientToScreen(bars[n].m_hWnd, &ptScreen);
                    EXPECT_EQ(bars[n].m_hWnd, ::ChildWindowFromPointEx(parent.m_hWnd, ptParent, CWP_SKIPINVISIBLE));
                    EXPECT_EQ(bars[n].m_hWnd, ::WindowFromPoint(ptScreen));
                    EXPECT_EQ(bars[n].GetIndex(nButton), bars[n].HitTest(pt));
                    // The pointer there lights this button up, and the other bars let theirs go
                    // at their next poll.
                    ::SetCursorPos(ptScreen.x, ptScreen.y);
                    bars[n].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
                    EXPECT_EQ(bars[n].GetIndex(nButton), bars[n].GetHot());
                    for (int m = 0; m < 4; m++)
                    {
                        bars[m].SendMessage(WM_TIMER, HOVER_TIMER);
                        EXPECT_EQ(m == n ? bars[n].GetIndex(nButton) : nullptr, bars[m].GetHot()) << "bar " << m;
                    }
                    const size_t nBefore = commands.size();
                    bars[n].SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
                    KorvoTest::PumpMessages(0);
                    ASSERT_EQ(nBefore + 1, commands.size()) << pt.x << "," << pt.y;
                    EXPECT_EQ(Command(n, nButton), commands.back().first) << pt.x << "," << pt.y;
                }
            }
        ::SetCursorPos(1, 1);
        for (CCoolBarCtrl& bar : bars)
            bar.SendMessage(WM_TIMER, HOVER_TIMER);
    }

    CCoolBarCtrl bars[4];
    HWND hPane = NULL;
};
constexpr int CStackedBars::BREADTHS[4];
}

TEST(StackedDocking, TwoBarsOnTheTopAndTwoOnTheLeftOfAFrameStackInOrder)
{
    ::SetCursorPos(1, 1);
    CHostWnd host;
    ASSERT_TRUE(host.Create(400, 200));
    CStackedBars stack;
    ASSERT_TRUE(stack.Create(&host));
    host.RecalcLayout();
    stack.ExpectStacked(host, host.m_commands);

    // Laid out again at another size, and with the bars' breadths unchanged.
    host.SetWindowPos(NULL, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
    stack.ExpectStacked(host, host.m_commands);
    host.DestroyWindow();
    KorvoTest::PumpMessages(10);
}

namespace
{
// A dialog in a skin's frame that keeps its bars docked as a host does, laying them out again
// at each size, and records the commands it is sent.
class CStackedDialog : public CSkinDialog
{
public:
    CStackedBars m_stack;
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;

protected:
    BOOL OnInitDialog() override
    {
        CSkinDialog::OnInitDialog();
        EXPECT_TRUE(SkinMe(L"Stacked"));
        EXPECT_TRUE(m_stack.Create(this));
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(std::make_pair(wParam, lParam));
        return TRUE;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CSkinDialog::OnSize(nType, cx, cy);
        if (m_stack.hPane)
            RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStackedDialog, CSkinDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()
}

TEST(StackedDocking, TwoBarsOnTheTopAndTwoOnTheLeftOfASkinnedDialogStackInOrder)
{
    ::SetCursorPos(1, 1);
    // A frame 30 pixels high on top and 4 wide elsewhere, from one plain image.
    CSkinFolder folder;
    folder.WriteBitmap(L"Definitions\\frame.bmp", 30, 30, RGB(90, 90, 160));
    folder.WriteBase(R"(<windowSkins><windowSkin><target window="Stacked"/><image path="frame.bmp"/><parts>
        <part name="TopLeft" rect="0,0,10,30"/><part name="Top" rect="10,0,10,30"/><part name="TopRight" rect="20,0,10,30"/>
        <part name="Left" rect="0,0,4,8"/><part name="Right" rect="0,0,4,8"/><part name="BottomLeft" rect="0,0,10,4"/>
        <part name="Bottom" rect="10,0,10,4"/><part name="BottomRight" rect="20,0,10,4"/></parts></windowSkin></windowSkins>)");
    LoadSkin(L"", L"");
    KorvoTest::CDialogTemplate tmpl(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | DS_SETFONT, 200, 120, L"Stacked");
    CStackedDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    dlg.SetWindowPos(NULL, 60, 60, 420, 260, SWP_NOZORDER);
    KorvoTest::PumpMessages(10);

    // The skin's frame, not the system's, surrounds the client area the bars dock in.
    CRect rcWindow, rcClient;
    dlg.GetWindowRect(&rcWindow);
    dlg.GetClientRect(&rcClient);
    dlg.ClientToScreen(&rcClient);
    ASSERT_EQ(CRect(rcWindow.left + 4, rcWindow.top + 30, rcWindow.right - 4, rcWindow.bottom - 4), rcClient);
    dlg.m_stack.ExpectStacked(dlg, dlg.m_commands);

    // The bars' strips are client area to the frame's hit test.
    for (int n = 0; n < 4; n++)
    {
        CRect rcBar;
        dlg.m_stack.bars[n].GetWindowRect(&rcBar);
        const CPoint pt = rcBar.CenterPoint();
        EXPECT_EQ(HTCLIENT, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))) << "bar " << n;
    }

    dlg.SetWindowPos(NULL, 0, 0, 360, 300, SWP_NOMOVE | SWP_NOZORDER);
    dlg.m_stack.ExpectStacked(dlg, dlg.m_commands);
    dlg.DestroyWindow();
    KorvoTest::PumpMessages(10);
}
