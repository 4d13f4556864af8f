#include "CWorkArea.h"
#include <shellapi.h>

// Windows 8's per-monitor question; older headers lack its number.
#ifndef ABM_GETAUTOHIDEBAREX
#define ABM_GETAUTOHIDEBAREX 0x0000000b
#endif

namespace
{
CWorkArea::READER g_pfnReader = NULL;
}

CWorkArea::MONITOR CWorkArea::FromSystem(HMONITOR hMonitor)
{
    MONITOR monitor;
    MONITORINFO info = { sizeof(info) };
    if (!hMonitor || !::GetMonitorInfoW(hMonitor, &info))
    {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
        monitor.rcMonitor = CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        return monitor;
    }
    monitor.rcMonitor = info.rcMonitor;
    monitor.rcWork = info.rcWork;
    for (UINT nEdge : { (UINT)ABE_LEFT, (UINT)ABE_TOP, (UINT)ABE_RIGHT, (UINT)ABE_BOTTOM })
    {
        APPBARDATA bar = { sizeof(bar) };
        bar.uEdge = nEdge;
        bar.rc = info.rcMonitor;
        if (::SHAppBarMessage(ABM_GETAUTOHIDEBAREX, &bar))
            monitor.nAutoHideEdges |= 1u << nEdge;
    }
    return monitor;
}

CWorkArea::MONITOR CWorkArea::Read(HMONITOR hMonitor)
{
    return g_pfnReader ? g_pfnReader(hMonitor) : FromSystem(hMonitor);
}

CRect CWorkArea::WorkArea(HMONITOR hMonitor)
{
    if (g_pfnReader)
        return g_pfnReader(hMonitor).rcWork;
    MONITORINFO info = { sizeof(info) };
    if (hMonitor && ::GetMonitorInfoW(hMonitor, &info))
        return info.rcWork;
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    return rcWork;
}

CRect CWorkArea::MaximisedRect(HWND hWnd)
{
    const MONITOR monitor = Read(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST));
    CRect rc = monitor.rcWork;
    // An auto-hide bar shows when the pointer touches its edge: a window covering the whole
    // edge would take that pixel from it.
    if (monitor.nAutoHideEdges & (1u << ABE_LEFT))
        rc.left++;
    if (monitor.nAutoHideEdges & (1u << ABE_TOP))
        rc.top++;
    if (monitor.nAutoHideEdges & (1u << ABE_RIGHT))
        rc.right--;
    if (monitor.nAutoHideEdges & (1u << ABE_BOTTOM))
        rc.bottom--;
    return rc;
}

CWorkArea::READER CWorkArea::SetReader(READER pfnReader)
{
    READER pfnOld = g_pfnReader;
    g_pfnReader = pfnReader;
    return pfnOld;
}
