// Owner-drawn popup menus for the host's GUI thread: items are converted to owner-drawn just
// before a popup opens and painted with the theme the engine is given; a thread hook re-frames
// the popup windows.
#pragma once
#include "CInterfaceTheme.h"
#include "CMenuItemConversion.h"
#include "../parts/CDpiScale.h"
#include "../parts/CScaledFont.h"
#include <functional>

class CMenuSkinner
{
public:
    // The theme outlives the engine.
    explicit CMenuSkinner(CInterfaceTheme& theme);
    virtual ~CMenuSkinner();
    const CInterfaceTheme& Theme() const { return m_theme; }

    // Installs the WH_CALLWNDPROC hook for the calling thread unless it has one. Each thread has
    // its own hook, which serves the engine that installed it and ends with the thread.
    void Initialize();
    // Gives every popup still prepared back its own items, and removes the calling thread's
    // hook if this object installed it.
    void Release();
    // Whether the calling thread's popups are re-framed by the hook.
    static BOOL IsThreadHooked();

    // Makes the popup's items owner-drawn and remembers their texts until it closes (its
    // submenus are prepared as they open); FALSE when the engine is disabled.
    BOOL PrepareMenu(CMenu* pMenu);
    // The work of WM_INITMENUPOPUP: PrepareMenu, then the command-UI update pass over the
    // popup's items and the items of its direct submenus.
    void UpdateMenuPopup(CMenu* pPopupMenu, CCmdTarget* pTarget);
    void MeasureItem(MEASUREITEMSTRUCT* pMIS);
    void DrawItem(DRAWITEMSTRUCT* pDIS);
    // Caption left-aligned, the shortcut after a tab right-aligned.
    void DrawItemText(CDC* pDC, CRect& rcText, const CString& strText);

    // The window the next popups are drawn for: items are measured and painted at its DPI. The
    // hook tells the engine at the start of every menu loop; windows that serve their menus
    // themselves tell it when a popup opens.
    void SetMenuWindow(HWND hOwner);
    void SetMenuDpi(UINT nDpi);
    UINT GetMenuDpi() const { return m_scale.GetDpi(); }

    // Bars announce the bottom-left corner (screen) and width of the button under which they
    // are about to drop a popup down, so that popup is drawn joined to the button.
    static void SetMenuAttach(int x, int y, int cx);

    // Told, before the window's procedure, of each WM_CREATE, WM_SETTINGCHANGE and WM_SYSCOLORCHANGE sent to a
    // top-level window of the hooked thread (popup menus excepted): the hook sees every such
    // window of the host, which higher layers cannot reach otherwise. Null for none.
    typedef void (*TOP_LEVEL_OBSERVER)(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    static void SetTopLevelObserver(TOP_LEVEL_OBSERVER pfnObserver);
    // Told of each window of the hooked thread as it is created (its WM_NCCREATE, before its
    // procedure sees it), so a higher layer can watch windows come into being without a hook of
    // its own. Null for none.
    typedef void (*CREATION_OBSERVER)(HWND hWnd, const CREATESTRUCTW* pCreate);
    static void SetCreationObserver(CREATION_OBSERVER pfnObserver);

    static LRESULT CALLBACK MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Given by the hook to each host window that opens a menu: the window's popups are
    // prepared, measured and painted by the engine whenever its own handlers do not ask for it.
    static LRESULT CALLBACK OwnerWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    // A window created by other code (not the framework's) whose popups the engine re-frames as
    // a framework window's; it serves its own popups' items through ServeOwnerMessage.
    static void ServeWindow(HWND hWnd, BOOL bServe);
    // Every window of the hooked thread, whoever made it, has its popups re-framed and their
    // items served (those it draws itself stay its own).
    static void ServeAllWindows(BOOL bServe);
    // WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM of such a window: ownerHandling (the
    // window's own processing) runs first; the engine prepares, measures and paints what it left.
    LRESULT ServeOwnerMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                              const std::function<LRESULT()>& ownerHandling);
    // Whether the engine serves this thread's menus now.
    BOOL IsServing() const { return IsThreadHooked() && m_bEnabled; }

    // The key of an item's text, also stored as its item data: the low 16 bits of the menu
    // handle above the low 16 bits of the command ID.
    static DWORD ItemKey(HMENU hMenu, UINT nID);

    CMap<DWORD, DWORD, CString, const CString&> m_mapText;
    BOOL m_bEnabled;

private:
    CInterfaceTheme& m_theme;
    // Serves a menu message the owner's own procedure left alone.
    LRESULT RouteOwnerMessage(HWND hWnd, WNDPROC pfnOld, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Whether an owner-drawn item was converted by PrepareMenu (separators carry data 0).
    BOOL IsOwnItem(ULONG_PTR nItemData) const;

    // The popups prepared and not yet closed.
    CMenuItemConversion m_conversion;
    // Set by UpdateMenuPopup, MeasureItem and DrawItem, so a message an owner already routed
    // to the engine is not served a second time.
    BOOL m_bServed;
    // Where items are measured, made on the first measure.
    CDC m_dcMeasure;
    CDpiScale m_scale;
    // The theme's menu fonts at m_scale when that is not 96 DPI, made from the fonts recorded
    // beside them; the theme's own are used at 96.
    CScaledFont m_fntScaledNormal;
    CScaledFont m_fntScaledBold;
    // The normal or bold menu font at m_scale; null before a skin load.
    HFONT MenuFont(BOOL bBold);

    CMenuSkinner(const CMenuSkinner&) = delete;
    void operator=(const CMenuSkinner&) = delete;
};

// The calling thread's hook, or null.
extern thread_local HHOOK g_hMenuHook;
// Where the next drop-down popup of a bar button appears (screen) and the button's width.
extern thread_local POINT g_ptMenuAttach;
extern thread_local int g_nMenuAttachWidth;
// 1 while a popup renders itself through WM_PRINT, 0 once it has painted normally.
extern thread_local LONG g_bMenuPrinting;
