// What a user waits for when a skinned program starts: from the process's creation to its first
// skinned dialog painted, with InitSkin and the first LoadSkin on the way, against the same
// program showing the same dialog with the system frame. Every measurement is a fresh process:
// the program starts itself as a child, once per measurement, and the child writes its figures
// to a file. Each skinned child also times its first LoadSkin (cold) against later ones of the
// same definitions (warm), both in that one process. A skin that decodes a PNG picture starts the
// platform's picture codec in its first load; a child of its own times a process's first decode
// of that picture against later ones, the floor that start sets.
//
// The skins: each bundled gallery skin (copied beside the program at build time) and a large
// generated one of 2,000 strings, 200 command images and 20 window skins.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <parts/SkinImageFile.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace KorvoBench;

namespace
{

const int RUNS = 5;
const int WARM_LOADS = 5;

struct CSkinCase
{
    const char* pszName;
    CString strFolder;  // the host folder: Definitions\ lies in it
    CString strFirst;
    CString strSecond;
    CString strTarget;  // the window skin the dialog asks for
    // The first PNG picture the skin's load decodes, under Definitions\; null for none.
    const wchar_t* pszFirstPng;
};

// What a child process measures.
enum ChildKind
{
    CHILD_PLAIN,   // the unskinned dialog painted
    CHILD_SKINNED, // the skinned dialog painted, and the first and later loads
    CHILD_PNG,     // the first PNG decode of a process and later ones: the picture codec starting
};
const wchar_t* const g_pszKinds[] = { L"plain", L"skinned", L"png" };

// Seconds since this process was created, on the clock the creation time is kept on.
double SinceProcessStart()
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser, ftNow;
    ::GetProcessTimes(::GetCurrentProcess(), &ftCreation, &ftExit, &ftKernel, &ftUser);
    ::GetSystemTimePreciseAsFileTime(&ftNow);
    ULARGE_INTEGER uliCreation, uliNow;
    uliCreation.LowPart = ftCreation.dwLowDateTime;
    uliCreation.HighPart = ftCreation.dwHighDateTime;
    uliNow.LowPart = ftNow.dwLowDateTime;
    uliNow.HighPart = ftNow.dwHighDateTime;
    return (double)(uliNow.QuadPart - uliCreation.QuadPart) / 1e7;
}

// A dialog of the size and content a host's main window has: buttons, edits, a list.
LPCDLGTEMPLATEW MainDialog(KorvoTest::CDialogTemplate& dialogTemplate)
{
    for (int n = 0; n < 6; n++)
    {
        dialogTemplate.AddControl(L"Button", 1000 + n, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + n * 60, 10, 55, 14, L"Button");
        dialogTemplate.AddControl(L"Edit", 1100 + n, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10 + n * 60, 30,
                                  55, 12, L"Text");
    }
    dialogTemplate.AddControl(L"Static", 1200, WS_CHILD | WS_VISIBLE, 10, 50, 300, 10, L"A static line of text");
    dialogTemplate.AddControl(L"ListBox", 1201, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 10, 65, 350, 120);
    return dialogTemplate.Get();
}

