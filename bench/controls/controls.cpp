// The gallery's controls page painted in full: every control's WM_PAINT (and the owner-draw and
// custom-draw work it causes) with RedrawWindow(RDW_UPDATENOW), the skinned page against the
// same page of plain system controls, side by side in one process, alternating runs.
//
// A tree of 5,000 items scrolled one page down and back, skinned against the system tree, shows
// the cost of painting the whole client area off screen at every scroll.
//
// "bench_controls churn" also creates and destroys a thousand of each skinned control on a live
// window and prints the process's GDI and USER object counts and private bytes around it, and
// the highest GDI and USER handle slots a burst of fresh objects reaches (where the platform
// keeps no object count, freed slots are reused first, so this grows with the objects alive).
#include "../BenchSupport.h"
#include <KorvoSkin.h>
#include <theme/CInterfaceTheme.h>
#include <KorvoTest.h>
#include <stdio.h>
#include <string.h>
#include <functional>
#include <memory>
#include <vector>
#include "api/Globals.h"

namespace
{
const int ROUNDS = 60;
const int RUNS = 5;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

enum Kind { SLIDER, CHECK, COMBO, EFFECT, EFFECT_STATIC, ICON, EDIT, TEXT, TREE, TOUCH_EDIT, TOUCH_COMBO, TOUCH_DATE };

struct Item
{
    Kind kind;
    DWORD dwStyle;
    int x, y, cx, cy;
    LPCWSTR pszText;
};

// The controls page's layout in pixels: seven sliders, four check boxes, two combo boxes, three
// effect buttons, the effect static, five icon buttons; an edit, a static, a tree and the three
// touch controls.
const Item PAGE[] = {
    { SLIDER, TBS_BOTH | TBS_NOTICKS | TBS_ENABLESELRANGE, 9, 20, 210, 26, L"" },
    { SLIDER, TBS_TOP | TBS_AUTOTICKS, 9, 50, 210, 31, L"" },
    { SLIDER, TBS_BOTTOM | TBS_AUTOTICKS, 9, 86, 210, 31, L"" },
    { SLIDER, TBS_NOTICKS | WS_DISABLED, 9, 124, 210, 26, L"" },
    { SLIDER, TBS_VERT | TBS_LEFT | TBS_AUTOTICKS, 225, 16, 28, 136, L"" },
    { SLIDER, TBS_VERT | TBS_RIGHT | TBS_AUTOTICKS, 255, 16, 28, 136, L"" },
    { SLIDER, TBS_VERT | TBS_BOTH | TBS_NOTICKS, 285, 16, 24, 136, L"" },
    { CHECK, BS_AUTOCHECKBOX, 333, 20, 96, 18, L"Unchecked" },
    { CHECK, BS_AUTOCHECKBOX, 333, 41, 96, 18, L"Checked" },
    { CHECK, BS_AUTOCHECKBOX | BS_LEFTTEXT, 333, 62, 96, 18, L"Text left" },
    { CHECK, BS_AUTOCHECKBOX | WS_DISABLED, 333, 83, 96, 18, L"Disabled" },
    { COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, 333, 107, 96, 100, L"" },
    { COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_DISABLED, 333, 132, 96, 100, L"" },
    { EFFECT, BS_OWNERDRAW, 9, 182, 75, 23, L"Normal" },
    { EFFECT, BS_OWNERDRAW, 93, 182, 75, 23, L"Pitched on" },
    { EFFECT, BS_OWNERDRAW | WS_DISABLED, 177, 182, 75, 23, L"Disabled" },
    { EFFECT_STATIC, SS_LEFT, 261, 174, 168, 47, L"The effect static wraps by characters.\nLine feeds end lines." },
    { ICON, BS_PUSHBUTTON, 9, 242, 75, 23, L"Open" },
    { ICON, BS_PUSHBUTTON, 90, 242, 27, 23, L"" },
    { ICON, BS_PUSHBUTTON, 123, 242, 75, 23, L"Save" },
    { ICON, BS_PUSHBUTTON | WS_DISABLED, 204, 242, 75, 23, L"Disabled" },
    { ICON, BS_PUSHBUTTON, 285, 242, 75, 23, L"Hot" },
    { EDIT, ES_AUTOHSCROLL | WS_BORDER, 9, 282, 120, 22, L"Edit text" },
    { TEXT, SS_LEFT, 9, 312, 120, 18, L"Static text" },
    { TREE, TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 140, 280, 150, 130, L"" },
    { TOUCH_EDIT, ES_AUTOHSCROLL, 300, 282, 130, 24, L"Touch edit" },
    { TOUCH_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, 300, 314, 130, 100, L"" },
    { TOUCH_DATE, 0, 300, 346, 130, 24, L"" },
};

LPCWSTR ClassOf(Kind kind)
{
    switch (kind)
    {
    case SLIDER: return TRACKBAR_CLASSW;
    case COMBO: return L"ComboBox";
    case EFFECT_STATIC:
    case TEXT: return L"Static";
    case EDIT:
    case TOUCH_EDIT: return L"Edit";
    case TREE: return WC_TREEVIEWW;
    case TOUCH_COMBO: return L"ComboBox";
    case TOUCH_DATE: return DATETIMEPICK_CLASSW;
    default: return L"Button";
    }
}

// nGroups root items of nLeaves children each, every group expanded.
void FillTree(HWND hTree, int nGroups, int nLeaves)
{
    for (int g = 0; g < nGroups; g++)
    {
        TVINSERTSTRUCTW tvis = {};
        tvis.hParent = TVI_ROOT;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT;
        wchar_t szText[32];
        swprintf(szText, 32, L"Group %d", g);
        tvis.item.pszText = szText;
        HTREEITEM hGroup = (HTREEITEM)::SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&tvis);
        tvis.hParent = hGroup;
        for (int n = 0; n < nLeaves; n++)
        {
            swprintf(szText, 32, L"Item %d.%d", g, n);
            ::SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&tvis);
        }
        ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hGroup);
    }
}

