// The colours a skinned dialog gives its children through WM_CTLCOLOR*: the dialog background,
// the skin's dialog text, labels drawn over the watermark when the skin asks for it, and the
// skin's colours of the controls it hosts (edits, combo boxes and their lists, list boxes, scroll
// bar controls, group boxes).
#pragma once
#include <afxwin.h>
#include "../theme/CInterfaceTheme.h"

class CWindowSkin;
struct CWindowSkinState;

class CDialogColours
{
public:
    // The colours of the skin loaded into the theme.
    explicit CDialogColours(const CInterfaceTheme& theme) : m_theme(theme) {}

    // The answer to one WM_CTLCOLOR* message of pDialog for pChild, or hDefault for a kind of
    // child the skin leaves alone. pSkin, when given, is the dialog's window skin, whose
    // watermark shows through labels that the colour scheme makes transparent, and pState the
    // dialog's own state for it.
    HBRUSH ForChild(CWnd* pDialog, CDC* pDC, CWnd* pChild, UINT nCtlColor, CWindowSkin* pSkin, CWindowSkinState* pState,
                    HBRUSH hDefault);
    // Fills pDialog's client area with the dialog background, as a skinned window is erased
    // where its skin has no watermark; TRUE.
    BOOL EraseBackground(CWnd* pDialog, CDC* pDC) const;

private:
    // The control part a WM_CTLCOLOR* request of pChild is for; FALSE for what is not a
    // control part (labels, check boxes, the dialog itself).
    static BOOL PartOf(CWnd* pChild, UINT nCtlColor, ControlPart& part);
    // The dialog background or, for transparent labels, the watermark, with the dialog's text.
    HBRUSH ForLabel(CWnd* pDialog, CDC* pDC, CWnd* pChild, CWindowSkin* pSkin, CWindowSkinState* pState);
    // Labels, check boxes, radio buttons and group boxes: what draws its text on the dialog's
    // own background. An edit control also asks for static colours when read-only, and keeps
    // a solid background.
    static BOOL IsLabel(CWnd* pChild);

    const CInterfaceTheme& m_theme;
};
