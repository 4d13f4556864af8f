// Controls in a skinned dialog that the system tells of a new DPI: the dialog passes the news on,
// and each control measures and paints itself again at the new scale, without objects piling up
// over many changes.
#include "ControlsTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
const COLORREF TOUCH_FRAME = RGB(189, 189, 189);

COLORREF RedPixel(int, int, void*)
{
    return RED;
}

// The rows of the window holding text ink.
int InkRows(HWND hWnd)
{
    CCapture capture(hWnd);
    int nRows = 0;
    for (int y = 0; y < capture.m_cy; y++)
        nRows += capture.FirstColumn(CRect(0, y, capture.m_cx, y + 1), [](COLORREF cr) { return IsDark(cr, 200); }) >= 0;
    return nRows;
}

// The run of frame pixels from the left edge inwards along the middle row.
int FrameWidth(HWND hWnd)
{
    CCapture capture(hWnd);
    return capture.CountRow(capture.m_cy / 2, 0, 8, TOUCH_FRAME);
}

// A shown skinned dialog (with the system's frame) holding a tree, a touch edit, a touch combo
// box and a group head photo, each at a fixed place of its client area.
struct CDpiDialog : CSkinDialog
{
    enum { ID_TREE = 1000, ID_EDIT, ID_COMBO, ID_PHOTO };

    CDpiDialog() : m_template(WS_POPUP | WS_CAPTION | DS_SETFONT, 10, 10, L"DPI")
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        EXPECT_TRUE(CreateIndirect(m_template.Get()));
        SetWindowPos(NULL, 40, 40, 560, 340, SWP_NOZORDER);
        Add(L"SysTreeView32", ID_TREE, TVS_HASBUTTONS | TVS_LINESATROOT, CRect(10, 10, 200, 300));
        Add(L"Edit", ID_EDIT, 0, CRect(220, 10, 400, 50), L"Text");
        Add(L"ComboBox", ID_COMBO, CBS_DROPDOWNLIST, CRect(220, 70, 400, 250));
        Add(L"Static", ID_PHOTO, SS_LEFT, CRect(410, 10, 550, 150));
        EXPECT_TRUE(tree.SubclassDlgItem(ID_TREE, this));
        EXPECT_TRUE(edit.SubclassDlgItem(ID_EDIT, this));
        EXPECT_TRUE(combo.SubclassDlgItem(ID_COMBO, this));
        EXPECT_TRUE(photo.SubclassDlgItem(ID_PHOTO, this));
        HTREEITEM hRoot = tree.InsertItem(L"Group");
        tree.InsertItem(L"Leaf", hRoot);
        tree.Expand(hRoot, TVE_EXPAND);
        edit.SetAlwaysBorder(true);
        combo.SetAlwaysBorder(true);
        combo.AddString(L"First");
        combo.SetCurSel(0);
        std::vector<BYTE> file = KorvoTest::MakeBitmapFile(55, 55, RedPixel, NULL);
        EXPECT_TRUE(photo.Load(folder.WriteFile(L"portrait.bmp", file.data(), file.size())));
        ShowWindow(SW_SHOW);
        MovePointerAway();
        KorvoTest::PumpMessages(10);
    }
    ~CDpiDialog() { DestroyWindow(); }

    void Add(LPCWSTR pszClass, UINT nID, DWORD dwStyle, const CRect& rc, LPCWSTR pszText = L"")
    {
        HWND hWnd = ::CreateWindowExW(0, pszClass, pszText, dwStyle | WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(),
                                      rc.Height(), m_hWnd, (HMENU)(UINT_PTR)nID, ::GetModuleHandleW(NULL), NULL);
        ::SendMessageW(hWnd, WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
    }

    // As the system tells a window moved to a screen of another DPI; the window keeps its place.
    void TellDpi(UINT nDpi)
    {
        CRect rc;
        GetWindowRect(&rc);
        SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rc);
        KorvoTest::PumpMessages(10);
    }

    // As the screen shows them: the touch frames a scaled pixel wide, the portrait's square at its
    // scaled place and size.
    void ExpectPaintedAt(UINT nDpi)
    {
        const CDpiScale s(nDpi);
        EXPECT_EQ(s.Scale(1), FrameWidth(edit.m_hWnd));
        EXPECT_EQ(s.Scale(1), FrameWidth(combo.m_hWnd));
        CCapture capture(photo.m_hWnd);
        const CRect rcSquare = s.ScaleBox(CRect(8, 7, 8 + 55, 7 + 55));
        EXPECT_EQ(rcSquare.Width(), capture.CountRow(rcSquare.top + 2, 0, capture.m_cx, RED));
        EXPECT_EQ(rcSquare.Height(), capture.CountColumn(rcSquare.left + 2, 0, capture.m_cy, RED));
        EXPECT_EQ(RED, capture.At(rcSquare.left, rcSquare.top));
    }

    KorvoTest::CDialogTemplate m_template;
    KorvoTest::CTempFolder folder;
    CSkinTree tree;
    CTouchEdit edit;
    CTouchComboBox combo;
    CGroupHeadPhoto photo;
};

}

