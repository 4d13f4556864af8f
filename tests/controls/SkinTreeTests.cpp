#include "ControlsTestSupport.h"
#include <controls/CSkinTreeLook.h>
#include <theme/CMenuSkinner.h>
#include <cstdlib>
#include "api/Globals.h"

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
const COLORREF BACK_NORMAL = RGB(210, 220, 230);
const COLORREF BACK_SEL = RGB(100, 150, 250);
const COLORREF BACK_CHECK_SEL = RGB(40, 200, 90);
const COLORREF HI_TEXT = RGB(250, 0, 120);

// Opens the tree's bitmap and counts the extension point's calls.
class CTreeProbe : public CSkinTree
{
public:
    void SetBitmap(HBITMAP hBitmap)
    {
        CBitmap& bitmap = CSkinTreeLook::Of(*this).m_bitmap;
        bitmap.DeleteObject();
        bitmap.Attach(hBitmap);
    }
    int m_nDrawn = 0;
    void DrawTreeItem(CDC*, HTREEITEM, CRect) override { m_nDrawn++; }
};

// A tree at (10, 10) in the theme colours above.
struct CTreeHost : CFreshTheme, CControlHost<CTreeProbe>
{
    explicit CTreeHost(DWORD dwStyle = TVS_HASBUTTONS | TVS_LINESATROOT, int cx = 200, int cy = 120)
        : CControlHost<CTreeProbe>(WC_TREEVIEWW, dwStyle, CRect(10, 10, 10 + cx, 10 + cy))
    {
        g_Theme.SetColour(SkinColour::BackNormal, BACK_NORMAL);
        g_Theme.SetColour(SkinColour::BackSel, BACK_SEL);
        g_Theme.SetColour(SkinColour::BackCheckSel, BACK_CHECK_SEL);
        g_Theme.SetColour(SkinColour::HiText, HI_TEXT);
        g_Theme.SetColour(SkinColour::Highlight, RGB(5, 5, 5));
    }
    CRect Label(HTREEITEM hItem)
    {
        CRect rc;
        EXPECT_TRUE(control.GetItemRect(hItem, &rc, TRUE));
        return rc;
    }
};

BOOL Near(COLORREF a, COLORREF b, int nTolerance = 3)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A bitmap of cx by cy in one colour with the given pixels in another.
HBITMAP MarkedBitmap(int cx, int cy, COLORREF crFill, COLORREF crMark, std::initializer_list<POINT> marks)
{
    HBITMAP hBitmap = MakeBitmap(cx, cy, crFill, crFill);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (POINT pt : marks)
        ::SetPixel(hDC, pt.x, pt.y, crMark);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}
}

TEST(SkinTree, EmptyTreePaintsOnlyTheBackgroundOfEachMode)
{
    CTreeHost host(0, 100, 50);
    EXPECT_EQ(CSkinTree::BkModeSolid, host.control.GetBkMode());
    // The off-screen context's background colour is white.
    EXPECT_FALSE(host.Paint().AnyOtherThan(CRect(0, 0, 100, 50), WHITE));

    struct Row
    {
        bool bHorz;
        CPoint ptStart, ptEnd;
    } rows[] = { { true, CPoint(0, 25), CPoint(99, 25) }, { false, CPoint(50, 0), CPoint(50, 49) } };
    host.control.SetBkMode(CSkinTree::BkModeGradient);
    for (const Row& row : rows)
    {
        host.control.SetGradientHorz(row.bHorz);
        CCapture capture = host.Paint();
        EXPECT_TRUE(Near(BACK_NORMAL, capture.At(row.ptStart.x, row.ptStart.y))) << row.bHorz;
        EXPECT_TRUE(Near(BACK_SEL, capture.At(row.ptEnd.x, row.ptEnd.y), 6)) << row.bHorz;
        // Across the gradient the colour does not change.
        CPoint ptAcross = row.bHorz ? CPoint(row.ptStart.x, 3) : CPoint(3, row.ptStart.y);
        EXPECT_EQ(capture.At(row.ptStart.x, row.ptStart.y), capture.At(ptAcross.x, ptAcross.y)) << row.bHorz;
    }
}

