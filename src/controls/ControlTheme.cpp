#include "ControlTheme.h"
#include "../skin/CSkinContext.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CMenuSkinner.h"

namespace ControlTheme
{
const CInterfaceTheme& Theme()
{
    return CSkinContext::Default().Theme();
}

HICON CommandIcon(UINT nCmdID, int nSizeCode)
{
    return CSkinContext::Default().Theme().GetIcon(nCmdID, nSizeCode);
}

HICON CommandIconAt(UINT nCmdID, int nPixels)
{
    CInterfaceTheme::SIZED_IMAGE image;
    return CSkinContext::Default().Theme().GetSizedImage(nCmdID, nPixels, image)
               ? ImageList_GetIcon(image.hList, image.nImage, ILD_NORMAL)
               : NULL;
}

COLORREF DialogBackColour()
{
    return Theme().DialogBackColour();
}

COLORREF BarTextColour()
{
    return SkinColourOr(Theme().Colour(SkinColour::DialogText),
                        SkinColourOr(Theme().Colour(SkinColour::ControlText), ::GetSysColor(COLOR_BTNTEXT)));
}

HBRUSH DialogBackBrush()
{
    return Theme().DialogBackBrush();
}

CMenuSkinner& Menus()
{
    return CSkinContext::Default().Menus();
}

void ColourToolTip(HWND hTip)
{
    const CInterfaceTheme& theme = Theme();
    COLORREF crBack = theme.Colour(SkinColour::TipBack), crText = theme.Colour(SkinColour::TipText);
    // A tooltip starts in the system's colours, which a skin without its own leaves it in.
    if (!hTip)
        return;
    if ((COLORREF)::SendMessageW(hTip, TTM_GETTIPBKCOLOR, 0, 0) != crBack)
        ::SendMessageW(hTip, TTM_SETTIPBKCOLOR, crBack, 0);
    if ((COLORREF)::SendMessageW(hTip, TTM_GETTIPTEXTCOLOR, 0, 0) != crText)
        ::SendMessageW(hTip, TTM_SETTIPTEXTCOLOR, crText, 0);
}
}
