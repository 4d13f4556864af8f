#include "ControlsTestSupport.h"
#include <theme/CMenuSkinner.h>
#include <controls/CSkinTreePainter.h>
#include <cstdlib>

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
const UINT IDC_TREE = 800;
const COLORREF BACK_NORMAL = RGB(210, 220, 230);
const COLORREF BACK_SEL = RGB(100, 150, 250);
const COLORREF BACK_CHECK_SEL = RGB(40, 200, 90);
const COLORREF HI_TEXT = RGB(250, 0, 120);
const COLORREF HIGHLIGHT = RGB(5, 5, 5);

// Opens the tree's bitmap and counts the extension point's calls.
class CTreeProbe : public CSkinTree
{
public:
    void SetBitmap(HBITMAP hBitmap)
    {
        m_bitmap.DeleteObject();
        m_bitmap.Attach(hBitmap);
    }
    int m_nDrawn = 0;
    void DrawTreeItem(CDC*, HTREEITEM, CRect) override { m_nDrawn++; }
};

struct CTreeColours
{
    CTreeColours()
        : crNormal(g_Theme.m_crBackNormal), crSel(g_Theme.m_crBackSel), crCheckSel(g_Theme.m_crBackCheckSel),
          crHiText(g_Theme.m_crHiText), crHighlight(g_Theme.m_crHighlight)
    {
        g_Theme.m_crBackNormal = BACK_NORMAL;
        g_Theme.m_crBackSel = BACK_SEL;
        g_Theme.m_crBackCheckSel = BACK_CHECK_SEL;
        g_Theme.m_crHiText = HI_TEXT;
        g_Theme.m_crHighlight = HIGHLIGHT;
    }
    ~CTreeColours()
    {
        g_Theme.m_crBackNormal = crNormal;
        g_Theme.m_crBackSel = crSel;
        g_Theme.m_crBackCheckSel = crCheckSel;
        g_Theme.m_crHiText = crHiText;
        g_Theme.m_crHighlight = crHighlight;
    }
    COLORREF crNormal, crSel, crCheckSel, crHiText, crHighlight;
};

struct CTreeHost
{
    explicit CTreeHost(DWORD dwStyle = TVS_HASBUTTONS | TVS_LINESATROOT, int cx = 200, int cy = 120)
    {
        dlg.AddControl(WC_TREEVIEWW, IDC_TREE, dwStyle, 10, 10, cx, cy);
        EXPECT_TRUE(tree.SubclassDlgItem(IDC_TREE, &dlg));
        MovePointerAway();
    }
    CCapture Paint()
    {
        Repaint(tree.m_hWnd);
        return CCapture(tree.m_hWnd);
    }
    CRect Label(HTREEITEM hItem)
    {
        CRect rc;
        EXPECT_TRUE(tree.GetItemRect(hItem, &rc, TRUE));
        return rc;
    }
    CTreeColours colours;
    CHostDialog dlg;
    CTreeProbe tree;
};

BOOL Near(COLORREF a, COLORREF b, int nTolerance = 3)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// Pixels of the row band (between its label's top and bottom) with the colour.
int CountInRows(const CCapture& capture, const CRect& rc, COLORREF cr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        n += capture.CountRow(y, 0, capture.m_cx, cr);
    return n;
}

// A bitmap of cx by cy in one colour with a marker pixel at its top-left corner.
HBITMAP MarkedBitmap(int cx, int cy, COLORREF crFill, COLORREF crMark)
{
    HBITMAP hBitmap = MakeBitmap(cx, cy, crFill, crFill);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::SetPixel(hDC, 0, 0, crMark);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}
}

