#include "SkinTestSupport.h"
#include <gtest/gtest.h>

using namespace SkinTest;
typedef CWindowSkin S;

namespace
{
PartPixel At(int nPart, int x, int y)
{
    return { nPart, x, y };
}

// Frame of 30 on top (corners 10 and 60 wide), 4 left, 5 right, 6 below.
void AddFrame(CSkinBuilder& builder, LPCWSTR pszEdgeMode = L"tile")
{
    builder.Part(L"TopLeft", 10, 30)
        .Part(L"Top", 16, 30, pszEdgeMode)
        .Part(L"TopRight", 60, 30)
        .Part(L"Left", 4, 8, pszEdgeMode)
        .Part(L"Right", 5, 8, pszEdgeMode)
        .Part(L"BottomLeft", 10, 6)
        .Part(L"Bottom", 16, 6, pszEdgeMode)
        .Part(L"BottomRight", 12, 6);
}

// Every caption button in its three looks, the close button anchored from the right edge.
void AddButtons(CSkinBuilder& builder)
{
    for (LPCWSTR pszButton : { L"System", L"Minimise", L"Maximise", L"Close" })
    {
        builder.Part(pszButton, 20, 18);
        builder.Part(CString(pszButton) + L"Hover", 20, 18);
        builder.Part(CString(pszButton) + L"Down", 20, 18);
    }
    builder.Xml(L"<anchors><anchor name=\"System\" rect=\"12,6,20,18\"/><anchor name=\"Minimise\" rect=\"-90,6,20,18\"/>"
                L"<anchor name=\"Maximise\" rect=\"-60,6,20,18\"/><anchor name=\"Close\" rect=\"-30,6,20,18\"/></anchors>");
}

// The pixels of the caption band that differ between two captures.
CRect InkBounds(const CWindowCapture& without, const CWindowCapture& with, int nBottom)
{
    CRect rc(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < nBottom; y++)
        for (int x = 0; x < with.m_cx; x++)
            if (without.At(x, y) != with.At(x, y))
            {
                rc.left = std::min<int>(rc.left, x);
                rc.top = std::min<int>(rc.top, y);
                rc.right = std::max<int>(rc.right, x + 1);
                rc.bottom = std::max<int>(rc.bottom, y + 1);
            }
    return rc;
}

bool Contains(const CWindowCapture& capture, COLORREF cr, int nBottom)
{
    for (int y = 0; y < nBottom; y++)
        for (int x = 0; x < capture.m_cx; x++)
            if (capture.At(x, y) == cr)
                return true;
    return false;
}

HICON MakeSolidIcon(COLORREF cr)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMemory, hColour);
    RECT rc = { 0, 0, 16, 16 };
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FillRect(hMemory, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    ::ReleaseDC(NULL, hScreen);
    BYTE maskBits[16 * 2] = {};
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, maskBits);
    ICONINFO ii = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}
}

TEST(WindowSkinPaint, FrameTilesFromTheInnerEndsOfTheCorners)
{
    CSkinBuilder builder;
    AddFrame(builder);
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    EXPECT_EQ(CRect(4, 30, 5, 6), pSkin->GetFrameThickness());

    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240)));
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(CSize(400 - 9, 200 - 36), rcClient.Size()) << "the skin's frame replaces the system's";

    CWindowCapture capture(wnd.m_hWnd);
    ASSERT_EQ(400, capture.m_cx);
    // The 400-pixel top edge: corner 10 wide, pieces of 16 from 10 to 340 with the last one
    // 10 wide, corner 60 wide.
    for (int y : { 0, 17, 29 })
        for (int x = 0; x < 400; x++)
        {
            PartPixel expected = x < 10 ? At(S::PART_TOPLEFT, x, y)
                               : x < 340 ? At(S::PART_TOP, (x - 10) % 16, y)
                                         : At(S::PART_TOPRIGHT, x - 340, y);
            ASSERT_EQ(expected, capture.Part(x, y)) << "x " << x << " y " << y << ": " << Describe(capture.Part(x, y));
        }
    // Side edges between the top corners and the bottom, the bottom edge between its corners.
    for (int y = 30; y < 194; y++)
    {
        ASSERT_EQ(At(S::PART_LEFT, 3, (y - 30) % 8), capture.Part(3, y)) << "y " << y;
        ASSERT_EQ(At(S::PART_RIGHT, 0, (y - 30) % 8), capture.Part(395, y)) << "y " << y;
    }
    for (int x = 0; x < 400; x++)
    {
        PartPixel expected = x < 10 ? At(S::PART_BOTTOMLEFT, x, 5)
                           : x < 388 ? At(S::PART_BOTTOM, (x - 10) % 16, 5)
                                     : At(S::PART_BOTTOMRIGHT, x - 388, 5);
        ASSERT_EQ(expected, capture.Part(x, 199)) << "x " << x << ": " << Describe(capture.Part(x, 199));
    }
}

