#include "SkinTestSupport.h"
#include <algorithm>
#include <map>
#include <stdio.h>

namespace SkinTest
{
COLORREF PartColour(int nPart, int x, int y)
{
    return RGB(20 + 8 * nPart, x, y);
}

PartPixel Decode(COLORREF cr)
{
    int nRed = GetRValue(cr);
    if (cr == CLR_INVALID || nRed < 20 || (nRed - 20) % 8 != 0 || (nRed - 20) / 8 > UNKNOWN_PART)
        return { -1, 0, 0 };
    return { (nRed - 20) / 8, GetGValue(cr), GetBValue(cr) };
}

std::string Describe(const PartPixel& pixel)
{
    char sz[64];
    if (pixel.nPart < 0)
        return "no part";
    snprintf(sz, sizeof(sz), "part %d at (%d, %d)", pixel.nPart, pixel.x, pixel.y);
    return sz;
}

COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetWindowDC(hWnd);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

PartPixel WindowPart(HWND hWnd, int x, int y)
{
    return Decode(WindowPixel(hWnd, x, y));
}

CWindowCapture::CWindowCapture(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    m_cx = rc.Width();
    m_cy = rc.Height();
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hMemory = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    HDC hWindow = ::GetWindowDC(hWnd);
    ::BitBlt(hMemory, 0, 0, m_cx, m_cy, hWindow, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindow);
    ::GdiFlush();
    m_pixels.resize((size_t)m_cx * m_cy);
    const BYTE* pByte = (const BYTE*)pBits;
    for (size_t n = 0; n < m_pixels.size(); n++, pByte += 4)
        m_pixels[n] = RGB(pByte[2], pByte[1], pByte[0]);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    ::DeleteObject(hBitmap);
}

void RedrawFrame(HWND hWnd)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

CSkinBuilder& CSkinBuilder::Part(LPCWSTR pszName, int cx, int cy, LPCWSTR pszMode)
{
    CPartRequest request;
    request.strName = pszName;
    request.cx = cx;
    request.cy = cy;
    request.strMode = pszMode ? pszMode : L"";
    request.nPart = UNKNOWN_PART;
    for (int n = 0; n < WINDOWSKIN_PART_COUNT; n++)
        if (request.strName.CompareNoCase(CWindowSkin::s_pszPartNames[n]) == 0)
            request.nPart = n;
    m_parts.push_back(request);
    return *this;
}

CSkinBuilder& CSkinBuilder::Xml(LPCWSTR pszXml)
{
    m_strXml += pszXml;
    return *this;
}

namespace
{
const int IMAGE_WIDTH = 256;

struct CImageLayout
{
    struct CPlaced
    {
        CRect rc;
        int nPart;
    };
    std::vector<CPlaced> placed;
};

COLORREF LayoutColour(int x, int y, void* pContext)
{
    CImageLayout* pLayout = (CImageLayout*)pContext;
    for (const CImageLayout::CPlaced& part : pLayout->placed)
        if (part.rc.PtInRect(CPoint(x, y)))
            return PartColour(part.nPart, x - part.rc.left, y - part.rc.top);
    return RGB(0, 0, 0);
}
}

CString CSkinBuilder::Document()
{
    // Shelf packing: parts side by side in rows of the image.
    CImageLayout layout;
    int x = 0, y = 0, nRowHeight = 0;
    for (CPartRequest& request : m_parts)
    {
        if (x + request.cx > IMAGE_WIDTH)
        {
            x = 0;
            y += nRowHeight;
            nRowHeight = 0;
        }
        request.ptImage = CPoint(x, y);
        layout.placed.push_back({ CRect(x, y, x + request.cx, y + request.cy), request.nPart });
        x += request.cx;
        nRowHeight = std::max(nRowHeight, request.cy);
    }
    int nHeight = std::max(1, y + nRowHeight);
    std::vector<BYTE> file = MakeBitmapFile(IMAGE_WIDTH, nHeight, LayoutColour, &layout);
    m_folder.WriteFile(L"skin.bmp", file.data(), file.size());

    CString strXml = L"<windowSkin>\n  <parts>\n";
    for (const CPartRequest& request : m_parts)
    {
        CString strPart;
        strPart.Format(L"    <part name=\"%s\" rect=\"%d,%d,%d,%d\"%s%s%s/>\n", (LPCWSTR)request.strName, request.ptImage.x,
                       request.ptImage.y, request.cx, request.cy, request.strMode.IsEmpty() ? L"" : L" mode=\"",
                       (LPCWSTR)request.strMode, request.strMode.IsEmpty() ? L"" : L"\"");
        strXml += strPart;
    }
    strXml += L"  </parts>\n  <image path=\"skin.bmp\"/>\n";
    strXml += m_strXml;
    strXml += L"</windowSkin>\n";
    return strXml;
}

std::unique_ptr<CWindowSkin> CSkinBuilder::Parse()
{
    return ParseSkin(Document(), m_folder.Path());
}

std::unique_ptr<CWindowSkin> ParseSkin(LPCWSTR pszXml, const CString& strFolder)
{
    std::unique_ptr<CXmlElement> pRoot(XmlParseDocument(pszXml, FALSE));
    if (!pRoot)
        return nullptr;
    std::unique_ptr<CWindowSkin> pSkin(new CWindowSkin);
    if (!pSkin->Parse(pRoot.get(), strFolder))
        return nullptr;
    return pSkin;
}

BEGIN_MESSAGE_MAP(CSkinTestWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCACTIVATE()
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CSkinTestWnd::~CSkinTestWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CSkinTestWnd::CreateSkinned(const CRect& rcWindow, DWORD dwStyle, LPCWSTR pszTitle)
{
    LPCWSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW),
                                           (HBRUSH)::GetStockObject(WHITE_BRUSH));
    if (!CreateEx(0, pszClass, pszTitle, dwStyle, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                  NULL, NULL))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    KorvoTest::PumpMessages(30);
    return TRUE;
}

