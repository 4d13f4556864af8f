// A skin's colours as every layer above the theme names them: the one "no colour" value, the
// palette's entries, and the one reader of the six-digit form skin files write colours in.
#pragma once
#include <afxwin.h>

// Mixes two colours channel by channel: weight 0 gives crA, 255 gives crB.
COLORREF BlendColour(COLORREF crA, COLORREF crB, int nWeight);
// Six hexadecimal digits, red pair first, as skin files write colours; FALSE for anything else.
BOOL ParseSkinColour(const CString& strValue, COLORREF& crOut);
// What the skin stores for an empty value, and what any colour the library does not draw is
// given as: no colour.
const COLORREF NO_COLOUR = 0xFFFFFFFF;

// Every colour of a skin's palette, each set by one key of a colour scheme. The base colours
// come first; the derived and system-taken ones are worked out from them; the plain colours are
// never derived and outlive their load; the text colours, the controls' colours and the dialog
// background are NO_COLOUR at every load, which leaves each its look without them.
enum class SkinColour
{
    Window, Midtone, Text, HiText, HiBorder, Highlight,
    BackNormal, BackSel, BackCheck, BackCheckSel, Margin, Border, SysShadow, CmdText, CmdTextSel, Disabled,
    TipBack, TipText, TipBorder, TipWarnings,
    MsgBorder, MsgBack, CardBack, MenuBorder, MenuBack, MenuHover,
    DialogText, ControlText, ControlBack, MenuText, MenuTextSel, MenuTextDisabled, DialogBack,
    ControlTextDisabled,
    EditText, EditBack, EditReadOnlyText, EditReadOnlyBack, EditDisabledText, EditDisabledBack,
    ComboText, ComboBack, ComboListText, ComboListBack, ListText, ListBack, TouchText, TouchBack,
    TreeText, TreeBack, TreeLines, TreeSelText, TreeSelBack, TreeSelInactiveText, TreeSelInactiveBack,
    GroupText, GroupFrame, ScrollBarBack,
    Count
};
// crSet unless it is NO_COLOUR, else crDefault.
inline COLORREF SkinColourOr(COLORREF crSet, COLORREF crDefault)
{
    return crSet == NO_COLOUR ? crDefault : crSet;
}
