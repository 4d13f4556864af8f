#include "SkinDialogTestSupport.h"
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

namespace SkinDialogTest
{
namespace
{
std::string Utf8(const CString& str)
{
    int nLength = ::WideCharToMultiByte(CP_UTF8, 0, str, str.GetLength(), NULL, 0, NULL, NULL);
    std::string utf8(nLength, '\0');
    if (nLength)
        ::WideCharToMultiByte(CP_UTF8, 0, str, str.GetLength(), &utf8[0], nLength, NULL, NULL);
    return utf8;
}

std::string ReadFileBytes(const CString& strPath)
{
    std::string bytes;
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(hFile, NULL));
    DWORD nRead = 0;
    if (!bytes.empty())
        ::ReadFile(hFile, &bytes[0], (DWORD)bytes.size(), &nRead, NULL);
    ::CloseHandle(hFile);
    bytes.resize(nRead);
    return bytes;
}
}

CSkinDefinitions::CSkinDefinitions() : m_strSavedAppFolder(g_strAppFolder)
{
    g_strAppFolder = Path();
}

CSkinDefinitions::~CSkinDefinitions()
{
    g_strAppFolder = m_strSavedAppFolder;
    LoadSkin(L"", L"");
}

void CSkinDefinitions::Write(LPCWSTR pszRelative, const CString& strSections) const
{
    WriteFile(pszRelative, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<skin>\n" + Utf8(strSections) + "\n</skin>\n");
}

CString CSkinDefinitions::WindowSkin(LPCWSTR pszTargets, const CFrame& frame, LPCWSTR pszDefinitionFolder,
                                     LPCWSTR pszImage) const
{
    SkinTest::CSkinBuilder builder;
    builder.Part(L"TopLeft", 10, frame.nTop)
        .Part(L"Top", 16, frame.nTop)
        .Part(L"TopRight", 60, frame.nTop)
        .Part(L"Left", frame.nLeft, 8)
        .Part(L"Right", frame.nRight, 8)
        .Part(L"Bottom", 16, frame.nBottom);
    CString strTargets;
    CString strNames(pszTargets);
    for (int nStart = 0; nStart <= strNames.GetLength();)
    {
        int nEnd = strNames.Find(L'|', nStart);
        if (nEnd < 0)
            nEnd = strNames.GetLength();
        strTargets += L"<target window=\"" + strNames.Mid(nStart, nEnd - nStart) + L"\"/>";
        nStart = nEnd + 1;
    }
    builder.Xml(strTargets);
    if (frame.bButtons)
    {
        for (LPCWSTR pszButton : { L"System", L"Minimise", L"Maximise", L"Close" })
        {
            builder.Part(pszButton, 20, 18);
            builder.Part(CString(pszButton) + L"Hover", 20, 18);
            builder.Part(CString(pszButton) + L"Down", 20, 18);
        }
        builder.Xml(L"<anchors><anchor name=\"System\" rect=\"12,6,20,18\"/><anchor name=\"Minimise\" rect=\"-90,6,20,18\"/>"
                    L"<anchor name=\"Maximise\" rect=\"-60,6,20,18\"/><anchor name=\"Close\" rect=\"-30,6,20,18\"/>"
                    L"<anchor name=\"Icon\" point=\"36,7\"/></anchors>"
                    L"<caption rect=\"56,8,150,16\" fontFace=\"Tahoma\" fontSize=\"14\" fontWeight=\"bold\""
                    L" colour=\"FF00FF\" inactiveColour=\"FF00FF\"/>"
                    L"<resizeBorder rect=\"6,5,4,3\"/>");
    }
    CString strXml = builder.Document();
    CString strImage = CString(pszDefinitionFolder) + pszImage;
    std::string bytes = ReadFileBytes(builder.m_folder.Path() + L"skin.bmp");
    WriteFile(strImage, bytes.data(), bytes.size());
    strXml.Replace(L"path=\"skin.bmp\"", CString(L"path=\"") + pszImage + L"\"");
    return strXml;
}

BEGIN_MESSAGE_MAP(CTestSkinDialog, CSkinDialog)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CTestSkinDialog::CTestSkinDialog()
{
}

BOOL CTestSkinDialog::CreateAt(int x, int y, LPCWSTR pszTitle)
{
    m_pTemplate.reset(new KorvoTest::CDialogTemplate(STYLE, 200, 120, pszTitle));
    m_pTemplate->AddControl(L"Static", ID_STATIC, SS_LEFT | WS_VISIBLE, 4, 4, 60, 12, L"");
    if (!CreateIndirect(m_pTemplate->Get()))
        return FALSE;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    KorvoTest::PumpMessages(20);
    return TRUE;
}

CRect CTestSkinDialog::WindowRect() const
{
    CRect rc;
    GetWindowRect(&rc);
    return rc;
}

CSize CTestSkinDialog::ClientSize() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Size();
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

void CTestSkinDialog::OnCancel()
{
    m_nCancels++;
    DestroyWindow();
}

void CTestSkinDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    m_sysCommands.push_back(nID & 0xFFF0);
    CSkinDialog::OnSysCommand(nID, lParam);
}

void SendMouse(int x, int y, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    ::SendInput(1, &input, sizeof(input));
}
}
