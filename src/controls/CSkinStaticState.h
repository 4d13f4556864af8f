// The skinned static's state: its text colour, the hand cursor and the tooltip over it.
#pragma once
#include <afxwin.h>

struct CSkinStaticState
{
    COLORREF crText = RGB(0, 0, 0);
    // A shared system cursor: never destroyed.
    HCURSOR hCursor = NULL;
    // Created on first use, destroyed with the control.
    CToolTipCtrl toolTip;
};
