// The colours of the controls' parts: which keys each part reads and what stands in for a key
// the skin leaves unset.
#include "CInterfaceTheme.h"

namespace
{
// Disabled text stands halfway between the control's text and the dialog background: far
// enough from both to read as disabled, and about 4:1 from a dark background under light text.
const int DISABLED_BLEND = 128;
}

COLORREF CInterfaceTheme::DisabledTextColour() const
{
    if (Colour(SkinColour::ControlTextDisabled) != NO_COLOUR)
        return Colour(SkinColour::ControlTextDisabled);
    if (Colour(SkinColour::ControlText) == NO_COLOUR)
        return NO_COLOUR;
    return BlendColour(Colour(SkinColour::ControlText), DialogBackColour(), DISABLED_BLEND);
}

CONTROL_COLOURS CInterfaceTheme::ControlColours(ControlPart part) const
{
    auto Key = [this](SkinColour colour) { return Colour(colour); };
    auto Or = [this](SkinColour colour, COLORREF crElse) { return SkinColourOr(Colour(colour), crElse); };
    switch (part)
    {
    case ControlPart::Edit:
        return { Key(SkinColour::EditText), Key(SkinColour::EditBack) };
    case ControlPart::EditReadOnly:
        return { Or(SkinColour::EditReadOnlyText, Key(SkinColour::DialogText)), Key(SkinColour::EditReadOnlyBack) };
    case ControlPart::EditDisabled:
        return { Or(SkinColour::EditDisabledText, DisabledTextColour()), Key(SkinColour::EditDisabledBack) };
    case ControlPart::Combo:
        return { Key(SkinColour::ComboText), Key(SkinColour::ComboBack) };
    case ControlPart::ComboDisabled:
        return { DisabledTextColour(), Key(SkinColour::ComboBack) };
    case ControlPart::ComboList:
        return { Or(SkinColour::ComboListText, Key(SkinColour::ListText)),
                 Or(SkinColour::ComboListBack, Key(SkinColour::ListBack)) };
    case ControlPart::List:
        return { Key(SkinColour::ListText), Key(SkinColour::ListBack) };
    case ControlPart::Touch:
        return { Key(SkinColour::TouchText), Key(SkinColour::TouchBack) };
    case ControlPart::Tree:
        return { Or(SkinColour::TreeText, Key(SkinColour::ControlText)), Or(SkinColour::TreeBack, Key(SkinColour::ControlBack)) };
    case ControlPart::TreeSelection:
        return { Key(SkinColour::TreeSelText), Key(SkinColour::TreeSelBack) };
    case ControlPart::TreeSelectionInactive:
        return { Or(SkinColour::TreeSelInactiveText, Key(SkinColour::TreeSelText)),
                 Or(SkinColour::TreeSelInactiveBack, Key(SkinColour::TreeSelBack)) };
    case ControlPart::GroupBox:
        return { Or(SkinColour::GroupText, Key(SkinColour::DialogText)), NO_COLOUR };
    case ControlPart::ScrollBar:
        return { NO_COLOUR, Key(SkinColour::ScrollBarBack) };
    }
    return { NO_COLOUR, NO_COLOUR };
}