CSize CSkinTestWnd::WindowSize() const
{
    CRect rc;
    GetWindowRect(&rc);
    return rc.Size();
}

void CSkinTestWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_pSkin)
        m_pSkin->OnNcCalcSize(this, bCalcValidRects, lpncsp);
    else
        CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

UINT CSkinTestWnd::OnNcHitTest(CPoint point)
{
    return m_pSkin ? m_pSkin->HitTest(this, point, (GetStyle() & WS_THICKFRAME) != 0) : CWnd::OnNcHitTest(point);
}

BOOL CSkinTestWnd::OnNcActivate(BOOL bActive)
{
    m_nNcActivates++;
    if (!m_pSkin)
        return CWnd::OnNcActivate(bActive);
    m_pSkin->OnNcActivate(this, IsWindowEnabled() ? bActive : FALSE);
    return TRUE;
}

void CSkinTestWnd::OnNcPaint()
{
    m_nNcPaints++;
    if (m_pSkin)
        m_pSkin->OnNcPaint(this);
    else
        CWnd::OnNcPaint();
}

void CSkinTestWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonDown(this, nHitTest, point))
        CWnd::OnNcLButtonDown(nHitTest, point);
}

void CSkinTestWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonUp(this, nHitTest, point))
        CWnd::OnNcLButtonUp(nHitTest, point);
}

void CSkinTestWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonDblClk(this, nHitTest, point))
        CWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CSkinTestWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_pSkin)
        m_pSkin->OnNcMouseMove(this, nHitTest, point);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CSkinTestWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_pSkin)
        m_pSkin->ApplyRegion(this);
    CWnd::OnSize(nType, cx, cy);
}

BOOL CSkinTestWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pSkin && m_pSkin->PaintWatermark(this, pDC))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

LRESULT CSkinTestWnd::OnSetText(WPARAM, LPARAM)
{
    if (!m_pSkin)
        return Default();
    // The default processing would draw a system caption on a visible window.
    BOOL bVisible = IsWindowVisible();
    if (bVisible)
        ModifyStyle(WS_VISIBLE, 0);
    LRESULT lResult = Default();
    if (bVisible)
        ModifyStyle(0, WS_VISIBLE);
    m_pSkin->OnSetText(this);
    return lResult;
}

void CSkinTestWnd::OnSysCommand(UINT nID, LPARAM)
{
    m_sysCommands.push_back(nID);
}

std::vector<MSG> TakeSysCommands(HWND hWnd)
{
    std::vector<MSG> messages;
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
        messages.push_back(msg);
    return messages;
}

namespace
{
struct CPendingCall
{
    void (*pfn)(void*);
    void* pContext;
};
std::map<UINT_PTR, CPendingCall> g_pendingCalls;

void CALLBACK RunPendingCall(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    auto it = g_pendingCalls.find(nIDEvent);
    if (it == g_pendingCalls.end())
        return;
    CPendingCall call = it->second;
    g_pendingCalls.erase(it);
    call.pfn(call.pContext);
}
}

void RunSoon(UINT nDelay, void (*pfn)(void* pContext), void* pContext)
{
    UINT_PTR nID = ::SetTimer(NULL, 0, nDelay, RunPendingCall);
    g_pendingCalls[nID] = { pfn, pContext };
}
}
