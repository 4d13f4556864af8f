#include "ControlTheme.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CMenuSkinner.h"

namespace ControlTheme
{
const CInterfaceTheme& Theme()
{
    return g_Theme;
}

HICON CommandIcon(UINT nCmdID, int nSizeCode)
{
    return g_Theme.GetIcon(nCmdID, nSizeCode);
}

HICON CommandIconAt(UINT nCmdID, int nPixels)
{
    CInterfaceTheme::SIZED_IMAGE image;
    return g_Theme.GetSizedImage(nCmdID, nPixels, image) ? ImageList_GetIcon(image.hList, image.nImage, ILD_NORMAL)
                                                         : NULL;
}

COLORREF DialogBackColour()
{
    return g_Registry.m_crDialogBack;
}

HBRUSH DialogBackBrush()
{
    return (HBRUSH)g_Registry.m_brDialogBack.m_hObject;
}

CMenuSkinner& Menus()
{
    return g_MenuSkinner;
}
}
