// Controls on a page embedded in a skinned dialog (a CSkinChildDialog inside a CSkinDialog), so
// grandchildren of the window the system tells of a new DPI: they take the DPI that window was
// told, not the system's, and measure and paint themselves at it.
#include "ControlsTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>

using namespace ControlsTest;

namespace
{
const COLORREF TOUCH_FRAME = RGB(189, 189, 189);

// A shown skinned dialog whose client area holds a page, and on the page a tree and a touch
// edit with its frame always drawn.
struct CPagedDialog : CSkinDialog
{
    enum { ID_TREE = 1000, ID_EDIT };

    CPagedDialog()
        : m_template(WS_POPUP | WS_CAPTION | DS_SETFONT, 10, 10, L"Paged"),
          m_pageTemplate(WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, 10, 10, L"")
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        EXPECT_TRUE(CreateIndirect(m_template.Get()));
        SetWindowPos(NULL, 40, 40, 480, 320, SWP_NOZORDER);
        EXPECT_TRUE(page.CreateIndirect(m_pageTemplate.Get(), this));
        page.SetWindowPos(NULL, 10, 10, 440, 260, SWP_NOZORDER);
        Add(L"SysTreeView32", ID_TREE, TVS_HASBUTTONS | TVS_LINESATROOT, CRect(10, 10, 200, 240));
        Add(L"Edit", ID_EDIT, 0, CRect(220, 10, 400, 50), L"Text");
        EXPECT_TRUE(tree.SubclassDlgItem(ID_TREE, &page));
        EXPECT_TRUE(edit.SubclassDlgItem(ID_EDIT, &page));
        HTREEITEM hRoot = tree.InsertItem(L"Group");
        tree.InsertItem(L"Leaf", hRoot);
        tree.Expand(hRoot, TVE_EXPAND);
        edit.SetAlwaysBorder(true);
        ShowWindow(SW_SHOW);
        MovePointerAway();
        KorvoTest::PumpMessages(10);
    }
    ~CPagedDialog()
    {
        CWindowDpi::Forget(m_hWnd);
        DestroyWindow();
    }

    void Add(LPCWSTR pszClass, UINT nID, DWORD dwStyle, const CRect& rc, LPCWSTR pszText = L"")
    {
        HWND hWnd = ::CreateWindowExW(0, pszClass, pszText, dwStyle | WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(),
                                      rc.Height(), page.m_hWnd, (HMENU)(UINT_PTR)nID, ::GetModuleHandleW(NULL), NULL);
        ::SendMessageW(hWnd, WM_SETFONT, page.SendMessage(WM_GETFONT), FALSE);
    }

    // As the system tells a window moved to a screen of another DPI; the window keeps its place
    // and has painted nothing yet.
    void TellDpi(UINT nDpi)
    {
        CRect rc;
        GetWindowRect(&rc);
        SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rc);
    }

    KorvoTest::CDialogTemplate m_template;
    KorvoTest::CDialogTemplate m_pageTemplate;
    CSkinChildDialog page;
    CSkinTree tree;
    CTouchEdit edit;
};

// The run of frame pixels from the edit's left edge inwards along its middle row.
int FrameWidth(HWND hWnd)
{
    CCapture capture(hWnd);
    return capture.CountRow(capture.m_cy / 2, 0, 8, TOUCH_FRAME);
}
}

TEST(EmbeddedPageDpi, ControlsOnAPageTakeTheDpiTheirTopLevelWindowWasTold)
{
    CPagedDialog dlg;
    ASSERT_EQ(dlg.page.m_hWnd, ::GetParent(dlg.edit.m_hWnd));
    ASSERT_EQ(dlg.m_hWnd, ::GetParent(dlg.page.m_hWnd));
    const UINT nSystem = CWindowDpi::Of(dlg.edit.m_hWnd);
    const int nItemHeight = dlg.tree.GetItemHeight();
    ASSERT_GT(nItemHeight, 0);
    ASSERT_EQ(CDpiScale(nSystem).Scale(1), FrameWidth(dlg.edit.m_hWnd));

    // DPIs other than the system's, then the system's again.
    for (UINT nDpi : { 192u, 144u, nSystem })
    {
        SCOPED_TRACE(nDpi);
        dlg.TellDpi(nDpi);
        EXPECT_EQ(nDpi, CWindowDpi::Of(dlg.page.m_hWnd));
        EXPECT_EQ(nDpi, CWindowDpi::Of(dlg.edit.m_hWnd));
        EXPECT_EQ(nDpi, CWindowDpi::Of(dlg.tree.m_hWnd));
        // The page passes the news on at once, before anything paints: the tree has measured
        // its items again, from the DPI it started at (the window may round item heights down
        // to even ones).
        EXPECT_NEAR(CDpiScale::MulDivRound(nItemHeight, nDpi, nSystem), dlg.tree.GetItemHeight(), 1);
        // Painted, the edit's frame is a scaled pixel wide.
        KorvoTest::PumpMessages(10);
        EXPECT_EQ(CDpiScale(nDpi).Scale(1), FrameWidth(dlg.edit.m_hWnd));
    }
}
