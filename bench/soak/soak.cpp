// Long reliability runs, outside the test suite (scripts/soak runs this program; scripts/bench
// leaves it out). Three parts, each printing its counts and the process's handle, USER and GDI
// object and private-memory figures at its start and end:
//   api           every exported function and host-class entry point with null, empty, unknown,
//                 huge and destroyed arguments, before InitSkin, while loaded, after UnInitSkin,
//                 each phase twice;
//   definitions   generated and mutated skin definitions and images through LoadSkin, each
//                 input watched by a thread that ends the process and keeps the input if one
//                 load takes too long;
//   switches      skin switches with a skinned dialog, its toolbar and menu bar painting and
//                 popup menus opened.
// Usage: bench_soak.exe [DEFINITIONS] [SWITCHES] [WATCHDOG_SECONDS]
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin/CCoolMenuBarCtrl.h>
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <psapi.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace KorvoBench;

namespace
{

CWinApp g_soakApp(L"KorvoSoak");

// The process's figures. Under Wine GetGuiResources, GetProcessHandleCount and the private
// usage of GetProcessMemoryInfo answer 0, so real counts stand beside them: the highest of a few
// hundred fresh kernel, GDI and USER handles (objects leaked in between push it up), and the
// committed private memory found by walking the address space.
struct CFigures
{
    DWORD nHandles = 0, nGdi = 0, nUser = 0;
    int nFreshKernel = 0, nFreshGdi = 0, nFreshUser = 0;
    SIZE_T nPrivate = 0, nCommitted = 0;
};

SIZE_T CommittedPrivateBytes()
{
    SIZE_T nTotal = 0;
    MEMORY_BASIC_INFORMATION info;
    for (BYTE* p = NULL; ::VirtualQuery(p, &info, sizeof(info)) == sizeof(info); p = (BYTE*)info.BaseAddress + info.RegionSize)
    {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            nTotal += info.RegionSize;
        if ((BYTE*)info.BaseAddress + info.RegionSize <= p)
            break;
    }
    return nTotal;
}

CFigures Measure()
{
    CFigures figures;
    HANDLE hProcess = ::GetCurrentProcess();
    ::GetProcessHandleCount(hProcess, &figures.nHandles);
    figures.nGdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    figures.nUser = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    std::vector<HANDLE> events;
    for (int n = 0; n < 300; n++)
    {
        events.push_back(::CreateEventW(NULL, FALSE, FALSE, NULL));
        figures.nFreshKernel = std::max(figures.nFreshKernel, (int)((UINT_PTR)events.back() & 0xFFFFFF));
        brushes.push_back(::CreateSolidBrush(RGB(n & 0xFF, 1, 2)));
        menus.push_back(::CreateMenu());
        figures.nFreshGdi = std::max(figures.nFreshGdi, (int)((UINT_PTR)brushes.back() & 0xFFFF));
        figures.nFreshUser = std::max(figures.nFreshUser, (int)((UINT_PTR)menus.back() & 0xFFFF));
    }
    for (HBRUSH hBrush : brushes)
        ::DeleteObject(hBrush);
    for (HMENU hMenu : menus)
        ::DestroyMenu(hMenu);
    for (HANDLE hEvent : events)
        ::CloseHandle(hEvent);
    figures.nCommitted = CommittedPrivateBytes();
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(hProcess, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters)))
        figures.nPrivate = counters.PrivateUsage;
    return figures;
}

void PrintFigures(const char* pszPart, const char* pszWhen, const CFigures& f)
{
    printf("%-11s %-5s GetProcessHandleCount %lu, GetGuiResources GDI %lu USER %lu, private usage %.1f MiB;"
           " highest fresh handle kernel %d GDI %d USER %d; committed private %.1f MiB\n",
           pszPart, pszWhen, (unsigned long)f.nHandles, (unsigned long)f.nGdi, (unsigned long)f.nUser,
           f.nPrivate / 1048576.0, f.nFreshKernel, f.nFreshGdi, f.nFreshUser, f.nCommitted / 1048576.0);
    fflush(stdout);
}

