#include "CControlsPage.h"

namespace
{
const UINT SLIDER_IDS[] = { IDC_CT_SLIDER_BOTH, IDC_CT_SLIDER_TOP, IDC_CT_SLIDER_BOTTOM, IDC_CT_SLIDER_DISABLED,
                            IDC_CT_SLIDER_LEFT, IDC_CT_SLIDER_RIGHT, IDC_CT_SLIDER_VBOTH };
const UINT CHECK_IDS[] = { IDC_CT_CHECK_OFF, IDC_CT_CHECK_ON, IDC_CT_CHECK_LEFT, IDC_CT_CHECK_DISABLED };
const UINT COMBO_IDS[] = { IDC_CT_COMBO, IDC_CT_COMBO_DISABLED };
const UINT EFFECT_IDS[] = { IDC_CT_EFFECT_NORMAL, IDC_CT_EFFECT_PITCHED, IDC_CT_EFFECT_DISABLED };
const UINT ICON_IDS[] = { IDC_CT_ICON_OPEN, IDC_CT_ICON_ONLY, IDC_CT_ICON_LEFT, IDC_CT_ICON_DISABLED, IDC_CT_ICON_HOT };
const UINT ICON_COMMANDS[] = { ID_FILE_OPEN, ID_EDIT_COPY, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_PASTE };
// Names for screen readers of the controls that show no text of their own to be named by.
const LPCWSTR SLIDER_NAMES[] = { L"Level with selection", L"Slider, ticks above", L"Slider, ticks below",
                                 L"Disabled slider", L"Vertical slider, ticks left", L"Vertical slider, ticks right",
                                 L"Vertical slider" };

COLORREF Mix(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

// The page's own colours run from the dialog background towards the ink: black on a light
// background, white on a dark one, so that a dark skin's page stays readable.
COLORREF Ink(COLORREF crBack)
{
    return GetRValue(crBack) * 299 + GetGValue(crBack) * 587 + GetBValue(crBack) * 114 < 128000 ? RGB(255, 255, 255)
                                                                                               : RGB(0, 0, 0);
}

COLORREF Paper(COLORREF crBack)
{
    return Ink(crBack) ^ 0xFFFFFF;
}

// A rounded button face: white corners (the transparent colour) around a framed fill.
void DrawFace(CDC& dc, CBitmap& bitmap, int cx, int cy, COLORREF crFill, COLORREF crFrame)
{
    bitmap.DeleteObject();
    CClientDC dcScreen(NULL);
    bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, bitmap.m_hObject);
    dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    CBrush brush(crFill);
    CPen pen(PS_SOLID, 1, crFrame);
    HGDIOBJ hOldBrush = ::SelectObject(dc.m_hDC, brush.m_hObject);
    HGDIOBJ hOldPen = ::SelectObject(dc.m_hDC, pen.m_hObject);
    dc.RoundRect(0, 0, cx, cy, 8, 8);
    ::SelectObject(dc.m_hDC, hOldPen);
    ::SelectObject(dc.m_hDC, hOldBrush);
    ::SelectObject(dc.m_hDC, hOld);
}
}

BOOL CControlsPage::OnInitDialog()
{
    CSkinChildDialog::OnInitDialog();
    for (int i = 0; i < 7; i++)
    {
        m_sliders[i].SubclassDlgItem(SLIDER_IDS[i], this);
        m_sliders[i].SetRange(0, 100);
        m_sliders[i].SetTicFreq(10);
        m_sliders[i].SetPos(20 + 12 * i);
        m_sliders[i].SetAccessibleName(SLIDER_NAMES[i]);
    }
    m_sliders[0].SetSelection(30, 70);
    for (int i = 0; i < 4; i++)
        m_checks[i].SubclassDlgItem(CHECK_IDS[i], this);
    m_checks[1].SetCheck(1);
    m_checks[3].SetCheck(1);
    for (int i = 0; i < 2; i++)
    {
        m_combos[i].SubclassDlgItem(COMBO_IDS[i], this);
        m_combos[i].AddString(i ? L"Disabled" : L"Aurora");
        m_combos[i].AddString(L"Ember");
        m_combos[i].SetCurSel(0);
        m_combos[i].SetAccessibleName(i ? L"Disabled list" : L"Skin");
    }
    for (int i = 0; i < 3; i++)
    {
        m_effects[i].SubclassDlgItem(EFFECT_IDS[i], this);
        m_effects[i].SetHandCursor(true);
        m_effects[i].SetIndent(10);
    }
    m_effects[0].SetToolTip(L"An image button");
    m_effects[1].SetPitchOn(true);
    m_effectStatic.SubclassDlgItem(IDC_CT_EFFECT_STATIC, this);
    m_effectStatic.SetLineHeight(13);
    for (int i = 0; i < 5; i++)
        m_icons[i].SubclassDlgItem(ICON_IDS[i], this);
    m_icons[1].SetAccessibleName(L"Copy");
    m_icons[2].SetLeftAlin(true);
    m_icons[4].SetHandCursor(TRUE);
    m_pictures.Create(this);
    InitTreeAndTouch();
    ApplySkin();
    return TRUE;
}

