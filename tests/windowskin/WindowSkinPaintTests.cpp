// The skin's pixels on a skinned dialog's own frame: tiling, stretching, caption buttons, caption
// text, the watermark, and what activation and title changes repaint.
#include "SkinTestSupport.h"
#include <skin/CSkinRegistry.h>
#include <theme/CInterfaceTheme.h>
#include <algorithm>
#include <functional>
#include <utility>
#include <windowskin/CSkinDialogFrame.h>
#include "api/Globals.h"

using namespace SkinTest;

namespace
{
const CRect WINDOW(40, 40, 440, 240);

using WindowSkinPaint = CSkinnedDialogTest;

PartPixel At(int nPart, int x, int y)
{
    return { nPart, x, y };
}

// Window points and the part pixel each must show.
void ExpectParts(const CWindowCapture& capture, std::initializer_list<std::pair<CPoint, PartPixel>> expected,
                 const char* pszWhen = "")
{
    for (const auto& point : expected)
        EXPECT_EQ(point.second, capture.Part(point.first.x, point.first.y))
            << pszWhen << " at " << point.first.x << "," << point.first.y;
}

// The pixels of the caption strip that differ between two captures.
CRect InkBounds(const CWindowCapture& without, const CWindowCapture& with)
{
    CRect rc(0, 0, 0, 0);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < with.m_cx; x++)
            if (without.At(x, y) != with.At(x, y))
                rc |= CRect(x, y, x + 1, y + 1);
    return rc;
}

// Whether the caption strip shows the colour anywhere.
bool Contains(const CWindowCapture& capture, COLORREF cr)
{
    return std::find(capture.m_pixels.begin(), capture.m_pixels.begin() + 30 * capture.m_cx, cr)
        != capture.m_pixels.begin() + 30 * capture.m_cx;
}
}

TEST_F(WindowSkinPaint, FrameTilesFromTheInnerEndsOfTheCornersAndButtonsAndIconSitAtTheirAnchors)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    EXPECT_EQ(CSize(400 - 9, 200 - 36), dlg.ClientSize()) << "the skin's frame replaces the system's";

    CWindowCapture capture(dlg.m_hWnd);
    // The 400-pixel top edge: corner 10 wide, pieces of 16 from 10 to 340 with the last one 10
    // wide, corner 60 wide. Rows 0 and 29 pass above and below the buttons.
    for (int y : { 0, 29 })
        for (int x = 0; x < 400; x++)
            ASSERT_EQ(x < 10 ? At(S::PART_TOPLEFT, x, y) : x < 340 ? At(S::PART_TOP, (x - 10) % 16, y)
                                                                   : At(S::PART_TOPRIGHT, x - 340, y),
                      capture.Part(x, y)) << "x " << x << " y " << y;
    // Side edges between the top and bottom corners, the bottom edge between its corners.
    for (int y = 30; y < 194; y++)
    {
        ASSERT_EQ(At(S::PART_LEFT, 3, (y - 30) % 8), capture.Part(3, y)) << "y " << y;
        ASSERT_EQ(At(S::PART_RIGHT, 0, (y - 30) % 8), capture.Part(395, y)) << "y " << y;
    }
    for (int x = 0; x < 400; x++)
        ASSERT_EQ(x < 10 ? At(S::PART_BOTTOMLEFT, x, 5) : x < 388 ? At(S::PART_BOTTOM, (x - 10) % 16, 5)
                                                                  : At(S::PART_BOTTOMRIGHT, x - 388, 5),
                  capture.Part(x, 199)) << "x " << x;
    // Close is anchored 30 from the right edge: 370 to 389, the corner around it. System lies
    // over the corner and the top edge.
    ExpectParts(capture, { { { 369, 6 }, At(S::PART_TOPRIGHT, 29, 6) }, { { 370, 6 }, At(S::PART_CLOSE, 0, 0) },
                           { { 389, 23 }, At(S::PART_CLOSE, 19, 17) }, { { 390, 6 }, At(S::PART_TOPRIGHT, 50, 6) },
                           { { 340, 6 }, At(S::PART_MAXIMISE, 0, 0) }, { { 12, 6 }, At(S::PART_SYSTEM, 0, 0) },
                           { { 31, 23 }, At(S::PART_SYSTEM, 19, 17) }, { { 32, 6 }, At(S::PART_TOP, (32 - 10) % 16, 6) } });

    // The window's icon goes at the "Icon" anchor, 16 x 16; without a small icon the big one.
    dlg.SendMessage(WM_SETICON, ICON_BIG, (LPARAM)g_Theme.GetIcon(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16));
    RedrawFrame(dlg.m_hWnd);
    const CRect rcIcon = InkBounds(capture, CWindowCapture(dlg.m_hWnd));
    EXPECT_TRUE(!rcIcon.IsRectEmpty() && (rcIcon | CRect(36, 7, 52, 23)) == CRect(36, 7, 52, 23))
        << ::testing::PrintToString(rcIcon);
}

