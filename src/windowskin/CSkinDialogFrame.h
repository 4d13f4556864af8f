// What a skinned dialog holds of the skin: the registry's window skin it is framed by (let go
// when the registry says its skins are going) and the small icon it was given. The dialog's
// public class keeps only a pointer to this.
#pragma once
#include <KorvoSkin/CSkinDialog.h>
#include "../skin/CWindowSkinListener.h"
#include "CDialogColours.h"
#include "CWindowSkinState.h"
#include <memory>
#include <type_traits>

class CSkinRegistry;
class CSkinContext;
class CWindowSkin;
class CInterfaceTheme;

class CSkinDialogFrame : public CWindowSkinListener
{
public:
    // The dialog takes its window skins and colours from the context's registry and theme.
    CSkinDialogFrame(CSkinDialog& dlg, const CSkinContext& context);
    ~CSkinDialogFrame();

    // Frames the dialog from another context than the default one it was constructed with;
    // FALSE once the dialog has a window.
    static BOOL UseContext(CSkinDialog& dlg, const CSkinContext& context);

    // The window skin a dialog is framed by now; null for the system frame.
    static CWindowSkin* SkinOf(const CSkinDialog& dlg) { return dlg.m_pFrame->m_pSkin; }
    // The dialog's own hover, press and brush.
    static CWindowSkinState& StateOf(const CSkinDialog& dlg) { return dlg.m_pFrame->m_state; }
    CWindowSkin* GetSkin() const { return m_pSkin; }
    // The dialog's own hover, press and brush, handed to its skin.
    CWindowSkinState& State() { return m_state; }
    CDialogColours Colours() const { return CDialogColours(m_theme); }

    // The registry's newest skin for pszName, or the system frame; TRUE when a skin was found.
    BOOL SkinMe(LPCWSTR pszName, UINT nIconID);
    // Widths of the frame around the client area (left, top, right, bottom): the skin's, or
    // the system's for the dialog's style.
    CRect GetFrameThickness() const;
    // The window is going: no skin, no icon.
    void Release();

private:
    struct CIconDestroyer
    {
        void operator()(HICON hIcon) const { ::DestroyIcon(hIcon); }
    };

    // The dialog lets go of its skin and shows the plain frame until the host calls SkinMe
    // again.
    void OnWindowSkinsDeleting() override;
    void SetSkin(CWindowSkin* pSkin);
    void SetSmallIcon(UINT nIconID);
    // Puts the current frame around the unchanged client area in place of the one that was
    // rcOldFrame thick, and moves the tracking sizes and the normal placement with it.
    void ChangeFrame(const CRect& rcOldFrame);

    CSkinDialog& m_dlg;
    CSkinRegistry& m_registry;
    CInterfaceTheme& m_theme;
    CWindowSkin* m_pSkin;
    CWindowSkinState m_state;
    // The small icon SkinMe gave the window, which goes with the window.
    std::unique_ptr<std::remove_pointer<HICON>::type, CIconDestroyer> m_pSmallIcon;

    CSkinDialogFrame(const CSkinDialogFrame&) = delete;
    CSkinDialogFrame& operator=(const CSkinDialogFrame&) = delete;
};
