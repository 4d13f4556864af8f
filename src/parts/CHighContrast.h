// The one reader of the user's high-contrast setting. Tests put a reader of their own in the
// system's place (the setting cannot be changed under every system the suite runs on).
#pragma once
#include <afxwin.h>

class CHighContrast
{
public:
    typedef BOOL (*READER)();

    // Whether high contrast is on now, through the reader in use.
    static BOOL IsOn();
    // The system's answer (SPI_GETHIGHCONTRAST); FALSE where it cannot be read.
    static BOOL FromSystem();
    // Puts pfnReader in the system's place (null: the system's again); returns the one replaced.
    static READER Replace(READER pfnReader);
    // Whether a message a top-level window hears may follow a change of the setting or of the
    // system's colours: WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST, or WM_SYSCOLORCHANGE.
    static BOOL MayHaveChanged(UINT nMessage, WPARAM wParam);
    // A number that changes when any of the system's colours does.
    static DWORD SystemColoursStamp();
};