// Deterministic pseudo-random numbers, so that a failing input can be made again from its number.
struct CRandom
{
    unsigned long long m_nState;
    explicit CRandom(unsigned long long nSeed) : m_nState(nSeed * 0x9E3779B97F4A7C15ull + 1) {}
    unsigned Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 7;
        m_nState ^= m_nState << 17;
        return (unsigned)(m_nState >> 16);
    }
    unsigned Below(unsigned n) { return n ? Next() % n : 0; }
};

// Ends menus as soon as their loop is idle, and with a timer in case no owner hears of it.
class COwnerWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_ENTERIDLE && wParam == MSGF_MENU)
        {
            ::EndMenu();
            return 0;
        }
        if (nMessage == WM_INITMENUPOPUP)
        {
            OnSkinInitMenuPopup(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam), this);
            return 0;
        }
        if (nMessage == WM_MEASUREITEM && OnSkinMeasureItem((int)wParam, (MEASUREITEMSTRUCT*)lParam))
            return TRUE;
        if (nMessage == WM_DRAWITEM && OnSkinDrawItem((int)wParam, (DRAWITEMSTRUCT*)lParam))
            return TRUE;
        return CWnd::WindowProc(nMessage, wParam, lParam);
    }
};

void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

// ---- api ----------------------------------------------------------------------------------

int CallEverything(const CString& strHuge, CWnd* pOwner)
{
    int nCalls = 0;
    auto Call = [&](auto fn) {
        fn();
        nCalls++;
    };
    LPCWSTR apszNames[] = { NULL, L"", L"unknown", strHuge, L"Context", L"GalleryBar", L"Gallery", L"ID_FILE_OPEN" };
    for (LPCWSTR pszName : apszNames)
    {
        Call([&] { GetSkinMenu(pszName); });
        Call([&] { GetSkinWatermark(pszName); });
        Call([&] { CreateSkinToolBar(pszName, NULL); });
        Call([&] { TrackSkinPopupMenu(pszName, CPoint(10, 10), 0, TPM_RETURNCMD, NULL); });
        Call([&] { TrackSkinPopupMenu(pszName, CPoint(-100000, 100000), 0xFFFFFFFF, 0xFFFFFFFF, pOwner); });
        Call([&] { LoadSkin(pszName, pszName); });
    }
    for (UINT nID : { 0u, 1u, 2001u, 57601u, 0xFFFFu, 0x10000u, 0xFFFFFFFFu })
        Call([&] { GetSkinString(nID); });
    Call([] { GetDialogBkColor(); });
    Call([] { GetMsgDialogBorderColor(); });
    Call([] { GetMsgDialogBackColor(); });
    Call([] { GetCardBackColor(); });
    Call([] { OnSkinMeasureItem(0, NULL); });
    Call([] { OnSkinDrawItem(0, NULL); });
    Call([] { OnSkinInitMenuPopup(NULL, 0, FALSE, NULL); });
    Call([] { OnSkinInitMenuPopup(NULL, 0xFFFFFFFF, TRUE, NULL); });
    Call([] {
        MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 0xFFFFFFFF, 0, 0, (ULONG_PTR)0xFFFFFFFF };
        OnSkinMeasureItem(0, &mis);
    });
    Call([] {
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, 0xFFFFFFFF, ODA_DRAWENTIRE, ODS_SELECTED, NULL, NULL, { 0, 0, 100, 20 }, 0 };
        OnSkinDrawItem(0, &dis);
    });
    Call([] {
        // A menu destroyed before it reaches the library.
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, 1, L"gone");
        ::DestroyMenu(hMenu);
        CMenu menu;
        menu.Attach(hMenu);
        OnSkinInitMenuPopup(&menu, 0, FALSE, NULL);
        menu.Detach();
    });
    Call([] {
        // Bars never created and bars already destroyed.
        CCoolBarCtrl bar;
        CreateSkinToolBar(L"Gallery", &bar);
        bar.GetIndex(-1);
        bar.GetIndex(1000000);
        CRect rc;
        bar.GetItemRect(NULL, &rc);
        CCoolMenuBarCtrl menuBar;
        menuBar.SetMenu(NULL);
        menuBar.OpenMenuChar('f');
        menuBar.OpenMenuBar();
    });
    Call([&] {
        CCoolBarCtrl bar;
        CCoolMenuBarCtrl menuBar;
        if (bar.Create(pOwner, WS_VISIBLE, 1) && menuBar.Create(pOwner, WS_VISIBLE, 2))
        {
            CMenu* pMenu = GetSkinMenu(L"GalleryBar");
            menuBar.SetMenu(pMenu ? pMenu->m_hMenu : NULL);
            bar.DestroyWindow();
            menuBar.DestroyWindow();
        }
        CreateSkinToolBar(L"Gallery", &bar);
        HMENU hGone = ::CreateMenu();
        ::DestroyMenu(hGone);
        menuBar.SetMenu(hGone);
        menuBar.OpenMenuChar('f');
    });
    Call([&] {
        // A skinned dialog asked for skins before it has a window, with odd names, and after
        // its window is gone.
        CSkinDialog dialog;
        dialog.SkinMe(L"Gallery");
        KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 100, 60, L"api");
        if (dialog.CreateIndirect(dialogTemplate.Get()))
        {
            for (LPCWSTR pszName : apszNames)
                dialog.SkinMe(pszName, 0xFFFFFFFF);
            dialog.SkinMe(L"Gallery", 128);
            dialog.SetWindowText(strHuge);
            dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            dialog.DestroyWindow();
        }
        dialog.SkinMe(L"Gallery");
    });
    return nCalls;
}

