// The colours a skinned dialog gives its children through WM_CTLCOLOR*: the dialog background,
// the skin's dialog text and, when the skin asks for it, labels drawn over the watermark.
#pragma once
#include <afxwin.h>

class CWindowSkin;
struct CWindowSkinState;
class CInterfaceTheme;

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

private:
    // Labels, check boxes, radio buttons and group boxes: what draws its text on the dialog's
    // own background. An edit control also asks for static colours when read-only, and keeps
    // a solid background.
    static BOOL IsLabel(CWnd* pChild);

    const CInterfaceTheme& m_theme;
};
