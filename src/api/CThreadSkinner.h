// Skins the windows a thread creates, as they are created: the menu engine's thread hook
// tells of each window coming into being, and a subclass waits for the end of its WM_CREATE or WM_INITDIALOG, when its
// children exist, to frame it and skin its controls through the windows skinned by handle.
// Runs on the thread it skins only: the library's owner thread, or a thread korvorun's agent gave
// a skin of its own.
#pragma once
#include <korvoskin.h>
#include <afxwin.h>

class CHandleWindows;
class CSkinRegistry;

class CThreadSkinner
{
public:
    // Windows are skinned into windows, with the window skins registry has.
    CThreadSkinner(CHandleWindows& windows, const CSkinRegistry& registry);
    ~CThreadSkinner();

    // KORVOSKIN_THREAD_ flags; 0 stops. A KORVOSKIN_ code.
    int Start(UINT nFlags);
    void Stop();
    void SetCallback(KORVOSKIN_THREAD_WINDOW_PROC pfnProc, void* pContext);

private:
    enum Kind
    {
        KIND_NONE,
        KIND_DIALOG,
        KIND_FRAME,
        KIND_CONTAINER
    };
    static void OnCreating(HWND hWnd, const CREATESTRUCTW* pCreate);
    // The window's link while it is created (pKind its Kind).
    static LRESULT CreationProc(void* pKind, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // What the flags make of a window being created with this style.
    Kind KindOf(HWND hWnd, DWORD dwStyle, HWND hParent) const;
    // The window is created: framed and its controls skinned as its kind and the host say.
    void Created(HWND hWnd, Kind kind);
    // The window skin target for a created window ("Dialog", "Main", "MessageBox"), or null.
    LPCWSTR TargetOf(HWND hWnd, Kind kind) const;
    static BOOL IsMessageBox(HWND hWnd);

    CHandleWindows& m_windows;
    const CSkinRegistry& m_registry;
    UINT m_nFlags;
    KORVOSKIN_THREAD_WINDOW_PROC m_pfnCallback;
    void* m_pCallbackContext;

    CThreadSkinner(const CThreadSkinner&) = delete;
    void operator=(const CThreadSkinner&) = delete;
};
