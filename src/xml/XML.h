// Loading of skin definition documents: bytes in any of the accepted encodings become a tree
// of CXmlElement. Every function returns a new root owned by the caller, or null on any failure.
// Given pnErrorOffset, a document that does not parse stores there where reading stopped in its
// decoded text, in characters; any other failure (or success) stores -1.
#pragma once
#include "CXmlElement.h"

// Larger files are refused unread.
const DWORD XML_MAX_FILE_SIZE = 0x400000;

CXmlElement* XmlLoadFile(LPCWSTR pszPath, BOOL bRequireDeclaration, int* pnErrorOffset = NULL);
CXmlElement* XmlLoadFromHandle(HANDLE hFile, BOOL bRequireDeclaration, int* pnErrorOffset = NULL);
// UTF-16 with either byte-order mark, otherwise UTF-8 with or without its mark.
CXmlElement* XmlLoadFromBytes(const BYTE* pData, UINT nLength, BOOL bRequireDeclaration, int* pnErrorOffset = NULL);
CXmlElement* XmlParseDocument(LPCWSTR pszText, BOOL bRequireDeclaration, int* pnErrorOffset = NULL);

// Cursor helpers of the parser. Each skips only space, tab, CR and LF before its token and
// leaves the cursor where it was when the token is not there.
BOOL XmlMatch(LPCWSTR& pszCursor, LPCWSTR pszLiteral);
// The first character at or after psz that is not one of those four.
LPCWSTR XmlSkipSpace(LPCWSTR psz);
// Matches "</" + strName + ">" exactly, as one literal.
BOOL XmlMatchClosingTag(LPCWSTR& pszCursor, const CString& strName);
BOOL XmlReadName(LPCWSTR& pszCursor, CString& strName);
// Decodes nCount characters at the cursor (white space folded, entities replaced), appends
// them to strOut and advances the cursor; stops early at a reference that is not decimal.
void XmlDecodeText(LPCWSTR& pszCursor, int nCount, CString& strOut);
