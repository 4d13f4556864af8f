#include "ControlsTestSupport.h"

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

TEST(Reflection, OwnerDrawReachesTheControlThroughAParentsOwnHandler)
{
    CDrawingHost dlg;
    dlg.AddControl(L"Button", IDC_CHILD, BS_OWNERDRAW, 10, 40, 80, 24);
    CDrawnButton drawn;
    ASSERT_TRUE(drawn.SubclassDlgItem(IDC_CHILD, &dlg));
    Repaint(dlg.m_hWnd);
    EXPECT_GT(drawn.m_nDrawn, 0);
    EXPECT_GT(dlg.m_nSeen, 0);
    EXPECT_EQ(RGB(0, 0, 0), CCapture(drawn.m_hWnd).At(40, 12));
}
