// Window skins under test: generated skin images whose every pixel names its part and its place
// in the part, definitions loaded through the library's own loading path, and a modeless skinned
// dialog built from an in-memory template.
#pragma once
#include "SkinFolder.h"
#include "DialogTemplate.h"
#include <KorvoSkin/CSkinDialog.h>
#include <windowskin/CWindowSkin.h>
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <gtest/gtest.h>
#include <iosfwd>
#include <memory>
#include <vector>

void PrintTo(const CRect& rect, std::ostream* os);
void PrintTo(const CSize& size, std::ostream* os);

namespace SkinTest
{
typedef CWindowSkin S;

// Part pixels: red 20 + 8 x part index, green the column and blue the row within the part.
struct PartPixel
{
    int nPart; // -1 when the colour is no part's
    int x;
    int y;
    bool operator==(const PartPixel& other) const { return nPart == other.nPart && x == other.x && y == other.y; }
};
void PrintTo(const PartPixel& pixel, std::ostream* os);
PartPixel Decode(COLORREF cr);

// The whole window's pixels, read at once from its window DC.
class CWindowCapture : public KorvoTest::CWindowPixels
{
public:
    explicit CWindowCapture(HWND hWnd) : KorvoTest::CWindowPixels(hWnd) {}
    PartPixel Part(int x, int y) const { return Decode(At(x, y)); }
};

inline int PartAt(HWND hWnd, int x, int y)
{
    return CWindowCapture(hWnd).Part(x, y).nPart;
}

// The client area in window coordinates: where the frame ends on each side.
inline CRect ClientInWindow(CWnd& wnd)
{
    CRect rcWindow, rcClient;
    wnd.GetWindowRect(&rcWindow);
    wnd.GetClientRect(&rcClient);
    wnd.ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    return rcClient;
}

inline void RedrawFrame(HWND hWnd)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// A <windowSkin> for one window name whose main image holds the parts side by side.
class CSkinBuilder
{
public:
    explicit CSkinBuilder(LPCWSTR pszTarget = L"Main") { m_strXml.Format(L"<target window=\"%s\"/>", pszTarget); }
    CSkinBuilder& Part(LPCWSTR pszName, int cx, int cy, LPCWSTR pszMode = L"tile");
    // Extra children of <windowSkin>; later ones override earlier ones.
    CSkinBuilder& Xml(LPCWSTR pszXml);
    std::vector<BYTE> Image() const;
    CString Element(LPCWSTR pszImage) const;

private:
    std::vector<CRect> m_rects;
    std::vector<int> m_parts;
    CString m_strParts;
    CString m_strXml;
};

// The frame most tests use: 30 on top (corners 10 and 60 wide), 4 left, 5 right, 6 below (corners
// 10 and 12 wide). With buttons: the four caption buttons in their three looks anchored as System
// 12,6 and Minimise, Maximise, Close at -90, -60, -30 (20 x 18 each; the top must be at least 24),
// the icon at 36,7, a caption band from x 56, resize zones 6, 5, 4, 3 wide.
const CRect MAIN_FRAME(4, 30, 5, 6);
CSkinBuilder FrameSkin(LPCWSTR pszTarget, const CRect& rcFrame = MAIN_FRAME, bool bButtons = true);

inline CSize Framed(const CSize& client, const CRect& rcFrame)
{
    return client + CSize(rcFrame.left + rcFrame.right, rcFrame.top + rcFrame.bottom);
}

inline CString Skins(const CString& strWindowSkins)
{
    return L"<windowSkins>" + strWindowSkins + L"</windowSkins>";
}

// A folder of skin definitions that the library's application folder points at while the object
// lives. Afterwards the original folder's skin is loaded again, so no test's window skin outlives it.
class CSkinDefinitions : public KorvoTest::CSkinFolder
{
public:
    ~CSkinDefinitions();
    // Writes the sections in a <skin> root.
    void Write(LPCWSTR pszRelative, const CString& strSections) const;
    // The <windowSkin> text, its image written into pszFolder, the folder of its definition file.
    CString Skin(const CSkinBuilder& skin, LPCWSTR pszFolder = L"Definitions\\");
    // Writes these window skins and other sections as the base definition and loads it.
    void Load(const CString& strWindowSkins, const CString& strOtherSections = L"");

private:
    int m_nImages = 0;
};

// A modeless skinned dialog from an in-memory template with a static control, ID_STATIC, in its
// top-left corner. System commands are recorded and then carried out; cancelling destroys it.
class CTestSkinDialog : public CSkinDialog
{
public:
    enum { ID_STATIC = 1001 };
    static const DWORD STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
        | DS_SETFONT;

    // Creates the dialog (its size in dialog units), moves it to (x, y) and shows it inactive.
    BOOL CreateAt(int x, int y, LPCWSTR pszTitle = L"Main", int cx = 200, int cy = 120, DWORD dwStyle = STYLE);
    // A small dialog skinned with pszSkin whose window then takes rcWindow.
    BOOL CreateSkinned(const CRect& rcWindow, LPCWSTR pszSkin = L"Main", LPCWSTR pszTitle = L"");

    CRect WindowRect() const { CRect rc; GetWindowRect(&rc); return rc; }
    CSize ClientSize() const { CRect rc; GetClientRect(&rc); return rc.Size(); }
    // The window's own region, empty when it has none.
    CRect RegionBox() const;
    // Sends a non-client message for the window point (x, y).
    LRESULT SendNc(UINT nMessage, UINT nHitTest, int x, int y);

    std::vector<UINT> m_sysCommands;
    int m_nCancels = 0;

protected:
    void OnCancel() override { m_nCancels++; DestroyWindow(); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_pTemplate;
};

// A skinned dialog test: the dialog goes before the definitions that skin it.
// The gallery's skin folder as the application folder, where the bundled skins live beside their
// definitions; the folder and an empty skin come back afterwards.
class CGalleryFolder
{
public:
    CGalleryFolder() : m_strSaved(g_strAppFolder)
    {
        g_strAppFolder = KORVO_TESTS_DIR L"\\..\\samples\\gallery\\";
        g_strAppFolder.Replace(L'/', L'\\');
    }
    ~CGalleryFolder()
    {
        g_strAppFolder = m_strSaved;
        LoadSkin(L"", L"");
    }

private:
    CString m_strSaved;
};

struct CSkinnedDialogTest : ::testing::Test
{
    CSkinDefinitions defs;
    CTestSkinDialog dlg;
};

CRect WorkArea(const CWnd& wnd);
// Real mouse input at a screen point, optionally pressing or releasing the left button.
void SendMouse(int x, int y, DWORD dwFlags = 0);
// Runs pfn on this thread after nDelay ms, from inside any modal loop that dispatches timers.
// One call waits at a time.
void RunSoon(UINT nDelay, void (*pfn)(void* pContext), void* pContext);

// Runs the message loop until fnDone holds or about a second passed; TRUE when it held.
template <typename Done> BOOL PumpUntil(Done fnDone)
{
    for (DWORD dwStart = ::GetTickCount(); !fnDone(); KorvoTest::PumpMessages(10))
        if (::GetTickCount() - dwStart > 1000)
            return FALSE;
    return TRUE;
}
}
