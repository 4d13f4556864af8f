// Where the controls read the skin: the interface theme's colours, fonts and command images,
// the dialog background, and the menu look of menus a control opens, all from the default skin
// context (a host creates controls without naming one). No other control file names the
// context, so a control's inputs are listed here.
#pragma once
#include "../theme/CInterfaceTheme.h"

class CMenuSkinner;

namespace ControlTheme
{
// The theme's colours and fonts; a colour of the text keys may be NO_COLOUR.
const CInterfaceTheme& Theme();
// The command's image at the size code from the theme's image lists; null when it has none.
// The caller destroys it.
HICON CommandIcon(UINT nCmdID, int nSizeCode);
// The command's image nPixels wide, as menus draw it at that size; null when it has no 16-pixel
// image. The caller destroys it.
HICON CommandIconAt(UINT nCmdID, int nPixels);
// The skin's dialog background colour and its brush (the theme keeps the brush).
COLORREF DialogBackColour();
// The text of bars laid on the dialog colour (status bars, toolbars): the skin's dialog text, else
// its control text, else the system's button text.
COLORREF BarTextColour();
HBRUSH DialogBackBrush();
CMenuSkinner& Menus();
// Gives a tooltip of the library's the skin's tooltip colours (the system's, unless the skin
// sets tooltip.back and tooltip.text); called before each event that may show it.
void ColourToolTip(HWND hTip);
}