TEST(SkinTree, BitmapIsStretchedOrTiledAndAMissingOneFallsBackToTheGradient)
{
    CTreeHost host(0, 100, 50);
    host.control.SetBkMode(CSkinTree::BkModeBitmap);

    // An ID the library does not hold: no bitmap, the gradient instead.
    host.control.SetBitmapID(0xFFF0);
    EXPECT_FALSE(host.control.HasBitmap());
    EXPECT_TRUE(Near(BACK_NORMAL, host.Paint().At(0, 25)));

    // A 30 x 30 tile over 100 x 50: four columns and two rows of it, each corner marked.
    host.control.SetBitmap(MarkedBitmap(30, 30, GREEN, RED, { { 0, 0 } }));
    host.control.SetBitmapTiledMode(true);
    CCapture tiled = host.Paint();
    EXPECT_EQ(8, tiled.CountRows(0, 50, RED));
    for (CPoint pt : { CPoint(0, 0), CPoint(90, 0), CPoint(30, 30), CPoint(90, 30) })
        EXPECT_EQ(RED, tiled.At(pt.x, pt.y)) << pt.x << "," << pt.y;

    // Stretched: one image, its left half red, over the whole client area.
    host.control.SetBitmap(MarkedBitmap(2, 2, GREEN, RED, { { 0, 0 }, { 0, 1 } }));
    host.control.SetBitmapTiledMode(false);
    CCapture stretched = host.Paint();
    EXPECT_EQ(RED, stretched.At(5, 45));
    EXPECT_EQ(GREEN, stretched.At(95, 5));
}

TEST(SkinTree, BandsAndTextColoursFollowGroupAndSelection)
{
    CTreeHost host;
    CTreeProbe& tree = host.control;
    HTREEITEM hGroup = tree.InsertItem(L"Group");
    HTREEITEM hLeaf = tree.InsertItem(L"Leaf", hGroup);
    HTREEITEM hSub = tree.InsertItem(L"Sub", hGroup);
    tree.InsertItem(L"Deep", hSub);
    tree.Expand(hGroup, TVE_EXPAND);

    // The group band's far end mirrors the normal colour across the selected one, on the whole
    // colour value.
    DWORD dwEnd = 2 * (DWORD)BACK_SEL - (DWORD)BACK_NORMAL;
    COLORREF crGroupEnd = RGB(GetRValue(dwEnd), GetGValue(dwEnd), GetBValue(dwEnd));

    CCapture plain = host.Paint();
    CRect rcGroup = host.Label(hGroup), rcLeaf = host.Label(hLeaf), rcSub = host.Label(hSub);
    struct Row
    {
        const char* pszName;
        CRect rc;
        int x;
        COLORREF cr;
        int nTolerance;
    } rows[] = {
        // A root row is banded from the left edge, whatever its indent.
        { "root start", rcGroup, 0, BACK_SEL, 3 },
        { "root end", rcGroup, 199, crGroupEnd, 6 },
        // An item with children is a group too.
        { "subgroup start", rcSub, 0, BACK_SEL, 3 },
        // A leaf that is not selected has no band.
        { "leaf", rcLeaf, 2, WHITE, 0 },
        { "leaf end", rcLeaf, 199, WHITE, 0 },
    };
    for (const Row& row : rows)
        EXPECT_TRUE(Near(row.cr, plain.At(row.x, row.rc.top + 1), row.nTolerance)) << row.pszName;
    // Unselected text keeps the context's colour: black.
    EXPECT_GT(plain.CountRows(rcLeaf.top, rcLeaf.bottom, BLACK), 5);

    // Selected and shown: the leaf's band starts at its label, its text is the highlight text.
    tree.SetFocus();
    tree.SelectItem(hLeaf);
    CCapture selected = host.Paint();
    EXPECT_EQ(WHITE, selected.At(rcLeaf.left - 2, rcLeaf.top + 1));
    EXPECT_TRUE(Near(BACK_SEL, selected.At(rcLeaf.left, rcLeaf.top + 1)));
    EXPECT_TRUE(Near(BACK_CHECK_SEL, selected.At(199, rcLeaf.top + 1), 6));
    EXPECT_GT(selected.CountRows(rcLeaf.top, rcLeaf.bottom, HI_TEXT), 5);
    EXPECT_EQ(0, selected.CountRows(rcLeaf.top, rcLeaf.bottom, BLUE));

    // A selected group row has blue text.
    tree.SelectItem(hGroup);
    CCapture group = host.Paint();
    EXPECT_GT(group.CountRows(rcGroup.top, rcGroup.bottom, BLUE), 5);
    EXPECT_TRUE(Near(BACK_CHECK_SEL, group.At(199, rcGroup.top + 1), 6));

    // Without the focus and without TVS_SHOWSELALWAYS the selection is not shown.
    tree.SelectItem(hLeaf);
    ::SetFocus(NULL);
    CCapture unfocused = host.Paint();
    EXPECT_EQ(WHITE, unfocused.At(199, rcLeaf.top + 1));
    EXPECT_EQ(0, unfocused.CountRows(rcLeaf.top, rcLeaf.bottom, HI_TEXT));
    tree.ModifyStyle(0, TVS_SHOWSELALWAYS);
    EXPECT_GT(host.Paint().CountRows(rcLeaf.top, rcLeaf.bottom, HI_TEXT), 5);
}

