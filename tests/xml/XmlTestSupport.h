// Shared helpers of the XML reader tests: loading from literal documents, encoding variants,
// and a walk that checks every link of a tree.
#pragma once
#include "xml/XML.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

typedef std::unique_ptr<CXmlElement> XmlDocument;

inline XmlDocument LoadBytes(const std::string& strBytes, BOOL bRequireDeclaration = FALSE)
{
    return XmlDocument(XmlLoadFromBytes((const BYTE*)strBytes.data(), (UINT)strBytes.size(),
                                        bRequireDeclaration));
}

inline XmlDocument ParseText(LPCWSTR pszText, BOOL bRequireDeclaration = FALSE)
{
    return XmlDocument(XmlParseDocument(pszText, bRequireDeclaration));
}

inline std::string Utf16LE(const std::wstring& strText, bool bMark = true)
{
    std::string strBytes = bMark ? std::string("\xFF\xFE") : std::string();
    for (wchar_t ch : strText)
    {
        strBytes += (char)(ch & 0xFF);
        strBytes += (char)(ch >> 8);
    }
    return strBytes;
}

inline std::string Utf16BE(const std::wstring& strText, bool bMark = true)
{
    std::string strBytes = bMark ? std::string("\xFE\xFF") : std::string();
    for (wchar_t ch : strText)
    {
        strBytes += (char)(ch >> 8);
        strBytes += (char)(ch & 0xFF);
    }
    return strBytes;
}

inline std::wstring WideFromUtf8(const std::string& strBytes)
{
    if (strBytes.empty())
        return std::wstring();
    int nChars = MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), NULL, 0);
    std::wstring strText(nChars, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), &strText[0], nChars);
    return strText;
}

inline CXmlElement* ChildAt(CXmlElement* pElement, int nIndex)
{
    POSITION pos = pElement->m_listChildren.FindIndex(nIndex);
    return pos ? pElement->m_listChildren.GetAt(pos) : NULL;
}

inline std::wstring Str(const CString& str)
{
    return std::wstring((LPCWSTR)str, str.GetLength());
}

// Visits every element and attribute, checking types, parent links, map keys and depth.
// Returns the number of nodes seen; any broken link is a test failure.
inline int WalkTree(const CXmlElement* pElement, const CXmlElement* pParent, int nDepth)
{
    EXPECT_LE(nDepth, XML_MAX_DEPTH);
    EXPECT_EQ(CXmlNode::XML_ELEMENT, pElement->m_nType);
    EXPECT_EQ(pParent, pElement->m_pParent);
    EXPECT_FALSE(pElement->m_strName.IsEmpty());
    int nNodes = 1;

    CString strKey;
    CXmlAttribute* pAttribute;
    for (POSITION pos = pElement->m_mapAttributes.GetStartPosition(); pos;)
    {
        pElement->m_mapAttributes.GetNextAssoc(pos, strKey, pAttribute);
        EXPECT_EQ(CXmlNode::XML_ATTRIBUTE, pAttribute->m_nType);
        EXPECT_EQ(pElement, pAttribute->m_pParent);
        CString strLower(pAttribute->m_strName);
        strLower.MakeLower();
        EXPECT_TRUE(strKey == strLower);
        EXPECT_EQ(pAttribute, pElement->GetAttribute(pAttribute->m_strName));
        EXPECT_TRUE(pElement->GetAttributeValue(pAttribute->m_strName) == pAttribute->m_strValue);
        nNodes++;
    }

    int nChildren = 0;
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        const CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        nNodes += WalkTree(pChild, pElement, nDepth + 1);
        nChildren++;
    }
    EXPECT_EQ(nChildren, pElement->m_listChildren.GetCount());
    return nNodes;
}

// Structural equality of two trees (names, text, attributes by key, children in order).
inline bool SameTree(const CXmlElement* pA, const CXmlElement* pB)
{
    if (!pA || !pB)
        return pA == pB;
    if (pA->m_strName != pB->m_strName || pA->m_strValue != pB->m_strValue)
        return false;
    if (pA->m_mapAttributes.GetCount() != pB->m_mapAttributes.GetCount()
        || pA->m_listChildren.GetCount() != pB->m_listChildren.GetCount())
        return false;

    CString strKey;
    CXmlAttribute* pAttribute;
    for (POSITION pos = pA->m_mapAttributes.GetStartPosition(); pos;)
    {
        pA->m_mapAttributes.GetNextAssoc(pos, strKey, pAttribute);
        CXmlAttribute* pOther = pB->GetAttribute(strKey);
        if (!pOther || pOther->m_strName != pAttribute->m_strName
            || pOther->m_strValue != pAttribute->m_strValue)
            return false;
    }

    POSITION posB = pB->m_listChildren.GetHeadPosition();
    for (POSITION posA = pA->m_listChildren.GetHeadPosition(); posA;)
    {
        if (!SameTree(pA->m_listChildren.GetNext(posA), pB->m_listChildren.GetNext(posB)))
            return false;
    }
    return true;
}
