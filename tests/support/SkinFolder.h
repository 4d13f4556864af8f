// A folder of skin files for one test, which the library's application folder points at while
// the object lives; for the programs that link the library.
#pragma once
#include "KorvoTest.h"
#include <api/Globals.h>

namespace KorvoTest
{
class CSkinFolder : public CTempFolder
{
public:
    CSkinFolder() : m_strSavedAppFolder(g_strAppFolder) { g_strAppFolder = Path(); }
    ~CSkinFolder() { g_strAppFolder = m_strSavedAppFolder; }

    // Wraps the sections in a <skin> root and writes them as UTF-8.
    CString WriteSkin(LPCWSTR pszRelative, const std::string& strSections) const
    {
        return WriteFile(pszRelative, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<skin>\n" + strSections + "\n</skin>\n");
    }
    // The base definition, Definitions\Definitions.xml.
    CString WriteBase(const std::string& strSections) const { return WriteSkin(L"Definitions\\Definitions.xml", strSections); }
    // A 24-bit bitmap file of one colour.
    CString WriteBitmap(LPCWSTR pszRelative, int cx, int cy, COLORREF cr) const
    {
        std::vector<BYTE> bytes = MakeBitmapFile(cx, cy, [](int, int, void* pContext) { return *(COLORREF*)pContext; }, &cr);
        return WriteFile(pszRelative, bytes.data(), bytes.size());
    }

protected:
    // Points the application folder back where it was before the object took it.
    void RestoreAppFolder() const { g_strAppFolder = m_strSavedAppFolder; }

private:
    CString m_strSavedAppFolder;
};
}