int RunApi(const CString& strHuge, COwnerWnd& owner)
{
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);
    int nCalls = 0;
    for (int n = 0; n < 2; n++)
        nCalls += CallEverything(strHuge, &owner);  // before InitSkin
    for (int n = 0; n < 2; n++)
    {
        InitSkin();
        InitSkin();
        LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
        nCalls += CallEverything(strHuge, &owner);
        UnInitSkin();
        UnInitSkin();
        nCalls += CallEverything(strHuge, &owner);  // after UnInitSkin
    }
    ::KillTimer(NULL, nTimer);
    return nCalls;
}

// ---- definitions --------------------------------------------------------------------------

// Bitmap files of many sizes, and cut short at many points.
void WriteImages(const KorvoTest::CTempFolder& folder, std::vector<CString>& images)
{
    const SIZE aSizes[] = { { 1, 1 }, { 16, 16 }, { 3, 7 }, { 4096, 1 }, { 1, 2048 }, { 200, 130 } };
    int nImage = 0;
    for (SIZE size : aSizes)
    {
        std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(size.cx, size.cy,
                                                            [](int x, int y, void*) { return RGB(x, y, x ^ y); }, NULL);
        for (size_t nCut : { bytes.size(), (size_t)2, (size_t)14, (size_t)30, (size_t)54, bytes.size() / 2, bytes.size() - 1 })
        {
            CString strName;
            strName.Format(L"img%d.bmp", nImage++);
            folder.WriteFile(strName, bytes.data(), std::min(nCut, bytes.size()));
            images.push_back(strName);
        }
        // Header fields made hostile: huge and negative sizes, odd bit counts.
        for (int nField : { 18, 22, 28 })
        {
            std::vector<BYTE> bad = bytes;
            if (bad.size() > (size_t)nField + 4)
            {
                bad[nField] = 0xFF;
                bad[nField + 1] = 0xFF;
                bad[nField + 2] = 0xFF;
                bad[nField + 3] = nField == 28 ? 0 : 0x7F;
            }
            CString strName;
            strName.Format(L"img%d.bmp", nImage++);
            folder.WriteFile(strName, bad.data(), bad.size());
            images.push_back(strName);
        }
    }
}

