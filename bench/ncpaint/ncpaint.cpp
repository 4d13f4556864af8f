// Non-client painting of an 800 x 600 window: the full skinned paint and the caption-only
// repaint (what activation, title and button changes cost), measured in the same process against
// the system frame's default non-client paint of a window of the same size, and against the floor:
// the same frame's pixels put on screen by one copy (the caption repaint against the caption
// strip's pixels in one copy). Also the size change
// of a shaped skin, whose window region is built anew on every WM_SIZE, against that of an
// unshaped one, whose region is a plain rectangle. Last, the skinned window told 192 DPI (its
// parts drawn twice as large) against the same system frame, both of the same pixel size.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "PictureFiles.h"
#include "parts/CGdiplusSession.h"
#include "theme/CInterfaceTheme.h"
#include "windowskin/CWindowSkin.h"
#include "parts/CWindowDpi.h"
#include "xml/XML.h"
#include <stdio.h>
#include <algorithm>
#include <vector>
#include "api/Globals.h"

namespace
{
const int RUNS = 15;
const int PAINTS_PER_RUN = 100;
const int WINDOW_WIDTH = 800;
const int WINDOW_HEIGHT = 600;
// The skinned frame against the system's, held per build to what each has done, so that a
// slower frame shows: the two builds run on Wine's 32-bit and 64-bit halves, whose costs differ.
const double FRAME_TARGET = sizeof(void*) == 8 ? 0.12 : 0.25;

CWinApp g_benchApp(L"KorvoBench");

// A skin laid out like a typical one: 30-pixel caption strip with corners, tiled edges, four
// buttons with hover and pressed looks, an icon and outlined caption text.
struct CPartLayout
{
    const wchar_t* pszName;
    int x, y, cx, cy;
    const wchar_t* pszMode;
};

const CPartLayout g_parts[] = {
    { L"TopLeft", 0, 0, 40, 30, NULL },        { L"Top", 40, 0, 32, 30, NULL },
    { L"TopRight", 72, 0, 120, 30, NULL },     { L"TopLeftIA", 0, 30, 40, 30, NULL },
    { L"TopIA", 40, 30, 32, 30, NULL },        { L"TopRightIA", 72, 30, 120, 30, NULL },
    { L"LeftTop", 0, 60, 6, 20, NULL },        { L"Left", 6, 60, 6, 24, NULL },
    { L"LeftBottom", 12, 60, 6, 20, NULL },    { L"RightTop", 18, 60, 6, 20, NULL },
    { L"Right", 24, 60, 6, 24, NULL },         { L"RightBottom", 30, 60, 6, 20, NULL },
    { L"BottomLeft", 36, 60, 20, 8, NULL },    { L"Bottom", 56, 60, 32, 8, NULL },
    { L"BottomRight", 88, 60, 20, 8, NULL },   { L"System", 0, 90, 20, 18, NULL },
    { L"SystemHover", 20, 90, 20, 18, NULL },  { L"SystemDown", 40, 90, 20, 18, NULL },
    { L"Minimise", 60, 90, 20, 18, NULL },     { L"MinimiseHover", 80, 90, 20, 18, NULL },
    { L"MinimiseDown", 100, 90, 20, 18, NULL },{ L"Maximise", 120, 90, 20, 18, NULL },
    { L"MaximiseHover", 140, 90, 20, 18, NULL },{ L"MaximiseDown", 160, 90, 20, 18, NULL },
    { L"Close", 180, 90, 20, 18, NULL },       { L"CloseHover", 200, 90, 20, 18, NULL },
    { L"CloseDown", 220, 90, 20, 18, NULL },
};

// A skin image of distinct colours, so that every part copies real pixels.
COLORREF SkinImagePixel(int x, int y, void*)
{
    return RGB(x ^ y, y * 3, x * 7 + y);
}

// A rounded window with a notch and a grip cut out of its bottom corners, as shaped skins are.
const wchar_t g_szRegion[] =
    L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"16,16\"/>"
    L"<shape type=\"rectangle\" rect=\"0,0,-1,20\" combine=\"or\"/>"
    L"<shape type=\"ellipse\" rect=\"-60,-60,-1,-1\" combine=\"diff\"/>"
    L"<shape type=\"rectangle\" rect=\"300,0,-300,4\" combine=\"diff\"/></region>";

CString SkinDefinition(const wchar_t* pszExtra = L"", const wchar_t* pszImage = L"skin.bmp")
{
    CString strXml = CString(L"<windowSkin>") + pszExtra + L"<image path=\"" + pszImage + L"\"/><parts>";
    for (const CPartLayout& part : g_parts)
        strXml.AppendFormat(L"<part name=\"%s\" rect=\"%d,%d,%d,%d\"/>", part.pszName, part.x, part.y, part.cx, part.cy);
    strXml += L"</parts><anchors><anchor name=\"Icon\" point=\"10,7\"/><anchor name=\"System\" rect=\"30,6,20,18\"/>"
              L"<anchor name=\"Minimise\" rect=\"-90,6,20,18\"/><anchor name=\"Maximise\" rect=\"-64,6,20,18\"/>"
              L"<anchor name=\"Close\" rect=\"-38,6,20,18\"/></anchors>"
              L"<caption rect=\"56,4,400,22\" fontFace=\"Tahoma\" fontSize=\"14\" fontWeight=\"bold\" colour=\"FFFFFF\""
              L" outlineColour=\"202020\" shadowColour=\"000000\" align=\"center\"/></windowSkin>";
    return strXml;
}

// The window a skinned dialog would be: its non-client messages go to the skin.
class CSkinnedWnd : public CWnd
{
public:
    CWindowSkin* m_pSkin = NULL;
    CWindowSkinState m_state;

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { m_pSkin->OnNcCalcSize(this, bCalcValidRects, lpncsp); }
    afx_msg void OnNcPaint() { m_pSkin->OnNcPaint(this, m_state); }
    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        m_pSkin->OnNcActivate(this, m_state, bActive);
        return TRUE;
    }
    afx_msg void OnSize(UINT, int, int) { m_pSkin->ApplyRegion(this); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSkinnedWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// The floor: the same window's frame pixels, taken once from the skinned window, put on screen
// by one copy from a prepared bitmap with the client area left out; and for activation, the
// caption strip's rows alone in one copy.
class CFloorWnd : public CWnd
{
public:
    CWindowSkin* m_pSkin = NULL;
    int m_nCaptionHeight = 0;
    CDC m_dcFrame;
    CBitmap m_bmpFrame;

    // Takes the skinned window's frame as it is on screen.
    BOOL Prepare(CWnd& source)
    {
        CRect rcWindow;
        source.GetWindowRect(&rcWindow);
        CWindowDC dcSource(&source);
        if (!m_dcFrame.CreateCompatibleDC(&dcSource) || !m_bmpFrame.CreateCompatibleBitmap(&dcSource, rcWindow.Width(), rcWindow.Height()))
            return FALSE;
        m_dcFrame.SelectObject(&m_bmpFrame);
        return m_dcFrame.BitBlt(0, 0, rcWindow.Width(), rcWindow.Height(), &dcSource, 0, 0, SRCCOPY);
    }

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { m_pSkin->OnNcCalcSize(this, bCalcValidRects, lpncsp); }
    afx_msg void OnNcPaint()
    {
        CRect rcWindow, rcClient;
        GetWindowRect(&rcWindow);
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        rcClient.OffsetRect(-rcWindow.TopLeft());
        CWindowDC dc(this);
        dc.ExcludeClipRect(rcClient);
        dc.BitBlt(0, 0, rcWindow.Width(), rcWindow.Height(), &m_dcFrame, 0, 0, SRCCOPY);
    }
    afx_msg BOOL OnNcActivate(BOOL)
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CWindowDC dc(this);
        dc.BitBlt(0, 0, rcWindow.Width(), m_nCaptionHeight, &m_dcFrame, 0, 0, SRCCOPY);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFloorWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

// Microseconds per message for one run of PAINTS_PER_RUN messages; fnBefore runs before each.
template <class FN> double Microseconds(HWND hWnd, UINT nMessage, WPARAM wParam, FN fnBefore, LPARAM lParam = 0)
{
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int n = 0; n < PAINTS_PER_RUN; n++)
    {
        fnBefore(n);
        ::SendMessageW(hWnd, nMessage, wParam, lParam);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    return (double)(end.QuadPart - start.QuadPart) * 1e6 / (double)frequency.QuadPart / PAINTS_PER_RUN;
}

double Microseconds(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam = 0)
{
    return Microseconds(hWnd, nMessage, wParam, [](int) {}, lParam);
}
}

int main()
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);

