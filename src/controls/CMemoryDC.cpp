#include "CMemoryDC.h"

CMemoryDC::CMemoryDC(CDC* pDC, const CRect& rect)
    : m_pTargetDC(pDC), m_rect(rect), m_hOldBitmap(NULL), m_bValid(FALSE)
{
    if (!pDC || !pDC->GetSafeHdc() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    if (!CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
    {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    // Drawing uses the target's coordinates: the rectangle's corner maps to the bitmap's origin.
    ::SetWindowOrgEx(m_hDC, rect.left, rect.top, NULL);
    FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    m_bValid = TRUE;
}

CMemoryDC::~CMemoryDC()
{
    if (!m_bValid)
        return;
    ::BitBlt(m_pTargetDC->GetSafeHdc(), m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(),
             m_hDC, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}