TEST(WindowSkinPaint, StretchModeOnEveryEdgeBetweenEndPieces)
{
    CSkinBuilder builder;
    builder.Part(L"TopLeft", 10, 30).Part(L"TopRight", 60, 30).Part(L"BottomLeft", 10, 6).Part(L"BottomRight", 12, 6)
        .Part(L"Top", 2, 30, L"stretch").Part(L"Left", 4, 2, L"Stretch").Part(L"Right", 5, 2, L"STRETCH")
        .Part(L"Bottom", 2, 6, L"stretch")
        .Part(L"LeftTop", 4, 5).Part(L"LeftBottom", 4, 3).Part(L"RightTop", 5, 7).Part(L"RightBottom", 5, 2);
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(60, 60, 360, 260)));
    CWindowCapture capture(wnd.m_hWnd);

    // Top: 10 to 240, two source columns spread over the span.
    EXPECT_EQ(At(S::PART_TOP, 0, 12), capture.Part(10, 12));
    EXPECT_EQ(At(S::PART_TOP, 0, 12), capture.Part(124, 12));
    EXPECT_EQ(At(S::PART_TOP, 1, 12), capture.Part(126, 12));
    EXPECT_EQ(At(S::PART_TOP, 1, 12), capture.Part(239, 12));
    EXPECT_EQ(At(S::PART_TOPRIGHT, 0, 12), capture.Part(240, 12));

    // Left column: corner to 30, end piece to 35, stretched edge to 191, end piece to 194.
    EXPECT_EQ(At(S::PART_LEFTTOP, 2, 0), capture.Part(2, 30));
    EXPECT_EQ(At(S::PART_LEFTTOP, 2, 4), capture.Part(2, 34));
    EXPECT_EQ(At(S::PART_LEFT, 2, 0), capture.Part(2, 35));
    EXPECT_EQ(At(S::PART_LEFT, 2, 1), capture.Part(2, 190));
    EXPECT_EQ(At(S::PART_LEFTBOTTOM, 2, 0), capture.Part(2, 191));
    EXPECT_EQ(At(S::PART_BOTTOMLEFT, 2, 0), capture.Part(2, 194));

    // Right column: its own end pieces, x from 295.
    EXPECT_EQ(At(S::PART_RIGHTTOP, 0, 0), capture.Part(295, 30));
    EXPECT_EQ(At(S::PART_RIGHT, 4, 0), capture.Part(299, 37));
    EXPECT_EQ(At(S::PART_RIGHT, 4, 1), capture.Part(299, 191));
    EXPECT_EQ(At(S::PART_RIGHTBOTTOM, 4, 1), capture.Part(299, 193));

    // Bottom: stretched between its corners, 10 to 288.
    EXPECT_EQ(At(S::PART_BOTTOM, 0, 0), capture.Part(10, 194));
    EXPECT_EQ(At(S::PART_BOTTOM, 1, 5), capture.Part(287, 199));
    EXPECT_EQ(At(S::PART_BOTTOMRIGHT, 0, 5), capture.Part(288, 199));
}

