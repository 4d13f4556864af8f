#include "COffscreenBuffer.h"
#include <algorithm>

namespace
{
// Where the system reports no virtual screen, the buffer still serves an ordinary window.
const int MIN_LIMIT_CX = 1024;
const int MIN_LIMIT_CY = 768;
}

COffscreenBuffer::COffscreenBuffer() : m_hOldBitmap(NULL)
{
}

COffscreenBuffer::~COffscreenBuffer()
{
    Release();
}

CSize COffscreenBuffer::Limit()
{
    return CSize(std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), MIN_LIMIT_CX),
                 std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), MIN_LIMIT_CY));
}

CSize COffscreenBuffer::Clip(const CSize& size)
{
    // The limit is never below the floor, so a size within the floor is kept without asking
    // the window system for the virtual screen (a round trip on some, paid per menu item).
    if (size.cx >= 0 && size.cy >= 0 && size.cx <= MIN_LIMIT_CX && size.cy <= MIN_LIMIT_CY)
        return size;
    CSize szLimit = Limit();
    return CSize(std::max(0, std::min<int>(size.cx, szLimit.cx)), std::max(0, std::min<int>(size.cy, szLimit.cy)));
}

CDC* COffscreenBuffer::Get(CDC* pDC, const CSize& size)
{
    CSize szWanted = Clip(size);
    if (szWanted.cx <= m_size.cx && szWanted.cy <= m_size.cy && m_dc.m_hDC)
    {
        m_dc.SelectClipRgn(NULL);
        return &m_dc;
    }
    if (!pDC || !pDC->m_hDC)
        return NULL;

    if (m_bitmap.m_hObject)
    {
        m_dc.SelectObject(m_hOldBitmap);
        m_bitmap.DeleteObject();
        m_hOldBitmap = NULL;
    }
    m_size.cx = std::max<int>(m_size.cx, szWanted.cx);
    m_size.cy = std::max<int>(m_size.cy, szWanted.cy);
    if (!m_dc.m_hDC && !m_dc.CreateCompatibleDC(pDC))
        return NULL;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_size.cx, m_size.cy))
    {
        // Nothing is buffered, so the next request tries again.
        m_size = CSize(0, 0);
        return &m_dc;
    }
    m_hOldBitmap = m_dc.SelectObject((HGDIOBJ)m_bitmap.m_hObject);
    m_dc.SelectClipRgn(NULL);
    return &m_dc;
}

void COffscreenBuffer::Release()
{
    if (m_bitmap.m_hObject)
    {
        m_dc.SelectObject(m_hOldBitmap);
        m_bitmap.DeleteObject();
    }
    m_hOldBitmap = NULL;
    m_dc.DeleteDC();
    m_size = CSize(0, 0);
}
