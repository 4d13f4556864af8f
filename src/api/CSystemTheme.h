// The user's choice between light and dark applications, and the pair of definition files a host
// named for each: which pair is loaded, and the title bars of windows that keep the system's frame.
#pragma once
#include <afxwin.h>
#include <vector>

class CSystemTheme
{
public:
    CSystemTheme() = default;

    // Remembers the definition files to load for each choice; following lasts until Stop.
    void Follow(const CString& strLightFirst, const CString& strLightSecond, const CString& strDarkFirst,
                const CString& strDarkSecond);
    void Stop();
    BOOL IsFollowing() const { return m_bFollowing; }

    // The user's choice: dark when AppsUseLightTheme is 0; a missing or unreadable value is light.
    static BOOL UserChoosesDark();
    // Whether a WM_SETTINGCHANGE's lParam announces a change of the light or dark choice.
    static BOOL AnnouncesColourSet(LPARAM lParam);

    const CString& First(BOOL bDark) const { return m_strFirst[bDark ? 1 : 0]; }
    const CString& Second(BOOL bDark) const { return m_strSecond[bDark ? 1 : 0]; }

    // Gives a window with the system's caption the dark or the light title bar, where the
    // window manager offers the choice; elsewhere (older systems, Wine) nothing happens.
    static void SetDarkTitleBar(HWND hWnd, BOOL bDark);
    // The same for those of windows that have the system's caption.
    static void SetDarkTitleBars(const std::vector<HWND>& windows, BOOL bDark);

    // The choice the loaded pair belongs to.
    BOOL m_bDark = FALSE;

private:
    BOOL m_bFollowing = FALSE;
    CString m_strFirst[2];
    CString m_strSecond[2];

    CSystemTheme(const CSystemTheme&) = delete;
    void operator=(const CSystemTheme&) = delete;
};