// Tree backgrounds in the order the touch combo lists them.
const struct
{
    LPCWSTR pszName;
    CSkinTree::BkMode mode;
    bool bVariant;
} TREE_MODES[] = {
    { L"Gradient", CSkinTree::BkModeGradient, true },
    { L"Vertical gradient", CSkinTree::BkModeGradient, false },
    { L"Solid", CSkinTree::BkModeSolid, false },
    { L"Stretched bitmap", CSkinTree::BkModeBitmap, false },
    { L"Tiled bitmap", CSkinTree::BkModeBitmap, true },
};

void CControlsPage::InitTreeAndTouch()
{
    m_edit.SubclassDlgItem(IDC_CT_EDIT, this);
    m_edit.SetWindowText(L"Skinned edit");
    m_edit.SetAccessibleName(L"Edit");
    m_statics[0].SubclassDlgItem(IDC_CT_STATIC_BOLD, this);
    m_statics[1].SubclassDlgItem(IDC_CT_STATIC_NORMAL, this);
    m_statics[0].SetHandCursor(TRUE);
    m_statics[0].SetToolTip(L"A static with a hand cursor");

    // Two 16 x 16 images: a filled and a hollow square, magenta left out.
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcScreen, 32, 16);
    HGDIOBJ hOld = dc.SelectObject(bitmap.m_hObject);
    dc.FillSolidRect(0, 0, 32, 16, RGB(255, 0, 255));
    dc.FillSolidRect(3, 3, 10, 10, RGB(40, 110, 200));
    dc.Draw3dRect(19, 3, 10, 10, RGB(200, 90, 30), RGB(200, 90, 30));
    dc.SelectObject(hOld);
    m_imlTree.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    m_imlTree.Add(&bitmap, RGB(255, 0, 255));

    m_tree.SubclassDlgItem(IDC_CT_TREE, this);
    m_tree.SetAccessibleName(L"Contacts");
    m_tree.SetImageListEx(&m_imlTree);
    // The library's own bitmap stands in for a picture.
    m_tree.SetBitmapID(101);
    // Room for the extra icons left of the labels.
    m_tree.SetIndent(20);
    HTREEITEM hSelect = NULL;
    for (int g = 0; g < 2; g++)
    {
        HTREEITEM hGroup = m_tree.InsertItem(g ? L"Colleagues" : L"Friends", 0, 0);
        for (int n = 0; n < 2; n++)
        {
            CString strName = g ? L"Colleague " : L"Friend ";
            strName += (wchar_t)(L'1' + n);
            HTREEITEM hItem = m_tree.InsertItem(strName, 1, 1, hGroup);
            if (g == 0 && n == 1)
                hSelect = hItem;
        }
        m_tree.Expand(hGroup, TVE_EXPAND);
    }
    m_tree.SelectItem(hSelect);
    m_tree.SelectSetFirstVisible(m_tree.GetRootItem());

    m_touchCombo.SubclassDlgItem(IDC_CT_TOUCH_COMBO, this);
    m_touchCombo.SetAccessibleName(L"Tree background");
    for (const auto& mode : TREE_MODES)
        m_touchCombo.AddString(mode.pszName);
    m_touchCombo.SetCurSel(0);
    OnCommand(MAKEWPARAM(IDC_CT_TOUCH_COMBO, CBN_SELCHANGE), (LPARAM)m_touchCombo.m_hWnd);
    m_touchEdits[0].SubclassDlgItem(IDC_CT_TOUCH_EDIT, this);
    m_touchEdits[0].SetWindowText(L"Touch edit");
    m_touchEdits[0].SetAlwaysBorder(true);
    m_touchEdits[0].SetAccessibleName(L"Touch edit");
    m_touchEdits[1].SubclassDlgItem(IDC_CT_TOUCH_PASSWORD, this);
    m_touchEdits[1].SetWindowText(L"secret");
    m_touchEdits[1].SetAccessibleName(L"Password");
    m_touchDate.SubclassDlgItem(IDC_CT_TOUCH_DATE, this);
    m_touchDate.SetAlwaysBorder(true);
    m_touchDate.SetAccessibleName(L"Date");
}

