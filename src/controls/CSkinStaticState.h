// The skinned static's state: its text colour, the hand cursor and the tooltip over it.
#pragma once
#include <afxwin.h>
#include "../theme/CInterfaceTheme.h"

struct CSkinStaticState
{
    // NO_COLOUR until the host sets one: the skin's control text then, else black.
    COLORREF crText = NO_COLOUR;
    // A shared system cursor: never destroyed.
    HCURSOR hCursor = NULL;
    // Created on first use, destroyed with the control.
    CToolTipCtrl toolTip;
};
