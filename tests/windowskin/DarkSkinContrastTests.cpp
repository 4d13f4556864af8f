// The bundled dark skin read back from the screen: every text a user reads in it (the dialog's
// labels, the skinned controls, an open popup menu) stands out from what it is drawn on by the
// contrast ratio readable text needs. The ratios are printed, lowest first.
#include "SkinTestSupport.h"
#include <KorvoSkin/CIconButton.h>
#include <KorvoSkin/CSkinCheckBox.h>
#include <KorvoSkin/CSkinComboBox.h>
#include <KorvoSkin/CSkinEdit.h>
#include <KorvoSkin/CSkinTree.h>
#include "theme/ColourContrast.h"
#include <algorithm>
#include <cstdio>

using namespace SkinTest;

namespace
{
const double READABLE = 4.5;

struct Reading
{
    std::string strWhat;
    TEXT_CONTRAST text;
};

// The text within rc of the pixels.
Reading Read(const std::string& strWhat, const KorvoTest::CWindowPixels& pixels, const CRect& rc)
{
    std::vector<COLORREF> inside;
    for (int y = std::max(0L, rc.top); y < std::min((LONG)pixels.m_cy, rc.bottom); y++)
        for (int x = std::max(0L, rc.left); x < std::min((LONG)pixels.m_cx, rc.right); x++)
            inside.push_back(pixels.At(x, y));
    return { strWhat, ReadTextContrast(inside) };
}

enum { ID_LABEL = 1201, ID_CHECK, ID_RADIO, ID_SKIN_CHECK, ID_EDIT, ID_COMBO, ID_TREE, ID_ICON_BUTTON };

class CContrastDialog : public CSkinDialog
{
public:
    BOOL Create()
    {
        m_template.reset(new KorvoTest::CDialogTemplate(CTestSkinDialog::STYLE, 200, 150, L"Gallery"));
        m_template->AddControl(L"Static", ID_LABEL, SS_LEFT | WS_VISIBLE, 6, 6, 80, 10, L"Label text");
        m_template->AddControl(L"Button", ID_CHECK, BS_AUTOCHECKBOX | WS_VISIBLE, 6, 20, 80, 10, L"Check box");
        m_template->AddControl(L"Button", ID_RADIO, BS_AUTORADIOBUTTON | WS_VISIBLE, 6, 34, 80, 10, L"Radio button");
        m_template->AddControl(L"Button", ID_SKIN_CHECK, BS_AUTOCHECKBOX | WS_VISIBLE, 6, 48, 80, 10, L"Skinned box");
        m_template->AddControl(L"Edit", ID_EDIT, WS_BORDER | WS_VISIBLE, 6, 62, 80, 12, L"Skinned edit");
        m_template->AddControl(L"ComboBox", ID_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE, 6, 80, 80, 60, L"");
        m_template->AddControl(L"SysTreeView32", ID_TREE, TVS_HASBUTTONS | TVS_LINESATROOT | WS_VISIBLE, 100, 6, 90, 60,
                               L"");
        m_template->AddControl(L"Button", ID_ICON_BUTTON, BS_PUSHBUTTON | WS_VISIBLE, 100, 80, 60, 14, L"Open");
        if (!CreateIndirect(m_template->Get()))
            return FALSE;
        m_check.SubclassDlgItem(ID_SKIN_CHECK, this);
        m_edit.SubclassDlgItem(ID_EDIT, this);
        m_combo.SubclassDlgItem(ID_COMBO, this);
        m_combo.AddString(L"Midnight");
        m_combo.SetCurSel(0);
        m_tree.SubclassDlgItem(ID_TREE, this);
        HTREEITEM hGroup = m_tree.InsertItem(L"Friends");
        m_tree.InsertItem(L"Friend 1", hGroup);
        m_tree.InsertItem(L"Friend 2", hGroup);
        m_tree.Expand(hGroup, TVE_EXPAND);
        m_button.SubclassDlgItem(ID_ICON_BUTTON, this);
        SetWindowPos(NULL, 120, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return TRUE;
    }
    KorvoTest::CWindowPixels Pixels(UINT nID)
    {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        KorvoTest::PumpMessages(20);
        return KorvoTest::CWindowPixels(::GetDlgItem(m_hWnd, nID), true);
    }
    CSkinTree m_tree;

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_template;
    CSkinCheckBox m_check;
    CSkinEdit m_edit;
    CSkinComboBox m_combo;
    CIconButton m_button;
};

// A text's rectangle: the control's client area less a margin, or less its box on the left.
CRect Inside(const KorvoTest::CWindowPixels& pixels, int nLeft, int nMargin)
{
    return CRect(nLeft, nMargin, pixels.m_cx - nMargin, pixels.m_cy - nMargin);
}

std::vector<Reading> s_popup;

void CALLBACK ReadOpenPopup(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    HWND hPopup = ::FindWindowW(L"#32768", NULL);
    if (!hPopup || !::IsWindowVisible(hPopup))
        return;
    ::KillTimer(NULL, nTimer);
    KorvoTest::CWindowPixels pixels(hPopup);
    // The first item's row, clear of the popup's border and of the image column.
    HMENU hMenu = (HMENU)::SendMessageW(hPopup, 0x01E1 /* MN_GETHMENU */, 0, 0);
    CRect rcItem;
    if (hMenu && ::GetMenuItemRect(NULL, hMenu, 0, &rcItem))
    {
        CRect rcPopup;
        ::GetWindowRect(hPopup, &rcPopup);
        rcItem.OffsetRect(-rcPopup.left, -rcPopup.top);
        rcItem.left += 28;
        s_popup.push_back(Read("popup menu item", pixels, rcItem));
    }
    ::EndMenu();
}
} // namespace

TEST(DarkSkin, EveryTextIsReadableOnWhatItIsDrawnOn)
{
    ASSERT_TRUE(InitSkin());
    CGalleryFolder folder;
    ASSERT_TRUE(LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml"));
    CContrastDialog dlg;
    ASSERT_TRUE(dlg.Create());
    ASSERT_TRUE(dlg.SkinMe(L"Gallery"));

    std::vector<Reading> readings;
    for (const auto& label : std::vector<std::pair<UINT, const char*>>{
             { ID_LABEL, "label" }, { ID_CHECK, "check box label" }, { ID_RADIO, "radio button label" } })
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(label.first);
        // Past the system's box or circle, which is not text.
        readings.push_back(Read(label.second, pixels, Inside(pixels, label.first == ID_LABEL ? 0 : 16, 0)));
    }
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(ID_SKIN_CHECK);
        readings.push_back(Read("skinned check box", pixels, Inside(pixels, 18, 0)));
    }
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(ID_EDIT);
        readings.push_back(Read("skinned edit", pixels, Inside(pixels, 2, 2)));
    }
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(ID_COMBO);
        // Clear of the drop-down arrow on the right.
        CRect rc = Inside(pixels, 3, 3);
        rc.right -= pixels.m_cy;
        readings.push_back(Read("skinned combo box", pixels, rc));
    }
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(ID_TREE);
        // An unselected child item's label.
        HTREEITEM hItem = dlg.m_tree.GetChildItem(dlg.m_tree.GetRootItem());
        CRect rc;
        ASSERT_TRUE(dlg.m_tree.GetItemRect(hItem, &rc, TRUE));
        readings.push_back(Read("skinned tree item", pixels, rc));
    }
    {
        KorvoTest::CWindowPixels pixels = dlg.Pixels(ID_ICON_BUTTON);
        readings.push_back(Read("icon button", pixels, Inside(pixels, 3, 3)));
    }

    s_popup.clear();
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, ReadOpenPopup);
    CRect rcDialog;
    dlg.GetWindowRect(&rcDialog);
    TrackSkinPopupMenu(L"Context", rcDialog.CenterPoint(), 0, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, &dlg);
    ::KillTimer(NULL, nTimer);
    ASSERT_EQ(1u, s_popup.size()) << "the popup was read while it was open";
    readings.push_back(s_popup[0]);

    std::sort(readings.begin(), readings.end(), [](const Reading& a, const Reading& b) { return a.text.dRatio < b.text.dRatio; });
    for (const Reading& reading : readings)
    {
        const TEXT_CONTRAST& text = reading.text;
        std::printf("  %-22s %5.2f:1  ink #%02X%02X%02X on #%02X%02X%02X\n", reading.strWhat.c_str(), text.dRatio,
                    GetRValue(text.crInk), GetGValue(text.crInk), GetBValue(text.crInk), GetRValue(text.crBack),
                    GetGValue(text.crBack), GetBValue(text.crBack));
        EXPECT_GT(text.nInk, 10u) << reading.strWhat << ": no text found";
        EXPECT_GE(text.dRatio, READABLE) << reading.strWhat;
    }
    dlg.DestroyWindow();
    UnInitSkin();
}