const char* const g_apszFragments[] = {
    "<resourceMap><resource id=\"X%u\" code=\"%u\"/><command id=\"ID_FILE_OPEN\" code=\"4294967295\"/></resourceMap>",
    "<strings><string id=\"%u\" value=\"&#%u;&#x41;&amp\\n\\n\"/><tip id=\"X%u\" tip=\"\"/></strings>",
    "<watermarks><watermark target=\"ID_FILE_OPEN\" path=\"%s\"/><watermark target=\"W%u\" path=\"..\\..\\%s\"/></watermarks>",
    "<commandImages><bitmap path=\"%s\" types=\"%u\" mask=\"ZZ%u\"><image id=\"%u\"/><image id=\"X\" id1=\"%u\"/></bitmap>"
    "<icon path=\"%s\" id=\"%u\"/></commandImages>",
    "<colourScheme><colour name=\"dialog.back\" value=\"%u\"/><colour name=\"%u\" value=\"GGGGGG\"/></colourScheme>",
    "<menus><menu name=\"Context\"><item id=\"%u\" text=\"&amp;%u\"/><menu text=\"s\"><menu text=\"t\"/></menu>"
    "<separator/></menu><menu name=\"GalleryBar\" type=\"bar\"/></menus>",
    "<toolbars><toolbar name=\"Gallery\" types=\"%u\"><button id=\"%u\"/><separator/><button id=\"ID_EDIT_CUT\" "
    "style=\"%u\"/></toolbar></toolbars>",
    "<windowSkins><windowSkin><target window=\"Gallery\"/><image path=\"%s\"/><parts><part name=\"Top\" "
    "rect=\"-%u,%u,2147483647,-2147483648\" mode=\"stretch\"/><part name=\"Close\" rect=\"0,0,%u,%u\"/></parts>"
    "<anchors><anchor name=\"Close\" rect=\"-%u,0,%u,20\"/></anchors><caption rect=\"0,0,%u,0\" fontSize=\"%u\"/>"
    "<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"%u,%u\"/><shape type=\"polygon\" points=\"%u\"/>"
    "</region><resizeBorder rect=\"%u,%u,%u,%u\"/></windowSkin></windowSkins>",
};

// The input of number nInput: a bundled or generated definition, mutated.
std::string MakeInput(unsigned nInput, const std::vector<std::string>& bases, const std::vector<CString>& images)
{
    CRandom random(nInput);
    std::string str = bases[random.Below((unsigned)bases.size())];
    int nMutations = 1 + random.Below(4);
    for (int n = 0; n < nMutations && !str.empty(); n++)
    {
        size_t nAt = random.Below((unsigned)str.size());
        switch (random.Below(6))
        {
        case 0: // flipped bytes
            for (int k = 0, nCount = 1 + random.Below(8); k < nCount; k++)
                str[random.Below((unsigned)str.size())] ^= (char)(1 << random.Below(8));
            break;
        case 1: // cut short
            str.resize(nAt);
            break;
        case 2: // a span repeated
        {
            size_t nLength = std::min<size_t>(random.Below(400), str.size() - nAt);
            str.insert(nAt, str.substr(nAt, nLength));
            break;
        }
        case 3: // a span removed
            str.erase(nAt, random.Below(200));
            break;
        default: // a hostile section inside the root, or anywhere
        {
            char szFragment[2048];
            // Image names are ASCII.
            const CString& strImageName = images[random.Below((unsigned)images.size())];
            std::string strImage(strImageName.GetLength(), ' ');
            for (int k = 0; k < strImageName.GetLength(); k++)
                strImage[k] = (char)strImageName[k];
            const char* pszFormat = g_apszFragments[random.Below(_countof(g_apszFragments))];
            // Every %u and %s of a fragment takes the next of these, in order.
            unsigned aNumbers[16];
            for (unsigned& nNumber : aNumbers)
            {
                static const unsigned aSpecial[] = { 0, 1, 16, 24, 32, 48, 65535, 65536, 0x7FFFFFFF, 0xFFFFFFFF };
                nNumber = random.Below(3) ? aSpecial[random.Below(_countof(aSpecial))] : random.Next();
            }
            std::string strFormat(pszFormat);
            std::string strOut;
            int nNumber = 0;
            for (size_t k = 0; k < strFormat.size(); k++)
            {
                if (strFormat[k] == '%' && k + 1 < strFormat.size() && (strFormat[k + 1] == 'u' || strFormat[k + 1] == 's'))
                {
                    if (strFormat[k + 1] == 's')
                        strOut += strImage;
                    else
                        strOut += std::to_string(aNumbers[nNumber++ % 16]);
                    k++;
                }
                else
                {
                    strOut += strFormat[k];
                }
            }
            snprintf(szFragment, sizeof(szFragment), "%s", strOut.c_str());
            size_t nRoot = str.find("<skin>");
            size_t nInsert = random.Below(2) && nRoot != std::string::npos ? nRoot + 6 : nAt;
            str.insert(std::min(nInsert, str.size()), szFragment);
            break;
        }
        }
    }
    return str;
}

std::atomic<unsigned> g_nWatchedInput{0};
std::atomic<ULONGLONG> g_nInputStart{0};
std::atomic<bool> g_bWatching{false};

