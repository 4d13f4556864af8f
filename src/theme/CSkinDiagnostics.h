// What the readers of a skin definition ignore or reject, told to whoever asked. Loading for a
// host passes no sink (a null pointer) and takes the same paths; the skin checker passes one that
// prints every report with its place in the file.
#pragma once
#include "../xml/CXmlElement.h"
#include <initializer_list>

class CSkinDiagnostics
{
public:
    enum { LEVEL_WARNING = 1, LEVEL_ERROR = 2 };

    virtual ~CSkinDiagnostics() {}
    // Reports that follow, until the next call, are about the definition file at strPath.
    virtual void BeginFile(const CString& strPath) = 0;
    // nOffset is a position in the file's decoded text (a node's m_nOffset), -1 for the file
    // as a whole.
    virtual void Report(int nSeverity, int nOffset, const CString& strMessage) = 0;
    // A scheme's colour key (lower case) took its value, an empty one too, at nOffset of the
    // current file; later files and entries override, as they do the colour.
    virtual void ColourKeySet(const CString&, int) {}
};

// Each helper does nothing without a sink.
void SkinReport(CSkinDiagnostics* pDiagnostics, int nSeverity, const CXmlNode* pNode, const CString& strMessage);
// An element the reader of pParent skips because of its name.
void SkinReportUnknownElement(CSkinDiagnostics* pDiagnostics, const CXmlElement* pElement, const CXmlElement* pParent);
// Each attribute of pElement whose name, ignoring case, is none of names.
void SkinCheckAttributes(CSkinDiagnostics* pDiagnostics, const CXmlElement* pElement,
                         std::initializer_list<const wchar_t*> names);
// An attribute's node when present, else the element's, to place a report about its value.
const CXmlNode* SkinNodeOf(const CXmlElement* pElement, const wchar_t* pszAttribute);
// "<name>" as written.
CString SkinTag(const CXmlElement* pElement);
