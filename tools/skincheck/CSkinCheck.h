// The skin checker: loads a skin as a host's LoadSkin does (the base definition, the second
// file, the first) through the library's own readers, and lists everything they ignore or
// reject as "file:line:column: severity: message".
#pragma once
#include "theme/CSkinDiagnostics.h"
#include <map>
#include <vector>

class CSkinCheck : public CSkinDiagnostics
{
public:
    enum { EXIT_CLEAN = 0, EXIT_WARNINGS = 1, EXIT_ERRORS = 2 };
    // What the checker itself tells a skin author without finding fault: no effect on the exit.
    enum { LEVEL_NOTE = 0 };

    // Arguments as on the command line: [--app <folder>] <first> [<second>]. Names are relative
    // to the folder (default: the current one), as LoadSkin's are to the host's folder, and the
    // folder's Definitions\Definitions.xml is read first when there is one. The report goes to
    // strOutput, one line each, UTF-16; the result is the exit status.
    int Run(const std::vector<CString>& args, CString& strOutput);

    void BeginFile(const CString& strPath) override;
    void Report(int nSeverity, int nOffset, const CString& strMessage) override;
    void ColourKeySet(const CString& strKey, int nOffset) override;

private:
    struct FILE_ENTRY
    {
        CString strPath;
        // The decoded text, and the offsets in it where each line starts; empty when the file
        // is unreadable.
        std::vector<wchar_t> text;
        std::vector<int> lineStarts;
    };
    struct REPORT
    {
        int nFile;
        int nOffset;
        int nSeverity;
        CString strMessage;
    };

    struct PLACE
    {
        int nFile;
        int nOffset;
    };

    static std::vector<wchar_t> ReadText(const CString& strPath);
    CString Format(const REPORT& report) const;
    // "path:line:column", or the path alone when the place is not in the text.
    CString PlaceText(const PLACE& place) const;
    // Warns of each text the loaded scheme draws with too little contrast on its background.
    void CheckContrast();
    // Reports on the images' higher-DPI variants: each refused one an error at its file; for a
    // skin that ships any, one warning per scale listing the images without one, at the skin's folder.
    void CheckVariants(const CString& strFolder);
    // The index of a file's entry, made without reading it when new.
    int FileIndex(const CString& strPath);
    // The place where the key was last set, or null when no file set it.
    const PLACE* FindKey(const wchar_t* pszKey) const;

    std::vector<FILE_ENTRY> m_files;
    std::vector<REPORT> m_reports;
    std::map<CString, PLACE> m_colourKeys;
    int m_nCurrentFile = -1;
    // The base definition may be absent, as for a host.
    CString m_strOptionalFile;
};