TEST(SkinTree, IconsComeFromTheExtraListLeftOfTheLabel)
{
    const COLORREF ICON = RGB(10, 180, 170);
    CTreeHost host;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1));
    for (COLORREF cr : { GREY, ICON })
    {
        HICON hIcon = MakeSolidIcon(cr);
        images.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    HTREEITEM hItem = host.control.InsertItem(L"Item", 1, 0);
    host.control.InsertItem(L"Second", 1, 0);
    host.Paint();
    EXPECT_EQ(0, host.control.m_nDrawn);

    host.control.SetImageListEx(&images);
    CCapture capture = host.Paint();
    CRect rc = host.Label(hItem);
    ASSERT_GE(rc.left, 16);
    EXPECT_EQ(ICON, capture.At(rc.left - 16, rc.top));
    EXPECT_EQ(ICON, capture.At(rc.left - 1, rc.top + 15));
    EXPECT_NE(ICON, capture.At(rc.left, rc.top + 8));
    // The extension point runs once per drawn item.
    EXPECT_EQ(2, host.control.m_nDrawn);
    host.control.SetImageListEx(NULL);
}

TEST(SkinTree, OddTextsScrollingAndEmptyingPaintWithoutFault)
{
    CTreeHost host;
    CTreeProbe& tree = host.control;
    HTREEITEM hEmpty = tree.InsertItem(L"");
    tree.InsertItem(CString(L'W', 500));
    for (int n = 0; n < 40; n++)
        tree.InsertItem(L"Row");
    tree.SetBkMode(CSkinTree::BkModeGradient);
    // The empty root row still shows its band.
    EXPECT_TRUE(Near(BACK_SEL, host.Paint().At(0, host.Label(hEmpty).top + 1)));
    // Scrolled down, the rows shown are banded from the left edge.
    tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    CCapture scrolled = host.Paint();
    HTREEITEM hFirst = tree.GetFirstVisibleItem();
    ASSERT_NE(hEmpty, hFirst);
    CRect rcFirst = host.Label(hFirst);
    EXPECT_TRUE(Near(BACK_SEL, scrolled.At(0, rcFirst.top + 1)));
    // Scrolled sideways, bands and background start left of the client area.
    tree.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_FALSE(Near(BACK_SEL, host.Paint().At(0, rcFirst.top + 1)));
    tree.DeleteAllItems();
    EXPECT_TRUE(Near(BACK_NORMAL, host.Paint().At(0, 115)));
}

TEST(SkinTree, PopupMenusOpenedByTheTreeAreOwnerDrawn)
{
    CTreeHost host;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1234, L"Open");
    host.control.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    MEASUREITEMSTRUCT measure = { ODT_MENU, 0, 1234 };
    measure.itemData = CMenuSkinner::ItemKey(menu.m_hMenu, 1234);
    host.control.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&measure);
    EXPECT_GT(measure.itemWidth, 0u);
    EXPECT_GT(measure.itemHeight, 0u);
}

