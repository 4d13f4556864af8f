// Skinned dialogs under test: skin definition files loaded through the library's own loading
// path, and a modeless skinned dialog built from an in-memory template.
#pragma once
#include "SkinTestSupport.h"
#include "DialogTemplate.h"
#include <windowskin/CSkinDialog.h>
#include <windowskin/CSkinChildDialog.h>
#include <api/SkinApi.h>
#include <iosfwd>
#include <memory>
#include <vector>

namespace SkinDialogTest
{
// Frame thicknesses of a generated window skin. With buttons, the top must be at least 24.
struct CFrame
{
    int nTop = 30;
    int nLeft = 4;
    int nRight = 5;
    int nBottom = 6;
    bool bButtons = true;
};

inline CFrame Frame(int nTop, int nLeft = 4, int nRight = 5, int nBottom = 6)
{
    CFrame frame;
    frame.nTop = nTop;
    frame.nLeft = nLeft;
    frame.nRight = nRight;
    frame.nBottom = nBottom;
    return frame;
}

inline CString Skins(const CString& strSkins)
{
    return L"<windowSkins>" + strSkins + L"</windowSkins>";
}

// Caption text colour of the generated skins: no part colour has this red value.
const COLORREF CAPTION_COLOUR = RGB(255, 0, 255);

// A folder of skin definition files that the library's application folder points at while the
// object lives. Afterwards the skin of the original folder is loaded again, so no window skin of
// the test outlives it.
class CSkinDefinitions : public KorvoTest::CTempFolder
{
public:
    CSkinDefinitions();
    ~CSkinDefinitions();

    // Wraps the sections in a <skin> root and writes them as UTF-8 under the folder.
    void Write(LPCWSTR pszRelative, const CString& strSections) const;
    void WriteBase(const CString& strSections) const { Write(L"Definitions\\Definitions.xml", strSections); }

    // A <windowSkin> whose targets are the bar-separated names in pszTargets ("Login|Main"),
    // whose image is written as pszImage under pszDefinitionFolder (the folder of the file the
    // element goes into, relative to this folder, ending in a backslash or empty). Every pixel
    // of the image names its part (SkinTest::Decode). With buttons: the four caption buttons
    // anchored as System 12,6 and Minimise, Maximise, Close at -90, -60, -30 (20 x 18 each), the
    // icon at 36,7, a caption band from x = 56 in CAPTION_COLOUR, resize zones 6,5,4,3 wide.
    CString WindowSkin(LPCWSTR pszTargets, const CFrame& frame, LPCWSTR pszDefinitionFolder, LPCWSTR pszImage) const;

private:
    CString m_strSavedAppFolder;
};

// A modeless skinned dialog from an in-memory template: a static control, ID_STATIC, in its
// top-left corner. System commands are recorded and then carried out; cancelling destroys it.
class CTestSkinDialog : public CSkinDialog
{
public:
    enum { ID_STATIC = 1001 };
    static const DWORD STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
        | DS_SETFONT;

    CTestSkinDialog();
    // Creates the dialog, moves its window to (x, y) and shows it without activating it.
    BOOL CreateAt(int x, int y, LPCWSTR pszTitle = L"Main");

    CRect WindowRect() const;
    CSize ClientSize() const;
    // The window's own region, empty when it has none.
    CRect RegionBox() const;

    std::vector<UINT> m_sysCommands;
    int m_nCancels = 0;

protected:
    void OnCancel() override;
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_pTemplate;
};

// Real mouse input at a screen point, optionally pressing or releasing the left button.
void SendMouse(int x, int y, DWORD dwFlags = 0);

// Runs the message loop until pfnDone holds or about nMilliseconds passed; TRUE when it held.
template <typename Done> BOOL PumpUntil(Done fnDone, DWORD nMilliseconds = 1000)
{
    for (DWORD dwStart = ::GetTickCount(); !fnDone();)
    {
        if (::GetTickCount() - dwStart > nMilliseconds)
            return FALSE;
        KorvoTest::PumpMessages(10);
    }
    return TRUE;
}
}

void PrintTo(const CRect& rect, std::ostream* os);
void PrintTo(const CSize& size, std::ostream* os);