TEST(SkinTree, EmptyTreePaintsOnlyTheBackgroundOfEachMode)
{
    CTreeHost host(0, 100, 50);
    EXPECT_EQ(CSkinTree::BkModeSolid, host.tree.GetBkMode());
    CCapture solid = host.Paint();
    // The off-screen context's background colour is white.
    EXPECT_FALSE(solid.AnyOtherThan(CRect(0, 0, 100, 50), WHITE));

    struct Row
    {
        bool bHorz;
        CPoint ptStart, ptEnd;
    } rows[] = { { true, CPoint(0, 25), CPoint(99, 25) }, { false, CPoint(50, 0), CPoint(50, 49) } };
    host.tree.SetBkMode(CSkinTree::BkModeGradient);
    for (const Row& row : rows)
    {
        host.tree.SetGradientHorz(row.bHorz);
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
    host.tree.SetBkMode(CSkinTree::BkModeBitmap);

    // An ID the library does not hold: no bitmap, the gradient instead.
    host.tree.SetBitmapID(0xFFF0);
    EXPECT_FALSE(host.tree.HasBitmap());
    CCapture fallback = host.Paint();
    EXPECT_TRUE(Near(BACK_NORMAL, fallback.At(0, 25)));

    // A 30 x 30 tile over 100 x 50: four columns and two rows of it, each corner marked.
    host.tree.SetBitmap(MarkedBitmap(30, 30, GREEN, RED));
    host.tree.SetBitmapTiledMode(true);
    CCapture tiled = host.Paint();
    int nMarks = 0;
    for (int y = 0; y < 50; y++)
        nMarks += tiled.CountRow(y, 0, 100, RED);
    EXPECT_EQ(8, nMarks);
    for (CPoint pt : { CPoint(0, 0), CPoint(90, 0), CPoint(30, 30), CPoint(90, 30) })
        EXPECT_EQ(RED, tiled.At(pt.x, pt.y)) << pt.x << "," << pt.y;

    // Stretched: one image over the whole client area.
    HBITMAP hHalves = MakeBitmap(2, 2, GREEN, GREEN);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hHalves);
    ::SetPixel(hDC, 0, 0, RED);
    ::SetPixel(hDC, 0, 1, RED);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    host.tree.SetBitmap(hHalves);
    host.tree.SetBitmapTiledMode(false);
    CCapture stretched = host.Paint();
    EXPECT_EQ(RED, stretched.At(5, 45));
    EXPECT_EQ(GREEN, stretched.At(95, 5));
}

TEST(SkinTree, BandsAndTextColoursFollowGroupAndSelection)
{
    CTreeHost host;
    CTreeProbe& tree = host.tree;
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
    EXPECT_GT(CountInRows(plain, rcLeaf, BLACK), 5);

    // Selected and shown: the leaf's band starts at its label, its text is the highlight text.
    tree.SetFocus();
    tree.SelectItem(hLeaf);
    CCapture selected = host.Paint();
    EXPECT_EQ(WHITE, selected.At(rcLeaf.left - 2, rcLeaf.top + 1));
    EXPECT_TRUE(Near(BACK_SEL, selected.At(rcLeaf.left, rcLeaf.top + 1)));
    EXPECT_TRUE(Near(BACK_CHECK_SEL, selected.At(199, rcLeaf.top + 1), 6));
    EXPECT_GT(CountInRows(selected, rcLeaf, HI_TEXT), 5);
    EXPECT_EQ(0, CountInRows(selected, rcLeaf, BLUE));

    // A selected group row has blue text.
    tree.SelectItem(hGroup);
    CCapture group = host.Paint();
    EXPECT_GT(CountInRows(group, rcGroup, BLUE), 5);
    EXPECT_TRUE(Near(BACK_CHECK_SEL, group.At(199, rcGroup.top + 1), 6));

    // Without the focus and without TVS_SHOWSELALWAYS the selection is not shown.
    tree.SelectItem(hLeaf);
    ::SetFocus(NULL);
    CCapture unfocused = host.Paint();
    EXPECT_EQ(WHITE, unfocused.At(199, rcLeaf.top + 1));
    EXPECT_EQ(0, CountInRows(unfocused, rcLeaf, HI_TEXT));
    tree.ModifyStyle(0, TVS_SHOWSELALWAYS);
    CCapture always = host.Paint();
    EXPECT_GT(CountInRows(always, rcLeaf, HI_TEXT), 5);
}

