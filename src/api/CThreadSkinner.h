// Skins the windows the owner thread creates, as they are created: a CBT hook sees each
// top-level window come into being, and a subclass waits for the end of its WM_CREATE or
// WM_INITDIALOG, when its children exist, to frame it and skin its controls through the windows
// skinned by handle. Runs on the owner thread only.
#pragma once
#include <korvoskin.h>
#include <afxwin.h>

class CHandleWindows;
class CMenuSkinner;

class CThreadSkinner
{
public:
    CThreadSkinner(CHandleWindows& windows, CMenuSkinner& menus);
    ~CThreadSkinner();

    // KORVOSKIN_THREAD_ flags; 0 stops. A KORVOSKIN_ code.
    int Start(UINT nFlags);
    void Stop();
    void SetCallback(KORVOSKIN_THREAD_WINDOW_PROC pfnProc, void* pContext);

    // A top-level window whose creation is under way now, seen by a hook that ran before this
    // one existed: skinned once created, as if this hook had seen it.
    void Watch(HWND hWnd);

    UINT Flags() const { return m_nFlags; }

private:
    CThreadSkinner(const CThreadSkinner&) = delete;
    void operator=(const CThreadSkinner&) = delete;
};
