// Per-thread framework state: the message being handled, the window being created and the
// handle maps.
#pragma once
#include "AfxDefs.h"

class CWnd;
class CHandleMapBase;

enum AFX_HANDLE_MAP
{
    AFX_MAP_HWND,
    AFX_MAP_HDC,
    AFX_MAP_HGDIOBJ,
    AFX_MAP_HMENU,
    AFX_MAP_HIMAGELIST,
    AFX_MAP_COUNT
};

struct AFX_THREAD_STATE
{
    MSG m_lastSentMsg;
    MSG m_msgCur;
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;
    CHandleMapBase* m_pHandleMaps[AFX_MAP_COUNT];
};

AFX_API AFX_THREAD_STATE* AfxGetThreadState();
// Deletes the thread's temporary wrapper objects; run when the thread is idle.
AFX_API void AfxDeleteTempMaps();
void AfxTermThreadState();
