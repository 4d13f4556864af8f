#include "CSystemFrameLook.h"
#include "CWindowSkin.h"
#include "../parts/CDwmAttributes.h"

CSystemFrameLook::CSystemFrameLook()
    : m_dwCorners(CDwmAttributes::CORNER_DEFAULT), m_crBorder(CDwmAttributes::COLOR_DEFAULT)
{
}

void CSystemFrameLook::Apply(HWND hWnd, const CWindowSkin* pSkin)
{
    if (!::IsWindow(hWnd))
        return;
    DWORD dwCorners = CDwmAttributes::CORNER_DEFAULT;
    COLORREF crBorder = CDwmAttributes::COLOR_DEFAULT;
    if (pSkin && !pSkin->m_bShaped)
    {
        switch (pSkin->m_nCorners)
        {
        case CWindowSkin::CORNERS_ROUND: dwCorners = CDwmAttributes::CORNER_ROUND; break;
        case CWindowSkin::CORNERS_SMALL: dwCorners = CDwmAttributes::CORNER_ROUNDSMALL; break;
        case CWindowSkin::CORNERS_SQUARE: dwCorners = CDwmAttributes::CORNER_DONOTROUND; break;
        default: break;
        }
        if (pSkin->m_crBorder == CWindowSkin::BORDER_NONE)
            crBorder = CDwmAttributes::COLOR_NONE;
        else if (pSkin->m_crBorder != NO_COLOUR)
            crBorder = pSkin->m_crBorder;
    }
    // The system's choice is asked for only to undo an earlier request; what is refused is not
    // remembered, so the next change asks again.
    if (dwCorners != CDwmAttributes::CORNER_DEFAULT || m_dwCorners != CDwmAttributes::CORNER_DEFAULT)
        if (CDwmAttributes::Set(hWnd, CDwmAttributes::WINDOW_CORNER_PREFERENCE, dwCorners))
            m_dwCorners = dwCorners;
    if (crBorder != CDwmAttributes::COLOR_DEFAULT || m_crBorder != CDwmAttributes::COLOR_DEFAULT)
        if (CDwmAttributes::Set(hWnd, CDwmAttributes::BORDER_COLOR, crBorder))
            m_crBorder = crBorder;
}
