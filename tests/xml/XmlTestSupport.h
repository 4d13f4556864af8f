// Shared helpers of the XML reader tests: documents from text and bytes, UTF-16 encodings, the
// grammar cases (also the fuzz test's seeds), and a walk that checks every link of a tree.
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

// The text as UTF-16 bytes in either byte order, led by the byte order mark unless bMark is false.
inline std::string Utf16(const std::wstring& strText, bool bBigEndian, bool bMark = true)
{
    std::string strBytes;
    for (wchar_t ch : (bMark ? std::wstring(1, L'\uFEFF') : std::wstring()) + strText)
    {
        char chLow = (char)(ch & 0xFF), chHigh = (char)(ch >> 8);
        strBytes += bBigEndian ? chHigh : chLow;
        strBytes += bBigEndian ? chLow : chHigh;
    }
    return strBytes;
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

inline std::wstring Str(const CXmlString& str)
{
    return std::wstring((LPCWSTR)str, str.GetLength());
}

// nDepth nested elements around the innermost text.
inline std::string Nested(int nDepth, const char* pszInnermost = "")
{
    std::string strOpen, strClose;
    for (int n = 0; n < nDepth; n++)
    {
        strOpen += "<e>";
        strClose += "</e>";
    }
    return strOpen + pszInnermost + strClose;
}

// A document and what it reads as: the root's attribute "v" where it has one, else its text.
struct XmlValueCase
{
    const char* pszDocument;
    LPCWSTR pszValue;
};
extern const std::vector<XmlValueCase> g_xmlValueCases;
extern const std::vector<const char*> g_xmlFailingDocuments;

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
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos; nChildren++)
        nNodes += WalkTree(pElement->m_listChildren.GetNext(pos), pElement, nDepth + 1);
    EXPECT_EQ(nChildren, pElement->m_listChildren.GetCount());
    return nNodes;
}
