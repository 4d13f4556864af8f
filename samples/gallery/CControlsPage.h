#pragma once
#include <KorvoSkin.h>
#include "resource.h"
#include "CPicturesPanel.h"

// The gallery's "Controls" page: every skinned control of the library in each state it can
// show, repainted in the loaded skin's colours by ApplySkin.
class CControlsPage : public CSkinChildDialog
{
public:
    CControlsPage() : CSkinChildDialog(IDD_CONTROLS) {}
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Colours, images and command icons of the skin just loaded.
    void ApplySkin();
    // Puts the pointer on one icon button so that it shows its hover look.
    void ShowHot();

private:
    void MakeEffectImages();

    CSkinSliderCtrl m_sliders[7];
    CSkinCheckBox m_checks[4];
    CSkinComboBox m_combos[2];
    CEffectButton m_effects[3];
    CEffectStatic m_effectStatic;
    CIconButton m_icons[5];
    // The effect buttons' images, in the skin's colours; the buttons only borrow them.
    CBitmap m_bmEffect;
    CBitmap m_bmEffectHover;
    CPicturesPanel m_pictures;
};
