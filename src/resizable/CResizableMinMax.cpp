#include <KorvoSkin/CResizableMinMax.h>
#include "../parts/CDpiScale.h"

CResizableMinMax::CResizableMinMax()
    : m_bMaxTrackSet(FALSE), m_bMinTrackSet(FALSE), m_bMaximizedRectSet(FALSE), m_nTrackBaseDpi(0)
{
}

CResizableMinMax::CResizableMinMax(const CResizableMinMax& other)
    : m_bMaxTrackSet(other.m_bMaxTrackSet), m_bMinTrackSet(other.m_bMinTrackSet),
      m_bMaximizedRectSet(other.m_bMaximizedRectSet), m_ptMinTrack(other.m_ptMinTrack),
      m_ptMaxTrack(other.m_ptMaxTrack), m_ptMaximizedPos(other.m_ptMaximizedPos),
      m_ptMaximizedSize(other.m_ptMaximizedSize), m_nTrackBaseDpi(other.m_nTrackBaseDpi),
      m_ptMinTrackBase(other.m_ptMinTrackBase), m_ptMaxTrackBase(other.m_ptMaxTrackBase)
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
    m_nTrackBaseDpi = other.m_nTrackBaseDpi;
    m_ptMinTrackBase = other.m_ptMinTrackBase;
    m_ptMaxTrackBase = other.m_ptMaxTrackBase;
    return *this;
}

CResizableMinMax::~CResizableMinMax()
{
}

void CResizableMinMax::SetMinTrackSize(const CSize& size)
{
    m_nTrackBaseDpi = 0;
    m_ptMinTrack = CPoint(size.cx, size.cy);
    m_bMinTrackSet = TRUE;
}

void CResizableMinMax::ResetMinTrackSize()
{
    m_nTrackBaseDpi = 0;
    m_bMinTrackSet = FALSE;
}

void CResizableMinMax::SetMaxTrackSize(const CSize& size)
{
    m_nTrackBaseDpi = 0;
    m_ptMaxTrack = CPoint(size.cx, size.cy);
    m_bMaxTrackSet = TRUE;
}

void CResizableMinMax::ResetMaxTrackSize()
{
    m_nTrackBaseDpi = 0;
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
    m_nTrackBaseDpi = 0;
    if (m_bMinTrackSet)
        m_ptMinTrack += change;
    if (m_bMaxTrackSet)
        m_ptMaxTrack += change;
}

void CResizableMinMax::ScaleTrackSizes(UINT nFromDpi, UINT nToDpi)
{
    if (!nFromDpi || !nToDpi)
        return;
    if (!m_nTrackBaseDpi)
    {
        m_nTrackBaseDpi = nFromDpi;
        m_ptMinTrackBase = m_ptMinTrack;
        m_ptMaxTrackBase = m_ptMaxTrack;
    }
    const UINT nBaseDpi = m_nTrackBaseDpi;
    auto scale = [nBaseDpi, nToDpi](const CPoint& ptBase) {
        return CPoint(CDpiScale::MulDivRound(ptBase.x, nToDpi, nBaseDpi), CDpiScale::MulDivRound(ptBase.y, nToDpi, nBaseDpi));
    };
    if (m_bMinTrackSet)
        m_ptMinTrack = scale(m_ptMinTrackBase);
    if (m_bMaxTrackSet)
        m_ptMaxTrack = scale(m_ptMaxTrackBase);
}
