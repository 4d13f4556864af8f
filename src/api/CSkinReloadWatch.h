// A development aid: watches the folder of the loaded skin's files from a thread of its own and,
// once a burst of saves has settled, calls back on the thread that started it (through a
// message-only window of that thread), where the skin may be loaded again.
#pragma once
#include <afxwin.h>
#include <functional>
#include <memory>
#include "../skin/CSkinFolderWatch.h"

class CSkinReloadWatch
{
public:
    CSkinReloadWatch();
    ~CSkinReloadWatch();

    // Starts watching strFolder (and everything under it); fnChanged runs on this thread after
    // each settled change. FALSE when the folder cannot be watched.
    BOOL Start(const CString& strFolder, const std::function<void()>& fnChanged);
    void Stop();
    BOOL IsWatching() const { return m_hThread != NULL; }

    // Whether each definition file a load would read parses: a save half written or broken is
    // told by its path in strBroken.
    static BOOL DefinitionsReadable(const CString& strAppFolder, const CString& strFirst, const CString& strSecond,
                                    CString& strBroken);
    // The deepest folder holding both paths (each a file's full path), with its backslash.
    static CString CommonFolder(const CString& strPath, const CString& strOther);

private:
    static DWORD WINAPI WatchThread(LPVOID pParam);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CSkinFolderWatch m_watch;
    std::function<void()> m_fnChanged;
    HWND m_hWnd;
    HANDLE m_hStop;
    HANDLE m_hThread;

    CSkinReloadWatch(const CSkinReloadWatch&) = delete;
    void operator=(const CSkinReloadWatch&) = delete;
};
