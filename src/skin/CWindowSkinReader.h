// Makes window skins out of <windowSkin> elements for the registry, which knows the section but
// not what a window skin is.
#pragma once
#include "CWindowSkinBase.h"
#include <memory>

class CXmlElement;
class CSkinDiagnostics;

class CWindowSkinReader
{
public:
    virtual ~CWindowSkinReader() {}
    // The skin one <windowSkin> defines, its image paths relative to strFolder; null when the
    // definition is rejected. What is ignored or rejected goes to pDiagnostics when given.
    virtual std::unique_ptr<CWindowSkinBase> Read(CXmlElement* pElement, const CString& strFolder,
                                                  CSkinDiagnostics* pDiagnostics = NULL) const = 0;
};
