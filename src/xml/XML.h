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
