// A window skinned by its handle as today's desktop shows it: erased in the skin's dialog colour
// from its first paint (never its own light class brush), through resizes and skin switches; its
// Maximise button pressed and released with the real mouse; the system asked for the skin's
// corners and border.
#include "HandleWindowSupport.h"
#include <parts/CDwmAttributes.h>
#include <parts/CWindowDpi.h>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const COLORREF FRAME = RGB(40, 80, 120);
const COLORREF MAX = RGB(200, 0, 0), MAX_HOVER = RGB(0, 200, 0), MAX_DOWN = RGB(0, 0, 200);
const COLORREF DARK = RGB(0x10, 0x20, 0x30), OTHER_DARK = RGB(0x30, 0x10, 0x20);
const COLORREF WHITE = RGB(255, 255, 255);

COLORREF SkinPixel(int x, int, void*)
{
    return x < 132 ? FRAME : x < 152 ? MAX : x < 172 ? MAX_HOVER : MAX_DOWN;
}

// A frame for "Main" with a Maximise button 60 from the right, no watermark, and a dark dialog;
// Definitions\Other.xml gives the dialog another dark colour.
class CDarkSkin : public KorvoTest::CSkinFolder
{
public:
    explicit CDarkSkin(const char* pszAttributes = "")
    {
        std::vector<BYTE> image = KorvoTest::MakeBitmapFile(192, 30, SkinPixel, NULL);
        WriteFile(L"Definitions\\frame.bmp", image.data(), image.size());
        WriteBase(std::string("<colourScheme><colour name=\"dialog.back\" value=\"102030\"/></colourScheme>"
                              "<windowSkins><windowSkin ") + pszAttributes + "><target window=\"Main\"/>"
                  "<image path=\"frame.bmp\"/><parts>"
                  "<part name=\"TopLeft\" rect=\"0,0,10,30\"/><part name=\"Top\" rect=\"10,0,16,30\"/>"
                  "<part name=\"TopRight\" rect=\"26,0,60,30\"/><part name=\"Left\" rect=\"86,0,4,8\"/>"
                  "<part name=\"Right\" rect=\"90,0,4,8\"/><part name=\"BottomLeft\" rect=\"94,0,10,4\"/>"
                  "<part name=\"Bottom\" rect=\"104,0,16,4\"/><part name=\"BottomRight\" rect=\"120,0,12,4\"/>"
                  "<part name=\"Maximise\" rect=\"132,0,20,18\"/><part name=\"MaximiseHover\" rect=\"152,0,20,18\"/>"
                  "<part name=\"MaximiseDown\" rect=\"172,0,20,18\"/></parts>"
                  "<anchors><anchor name=\"Maximise\" rect=\"-60,6,20,18\"/></anchors></windowSkin></windowSkins>");
        WriteSkin(L"Definitions\\Other.xml", "<colourScheme><colour name=\"dialog.back\" value=\"301020\"/></colourScheme>");
        EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
        EXPECT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L""));
    }
    ~CDarkSkin() { KorvoSkin_Uninit(); }
};

// A window of a class whose brush is white, whose own painting draws nothing, and which counts
// the erases and frame paints that reach its procedure (the system's, when the library's skin
// does not answer them).
struct CWhiteHost : HandleTest::CHostWindow
{
    static inline int s_nErases;
    static inline int s_nFramePaints;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_ERASEBKGND)
            s_nErases++;
        if (nMsg == WM_NCPAINT)
            s_nFramePaints++;
        if (nMsg == WM_PAINT)
        {
            PAINTSTRUCT ps;
            ::BeginPaint(hWnd, &ps);
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    explicit CWhiteHost(DWORD dwStyle = WS_OVERLAPPEDWINDOW)
        : CHostWindow(L"KorvoWhiteHost", Proc, COLOR_WINDOW, dwStyle)
    {
        s_nErases = s_nFramePaints = 0;
    }
    // The client area's pixels on the screen now, at its corners and centre.
    std::vector<COLORREF> ClientSamples() const
    {
        KorvoTest::CWindowPixels pixels(hWnd, true);
        const int cx = pixels.m_cx, cy = pixels.m_cy;
        return { pixels.At(2, 2), pixels.At(cx - 3, 2), pixels.At(cx / 2, cy / 2), pixels.At(2, cy - 3),
                 pixels.At(cx - 3, cy - 3) };
    }
};

void ShowNow(HWND hWnd)
{
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWnd);
}

using HandleTest::MouseButton;
using HandleTest::MouseTo;

} // namespace

