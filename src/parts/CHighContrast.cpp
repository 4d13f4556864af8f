#include "CHighContrast.h"

namespace
{
CHighContrast::READER g_pfnReader = NULL;

// The highest COLOR_ index (COLOR_MENUBAR).
const int LAST_SYSTEM_COLOUR = 30;
}

BOOL CHighContrast::IsOn()
{
    return g_pfnReader ? g_pfnReader() : FromSystem();
}

BOOL CHighContrast::FromSystem()
{
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof(setting);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

CHighContrast::READER CHighContrast::Replace(READER pfnReader)
{
    const READER pfnOld = g_pfnReader;
    g_pfnReader = pfnReader;
    return pfnOld;
}

BOOL CHighContrast::MayHaveChanged(UINT nMessage, WPARAM wParam)
{
    return nMessage == WM_SYSCOLORCHANGE || (nMessage == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

DWORD CHighContrast::SystemColoursStamp()
{
    DWORD dwStamp = 2166136261u;
    for (int n = 0; n <= LAST_SYSTEM_COLOUR; n++)
        dwStamp = (dwStamp ^ ::GetSysColor(n)) * 16777619u;
    return dwStamp;
}
