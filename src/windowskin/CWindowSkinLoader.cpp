#include "CWindowSkinLoader.h"
#include "CWindowSkin.h"
#include <new>

std::unique_ptr<CWindowSkinBase> CWindowSkinLoader::Read(CXmlElement* pElement, const CString& strFolder,
                                                         CSkinDiagnostics* pDiagnostics) const
{
    std::unique_ptr<CWindowSkin> pSkin(new (std::nothrow) CWindowSkin(m_theme));
    if (!pSkin || !pSkin->Parse(pElement, strFolder, pDiagnostics))
        return nullptr;
    return pSkin;
}