TEST(HandleFirstErase, AWhiteClassIsErasedInTheSkinsDialogColourWhenShownResizedAndSwitched)
{
    CDarkSkin skin;
    CWhiteHost host;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(host.hWnd, L"Main"));
    ShowNow(host.hWnd);
    for (COLORREF cr : host.ClientSamples())
        EXPECT_EQ(DARK, cr) << "shown";
    EXPECT_EQ(0, CWhiteHost::s_nErases) << "the class brush never erases";

    // Larger: the new strips are erased dark too.
    const CRect rc = host.Window();
    ::SetWindowPos(host.hWnd, NULL, 0, 0, rc.Width() + 80, rc.Height() + 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(host.hWnd);
    for (COLORREF cr : host.ClientSamples())
        EXPECT_EQ(DARK, cr) << "resized";

    // Minimised and restored.
    ::ShowWindow(host.hWnd, SW_MINIMIZE);
    ::ShowWindow(host.hWnd, SW_RESTORE);
    ::UpdateWindow(host.hWnd);
    ASSERT_FALSE(::IsIconic(host.hWnd));
    for (COLORREF cr : host.ClientSamples())
        EXPECT_EQ(DARK, cr) << "restored";
    EXPECT_EQ(0, CWhiteHost::s_nErases) << "the class brush never erases";

    // Another skin: framed again with neither the system's frame nor its background between, then
    // painted once in the new colour.
    CWhiteHost::s_nErases = CWhiteHost::s_nFramePaints = 0;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L"Definitions\\Other.xml"));
    EXPECT_EQ(0, CWhiteHost::s_nFramePaints) << "no system frame was painted while the skins changed";
    EXPECT_EQ(0, CWhiteHost::s_nErases);
    ::UpdateWindow(host.hWnd);
    for (COLORREF cr : host.ClientSamples())
        EXPECT_EQ(OTHER_DARK, cr) << "switched";
    EXPECT_EQ(0, CWhiteHost::s_nErases);

    // Unskinned, the window is the host's again, class brush and all.
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(host.hWnd));
    ::UpdateWindow(host.hWnd);
    EXPECT_LT(0, CWhiteHost::s_nErases);
    EXPECT_EQ(WHITE, host.ClientSamples()[2]);
}

TEST(HandleFirstErase, MaximisedAndMinimisedWindowsStaySoAndShownAcrossASwitch)
{
    CDarkSkin skin;
    CWhiteHost zoomed(WS_OVERLAPPEDWINDOW | WS_VISIBLE), iconic(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(zoomed.hWnd, L"Main"));
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(iconic.hWnd, L"Main"));
    ::ShowWindow(zoomed.hWnd, SW_MAXIMIZE);
    ::ShowWindow(iconic.hWnd, SW_MINIMIZE);
    KorvoTest::PumpMessages(30);
    const CRect rcZoomed = zoomed.Window();
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"", L"Definitions\\Other.xml"));
    KorvoTest::PumpMessages(30);
    for (HWND hWnd : { zoomed.hWnd, iconic.hWnd })
        EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(::IsZoomed(zoomed.hWnd));
    EXPECT_EQ(rcZoomed, zoomed.Window());
    EXPECT_TRUE(::IsIconic(iconic.hWnd));
    EXPECT_EQ(OTHER_DARK, zoomed.ClientSamples()[2]);
}

TEST(HandleFirstErase, TheDarkGallerySkinIsDarkFromTheFirstPaint)
{
    HandleTest::CGalleryFolder gallery;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_Init());
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    CWhiteHost host;
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(host.hWnd, L"Main"));
    ShowNow(host.hWnd);
    for (COLORREF cr : host.ClientSamples())
        EXPECT_TRUE(GetRValue(cr) < 0x60 && GetGValue(cr) < 0x60 && GetBValue(cr) < 0x60) << std::hex << cr;
    EXPECT_EQ(0, CWhiteHost::s_nErases);
    ::DestroyWindow(host.hWnd);
}

