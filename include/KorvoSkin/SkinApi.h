// The library's exported free functions: loading a skin and looking up what it declared.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

class CCoolBarCtrl;

// The name of the message (RegisterWindowMessageW) the library sends to each top-level window of
// the host's thread after it loaded the other skin of LoadSkinForSystemTheme's pair on its own:
// wParam is 1 for the dark skin, 0 for the light one, lParam 0. The window does what follows the
// host's own LoadSkin (SkinMe, CreateSkinToolBar, strings); its result is not used.
#define KORVOSKIN_SKIN_CHANGED_MESSAGE L"KorvoSkin.SkinChanged"

// Every function belongs to the thread that called InitSkin, the host's GUI thread: called from
// any other thread it fails at once, touching nothing, with the failure result given below.
// Before InitSkin, and after UnInitSkin, any thread may call, one call at a time. No function
// throws.
//
// What a skin hands out lives until the next load: the next LoadSkin, the load the library makes
// itself while following the system's choice (LoadSkinForSystemTheme, announced with
// KORVOSKIN_SKIN_CHANGED_MESSAGE), or UnInitSkin. After each, take again what you took.
extern "C" {
// Makes the calling thread the library's owner (call it once, from the GUI thread, before the
// first window), starts GDI+ for the skins' images and hooks the thread so that every popup
// menu of its windows is drawn by the library. Loads no skin: call LoadSkin next. True, also
// when the owner calls it again (nothing more happens); false from another thread while a
// thread owns the library (one that exited without UnInitSkin owns it no more).
KORVOSKIN_API bool InitSkin();
// Undoes InitSkin: stops following the system's choice, unhooks the thread, destroys everything
// the loaded skin handed out (as a load does) and stops GDI+; any thread may then call InitSkin.
// Call it from the owning thread before the application exits. True; false from another thread.
KORVOSKIN_API bool UnInitSkin();
// Reads Definitions\Definitions.xml from the folder of the host's executable, then strSecond,
// then strFirst (each a path relative to that folder, or empty for none; typically a language
// file and a skin). A later file adds to what an earlier one declared and overrides it; a
// missing or broken file, or a broken part of one, leaves out only what it would have declared.
// First destroys everything the previous load handed out (menus' handles, watermark bitmaps,
// window skins) and stops following the system's choice. True once the files are read;
// false from another thread, or when memory ran out, in which case nothing of either load
// stays (call it again).
KORVOSKIN_API bool LoadSkin(CString strFirst, CString strSecond);
// Loads the light pair or the dark pair (each as LoadSkin would load it) by the user's choice of
// light or dark applications, and keeps following that choice until the next LoadSkin or
// UnInitSkin: when a top-level window of the host's thread hears the system announce a change,
// the other pair is loaded, KORVOSKIN_SKIN_CHANGED_MESSAGE is sent to the thread's top-level
// windows and every one is repainted. Windows that keep the system's caption get the dark or
// light title bar where the system offers one. Changes are heard only after InitSkin. True;
// false from another thread, or when memory ran out (as LoadSkin).
KORVOSKIN_API bool LoadSkinForSystemTheme(CString strLightFirst, CString strLightSecond, CString strDarkFirst,
                                          CString strDarkSecond);
// The string the loaded files give id nID (a <strings> entry, its id a number or a name of the
// <resourceMap>); empty when they give none, and from another thread. The result is the host's
// own copy.
KORVOSKIN_API CString GetSkinString(UINT nID);
// The menu the loaded files name pszName (exact match; a bar or a popup); null when there is
// none, for a null name, and from another thread. The CMenu object is the library's and stays
// valid until the library unloads: after each load it holds that load's menu of the same name,
// or no menu (m_hMenu null). Its menu handle, and the handles of its submenus, are destroyed by
// the next load. The host may track it and enable, check or rename its items (until the next
// load); it must not delete the object, destroy, detach or attach its handle, or keep the handle
// across a load. A menu bar takes its own copy (CCoolMenuBarCtrl::SetMenu).
KORVOSKIN_API CMenu* GetSkinMenu(const wchar_t* pszName);
// The bitmap of the watermark the loaded files name pszName (exact match); null when there is
// none (or its image did not load), for a null name, and from another thread. The bitmap is the
// skin's, shared by every name that gives the same image file, and is destroyed by the next
// load. The host may select it into a memory DC of its own to draw from it, and must select it
// out again before the next load; it must not delete it, draw into it, or keep it across a load.
KORVOSKIN_API HBITMAP GetSkinWatermark(const wchar_t* pszName);
// For a host that routes WM_MEASUREITEM itself: measures the menu item of lpMeasureItemStruct by
// the skin (nIDCtl is not used). True when the item was a menu item (CtlType ODT_MENU) and is
// measured; false, changing nothing, for another kind of item (the host measures it), a null
// pointer, and from another thread.
KORVOSKIN_API bool OnSkinMeasureItem(int nIDCtl, MEASUREITEMSTRUCT* lpMeasureItemStruct);
// For a host that routes WM_DRAWITEM itself: draws the menu item of lpDrawItemStruct in the skin
// (nIDCtl is not used). True when the item was a menu item (CtlType ODT_MENU) and is drawn; false,
// drawing nothing, for another kind of item, a null pointer, and from another thread.
KORVOSKIN_API bool OnSkinDrawItem(int nIDCtl, DRAWITEMSTRUCT* lpDrawItemStruct);
// For a host that routes WM_INITMENUPOPUP itself: makes pPopupMenu's items (and its submenus')
// drawn by the library, then runs pTarget's ON_UPDATE_COMMAND_UI handlers for the items of the
// popup and of its direct submenus (none when pTarget is null). nIndex and bSysMenu are not
// used. True, also for a null menu; false from another thread.
KORVOSKIN_API bool OnSkinInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu, CCmdTarget* pTarget);
// Empties pBar (hiding its child windows) and fills it with the buttons of the toolbar template
// the loaded files name pszName, each with its images from the skin's watermarks. The bar keeps
// its own copies of the images, so it shows them across loads until it is filled again. True
// when the template exists; false with the bar emptied for an unknown name; false, touching
// nothing, for a null argument and from another thread.
KORVOSKIN_API bool CreateSkinToolBar(const wchar_t* pszName, CCoolBarCtrl* pBar);
// Tracks the popup menu the loaded files name pszName at point (screen coordinates) for pWnd,
// the window that gets its WM_COMMAND and menu messages, as ::TrackPopupMenu does with nFlags
// (TPM_*, TPM_RIGHTBUTTON always added); the call returns when the menu closes. A non-zero
// nDefaultItem makes that command the menu's default (bold) item until the next load. The
// result is ::TrackPopupMenu's: with TPM_RETURNCMD the command chosen, else non-zero on
// success. 0 for an unknown name, while a skin menu is already being tracked, when a load
// during the menu's loop replaced the menu (the choice is void), and from another thread.
KORVOSKIN_API UINT TrackSkinPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd);
// A development aid, off by default: while on, the folder of the loaded skin's files (the base
// definition's and the pair's, and everything under it) is watched, and once a burst of saves
// has settled the pair last loaded is loaded again on this thread and shown as a switch between
// light and dark is: KORVOSKIN_SKIN_CHANGED_MESSAGE to the thread's top-level windows, then a
// repaint. A save whose definitions do not parse (half written, broken) keeps the current skin.
// pfnReport (may be null) hears of each attempt on this thread: bReloaded true after a reload,
// false with the path of the file that could not be read. bWatch false, UnInitSkin or another
// WatchSkin end it. False from another thread, or when the folder cannot be watched.
KORVOSKIN_API bool WatchSkin(bool bWatch, void (*pfnReport)(bool bReloaded, const wchar_t* pszFile, void* pContext) = NULL,
                             void* pContext = NULL);
