#include "ResizableTestSupport.h"
#include <gtest/gtest.h>

using namespace ResizableTest;
using KorvoTest::CDialogTemplate;

namespace
{
enum
{
    ID_GROUP = 501,
    ID_PUSH,
    ID_TOOLBAR_TRANSPARENT,
    ID_TOOLBAR,
    ID_ICON,
    ID_ICON_CENTRED,
    ID_OWNERDRAW_TRANSPARENT,
    ID_OWNERDRAW,
    ID_FRAME,
    ID_ETCHED_FRAME,
    ID_SHAPED,
    ID_HIDDEN,
    ID_LAST
};

const DWORD TOOLBAR_STYLE = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_VISIBLE;

struct CClippingDialog
{
    CChildSpy transparentSpy;
    CDialogTemplate dlgTemplate{ TOP_LEVEL_STYLE, 200, 100, L"clipping" };
    CTestDialog dlg;

    BOOL Create()
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
        ::InitCommonControlsEx(&icc);
        dlgTemplate.AddControl(L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, 0, 0, 10, 10, L"group")
            .AddControl(L"Button", ID_PUSH, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"push")
            .AddControl(TOOLBARCLASSNAMEW, ID_TOOLBAR_TRANSPARENT, TOOLBAR_STYLE | TBSTYLE_TRANSPARENT, 0, 0, 10, 10)
            .AddControl(TOOLBARCLASSNAMEW, ID_TOOLBAR, TOOLBAR_STYLE, 0, 0, 10, 10)
            .AddControl(L"Static", ID_ICON, SS_ICON | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Static", ID_ICON_CENTRED, SS_ICON | SS_CENTERIMAGE | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Button", ID_OWNERDRAW_TRANSPARENT, BS_OWNERDRAW | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Button", ID_OWNERDRAW, BS_OWNERDRAW | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Static", ID_FRAME, SS_BLACKFRAME | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Static", ID_ETCHED_FRAME, SS_ETCHEDFRAME | WS_VISIBLE, 0, 0, 10, 10)
            .AddControl(L"Button", ID_SHAPED, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"shaped")
            .AddControl(L"Button", ID_HIDDEN, BS_PUSHBUTTON, 0, 0, 10, 10, L"hidden");
        if (!dlg.CreateFrom(dlgTemplate))
            return FALSE;
        dlg.SetClientSize(400, 200);
        for (UINT nID = ID_GROUP; nID < ID_LAST; nID++)
            dlg.PlaceChild(nID, 10 + 32 * (nID - ID_GROUP), 10, 30, 30);
        HWND hShaped = ::GetDlgItem(dlg.m_hWnd, ID_SHAPED);
        ::SetWindowRgn(hShaped, ::CreateEllipticRgn(0, 0, 30, 30), FALSE);
        transparentSpy.m_nHitTest = (UINT)HTTRANSPARENT;
        if (!transparentSpy.SubclassDlgItem(ID_OWNERDRAW_TRANSPARENT, &dlg))
            return FALSE;
        for (UINT nID = ID_GROUP; nID < ID_LAST; nID++)
            dlg.AddAnchor(nID, TOP_LEFT);
        dlg.ShowWindow(SW_SHOWNA);
        return TRUE;
    }
    ~CClippingDialog() { dlg.DestroyWindow(); }
};
}