TEST_F(WindowSkinPaint, StretchModeOnEveryEdgeBetweenEndPieces)
{
    CSkinBuilder skin;
    skin.Part(L"TopLeft", 10, 30).Part(L"TopRight", 60, 30).Part(L"BottomLeft", 10, 6).Part(L"BottomRight", 12, 6)
        .Part(L"Top", 2, 30, L"stretch").Part(L"Left", 4, 2, L"Stretch").Part(L"Right", 5, 2, L"STRETCH")
        .Part(L"Bottom", 2, 6, L"stretch")
        .Part(L"LeftTop", 4, 5).Part(L"LeftBottom", 4, 3).Part(L"RightTop", 5, 7).Part(L"RightBottom", 5, 2);
    defs.Load(defs.Skin(skin));
    ASSERT_TRUE(dlg.CreateSkinned(CRect(60, 60, 360, 260)));
    // Top: 10 to 240, two source columns spread over the span. Left column: corner to 30, end
    // piece to 35, stretched edge to 191, end piece to 194. Right column: its own end pieces, x
    // from 295. Bottom: stretched between its corners, 10 to 288.
    ExpectParts(CWindowCapture(dlg.m_hWnd),
                { { { 10, 12 }, At(S::PART_TOP, 0, 12) }, { { 124, 12 }, At(S::PART_TOP, 0, 12) },
                  { { 126, 12 }, At(S::PART_TOP, 1, 12) }, { { 239, 12 }, At(S::PART_TOP, 1, 12) },
                  { { 240, 12 }, At(S::PART_TOPRIGHT, 0, 12) }, { { 2, 30 }, At(S::PART_LEFTTOP, 2, 0) },
                  { { 2, 34 }, At(S::PART_LEFTTOP, 2, 4) }, { { 2, 35 }, At(S::PART_LEFT, 2, 0) },
                  { { 2, 190 }, At(S::PART_LEFT, 2, 1) }, { { 2, 191 }, At(S::PART_LEFTBOTTOM, 2, 0) },
                  { { 2, 194 }, At(S::PART_BOTTOMLEFT, 2, 0) }, { { 295, 30 }, At(S::PART_RIGHTTOP, 0, 0) },
                  { { 299, 37 }, At(S::PART_RIGHT, 4, 0) }, { { 299, 191 }, At(S::PART_RIGHT, 4, 1) },
                  { { 299, 193 }, At(S::PART_RIGHTBOTTOM, 4, 1) }, { { 10, 194 }, At(S::PART_BOTTOM, 0, 0) },
                  { { 287, 199 }, At(S::PART_BOTTOM, 1, 5) }, { { 288, 199 }, At(S::PART_BOTTOMRIGHT, 0, 5) } });
}

TEST_F(WindowSkinPaint, ActivationAndTitleChangesRepaintOnlyTheCaptionStripInTheRightVariants)
{
    // Inactive variants of the corners only, the right one narrower: inactive, the top edge is
    // the active one and runs up to the narrower corner.
    defs.Load(defs.Skin(FrameSkin(L"Main").Part(L"TopLeftIA", 10, 30).Part(L"TopRightIA", 40, 30)));
    CTestSkinDialog other;
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW, L"Main", L"Title"));
    ASSERT_TRUE(other.CreateAt(600, 400, L"Other", 40, 20));
    dlg.SetForegroundWindow();
    KorvoTest::PumpMessages(30);

    // Covers the whole window, lets something happen, then checks the strip and the edges.
    auto Check = [&](bool bActive, const char* pszWhat, std::function<void()> fnHappen) {
        CWindowDC(&dlg).FillSolidRect(0, 0, 400, 200, RGB(7, 7, 7));
        fnHappen();
        KorvoTest::PumpMessages(50);
        CWindowCapture capture(dlg.m_hWnd);
        ExpectParts(capture, { { { 5, 2 }, At(bActive ? S::PART_TOPLEFT : S::PART_TOPLEFT_IA, 5, 2) },
                               { { 350, 2 }, bActive ? At(S::PART_TOPRIGHT, 10, 2) : At(S::PART_TOP, (350 - 10) % 16, 2) },
                               { { 365, 2 }, bActive ? At(S::PART_TOPRIGHT, 25, 2) : At(S::PART_TOPRIGHT_IA, 5, 2) } },
                    pszWhat);
        for (CPoint pt : { CPoint(0, 30), CPoint(399, 100), CPoint(200, 199) })
            EXPECT_EQ(RGB(7, 7, 7), capture.At(pt.x, pt.y)) << pszWhat << ": the edges are left alone";
        return capture;
    };
    Check(false, "deactivation", [&] { other.SetForegroundWindow(); });
    ASSERT_NE(dlg.m_hWnd, ::GetForegroundWindow());
    CWindowCapture before = Check(true, "activation", [&] { dlg.SetForegroundWindow(); });
    CWindowCapture after = Check(true, "title change", [&] { dlg.SetWindowText(L"A new title"); });
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(InkBounds(before, after).IsRectEmpty()) << "the new title is on the caption at once";
    // What the title change painted is what a full repaint of the frame paints.
    RedrawFrame(dlg.m_hWnd);
    EXPECT_TRUE(InkBounds(after, CWindowCapture(dlg.m_hWnd)).IsRectEmpty());

    dlg.ShowWindow(SW_HIDE);
    dlg.SetWindowText(L"hidden");
    EXPECT_FALSE(dlg.GetStyle() & WS_VISIBLE) << "a hidden dialog stays hidden";
}