// While the user has high contrast on, the library leaves the look to the system: each load reads
// the skin's strings, menus, toolbars, watermarks and command images but no window skins (windows
// keep the system's frames, SkinMe returns false) and no colours (menus, bars, controls and text
// take the system's). Turning it on or off loads the pair again and tells the windows as a switch
// between light and dark does (KORVOSKIN_SKIN_CHANGED_MESSAGE, then a repaint); no restart is
// needed. bKeep true keeps the skin whatever the setting; false (the default) steps aside again.
// True; false from another thread.
KORVOSKIN_API bool KeepSkinInHighContrast(bool bKeep);
// From now on every top-level window this thread creates is skinned as it is created: dialogs,
// common dialogs and property sheets, frames, message boxes, their controls and every popup
// menu of the thread, as nFlags (the KORVOSKIN_THREAD_ flags of korvoskin.h) choose. 0 stops and
// lets go of the windows it skinned, as UnInitSkin does. False from another thread or when the
// thread cannot be hooked.
KORVOSKIN_API bool SkinThread(unsigned int nFlags);
// The colours of the loaded skin's colour scheme, as COLORREF values; 0 (black) from another
// thread. The message and card colours are kept across loads until a skin sets them again, and
// are black until one does.
// The dialog background, `dialog.back`: the system's button face colour when the skin gives
// none, 0 before the first load.
KORVOSKIN_API unsigned long GetDialogBkColor();
// The border of the host's message dialogs, `msg.border`.
KORVOSKIN_API unsigned long GetMsgDialogBorderColor();
// The background of the host's message dialogs, `msg.back`.
KORVOSKIN_API unsigned long GetMsgDialogBackColor();
// The background of the host's cards, `card.back`.
KORVOSKIN_API unsigned long GetCardBackColor();
}