bool ReadFileText(const CString& strPath, std::string& str)
{
    FILE* pFile = _wfopen(strPath, L"rb");
    if (!pFile)
        return false;
    char szBuffer[4096];
    size_t n;
    while ((n = fread(szBuffer, 1, sizeof(szBuffer), pFile)) > 0)
        str.append(szBuffer, n);
    fclose(pFile);
    return true;
}

int RunDefinitions(unsigned nCount, DWORD nWatchdogSeconds, const CString& strBundled, CString& strError)
{
    KorvoTest::CTempFolder folder;
    g_strAppFolder = folder.Path();
    std::vector<CString> images;
    WriteImages(folder, images);
    std::vector<std::string> bases;
    for (LPCWSTR pszFile : { L"Definitions.xml", L"Aurora.xml", L"Ember.xml", L"English.xml" })
    {
        std::string str;
        if (ReadFileText(strBundled + L"Definitions\\" + pszFile, str))
            bases.push_back(str);
    }
    if (bases.empty())
    {
        strError = L"the bundled definitions were not found beside the program";
        return -1;
    }
    // A definition with every section, large enough to exercise the limits.
    std::string strLarge = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<skin>\r\n<strings>";
    for (int n = 0; n < 500; n++)
        AppendF(strLarge, "<string id=\"%d\" value=\"text %d\"/>", n, n);
    strLarge += "</strings><commandImages><bitmap path=\"img0.bmp\" types=\"16\">";
    for (int n = 0; n < 50; n++)
        AppendF(strLarge, "<image id=\"%d\"/>", 100 + n);
    strLarge += "</bitmap></commandImages></skin>\r\n";
    bases.push_back(strLarge);

    InitSkin();
    g_bWatching = true;
    std::thread watchdog([nWatchdogSeconds, &folder] {
        while (g_bWatching)
        {
            ::Sleep(100);
            ULONGLONG nStart = g_nInputStart;
            if (nStart && ::GetTickCount64() - nStart > nWatchdogSeconds * 1000ull)
            {
                printf("definitions: input %u took over %lu s: a hang. Kept as hang-input.xml beside the program.\n",
                       g_nWatchedInput.load(), (unsigned long)nWatchdogSeconds);
                fflush(stdout);
                ::CopyFileW(folder.Path() + L"Definitions\\Soak.xml", L"hang-input.xml", FALSE);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
    });
    CFigures start;
    double dStart = Now();
    for (unsigned n = 0; n < nCount; n++)
    {
        std::string str = MakeInput(n, bases, images);
        folder.WriteFile(L"Definitions\\Soak.xml", str);
        g_nWatchedInput = n;
        g_nInputStart = ::GetTickCount64();
        LoadSkin(L"Definitions\\Soak.xml", n % 3 ? L"" : L"Definitions\\Soak.xml");
        g_nInputStart = 0;
        // The figures at the start are taken once the first inputs have filled the caches.
        if (n == std::min(nCount - 1, 200u))
        {
            start = Measure();
            PrintFigures("definitions", "start", start);
        }
        if (n % 1000 == 999)
            KorvoTest::PumpMessages(0);
    }
    double dElapsed = Now() - dStart;
    g_bWatching = false;
    watchdog.join();
    LoadSkin(L"", L"");
    UnInitSkin();
    PrintFigures("definitions", "end", Measure());
    printf("definitions: %u loaded, 0 hangs (watchdog %lu s per input), %.1f s, %.0f inputs/s\n", nCount,
           (unsigned long)nWatchdogSeconds, dElapsed, nCount / dElapsed);
    g_strAppFolder = strBundled;
    return (int)nCount;
}

// ---- switches -----------------------------------------------------------------------------

int RunSwitches(unsigned nCount, COwnerWnd& owner)
{
    InitSkin();
    LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
    KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                              DS_SETFONT, 300, 160, L"Soak");
    dialogTemplate.AddControl(L"Button", 1000, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 100, 60, 14, L"Button");
    dialogTemplate.AddControl(L"Edit", 1001, WS_CHILD | WS_VISIBLE | WS_BORDER, 80, 100, 100, 12, L"Text");
    CSkinDialog dialog;
    CCoolBarCtrl toolBar;
    CCoolMenuBarCtrl menuBar;
    if (!dialog.CreateIndirect(dialogTemplate.Get()) || !menuBar.Create(&dialog, WS_VISIBLE, 1) ||
        !toolBar.Create(&dialog, WS_VISIBLE, 2))
    {
        printf("switches: the dialog and its bars could not be created\n");
        return -1;
    }
    menuBar.MoveWindow(0, 0, 200, 24);
    toolBar.MoveWindow(0, 26, 400, 30);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);

    CFigures start;
    double dStart = Now();
    unsigned nMenus = 0, nSkinned = 0;
    // Where the time goes: loading, re-skinning the dialog and bars, painting, menus, messages.
    double adSteps[5] = {};
    for (unsigned n = 0; n < nCount; n++)
    {
        double dStep = Now();
        auto Lap = [&](int nStep) {
            double dNow = Now();
            adSteps[nStep] += dNow - dStep;
            dStep = dNow;
        };
        LoadSkin(L"Definitions\\English.xml", n % 2 ? L"Definitions\\Aurora.xml" : L"Definitions\\Ember.xml");
        Lap(0);
        nSkinned += dialog.SkinMe(L"Gallery", 128) ? 1 : 0;
        CMenu* pBarMenu = GetSkinMenu(L"GalleryBar");
        menuBar.SetMenu(pBarMenu ? pBarMenu->m_hMenu : NULL);
        CreateSkinToolBar(L"Gallery", &toolBar);
        Lap(1);
        dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Lap(2);
        if (n % 10 == 0)
        {
            TrackSkinPopupMenu(L"Context", CPoint(300, 200), 0, TPM_RETURNCMD, &owner);
            nMenus++;
        }
        Lap(3);
        if (n % 50 == 0)
            toolBar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10 + n % 100, 10));
        KorvoTest::PumpMessages(0);
        Lap(4);
        if (n == std::min(nCount - 1, 20u))
        {
            start = Measure();
            PrintFigures("switches", "start", start);
        }
    }
    double dElapsed = Now() - dStart;
    ::KillTimer(NULL, nTimer);
    toolBar.DestroyWindow();
    menuBar.DestroyWindow();
    dialog.DestroyWindow();
    UnInitSkin();
    PrintFigures("switches", "end", Measure());
    printf("switches: %u skin switches (%u found their window skin), %u popup menus opened, %.1f s, %.1f switches/s\n",
           nCount, nSkinned, nMenus, dElapsed, nCount / dElapsed);
    printf("switches: seconds in LoadSkin %.1f, re-skinning dialog and bars %.1f, painting %.1f, menus %.1f,"
           " messages %.1f\n", adSteps[0], adSteps[1], adSteps[2], adSteps[3], adSteps[4]);
    return (int)nCount;
}

} // namespace

