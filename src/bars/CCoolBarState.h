// What a bar holds behind its public face: its buttons, which one is pressed, hot and showing
// its tooltip, the DPI it is laid out for, the hover tracker, the painter and the images the
// buttons share. The bar, its
// buttons and the menu bar reach it through Of().
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>
#include "../parts/CHoverTracker.h"
#include "CCoolBarImageTable.h"
#include "CCoolBarLayout.h"
#include "CCoolBarPainter.h"
#include <algorithm>
#include <functional>
#include <vector>

class CCoolMenuBarState;

class CCoolBarState
{
public:
    explicit CCoolBarState(CCoolBarCtrl& bar);

    // Null for a null bar.
    static CCoolBarState* Of(const CCoolBarCtrl* pBar) { return pBar ? pBar->m_pState.get() : NULL; }

    CCoolBarLayout GetLayout() const { return CCoolBarLayout(m_items, m_bVertical, m_scale); }
    bool HasItem(const CCoolBarItem* pItem) const;
    // Takes the bar style's edges off rc, leaving the buttons' room.
    void DeflateToButtons(CRect& rc) const;

    // Takes the DPI of the bar's window; when it changed, what measures the bar's buttons
    // (m_remeasure) measures them again. FALSE when the DPI is the one the bar had.
    BOOL UpdateDpi();
    const CDpiScale& GetScale() const { return m_scale; }
    // Repaints one button (or nothing for null); the rest of the bar is left alone.
    void InvalidateItem(CCoolBarItem* pItem);
    // A button's state, visibility or tooltip changed.
    void OnItemChanged(CCoolBarItem* pItem);
    // Makes pHot the hot button, repainting the old and the new one.
    void SetHot(CCoolBarItem* pHot);

    // Hover: a pointer move starts the poll; each of its ticks clears the hot button once the
    // cursor has left the bar or the bar's window has been disabled. OnTimer is FALSE for a
    // timer that is not the poll's.
    void OnMouseMove();
    BOOL OnTimer(UINT_PTR nIDEvent);
    // Stops the poll for a while the bar tracks a menu; RestartHover then looks again.
    void StopHover();
    void RestartHover();

    // The brush static controls on the bar are drawn on, following the palette.
    HBRUSH GetControlBrush();

    CCoolBarLayout::Items m_items;
    HBITMAP m_hbmErase;
    CCoolBarItem* m_pPressed;
    CCoolBarItem* m_pHot;
    bool m_bVertical;
    // The button whose text the tooltip holds, and whether the tooltip was last switched on:
    // switching it costs a round trip to the window system, so it is only done on a change.
    CCoolBarItem* m_pTipItem;
    BOOL m_bTipActive;
    CCoolBarPainter m_painter;
    // The copies of skin images the buttons hold, shared among them.
    CCoolBarImageTable m_imageTable;
    // Set by a bar whose buttons' sizes come from what they show at the bar's DPI.
    std::function<void()> m_remeasure;

    // What assistive technology is told: the skin's name for the bar's content (its toolbar
    // template or bar menu), the button the keyboard is on, and, for a menu bar, its menu.
    CString m_strSkinName;
    CCoolBarItem* m_pFocus;
    CCoolMenuBarState* m_pMenuBar;
    // Commands the bar has dropped a menu under: their buttons are drop-down buttons.
    void AddDropDown(UINT nID)
    {
        if (!DropsMenu(nID))
            m_dropDowns.push_back(nID);
    }
    bool DropsMenu(UINT nID) const { return std::find(m_dropDowns.begin(), m_dropDowns.end(), nID) != m_dropDowns.end(); }

private:
    bool IsCursorOverEnabledBar() const;

    std::vector<UINT> m_dropDowns;
    CCoolBarCtrl& m_bar;
    CDpiScale m_scale;
    CHoverTracker m_hover;
    CBrush m_brControl;
    COLORREF m_crControl;
};
