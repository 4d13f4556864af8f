// The popups the menu engine made owner-drawn, and what their items were. A popup's items are
// converted as it opens and given back their own type and item data when it closes, or when the
// engine lets go: a program's menus, and the data it keeps in their items, are as it left them
// whenever no popup of theirs is open, even after the library is gone.
#pragma once
#include <afxwin.h>
#include <map>
#include <vector>

class CMenuItemConversion
{
public:
    typedef CMap<DWORD, DWORD, CString, const CString&> TEXTS;

    CMenuItemConversion() = default;

    // Makes the popup's own items owner-drawn (submenus are converted as they open), each item's
    // text recorded in texts under its key (CMenuSkinner::ItemKey), which becomes its item data
    // while it is converted. Items the program draws itself stay as they are. A popup converted
    // already is given back first, so items added since are converted too.
    void Convert(HMENU hMenu, TEXTS& texts);
    // Gives the popup's converted items back their type and data; nothing for a popup not
    // converted. An item the program changed since is left as the program made it.
    void Restore(HMENU hMenu);
    void RestoreAll();

private:
    struct CSaved
    {
        UINT nPosition;
        UINT nType;
        ULONG_PTR nData;
        // The data the item carries while converted.
        ULONG_PTR nKey;
    };
    std::map<HMENU, std::vector<CSaved>> m_menus;

    CMenuItemConversion(const CMenuItemConversion&) = delete;
    void operator=(const CMenuItemConversion&) = delete;
};
