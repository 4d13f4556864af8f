#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
const UINT IDC_EFFECT = 400;
const UINT IDC_STATIC_TEXT = 401;
const COLORREF RED = RGB(220, 0, 0);
const COLORREF BLUE = RGB(0, 0, 220);
const COLORREF WHITE = RGB(255, 255, 255);

// Owns the test's bitmaps for as long as the button shows them.
struct CBitmaps
{
    CBitmaps() : hNormal(MakeBitmap(60, 24, RED, WHITE)), hHover(MakeBitmap(60, 24, BLUE, WHITE)) {}
    ~CBitmaps()
    {
        ::DeleteObject(hNormal);
        ::DeleteObject(hHover);
    }
    HBITMAP hNormal;
    HBITMAP hHover;
};

struct CEffectHost
{
    CEffectHost(LPCWSTR pszText = L"")
    {
        dlg.AddControl(L"Button", IDC_EFFECT, BS_OWNERDRAW, 30, 40, 10, 10, pszText);
        EXPECT_TRUE(button.SubclassDlgItem(IDC_EFFECT, &dlg));
        MovePointerAway();
    }
    COLORREF Centre()
    {
        KorvoTest::PumpMessages(0);
        return CCapture(button.m_hWnd).At(40, 20);
    }
    CHostDialog dlg;
    CBitmaps bitmaps;
    CEffectButton button;
};

BOOL IsDark(COLORREF cr)
{
    return GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 100;
}
}

TEST(EffectButton, SetImageTakesTheBitmapSizeInPlace)
{
    CEffectHost host;
    host.button.SetImage(NULL, host.bitmaps.hHover, WHITE);
    CRect rc;
    host.button.GetWindowRect(&rc);
    EXPECT_EQ(10, rc.Width());
    host.button.SetImage(host.bitmaps.hNormal, host.bitmaps.hHover, WHITE);
    host.button.GetWindowRect(&rc);
    host.dlg.ScreenToClient(&rc);
    EXPECT_EQ(CRect(30, 40, 90, 64), rc);
    EXPECT_EQ(RED, host.Centre());
}

TEST(EffectButton, ImageFollowsHoverAndPitchOn)
{
    CEffectHost host;
    host.button.SetImage(host.bitmaps.hNormal, host.bitmaps.hHover, WHITE);
    EXPECT_EQ(RED, host.Centre());

    MovePointer(host.button.m_hWnd, 30, 12);
    ASSERT_TRUE(PumpUntil([&] { return host.button.IsHover(); }));
    EXPECT_EQ(BLUE, host.Centre());
    // The platform's leave notification ends the hover.
    MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return !host.button.IsHover(); }));
    EXPECT_EQ(RED, host.Centre());

    host.button.SetPitchOn(true);
    host.button.Invalidate();
    EXPECT_EQ(BLUE, host.Centre());
    // Pitched on without a hover image: the normal image.
    host.button.SetImage(host.bitmaps.hNormal, NULL, WHITE);
    EXPECT_EQ(RED, host.Centre());
}

TEST(EffectButton, TransparentColourIsLeftOut)
{
    CEffectHost host;
    host.button.SetImage(host.bitmaps.hNormal, NULL, WHITE);
    EXPECT_EQ(RED, host.Centre());
    EXPECT_NE(WHITE, CCapture(host.button.m_hWnd).At(1, 1));
    host.button.SetImage(host.bitmaps.hNormal, NULL, RED);
    KorvoTest::PumpMessages(0);
    EXPECT_EQ(WHITE, CCapture(host.button.m_hWnd).At(1, 1));
}