TEST(WindowSkinPaint, InactiveVariantsFallBackPartByPart)
{
    CSkinBuilder builder;
    AddFrame(builder);
    builder.Part(L"TopLeftIA", 10, 30);
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240)));

    wnd.SendMessage(WM_NCACTIVATE, FALSE);
    CWindowCapture inactive(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPLEFT_IA, 5, 5), inactive.Part(5, 5));
    EXPECT_EQ(At(S::PART_TOP, 0, 5), inactive.Part(26, 5)) << "no TopIA: Top";
    EXPECT_EQ(At(S::PART_TOPRIGHT, 5, 5), inactive.Part(345, 5)) << "no TopRightIA: TopRight";

    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture active(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPLEFT, 5, 5), active.Part(5, 5));

    CSkinBuilder builderIA;
    AddFrame(builderIA);
    builderIA.Part(L"TopIA", 3, 30).Part(L"TopRightIA", 40, 30);
    auto pSkinIA = builderIA.Parse();
    ASSERT_TRUE(pSkinIA);
    wnd.m_pSkin = pSkinIA.get();
    wnd.SendMessage(WM_NCACTIVATE, FALSE);
    CWindowCapture inactiveIA(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPLEFT, 5, 5), inactiveIA.Part(5, 5)) << "no TopLeftIA: TopLeft";
    EXPECT_EQ(At(S::PART_TOP_IA, 1, 5), inactiveIA.Part(11, 5));
    EXPECT_EQ(At(S::PART_TOP_IA, 0, 5), inactiveIA.Part(358, 5)) << "the span ends at the narrower inactive corner";
    EXPECT_EQ(At(S::PART_TOPRIGHT_IA, 0, 5), inactiveIA.Part(360, 5));
}

TEST(WindowSkinPaint, ButtonsShowTheirStateAndKeepTheirPlaceInTheStrip)
{
    CSkinBuilder builder;
    AddFrame(builder);
    AddButtons(builder);
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240)));

    struct { int nHot, nPressed, nClosePart, nMaximisePart; } cases[] = {
        { 0, 0, S::PART_CLOSE, S::PART_MAXIMISE },
        { 4, 0, S::PART_CLOSE_HOVER, S::PART_MAXIMISE },
        { 4, 4, S::PART_CLOSE_DOWN, S::PART_MAXIMISE },
        { 3, 4, S::PART_CLOSE, S::PART_MAXIMISE_HOVER },
        { 3, 3, S::PART_CLOSE, S::PART_MAXIMISE_DOWN },
    };
    for (const auto& c : cases)
    {
        pSkin->m_nHotButton = c.nHot;
        pSkin->m_nPressedButton = c.nPressed;
        RedrawFrame(wnd.m_hWnd);
        CWindowCapture capture(wnd.m_hWnd);
        // Close anchored 30 from the right edge of the 400-wide window: x 370 to 389.
        EXPECT_EQ(At(c.nClosePart, 0, 0), capture.Part(370, 6)) << "hot " << c.nHot << " pressed " << c.nPressed;
        EXPECT_EQ(At(c.nClosePart, 19, 17), capture.Part(389, 23));
        EXPECT_EQ(At(S::PART_TOPRIGHT, 50, 6), capture.Part(390, 6)) << "the corner around the button";
        EXPECT_EQ(At(c.nMaximisePart, 0, 0), capture.Part(340, 6));
        EXPECT_EQ(At(S::PART_SYSTEM, 0, 0), capture.Part(12, 6)) << "over the corner and the top edge";
        EXPECT_EQ(At(S::PART_SYSTEM, 19, 17), capture.Part(31, 23));
        EXPECT_EQ(At(S::PART_TOP, (32 - 10) % 16, 6), capture.Part(32, 6));
    }
    pSkin->m_nHotButton = pSkin->m_nPressedButton = 0;

    // A button whose look is not defined is not drawn: the strip shows through.
    CSkinBuilder sparse;
    AddFrame(sparse);
    sparse.Part(L"CloseHover", 20, 18).Xml(L"<anchors><anchor name=\"Close\" rect=\"-30,6,20,18\"/></anchors>");
    auto pSparse = sparse.Parse();
    ASSERT_TRUE(pSparse);
    wnd.m_pSkin = pSparse.get();
    RedrawFrame(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPRIGHT, 30, 6), CWindowCapture(wnd.m_hWnd).Part(370, 6));
    pSparse->m_nHotButton = 4;
    RedrawFrame(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_CLOSE_HOVER, 0, 0), CWindowCapture(wnd.m_hWnd).Part(370, 6));
}