TEST(HandleMaximiseButton, HoverAndPressShowAndOnlyAReleaseOverTheButtonMaximises)
{
    CDarkSkin skin;
    CWhiteHost host(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(host.hWnd, L"Main"));
    ::SetForegroundWindow(host.hWnd);
    ::RedrawWindow(host.hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    KorvoTest::PumpMessages(60);
    const CRect rc = host.Window();
    const CPoint ptMax(rc.right - 55, rc.top + 12), ptCaption(rc.left + 100, rc.top + 12);
    EXPECT_EQ((LRESULT)HTMAXBUTTON, ::SendMessageW(host.hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptMax.x, ptMax.y)));
    auto MaxLook = [&] { return KorvoTest::CWindowPixels(host.hWnd).At(rc.Width() - 55, 12); };
    EXPECT_EQ(MAX, MaxLook());

    MouseTo(ptMax);
    EXPECT_EQ(MAX_HOVER, MaxLook());
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(MAX_DOWN, MaxLook());
    MouseTo(ptCaption);
    EXPECT_EQ(MAX, MaxLook()) << "moved off while pressed";
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(::IsZoomed(host.hWnd)) << "released elsewhere";
    EXPECT_EQ(rc, host.Window());

    MouseTo(ptMax);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(::IsZoomed(host.hWnd)) << "not on the press";
    MouseButton(MOUSEEVENTF_LEFTUP);
    KorvoTest::PumpMessages(60);
    EXPECT_TRUE(::IsZoomed(host.hWnd)) << "on the release over the button";
    MouseTo(CPoint(0, 0));
}

namespace
{
struct CDwmCall
{
    HWND hWnd;
    DWORD dwAttribute;
    DWORD dwValue;
};
std::vector<CDwmCall> g_calls;
HRESULT WINAPI RecordCall(HWND hWnd, DWORD dwAttribute, LPCVOID pvValue, DWORD)
{
    g_calls.push_back(CDwmCall{ hWnd, dwAttribute, *(const DWORD*)pvValue });
    return S_OK;
}
}

TEST(HandleSystemFrame, TheSystemIsAskedForTheSkinsCornersAndBorderAndTheirDefaultsWhenUnskinned)
{
    CDarkSkin skin("corners=\"small\" border=\"none\"");
    g_calls.clear();
    struct CRecorder
    {
        CRecorder() { CDwmAttributes::Replace(RecordCall); }
        ~CRecorder() { CDwmAttributes::UseSystem(); }
    } recorder;
    CWhiteHost host(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(host.hWnd, L"Main"));
    auto Last = [&](DWORD dwAttribute) {
        DWORD dwValue = 0xDEAD;
        for (const CDwmCall& call : g_calls)
            if (call.hWnd == host.hWnd && call.dwAttribute == dwAttribute)
                dwValue = call.dwValue;
        return dwValue;
    };
    EXPECT_EQ(CDwmAttributes::CORNER_ROUNDSMALL, Last(CDwmAttributes::WINDOW_CORNER_PREFERENCE));
    EXPECT_EQ(CDwmAttributes::COLOR_NONE, Last(CDwmAttributes::BORDER_COLOR));
    g_calls.clear();
    ::SetWindowPos(host.hWnd, NULL, 0, 0, 340, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CDwmAttributes::CORNER_ROUNDSMALL, Last(CDwmAttributes::WINDOW_CORNER_PREFERENCE)) << "after a resize";
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_UnskinWindow(host.hWnd));
    EXPECT_EQ(CDwmAttributes::CORNER_DEFAULT, Last(CDwmAttributes::WINDOW_CORNER_PREFERENCE));
    EXPECT_EQ(CDwmAttributes::COLOR_DEFAULT, Last(CDwmAttributes::BORDER_COLOR));
}

TEST(HandleDpiWalk, AWindowCarriedBetweenMonitorsComesBackToExactlyItsSize)
{
    CDarkSkin skin;
    CWhiteHost host(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_EQ(KORVOSKIN_OK, KorvoSkin_SkinWindow(host.hWnd, L"Main"));
    // Odd sizes, which no scale divides evenly.
    ::SetWindowPos(host.hWnd, NULL, 0, 0, 401, 203, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CSize size96 = host.Window().Size();
    for (int nRound = 0; nRound < 5; nRound++)
        for (UINT nDpi : { 144u, 96u, 144u, 192u, 96u, 120u, 168u, 96u })
        {
            // As the system suggests: the window's rectangle scaled from the DPI it has.
            const CRect rc = host.Window();
            const UINT nOld = CWindowDpi::Of(host.hWnd);
            const CRect rcSuggested(rc.TopLeft(), CSize(::MulDiv(rc.Width(), nDpi, nOld), ::MulDiv(rc.Height(), nDpi, nOld)));
            ::SendMessageW(host.hWnd, WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), (LPARAM)&rcSuggested);
            if (nDpi == 96)
                ASSERT_EQ(size96, host.Window().Size()) << "round " << nRound;
            else
            {
                // Elsewhere it takes the suggested size, within rounding of its own scaled.
                ASSERT_EQ(rcSuggested, host.Window()) << nDpi;
                ASSERT_NEAR(::MulDiv(401, nDpi, 96), host.Window().Width(), 1) << nDpi;
                ASSERT_NEAR(::MulDiv(203, nDpi, 96), host.Window().Height(), 1) << nDpi;
            }
        }
}
