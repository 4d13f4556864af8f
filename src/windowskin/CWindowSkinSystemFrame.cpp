// Reading what a window skin asks of the system's own drawing around a window where the system
// rounds windows and draws their border: the corners="round|small|square|system" and
// border="RRGGBB|none|system" attributes of <windowSkin>. A value not understood leaves the
// system's choice, and the checker is told.
#include "CWindowSkin.h"

void CWindowSkin::ParseSystemFrame(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics)
{
    static const struct
    {
        const wchar_t* pszName;
        int nCorners;
    } corners[] = {
        { L"system", CORNERS_SYSTEM }, { L"round", CORNERS_ROUND }, { L"small", CORNERS_SMALL },
        { L"square", CORNERS_SQUARE },
    };
    m_nCorners = CORNERS_SYSTEM;
    const CString strCorners = pElement->GetAttributeValue(L"corners");
    if (!strCorners.IsEmpty())
    {
        BOOL bKnown = FALSE;
        for (const auto& entry : corners)
            if (strCorners.CompareNoCase(entry.pszName) == 0)
            {
                m_nCorners = entry.nCorners;
                bKnown = TRUE;
            }
        if (!bKnown)
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pElement, L"corners"),
                       L"corners '" + strCorners + L"' is not round, small, square or system: the system's corners stay");
    }

    m_crBorder = NO_COLOUR;
    const CString strBorder = pElement->GetAttributeValue(L"border");
    if (strBorder.IsEmpty() || strBorder.CompareNoCase(L"system") == 0)
        return;
    COLORREF crBorder = NO_COLOUR;
    if (strBorder.CompareNoCase(L"none") == 0)
        m_crBorder = BORDER_NONE;
    else if (ParseSkinColour(strBorder, crBorder))
        m_crBorder = crBorder;
    else
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pElement, L"border"),
                   L"border '" + strBorder + L"' is not a RRGGBB colour, none or system: the system's border stays");
}
