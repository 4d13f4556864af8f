// What a bar tells assistive technology, through the one accessibility object: a toolbar of push
// buttons (drop-down buttons for commands that drop a menu) or a menu bar of menu items that
// open its popups, each button a child numbered by its place among the bar's items (separators
// and hidden buttons included, so numbers stay put while buttons come and go).
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>
#include "../windowskin/CAccessibleProxy.h"

class CCoolBarAccessible
{
public:
    // The bar's answer to WM_GETOBJECT: its description for its own proxy, a new proxy for
    // OBJID_CLIENT, or 0 for default processing.
    static LRESULT Answer(CCoolBarCtrl& bar, WPARAM wParam, LPARAM lParam);
    // Tells assistive technology that the keyboard is on pItem now (focus and selection).
    static void NotifyFocus(CCoolBarCtrl& bar, const CCoolBarItem* pItem);
    // The child number of pItem; CHILDID_SELF for none.
    static long ChildIdOf(const CCoolBarCtrl& bar, const CCoolBarItem* pItem);

private:
    static void DescribeBar(CCoolBarCtrl& bar, CAccessibleQuery& query);
    static void DescribeItem(CCoolBarCtrl& bar, CCoolBarItem* pItem, CAccessibleQuery& query);
};
