#include "ControlsTestSupport.h"
#define PSAPI_VERSION 2
#include <psapi.h>
#include <functional>

using namespace ControlsTest;

namespace
{
const UINT IDC_CHILD = 600;

// Counts its own clicks; with bLetParentSee the parent gets them too.
class CReflectButton : public CButton
{
public:
    int m_nClicks = 0;
    BOOL m_bLetParentSee = FALSE;

protected:
    afx_msg BOOL OnClicked()
    {
        m_nClicks++;
        return !m_bLetParentSee;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CEatingButton : public CButton
{
public:
    int m_nClicks = 0;

protected:
    afx_msg void OnClicked() { m_nClicks++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEatingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// Answers its parent's colour request with a brush of its own.
class CColourStatic : public CStatic
{
public:
    CBrush m_brush{ RGB(30, 140, 220) };

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetBkColor(RGB(30, 140, 220));
        return (HBRUSH)m_brush.m_hObject;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CDrawnButton : public CButton
{
public:
    int m_nDrawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_nDrawn++;
        ::FillRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

// A parent with an owner-draw handler of its own that passes controls on to the base.
class CDrawingHost : public CHostDialog
{
public:
    int m_nSeen = 0;

protected:
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        m_nSeen++;
        CHostDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawingHost, CHostDialog)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

void Click(HWND hButton)
{
    ::SendMessageW(hButton, BM_CLICK, 0, 0);
    KorvoTest::PumpMessages(0);
}
}

TEST(Reflection, ControlNotificationsGoToTheControlFirst)
{
    CHostDialog dlg;
    dlg.AddControl(L"Button", IDC_CHILD, BS_PUSHBUTTON, 10, 10, 80, 24, L"Reflect");
    CEatingButton eating;
    ASSERT_TRUE(eating.SubclassDlgItem(IDC_CHILD, &dlg));
    Click(eating.m_hWnd);
    EXPECT_EQ(1, eating.m_nClicks);
    EXPECT_TRUE(dlg.m_clicks.empty());
    eating.DestroyWindow();

    dlg.AddControl(L"Button", IDC_CHILD, BS_PUSHBUTTON, 10, 10, 80, 24, L"Reflect");
    CReflectButton sharing;
    ASSERT_TRUE(sharing.SubclassDlgItem(IDC_CHILD, &dlg));
    Click(sharing.m_hWnd);
    EXPECT_EQ(1, sharing.m_nClicks);
    EXPECT_TRUE(dlg.m_clicks.empty());
    sharing.m_bLetParentSee = TRUE;
    Click(sharing.m_hWnd);
    EXPECT_EQ(2, sharing.m_nClicks);
    ASSERT_EQ(1u, dlg.m_clicks.size());
    EXPECT_EQ(IDC_CHILD, dlg.m_clicks[0]);
}

TEST(Reflection, ColourRequestsAndOwnerDrawReachTheControl)
{
    CDrawingHost dlg;
    dlg.AddControl(L"Static", IDC_CHILD, SS_LEFT, 10, 10, 80, 24);
    CColourStatic text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_CHILD, &dlg));
    dlg.AddControl(L"Button", IDC_CHILD + 1, BS_OWNERDRAW, 10, 40, 80, 24);
    CDrawnButton drawn;
    ASSERT_TRUE(drawn.SubclassDlgItem(IDC_CHILD + 1, &dlg));
    Repaint(dlg.m_hWnd);
    EXPECT_EQ(RGB(30, 140, 220), CCapture(text.m_hWnd).At(40, 12));
    EXPECT_GT(drawn.m_nDrawn, 0);
    EXPECT_GT(dlg.m_nSeen, 0);
    EXPECT_EQ(RGB(0, 0, 0), CCapture(drawn.m_hWnd).At(40, 12));
}

// Creates and destroys a hundred of each control on a live dialog: neither GDI or USER objects
// nor memory may be left behind (bench_controls runs a thousand of each and prints the figures).
TEST(Reflection, ControlsCreatedAndDestroyedLeaveNothingBehind)
{
    CHostDialog dlg;
    g_Theme.Clear();
    g_Theme.Reset();
    HANDLE hProcess = ::GetCurrentProcess();
    struct Kind
    {
        const char* pszName;
        std::function<void()> fnOne;
    };
    HBITMAP hNormal = MakeBitmap(40, 20, RGB(200, 0, 0), RGB(255, 255, 255));
    HBITMAP hHover = MakeBitmap(40, 20, RGB(0, 0, 200), RGB(255, 255, 255));
    // Hidden controls painted into a memory surface: every drawing path runs without the
    // display's round trips.
    CCanvas canvas(200, 60, RGB(255, 255, 255));
    auto paint = [&](HWND hWnd) { ::PrintWindow(hWnd, canvas.Dc()->m_hDC, 0); };
    Kind kinds[] = {
        { "slider", [&] {
             CSkinSliderCtrl slider;
             dlg.AddControl(TRACKBAR_CLASSW, IDC_CHILD, TBS_ENABLESELRANGE, 10, 10, 150, 30, L"", FALSE);
             slider.SubclassDlgItem(IDC_CHILD, &dlg);
             slider.SetThumbColor(RGB(100, 150, 200));
             slider.SetVolumn(9000);
             paint(slider.m_hWnd);
         } },
        { "check box", [&] {
             CSkinCheckBox check;
             dlg.AddControl(L"Button", IDC_CHILD, BS_AUTOCHECKBOX, 10, 10, 150, 20, L"Check", FALSE);
             check.SubclassDlgItem(IDC_CHILD, &dlg);
             check.SetCheck(1);
             paint(check.m_hWnd);
         } },
        { "combo box", [&] {
             CSkinComboBox combo;
             dlg.AddControl(L"ComboBox", IDC_CHILD, CBS_DROPDOWNLIST, 10, 10, 150, 200, L"", FALSE);
             combo.SubclassDlgItem(IDC_CHILD, &dlg);
             combo.AddString(L"Item");
             paint(combo.m_hWnd);
         } },
        { "effect button", [&] {
             CEffectButton button;
             dlg.AddControl(L"Button", IDC_CHILD, BS_OWNERDRAW, 10, 10, 40, 20, L"Go", FALSE);
             button.SubclassDlgItem(IDC_CHILD, &dlg);
             button.SetImage(hNormal, hHover, RGB(255, 255, 255));
             button.SetHandCursor(true);
             button.SetToolTip(L"Tip");
             paint(button.m_hWnd);
         } },
        { "effect static", [&] {
             CEffectStatic text;
             dlg.AddControl(L"Static", IDC_CHILD, SS_LEFT, 10, 10, 150, 40, L"Some text\nwrapped", FALSE);
             text.SubclassDlgItem(IDC_CHILD, &dlg);
             paint(text.m_hWnd);
         } },
        { "icon button", [&] {
             CIconButton button;
             dlg.AddControl(L"Button", IDC_CHILD, BS_PUSHBUTTON, 10, 10, 100, 30, L"Icon", FALSE);
             button.SubclassDlgItem(IDC_CHILD, &dlg);
             button.SetIcon(MakeSolidIcon(RGB(1, 2, 3)));
             button.SetHandCursor(TRUE);
             paint(button.m_hWnd);
         } },
    };
    for (Kind& kind : kinds)
    {
        // A few rounds first, so caches the platform fills once are full.
        for (int i = 0; i < 5; i++)
            kind.fnOne();
        KorvoTest::PumpMessages(0);
        AfxDeleteTempMaps();
        DWORD nGdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
        DWORD nUser = ::GetGuiResources(hProcess, GR_USEROBJECTS);
        PROCESS_MEMORY_COUNTERS memory = { sizeof(memory) };
        ::GetProcessMemoryInfo(hProcess, &memory, sizeof(memory));
        SIZE_T nBytes = memory.PagefileUsage;
        for (int i = 0; i < 100; i++)
        {
            kind.fnOne();
            if (i % 50 == 0)
                KorvoTest::PumpMessages(0);
        }
        KorvoTest::PumpMessages(0);
        AfxDeleteTempMaps();
        DWORD nGdiAfter = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
        DWORD nUserAfter = ::GetGuiResources(hProcess, GR_USEROBJECTS);
        ::GetProcessMemoryInfo(hProcess, &memory, sizeof(memory));
        long long nGrowth = (long long)memory.PagefileUsage - (long long)nBytes;
        EXPECT_LE(nGdiAfter, nGdi + 2) << kind.pszName;
        EXPECT_LE(nUserAfter, nUser + 2) << kind.pszName;
        // A leaked bitmap, DC or image list per control would pass 64 KB.
        EXPECT_LT(nGrowth, 64 * 1024) << kind.pszName;
    }
    ::DeleteObject(hNormal);
    ::DeleteObject(hHover);
}
