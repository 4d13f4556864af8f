// The preview kept running beside a skin author's editor: every save of the definition, an image
// or a variant checks the skin again, prints the checker's findings, paints every picture again
// and replaces those that changed. A save the checker finds errors in (a half-written file, an
// XML error) keeps the last good pictures and says why; the next good save recovers.
#pragma once
#include <afxwin.h>
#include <functional>
#include <vector>

class CPreviewWatch
{
public:
    using PRINT = std::function<void(const CString& strLines)>;

    // args as the preview's own (see CSkinPreview::Run). Paints the pictures once, then again after
    // each change under the skin's folder that has been quiet for nQuietMs, until hStop is
    // signalled. The result is the exit status: 0 when stopped, 2 for bad arguments or a folder
    // that cannot be watched.
    int Run(const std::vector<CString>& args, HANDLE hStop, const PRINT& fnPrint, DWORD nQuietMs = 300);
    // How many times the pictures were painted, the first time included.
    int GetRounds() const { return m_nRounds; }

private:
    // Checks and paints once; prints what happened.
    void Round(const PRINT& fnPrint);

    std::vector<CString> m_previewArgs;
    std::vector<CString> m_checkArgs;
    CString m_strPrefix;
    int m_nRounds = 0;
};
