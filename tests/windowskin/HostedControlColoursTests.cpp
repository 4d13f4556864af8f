// The system's own controls in a skinned dialog, in the bundled dark skin: each asks its parent
// for its colours (WM_CTLCOLOR*), and the dialog answers with the skin's paper and text for the
// control's kind and state: edits normal, read-only and disabled, a list box, a combo box and its
// open list, a scroll bar control's trough, a group box's frame and caption. Read back from the
// screen as the commonest colour of each control's inside.
#include "SkinTestSupport.h"
#include <map>

using namespace SkinTest;

namespace
{
enum { ID_EDIT = 1301, ID_READONLY, ID_DISABLED, ID_LIST, ID_COMBO, ID_SCROLL, ID_GROUP };

COLORREF Commonest(HWND hWnd, CRect rc)
{
    KorvoTest::CWindowPixels pixels(hWnd, true);
    rc.IntersectRect(&rc, CRect(0, 0, pixels.m_cx, pixels.m_cy));
    std::map<COLORREF, int> counts;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            counts[pixels.At(x, y)]++;
    COLORREF crBest = CLR_INVALID;
    int nBest = 0;
    for (const auto& count : counts)
        if (count.second > nBest)
            crBest = count.first, nBest = count.second;
    return crBest;
}

COLORREF Inside(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    rc.DeflateRect(2, 2);
    return Commonest(hWnd, rc);
}

class CHostDialog : public CSkinDialog
{
public:
    BOOL Create()
    {
        m_template.reset(new KorvoTest::CDialogTemplate(CTestSkinDialog::STYLE, 220, 150, L"Gallery"));
        m_template->AddControl(L"Edit", ID_EDIT, WS_BORDER | WS_VISIBLE, 6, 6, 90, 12, L"Typed text");
        m_template->AddControl(L"Edit", ID_READONLY, WS_BORDER | ES_READONLY | WS_VISIBLE, 6, 22, 90, 12, L"Read only");
        m_template->AddControl(L"Edit", ID_DISABLED, WS_BORDER | WS_DISABLED | WS_VISIBLE, 6, 38, 90, 12, L"Disabled");
        m_template->AddControl(L"ListBox", ID_LIST, WS_BORDER | WS_VISIBLE, 6, 54, 90, 40, L"");
        m_template->AddControl(L"ComboBox", ID_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE, 110, 6, 90, 60, L"");
        m_template->AddControl(L"ScrollBar", ID_SCROLL, SBS_HORZ | WS_VISIBLE, 110, 24, 90, 10, L"");
        m_template->AddControl(L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, 110, 40, 100, 60, L"Group");
        if (!CreateIndirect(m_template->Get()))
            return FALSE;
        ::SendMessageW(Item(ID_LIST), LB_ADDSTRING, 0, (LPARAM)L"One");
        ::SendMessageW(Item(ID_COMBO), CB_ADDSTRING, 0, (LPARAM)L"First");
        ::SendMessageW(Item(ID_COMBO), CB_ADDSTRING, 0, (LPARAM)L"Second");
        ::SendMessageW(Item(ID_COMBO), CB_SETCURSEL, 0, 0);
        ::SetScrollRange(::GetDlgItem(m_hWnd, ID_SCROLL), SB_CTL, 0, 100, FALSE);
        SetWindowPos(NULL, 120, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return TRUE;
    }
    HWND Item(UINT nID) const { return ::GetDlgItem(m_hWnd, (int)nID); }
    void Repaint()
    {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        KorvoTest::PumpMessages(20);
    }

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_template;
};

} // namespace

TEST(HostedControlColours, ASkinnedDialogGivesTheSystemsControlsTheSkinsColours)
{
    ASSERT_TRUE(InitSkin());
    CGalleryFolder folder;
    for (LPCWSTR pszSkin : { L"Midnight", L"Aurora" })
    {
        ASSERT_TRUE(LoadSkin(L"Definitions\\English.xml", CString(L"Definitions\\") + pszSkin + L".xml"));
        const bool bDark = CString(pszSkin) == L"Midnight";
        const CInterfaceTheme& theme = g_Theme;
        CHostDialog dlg;
        ASSERT_TRUE(dlg.Create());
        ASSERT_TRUE(dlg.SkinMe(L"Gallery"));
        ::SetFocus(NULL);
        dlg.Repaint();
        // A light skin without the keys: the system's white fields and its own disabled paper.
        const COLORREF crWhite = ::GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::EditBack) : crWhite, Inside(dlg.Item(ID_EDIT))) << "edit";
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::EditReadOnlyBack) : theme.DialogBackColour(), Inside(dlg.Item(ID_READONLY)))
            << "read-only edit";
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::EditDisabledBack) : theme.DialogBackColour(), Inside(dlg.Item(ID_DISABLED)))
            << "disabled edit";
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::ListBack) : crWhite, Inside(dlg.Item(ID_LIST))) << "list box";
        // The combo box's field, left of its drop button.
        CRect rcCombo;
        ::GetClientRect(dlg.Item(ID_COMBO), &rcCombo);
        rcCombo.DeflateRect(3, 3);
        rcCombo.right -= rcCombo.Height() + 4;
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::ComboBack) : crWhite, Commonest(dlg.Item(ID_COMBO), rcCombo)) << "combo box";
        // The scroll bar's trough, between its arrows.
        CRect rcScroll;
        ::GetClientRect(dlg.Item(ID_SCROLL), &rcScroll);
        int nArrow = ::GetSystemMetrics(SM_CXHSCROLL);
        COLORREF crTrough = Commonest(dlg.Item(ID_SCROLL), CRect(nArrow + 1, 1, rcScroll.right - nArrow - 1, rcScroll.bottom - 1));
        if (bDark)
        {
            EXPECT_EQ(theme.Colour(SkinColour::ScrollBarBack), crTrough) << "scroll bar";
        }
        // The group box's frame: its left edge below the caption.
        KorvoTest::CWindowPixels group(dlg.Item(ID_GROUP), true);
        COLORREF crFrame = group.At(0, group.m_cy / 2);
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::GroupFrame) : ::GetSysColor(COLOR_BTNSHADOW), crFrame) << "group box frame";

        // The combo box's open list.
        HWND hCombo = dlg.Item(ID_COMBO);
        ::SendMessageW(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
        KorvoTest::PumpMessages(20);
        COMBOBOXINFO info = { sizeof(info) };
        ASSERT_TRUE(::GetComboBoxInfo(hCombo, &info) && info.hwndList);
        int nRow = (int)::SendMessageW(hCombo, CB_GETITEMHEIGHT, 0, 0);
        CRect rcList;
        ::GetClientRect(info.hwndList, &rcList);
        // The unselected second row.
        EXPECT_EQ(bDark ? theme.Colour(SkinColour::ComboListBack) : crWhite,
                  Commonest(info.hwndList, CRect(1, nRow, rcList.right - 1, 2 * nRow)))
            << "combo box list";
        ::SendMessageW(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
        dlg.DestroyWindow();
    }
    UnInitSkin();
}
