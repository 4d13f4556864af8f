/* KorvoSkin's flat C interface: the library by window handle, for hosts in any language that
 * can call a stdcall function of a DLL (C, Win32, WTL, Delphi, .NET, Python, Go...).
 *
 * Every function is WINAPI (stdcall) and exported by KorvoSkin.dll under its plain name, at both
 * pointer sizes: GetProcAddress(dll, "KorvoSkin_LoadSkin") finds it. Strings are UTF-16.
 * Results are int codes: KORVOSKIN_OK (0) or a negative KORVOSKIN_E_ code; the few functions that
 * return a count or a handle say so.
 *
 * The thread: KorvoSkin_Init makes the calling thread, the host's GUI thread, the library's owner.
 * Until KorvoSkin_Uninit every other function must be called from that thread; from any other it
 * returns KORVOSKIN_E_WRONG_THREAD (or null, CLR_INVALID), touching nothing. Before Init and after
 * Uninit they return KORVOSKIN_E_NOT_INITIALISED. Windows passed in must be the owner thread's.
 *
 * What a skin hands out (menus, bitmaps) lives until the next load: the next LoadSkin, the load
 * the library makes itself while following the system's light or dark choice (see
 * KorvoSkin_SetSkinChangedCallback), or Uninit. Take it again after each. Windows skinned by
 * handle stay skinned across loads: the library frames them again with the new skin's window
 * skin for the same target (the system frame when it has none), and the controls keep their
 * looks.
 *
 * No function throws or crashes on bad input: NULL pointers, windows that are gone, windows of
 * another thread or process each get their code. */
#ifndef KORVOSKIN_H
#define KORVOSKIN_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KORVOSKIN_OK 0
/* A NULL pointer, a handle that is not a window, a window of the wrong kind (a child where a
 * top-level window is needed), a negative size. */
#define KORVOSKIN_E_BAD_ARGUMENT (-1)
/* Called from a thread that does not own the library, or given a window of another thread or
 * process. */
#define KORVOSKIN_E_WRONG_THREAD (-2)
/* Called before KorvoSkin_Init or after KorvoSkin_Uninit. */
#define KORVOSKIN_E_NOT_INITIALISED (-3)
/* The loaded skin has no string, menu, window skin or toolbar of that id or name. */
#define KORVOSKIN_E_NOT_FOUND (-4)
/* The skin could not be loaded (memory ran out); nothing of either load stays. */
#define KORVOSKIN_E_LOAD_FAILED (-5)
/* The buffer cannot hold what was asked for; KorvoSkin_GetString tells this by a length that is
 * not below cch, so hosts that treat that as an error can use this code's text. */
#define KORVOSKIN_E_BUFFER_TOO_SMALL (-6)
/* KorvoSkin_SkinWindow on a window that is skinned already (KorvoSkin_UnskinWindow it first). */
#define KORVOSKIN_E_ALREADY_SKINNED (-7)
/* KorvoSkin_UnskinWindow on a window the library does not skin. */
#define KORVOSKIN_E_NOT_SKINNED (-8)
/* Memory or a system resource ran out; nothing changed. */
#define KORVOSKIN_E_OUT_OF_RESOURCES (-9)

/* The version of this interface: 1. */
int WINAPI KorvoSkin_Version(void);
/* A static English description of a code (never NULL; an unknown code has one too). */
const wchar_t* WINAPI KorvoSkin_ErrorText(int code);

/* Makes the calling thread the library's owner, starts what skins need and hooks the thread so
 * that its popup menus are drawn by the library; loads no skin. KORVOSKIN_OK, also when the
 * owner calls it again; KORVOSKIN_E_WRONG_THREAD while another thread owns it. */
int WINAPI KorvoSkin_Init(void);
/* Undoes Init: every window skinned by handle is let go (system frame back, controls detached,
 * toolbars destroyed), what the skin handed out is destroyed, and any thread may Init again. */
int WINAPI KorvoSkin_Uninit(void);

/* Reads Definitions\Definitions.xml from the folder of the host's executable, then second, then
 * first (paths relative to that folder; L"" for none; typically a language file and a skin). A
 * missing or broken file leaves out only what it would have declared. NULL is a bad argument.
 * Stops following the system's choice. */
int WINAPI KorvoSkin_LoadSkin(const wchar_t* first, const wchar_t* second);
/* Loads the light or the dark pair by the user's choice of light or dark applications and keeps
 * following that choice until the next LoadSkin or Uninit. */
int WINAPI KorvoSkin_LoadSkinForSystemTheme(const wchar_t* lightFirst, const wchar_t* lightSecond,
                                            const wchar_t* darkFirst, const wchar_t* darkSecond);

