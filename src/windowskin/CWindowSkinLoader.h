// Reads the registry's window skins as CWindowSkin objects.
#pragma once
#include "../skin/CWindowSkinReader.h"

class CWindowSkinLoader : public CWindowSkinReader
{
public:
    std::unique_ptr<CWindowSkinBase> Read(CXmlElement* pElement, const CString& strFolder,
                                          CSkinDiagnostics* pDiagnostics = NULL) const override;
};
