// How one caption of a menu bar looks: plain, hot (a rounded hover fill) or pressed (open at the
// bottom, joined to the popup dropped below it). The child-window menu bar and the bar drawn in
// a skinned frame look alike through it.
#pragma once
#include <afxwin.h>
#include "CDpiScale.h"

class CMenuBarItemLook
{
public:
    struct Colours
    {
        COLORREF crBack;
        COLORREF crBorder;
        COLORREF crHover;
        // The caption's colour in the item's state.
        COLORREF crText;
    };

    // Draws the caption (mnemonic marker and all) centred in rcItem with hFont (null: the DC's).
    static void Draw(CDC* pDC, const Colours& colours, HFONT hFont, const CDpiScale& scale, LPCWSTR pszCaption,
                     const CRect& rcItem, BOOL bPressed, BOOL bHot);
};
