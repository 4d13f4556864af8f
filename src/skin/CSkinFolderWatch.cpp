#include "CSkinFolderWatch.h"

namespace
{
// A skin folder holds a few hundred files; a watch never lists past these.
const size_t MAX_FILES = 20000;
const int MAX_DEPTH = 8;
const DWORD NOTIFY_FILTER = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE
                          | FILE_NOTIFY_CHANGE_LAST_WRITE;
}

CSkinFolderWatch::CSkinFolderWatch() : m_hChange(INVALID_HANDLE_VALUE)
{
}

CSkinFolderWatch::~CSkinFolderWatch()
{
    Stop();
}

BOOL CSkinFolderWatch::Start(const CString& strFolder, const SKIP_TEST& fnIgnore)
{
    Stop();
    m_strFolder = strFolder;
    if (!m_strFolder.IsEmpty() && m_strFolder[m_strFolder.GetLength() - 1] != L'\\')
        m_strFolder += L'\\';
    m_fnIgnore = fnIgnore;
    m_hChange = ::FindFirstChangeNotificationW(m_strFolder.IsEmpty() ? L"." : (LPCWSTR)m_strFolder, TRUE, NOTIFY_FILTER);
    if (m_hChange == INVALID_HANDLE_VALUE)
        return FALSE;
    m_listing = List();
    return TRUE;
}

void CSkinFolderWatch::Stop()
{
    if (m_hChange != INVALID_HANDLE_VALUE)
        ::FindCloseChangeNotification(m_hChange);
    m_hChange = INVALID_HANDLE_VALUE;
    m_listing.clear();
}

BOOL CSkinFolderWatch::Settle(DWORD nQuietMs, HANDLE hStop)
{
    if (m_hChange == INVALID_HANDLE_VALUE)
        return FALSE;
    // Each further notification within the quiet time starts it again.
    for (;;)
    {
        if (!::FindNextChangeNotification(m_hChange))
            return FALSE;
        HANDLE handles[2] = { m_hChange, hStop };
        const DWORD nWait = ::WaitForMultipleObjects(hStop ? 2 : 1, handles, FALSE, nQuietMs);
        if (nWait != WAIT_OBJECT_0)
            break;
    }
    LISTING listing = List();
    const BOOL bChanged = listing != m_listing;
    m_listing.swap(listing);
    return bChanged;
}

CSkinFolderWatch::LISTING CSkinFolderWatch::List() const
{
    LISTING listing;
    ListFolder(CString(), 0, listing);
    return listing;
}

void CSkinFolderWatch::ListFolder(const CString& strRelative, int nDepth, LISTING& listing) const
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW(m_strFolder + strRelative + L"*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const CString strName = data.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        const CString strPath = strRelative + strName;
        if (m_fnIgnore && m_fnIgnore(strPath))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        {
            if (nDepth < MAX_DEPTH)
                ListFolder(strPath + L"\\", nDepth + 1, listing);
        }
        else if (listing.size() < MAX_FILES)
            listing[strPath] = { ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow,
                                 ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime };
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
}
