#include "CSolidBrushCache.h"
#include "SkinColour.h"

HBRUSH CSolidBrushCache::Get(COLORREF cr)
{
    if (cr == NO_COLOUR)
        return NULL;
    for (size_t n = 0; n < m_nCount; n++)
        if (m_entries[n].cr == cr)
            return (HBRUSH)m_entries[n].brush.m_hObject;
    if (m_nCount >= MAX_BRUSHES || !m_entries[m_nCount].brush.CreateSolidBrush(cr))
        return NULL;
    m_entries[m_nCount].cr = cr;
    return (HBRUSH)m_entries[m_nCount++].brush.m_hObject;
}

void CSolidBrushCache::Clear()
{
    for (size_t n = 0; n < m_nCount; n++)
        m_entries[n].brush.DeleteObject();
    m_nCount = 0;
}
