#include "CPreviewWatch.h"
#include "CSkinPreview.h"
#include "CSkinCheck.h"
#include "skin/CSkinFolderWatch.h"

namespace
{
const wchar_t NEXT_SUFFIX[] = L".next";

CString FullPath(const CString& strPath)
{
    wchar_t szFull[MAX_PATH * 2];
    const DWORD nLength = ::GetFullPathNameW(strPath, _countof(szFull), szFull, NULL);
    return nLength && nLength < _countof(szFull) ? CString(szFull) : strPath;
}

std::vector<BYTE> ReadBytes(const CString& strPath)
{
    std::vector<BYTE> bytes;
    FILE* pFile = _wfopen(strPath, L"rb");
    if (!pFile)
        return bytes;
    BYTE buffer[65536];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + nRead);
    fclose(pFile);
    return bytes;
}

// The paths the preview says it wrote.
std::vector<CString> WrittenPaths(const CString& strOutput)
{
    std::vector<CString> paths;
    int nStart = 0;
    while (nStart < strOutput.GetLength())
    {
        int nEnd = strOutput.Find(L'\n', nStart);
        if (nEnd < 0)
            nEnd = strOutput.GetLength();
        const CString strLine = strOutput.Mid(nStart, nEnd - nStart);
        if (strLine.Left(6) == L"wrote ")
            paths.push_back(strLine.Mid(6));
        nStart = nEnd + 1;
    }
    return paths;
}
}

int CPreviewWatch::Run(const std::vector<CString>& args, HANDLE hStop, const PRINT& fnPrint, DWORD nQuietMs)
{
    CString strFolder;
    m_strPrefix = L"preview";
    std::vector<CString> names;
    m_previewArgs.clear();
    for (size_t n = 0; n < args.size(); n++)
    {
        const bool bValue = n + 1 < args.size();
        if (args[n] == L"--out" && bValue)
            m_strPrefix = args[++n];
        else if (args[n] == L"--app" && bValue)
        {
            strFolder = args[++n];
            m_previewArgs.push_back(L"--app");
            m_previewArgs.push_back(strFolder);
        }
        else if ((args[n] == L"--size" || args[n] == L"--dpi" || args[n] == L"--menu") && bValue)
        {
            m_previewArgs.push_back(args[n]);
            m_previewArgs.push_back(args[++n]);
        }
        else
        {
            names.push_back(args[n]);
            m_previewArgs.push_back(args[n]);
        }
    }
    if (names.size() < 2)
    {
        CString strUsage;
        CSkinPreview().Run(std::vector<CString>(), strUsage);
        fnPrint(strUsage);
        return 2;
    }
    // The pictures are painted beside their final names, then moved over those that changed.
    m_previewArgs.push_back(L"--out");
    m_previewArgs.push_back(m_strPrefix + NEXT_SUFFIX);
    m_checkArgs.clear();
    if (!strFolder.IsEmpty())
        m_checkArgs = { L"--app", strFolder };
    m_checkArgs.insert(m_checkArgs.end(), names.begin() + 1, names.end());

    // The pictures may lie under the skin's folder: writing them is no change of the skin.
    const CString strFolderPath = FullPath(strFolder.IsEmpty() ? CString(L".") : strFolder);
    const CString strPrefixPath = FullPath(m_strPrefix);
    CSkinFolderWatch watch;
    if (!watch.Start(strFolderPath, [&](const CString& strRelative) {
            const CString strPath = FullPath(strFolderPath + L"\\" + strRelative);
            return strPath.GetLength() >= strPrefixPath.GetLength()
                && strPath.Left(strPrefixPath.GetLength()).CompareNoCase(strPrefixPath) == 0;
        }))
    {
        fnPrint(L"cannot watch " + strFolderPath + L"\n");
        return 2;
    }
    Round(fnPrint);
    fnPrint(L"watching " + strFolderPath + L" (Ctrl+C ends)\n");
    for (;;)
    {
        HANDLE handles[2] = { watch.ChangeEvent(), hStop };
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0)
            break;
        const BOOL bChanged = watch.Settle(nQuietMs, hStop);
        if (::WaitForSingleObject(hStop, 0) == WAIT_OBJECT_0)
            break;
        if (bChanged)
            Round(fnPrint);
    }
    return 0;
}

void CPreviewWatch::Round(const PRINT& fnPrint)
{
    m_nRounds++;
    CString strReport;
    const int nCheck = CSkinCheck().Run(m_checkArgs, strReport);
    if (!strReport.IsEmpty())
        fnPrint(strReport);
    if (nCheck == CSkinCheck::EXIT_ERRORS)
    {
        fnPrint(L"kept the last good pictures: the skin has errors (above)\n");
        return;
    }
    CString strOutput;
    const int nPreview = CSkinPreview().Run(m_previewArgs, strOutput);
    const std::vector<CString> painted = WrittenPaths(strOutput);
    if (nPreview != 0)
    {
        for (const CString& strPath : painted)
            ::DeleteFileW(strPath);
        fnPrint(strOutput + L"kept the last good pictures: the preview could not paint them all (above)\n");
        return;
    }
    const CString strNextPrefix = m_strPrefix + NEXT_SUFFIX;
    int nChanged = 0;
    for (const CString& strNext : painted)
    {
        const CString strFinal = m_strPrefix + strNext.Mid(strNextPrefix.GetLength());
        if (ReadBytes(strNext) == ReadBytes(strFinal))
            ::DeleteFileW(strNext);
        else if (::MoveFileExW(strNext, strFinal, MOVEFILE_REPLACE_EXISTING))
        {
            fnPrint(L"changed " + strFinal + L"\n");
            nChanged++;
        }
        else
            fnPrint(L"cannot write " + strFinal + L"\n");
    }
    if (!nChanged)
        fnPrint(L"no picture changed\n");
}
