#include "CCaptionStripCache.h"

bool CCaptionStripCache::Key::operator==(const Key& other) const
{
    return size == other.size && nWindowHeight == other.nWindowHeight && nState == other.nState
        && nHotButton == other.nHotButton && nPressedButton == other.nPressedButton && bZoomed == other.bZoomed
        && nHiddenButtons == other.nHiddenButtons && hIcon == other.hIcon
        && crText == other.crText && crOutline == other.crOutline && crShadow == other.crShadow
        && nAlign == other.nAlign && rcCaption == other.rcCaption && nDpi == other.nDpi && strText == other.strText;
}

CCaptionStripCache::CCaptionStripCache() : m_nUses(0)
{
}

CCaptionStripCache::~CCaptionStripCache()
{
    for (Strip& strip : m_strips)
        ReleaseBitmap(strip);
}

void CCaptionStripCache::ReleaseBitmap(Strip& strip)
{
    if (strip.hOldBitmap)
        strip.dc.SelectObject((HGDIOBJ)strip.hOldBitmap);
    strip.hOldBitmap = NULL;
    strip.bmp.DeleteObject();
    strip.szBitmap = CSize(0, 0);
    strip.bValid = FALSE;
}

BOOL CCaptionStripCache::Draw(CDC* pDC, const Key& key)
{
    for (Strip& strip : m_strips)
    {
        if (strip.bValid && strip.key == key)
        {
            strip.nLastUse = ++m_nUses;
            return pDC->BitBlt(0, 0, key.size.cx, key.size.cy, &strip.dc, 0, 0, SRCCOPY);
        }
    }
    return FALSE;
}

void CCaptionStripCache::Store(CDC* pSource, const Key& key)
{
    Strip* pStrip = &m_strips[0];
    for (Strip& strip : m_strips)
        if (!strip.bValid || (pStrip->bValid && strip.nLastUse < pStrip->nLastUse))
            pStrip = &strip;

    Strip& strip = *pStrip;
    strip.bValid = FALSE;
    if (key.size.cx > strip.szBitmap.cx || key.size.cy > strip.szBitmap.cy)
    {
        ReleaseBitmap(strip);
        if (!strip.dc.m_hDC && !strip.dc.CreateCompatibleDC(pSource))
            return;
        if (!strip.bmp.CreateCompatibleBitmap(pSource, key.size.cx, key.size.cy))
            return;
        strip.hOldBitmap = (HBITMAP)strip.dc.SelectObject((HGDIOBJ)strip.bmp.m_hObject);
        strip.szBitmap = key.size;
    }
    if (!strip.dc.BitBlt(0, 0, key.size.cx, key.size.cy, pSource, 0, 0, SRCCOPY))
        return;
    strip.key = key;
    strip.bValid = TRUE;
    strip.nLastUse = ++m_nUses;
}
