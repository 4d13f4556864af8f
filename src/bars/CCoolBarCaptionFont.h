// The font of a menu bar's captions at the bar's DPI: the theme's menu font itself at 96 DPI,
// else a copy of it with its height scaled, made again when the theme's font or the DPI
// changes, so a skin load or a move to another screen is followed.
#pragma once
#include "../afx/afxwin.h"
#include "../parts/CDpiScale.h"

class CCoolBarCaptionFont
{
public:
    CCoolBarCaptionFont();

    // Null (the DC's own font) while the theme has none.
    HFONT Get(const CDpiScale& scale);

private:
    CFont m_font;
    // What m_font was made from.
    LOGFONTW m_lfFrom;
    UINT m_nDpi;
};
