#include "CBufferedPaint.h"

CBufferedPaint::CBufferedPaint(COffscreenBuffer& buffer, CDC* pTargetDC, const CRect& rect)
    : m_pTargetDC(pTargetDC), m_pDC(pTargetDC), m_rect(rect), m_ptOldOrg()
{
    if (!pTargetDC || !pTargetDC->GetSafeHdc() || rect.IsRectEmpty())
        return;
    CDC* pBuffer = buffer.Get(pTargetDC, rect.Size());
    // The buffer is clipped to the desktop; a larger rectangle is painted directly.
    CSize szBuffer = buffer.GetSize();
    if (!pBuffer || szBuffer.cx < rect.Width() || szBuffer.cy < rect.Height())
        return;
    m_pDC = pBuffer;
    ::SetWindowOrgEx(m_pDC->m_hDC, rect.left, rect.top, &m_ptOldOrg);
}

CBufferedPaint::~CBufferedPaint()
{
    if (!IsBuffered())
        return;
    ::BitBlt(m_pTargetDC->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(),
             m_pDC->m_hDC, m_rect.left, m_rect.top, SRCCOPY);
    ::SetWindowOrgEx(m_pDC->m_hDC, m_ptOldOrg.x, m_ptOldOrg.y, NULL);
}
