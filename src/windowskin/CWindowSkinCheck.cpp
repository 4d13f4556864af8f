// What the checker is told about a window skin beyond what reading it rejects: values of
// enumerated attributes and sizes the reader falls back from, and caption buttons whose parts
// and anchor do not come together. Reading a skin for a host asks none of this.
#include "CWindowSkin.h"
#include <cwctype>

namespace
{
// Whether the text is a whole "%i" number with at most the given suffix after it (spaces allowed
// around both); a "pt" suffix found sets bSuffix.
BOOL IsNumber(const CString& strText, const wchar_t* pszSuffix, BOOL& bSuffix, LONGLONG& nValue)
{
    const wchar_t* psz = strText;
    wchar_t* pszEnd = NULL;
    nValue = wcstoll(psz, &pszEnd, 0);
    if (pszEnd == psz)
        return FALSE;
    while (iswspace(*pszEnd))
        pszEnd++;
    bSuffix = pszSuffix && _wcsnicmp(pszEnd, pszSuffix, wcslen(pszSuffix)) == 0;
    if (bSuffix)
        pszEnd += wcslen(pszSuffix);
    while (iswspace(*pszEnd))
        pszEnd++;
    return *pszEnd == 0;
}

// The first <part> or <anchor> of the definition whose name is one of names, for the position
// of a report.
const CXmlElement* FindNamed(const CXmlElement* pSkin, const wchar_t* pszList, const wchar_t* pszItem,
                             std::initializer_list<const wchar_t*> names)
{
    for (POSITION pos = pSkin->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pList = pSkin->m_listChildren.GetNext(pos);
        if (!pList->IsNamed(pszList))
            continue;
        for (POSITION posItem = pList->m_listChildren.GetHeadPosition(); posItem;)
        {
            const CXmlElement* pItem = pList->m_listChildren.GetNext(posItem);
            if (pItem->IsNamed(pszItem))
                for (const wchar_t* pszName : names)
                    if (pItem->GetAttributeValue(L"name").CompareNoCase(pszName) == 0)
                        return pItem;
        }
    }
    return NULL;
}
}

void CWindowSkin::CheckPartMode(const CXmlElement* pPart, CSkinDiagnostics* pDiagnostics)
{
    const CString strMode = pPart->GetAttributeValue(L"mode");
    if (pDiagnostics && !strMode.IsEmpty() && strMode.CompareNoCase(L"tile") != 0 && strMode.CompareNoCase(L"stretch") != 0)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pPart, L"mode"),
                   L"mode '" + strMode + L"' is not tile or stretch: the part tiles");
}

void CWindowSkin::CheckImageType(const CXmlElement* pImage, CSkinDiagnostics* pDiagnostics)
{
    const CString strType = pImage->GetAttributeValue(L"type");
    if (pDiagnostics && !strType.IsEmpty() && strType.CompareNoCase(L"watermark") != 0 &&
        strType.CompareNoCase(L"water") != 0 && strType.CompareNoCase(L"alpha") != 0)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pImage, L"type"),
                   L"image type '" + strType + L"' is not watermark or alpha: the image is taken as the main bitmap");
}

void CWindowSkin::CheckCaptionFont(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics)
{
    if (!pDiagnostics)
        return;
    BOOL bPoints = FALSE;
    LONGLONG nValue = 0;
    const CXmlAttribute* pWeight = pCaption->GetAttribute(L"fontWeight");
    if (pWeight && pWeight->m_strValue.CompareNoCase(L"bold") != 0 && pWeight->m_strValue.CompareNoCase(L"normal") != 0 &&
        !IsNumber(pWeight->m_strValue, NULL, bPoints, nValue))
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pWeight,
                   L"fontWeight '" + pWeight->m_strValue + L"' is not a number, bold or normal: the caption is bold");
    const CXmlAttribute* pSize = pCaption->GetAttribute(L"fontSize");
    if (!pSize)
        return;
    if (!IsNumber(pSize->m_strValue, L"pt", bPoints, nValue))
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pSize,
                   L"fontSize '" + pSize->m_strValue +
                       L"' is neither pixels (a number) nor tenths of a point (a number and pt): only its leading number is read");
    else if (bPoints && nValue > -40 && nValue < 40)
    {
        // Sizes in points are counted in tenths; "9pt" is almost always meant as 9 points.
        CString strMessage;
        strMessage.Format(L"fontSize '%s' is %d.%d points, as sizes with pt are tenths of a point (9 points is 90pt)",
                          (LPCWSTR)pSize->m_strValue, (int)(nValue / 10), (int)(std::abs(nValue) % 10));
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pSize, strMessage);
    }
    if (pCaption->GetAttributeValue(L"fontFace").IsEmpty())
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pWeight ? pWeight : pSize,
                   L"<caption> without a fontFace uses the system caption font: fontSize and fontWeight are ignored");
}

void CWindowSkin::CheckButtons(const CXmlElement* pSkin, CSkinDiagnostics* pDiagnostics) const
{
    if (!pDiagnostics)
        return;
    for (int nButton = ANCHOR_SYSTEM; nButton <= ANCHOR_CLOSE; nButton++)
    {
        const int nPart = PART_SYSTEM + 3 * (nButton - ANCHOR_SYSTEM);
        const CString strButton = s_pszAnchorNames[nButton];
        const BOOL bParts = m_pPartPresent[nPart] || m_pPartPresent[nPart + 1] || m_pPartPresent[nPart + 2];
        if (bParts && !m_pAnchorPresent[nButton])
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING,
                       FindNamed(pSkin, L"parts", L"part",
                                 { s_pszPartNames[nPart], s_pszPartNames[nPart + 1], s_pszPartNames[nPart + 2] }),
                       strButton + L" parts without a " + strButton + L" anchor: the window has no " + strButton +
                           L" button");
        else if (m_pAnchorPresent[nButton] && !m_pPartPresent[nPart])
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING,
                       FindNamed(pSkin, L"anchors", L"anchor", { s_pszAnchorNames[nButton] }),
                       strButton + L" anchor without a " + strButton + L" part: the button takes clicks but is not drawn");
    }
}