TEST(WindowSkinPaint, WindowIconAtItsAnchorSmallOrBig)
{
    CSkinBuilder builder;
    AddFrame(builder);
    builder.Xml(L"<anchors><anchor name=\"Icon\" point=\"-100,7\"/></anchors>");
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240)));
    EXPECT_EQ(At(S::PART_TOP, (300 - 10) % 16, 7), CWindowCapture(wnd.m_hWnd).Part(300, 7)) << "no icon yet";

    HICON hBig = MakeSolidIcon(RGB(1, 2, 3));
    HICON hSmall = MakeSolidIcon(RGB(4, 5, 6));
    wnd.SetIcon(hBig, TRUE);
    RedrawFrame(wnd.m_hWnd);
    CWindowCapture big(wnd.m_hWnd);
    EXPECT_EQ(RGB(1, 2, 3), big.At(300, 7)) << "the big icon when there is no small one";
    EXPECT_EQ(RGB(1, 2, 3), big.At(315, 22));
    EXPECT_NE(RGB(1, 2, 3), big.At(316, 22)) << "drawn at 16 x 16";

    wnd.SetIcon(hSmall, FALSE);
    RedrawFrame(wnd.m_hWnd);
    EXPECT_EQ(RGB(4, 5, 6), CWindowCapture(wnd.m_hWnd).At(300, 7));
    wnd.DestroyWindow();
    ::DestroyIcon(hBig);
    ::DestroyIcon(hSmall);
}

TEST(WindowSkinPaint, CaptionTextIsAlignedInItsBoxAndClipped)
{
    CSkinBuilder builder;
    AddFrame(builder);
    builder.Xml(L"<caption rect=\"20,4,200,22\" fontFace=\"Tahoma\" fontSize=\"14\" colour=\"0000FE\" inactiveColour=\"FE0000\"/>");
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240), WS_POPUP | WS_SYSMENU, L""));
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture blank(wnd.m_hWnd);

    // The box runs from 20 to the TopRight corner at 340, rows 4 to 26.
    wnd.SetWindowText(L"Left");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture left(wnd.m_hWnd);
    CRect rcInk = InkBounds(blank, left, 30);
    EXPECT_GE(rcInk.left, 21);
    EXPECT_LE(rcInk.left, 24);
    EXPECT_GE(rcInk.top, 4);
    EXPECT_LE(rcInk.bottom, 26);
    EXPECT_TRUE(Contains(left, RGB(0, 0, 254), 30)) << "active colour";

    wnd.SendMessage(WM_NCACTIVATE, FALSE);
    CWindowCapture inactive(wnd.m_hWnd);
    EXPECT_TRUE(Contains(inactive, RGB(254, 0, 0), 30)) << "inactive colour";
    EXPECT_FALSE(Contains(inactive, RGB(0, 0, 254), 30));
    wnd.SendMessage(WM_NCACTIVATE, TRUE);

    pSkin->m_nCaptionAlign = S::ALIGN_RIGHT;
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    rcInk = InkBounds(blank, CWindowCapture(wnd.m_hWnd), 30);
    EXPECT_LE(rcInk.right, 339);
    EXPECT_GE(rcInk.right, 332);

    pSkin->m_nCaptionAlign = S::ALIGN_CENTER;
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    rcInk = InkBounds(blank, CWindowCapture(wnd.m_hWnd), 30);
    EXPECT_NEAR(180, (rcInk.left + rcInk.right) / 2, 4);

    // Wider than its box: starts at the box's left + 1 and is cut at the TopRight corner.
    wnd.SetWindowText(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture wide(wnd.m_hWnd);
    rcInk = InkBounds(blank, wide, 30);
    EXPECT_GE(rcInk.left, 21);
    EXPECT_LE(rcInk.left, 24);
    EXPECT_GE(rcInk.right, 330);
    EXPECT_LE(rcInk.right, 340);
    for (int x = 340; x < 400; x++)
        ASSERT_EQ(At(S::PART_TOPRIGHT, x - 340, 15), wide.Part(x, 15)) << "x " << x;

    // Without a TopRight part the box reaches the window's right edge.
    CSkinBuilder open;
    open.Part(L"TopLeft", 10, 30).Part(L"Top", 16, 30)
        .Xml(L"<caption rect=\"20,4,200,22\" fontFace=\"Tahoma\" fontSize=\"14\" align=\"right\"/>");
    auto pOpen = open.Parse();
    ASSERT_TRUE(pOpen);
    wnd.m_pSkin = pOpen.get();
    wnd.SetWindowText(L"");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture openBlank(wnd.m_hWnd);
    wnd.SetWindowText(L"Right");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    rcInk = InkBounds(openBlank, CWindowCapture(wnd.m_hWnd), 30);
    EXPECT_LE(rcInk.right, 399);
    EXPECT_GE(rcInk.right, 392);
}

