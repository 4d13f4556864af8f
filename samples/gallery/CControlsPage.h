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

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void MakeEffectImages();
    void InitTreeAndTouch();

    // A touch control held in its hover look for the page to show at rest: the pointer's move
    // is played to it, and the leave notification that the pointer elsewhere brings is kept
    // from it.
    template <typename T> class CShown : public T
    {
    public:
        void ShowHover()
        {
            m_bHeld = true;
            this->SendMessage(WM_MOUSEMOVE);
        }

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_MOUSELEAVE && m_bHeld)
                return 0;
            return T::WindowProc(message, wParam, lParam);
        }

    private:
        bool m_bHeld = false;
    };

    CSkinSliderCtrl m_sliders[7];
    CSkinCheckBox m_checks[4];
    CSkinComboBox m_combos[2];
    CEffectButton m_effects[3];
    CEffectStatic m_effectStatic;
    CIconButton m_icons[5];
    CSkinEdit m_edit;
    CSkinStatic m_statics[2];
    // The tree's background follows the touch combo's choice.
    CSkinTree m_tree;
    CImageList m_imlTree;
    CShown<CTouchComboBox> m_touchCombo;
    CShown<CTouchEdit> m_touchEdits[2];
    CTouchDateTimeCtrl m_touchDate;
    // The effect buttons' images, in the skin's colours; the buttons only borrow them.
    CBitmap m_bmEffect;
    CBitmap m_bmEffectHover;
    CPicturesPanel m_pictures;
};
