// Reads the registry's window skins as CWindowSkin objects.
#pragma once
#include "../skin/CWindowSkinReader.h"

class CInterfaceTheme;

class CWindowSkinLoader : public CWindowSkinReader
{
public:
    // The skins it reads use this theme's image cache and buffer.
    explicit CWindowSkinLoader(CInterfaceTheme& theme) : m_theme(theme) {}

    std::unique_ptr<CWindowSkinBase> Read(CXmlElement* pElement, const CString& strFolder,
                                          CSkinDiagnostics* pDiagnostics = NULL) const override;

private:
    CInterfaceTheme& m_theme;
};