TEST(DialogDpiChange, ControlsMeasureAndPaintAgainAtTheNewDpiAndBack)
{
    CDpiDialog dlg;
    const int nItemHeight96 = dlg.tree.GetItemHeight();
    const int nIndent96 = (int)dlg.tree.GetIndent();
    const int nInk96 = InkRows(dlg.edit.m_hWnd);
    ASSERT_GT(nItemHeight96, 0);
    ASSERT_GT(nInk96, 0);
    for (UINT nDpi : { 192u, 144u, 96u, 192u, 96u })
    {
        SCOPED_TRACE(nDpi);
        dlg.TellDpi(nDpi);
        const CDpiScale s(nDpi);
        // The window may round item heights down to even ones; at 96 the first ones come back.
        EXPECT_NEAR(s.Scale(nItemHeight96), dlg.tree.GetItemHeight(), 1);
        EXPECT_NEAR(s.Scale(nIndent96), (int)dlg.tree.GetIndent(), 1);
        if (nDpi == 96)
        {
            EXPECT_EQ(nItemHeight96, dlg.tree.GetItemHeight());
            EXPECT_EQ(nIndent96, (int)dlg.tree.GetIndent());
        }
        dlg.ExpectPaintedAt(nDpi);
        // The text in the edit's font made for the scale: whatever the font's glyphs, its lines
        // grow with it.
        if (nDpi == 96)
            EXPECT_EQ(nInk96, InkRows(dlg.edit.m_hWnd));
        else
            EXPECT_GE(InkRows(dlg.edit.m_hWnd), nInk96 * (int)(nDpi - 24) / 96);
    }

    // A window that passes the news on without repainting its children (as an embedded page
    // does): the controls repaint themselves.
    ASSERT_TRUE(CWindowDpi::Remember(dlg.m_hWnd, 192));
    CWindowDpi::TellChildren(dlg.m_hWnd);
    KorvoTest::PumpMessages(10);
    dlg.ExpectPaintedAt(192);
}

TEST(DialogDpiChange, ManyChangesLeaveNoObjectsBehind)
{
    CDpiDialog dlg;
    HANDLE hProcess = ::GetCurrentProcess();
    // One round first: fonts and surfaces kept for the scales are made once.
    for (UINT nDpi : { 192u, 144u, 96u })
        dlg.TellDpi(nDpi);
    const DWORD dwBefore = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    for (int n = 0; n < 15; n++)
        for (UINT nDpi : { 192u, 144u, 96u })
            dlg.TellDpi(nDpi);
    EXPECT_EQ(dwBefore, ::GetGuiResources(hProcess, GR_GDIOBJECTS));
    // A second notice of the same DPI re-derives nothing.
    dlg.tree.SetItemHeight((SHORT)(dlg.tree.GetItemHeight() + 10));
    const int nItemHeight = dlg.tree.GetItemHeight();
    dlg.tree.SendMessage(WM_DPICHANGED_AFTERPARENT);
    EXPECT_EQ(nItemHeight, dlg.tree.GetItemHeight());
}
