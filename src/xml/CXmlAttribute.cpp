#include "CXmlAttribute.h"
#include "XML.h"

CXmlAttribute::CXmlAttribute(CXmlElement* pParent)
    : CXmlNode(XML_ATTRIBUTE, pParent)
{
}

BOOL CXmlAttribute::Parse(LPCWSTR pszText, LPCWSTR& pszCursor)
{
    m_nOffset = (int)(XmlSkipSpace(pszCursor) - pszText);
    if (!XmlReadName(pszCursor, m_strName) || !XmlMatch(pszCursor, L"="))
        return FALSE;

    LPCWSTR pszQuote;
    if (XmlMatch(pszCursor, L"\""))
        pszQuote = L"\"";
    else if (XmlMatch(pszCursor, L"'"))
        pszQuote = L"'";
    else
        return FALSE;

    LPCWSTR pszClose = wcschr(pszCursor, *pszQuote);
    if (!pszClose)
        return FALSE;

    m_strValue.Empty();
    XmlDecodeText(pszCursor, (int)(pszClose - pszCursor), m_strValue);
    // A reference the decoder refused leaves the cursor short of the quote, which fails here.
    return XmlMatch(pszCursor, pszQuote);
}
