// A bar that holds the keyboard focus: the arrows, Home and End move among its usable buttons
// (shown hot, and told to assistive technology), Space and Enter press the one the keyboard is
// on, as its default action does.
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>

class CCoolBarKeyboard
{
public:
    // TRUE when the key was the bar's.
    static BOOL OnKeyDown(CCoolBarCtrl& bar, UINT nKey);
    // Moves the keyboard to pItem (null: off the bar's buttons).
    static void MoveTo(CCoolBarCtrl& bar, CCoolBarItem* pItem);
};