TEST_F(WindowSkinPaint, CaptionTextIsAlignedInItsBoxAndClippedAtTheCornerOrTheEdge)
{
    auto Caption = [&](LPCWSTR pszTarget, LPCWSTR pszAttributes, bool bCorner = true) {
        CSkinBuilder skin(pszTarget);
        skin.Part(L"TopLeft", 10, 30).Part(L"Top", 16, 30);
        if (bCorner)
            skin.Part(L"TopRight", 60, 30);
        return defs.Skin(skin.Xml(CString(L"<caption rect=\"20,4,200,22\" fontFace=\"Tahoma\" colour=\"0000FE\"")
                                  + L" inactiveColour=\"FE0000\" " + pszAttributes + L"/>"));
    };
    defs.Load(Caption(L"Left", L"fontSize=\"14\"") + Caption(L"Right", L"fontSize=\"14\" align=\"right\"")
              + Caption(L"Center", L"fontSize=\"14\" align=\"center\"") + Caption(L"Open", L"fontSize=\"14\" align=\"right\"", false)
              + Caption(L"Fancy", L"fontSize=\"16\" fontWeight=\"bold\" outlineColour=\"00FE00\" shadowColour=\"FEFE00\" caps=\"yes\""));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW, L"Left"));

    // The box runs from 20 to the TopRight corner at 340, rows 4 to 26; text starts at its left + 1.
    const LPCWSTR pszWide = L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    enum { LEFT, RIGHT, MIDDLE };
    struct { LPCWSTR pszSkin, pszTitle; int nEdge, nLow, nHigh; } rows[] = {
        { L"Left", L"Left", LEFT, 21, 24 },      { L"Right", L"Right", RIGHT, 332, 339 },
        { L"Center", L"Center", MIDDLE, 176, 184 },
        { L"Left", pszWide, LEFT, 21, 24 },      // wider than its box: still from the left
        { L"Left", pszWide, RIGHT, 330, 340 },   // and cut at the corner
        { L"Open", L"Right", RIGHT, 392, 399 },  // without a TopRight part, up to the window edge
    };
    for (const auto& row : rows)
    {
        ASSERT_TRUE(dlg.SkinMe(row.pszSkin));
        dlg.SetWindowText(L"");
        dlg.SendMessage(WM_NCACTIVATE, TRUE);
        CWindowCapture blank(dlg.m_hWnd);
        dlg.SetWindowText(row.pszTitle);
        dlg.SendMessage(WM_NCACTIVATE, TRUE);
        CRect rcInk = InkBounds(blank, CWindowCapture(dlg.m_hWnd));
        int n = row.nEdge == LEFT ? rcInk.left : row.nEdge == RIGHT ? rcInk.right : rcInk.CenterPoint().x;
        EXPECT_TRUE(n >= row.nLow && n <= row.nHigh && rcInk.top >= 4 && rcInk.bottom <= 26)
            << row.pszSkin << " " << row.nEdge << ": " << ::testing::PrintToString(rcInk);
    }

    dlg.SendMessage(WM_NCACTIVATE, FALSE);
    CWindowCapture inactive(dlg.m_hWnd);
    EXPECT_TRUE(Contains(inactive, RGB(254, 0, 0)) && !Contains(inactive, RGB(0, 0, 254))) << "inactive colour";
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_TRUE(Contains(CWindowCapture(dlg.m_hWnd), RGB(0, 0, 254))) << "active colour";
    // A whole-frame repaint keeps the look the last activation message gave, whichever window
    // is in front (one of the two looks is always the opposite of that).
    for (BOOL bActive : { FALSE, TRUE })
    {
        dlg.SendMessage(WM_NCACTIVATE, bActive);
        dlg.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        CWindowCapture repainted(dlg.m_hWnd);
        EXPECT_TRUE(Contains(repainted, bActive ? RGB(0, 0, 254) : RGB(254, 0, 0))
                    && !Contains(repainted, bActive ? RGB(254, 0, 0) : RGB(0, 0, 254))) << "repainted, active " << bActive;
    }

    // Outline and shadow around the text; with caps the text draws as if written in capitals.
    ASSERT_TRUE(dlg.SkinMe(L"Fancy"));
    dlg.SetWindowText(L"hello");
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture lower(dlg.m_hWnd);
    EXPECT_TRUE(Contains(lower, RGB(0, 254, 0)) && Contains(lower, RGB(254, 254, 0))) << "outline and shadow";
    dlg.SetWindowText(L"HELLO");
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_TRUE(lower.m_pixels == CWindowCapture(dlg.m_hWnd).m_pixels);
}