int main()
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    setvbuf(stdout, NULL, _IONBF, 0);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    unsigned nDefinitions = argc > 1 ? (unsigned)_wtoi(argv[1]) : 1000;
    unsigned nSwitches = argc > 2 ? (unsigned)_wtoi(argv[2]) : 100;
    DWORD nWatchdog = argc > 3 ? (DWORD)_wtoi(argv[3]) : 10;
    ::LocalFree(argv);

    wchar_t szProgram[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    if (!nLength || nLength >= MAX_PATH)
        return 1;
    CString strBundled(szProgram);
    strBundled = strBundled.Left(strBundled.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    g_strAppFolder = strBundled;

    COwnerWnd owner;
    if (!owner.CreateEx(0, AfxRegisterWndClass(0), L"soak owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, NULL, NULL))
        return 1;

    CFigures start = Measure();
    PrintFigures("api", "start", start);
    double dStart = Now();
    int nCalls = RunApi(CString(L'x', 1 << 20), owner);
    PrintFigures("api", "end", Measure());
    printf("api: %d calls in 3 phases (before InitSkin, loaded, after UnInitSkin), each twice, %.1f s\n", nCalls,
           Now() - dStart);

    CString strError;
    if (RunDefinitions(nDefinitions, nWatchdog, strBundled, strError) < 0)
    {
        printf("definitions: %ls\n", (LPCWSTR)strError);
        return 1;
    }
    if (RunSwitches(nSwitches, owner) < 0)
        return 1;
    owner.DestroyWindow();
    printf("soak: finished, 0 crashes\n");
    return 0;
}
