#include "CSkinDiagnostics.h"

void SkinReport(CSkinDiagnostics* pDiagnostics, int nSeverity, const CXmlNode* pNode, const CString& strMessage)
{
    if (pDiagnostics)
        pDiagnostics->Report(nSeverity, pNode ? pNode->m_nOffset : -1, strMessage);
}

void SkinReportUnknownElement(CSkinDiagnostics* pDiagnostics, const CXmlElement* pElement, const CXmlElement* pParent)
{
    if (pDiagnostics && pElement && pParent)
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                   L"unknown element " + SkinTag(pElement) + L" in " + SkinTag(pParent) + L" is ignored");
}

void SkinCheckAttributes(CSkinDiagnostics* pDiagnostics, const CXmlElement* pElement,
                         std::initializer_list<const wchar_t*> names)
{
    if (!pDiagnostics || !pElement)
        return;
    for (auto* pPair = pElement->m_mapAttributes.PGetFirstAssoc(); pPair;
         pPair = pElement->m_mapAttributes.PGetNextAssoc(pPair))
    {
        const CXmlAttribute* pAttribute = pPair->value;
        BOOL bKnown = FALSE;
        for (const wchar_t* pszName : names)
            bKnown = bKnown || pAttribute->m_strName.CompareNoCase(pszName) == 0;
        if (!bKnown)
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pAttribute,
                       L"unknown attribute '" + pAttribute->m_strName + L"' on " + SkinTag(pElement) + L" is ignored");
    }
}

const CXmlNode* SkinNodeOf(const CXmlElement* pElement, const wchar_t* pszAttribute)
{
    if (!pElement)
        return NULL;
    const CXmlAttribute* pAttribute = pElement->GetAttribute(pszAttribute);
    return pAttribute ? static_cast<const CXmlNode*>(pAttribute) : pElement;
}

CString SkinTag(const CXmlElement* pElement)
{
    return pElement ? L"<" + pElement->m_strName + L">" : CString();
}
