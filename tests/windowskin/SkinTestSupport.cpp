#include "SkinTestSupport.h"
#include <algorithm>
#include <ostream>
#include <string>

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << " x " << size.cy;
}

namespace SkinTest
{
PartPixel Decode(COLORREF cr)
{
    const int nRed = GetRValue(cr);
    if (cr == CLR_INVALID || nRed < 20 || (nRed - 20) % 8 || (nRed - 20) / 8 >= WINDOWSKIN_PART_COUNT)
        return { -1, 0, 0 };
    return { (nRed - 20) / 8, GetGValue(cr), GetBValue(cr) };
}

void PrintTo(const PartPixel& pixel, std::ostream* os)
{
    *os << "part " << pixel.nPart << " at (" << pixel.x << ", " << pixel.y << ")";
}

CSkinBuilder& CSkinBuilder::Part(LPCWSTR pszName, int cx, int cy, LPCWSTR pszMode)
{
    const int x = m_rects.empty() ? 0 : m_rects.back().right;
    m_rects.push_back(CRect(x, 0, x + cx, cy));
    m_parts.push_back(-1);
    for (int n = 0; n < WINDOWSKIN_PART_COUNT; n++)
        if (CString(pszName).CompareNoCase(CWindowSkin::s_pszPartNames[n]) == 0)
            m_parts.back() = n;
    m_strParts.AppendFormat(L"<part name=\"%s\" rect=\"%d,0,%d,%d\" mode=\"%s\"/>", pszName, x, cx, cy, pszMode);
    return *this;
}

CSkinBuilder& CSkinBuilder::Xml(LPCWSTR pszXml)
{
    m_strXml += pszXml;
    return *this;
}

std::vector<BYTE> CSkinBuilder::Image() const
{
    int nHeight = 1;
    for (const CRect& rc : m_rects)
        nHeight = std::max<int>(nHeight, rc.bottom);
    return KorvoTest::MakeBitmapFile(std::max<int>(1, m_rects.back().right), nHeight, [](int x, int y, void* pContext) {
        const CSkinBuilder* pSkin = (const CSkinBuilder*)pContext;
        for (size_t n = 0; n < pSkin->m_rects.size(); n++)
            if (pSkin->m_rects[n].PtInRect(CPoint(x, y)))
                return RGB(20 + 8 * pSkin->m_parts[n], x - pSkin->m_rects[n].left, y);
        return RGB(0, 0, 0);
    }, (void*)this);
}

CString CSkinBuilder::Element(LPCWSTR pszImage) const
{
    return L"<windowSkin><parts>" + m_strParts + L"</parts><image path=\"" + pszImage + L"\"/>" + m_strXml + L"</windowSkin>";
}

CSkinBuilder FrameSkin(LPCWSTR pszTarget, const CRect& rcFrame, bool bButtons)
{
    CSkinBuilder skin(pszTarget);
    skin.Part(L"TopLeft", 10, rcFrame.top).Part(L"Top", 16, rcFrame.top).Part(L"TopRight", 60, rcFrame.top)
        .Part(L"Left", rcFrame.left, 8).Part(L"Right", rcFrame.right, 8)
        .Part(L"BottomLeft", 10, rcFrame.bottom).Part(L"Bottom", 16, rcFrame.bottom).Part(L"BottomRight", 12, rcFrame.bottom);
    if (!bButtons)
        return skin;
    for (LPCWSTR pszButton : { L"System", L"Minimise", L"Maximise", L"Close" })
        for (LPCWSTR pszLook : { L"", L"Hover", L"Down" })
            skin.Part(CString(pszButton) + pszLook, 20, 18);
    return skin.Xml(L"<anchors><anchor name=\"System\" rect=\"12,6,20,18\"/><anchor name=\"Minimise\" rect=\"-90,6,20,18\"/>"
                    L"<anchor name=\"Maximise\" rect=\"-60,6,20,18\"/><anchor name=\"Close\" rect=\"-30,6,20,18\"/>"
                    L"<anchor name=\"Icon\" point=\"36,7\"/></anchors><resizeBorder rect=\"6,5,4,3\"/>"
                    L"<caption rect=\"56,8,150,16\" fontFace=\"Tahoma\" fontSize=\"14\" fontWeight=\"bold\" colour=\"FF00FF\"/>");
}

CSkinDefinitions::~CSkinDefinitions()
{
    RestoreAppFolder();
    LoadSkin(L"", L"");
}

void CSkinDefinitions::Write(LPCWSTR pszRelative, const CString& strSections) const
{
    // The definitions the tests write are plain ASCII.
    const CString strXml = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<skin>\n" + strSections + L"\n</skin>\n";
    WriteFile(pszRelative, std::string(strXml.GetString(), strXml.GetString() + strXml.GetLength()));
}

CString CSkinDefinitions::Skin(const CSkinBuilder& skin, LPCWSTR pszFolder)
{
    CString strImage;
    strImage.Format(L"skin%d.bmp", ++m_nImages);
    std::vector<BYTE> image = skin.Image();
    WriteFile(CString(pszFolder) + strImage, image.data(), image.size());
    return skin.Element(strImage);
}

void CSkinDefinitions::Load(const CString& strWindowSkins, const CString& strOtherSections)
{
    Write(L"Definitions\\Definitions.xml", strOtherSections + Skins(strWindowSkins));
    LoadSkin(L"", L"");
}

BEGIN_MESSAGE_MAP(CTestSkinDialog, CSkinDialog)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

BOOL CTestSkinDialog::CreateAt(int x, int y, LPCWSTR pszTitle, int cx, int cy, DWORD dwStyle)
{
    m_pTemplate.reset(new KorvoTest::CDialogTemplate(dwStyle, cx, cy, pszTitle));
    m_pTemplate->AddControl(L"Static", ID_STATIC, SS_LEFT | WS_VISIBLE, 4, 4, 30, 10, L"");
    if (!CreateIndirect(m_pTemplate->Get()))
        return FALSE;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    KorvoTest::PumpMessages(20);
    return TRUE;
}

BOOL CTestSkinDialog::CreateSkinned(const CRect& rcWindow, LPCWSTR pszSkin, LPCWSTR pszTitle)
{
    if (!CreateAt(rcWindow.left, rcWindow.top, pszTitle, 40, 20) || !SkinMe(pszSkin))
        return FALSE;
    SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawFrame(m_hWnd);
    KorvoTest::PumpMessages(20);
    return WindowRect() == rcWindow;
}

CRect CTestSkinDialog::RegionBox() const
{
    CRect rc(0, 0, 0, 0);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_hWnd, hRgn) != ERROR)
        ::GetRgnBox(hRgn, &rc);
    ::DeleteObject(hRgn);
    return rc;
}

LRESULT CTestSkinDialog::SendNc(UINT nMessage, UINT nHitTest, int x, int y)
{
    const CRect rc = WindowRect();
    return SendMessage(nMessage, nHitTest, MAKELPARAM(rc.left + x, rc.top + y));
}

void CTestSkinDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    m_sysCommands.push_back(nID & 0xFFF0);
    CSkinDialog::OnSysCommand(nID, lParam);
}

CRect WorkArea(const CWnd& wnd)
{
    MONITORINFO info = { sizeof(info) };
    ::GetMonitorInfoW(::MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

void SendMouse(int x, int y, DWORD dwFlags)
{
    INPUT input = { INPUT_MOUSE };
    input.mi.dx = (x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    ::SendInput(1, &input, sizeof(input));
}

namespace
{
void (*g_pfnPending)(void*);
void* g_pPendingContext;

void CALLBACK RunPendingCall(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    g_pfnPending(g_pPendingContext);
}
}

void RunSoon(UINT nDelay, void (*pfn)(void* pContext), void* pContext)
{
    g_pfnPending = pfn;
    g_pPendingContext = pContext;
    ::SetTimer(NULL, 0, nDelay, RunPendingCall);
}
}
