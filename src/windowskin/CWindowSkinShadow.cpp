// Reading a window skin's <shadow image="..." inactiveImage="..." grid="l,t,r,b" offset="x,y"/>:
// the nine-grid image drawn around a frame where the system draws no shadow of its own. Numbers
// past their bounds are brought within them; a shadow that cannot be drawn is left out, never
// the window skin. The checker is told of both.
#include "CWindowSkin.h"
#include "../theme/CInterfaceTheme.h"
#include <stdlib.h>

namespace
{
// Exactly nCount "%i"-style numbers separated by commas, read wide so that none wraps.
BOOL ReadList(const CString& strText, LONGLONG* pNumbers, int nCount)
{
    const wchar_t* psz = strText;
    for (int n = 0; n < nCount; n++)
    {
        if (n > 0 && *psz++ != L',')
            return FALSE;
        wchar_t* pszEnd = NULL;
        pNumbers[n] = wcstoll(psz, &pszEnd, 0);
        if (pszEnd == psz)
            return FALSE;
        psz = pszEnd;
    }
    while (*psz == L' ')
        psz++;
    return *psz == 0;
}

// n within nLow..nHigh; FALSE when it had to be moved there.
BOOL Bound(LONGLONG& n, LONGLONG nLow, LONGLONG nHigh)
{
    const LONGLONG nBounded = std::min(std::max(n, nLow), nHigh);
    const BOOL bWithin = nBounded == n;
    n = nBounded;
    return bWithin;
}
}

void CWindowSkin::ParseShadow(const CXmlElement* pShadow, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    SkinCheckAttributes(pDiagnostics, pShadow, { L"image", L"inactiveImage", L"grid", L"offset" });
    // A later shadow replaces an earlier one, or takes it away when it cannot be drawn.
    m_pShadow = m_pShadowInactive = NULL;

    LONGLONG grid[4] = { 0, 0, 0, 0 };
    if (!ReadList(pShadow->GetAttributeValue(L"grid"), grid, 4))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShadow, L"grid"),
                   L"<shadow> needs grid=\"left,top,right,bottom\": the shadow is left out");
        return;
    }
    BOOL bWithin = TRUE;
    for (LONGLONG& nMargin : grid)
        bWithin = Bound(nMargin, 0, MAX_SHADOW_GRID) && bWithin;
    if (!bWithin)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pShadow, L"grid"),
                   L"a shadow grid margin is past 0 to 256: it is taken as the nearest bound");

    LONGLONG offset[2] = { 0, 0 };
    if (pShadow->GetAttribute(L"offset"))
    {
        if (!ReadList(pShadow->GetAttributeValue(L"offset"), offset, 2))
        {
            offset[0] = offset[1] = 0;
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pShadow, L"offset"),
                       L"offset is not \"x,y\": the shadow is not moved");
        }
        else if (!(Bound(offset[0], -MAX_SHADOW_OFFSET, MAX_SHADOW_OFFSET)
                   & Bound(offset[1], -MAX_SHADOW_OFFSET, MAX_SHADOW_OFFSET)))
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pShadow, L"offset"),
                       L"a shadow offset is past -64 to 64: it is taken as the nearest bound");
    }

    CSkinImage* pImage = BorrowShadowImage(pShadow, L"image", strFolder, pDiagnostics);
    if (!pImage)
        return;
    const CRect rcGrid((int)grid[0], (int)grid[1], (int)grid[2], (int)grid[3]);
    if (!CSkinImage::GridFits(pImage->GetSize(), rcGrid))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShadow, L"grid"),
                   L"the shadow grid leaves nothing of the image between its margins: the shadow is left out");
        return;
    }
    CSkinImage* pInactive = NULL;
    if (pShadow->GetAttribute(L"inactiveImage"))
    {
        pInactive = BorrowShadowImage(pShadow, L"inactiveImage", strFolder, pDiagnostics);
        // The inactive look is drawn through the same grid.
        if (pInactive && !CSkinImage::GridFits(pInactive->GetSize(), rcGrid))
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pShadow, L"inactiveImage"),
                       L"the shadow grid leaves nothing of the inactive image: the active look is kept");
            pInactive = NULL;
        }
    }
    m_pShadow = pImage;
    m_pShadowInactive = pInactive;
    m_rcShadowGrid = rcGrid;
    m_ptShadowOffset.SetPoint((int)offset[0], (int)offset[1]);
}

CSkinImage* CWindowSkin::BorrowShadowImage(const CXmlElement* pShadow, const wchar_t* pszAttribute,
                                           const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    const CString strPath = pShadow->GetAttributeValue(pszAttribute);
    if (strPath.IsEmpty())
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShadow, pszAttribute),
                   CString(L"<shadow> without ") + pszAttribute + L": it is not drawn");
        return NULL;
    }
    CSkinImage* pImage = m_theme.Images().BorrowImage(strFolder + strPath);
    if (!pImage)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShadow, pszAttribute),
                   L"shadow image '" + strPath + L"' " + m_theme.Images().DescribeFailure(strFolder + strPath) +
                       L": it is not drawn");
        return NULL;
    }
    // An opaque image would cover the desktop around the window with a solid block.
    if (!pImage->HasAlpha())
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pShadow, pszAttribute),
                   L"shadow image '" + strPath + L"' has no transparency (a PNG with alpha is needed): it is not drawn");
        return NULL;
    }
    return pImage;
}
