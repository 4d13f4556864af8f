// Window skins under test: skin images generated in code whose every pixel tells which part and
// which pixel of that part it is, and a real top-level window that hands its non-client
// messages to a skin, as a skinned dialog does.
#pragma once
#include "KorvoTest.h"
#include <windowskin/CWindowSkin.h>
#include <xml/XML.h>
#include <memory>
#include <string>
#include <vector>

namespace SkinTest
{
// Part colours: red 20 + 8 x part index, green the column and blue the row within the part.
const int UNKNOWN_PART = 30;
COLORREF PartColour(int nPart, int x, int y);

struct PartPixel
{
    int nPart;  // -1 when the colour is no part's
    int x;
    int y;
    bool operator==(const PartPixel& other) const { return nPart == other.nPart && x == other.x && y == other.y; }
};
PartPixel Decode(COLORREF cr);
std::string Describe(const PartPixel& pixel);

// Pixel of the window's own device context (window coordinates).
COLORREF WindowPixel(HWND hWnd, int x, int y);
PartPixel WindowPart(HWND hWnd, int x, int y);

// The whole window's pixels, read at once from its window DC.
class CWindowCapture
{
public:
    explicit CWindowCapture(HWND hWnd);
    COLORREF At(int x, int y) const { return m_pixels[y * m_cx + x]; }
    PartPixel Part(int x, int y) const { return Decode(At(x, y)); }
    int m_cx = 0;
    int m_cy = 0;
    std::vector<COLORREF> m_pixels;
};

// Repaints the whole non-client area now.
void RedrawFrame(HWND hWnd);

using KorvoTest::MakeBitmapFile;

// Builds a <windowSkin> with a generated main image holding the parts asked for.
class CSkinBuilder
{
public:
    CSkinBuilder& Part(LPCWSTR pszName, int cx, int cy, LPCWSTR pszMode = NULL);
    // Extra children of <windowSkin>, as XML text.
    CSkinBuilder& Xml(LPCWSTR pszXml);
    // The definition text (writes the image into the folder).
    CString Document();
    // Parses the definition; null when the skin rejects it.
    std::unique_ptr<CWindowSkin> Parse();

    KorvoTest::CTempFolder m_folder;

private:
    struct CPartRequest
    {
        CString strName;
        int cx, cy;
        CString strMode;
        int nPart;
        CPoint ptImage;
    };
    std::vector<CPartRequest> m_parts;
    CString m_strXml;
};

// Parses the text of one <windowSkin> element with the given folder.
std::unique_ptr<CWindowSkin> ParseSkin(LPCWSTR pszXml, const CString& strFolder);

// A top-level window whose frame is the skin's.
class CSkinTestWnd : public CWnd
{
public:
    explicit CSkinTestWnd(CWindowSkin* pSkin) : m_pSkin(pSkin) {}
    ~CSkinTestWnd() override;

    // Creates and shows the window with the given window rectangle.
    BOOL CreateSkinned(const CRect& rcWindow, DWORD dwStyle = WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                       LPCWSTR pszTitle = L"Skinned");
    CSize WindowSize() const;

    CWindowSkin* m_pSkin;
    int m_nNcPaints = 0;
    int m_nNcActivates = 0;
    // System commands that reached the window; they are recorded, not carried out.
    std::vector<UINT> m_sysCommands;

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Removes and returns the WM_SYSCOMMAND messages waiting for the window.
std::vector<MSG> TakeSysCommands(HWND hWnd);

// Runs pfn on this thread after nDelay ms, from inside any modal loop that dispatches timers.
void RunSoon(UINT nDelay, void (*pfn)(void* pContext), void* pContext);
}
