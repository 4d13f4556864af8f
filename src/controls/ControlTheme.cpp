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

HBRUSH DialogBackBrush()
{
    return Theme().DialogBackBrush();
}

CMenuSkinner& Menus()
{
    return CSkinContext::Default().Menus();
}
}