TEST(WindowSkinPaint, CaptionOutlineShadowAndCapitals)
{
    CSkinBuilder builder;
    AddFrame(builder);
    builder.Xml(L"<caption rect=\"20,4,200,22\" fontFace=\"Tahoma\" fontSize=\"16\" fontWeight=\"bold\" colour=\"0000FE\""
                L" outlineColour=\"00FE00\" shadowColour=\"FEFE00\" caps=\"yes\"/>");
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240), WS_POPUP | WS_SYSMENU, L"Hello"));
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture decorated(wnd.m_hWnd);
    EXPECT_TRUE(Contains(decorated, RGB(0, 254, 0), 30)) << "outline";
    EXPECT_TRUE(Contains(decorated, RGB(0, 0, 254), 30)) << "text";

    pSkin->m_crOutline = 0xFFFFFFFF;
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture shadowed(wnd.m_hWnd);
    EXPECT_FALSE(Contains(shadowed, RGB(0, 254, 0), 30));
    EXPECT_TRUE(Contains(shadowed, RGB(254, 254, 0), 30)) << "shadow";

    // Upper-cased text draws exactly like text written in capitals.
    pSkin->m_crShadow = 0xFFFFFFFF;
    wnd.SetWindowText(L"hello");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture lower(wnd.m_hWnd);
    pSkin->m_bCaps = 0;
    wnd.SetWindowText(L"HELLO");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture upper(wnd.m_hWnd);
    EXPECT_TRUE(lower.m_pixels == upper.m_pixels);
    wnd.SetWindowText(L"hello");
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_FALSE(CWindowCapture(wnd.m_hWnd).m_pixels == upper.m_pixels);

    // A caption with a font but without a band draws no text.
    pSkin->m_bCaption = 0;
    wnd.SendMessage(WM_NCACTIVATE, TRUE);
    CWindowCapture none(wnd.m_hWnd);
    for (int x = 0; x < 400; x++)
        ASSERT_EQ(x < 10 ? S::PART_TOPLEFT : x < 340 ? S::PART_TOP : S::PART_TOPRIGHT, none.Part(x, 15).nPart) << x;
}

TEST(WindowSkinPaint, ActivationAndTextChangesRepaintOnlyTheCaptionStrip)
{
    CSkinBuilder builder;
    AddFrame(builder);
    builder.Part(L"TopLeftIA", 10, 30).Xml(L"<caption rect=\"20,4,200,22\"/>");
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);
    CSkinTestWnd wnd(pSkin.get());
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240)));
    wnd.SetForegroundWindow();
    KorvoTest::PumpMessages(30);

    const COLORREF crMarker = RGB(7, 7, 7);
    auto Mark = [&]() {
        HDC hDC = ::GetWindowDC(wnd.m_hWnd);
        HBRUSH hBrush = ::CreateSolidBrush(crMarker);
        RECT rc = { 0, 0, 400, 200 };
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::ReleaseDC(wnd.m_hWnd, hDC);
    };
    auto ExpectOnlyStripRepainted = [&](int nTopLeftPart, const char* pszWhat) {
        CWindowCapture capture(wnd.m_hWnd);
        for (int y = 0; y < 30; y++)
            EXPECT_EQ(nTopLeftPart, capture.Part(0, y).nPart) << pszWhat << " row " << y;
        EXPECT_EQ(S::PART_TOPRIGHT, capture.Part(399, 29).nPart) << pszWhat;
        EXPECT_EQ(crMarker, capture.At(0, 30)) << pszWhat << ": left edge";
        EXPECT_EQ(crMarker, capture.At(399, 100)) << pszWhat << ": right edge";
        EXPECT_EQ(crMarker, capture.At(200, 199)) << pszWhat << ": bottom edge";
    };

    int nNcPaints = wnd.m_nNcPaints;
    Mark();
    CSkinTestWnd other(NULL);
    ASSERT_TRUE(other.CreateSkinned(CRect(600, 400, 700, 500), WS_POPUP | WS_BORDER));
    other.SetForegroundWindow();
    KorvoTest::PumpMessages(50);
    ASSERT_NE(wnd.m_hWnd, ::GetForegroundWindow());
    ExpectOnlyStripRepainted(S::PART_TOPLEFT_IA, "deactivation");

    Mark();
    wnd.SetForegroundWindow();
    KorvoTest::PumpMessages(50);
    ExpectOnlyStripRepainted(S::PART_TOPLEFT, "activation");

    Mark();
    wnd.SetWindowText(L"A new title");
    KorvoTest::PumpMessages(20);
    ExpectOnlyStripRepainted(S::PART_TOPLEFT, "text change");
    EXPECT_EQ(nNcPaints, wnd.m_nNcPaints) << "no full non-client paint on the way";
    EXPECT_TRUE(wnd.IsWindowVisible());
}

