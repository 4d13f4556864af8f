// Tells when a skin's files change: the system's change notification for a folder and everything
// under it wakes the watch, and a listing of the files' names, sizes and write times decides
// whether anything it watches really changed (a program's own output, or a save that rewrote the
// same bytes at the same time, is not a change). Saves come in bursts (an editor writes, renames
// and touches), so a change is told once the folder has been quiet for a while.
#pragma once
#include <afxwin.h>
#include <functional>
#include <map>

class CSkinFolderWatch
{
public:
    // Whether a file (its path below the folder) is none of the watch's business.
    using SKIP_TEST = std::function<bool(const CString& strRelativePath)>;

    CSkinFolderWatch();
    ~CSkinFolderWatch();

    // Starts watching strFolder and takes its first listing; FALSE when it cannot be watched.
    BOOL Start(const CString& strFolder, const SKIP_TEST& fnIgnore = SKIP_TEST());
    void Stop();
    // Signalled by the system when anything under the folder may have changed.
    HANDLE ChangeEvent() const { return m_hChange; }
    // After ChangeEvent was signalled: waits until nothing has happened for nQuietMs (or hStop is
    // signalled), takes a new listing and re-arms the notification. TRUE when a watched file was
    // added, removed or rewritten since the last listing.
    BOOL Settle(DWORD nQuietMs, HANDLE hStop = NULL);

private:
    struct FILE_STAMP
    {
        ULONGLONG nSize;
        ULONGLONG nWritten;
        bool operator==(const FILE_STAMP& other) const { return nSize == other.nSize && nWritten == other.nWritten; }
    };
    using LISTING = std::map<CString, FILE_STAMP>;

    // Every watched file under the folder; at most MAX_FILES, at most MAX_DEPTH folders deep.
    LISTING List() const;
    void ListFolder(const CString& strRelative, int nDepth, LISTING& listing) const;

    CString m_strFolder;
    SKIP_TEST m_fnIgnore;
    HANDLE m_hChange;
    LISTING m_listing;

    CSkinFolderWatch(const CSkinFolderWatch&) = delete;
    void operator=(const CSkinFolderWatch&) = delete;
};
