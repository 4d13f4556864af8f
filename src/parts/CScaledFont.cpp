#include "CScaledFont.h"
#include <string.h>

CScaledFont::CScaledFont() : m_lfFrom(), m_nDpi(0)
{
}

HFONT CScaledFont::Get(HFONT hFrom, const CDpiScale& scale)
{
    LOGFONTW lf;
    if (!hFrom || scale.IsBase() || ::GetObjectW(hFrom, sizeof(lf), &lf) != sizeof(lf))
        return hFrom;
    // Compared by what it is, not by handle: a skin load may give a new font the old handle.
    if (!m_font.m_hObject || m_nDpi != scale.GetDpi() || memcmp(&lf, &m_lfFrom, sizeof(lf)) != 0)
    {
        m_font.DeleteObject();
        m_lfFrom = lf;
        m_nDpi = scale.GetDpi();
        lf.lfHeight = scale.Scale(lf.lfHeight);
        m_font.CreateFontIndirect(&lf);
    }
    return m_font.m_hObject ? (HFONT)m_font.m_hObject : hFrom;
}