// One page: a framework window holding the page's controls, skinned or plain.
class CPage : public CWnd
{
public:
    CPage(BOOL bSkinned, int x) : m_bSkinned(bSkinned)
    {
        CreateEx(0, NULL, bSkinned ? L"skinned" : L"system", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, 0, 440,
                 420, NULL, NULL);
        m_hNormal = KorvoTest::MakeBitmap(75, 23, RGB(220, 230, 240), RGB(255, 255, 255), 3);
        m_hHover = KorvoTest::MakeBitmap(75, 23, RGB(180, 200, 220), RGB(255, 255, 255), 3);
        HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        for (const Item& item : PAGE)
        {
            HWND hWnd = ::CreateWindowExW(0, ClassOf(item.kind), item.pszText, item.dwStyle | WS_CHILD | WS_VISIBLE,
                                          item.x, item.y, item.cx, item.cy, m_hWnd, NULL, NULL, NULL);
            ::SendMessageW(hWnd, WM_SETFONT, (WPARAM)hFont, FALSE);
            if (item.kind == TREE)
                FillTree(hWnd, 3, 4);
            if (item.kind == COMBO || item.kind == TOUCH_COMBO)
            {
                ::SendMessageW(hWnd, CB_ADDSTRING, 0, (LPARAM)L"Aurora");
                ::SendMessageW(hWnd, CB_SETCURSEL, 0, 0);
            }
            if (item.kind == SLIDER)
            {
                ::SendMessageW(hWnd, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
                ::SendMessageW(hWnd, TBM_SETTICFREQ, 10, 0);
                ::SendMessageW(hWnd, TBM_SETPOS, TRUE, 40);
            }
            if (bSkinned)
                Skin(item, hWnd);
        }
    }
    ~CPage()
    {
        DestroyWindow();
        ::DeleteObject(m_hNormal);
        ::DeleteObject(m_hHover);
    }
    void Paint() { ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

private:
    void Skin(const Item& item, HWND hWnd)
    {
        switch (item.kind)
        {
        case SLIDER:
        {
            auto p = std::make_unique<CSkinSliderCtrl>();
            p->SubclassWindow(hWnd);
            p->SetSelection(30, 70);
            p->SetVolumn(5000);
            m_controls.push_back(std::move(p));
            break;
        }
        case CHECK:
        {
            auto p = std::make_unique<CSkinCheckBox>();
            p->SubclassWindow(hWnd);
            p->SetCheck(item.pszText[0] != L'U');
            m_controls.push_back(std::move(p));
            break;
        }
        case COMBO:
        {
            auto p = std::make_unique<CSkinComboBox>();
            p->SubclassWindow(hWnd);
            m_controls.push_back(std::move(p));
            break;
        }
        case EFFECT:
        {
            auto p = std::make_unique<CEffectButton>();
            p->SubclassWindow(hWnd);
            p->SetImage(m_hNormal, m_hHover, RGB(255, 255, 255));
            p->SetIndent(10);
            p->SetPitchOn(item.pszText[0] == L'P');
            m_controls.push_back(std::move(p));
            break;
        }
        case EFFECT_STATIC:
        {
            auto p = std::make_unique<CEffectStatic>();
            p->SubclassWindow(hWnd);
            p->SetBackColor(RGB(240, 244, 250));
            m_controls.push_back(std::move(p));
            break;
        }
        case ICON:
        {
            auto p = std::make_unique<CIconButton>();
            p->SubclassWindow(hWnd);
            p->SetIcon(KorvoTest::MakeSolidIcon(RGB(40, 90, 200)));
            m_controls.push_back(std::move(p));
            break;
        }
        case EDIT:
            Subclass<CSkinEdit>(hWnd);
            break;
        case TEXT:
            Subclass<CSkinStatic>(hWnd)->SetText(item.pszText, RGB(0, 80, 160), TRUE);
            break;
        case TREE:
            Subclass<CSkinTree>(hWnd)->SetBkMode(CSkinTree::BkModeGradient);
            break;
        case TOUCH_EDIT:
            Subclass<CTouchEdit>(hWnd)->SetAlwaysBorder(true);
            break;
        case TOUCH_COMBO:
            Subclass<CTouchComboBox>(hWnd)->SetAlwaysBorder(true);
            break;
        case TOUCH_DATE:
            Subclass<CTouchDateTimeCtrl>(hWnd)->SetAlwaysBorder(true);
            break;
        }
    }

    template <typename T> T* Subclass(HWND hWnd)
    {
        auto p = std::make_unique<T>();
        p->SubclassWindow(hWnd);
        T* pControl = p.get();
        m_controls.push_back(std::move(p));
        return pControl;
    }

    BOOL m_bSkinned;
    HBITMAP m_hNormal;
    HBITMAP m_hHover;
    std::vector<std::unique_ptr<CWnd>> m_controls;
};

// A framework window holding one tree of 5,000 items, skinned or the system's.
class CTreePage : public CWnd
{
public:
    CTreePage(BOOL bSkinned, int x)
    {
        CreateEx(0, NULL, L"tree", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, 430, 260, 300, NULL, NULL);
        HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                                       0, 0, 260, 300, m_hWnd, NULL, NULL, NULL);
        ::SendMessageW(hTree, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        FillTree(hTree, 100, 49);
        if (bSkinned)
        {
            m_tree.SubclassWindow(hTree);
            m_tree.SetBkMode(CSkinTree::BkModeGradient);
        }
        m_hTree = hTree;
    }
    ~CTreePage() { DestroyWindow(); }
    // One page down and one back, each painted at once.
    void ScrollPage(UINT nCode)
    {
        ::SendMessageW(m_hTree, WM_VSCROLL, nCode, 0);
        ::UpdateWindow(m_hTree);
    }

private:
    HWND m_hTree;
    CSkinTree m_tree;
};

double TimeScrolls(CTreePage& page)
{
    double dStart = KorvoTest::Now();
    for (int i = 0; i < ROUNDS; i++)
        page.ScrollPage(i % 2 ? SB_PAGEUP : SB_PAGEDOWN);
    return (KorvoTest::Now() - dStart) / ROUNDS;
}

double TimePaints(CPage& page)
{
    double dStart = KorvoTest::Now();
    for (int i = 0; i < ROUNDS; i++)
        page.Paint();
    return (KorvoTest::Now() - dStart) / ROUNDS;
}


// Warms both pages up, then alternates runs; the best run of each counts. Prints both times and
// their ratio under the heading, and the result row.
template <typename PAGE_TYPE, typename HEADING>
void Compare(PAGE_TYPE& system, PAGE_TYPE& skinned, double (*pfnTime)(PAGE_TYPE&), const char* pszRow, double dTarget,
             HEADING heading)
{
    Pump();
    pfnTime(system);
    pfnTime(skinned);
    double dSystem = 1e9, dSkinned = 1e9;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        dSystem = std::min(dSystem, pfnTime(system));
        dSkinned = std::min(dSkinned, pfnTime(skinned));
        Pump();
    }
    heading(RUNS);
    printf("  system            %8.3f ms\n", dSystem * 1000);
    printf("  skinned           %8.3f ms\n", dSkinned * 1000);
    printf("  ratio skinned/system %.2f (target <= %.2f)\n", dSkinned / dSystem, dTarget);
    KorvoBench::Row(pszRow, dSkinned, dSystem, KorvoBench::TIME_AT_MOST, dTarget);
}

void Churn()
{
    CWnd host;
    host.CreateEx(0, NULL, L"churn", WS_POPUP | WS_VISIBLE, 0, 300, 300, 120, NULL, NULL);
    HBITMAP hNormal = KorvoTest::MakeBitmap(40, 20, RGB(200, 0, 0), RGB(255, 255, 255), 3);
    HBITMAP hHover = KorvoTest::MakeBitmap(40, 20, RGB(0, 0, 200), RGB(255, 255, 255), 3);
    auto child = [&](LPCWSTR pszClass, DWORD dwStyle, LPCWSTR pszText) {
        return ::CreateWindowExW(0, pszClass, pszText, dwStyle | WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, host.m_hWnd,
                                 NULL, NULL, NULL);
    };
    auto paint = [](HWND hWnd) { ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
    struct KindRun
    {
        const char* pszName;
        std::function<void()> fnOne;
    } kinds[] = {
        { "slider", [&] { CSkinSliderCtrl c; c.SubclassWindow(child(TRACKBAR_CLASSW, TBS_ENABLESELRANGE, L""));
                          c.SetThumbColor(RGB(100, 150, 200)); c.SetVolumn(9000); paint(c.m_hWnd); } },
        { "check box", [&] { CSkinCheckBox c; c.SubclassWindow(child(L"Button", BS_AUTOCHECKBOX, L"Check"));
                             c.SetCheck(1); paint(c.m_hWnd); } },
        { "combo box", [&] { CSkinComboBox c; c.SubclassWindow(child(L"ComboBox", CBS_DROPDOWNLIST, L""));
                             c.AddString(L"Item"); paint(c.m_hWnd); } },
        { "effect button", [&] { CEffectButton c; c.SubclassWindow(child(L"Button", BS_OWNERDRAW, L"Go"));
                                 c.SetImage(hNormal, hHover, RGB(255, 255, 255)); c.SetHandCursor(true);
                                 c.SetToolTip(L"Tip"); paint(c.m_hWnd); } },
        { "effect static", [&] { CEffectStatic c; c.SubclassWindow(child(L"Static", SS_LEFT, L"Some text\nwrapped"));
                                 paint(c.m_hWnd); } },
        { "icon button", [&] { CIconButton c; c.SubclassWindow(child(L"Button", BS_PUSHBUTTON, L"Icon"));
                               c.SetIcon(KorvoTest::MakeSolidIcon(RGB(1, 2, 3))); c.SetHandCursor(TRUE); paint(c.m_hWnd); } },
        { "skin edit", [&] { CSkinEdit c; c.SubclassWindow(child(L"Edit", WS_BORDER, L"Text"));
                             ::RedrawWindow(c.m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); } },
        { "skin static", [&] { CSkinStatic c; c.SubclassWindow(child(L"Static", SS_LEFT, L""));
                               c.SetText(L"Text", RGB(1, 2, 3), TRUE); c.SetHandCursor(TRUE); c.SetToolTip(L"Tip");
                               paint(c.m_hWnd); } },
        { "skin tree", [&] { CSkinTree c; c.SubclassWindow(child(WC_TREEVIEWW, TVS_HASBUTTONS, L""));
                             FillTree(c.m_hWnd, 2, 2); c.SetBkMode(CSkinTree::BkModeBitmap);
                             c.SetBitmapID(101); c.SetBitmapTiledMode(true); paint(c.m_hWnd); } },
        { "touch edit", [&] { CTouchEdit c; c.SubclassWindow(child(L"Edit", 0, L"Text"));
                              c.SendMessage(WM_MOUSEMOVE); c.SendMessage(WM_MOUSELEAVE); paint(c.m_hWnd); } },
        { "touch combo", [&] { CTouchComboBox c; c.SubclassWindow(child(L"ComboBox", CBS_DROPDOWNLIST, L""));
                               c.AddString(L"Item"); c.SendMessage(WM_MOUSEMOVE); c.SendMessage(WM_MOUSELEAVE);
                               paint(c.m_hWnd); } },
        { "touch date", [&] { CTouchDateTimeCtrl c; c.SubclassWindow(child(DATETIMEPICK_CLASSW, 0, L""));
                              c.SendMessage(WM_MOUSEMOVE); c.SendMessage(WM_MOUSELEAVE); paint(c.m_hWnd); } },
    };
    HANDLE hProcess = ::GetCurrentProcess();
    printf("%-14s %12s %12s %16s %14s %14s\n", "1,000 of", "GDI objects", "USER objects", "committed bytes",
           "GDI slots", "USER slots");
    for (KindRun& kind : kinds)
    {
        for (int i = 0; i < 20; i++)
            kind.fnOne();
        Pump();
        AfxDeleteTempMaps();
        DWORD nGdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS), nUser = ::GetGuiResources(hProcess, GR_USEROBJECTS);
        SIZE_T nBefore = KorvoTest::CommittedPrivateBytes();
        KorvoTest::CHandleHighs highsBefore = KorvoTest::FreshHandleHighs();
        for (int i = 0; i < 1000; i++)
        {
            kind.fnOne();
            if (i % 50 == 0)
                Pump();
        }
        Pump();
        AfxDeleteTempMaps();
        SIZE_T nAfter = KorvoTest::CommittedPrivateBytes();
        KorvoTest::CHandleHighs highsAfter = KorvoTest::FreshHandleHighs();
        printf("%-14s %5lu -> %-5lu %5lu -> %-5lu %+16lld %6d -> %-6d %6d -> %-6d\n", kind.pszName, nGdi,
               ::GetGuiResources(hProcess, GR_GDIOBJECTS), nUser, ::GetGuiResources(hProcess, GR_USEROBJECTS),
               (long long)nAfter - (long long)nBefore, highsBefore.nGdi, highsAfter.nGdi,
               highsBefore.nUser, highsAfter.nUser);
    }
    ::DeleteObject(hNormal);
    ::DeleteObject(hHover);
}
}

int main(int argc, char** argv)
{
    static CWinApp app(L"ControlsBench");
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    g_Theme.Clear();
    g_Theme.Reset();
    {
        CPage system(FALSE, 0);
        CPage skinned(TRUE, 450);
        Compare(system, skinned, TimePaints, "controls page paint: skinned vs system controls", 1.5, [&](int nRuns) {
            printf("controls page, full paint (%zu controls, best of %d runs of %d paints)\n", _countof(PAGE), nRuns,
                   ROUNDS);
        });
    }
    {
        CTreePage system(FALSE, 0);
        CTreePage skinned(TRUE, 270);
        Compare(system, skinned, TimeScrolls, "tree of 5,000 items scrolled a page: skinned vs system tree", 2.0,
                [&](int nRuns) {
                    printf("tree of 5,000 items, one page scrolled and painted (best of %d runs of %d scrolls)\n",
                           nRuns, ROUNDS);
                });
    }
    if (argc > 1 && strcmp(argv[1], "churn") == 0)
        Churn();
    return 0;
}
