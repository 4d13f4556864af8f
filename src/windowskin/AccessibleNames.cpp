#include "AccessibleNames.h"

namespace
{
// A label is a visible static that shows text, not a picture or a frame.
bool IsTextLabel(HWND hWnd)
{
    wchar_t szClass[16] = {};
    if (!::IsWindowVisible(hWnd) || !::GetClassNameW(hWnd, szClass, _countof(szClass)) || _wcsicmp(szClass, L"Static"))
        return false;
    switch (::GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK)
    {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
    case SS_OWNERDRAW:
        return true;
    default:
        return false;
    }
}

// The text the name comes from, mnemonic markers and all.
CString NameSource(HWND hWnd, bool bTextIsValue)
{
    CString strText = bTextIsValue ? CString() : WindowTextOf(hWnd);
    if (!strText.IsEmpty())
        return strText;
    // The label is the nearest visible sibling before the window in the tab order (the
    // z-order of a dialog's children), when that sibling is a text static.
    for (HWND hPrev = ::GetWindow(hWnd, GW_HWNDPREV); hPrev; hPrev = ::GetWindow(hPrev, GW_HWNDPREV))
        if (::IsWindowVisible(hPrev))
            return IsTextLabel(hPrev) ? WindowTextOf(hPrev) : CString();
    return CString();
}
}

CString StripMnemonic(const CString& strText)
{
    CString strResult;
    for (int n = 0; n < strText.GetLength(); n++)
    {
        // A marker's next character is taken as it is, so "&&" leaves one "&".
        if (strText[n] == L'&' && ++n == strText.GetLength())
            break;
        strResult += strText[n];
    }
    return strResult;
}

CString AccessibleNameOf(HWND hWnd, bool bTextIsValue)
{
    return StripMnemonic(NameSource(hWnd, bTextIsValue));
}

CString AccessibleShortcutOf(HWND hWnd, bool bTextIsValue)
{
    return AccessibleShortcutOfText(NameSource(hWnd, bTextIsValue));
}

CString AccessibleShortcutOfText(const CString& strText)
{
    for (int n = 0; n + 1 < strText.GetLength(); n++)
    {
        if (strText[n] != L'&')
            continue;
        if (strText[n + 1] == L'&')
        {
            n++;
            continue;
        }
        CString strKey(strText[n + 1]);
        strKey.MakeUpper();
        return L"Alt+" + strKey;
    }
    return CString();
}

CString WindowTextOf(HWND hWnd)
{
    CString strText;
    int nLength = ::GetWindowTextLengthW(hWnd);
    if (nLength > 0)
    {
        ::GetWindowTextW(hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
        strText.ReleaseBuffer();
    }
    return strText;
}
