#include "CDpiLength.h"
#include "../parts/CDpiScale.h"

CDpiLength::CDpiLength() : m_nFrom(0), m_nFromDpi(CDpiScale::BASE_DPI), m_nTaken(0), m_bFitted(false)
{
}

int CDpiLength::Fit(int nCurrent, UINT nOldDpi, UINT nNewDpi)
{
    if (!m_bFitted || nCurrent != m_nTaken)
    {
        m_nFrom = nCurrent;
        m_nFromDpi = nOldDpi;
        m_bFitted = true;
    }
    return CDpiScale::MulDivRound(m_nFrom, nNewDpi, m_nFromDpi ? m_nFromDpi : CDpiScale::BASE_DPI);
}
