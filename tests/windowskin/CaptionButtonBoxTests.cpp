// Caption buttons of a skinned dialog at a fractional scale: wherever a button is anchored, the
// box the pointer hits and the box assistive technology is told have the button's scaled size,
// and are the same box.
#include "SkinTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>
#include <oleacc.h>
#include <map>

using namespace SkinTest;

namespace
{
// Active Accessibility talks COM: the test thread joins an apartment while the object lives.
struct CComApartment
{
    CComApartment() { ::CoInitialize(NULL); }
    ~CComApartment() { ::CoUninitialize(); }
};

struct CaptionButtonBox : CSkinnedDialogTest
{
    CComApartment apartment;
};

// Every button 21 x 17 at 96 DPI, anchored at odd and even places from either edge, so that at
// 1.25x, 1.5x and 1.75x their origins round by different fractions.
const LPCWSTR ODD_ANCHORS = L"<anchors><anchor name=\"System\" rect=\"13,7,21,17\"/>"
                            L"<anchor name=\"Minimise\" rect=\"-91,6,21,17\"/>"
                            L"<anchor name=\"Maximise\" rect=\"-67,7,21,17\"/>"
                            L"<anchor name=\"Close\" rect=\"-30,6,21,17\"/></anchors>";
const CSize BUTTON(21, 17);

// The boxes, in window coordinates, of the points of the caption band that each caption-button
// code answers.
std::map<UINT, CRect> HitBoxes(CTestSkinDialog& dlg, int cyBand)
{
    std::map<UINT, CRect> boxes;
    const int cx = dlg.WindowRect().Width();
    for (int y = 0; y < cyBand; y++)
        for (int x = 0; x < cx; x++)
        {
            const UINT nHit = (UINT)dlg.SendNc(WM_NCHITTEST, 0, x, y);
            if (nHit != HTSYSMENU && nHit != HTREDUCE && nHit != HTZOOM && nHit != HTCLOSE)
                continue;
            auto it = boxes.find(nHit);
            if (it == boxes.end())
                boxes[nHit] = CRect(x, y, x + 1, y + 1);
            else
                it->second.UnionRect(&it->second, CRect(x, y, x + 1, y + 1));
        }
    return boxes;
}

// Where the title bar's object says one of its buttons is, in window coordinates.
CRect AccessibleBox(CTestSkinDialog& dlg, long idChild)
{
    IAccessible* pTitleBar = NULL;
    if (FAILED(::AccessibleObjectFromWindow(dlg.m_hWnd, (DWORD)OBJID_TITLEBAR, __uuidof(IAccessible), (void**)&pTitleBar)))
        return CRect();
    VARIANT varChild;
    varChild.vt = VT_I4;
    varChild.lVal = idChild;
    long x = 0, y = 0, cx = 0, cy = 0;
    const HRESULT hr = pTitleBar->accLocation(&x, &y, &cx, &cy, varChild);
    pTitleBar->Release();
    if (FAILED(hr))
        return CRect();
    CRect rc(x, y, x + cx, y + cy);
    rc.OffsetRect(-dlg.WindowRect().TopLeft());
    return rc;
}
}

TEST_F(CaptionButtonBox, EveryButtonIsHitAndLocatedAtItsScaledSizeWhereverItIsAnchored)
{
    defs.Load(defs.Skin(FrameSkin(L"Main").Xml(ODD_ANCHORS)));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    for (UINT nDpi : { 144u, 120u, 168u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        const CRect rcSuggested(101, 77, 101 + s.Scale(400), 77 + s.Scale(200));
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
        ASSERT_EQ(nDpi, CWindowDpi::Of(dlg.m_hWnd));
        ASSERT_EQ(rcSuggested, dlg.WindowRect());

        const std::map<UINT, CRect> boxes = HitBoxes(dlg, s.Scale(MAIN_FRAME.top));
        for (UINT nHit : { HTSYSMENU, HTREDUCE, HTZOOM, HTCLOSE })
        {
            SCOPED_TRACE(nHit);
            ASSERT_EQ(1u, boxes.count(nHit));
            EXPECT_EQ(s.Scale(BUTTON), boxes.at(nHit).Size());
        }
        // The title bar's buttons: Minimise, Maximise and Close.
        const struct
        {
            long idChild;
            UINT nHit;
        } items[] = { { 2, HTREDUCE }, { 3, HTZOOM }, { 5, HTCLOSE } };
        for (const auto& item : items)
        {
            SCOPED_TRACE(item.idChild);
            EXPECT_EQ(boxes.at(item.nHit), AccessibleBox(dlg, item.idChild));
        }
    }
}

TEST_F(CaptionButtonBox, TheWindowsStyleDecidesWhichOfTheSkinsButtonsShowAndAct)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(100, 100, 500, 300)));
    const int cx = dlg.WindowRect().Width();
    // The middle of the Minimise and Maximise buttons, and the caption's tiled top edge two tiles
    // (16 wide) left of Minimise, which shows the same column of the tile.
    const CPoint ptMinimise(cx - 80, 15), ptMaximise(cx - 50, 15), ptCaption(cx - 112, 15);
    auto Restyle = [&](DWORD dwRemove, DWORD dwAdd) {
        dlg.ModifyStyle(dwRemove, dwAdd);
        RedrawFrame(dlg.m_hWnd);
        KorvoTest::PumpMessages(20);
        return KorvoTest::CWindowPixels(dlg.m_hWnd);
    };
    KorvoTest::CWindowPixels pixels = Restyle(0, 0);
    const COLORREF crMinimise = pixels.At(ptMinimise.x, ptMinimise.y), crMaximise = pixels.At(ptMaximise.x, ptMaximise.y);
    ASSERT_NE(pixels.At(ptCaption.x, ptCaption.y), crMinimise);

    // A dialog or message box without either box: no Minimise or Maximise, as the system shows it.
    pixels = Restyle(WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(pixels.At(ptCaption.x, ptCaption.y), pixels.At(ptMinimise.x, ptMinimise.y));
    EXPECT_NE(crMaximise, pixels.At(ptMaximise.x, ptMaximise.y)) << "the top-right corner shows where it was";
    std::map<UINT, CRect> boxes = HitBoxes(dlg, MAIN_FRAME.top);
    EXPECT_EQ(0u, boxes.count(HTREDUCE) + boxes.count(HTZOOM)) << "caption, so it drags and never maximises";
    EXPECT_EQ(1u, boxes.count(HTCLOSE));
    EXPECT_TRUE(AccessibleBox(dlg, 3).IsRectEmpty()) << "told as invisible";

    // One box: both drawn as the system draws them, the missing one inert.
    pixels = Restyle(0, WS_MINIMIZEBOX);
    EXPECT_EQ(crMinimise, pixels.At(ptMinimise.x, ptMinimise.y));
    EXPECT_EQ(crMaximise, pixels.At(ptMaximise.x, ptMaximise.y));
    boxes = HitBoxes(dlg, MAIN_FRAME.top);
    EXPECT_EQ(1u, boxes.count(HTREDUCE));
    EXPECT_EQ(0u, boxes.count(HTZOOM));

    // No system menu: no caption buttons at all.
    Restyle(WS_SYSMENU, WS_MAXIMIZEBOX);
    boxes = HitBoxes(dlg, MAIN_FRAME.top);
    EXPECT_TRUE(boxes.empty());
}