TEST_F(WindowSkinPaint, WatermarkTilesTheClientAreaEvenWhenItPaintsBeforeTheFrame)
{
    std::vector<BYTE> water = KorvoTest::MakeBitmapFile(7, 5, [](int x, int y, void*) { return RGB(200, x, y); }, NULL);
    defs.WriteFile(L"Definitions\\water.bmp", water.data(), water.size());
    defs.Load(defs.Skin(FrameSkin(L"Main", MAIN_FRAME, false).Xml(L"<image path=\"water.bmp\" type=\"watermark\"/>")));
    ASSERT_TRUE(dlg.CreateAt(WINDOW.left, WINDOW.top, L"", 40, 20));
    // The frame must still find its image in the DC the watermark made.
    {
        CClientDC dc(&dlg);
        EXPECT_TRUE(static_cast<CWindowSkin*>(g_Registry.FindWindowSkin(L"Main"))->PaintWatermark(&dlg, &dc));
    }
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    dlg.SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    CWindowCapture capture(dlg.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPLEFT, 3, 3), capture.Part(3, 3));
    // The client area starts at (4, 30); the rows sampled pass between the static and the grip.
    for (int y = 40; y < 130; y += 3)
        for (int x = 0; x < 391; x += 5)
            ASSERT_EQ(RGB(200, x % 7, y % 5), capture.At(4 + x, 30 + y)) << x << "," << y;
    EXPECT_EQ(At(S::PART_RIGHT, 0, 0), capture.Part(395, 30)) << "the tiles stop at the client edge";
}

TEST_F(WindowSkinPaint, HostileDefinitionsAreReadPaintedAndHitTestedWithoutHarm)
{
    std::vector<BYTE> image = KorvoTest::MakeBitmapFile(32, 32, [](int x, int y, void*) { return RGB(x, y, 9); }, NULL);
    defs.WriteFile(L"Definitions\\hostile.bmp", image.data(), image.size());
    // Deterministic junk in every attribute the reader looks at, the parts tiled and stretched.
    static const LPCWSTR pszValues[] = { L"0,0,-5,-5", L"-100,-100,10,10", L"0,0,100000,3", L"0,0,3,100000", L"0,0,1,1",
                                         L"2147483647,2147483647,2147483647,2147483647", L"-2147483648,-1,-2147483648,-1",
                                         L"", L"-", L"0x", L"08", L",,,", L"1,2,3,4,5,6", L"pt", L"0xFFFFFFFFFF", L"\x00e9\x4e2d" };
    const int nSkins = 2 * _countof(pszValues);
    CString strSkins;
    for (int n = 0; n < nSkins; n++)
    {
        const LPCWSTR v = pszValues[n / 2];
        strSkins.AppendFormat(L"<windowSkin><target window=\"H%d\"/><parts>", n);
        for (LPCWSTR pszPart : CWindowSkin::s_pszPartNames)
            strSkins.AppendFormat(L"<part name=\"%s\" rect=\"%s\" mode=\"%s\"/>", pszPart, v, n % 2 ? L"stretch" : L"tile");
        strSkins.AppendFormat(L"</parts><anchors><anchor name=\"Icon\" rect=\"%s\"/><anchor name=\"Close\" rect=\"%s\"/></anchors>"
                              L"<caption rect=\"%s\" fontFace=\"x\" fontSize=\"%s\" fontWeight=\"%s\" colour=\"%s\" align=\"%s\"/>"
                              L"<resizeBorder rect=\"%s\"/><minimumSize width=\"%s\" height=\"%s\"/>"
                              L"<image path=\"hostile.bmp\" type=\"%s\"/><image path=\"hostile.bmp\"/></windowSkin>",
                              v, v, v, v, v, v, n % 2 ? L"center" : L"right", v, v, v, v);
    }
    defs.Load(strSkins);
    ASSERT_TRUE(dlg.CreateAt(WINDOW.left, WINDOW.top, L"Title", 40, 20));
    for (int n = 0; n < nSkins; n++)
    {
        CString strName;
        strName.Format(L"H%d", n);
        ASSERT_TRUE(dlg.SkinMe(strName)) << "accepted: " << n;
        dlg.SendNc(WM_NCMOUSEMOVE, HTCLOSE, 50, 10);
        dlg.SendNc(WM_NCLBUTTONDOWN, HTCLOSE, 50, 10);
        RedrawFrame(dlg.m_hWnd);
        dlg.SendMessage(WM_NCACTIVATE, FALSE);
        dlg.SetWindowText(L"Title");
        dlg.SendNc(WM_NCHITTEST, 0, 50, 10);
    }
    EXPECT_FALSE(dlg.SkinMe(L"None"));
}

