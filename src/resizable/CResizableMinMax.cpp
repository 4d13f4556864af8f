#include <KorvoSkin/CResizableMinMax.h>
#include "../parts/CDpiScale.h"

CResizableMinMax::CResizableMinMax() : m_bMaxTrackSet(FALSE), m_bMinTrackSet(FALSE), m_bMaximizedRectSet(FALSE)
{
}

CResizableMinMax::CResizableMinMax(const CResizableMinMax& other)
    : m_bMaxTrackSet(other.m_bMaxTrackSet), m_bMinTrackSet(other.m_bMinTrackSet),
      m_bMaximizedRectSet(other.m_bMaximizedRectSet), m_ptMinTrack(other.m_ptMinTrack),
      m_ptMaxTrack(other.m_ptMaxTrack), m_ptMaximizedPos(other.m_ptMaximizedPos),
      m_ptMaximizedSize(other.m_ptMaximizedSize)
{
}

CResizableMinMax& CResizableMinMax::operator=(const CResizableMinMax& other)
{
    m_bMaxTrackSet = other.m_bMaxTrackSet;
    m_bMinTrackSet = other.m_bMinTrackSet;
    m_bMaximizedRectSet = other.m_bMaximizedRectSet;
    m_ptMinTrack = other.m_ptMinTrack;
    m_ptMaxTrack = other.m_ptMaxTrack;
    m_ptMaximizedPos = other.m_ptMaximizedPos;
    m_ptMaximizedSize = other.m_ptMaximizedSize;
    return *this;
}

CResizableMinMax::~CResizableMinMax()
{
}

void CResizableMinMax::SetMinTrackSize(const CSize& size)
{
    m_ptMinTrack = CPoint(size.cx, size.cy);
    m_bMinTrackSet = TRUE;
}

void CResizableMinMax::ResetMinTrackSize()
{
    m_bMinTrackSet = FALSE;
}

void CResizableMinMax::SetMaxTrackSize(const CSize& size)
{
    m_ptMaxTrack = CPoint(size.cx, size.cy);
    m_bMaxTrackSet = TRUE;
}

void CResizableMinMax::ResetMaxTrackSize()
{
    m_bMaxTrackSet = FALSE;
}

void CResizableMinMax::SetMaximizedRect(const CRect& rect)
{
    m_ptMaximizedPos = CPoint(rect.left, rect.top);
    m_ptMaximizedSize = CPoint(rect.Width(), rect.Height());
    m_bMaximizedRectSet = TRUE;
}

void CResizableMinMax::ResetMaximizedRect()
{
    m_bMaximizedRectSet = FALSE;
}

void CResizableMinMax::MinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_bMinTrackSet)
        lpMMI->ptMinTrackSize = m_ptMinTrack;
    if (m_bMaxTrackSet)
        lpMMI->ptMaxTrackSize = m_ptMaxTrack;
    if (m_bMaximizedRectSet)
    {
        lpMMI->ptMaxPosition = m_ptMaximizedPos;
        lpMMI->ptMaxSize = m_ptMaximizedSize;
    }
}

void CResizableMinMax::OffsetTrackSizes(const CSize& change)
{
    if (m_bMinTrackSet)
        m_ptMinTrack += change;
    if (m_bMaxTrackSet)
        m_ptMaxTrack += change;
}

void CResizableMinMax::ScaleTrackSizes(UINT nFromDpi, UINT nToDpi)
{
    auto scale = [nFromDpi, nToDpi](CPoint& pt) {
        pt.x = CDpiScale::MulDivRound(pt.x, nToDpi, nFromDpi);
        pt.y = CDpiScale::MulDivRound(pt.y, nToDpi, nFromDpi);
    };
    if (m_bMinTrackSet)
        scale(m_ptMinTrack);
    if (m_bMaxTrackSet)
        scale(m_ptMaxTrack);
}
