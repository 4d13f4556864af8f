#include "CGdiSelect.h"

CGdiSelect::CGdiSelect(HDC hDC, HGDIOBJ hObject)
    : m_hDC(hDC), m_hOld(hDC && hObject ? ::SelectObject(hDC, hObject) : NULL)
{
    // SelectObject answers HGDI_ERROR for a region it could not select; nothing to put back.
    if (m_hOld == HGDI_ERROR)
        m_hOld = NULL;
}

CGdiSelect::CGdiSelect(CDC* pDC, const CGdiObject& object)
    : CGdiSelect(pDC ? pDC->GetSafeHdc() : NULL, object.m_hObject)
{
}

CGdiSelect::~CGdiSelect()
{
    if (m_hOld)
        ::SelectObject(m_hDC, m_hOld);
}
