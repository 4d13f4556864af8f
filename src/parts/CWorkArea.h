// Where a maximised window belongs on a monitor: its work area, less a pixel along each edge
// where an auto-hide taskbar waits, so that the pointer can still reach the bar. The one place
// the library reads a monitor's work area and taskbars; tests give it monitors of their own.
#pragma once
#include <afxwin.h>

class CWorkArea
{
public:
    struct MONITOR
    {
        CRect rcMonitor;
        CRect rcWork;
        // One bit per edge (1 << ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM) with an auto-hide bar.
        UINT nAutoHideEdges = 0;
    };
    using READER = MONITOR (*)(HMONITOR hMonitor);

    // What the system says of the monitor.
    static MONITOR FromSystem(HMONITOR hMonitor);
    // The monitor as the reader in use says.
    static MONITOR Read(HMONITOR hMonitor);
    // The monitor's work area alone, as the reader in use says: from the system without asking
    // about its taskbars, which costs far more (the frame shadow asks at every move).
    static CRect WorkArea(HMONITOR hMonitor);
    // The rectangle a maximised window takes on the monitor nearest hWnd.
    static CRect MaximisedRect(HWND hWnd);
    // Replaces the reader (null for the system's); returns the one it replaced.
    static READER SetReader(READER pfnReader);
};
