// A font at a DPI: the font itself at 96 DPI, else a copy of it with its height scaled, made again
// when the font it comes from or the DPI changes, so a skin load or a move to another screen is
// followed. Menus and the menu bar draw their text through one each.
#pragma once
#include <afxwin.h>
#include "CDpiScale.h"

class CScaledFont
{
public:
    CScaledFont();

    // hFrom at scale; hFrom itself at 96 DPI, when it is null (the DC's own font serves) or when
    // no copy can be made.
    HFONT Get(HFONT hFrom, const CDpiScale& scale);

private:
    CFont m_font;
    // What m_font was made from.
    LOGFONTW m_lfFrom;
    UINT m_nDpi;
};