TEST(WindowSkinPaint, WatermarkTilesTheClientAreaAndLeavesTheFrameImage)
{
    CSkinBuilder builder;
    AddFrame(builder);
    std::vector<BYTE> water = MakeBitmapFile(7, 5, [](int x, int y, void*) { return RGB(200, x, y); }, NULL);
    builder.m_folder.WriteFile(L"water.bmp", water.data(), water.size());
    builder.Xml(L"<image path=\"water.bmp\" type=\"watermark\"/>");
    auto pSkin = builder.Parse();
    ASSERT_TRUE(pSkin);

    // The watermark paints first, before the frame ever has: the frame must still find its image.
    CSkinTestWnd wnd(NULL);
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 440, 240), WS_POPUP));
    {
        CClientDC dc(&wnd);
        EXPECT_TRUE(pSkin->PaintWatermark(&wnd, &dc));
    }
    wnd.m_pSkin = pSkin.get();
    wnd.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    wnd.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    CWindowCapture capture(wnd.m_hWnd);
    EXPECT_EQ(At(S::PART_TOPLEFT, 3, 3), capture.Part(3, 3));
    // Client origin is (4, 30) in the window.
    for (int y = 0; y < 164; y += 3)
        for (int x = 0; x < 391; x += 5)
            ASSERT_EQ(RGB(200, x % 7, y % 5), capture.At(4 + x, 30 + y)) << x << "," << y;
    EXPECT_EQ(At(S::PART_RIGHT, 0, 0), capture.Part(395, 30)) << "the tiles stop at the client edge";

    CSkinBuilder plain;
    AddFrame(plain);
    auto pPlain = plain.Parse();
    ASSERT_TRUE(pPlain);
    CClientDC dc(&wnd);
    EXPECT_FALSE(pPlain->PaintWatermark(&wnd, &dc));
}

TEST(WindowSkinPaint, HostilePartsAndAnchorsPaintAndReturn)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> file = MakeBitmapFile(32, 32, [](int x, int y, void*) { return RGB(x, y, 9); }, NULL);
    folder.WriteFile(L"skin.bmp", file.data(), file.size());
    static const LPCWSTR pszRects[] = { L"0,0,-5,-5", L"-100,-100,10,10", L"0,0,100000,3", L"0,0,3,100000",
                                        L"2147483647,2147483647,2147483647,2147483647", L"0,0,1,1" };
    CSkinTestWnd wnd(NULL);
    ASSERT_TRUE(wnd.CreateSkinned(CRect(40, 40, 240, 140), WS_POPUP | WS_THICKFRAME));
    for (LPCWSTR pszMode : { L"tile", L"stretch" })
        for (LPCWSTR pszRect : pszRects)
        {
            CString strXml = L"<windowSkin><image path=\"skin.bmp\"/><parts>";
            for (int n = 0; n < WINDOWSKIN_PART_COUNT; n++)
                strXml.AppendFormat(L"<part name=\"%s\" rect=\"%s\" mode=\"%s\"/>", CWindowSkin::s_pszPartNames[n], pszRect, pszMode);
            strXml.AppendFormat(L"</parts><anchors><anchor name=\"Icon\" rect=\"%s\"/><anchor name=\"Close\" rect=\"%s\"/></anchors>"
                                L"<caption rect=\"%s\" align=\"center\"/></windowSkin>", pszRect, pszRect, pszRect);
            auto pSkin = ParseSkin(strXml, folder.Path());
            ASSERT_TRUE(pSkin) << pszRect;
            pSkin->m_nHotButton = pSkin->m_nPressedButton = 4;
            wnd.m_pSkin = pSkin.get();
            wnd.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
            RedrawFrame(wnd.m_hWnd);
            wnd.SendMessage(WM_NCACTIVATE, FALSE);
            wnd.SetWindowText(L"Title");
            wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(100, 50));
            wnd.m_pSkin = NULL;
        }
    wnd.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}