BOOL CControlsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_CT_TOUCH_COMBO && HIWORD(wParam) == CBN_SELCHANGE)
    {
        int nMode = m_touchCombo.GetCurSel();
        if (nMode >= 0 && nMode < (int)_countof(TREE_MODES))
        {
            m_tree.SetBkMode(TREE_MODES[nMode].mode);
            m_tree.SetGradientHorz(TREE_MODES[nMode].bVariant);
            m_tree.SetBitmapTiledMode(TREE_MODES[nMode].bVariant);
            m_tree.Invalidate(FALSE);
        }
        return TRUE;
    }
    return CSkinChildDialog::OnCommand(wParam, lParam);
}

void CControlsPage::MakeEffectImages()
{
    CRect rc;
    m_effects[0].GetWindowRect(&rc);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    // The new images replace the old ones only once the buttons show them.
    CBitmap bmNormal, bmHover;
    COLORREF crBack = GetDialogBkColor();
    COLORREF crFrame = Mix(crBack, Ink(crBack));
    DrawFace(dc, bmNormal, rc.Width(), rc.Height(), Mix(crBack, Paper(crBack) & 0xFEFFFF), crFrame);
    DrawFace(dc, bmHover, rc.Width(), rc.Height(), Mix(crBack, crFrame), Ink(crBack));
    for (CEffectButton& button : m_effects)
    {
        button.SetImage(bmNormal, bmHover, RGB(255, 255, 255));
        button.SetTextColor(crFrame);
    }
    m_bmEffect.DeleteObject();
    m_bmEffectHover.DeleteObject();
    m_bmEffect.Attach(bmNormal.Detach());
    m_bmEffectHover.Attach(bmHover.Detach());
}

void CControlsPage::ApplySkin()
{
    COLORREF crBack = GetDialogBkColor();
    COLORREF crDark = Mix(crBack, Ink(crBack));
    for (CSkinSliderCtrl& slider : m_sliders)
    {
        slider.SetChannelColor(Mix(crBack, Paper(crBack)));
        slider.SetSelectionColor(crDark);
        slider.SetThumbColor(Mix(crBack, crDark));
    }
    m_sliders[0].SetVolumn(5000);
    MakeEffectImages();
    m_effectStatic.SetBackColor(Mix(crBack, Paper(crBack)));
    for (int i = 0; i < 5; i++)
        m_icons[i].SetCoolIcon(ICON_COMMANDS[i]);
    m_pictures.ApplySkin(crBack);
    m_statics[0].SetText(L"Bold static", crDark, TRUE);
    m_statics[1].SetText(L"Normal static", Ink(crBack), FALSE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CControlsPage::ShowHot()
{
    // The touch controls at rest in the states the pointer and the focus would give them.
    m_touchCombo.ShowHover();
    m_touchEdits[1].ShowHover();
    m_touchEdits[1].SetFocus();
    CRect rc;
    m_icons[4].GetWindowRect(&rc);
    CPoint point = rc.CenterPoint();
    ::SetCursorPos(point.x, point.y);
    // The pointer put there by a program may come without a move message of its own.
    m_icons[4].ScreenToClient(&point);
    m_icons[4].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}
