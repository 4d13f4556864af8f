// The colours a skinned dialog gives its children through WM_CTLCOLOR*: the dialog background,
// the skin's dialog text and, when the skin asks for it, labels drawn over the watermark.
#pragma once
#include <afxwin.h>

class CWindowSkin;

class CDialogColours
{
public:
    // The answer to one WM_CTLCOLOR* message of pDialog for pChild, or hDefault for a kind of
    // child the skin leaves alone. pSkin, when given, is the dialog's window skin, whose
    // watermark shows through labels that the colour scheme makes transparent.
    static HBRUSH ForChild(CWnd* pDialog, CDC* pDC, CWnd* pChild, UINT nCtlColor, CWindowSkin* pSkin, HBRUSH hDefault);

private:
    // Labels, check boxes, radio buttons and group boxes: what draws its text on the dialog's
    // own background. An edit control also asks for static colours when read-only, and keeps
    // a solid background.
    static BOOL IsLabel(CWnd* pChild);
};
