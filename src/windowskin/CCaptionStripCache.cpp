#include "CCaptionStripCache.h"

bool CCaptionStripCache::Key::operator==(const Key& other) const
{
    return size == other.size && nWindowHeight == other.nWindowHeight
        && nState == other.nState && nHotButton == other.nHotButton
        && nPressedButton == other.nPressedButton && hIcon == other.hIcon && crText == other.crText
        && crOutline == other.crOutline && crShadow == other.crShadow && nAlign == other.nAlign
        && rcCaption == other.rcCaption && strText == other.strText;
}

CCaptionStripCache::CCaptionStripCache() : m_hOldBitmap(NULL), m_szBitmap(0, 0), m_bValid(FALSE)
{
}

CCaptionStripCache::~CCaptionStripCache()
{
    ReleaseBitmap();
}

void CCaptionStripCache::ReleaseBitmap()
{
    if (m_hOldBitmap)
        m_dc.SelectObject((HGDIOBJ)m_hOldBitmap);
    m_hOldBitmap = NULL;
    m_bmp.DeleteObject();
    m_szBitmap = CSize(0, 0);
    m_bValid = FALSE;
}

BOOL CCaptionStripCache::Draw(CDC* pDC, const Key& key)
{
    if (!m_bValid || !(key == m_key))
        return FALSE;
    return pDC->BitBlt(0, 0, key.size.cx, key.size.cy, &m_dc, 0, 0, SRCCOPY);
}

void CCaptionStripCache::Store(CDC* pSource, const Key& key)
{
    m_bValid = FALSE;
    if (key.size.cx > m_szBitmap.cx || key.size.cy > m_szBitmap.cy)
    {
        ReleaseBitmap();
        if (!m_dc.m_hDC && !m_dc.CreateCompatibleDC(pSource))
            return;
        if (!m_bmp.CreateCompatibleBitmap(pSource, key.size.cx, key.size.cy))
            return;
        m_hOldBitmap = (HBITMAP)m_dc.SelectObject((HGDIOBJ)m_bmp.m_hObject);
        m_szBitmap = key.size;
    }
    if (!m_dc.BitBlt(0, 0, key.size.cx, key.size.cy, pSource, 0, 0, SRCCOPY))
        return;
    m_key = key;
    m_bValid = TRUE;
}