TEST_F(WindowSkinPaint, DialogsSharingASkinEachKeepTheirOwnCaption)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    CTestSkinDialog other;
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW, L"Main", L"First title"));
    ASSERT_TRUE(other.CreateSkinned(CRect(40, 340, 440, 540), L"Main", L"Second"));
    ASSERT_EQ(CSkinDialogFrame::SkinOf(dlg), CSkinDialogFrame::SkinOf(other));
    // Both inactive, so that nothing but the title tells their strips apart.
    CTestSkinDialog active;
    ASSERT_TRUE(active.CreateAt(600, 400, L"Active", 40, 20));
    active.SetForegroundWindow();
    KorvoTest::PumpMessages(30);
    RedrawFrame(dlg.m_hWnd);
    const CWindowCapture first(dlg.m_hWnd);
    RedrawFrame(other.m_hWnd);
    const CWindowCapture second(other.m_hWnd);
    ASSERT_FALSE(InkBounds(first, second).IsRectEmpty()) << "the titles differ on the pixels";
    // Each repaint in turn shows the window's own title, whichever window painted last.
    for (int n = 0; n < 2; n++)
    {
        RedrawFrame(dlg.m_hWnd);
        EXPECT_TRUE(InkBounds(first, CWindowCapture(dlg.m_hWnd)).IsRectEmpty());
        RedrawFrame(other.m_hWnd);
        EXPECT_TRUE(InkBounds(second, CWindowCapture(other.m_hWnd)).IsRectEmpty());
    }
}

TEST_F(WindowSkinPaint, RepeatedFullRepaintsShowTheSamePixelsAsTheFirstAtEverySize)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    // Grown, shrunk and back to a size seen before: the first repaint at each
    // draws the parts, the later ones copy what they kept.
    const CSize sizes[] = { CSize(400, 200), CSize(460, 260), CSize(300, 150), CSize(400, 200) };
    for (const CSize& size : sizes)
    {
        dlg.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawFrame(dlg.m_hWnd);
        const CWindowCapture first(dlg.m_hWnd);
        RedrawFrame(dlg.m_hWnd);
        RedrawFrame(dlg.m_hWnd);
        const CWindowCapture later(dlg.m_hWnd);
        ASSERT_EQ(size, CSize(later.m_cx, later.m_cy));
        EXPECT_TRUE(first.m_pixels == later.m_pixels) << size.cx << " x " << size.cy;
        for (int y = 30; y < size.cy - 6; y++)
        {
            ASSERT_EQ(At(S::PART_LEFT, 3, (y - 30) % 8), later.Part(3, y)) << size.cx << " x " << size.cy << " y " << y;
            ASSERT_EQ(At(S::PART_RIGHT, 0, (y - 30) % 8), later.Part(size.cx - 5, y)) << size.cx << " x " << size.cy << " y " << y;
        }
        for (int x = 0; x < size.cx; x++)
            ASSERT_EQ(x < 10 ? At(S::PART_BOTTOMLEFT, x, 5) : x < size.cx - 12 ? At(S::PART_BOTTOM, (x - 10) % 16, 5)
                                                                                : At(S::PART_BOTTOMRIGHT, x - (size.cx - 12), 5),
                      later.Part(x, size.cy - 1)) << size.cx << " x " << size.cy << " x " << x;
    }
}