TEST(EffectButton, TextStartsAtTheIndent)
{
    for (int nIndent : { 0, 10, 25 })
    {
        CEffectHost host(L"WWW");
        host.button.SetImage(host.bitmaps.hNormal, NULL, WHITE);
        host.button.SetIndent(nIndent);
        host.button.SetTextColor(RGB(0, 0, 0));
        Repaint(host.button.m_hWnd);
        CCapture capture(host.button.m_hWnd);
        int nFirst = -1;
        for (int x = 0; x < capture.m_cx && nFirst < 0; x++)
            for (int y = 4; y < capture.m_cy; y++)
                if (IsDark(capture.At(x, y)))
                {
                    nFirst = x;
                    break;
                }
        EXPECT_GE(nFirst, nIndent) << nIndent;
        EXPECT_LE(nFirst, nIndent + 2) << nIndent;
    }
}

TEST(EffectButton, HandCursorIsSharedAndToolTipComesAndGoes)
{
    CEffectHost host;
    HCURSOR hHand = ::LoadCursorW(NULL, (LPCWSTR)IDC_HAND);
    host.button.SetHandCursor(true);
    EXPECT_EQ(hHand, host.button.GetHandCursor());
    host.button.SetHandCursor(false);
    EXPECT_EQ(NULL, host.button.GetHandCursor());
    // The shared cursor was forgotten, not destroyed.
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hHand, &info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);

    host.button.SetToolTip(L"");
    HWND hTip = host.button.GetToolTipWindow();
    ASSERT_TRUE(::IsWindow(hTip));
    EXPECT_EQ(0, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    host.button.SetToolTip(L"Hello");
    wchar_t szText[32] = {};
    TOOLINFOW tool = { sizeof(tool), 0, host.button.m_hWnd, 1 };
    tool.lpszText = szText;
    ::SendMessageW(hTip, TTM_GETTEXTW, _countof(szText), (LPARAM)&tool);
    EXPECT_STREQ(L"Hello", szText);
    EXPECT_EQ(1, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    host.button.SetToolTip(L"");
    EXPECT_EQ(0, (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(hTip, host.button.GetToolTipWindow());
}

TEST(EffectStatic, WrapsAtLineFeedsAndTheWidth)
{
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_STATIC_TEXT, SS_RIGHT, 10, 10, 200, 90, L"");
    CEffectStatic text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_STATIC_TEXT, &dlg));
    EXPECT_EQ((DWORD)SS_OWNERDRAW, text.GetStyle() & SS_TYPEMASK);
    text.SetBackColor(WHITE);

    // The first row of inked (not background) pixels of each text line, top to bottom.
    auto lineTops = [&](LPCWSTR pszText) {
        text.SetWindowTextW(pszText);
        Repaint(text.m_hWnd);
        CCapture capture(text.m_hWnd);
        std::vector<int> tops;
        BOOL bInLine = FALSE;
        for (int y = 0; y < capture.m_cy; y++)
        {
            BOOL bDark = FALSE;
            for (int x = 0; x < capture.m_cx; x++)
                bDark |= capture.At(x, y) != WHITE;
            if (bDark && !bInLine)
                tops.push_back(y);
            bInLine = bDark;
        }
        return tops;
    };
    std::vector<int> tops = lineTops(L"Hbc\nHef");
    ASSERT_EQ(2u, tops.size());
    EXPECT_EQ(18, tops[1] - tops[0]);
    EXPECT_GE(tops[0], 5);

    text.SetLineHeight(25);
    tops = lineTops(L"Hbc\nHef\nHb");
    ASSERT_EQ(3u, tops.size());
    EXPECT_EQ(25, tops[1] - tops[0]);
    EXPECT_EQ(25, tops[2] - tops[1]);

    // A text wider than the control breaks by characters; the last line is drawn.
    text.SetLineHeight(18);
    EXPECT_EQ(3u, lineTops(L"HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH").size());
    EXPECT_EQ(1u, lineTops(L"H").size());
}

TEST(EffectStatic, BackgroundIsItsOwnColour)
{
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_STATIC_TEXT, SS_LEFT, 10, 10, 100, 40, L"");
    CEffectStatic text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_STATIC_TEXT, &dlg));
    text.SetBackColor(RGB(10, 200, 30));
    Repaint(text.m_hWnd);
    EXPECT_EQ(RGB(10, 200, 30), CCapture(text.m_hWnd).At(50, 20));
}
