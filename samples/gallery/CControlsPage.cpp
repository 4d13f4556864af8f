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

COLORREF Mix(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
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
    m_icons[2].SetLeftAlin(true);
    m_icons[4].SetHandCursor(TRUE);
    m_pictures.Create(this);
    ApplySkin();
    return TRUE;
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
    COLORREF crFrame = Mix(crBack, RGB(0, 0, 0));
    DrawFace(dc, bmNormal, rc.Width(), rc.Height(), Mix(crBack, RGB(255, 255, 254)), crFrame);
    DrawFace(dc, bmHover, rc.Width(), rc.Height(), Mix(crBack, crFrame), RGB(0, 0, 0));
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
    COLORREF crDark = Mix(crBack, RGB(0, 0, 0));
    for (CSkinSliderCtrl& slider : m_sliders)
    {
        slider.SetChannelColor(Mix(crBack, RGB(255, 255, 255)));
        slider.SetSelectionColor(crDark);
        slider.SetThumbColor(Mix(crBack, crDark));
    }
    m_sliders[0].SetVolumn(5000);
    MakeEffectImages();
    m_effectStatic.SetBackColor(Mix(crBack, RGB(255, 255, 255)));
    for (int i = 0; i < 5; i++)
        m_icons[i].SetCoolIcon(ICON_COMMANDS[i]);
    m_pictures.ApplySkin(crBack);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CControlsPage::ShowHot()
{
    CRect rc;
    m_icons[4].GetWindowRect(&rc);
    CPoint point = rc.CenterPoint();
    ::SetCursorPos(point.x, point.y);
    // The pointer put there by a program may come without a move message of its own.
    m_icons[4].ScreenToClient(&point);
    m_icons[4].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}
