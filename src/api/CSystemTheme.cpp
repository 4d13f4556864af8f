#include "CSystemTheme.h"
#include "../parts/CDwmAttributes.h"

namespace
{
const wchar_t PERSONALIZE_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
const wchar_t COLOUR_SET_CHANGE[] = L"ImmersiveColorSet";
// The window attribute that turns a system caption dark (Windows 10 20H1 and later).
const DWORD DWM_USE_IMMERSIVE_DARK_MODE = 20;
}

void CSystemTheme::Follow(const CString& strLightFirst, const CString& strLightSecond, const CString& strDarkFirst,
                          const CString& strDarkSecond)
{
    m_strFirst[0] = strLightFirst;
    m_strSecond[0] = strLightSecond;
    m_strFirst[1] = strDarkFirst;
    m_strSecond[1] = strDarkSecond;
    m_bFollowing = TRUE;
}

void CSystemTheme::Stop()
{
    m_bFollowing = FALSE;
    m_bDark = FALSE;
    for (int n = 0; n < 2; n++)
    {
        m_strFirst[n].Empty();
        m_strSecond[n].Empty();
    }
}

BOOL CSystemTheme::UserChoosesDark()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, PERSONALIZE_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD dwType = 0, dwValue = 1, cbValue = sizeof(dwValue);
    LONG nResult = ::RegQueryValueExW(hKey, L"AppsUseLightTheme", NULL, &dwType, (BYTE*)&dwValue, &cbValue);
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS && dwType == REG_DWORD && cbValue == sizeof(dwValue) && dwValue == 0;
}

BOOL CSystemTheme::AnnouncesColourSet(LPARAM lParam)
{
    // The message's text is bounded by the comparison: it stops at the first difference.
    return lParam && wcsncmp((LPCWSTR)lParam, COLOUR_SET_CHANGE, _countof(COLOUR_SET_CHANGE)) == 0;
}

void CSystemTheme::SetDarkTitleBar(HWND hWnd, BOOL bDark)
{
    // Older systems refuse the attribute; the caption stays as it is.
    CDwmAttributes::Set(hWnd, DWM_USE_IMMERSIVE_DARK_MODE, bDark ? TRUE : FALSE);
}

void CSystemTheme::SetDarkTitleBars(const std::vector<HWND>& windows, BOOL bDark)
{
    // A skinned window has no system caption.
    for (HWND hWnd : windows)
        if (::IsWindow(hWnd) && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            SetDarkTitleBar(hWnd, bDark);
}