// Shows the dialog and paints it, frame and client, before returning.
void ShowPainted(CDialog& dialog)
{
    dialog.ShowWindow(SW_SHOWNORMAL);
    dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

// Decodes FOLDER\Definitions\FIRST once, then WARM_LOADS times, as a skin's load does.
bool TimePngDecodes(const CSkinCase& skin, double& dCold, double& dWarm)
{
    const CString strPath = skin.strFolder + L"Definitions\\" + skin.strFirst;
    for (int n = 0; n <= WARM_LOADS; n++)
    {
        const double dStart = Now();
        SkinImageFile::HEADER header;
        bool bTranslucent = false;
        HBITMAP hBitmap = SkinImageFile::ReadHeader(strPath, header) ? SkinImageFile::Decode(strPath, header, bTranslucent) : NULL;
        const double dTime = Now() - dStart;
        if (!hBitmap)
            return false;
        ::DeleteObject(hBitmap);
        if (n == 0)
            dCold = dTime;
        else
            dWarm = std::min(dWarm, dTime);
    }
    return true;
}

// The child: "child plain|skinned|png FOLDER FIRST SECOND TARGET RESULTFILE". Writes the time
// from process creation to the painted dialog and, when skinned, the first and the best later
// LoadSkin, all in seconds; for png, the first and the best later decode of the picture FIRST.
int RunChild(ChildKind kind, const CSkinCase& skin, LPCWSTR pszResult)
{
    const bool bSkinned = kind == CHILD_SKINNED;
    double dCold = 0, dWarm = 1e30;
    KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                              DS_SETFONT, 380, 200, L"Host main window");
    double dPainted = 0;
    bool bOk, bSkinFound = true;
    if (kind == CHILD_PNG)
    {
        InitSkin();
        bOk = TimePngDecodes(skin, dCold, dWarm);
        UnInitSkin();
    }
    else if (bSkinned)
    {
        g_strAppFolder = skin.strFolder;
        InitSkin();
        double dStart = Now();
        LoadSkin(skin.strFirst, skin.strSecond);
        dCold = Now() - dStart;
        CSkinDialog dialog;
        bOk = dialog.CreateIndirect(MainDialog(dialogTemplate)) != FALSE;
        bSkinFound = bOk && dialog.SkinMe(skin.strTarget);
        if (bOk)
            ShowPainted(dialog);
        dPainted = SinceProcessStart();
        dialog.DestroyWindow();
        for (int n = 0; n < WARM_LOADS; n++)
        {
            dStart = Now();
            LoadSkin(skin.strFirst, skin.strSecond);
            double dTime = Now() - dStart;
            if (dTime < dWarm)
                dWarm = dTime;
        }
        UnInitSkin();
    }
    else
    {
        CDialog dialog;
        bOk = dialog.CreateIndirect(MainDialog(dialogTemplate)) != FALSE;
        if (bOk)
            ShowPainted(dialog);
        dPainted = SinceProcessStart();
        dialog.DestroyWindow();
    }
    FILE* pFile = _wfopen(pszResult, L"w");
    if (!pFile)
        return 1;
    // 1: painted skinned (or plain, as asked); 2: painted, but the skin had no window skin for it.
    fprintf(pFile, "%d %.9f %.9f %.9f\n", bOk ? (bSkinFound ? 1 : 2) : 0, dPainted, dCold, kind != CHILD_PLAIN ? dWarm : 0.0);
    fclose(pFile);
    return bOk ? 0 : 1;
}

// A backslash before the closing quote would escape it: a folder's trailing one is left out and
// put back by the child.
CString Quoted(const CString& str)
{
    CString strArgument(str);
    while (!strArgument.IsEmpty() && strArgument[strArgument.GetLength() - 1] == L'\\')
        strArgument = strArgument.Left(strArgument.GetLength() - 1);
    return L"\"" + strArgument + L"\"";
}

struct CChildResult
{
    bool bOk = false;
    double dPainted = 0, dCold = 0, dWarm = 0;
};