TEST(SkinTree, IconsComeFromTheExtraListLeftOfTheLabel)
{
    const COLORREF ICON = RGB(10, 180, 170);
    CTreeHost host;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1));
    HICON hOther = MakeSolidIcon(RGB(90, 90, 90));
    HICON hIcon = MakeSolidIcon(ICON);
    images.Add(hOther);
    images.Add(hIcon);
    ::DestroyIcon(hOther);
    ::DestroyIcon(hIcon);
    HTREEITEM hItem = host.tree.InsertItem(L"Item", 1, 0);
    host.tree.InsertItem(L"Second", 1, 0);
    host.Paint();
    EXPECT_EQ(0, host.tree.m_nDrawn);

    host.tree.SetImageListEx(&images);
    CCapture capture = host.Paint();
    CRect rc = host.Label(hItem);
    ASSERT_GE(rc.left, 16);
    EXPECT_EQ(ICON, capture.At(rc.left - 16, rc.top));
    EXPECT_EQ(ICON, capture.At(rc.left - 1, rc.top + 15));
    EXPECT_NE(ICON, capture.At(rc.left, rc.top + 8));
    // The extension point runs once per drawn item.
    EXPECT_EQ(2, host.tree.m_nDrawn);
    host.tree.SetImageListEx(NULL);
}

TEST(SkinTree, OddTextsAndManyItemsPaintWithoutFault)
{
    CTreeHost host;
    CString strLong;
    for (int n = 0; n < 500; n++)
        strLong += L"W";
    HTREEITEM hEmpty = host.tree.InsertItem(L"");
    host.tree.InsertItem(strLong);
    for (int n = 0; n < 40; n++)
        host.tree.InsertItem(L"Row");
    host.tree.SetBkMode(CSkinTree::BkModeGradient);
    CCapture capture = host.Paint();
    // The empty root row still shows its band.
    CRect rc = host.Label(hEmpty);
    EXPECT_TRUE(Near(BACK_SEL, capture.At(0, rc.top + 1)));
    // Scrolled down, the rows shown are banded from the left edge.
    host.tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    CCapture scrolled = host.Paint();
    HTREEITEM hFirst = host.tree.GetFirstVisibleItem();
    ASSERT_NE(hEmpty, hFirst);
    CRect rcFirst;
    ASSERT_TRUE(host.tree.GetItemRect(hFirst, &rcFirst, TRUE));
    EXPECT_TRUE(Near(BACK_SEL, scrolled.At(0, rcFirst.top + 1)));
    // Scrolled sideways, bands and background start left of the client area.
    host.tree.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    CCapture sideways = host.Paint();
    EXPECT_FALSE(Near(BACK_SEL, sideways.At(0, rcFirst.top + 1)));
    host.tree.DeleteAllItems();
    CCapture empty = host.Paint();
    EXPECT_TRUE(Near(BACK_NORMAL, empty.At(0, 5)));
    EXPECT_TRUE(Near(BACK_NORMAL, empty.At(0, 115)));
}

TEST(SkinTree, ItemIsVisibleWalksTheShownRows)
{
    CTreeHost host;
    HTREEITEM hGroup = host.tree.InsertItem(L"Group");
    HTREEITEM hChild = host.tree.InsertItem(L"Child", hGroup);
    EXPECT_TRUE(CSkinTreePainter::ItemIsVisible(host.tree, hGroup));
    EXPECT_FALSE(CSkinTreePainter::ItemIsVisible(host.tree, hChild));
    EXPECT_FALSE(CSkinTreePainter::ItemIsVisible(host.tree, NULL));
    host.tree.Expand(hGroup, TVE_EXPAND);
    EXPECT_TRUE(CSkinTreePainter::ItemIsVisible(host.tree, hChild));
}

TEST(SkinTree, PopupMenusOpenedByTheTreeAreOwnerDrawn)
{
    CTreeHost host;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1234, L"Open");
    host.tree.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    MEASUREITEMSTRUCT measure = { ODT_MENU, 0, 1234 };
    measure.itemData = CMenuSkinner::ItemKey(menu.m_hMenu, 1234);
    host.tree.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&measure);
    EXPECT_GT(measure.itemWidth, 0u);
    EXPECT_GT(measure.itemHeight, 0u);
}
