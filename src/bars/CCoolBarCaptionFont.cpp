#include "CCoolBarCaptionFont.h"
#include "CCoolBarTheme.h"
#include <string.h>

CCoolBarCaptionFont::CCoolBarCaptionFont() : m_lfFrom(), m_nDpi(0)
{
}

HFONT CCoolBarCaptionFont::Get(const CDpiScale& scale)
{
    const HFONT hTheme = CCoolBarTheme::GetCaptionFont();
    LOGFONTW lf;
    if (!hTheme || scale.IsBase() || ::GetObjectW(hTheme, sizeof(lf), &lf) != sizeof(lf))
        return hTheme;
    // Compared by what it is, not by handle: a skin load may give a new font the old handle.
    if (!m_font.m_hObject || m_nDpi != scale.GetDpi() || memcmp(&lf, &m_lfFrom, sizeof(lf)) != 0)
    {
        m_font.DeleteObject();
        m_lfFrom = lf;
        m_nDpi = scale.GetDpi();
        lf.lfHeight = scale.Scale(lf.lfHeight);
        m_font.CreateFontIndirect(&lf);
    }
    return m_font.m_hObject ? (HFONT)m_font.m_hObject : hTheme;
}