// Starts this program as a child for one measurement and waits for it.
CChildResult StartChild(ChildKind kind, const CSkinCase& skin, const CString& strResult)
{
    CChildResult result;
    wchar_t szProgram[MAX_PATH];
    ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    CString strCommand = Quoted(szProgram) + L" child " + g_pszKinds[kind] + L" " + Quoted(skin.strFolder) +
                         L" " + Quoted(skin.strFirst) + L" " + Quoted(skin.strSecond) + L" " + Quoted(skin.strTarget) +
                         L" " + Quoted(strResult);
    STARTUPINFOW startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    ::DeleteFileW(strResult);
    if (!::CreateProcessW(szProgram, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return result;
    strCommand.ReleaseBuffer();
    // A child that has not painted its dialog within a minute has hung: it is ended.
    if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    FILE* pFile = _wfopen(strResult, L"r");
    if (!pFile)
        return result;
    int nOk = 0;
    if (fscanf(pFile, "%d %lf %lf %lf", &nOk, &result.dPainted, &result.dCold, &result.dWarm) == 4)
    {
        result.bOk = nOk == 1;
        if (nOk == 2)
            printf("  a child found no window skin for its dialog\n");
    }
    else
    {
        printf("  a child wrote no figures\n");
    }
    fclose(pFile);
    return result;
}

// The large generated skin: how many of each it declares.
const int GENERATED_STRINGS = 2000;
const int GENERATED_IMAGES = 200;
const int GENERATED_WINDOW_SKINS = 20;

// A window skin whose parts are cut from one 64 x 64 image.
void AppendWindowSkin(std::string& str, int n)
{
    // The first is the dialog's; the others target windows it does not show.
    if (n == 0)
        str += "    <windowSkin>\r\n      <target window=\"Main\"/>\r\n";
    else
        AppendF(str, "    <windowSkin>\r\n      <target window=\"Other%d\"/>\r\n", n);
    str += "      <image path=\"Generated\\frame.bmp\"/>\r\n      <parts>\r\n";
    static const char* const apszParts[] = { "TopLeft", "Top", "TopRight", "TopLeftIA", "TopIA", "TopRightIA", "LeftTop",
                                             "Left", "LeftBottom", "RightTop", "Right", "RightBottom", "BottomLeft",
                                             "Bottom", "BottomRight", "Close", "CloseHover", "CloseDown" };
    int nPart = 0;
    for (const char* pszPart : apszParts)
    {
        AppendF(str, "        <part name=\"%s\" rect=\"%d,%d,8,%d\"/>\r\n", pszPart, (nPart % 8) * 8, (nPart / 8) * 24,
                nPart < 6 ? 24 : 8);
        nPart++;
    }
    str += "      </parts>\r\n      <anchors><anchor name=\"Icon\" point=\"6,4\"/>"
           "<anchor name=\"Close\" rect=\"-26,3,8,18\"/></anchors>\r\n"
           "      <caption rect=\"28,4,300,16\" fontFace=\"Tahoma\" fontSize=\"13\" colour=\"FFFFFF\" align=\"left\"/>\r\n"
           "      <resizeBorder rect=\"4,4,4,4\"/>\r\n    </windowSkin>\r\n";
}

std::string MakeGeneratedSkin()
{
    std::string str = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<skin>\r\n"
                      "  <manifest type=\"skin\" name=\"Generated\"/>\r\n  <resourceMap>\r\n";
    for (int n = 0; n < GENERATED_IMAGES; n++)
        AppendF(str, "    <command id=\"ID_COMMAND_%d\" code=\"%d\"/>\r\n", n, 40000 + n);
    str += "  </resourceMap>\r\n  <colourScheme>\r\n"
           "    <colour name=\"system.base.window\" value=\"FFFFFF\"/>\r\n"
           "    <colour name=\"dialog.back\" value=\"ECF3FC\"/>\r\n  </colourScheme>\r\n  <strings>\r\n";
    for (int n = 0; n < GENERATED_STRINGS; n++)
        AppendF(str, "    <string id=\"%d\" value=\"String %d of the generated skin &amp; its language.\"/>\r\n",
                1000 + n, n);
    str += "  </strings>\r\n  <commandImages>\r\n"
           "    <bitmap path=\"Generated\\commands.bmp\" types=\"16\" mask=\"00FF00\">\r\n";
    for (int n = 0; n < GENERATED_IMAGES; n++)
        AppendF(str, "      <image id=\"ID_COMMAND_%d\"/>\r\n", n);
    str += "    </bitmap>\r\n  </commandImages>\r\n  <windowSkins>\r\n";
    for (int n = 0; n < GENERATED_WINDOW_SKINS; n++)
        AppendWindowSkin(str, n);
    return str + "  </windowSkins>\r\n</skin>\r\n";
}

COLORREF Pattern(int x, int y, void*)
{
    return RGB((x * 7) & 0xFF, (y * 5) & 0xFF, (x ^ y) & 0xFF);
}

int RunParent()
{
    wchar_t szProgram[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    if (!nLength || nLength >= MAX_PATH)
        return 1;
    CString strBundled(szProgram);
    strBundled = strBundled.Left(strBundled.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";

    KorvoTest::CTempFolder folder;
    folder.WriteFile(L"Definitions\\Generated.xml", MakeGeneratedSkin());
    std::vector<BYTE> strip = KorvoTest::MakeBitmapFile(16 * GENERATED_IMAGES, 16, Pattern, NULL);
    folder.WriteFile(L"Definitions\\Generated\\commands.bmp", strip.data(), strip.size());
    std::vector<BYTE> frame = KorvoTest::MakeBitmapFile(64, 64, Pattern, NULL);
    folder.WriteFile(L"Definitions\\Generated\\frame.bmp", frame.data(), frame.size());
    CString strResult = folder.Path() + L"result.txt";

    const CSkinCase aCases[] = {
        { "Aurora", strBundled, L"Definitions\\English.xml", L"Definitions\\Aurora.xml", L"Gallery", L"Aurora\\shadow.png" },
        { "Ember", strBundled, L"Definitions\\English.xml", L"Definitions\\Ember.xml", L"Gallery", NULL },
        { "generated", folder.Path(), L"Definitions\\Generated.xml", L"", L"Main", NULL },
    };
    printf("From process creation to the first painted dialog, best of %d fresh processes each;\n"
           "first LoadSkin of a process against the best of %d later ones in it\n", RUNS, WARM_LOADS);
    int nFailed = 0;
    for (const CSkinCase& skin : aCases)
    {
        double dPlain = 1e30, dSkinned = 1e30, dCold = 1e30, dWarm = 1e30, dPngCold = 1e30, dPngWarm = 1e30;
        const CSkinCase png = { "", skin.strFolder, skin.pszFirstPng ? skin.pszFirstPng : L"", L"", L"", NULL };
        // Interleaved, so that a busy moment of the machine slows both alike.
        for (int n = 0; n < RUNS; n++)
        {
            CChildResult plain = StartChild(CHILD_PLAIN, skin, strResult);
            CChildResult skinned = StartChild(CHILD_SKINNED, skin, strResult);
            CChildResult decoded;
            decoded.bOk = !skin.pszFirstPng;
            if (skin.pszFirstPng)
            {
                decoded = StartChild(CHILD_PNG, png, strResult);
                dPngCold = std::min(dPngCold, decoded.dCold);
                dPngWarm = std::min(dPngWarm, decoded.dWarm);
            }
            if (!plain.bOk || !skinned.bOk || !decoded.bOk)
            {
                nFailed++;
                continue;
            }
            dPlain = std::min(dPlain, plain.dPainted);
            dSkinned = std::min(dSkinned, skinned.dPainted);
            dCold = std::min(dCold, skinned.dCold);
            dWarm = std::min(dWarm, skinned.dWarm);
        }
        if (dPlain > 1e29)
            dPlain = dSkinned = dCold = dWarm = -1;
        printf("  %-10s start to painted: unskinned %8.1f ms, skinned %8.1f ms; LoadSkin cold %7.2f ms, warm %7.2f ms\n",
               skin.pszName, dPlain * 1000, dSkinned * 1000, dCold * 1000, dWarm * 1000);
        std::string strFigure = std::string("start to painted dialog, ") + skin.pszName + " skin vs unskinned";
        Row(strFigure.c_str(), dSkinned, dPlain, NO_TARGET);
        strFigure = std::string("first LoadSkin vs warm, ") + skin.pszName + " skin";
        // The bundled skins are what a host ships; the generated one shows how the cold cost grows.
        Row(strFigure.c_str(), dCold, dWarm, skin.strSecond.IsEmpty() ? NO_TARGET : TIME_AT_MOST, 1.5);
        if (!skin.pszFirstPng)
            continue;
        // A skin that decodes a PNG starts the platform's picture codec in its first load, once
        // in a process whoever asks first.
        const bool bPngMeasured = dCold > 0 && dPngCold < 1e29;
        printf("  %-10s first PNG decode of a process %7.2f ms, later %7.2f ms\n", skin.pszName, dPngCold * 1000,
               dPngWarm * 1000);
        strFigure = std::string("first LoadSkin floor: a process's first PNG decode vs a later one, ") + skin.pszName;
        Row(strFigure.c_str(), bPngMeasured ? dPngCold : -1, dPngWarm, NO_TARGET);
        strFigure = std::string("first LoadSkin vs warm and the codec's start, ") + skin.pszName + " skin";
        Row(strFigure.c_str(), bPngMeasured ? dCold : -1, dWarm + dPngCold - dPngWarm, TIME_AT_MOST, 1.5);
    }
    if (nFailed)
        printf("%d child processes failed\n", nFailed);
    return nFailed ? 1 : 0;
}

} // namespace

int main()
{
    StartHostApplication(L"KorvoLoadSkinBench");
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    int nResult;
    if (argv && argc > 1 && wcscmp(argv[1], L"child") == 0)
    {
        // A child never starts children of its own, whatever its arguments.
        nResult = 1;
        if (argc == 8)
        {
            CSkinCase skin = { "", CString(argv[3]) + L"\\", argv[4], argv[5], argv[6], NULL };
            ChildKind kind = CHILD_PLAIN;
            for (int n = 0; n < (int)_countof(g_pszKinds); n++)
                if (wcscmp(argv[2], g_pszKinds[n]) == 0)
                    kind = (ChildKind)n;
            nResult = RunChild(kind, skin, argv[7]);
        }
    }
    else
    {
        nResult = RunParent();
    }
    ::LocalFree(argv);
    return nResult;
}