TEST(BackgroundClipping, ClassRulesDecideWhichChildrenAreCutOut)
{
    CClippingDialog d;
    ASSERT_TRUE(d.Create());
    CTestDialog& dlg = d.dlg;
    CRgn rgn;
    dlg.GetClippingRegion(&rgn);
    ASSERT_TRUE(rgn.m_hObject != NULL);

    struct
    {
        UINT nID;
        BOOL bErased;
        const char* pszWhy;
    } cases[] = {
        { ID_GROUP, TRUE, "group boxes are drawn over the background" },
        { ID_PUSH, FALSE, "push buttons paint all of themselves" },
        { ID_TOOLBAR_TRANSPARENT, TRUE, "transparent toolbars show the background" },
        { ID_TOOLBAR, FALSE, "plain toolbars paint their background" },
        { ID_ICON, FALSE, "icon statics paint their background" },
        { ID_ICON_CENTRED, TRUE, "centred icons leave the rest to the parent" },
        { ID_OWNERDRAW_TRANSPARENT, TRUE, "an owner-drawn button transparent to hits" },
        { ID_OWNERDRAW, FALSE, "an owner-drawn button that takes hits" },
        { ID_FRAME, TRUE, "frames are drawn over the background" },
        { ID_ETCHED_FRAME, TRUE, "etched frames are drawn over the background" },
        { ID_HIDDEN, TRUE, "hidden children are ignored" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bErased, RegionHoldsCentre(rgn, dlg.ChildRect(c.nID))) << c.pszWhy;

    // A child with its own region is cut out only where that region is.
    CRect rectShaped = dlg.ChildRect(ID_SHAPED);
    EXPECT_FALSE(RegionHoldsCentre(rgn, rectShaped));
    EXPECT_TRUE(rgn.PtInRegion(rectShaped.left + 1, rectShaped.top + 1));

    CRect rectClient;
    dlg.GetClientRect(&rectClient);
    EXPECT_TRUE(rgn.PtInRegion(rectClient.right - 5, rectClient.bottom - 5));
}

TEST(BackgroundClipping, ClipChildrenSelectsTheRegionInDeviceCoordinates)
{
    CClippingDialog d;
    ASSERT_TRUE(d.Create());
    CRgn rgnExpected;
    d.dlg.GetClippingRegion(&rgnExpected);
    rgnExpected.OffsetRgn(-5, -3);

    CClientDC dc(&d.dlg);
    dc.SetWindowOrg(5, 3);
    d.dlg.ClipChildren(&dc);
    CRgn rgnClip;
    rgnClip.CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(1, ::GetClipRgn(dc.m_hDC, (HRGN)rgnClip.m_hObject));
    EXPECT_TRUE(rgnClip.EqualRgn(&rgnExpected));
}

TEST(BackgroundClipping, EraseFillsOnlyTheUncoveredBackgroundWithTheDialogBrush)
{
    CClippingDialog d;
    ASSERT_TRUE(d.Create());
    CTestDialog& dlg = d.dlg;
    CBrush brRed(RGB(255, 0, 0));
    dlg.m_hbrDialog = (HBRUSH)brRed.m_hObject;

    CRect rectClient;
    dlg.GetClientRect(&rectClient);
    CClientDC dcScreen(&dlg);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, rectClient.Width(), rectClient.Height()));
    HGDIOBJ hOld = dc.SelectObject(bmp.m_hObject);
    dc.FillSolidRect(&rectClient, RGB(0, 0, 255));

    dlg.EraseBackground(&dc);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(2, 2));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(rectClient.right - 2, rectClient.bottom - 2));
    CPoint ptPush = dlg.ChildRect(ID_PUSH).CenterPoint();
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(ptPush.x, ptPush.y)) << "covered by a child that paints itself";
    CPoint ptGroup = dlg.ChildRect(ID_GROUP).CenterPoint();
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(ptGroup.x, ptGroup.y));
    dc.SelectObject(hOld);
}

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

TEST(BackgroundClipping, PlainWindowsEraseWithTheirClassBrush)
{
    // Class brushes given as a system colour index plus one, and as real brushes.
    CBrush brGreen(RGB(0, 255, 0));
    struct
    {
        HBRUSH hbrClass;
        COLORREF crExpected;
    } cases[] = {
        { (HBRUSH)(COLOR_HIGHLIGHT + 1), ::GetSysColor(COLOR_HIGHLIGHT) },
        { (HBRUSH)brGreen.m_hObject, RGB(0, 255, 0) },
    };
    for (const auto& c : cases)
    {
        CLayoutWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, NULL, c.hbrClass), L"plain", WS_POPUP, 0, 0, 60, 40, NULL,
                                 NULL));
        CClientDC dcScreen(&wnd);
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
        CBitmap bmp;
        ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, 60, 40));
        HGDIOBJ hOld = dc.SelectObject(bmp.m_hObject);
        dc.FillSolidRect(0, 0, 60, 40, RGB(1, 2, 3));
        wnd.EraseBackground(&dc);
        EXPECT_EQ(c.crExpected, dc.GetPixel(30, 20));
        dc.SelectObject(hOld);
        wnd.DestroyWindow();
    }
}

TEST(BackgroundClipping, RightToLeftRegionsAreMovedOnePixelLeft)
{
    const UINT ID_CHILD = 601;
    CDialogTemplate dlgTemplate(TOP_LEVEL_STYLE, 100, 60, L"mirrored", WS_EX_LAYOUTRTL);
    dlgTemplate.AddControl(L"Button", ID_CHILD, BS_PUSHBUTTON | WS_VISIBLE, 0, 0, 10, 10, L"child");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateFrom(dlgTemplate));
    dlg.SetClientSize(200, 100);
    dlg.PlaceChild(ID_CHILD, 10, 10, 40, 30);
    dlg.AddAnchor(ID_CHILD, TOP_LEFT);
    dlg.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(CRect(10, 10, 50, 40), dlg.ChildRect(ID_CHILD)) << "mirrored coordinates count from the right";

    CRgn rgn;
    dlg.GetClippingRegion(&rgn);
    CRgn rgnExpected, rgnChild;
    rgnExpected.CreateRectRgn(0, 0, 200, 100);
    rgnChild.CreateRectRgn(10, 10, 50, 40);
    rgnExpected.CombineRgn(&rgnExpected, &rgnChild, RGN_DIFF);
    rgnExpected.OffsetRgn(-1, 0);
    EXPECT_TRUE(rgn.EqualRgn(&rgnExpected));
    EXPECT_TRUE(rgn.PtInRegion(8, 20));
    EXPECT_FALSE(rgn.PtInRegion(9, 20));
    EXPECT_TRUE(rgn.PtInRegion(49, 20));
    dlg.DestroyWindow();
}
