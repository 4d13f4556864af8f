// A window skin's life: the tables of part and anchor names, construction, destruction and the
// window names it serves.
#include "CWindowSkin.h"
#include "../parts/CWindowDpi.h"

const wchar_t* const CWindowSkin::s_pszPartNames[WINDOWSKIN_PART_COUNT] = {
    L"TopLeft", L"Top", L"TopRight",
    L"TopLeftIA", L"TopIA", L"TopRightIA",
    L"LeftTop", L"Left", L"LeftBottom",
    L"RightTop", L"Right", L"RightBottom",
    L"BottomLeft", L"Bottom", L"BottomRight",
    L"System", L"SystemHover", L"SystemDown",
    L"Minimise", L"MinimiseHover", L"MinimiseDown",
    L"Maximise", L"MaximiseHover", L"MaximiseDown",
    L"Close", L"CloseHover", L"CloseDown",
    L"Restore", L"RestoreHover", L"RestoreDown",
};

const wchar_t* const CWindowSkin::s_pszAnchorNames[WINDOWSKIN_ANCHOR_COUNT] = {
    L"Icon", L"System", L"Minimise", L"Maximise", L"Close",
};

CWindowSkin::CWindowSkin(CInterfaceTheme& theme)
    : m_pImage(NULL),
      m_pAlphaImage(NULL),
      m_pWatermark(NULL),
      m_rcWatermarkGrid(0, 0, 0, 0),
      m_rcMaximiseCrop(-1, 0, -1, -1),
      m_bCaption(0),
      m_bCaps(0),
      m_nCaptionFontDpi(CDpiScale::BASE_DPI),
      m_crCaption(RGB(255, 255, 255)),
      m_crCaptionInactive(RGB(128, 128, 128)),
      m_crShadow(NO_COLOUR),
      m_crOutline(NO_COLOUR),
      m_nCaptionAlign(ALIGN_LEFT),
      m_bShaped(FALSE),
      m_nCorners(CORNERS_SYSTEM),
      m_crBorder(NO_COLOUR),
      m_pShadow(NULL),
      m_pShadowInactive(NULL),
      m_rcShadowGrid(0, 0, 0, 0),
      m_ptShadowOffset(0, 0),
      m_theme(theme)
{
    memset(m_pPartPresent, 0, sizeof(m_pPartPresent));
    memset(m_pPartMode, 0, sizeof(m_pPartMode));
    memset(m_pAnchorPresent, 0, sizeof(m_pAnchorPresent));
    m_mapParts.InitHashTable(17);
    m_mapAnchors.InitHashTable(17);
    // Kept in 96-DPI pixels like every length a definition gives.
    const int nFrame = CDpiScale::MulDivRound(::GetSystemMetrics(SM_CXFRAME), CDpiScale::BASE_DPI, CWindowDpi::OfScreen());
    m_rcResizeBorder.SetRect(nFrame, nFrame, nFrame, nFrame);
}

CWindowSkin::~CWindowSkin()
{
}

BOOL CWindowSkin::HasTarget(const wchar_t* pszName) const
{
    if (!pszName)
        return FALSE;
    for (const CString& strTarget : m_targets)
        if (strTarget == pszName)
            return TRUE;
    return FALSE;
}
