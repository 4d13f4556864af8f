// Writes skin definition files for a test into a folder of its own, and points the library's
// application folder at it for the test's lifetime.
#pragma once
#include "KorvoTest.h"
#include <api/Globals.h>
#include <skin/CSkinRegistry.h>

class CSkinFolder : public KorvoTest::CTempFolder
{
public:
    CSkinFolder() : m_strSavedAppFolder(g_strAppFolder) { g_strAppFolder = Path(); }
    ~CSkinFolder() { g_strAppFolder = m_strSavedAppFolder; }

    // Wraps the sections in a <skin> root and writes them as UTF-8.
    CString WriteSkin(LPCWSTR pszRelative, const std::string& strSections) const
    {
        return WriteFile(pszRelative, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<skin>\n" + strSections + "\n</skin>\n");
    }
    CString WriteBase(const std::string& strSections) const
    {
        return WriteSkin(L"Definitions\\Definitions.xml", strSections);
    }
    // A 24-bit bitmap file of one colour.
    CString WriteBitmap(LPCWSTR pszRelative, int cx, int cy, COLORREF cr) const;

private:
    CString m_strSavedAppFolder;
};