/* The string the loaded skin gives id (a <strings> entry). Returns its length in characters,
 * without the terminating zero, whether or not it fits; copies it, terminated, only when buffer
 * holds it all (cch > length); buffer may be NULL to ask for the length. An id the skin does not
 * give is KORVOSKIN_E_NOT_FOUND (an empty string the skin gives is length 0). */
int WINAPI KorvoSkin_GetString(UINT id, wchar_t* buffer, int cch);
/* The menu the loaded skin names name (a bar or a popup); NULL when there is none. The library's
 * own handle, valid until the next load: do not destroy it. */
HMENU WINAPI KorvoSkin_GetMenu(const wchar_t* name);
/* Tracks the skin's popup menu name at x, y (screen) for owner, which gets its WM_COMMAND and
 * menu messages, as TrackPopupMenu with flags (TPM_*); returns when the menu closes. With
 * TPM_RETURNCMD the command chosen (0 for none), else 1 once tracked; KORVOSKIN_E_NOT_FOUND for
 * an unknown name or a menu that could not be tracked. */
int WINAPI KorvoSkin_TrackPopupMenu(const wchar_t* name, int x, int y, UINT flags, HWND owner);
/* The bitmap of the skin's watermark name; NULL when there is none. The skin's own, valid until
 * the next load: select it into a DC of your own to draw from it, never delete it. */
HBITMAP WINAPI KorvoSkin_GetWatermark(const wchar_t* name);
/* The loaded skin's colour for a colour-scheme key ("dialog.back", "menu.text", ... as skin
 * files name them); CLR_INVALID for an unknown key, a colour the skin leaves unset, and every
 * failure. */
COLORREF WINAPI KorvoSkin_GetColour(const wchar_t* key);

/* Skins a top-level window of the calling thread created by any code (a dialog or a frame)
 * with the newest window skin of the loaded skin that targets target: frame, caption, caption
 * buttons, shape, icon, DPI, the title bar for assistive technology, and the skin's watermark and
 * colours behind its children. The window keeps its client area, and its own subclasses keep
 * working. It stays skinned until it is destroyed, UnskinWindow or Uninit, following each load.
 * KORVOSKIN_E_NOT_FOUND (window untouched) when the skin has no window skin for target;
 * KORVOSKIN_E_ALREADY_SKINNED when it is skinned already. */
int WINAPI KorvoSkin_SkinWindow(HWND hwnd, const wchar_t* target);
/* Puts the system frame back and lets go of everything the library attached to the window:
 * its controls' looks, its toolbars. KORVOSKIN_E_NOT_SKINNED when there is nothing to let go. */
int WINAPI KorvoSkin_UnskinWindow(HWND hwnd);
/* Skins the existing child controls of a top-level window by their class: push buttons, check
 * boxes, radio buttons, labels, edits, combo boxes, trees and trackbars take the library's looks,
 * group boxes and labels the skin's colours, the common controls' toolbars and status bars the
 * skin's dialog colours (their buttons, parts, texts and commands stay their own). The window itself need not be skinned; the controls
 * stay skinned across loads until the window goes, UnskinWindow or Uninit. Calling it again
 * skins the controls added since. Returns how many controls it skinned (0 or more). Check boxes
 * and radio buttons keep answering BM_GETCHECK and BM_SETCHECK. */
int WINAPI KorvoSkin_SkinControls(HWND hwndParent);
/* Creates a toolbar child of a top-level window with id (0xE800 to 0xE8FF keeps it apart from
 * the host's controls), filled with the buttons of the skin's toolbar template name and docked
 * along the top of the client area (the host lays its own children out below the bar's height).
 * Its buttons send WM_COMMAND with their command ids to hwndParent. Destroyed with the window,
 * by UnskinWindow or Uninit; NULL when the template is unknown or anything else fails. */
HWND WINAPI KorvoSkin_CreateToolBar(HWND hwndParent, const wchar_t* name, UINT id);

/* Called on the host's thread after the library loaded the other pair of
 * LoadSkinForSystemTheme on its own: dark is 1 for the dark pair, 0 for the light one. While a
 * callback is set it replaces the registered "KorvoSkin.SkinChanged" message; NULL goes back to
 * the message. Windows skinned by handle are framed again before it is called. */
typedef void(WINAPI* KORVOSKIN_SKIN_CHANGED_PROC)(int dark, void* context);
int WINAPI KorvoSkin_SetSkinChangedCallback(KORVOSKIN_SKIN_CHANGED_PROC proc, void* context);

/* High contrast. While the user has it on, the library steps aside: each load reads the skin's
 * strings, menus, toolbars, watermarks and command images, but no window skins and no colours.
 * Windows skinned by handle keep the system's frame (KorvoSkin_SkinWindow still records them and
 * returns KORVOSKIN_OK) and menus, bars, controls and text take the system's colours. Turning it
 * on or off loads the pair again and is told as the light and dark switch is (the callback above
 * or the registered message; windows skinned by handle are framed again first), without a
 * restart. keep non-zero keeps the skin whatever the setting; 0, the default, steps aside. */