TEST(SkinTree, TheSkinsLinesAndSelectionColoursAreDrawnOnlyWhereTheSkinGivesThem)
{
    const COLORREF LINES = RGB(200, 10, 10), SEL_TEXT = RGB(10, 200, 10), SEL_BACK = RGB(10, 10, 200),
                   IDLE_TEXT = RGB(200, 200, 10), IDLE_BACK = RGB(10, 200, 200);
    CTreeHost host(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    CTreeProbe& tree = host.control;
    HTREEITEM hGroup = tree.InsertItem(L"Group");
    tree.InsertItem(L"First", hGroup);
    HTREEITEM hLeaf = tree.InsertItem(L"Second", hGroup);
    tree.Expand(hGroup, TVE_EXPAND);
    tree.SetFocus();
    tree.SelectItem(hLeaf);
    CRect rcGroup = host.Label(hGroup), rcLeaf = host.Label(hLeaf);
    const int yLeaf = (rcLeaf.top + rcLeaf.bottom) / 2, xLine = rcLeaf.left - (int)tree.GetIndent() / 2;

    // Unset: no lines, the selection's gradient band.
    CCapture plain = host.Paint();
    EXPECT_EQ(0, plain.Count(LINES));
    EXPECT_TRUE(Near(BACK_CHECK_SEL, plain.At(199, rcLeaf.top + 1), 6));

    g_Theme.SetColour(SkinColour::TreeLines, LINES);
    g_Theme.SetColour(SkinColour::TreeSelText, SEL_TEXT);
    g_Theme.SetColour(SkinColour::TreeSelBack, SEL_BACK);
    g_Theme.SetColour(SkinColour::TreeSelInactiveText, IDLE_TEXT);
    g_Theme.SetColour(SkinColour::TreeSelInactiveBack, IDLE_BACK);
    CCapture focused = host.Paint();
    // A stub from the line to the label, and the line from the parent's row down to it.
    EXPECT_EQ(rcLeaf.left - xLine, focused.CountRow(yLeaf, xLine, rcLeaf.left, LINES));
    EXPECT_EQ(yLeaf - rcGroup.bottom, focused.CountColumn(xLine, rcGroup.bottom, yLeaf, LINES));
    // The selection on one solid band in the skin's colours, with and without the focus.
    EXPECT_EQ(SEL_BACK, focused.At(199, rcLeaf.top + 1));
    EXPECT_EQ(SEL_BACK, focused.At(rcLeaf.left, rcLeaf.top + 1));
    EXPECT_GT(focused.CountRows(rcLeaf.top, rcLeaf.bottom, SEL_TEXT), 5);
    ::SetFocus(NULL);
    CCapture idle = host.Paint();
    EXPECT_EQ(IDLE_BACK, idle.At(199, rcLeaf.top + 1));
    EXPECT_GT(idle.CountRows(rcLeaf.top, rcLeaf.bottom, IDLE_TEXT), 5);
    EXPECT_EQ(0, idle.CountRows(rcLeaf.top, rcLeaf.bottom, SEL_TEXT));

    // A tree without TVS_HASLINES shows none.
    tree.ModifyStyle(TVS_HASLINES, 0);
    EXPECT_EQ(0, host.Paint().Count(LINES));
}

namespace
{
// A host that refuses to expand any item, as hosts that fill children on demand do.
class CRefusingHost : public CHostDialog
{
public:
    int m_nAsked = 0;

protected:
    afx_msg void OnExpanding(NMHDR*, LRESULT* pResult)
    {
        m_nAsked++;
        *pResult = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingHost, CHostDialog)
    ON_NOTIFY(TVN_ITEMEXPANDINGW, 1000, OnExpanding)
END_MESSAGE_MAP()
}

TEST(SkinTree, TheHostStillDecidesWhetherAnItemExpands)
{
    CFreshTheme theme;
    CRefusingHost dlg;
    dlg.AddControl(WC_TREEVIEWW, 1000, TVS_HASBUTTONS | TVS_LINESATROOT, 10, 10, 200, 120);
    CSkinTree tree;
    ASSERT_TRUE(tree.SubclassDlgItem(1000, &dlg));
    HTREEITEM hParent = tree.InsertItem(L"Parent");
    tree.InsertItem(L"Child", hParent);
    tree.SelectItem(hParent);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(1, dlg.m_nAsked) << "the reflected notification reached the host";
    EXPECT_FALSE(tree.GetItemState(hParent, TVIS_EXPANDED) & TVIS_EXPANDED) << "and its answer stood";
}
