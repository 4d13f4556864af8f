// Makes window skins out of <windowSkin> elements for the registry, which knows the section but
// not what a window skin is.
#pragma once
#include "CWindowSkinBase.h"
#include <memory>

class CXmlElement;

class CWindowSkinReader
{
public:
    virtual ~CWindowSkinReader() {}
    // The skin one <windowSkin> defines, its image paths relative to strFolder; null when the
    // definition is rejected.
    virtual std::unique_ptr<CWindowSkinBase> Read(CXmlElement* pElement, const CString& strFolder) const = 0;
};