int WINAPI KorvoSkin_KeepSkinInHighContrast(int keep);

/* A development aid, off by default: with watch TRUE the folder of the loaded skin's files is
 * watched, and once a burst of saves has settled the pair last loaded is loaded again and shown
 * as a light/dark switch is (windows skinned by handle framed again, then the skin-changed
 * callback or message). A save that does not parse keeps the current skin. FALSE ends it, as
 * Uninit does. KORVOSKIN_E_LOAD_FAILED when the folder cannot be watched. */
int WINAPI KorvoSkin_WatchSkin(BOOL watch);
/* Called on the host's thread after each reload the watch tried: result KORVOSKIN_OK with file
 * NULL after a reload, KORVOSKIN_E_LOAD_FAILED with the path of the file that could not be read
 * when the skin was kept. NULL stops the calls. */
typedef void(WINAPI* KORVOSKIN_WATCH_PROC)(int result, const wchar_t* file, void* context);
int WINAPI KorvoSkin_SetWatchCallback(KORVOSKIN_WATCH_PROC proc, void* context);

/* Skinning every window of a thread. After KorvoSkin_SkinThread(flags) every top-level window
 * the calling thread (the owner) creates is skinned as it is created, without host code:
 * dialogs and common dialogs (open and save, colour, font, print, find and replace) and property
 * sheets with the "Dialog" window skin, other framed windows with "Main", message boxes with
 * "MessageBox" or else "Dialog"; their child controls as KorvoSkin_SkinControls skins them; and
 * every popup menu of the thread. Flags choose which of these; windows the flags leave out are
 * not touched. A window created before the call can be skinned with KorvoSkin_SkinWindow. A
 * call with flags 0 or KorvoSkin_Uninit stops it and lets go of every window it skinned (system
 * frame back, controls detached); a later call changes the flags for the windows still to come.
 * Menu items and controls the program draws itself stay its own. */
#define KORVOSKIN_THREAD_DIALOGS 0x0001
#define KORVOSKIN_THREAD_FRAMES 0x0002
#define KORVOSKIN_THREAD_MESSAGE_BOXES 0x0004
#define KORVOSKIN_THREAD_CONTROLS 0x0008
#define KORVOSKIN_THREAD_MENUS 0x0010
#define KORVOSKIN_THREAD_ALL 0x001F
int WINAPI KorvoSkin_SkinThread(UINT flags);
/* Asked for each window KorvoSkin_SkinThread is about to skin, once it is created (after its
 * WM_INITDIALOG or WM_CREATE): target is the library's choice ("Dialog", "Main", "MessageBox").
 * Return NULL to leave the window and its controls alone, or the target to skin it with (target
 * itself, or a string of the host's that stays valid until the callback returns). NULL proc
 * takes the library's choices again. */
typedef const wchar_t*(WINAPI* KORVOSKIN_THREAD_WINDOW_PROC)(HWND hwnd, const wchar_t* target, void* context);
int WINAPI KorvoSkin_SetThreadWindowCallback(KORVOSKIN_THREAD_WINDOW_PROC proc, void* context);

/* For korvorun, the launcher that skins a program built without the library: it loads
 * KorvoSkin.dll into the program's process while the program is suspended, copies this
 * configuration there and starts a thread at KorvoSkin_RunAgent with its address. The agent hooks
 * the process's threads; the first of them to create a top-level window becomes the library's
 * owner there and then: Init, LoadSkin(first, second) with the definitions of baseFolder (which
 * holds Definitions\Definitions.xml; file names absolute or relative to it), and
 * KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL), that window included; the other threads are let go.
 * Returns, as the thread's exit code, KORVOSKIN_OK once the threads are hooked, or a negative
 * code: KORVOSKIN_E_BAD_ARGUMENT for a configuration of the wrong size or without a terminated
 * baseFolder, KORVOSKIN_E_ALREADY_SKINNED when an agent runs in the process already,
 * KORVOSKIN_E_OUT_OF_RESOURCES when no thread could be hooked. Not for hosts. */
#define KORVOSKIN_RUN_PATH 1024
typedef struct KORVOSKIN_RUN_CONFIG
{
    DWORD cbSize; /* sizeof(KORVOSKIN_RUN_CONFIG), the same at both pointer sizes */
    wchar_t baseFolder[KORVOSKIN_RUN_PATH]; /* ends in a backslash */
    wchar_t first[KORVOSKIN_RUN_PATH];
    wchar_t second[KORVOSKIN_RUN_PATH];
} KORVOSKIN_RUN_CONFIG;
DWORD WINAPI KorvoSkin_RunAgent(void* config);

#ifdef __cplusplus
}
#endif

#endif
