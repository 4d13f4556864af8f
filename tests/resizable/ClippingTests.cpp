#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;

namespace
{
// The layout on a plain window: the background comes from the window class.
class CLayoutWnd : public CWnd, public CResizableLayout
{
public:
    using CResizableLayout::EraseBackground;
    CWnd* GetResizableWnd() override { return this; }
};
}

TEST(BackgroundClipping, ClassRulesDecideWhichChildrenAreCutOutOfTheErasedBackground)
{
    const DWORD TOOLBAR = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_VISIBLE;
    const UINT ID_GROUP = 501, ID_PUSH = 502, ID_TRANSPARENT = 507, ID_SHAPED = 511;
    struct { Control control; BOOL bErased; const char* pszWhy; } rows[] = {
        { { L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, L"g" }, TRUE, "group boxes are drawn over the background" },
        { { L"Button", ID_PUSH, WS_VISIBLE, L"push" }, FALSE, "push buttons paint all of themselves" },
        { { TOOLBARCLASSNAMEW, 503, TOOLBAR | TBSTYLE_TRANSPARENT, L"" }, TRUE, "transparent toolbars" },
        { { TOOLBARCLASSNAMEW, 504, TOOLBAR, L"" }, FALSE, "plain toolbars paint their background" },
        { { L"Static", 505, SS_ICON | WS_VISIBLE, L"" }, FALSE, "icon statics paint their background" },
        { { L"Static", 506, SS_ICON | SS_CENTERIMAGE | WS_VISIBLE, L"" }, TRUE, "centred icons: the parent" },
        { { L"Button", ID_TRANSPARENT, BS_OWNERDRAW | WS_VISIBLE, L"" }, TRUE, "owner-drawn, transparent to hits" },
        { { L"Button", 508, BS_OWNERDRAW | WS_VISIBLE, L"" }, FALSE, "an owner-drawn button that takes hits" },
        { { L"Static", 509, SS_BLACKFRAME | WS_VISIBLE, L"" }, TRUE, "frames are drawn over the background" },
        { { L"Static", 510, SS_ETCHEDFRAME | WS_VISIBLE, L"" }, TRUE, "etched frames too" },
        { { L"Button", ID_SHAPED, WS_VISIBLE, L"shaped" }, FALSE, "cut out where its own region is" },
        { { L"Button", 512, 0, L"hidden" }, TRUE, "hidden children are ignored" },
    };
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    std::vector<Control> controls;
    for (const auto& row : rows)
        controls.push_back(row.control);
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith(controls, CSize(400, 200), CSize(28, 28)));
    ::SetWindowRgn(::GetDlgItem(dlg.m_hWnd, ID_SHAPED), ::CreateEllipticRgn(0, 0, 28, 28), FALSE);
    CChildSpy transparent;
    transparent.m_nHitTest = (UINT)HTTRANSPARENT;
    ASSERT_TRUE(transparent.SubclassDlgItem(ID_TRANSPARENT, &dlg));
    for (const Control& c : controls)
        dlg.AddAnchor(c.nID, CResizableLayout::TOP_LEFT);
    dlg.ShowWindow(SW_SHOWNA);

    for (const auto& row : rows)
        EXPECT_EQ(row.bErased, dlg.ErasesCentreOf(row.control.nID)) << row.pszWhy;
    CRgn rgn;
    dlg.GetClippingRegion(&rgn);
    CRect rectShaped = dlg.ChildRect(ID_SHAPED);
    EXPECT_TRUE(rgn.PtInRegion(rectShaped.left + 1, rectShaped.top + 1)) << "outside the shaped child's region";

    // Selected into a device context, the region is in device coordinates.
    CClientDC dc(&dlg);
    dc.SetWindowOrg(5, 3);
    dlg.ClipChildren(&dc);
    CRgn rgnClip;
    rgnClip.CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(1, ::GetClipRgn(dc.m_hDC, (HRGN)rgnClip.m_hObject));
    rgn.OffsetRgn(-5, -3);
    EXPECT_TRUE(rgnClip.EqualRgn(&rgn));

    // Erasing paints that region, and only it, with the dialog's WM_CTLCOLORDLG brush.
    CBrush brRed(RGB(255, 0, 0));
    dlg.m_hbrDialog = (HBRUSH)brRed.m_hObject;
    CClientDC dcErase(&dlg);
    CRect rectClient;
    dlg.GetClientRect(&rectClient);
    dcErase.FillSolidRect(&rectClient, RGB(0, 0, 255));
    dlg.EraseBackground(&dcErase);
    CPoint ptPush = dlg.ChildRect(ID_PUSH).CenterPoint(), ptGroup = dlg.ChildRect(ID_GROUP).CenterPoint();
    EXPECT_EQ(RGB(255, 0, 0), dcErase.GetPixel(2, 2));
    EXPECT_EQ(RGB(0, 0, 255), dcErase.GetPixel(ptPush.x, ptPush.y));
    EXPECT_EQ(RGB(255, 0, 0), dcErase.GetPixel(ptGroup.x, ptGroup.y));
    dlg.DestroyWindow();
}

TEST(BackgroundClipping, PlainWindowsEraseWithTheirClassBrushGivenAsAColourIndex)
{
    CLayoutWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_HIGHLIGHT + 1)), L"plain",
                             WS_POPUP, 0, 0, 60, 40, NULL, NULL));
    wnd.ShowWindow(SW_SHOWNA);
    CClientDC dc(&wnd);
    dc.FillSolidRect(0, 0, 60, 40, RGB(0, 0, 255));
    wnd.EraseBackground(&dc);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), dc.GetPixel(30, 20));
    wnd.DestroyWindow();
}

TEST(BackgroundClipping, RightToLeftRegionsAreMovedOnePixelLeftAndTheGripSizesFromTheLeft)
{
    const UINT ID_CHILD = 601;
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateWith({ { L"Button", ID_CHILD, WS_VISIBLE, L"child" } }, CSize(200, 100), CSize(40, 30),
                               WS_EX_LAYOUTRTL));
    dlg.AddAnchor(ID_CHILD, CResizableLayout::TOP_LEFT);
    dlg.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(CRect(10, 10, 50, 40), dlg.ChildRect(ID_CHILD)) << "mirrored coordinates count from the right";

    CRgn rgn, rgnExpected, rgnChild;
    dlg.GetClippingRegion(&rgn);
    rgnExpected.CreateRectRgn(0, 0, 200, 100);
    rgnChild.CreateRectRgn(10, 10, 50, 40);
    rgnExpected.CombineRgn(&rgnExpected, &rgnChild, RGN_DIFF);
    rgnExpected.OffsetRgn(-1, 0);
    EXPECT_TRUE(rgn.EqualRgn(&rgnExpected));
    EXPECT_EQ(HTBOTTOMLEFT, dlg.m_wndGrip.SendMessage(WM_NCHITTEST, 0, 0));
    dlg.DestroyWindow();
}
