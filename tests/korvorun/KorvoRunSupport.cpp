#include "KorvoRunSupport.h"
#include <algorithm>
#include <regex>

namespace KorvoRunTest
{

CString WindowsPath(CString strPath)
{
    strPath.Replace(L'/', L'\\');
    return strPath;
}

bool WaitFor(const std::function<bool()>& done, DWORD nMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > nMilliseconds)
            return false;
        KorvoTest::PumpMessages(50);
    }
    return true;
}

HWND WaitForFrame()
{
    HWND hFrame = NULL;
    WaitFor([&] {
        hFrame = ::FindWindowW(L"PlainAppFrame", NULL);
        return hFrame && ::IsWindowVisible(hFrame);
    });
    return hFrame;
}

struct FIND_WINDOW
{
    DWORD dwProcess;
    LPCWSTR pszClass;
    HWND hFound;
};

static BOOL CALLBACK FindWindowOfClass(HWND hWnd, LPARAM lParam)
{
    FIND_WINDOW* pFind = (FIND_WINDOW*)lParam;
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (dwProcess == pFind->dwProcess && ::IsWindowVisible(hWnd) && wcscmp(szClass, pFind->pszClass) == 0)
    {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the class in hWnd's process, or null.
static HWND VisibleWindowBeside(HWND hWnd, LPCWSTR pszClass)
{
    FIND_WINDOW find = { 0, pszClass, NULL };
    ::GetWindowThreadProcessId(hWnd, &find.dwProcess);
    ::EnumWindows(FindWindowOfClass, (LPARAM)&find);
    return find.hFound;
}

HWND DialogOf(HWND hFrame)
{
    return VisibleWindowBeside(hFrame, L"#32770");
}

static std::string ReadFileText(const CString& strPath)
{
    std::string strText;
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strText;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &nRead, NULL) && nRead)
        strText.append(buffer, nRead);
    ::CloseHandle(hFile);
    return strText;
}

std::string Narrow(const CString& str)
{
    std::string strNarrow;
    for (int i = 0; i < str.GetLength(); i++)
        strNarrow += str[i] < 128 ? (char)str[i] : '?';
    return strNarrow;
}

SKIN_LOOK ReadSkinLook(const wchar_t* pszName)
{
    SKIN_LOOK look;
    const CString strFolder = WindowsPath(KORVORUN_DIR L"Definitions\\");
    const std::string strXml = ReadFileText(strFolder + pszName + L".xml");
    std::smatch match;
    for (auto colour : { std::make_pair("menu", &look.crMenuBack), std::make_pair("dialog", &look.crDialogBack) })
        if (std::regex_search(strXml, match, std::regex(std::string("name=\"") + colour.first + "\\.back\" value=\"([0-9A-Fa-f]{6})\"")))
        {
            const unsigned long rgb = std::stoul(match[1].str(), NULL, 16);
            *colour.second = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        }
    std::smatch image;
    if (!std::regex_search(strXml, image, std::regex("<image path=\"([^\"]+\\.bmp)\"/>")))
        return look;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(NULL, strFolder + CString(image[1].str().c_str()), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!hBitmap)
        return look;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    // The active caption strip and the inactive one.
    for (const char* pszPart : { "Top", "TopIA" })
    {
        std::smatch part;
        if (!std::regex_search(strXml, part, std::regex(std::string("<part name=\"") + pszPart +
                                                        "\" rect=\"(\\d+),(\\d+),(\\d+),(\\d+)\"")))
            continue;
        const int x = std::stoi(part[1].str()), y = std::stoi(part[2].str());
        const int cx = std::stoi(part[3].str()), cy = std::stoi(part[4].str());
        look.captions.emplace_back();
        for (int row = 0; row < cy; row++)
        {
            look.captions.back().emplace_back();
            for (int column = 0; column < cx; column++)
                look.captions.back().back().push_back(::GetPixel(hDC, x + column, y + row));
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    return look;
}

static bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

static COLORREF ScreenPixel(int x, int y)
{
    HDC hScreen = ::GetDC(NULL);
    const COLORREF cr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

bool HasSkinCaption(HWND hWnd, const SKIN_LOOK& look)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    // Where neither the caption's text nor its buttons are, in a wide window or a narrow one.
    const int columns[] = { (rc.left + rc.right) / 2, rc.right - 100 };
    return std::any_of(std::begin(columns), std::end(columns), [&](int xColumn) {
        return std::any_of(look.captions.begin(), look.captions.end(), [&](const std::vector<std::vector<COLORREF>>& rows) {
            for (int row = 4; row < (int)rows.size() - 4; row++)
                for (int x = xColumn; x < xColumn + 3; x++)
                {
                    const COLORREF cr = ScreenPixel(x, rc.top + row);
                    if (std::none_of(rows[row].begin(), rows[row].end(), [cr](COLORREF crStrip) { return Near(cr, crStrip); }))
                        return false;
                }
            return !rows.empty();
        });
    });
}

bool HasSkinMenuBar(HWND hWnd, const SKIN_LOOK& look)
{
    RECT rc;
    POINT ptClient = { 0, 0 };
    if (!::GetWindowRect(hWnd, &rc) || !::ClientToScreen(hWnd, &ptClient))
        return false;
    int nRun = 0, nLongest = 0;
    for (int y = rc.top; y < ptClient.y; y++)
    {
        nRun = ScreenPixel(rc.right - 40, y) == look.crMenuBack ? nRun + 1 : 0;
        nLongest = std::max(nLongest, nRun);
    }
    return nLongest >= 8;
}

bool HasSkinBars(HWND hFrame, const SKIN_LOOK& look)
{
    RECT rcToolBar, rcStatus;
    const HWND hToolBar = ::FindWindowExW(hFrame, NULL, TOOLBARCLASSNAMEW, NULL);
    const HWND hStatus = ::FindWindowExW(hFrame, NULL, STATUSCLASSNAMEW, NULL);
    if (!hToolBar || !hStatus || !::GetWindowRect(hToolBar, &rcToolBar) || !::GetWindowRect(hStatus, &rcStatus))
        return false;
    return ScreenPixel(rcToolBar.right - 20, (rcToolBar.top + rcToolBar.bottom) / 2) == look.crDialogBack &&
           ScreenPixel((rcStatus.left + rcStatus.right) / 2, rcStatus.bottom - 3) == look.crDialogBack;
}

bool HasSkinPopupMenu(HWND hFrame, const SKIN_LOOK& look)
{
    const HWND hPopup = VisibleWindowBeside(hFrame, L"#32768");
    RECT rc;
    if (!hPopup || !::GetWindowRect(hPopup, &rc))
        return false;
    int nMenuBack = 0;
    for (int y = rc.top + 4; y < rc.bottom - 4; y++)
        nMenuBack += ScreenPixel(rc.right - 12, y) == look.crMenuBack;
    return nMenuBack > (rc.bottom - rc.top) / 2;
}

} // namespace KorvoRunTest