    KorvoTest::CTempFolder folder;
    std::vector<BYTE> image = KorvoTest::MakeBitmapFile(256, 112, SkinImagePixel, NULL);
    folder.WriteFile(L"skin.bmp", image.data(), image.size());
    // The same pixels as a PNG whose caption buttons are translucent, so the frame is blended.
    CGdiplusSession session;
    std::vector<BYTE> png = PictureFiles::MakePng(256, 112, [](int x, int y, BYTE& alpha) {
        alpha = y >= 90 ? 160 : 255;
        return SkinImagePixel(x, y, NULL);
    });
    folder.WriteFile(L"skin.png", png.data(), png.size());

    CWindowSkin skin(g_Theme), shapedSkin(g_Theme), alphaSkin(g_Theme);
    CXmlElement* pRoot = XmlParseDocument(SkinDefinition(), FALSE);
    BOOL bParsed = pRoot && skin.Parse(pRoot, folder.Path());
    delete pRoot;
    pRoot = XmlParseDocument(SkinDefinition(g_szRegion), FALSE);
    bParsed = bParsed && pRoot && shapedSkin.Parse(pRoot, folder.Path());
    delete pRoot;
    pRoot = XmlParseDocument(SkinDefinition(L"", L"skin.png"), FALSE);
    bParsed = bParsed && pRoot && alphaSkin.Parse(pRoot, folder.Path()) && alphaSkin.m_pImage->HasAlpha();
    delete pRoot;
    if (!bParsed)
    {
        printf("ncpaint: the benchmark skin did not load\n");
        return 1;
    }

    LPCWSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW),
                                           (HBRUSH)::GetStockObject(WHITE_BRUSH));
    CSkinnedWnd skinned;
    skinned.m_pSkin = &skin;
    CWnd system;
    // Both fully on the 1024 x 768 screen while they are painted.
    const DWORD dwSkinnedStyle = WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    BOOL bCreated = skinned.CreateEx(0, pszClass, L"Skinned window title", dwSkinnedStyle, 0, 0, WINDOW_WIDTH,
                                     WINDOW_HEIGHT, NULL, NULL)
                 && system.CreateEx(0, pszClass, L"Skinned window title", WS_OVERLAPPEDWINDOW, 100, 100, WINDOW_WIDTH,
                                    WINDOW_HEIGHT, NULL, NULL);
    if (!bCreated)
    {
        printf("ncpaint: the windows could not be created\n");
        return 1;
    }
    // A dialog's 16-pixel icon, drawn in the skinned caption and in the system one.
    HICON hSmallIcon = (HICON)::LoadImageW(NULL, (LPCWSTR)IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);
    skinned.SetIcon(hSmallIcon, FALSE);
    system.SetIcon(hSmallIcon, FALSE);
    skinned.ShowWindow(SW_SHOWNOACTIVATE);
    system.ShowWindow(SW_SHOWNOACTIVATE);
    KorvoTest::PumpMessages();

    // Warm-up: the skin's image DC and the shared buffer are created on the first paint.
    ::SendMessageW(skinned.m_hWnd, WM_NCPAINT, 1, 0);
    ::SendMessageW(system.m_hWnd, WM_NCPAINT, 1, 0);
    CFloorWnd floor;
    floor.m_pSkin = &skin;
    floor.m_nCaptionHeight = skin.GetFrameThickness(CDpiScale(CDpiScale::BASE_DPI)).top;
    if (!floor.CreateEx(0, pszClass, L"", dwSkinnedStyle, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, NULL, NULL) || !floor.Prepare(skinned))
    {
        printf("ncpaint: the floor window could not be made\n");
        return 1;
    }
    floor.ShowWindow(SW_SHOWNOACTIVATE);
    ::SetWindowPos(skinned.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KorvoTest::PumpMessages();

    // The runs interleave the measurements, so that a busy moment of the machine hits them alike.
    // The caption-only repaint is measured as activation going back and forth, what repaints a
    // caption most often. Also shown: the caption repainted after each of three titles in turn,
    // so that it is composed afresh every time; and the skinned paints without the window icon
    // and the caption text, which both paints share.
    static const wchar_t* const pszTitles[] = { L"Skinned window title", L"Another title", L"A third title" };
    double dFloor = 1e300, dCaptionFloor = 1e300, dSystem = 1e300, dFull = 1e300, dCaption = 1e300, dRetitled = 1e300, dBareFull = 1e300,
           dBareCaption = 1e300, dAlphaFull = 1e300;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        dSystem = std::min(dSystem, Microseconds(system.m_hWnd, WM_NCPAINT, 1));
        dFull = std::min(dFull, Microseconds(skinned.m_hWnd, WM_NCPAINT, 1));
        dFloor = std::min(dFloor, Microseconds(floor.m_hWnd, WM_NCPAINT, 1));
        dCaption = std::min(dCaption, Microseconds(skinned.m_hWnd, WM_NCACTIVATE, 0, [&](int n) {
            ::SendMessageW(skinned.m_hWnd, WM_NCACTIVATE, n % 2, 0);
        }) / 2);
        dCaptionFloor = std::min(dCaptionFloor, Microseconds(floor.m_hWnd, WM_NCACTIVATE, 0, [&](int n) {
            ::SendMessageW(floor.m_hWnd, WM_NCACTIVATE, n % 2, 0);
        }) / 2);
        dRetitled = std::min(dRetitled, Microseconds(skinned.m_hWnd, WM_NCACTIVATE, TRUE, [&](int n) {
            skinned.SetWindowText(pszTitles[n % 3]);
        }));
        skinned.SetWindowText(pszTitles[0]);
        skinned.SetIcon(NULL, FALSE);
        skin.m_bCaption = 0;
        dBareFull = std::min(dBareFull, Microseconds(skinned.m_hWnd, WM_NCPAINT, 1));
        dBareCaption = std::min(dBareCaption, Microseconds(skinned.m_hWnd, WM_NCACTIVATE, 0, [&](int n) {
            ::SendMessageW(skinned.m_hWnd, WM_NCACTIVATE, n % 2, 0);
        }) / 2);
        skinned.SetIcon(hSmallIcon, FALSE);
        skin.m_bCaption = 1;
        skinned.m_pSkin = &alphaSkin;
        dAlphaFull = std::min(dAlphaFull, Microseconds(skinned.m_hWnd, WM_NCPAINT, 1));
        skinned.m_pSkin = &skin;
    }

    // Size changes: the same message with the window's own size, so that only the region is
    // built and set, once for the unshaped skin and once for the shaped one.
    double dPlainSize = 1e300, dShapedSize = 1e300;
    const LPARAM lSize = MAKELPARAM(WINDOW_WIDTH, WINDOW_HEIGHT);
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        skinned.m_pSkin = &skin;
        dPlainSize = std::min(dPlainSize, Microseconds(skinned.m_hWnd, WM_SIZE, SIZE_RESTORED, lSize));
        skinned.m_pSkin = &shapedSkin;
        dShapedSize = std::min(dShapedSize, Microseconds(skinned.m_hWnd, WM_SIZE, SIZE_RESTORED, lSize));
    }
    skinned.m_pSkin = &skin;

    // The platform here draws its own frame at the screen's DPI only, so the system window keeps
    // its size in pixels: the row shows what drawing the parts larger costs.
    CWindowDpi::Remember(skinned.m_hWnd, 192);
    skinned.SetWindowPos(NULL, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::SendMessageW(skinned.m_hWnd, WM_NCPAINT, 1, 0);
    double dSystemAt192 = 1e300, dFullAt192 = 1e300;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        dSystemAt192 = std::min(dSystemAt192, Microseconds(system.m_hWnd, WM_NCPAINT, 1));
        dFullAt192 = std::min(dFullAt192, Microseconds(skinned.m_hWnd, WM_NCPAINT, 1));
    }
    CWindowDpi::Forget(skinned.m_hWnd);

    printf("ncpaint: %dx%d window, best of %d runs of %d paints\n", WINDOW_WIDTH, WINDOW_HEIGHT, RUNS, PAINTS_PER_RUN);
    printf("ncpaint: system frame non-client paint   %8.1f us\n", dSystem);
    printf("ncpaint: skinned full non-client paint   %8.1f us\n", dFull);
    printf("ncpaint: its pixels in one copy (floor)  %8.1f us\n", dFloor);
    printf("ncpaint: skinned caption-only repaint    %8.1f us  (activation going back and forth)\n", dCaption);
    printf("ncpaint: caption strip in one copy (floor) %6.1f us\n", dCaptionFloor);
    printf("ncpaint: caption repaint after a new title %6.1f us  (composed afresh)\n", dRetitled);
    printf("ncpaint: full skinned / system frame     %8.3f  (target <= %.2f)\n", dFull / dSystem, FRAME_TARGET);
    printf("ncpaint: caption-only / full skinned     %8.3f  (target < 0.25)\n", dCaption / dFull);
    printf("ncpaint: without icon and caption text: full %.1f us, caption-only %.1f us, ratio %.3f\n", dBareFull,
           dBareCaption, dBareCaption / dBareFull);

    printf("ncpaint: PNG-alpha skin full paint       %8.1f us  (ratio to BMP skin %.3f)\n", dAlphaFull, dAlphaFull / dFull);
    printf("ncpaint: WM_SIZE, unshaped skin           %8.1f us\n", dPlainSize);
    printf("ncpaint: WM_SIZE, shaped skin (4 shapes)  %8.1f us\n", dShapedSize);
    printf("ncpaint: shaped / unshaped WM_SIZE       %8.3f\n", dShapedSize / dPlainSize);
    printf("ncpaint: skinned full paint at 192 DPI   %8.1f us  (system frame %.1f us)\n", dFullAt192, dSystemAt192);

    KorvoBench::Row("ncpaint: skinned frame vs system frame", dFull / 1e6, dSystem / 1e6, KorvoBench::TIME_AT_MOST,
                    FRAME_TARGET);
    KorvoBench::Row("ncpaint: skinned frame vs one copy of its pixels (floor)", dFull / 1e6, dFloor / 1e6,
                    KorvoBench::TIME_AT_MOST, 1.5);
    KorvoBench::Row("ncpaint: caption-only vs full skinned repaint", dCaption / 1e6, dFull / 1e6, KorvoBench::TIME_AT_MOST, 0.25);
    // What a window DC and one copy cost whatever is copied: the caption strip's floor against
    // the whole frame's.
    KorvoBench::Row("ncpaint floor: caption strip in one copy vs whole frame in one copy", dCaptionFloor / 1e6,
                    dFloor / 1e6, KorvoBench::TIME_AT_MOST, 0.25);
    KorvoBench::Row("ncpaint: caption-only repaint vs its one copy (floor)", dCaption / 1e6, dCaptionFloor / 1e6,
                    KorvoBench::TIME_AT_MOST, 1.5);
    KorvoBench::Row("ncpaint: PNG-alpha skin vs BMP skin", dAlphaFull / 1e6, dFull / 1e6, KorvoBench::TIME_AT_MOST, 1.5);
    KorvoBench::Row("ncpaint: PNG-alpha skin vs system frame", dAlphaFull / 1e6, dSystem / 1e6, KorvoBench::TIME_AT_MOST,
                    FRAME_TARGET);
    KorvoBench::Row("ncpaint: shaped vs unshaped WM_SIZE", dShapedSize / 1e6, dPlainSize / 1e6, KorvoBench::NO_TARGET);
    KorvoBench::Row("ncpaint: skinned frame at 192 DPI vs system frame", dFullAt192 / 1e6, dSystemAt192 / 1e6,
                    KorvoBench::NO_TARGET);

    floor.DestroyWindow();
    skinned.DestroyWindow();
    system.DestroyWindow();
    return 0;
}
