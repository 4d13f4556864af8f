#include "CSkinReloadWatch.h"
#include "../parts/ModuleWindowClass.h"
#include "../skin/CSkinRegistry.h"
#include "../xml/XML.h"

namespace
{
const wchar_t WINDOW_CLASS[] = L"KorvoSkinReloadWatch";
const UINT WM_SKIN_FILES_CHANGED = WM_APP + 1;
// Saves closer together than this are one change.
const DWORD QUIET_MS = 300;
}

CSkinReloadWatch::CSkinReloadWatch() : m_hWnd(NULL), m_hStop(NULL), m_hThread(NULL)
{
}

CSkinReloadWatch::~CSkinReloadWatch()
{
    Stop();
}

BOOL CSkinReloadWatch::Start(const CString& strFolder, const std::function<void()>& fnChanged)
{
    Stop();
    const HINSTANCE hInstance = RegisterModuleWindowClass(WINDOW_CLASS, WindowProc);
    m_hWnd = ::CreateWindowExW(0, WINDOW_CLASS, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInstance, NULL);
    m_hStop = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    if (!m_hWnd || !m_hStop || !m_watch.Start(strFolder))
    {
        Stop();
        return FALSE;
    }
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, (LONG_PTR)this);
    m_fnChanged = fnChanged;
    m_hThread = ::CreateThread(NULL, 0, WatchThread, this, 0, NULL);
    if (!m_hThread)
    {
        Stop();
        return FALSE;
    }
    return TRUE;
}

void CSkinReloadWatch::Stop()
{
    if (m_hThread)
    {
        ::SetEvent(m_hStop);
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    if (m_hStop)
        ::CloseHandle(m_hStop);
    m_hStop = NULL;
    // A change posted before the thread ended goes with the window.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = NULL;
    m_watch.Stop();
    m_fnChanged = nullptr;
}

DWORD WINAPI CSkinReloadWatch::WatchThread(LPVOID pParam)
{
    CSkinReloadWatch* pWatch = (CSkinReloadWatch*)pParam;
    for (;;)
    {
        HANDLE handles[2] = { pWatch->m_watch.ChangeEvent(), pWatch->m_hStop };
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0)
            return 0;
        const BOOL bChanged = pWatch->m_watch.Settle(QUIET_MS, pWatch->m_hStop);
        if (::WaitForSingleObject(pWatch->m_hStop, 0) == WAIT_OBJECT_0)
            return 0;
        if (bChanged)
            ::PostMessageW(pWatch->m_hWnd, WM_SKIN_FILES_CHANGED, 0, 0);
    }
}

LRESULT CALLBACK CSkinReloadWatch::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SKIN_FILES_CHANGED)
    {
        // Any process may post a message-only window a message: only a watch that runs answers.
        CSkinReloadWatch* pWatch = (CSkinReloadWatch*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA);
        if (pWatch && pWatch->m_hWnd == hWnd && pWatch->m_fnChanged)
        {
            // The callback may stop the watch: it runs from a copy.
            std::function<void()> fnChanged = pWatch->m_fnChanged;
            fnChanged();
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

BOOL CSkinReloadWatch::DefinitionsReadable(const CString& strAppFolder, const CString& strFirst, const CString& strSecond,
                                           CString& strBroken)
{
    const CString paths[] = { strAppFolder + L"Definitions\\Definitions.xml", strSecond.IsEmpty() ? CString() : CSkinRegistry::DefinitionPath(strAppFolder, strSecond),
                              strFirst.IsEmpty() ? CString() : CSkinRegistry::DefinitionPath(strAppFolder, strFirst) };
    for (const CString& strPath : paths)
    {
        // A file that is not there is read as nothing, as a load does.
        if (strPath.IsEmpty() || ::GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
            continue;
        std::unique_ptr<CXmlElement> pRoot(XmlLoadFile(strPath, FALSE));
        if (!pRoot)
        {
            strBroken = strPath;
            return FALSE;
        }
    }
    return TRUE;
}

CString CSkinReloadWatch::CommonFolder(const CString& strPath, const CString& strOther)
{
    CString strFolder = strPath.Left(strPath.ReverseFind(L'\\') + 1);
    while (!strFolder.IsEmpty() && strOther.Left(strFolder.GetLength()).CompareNoCase(strFolder) != 0)
    {
        strFolder = strFolder.Left(strFolder.GetLength() - 1);
        strFolder = strFolder.Left(strFolder.ReverseFind(L'\\') + 1);
    }
    return strFolder;
}
