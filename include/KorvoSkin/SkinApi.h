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

extern "C" {
KORVOSKIN_API bool InitSkin();
KORVOSKIN_API bool UnInitSkin();
KORVOSKIN_API bool LoadSkin(CString strFirst, CString strSecond);
// Loads the light pair or the dark pair (each as LoadSkin would load it) by the user's choice of
// light or dark applications, and keeps following that choice until the next LoadSkin or
// UnInitSkin: when a top-level window of the host's thread hears the system announce a change,
// the other pair is loaded, KORVOSKIN_SKIN_CHANGED_MESSAGE is sent to the thread's top-level
// windows and every one is repainted. Windows that keep the system's caption get the dark or
// light title bar where the system offers one. Changes are heard only after InitSkin. Always
// true (false only from a thread that does not own the library).
KORVOSKIN_API bool LoadSkinForSystemTheme(CString strLightFirst, CString strLightSecond, CString strDarkFirst,
                                          CString strDarkSecond);
KORVOSKIN_API CString GetSkinString(UINT nID);
KORVOSKIN_API CMenu* GetSkinMenu(const wchar_t* pszName);
KORVOSKIN_API HBITMAP GetSkinWatermark(const wchar_t* pszName);
KORVOSKIN_API bool OnSkinMeasureItem(int nIDCtl, MEASUREITEMSTRUCT* lpMeasureItemStruct);
KORVOSKIN_API bool OnSkinDrawItem(int nIDCtl, DRAWITEMSTRUCT* lpDrawItemStruct);
KORVOSKIN_API bool OnSkinInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu, CCmdTarget* pTarget);
KORVOSKIN_API bool CreateSkinToolBar(const wchar_t* pszName, CCoolBarCtrl* pBar);
KORVOSKIN_API UINT TrackSkinPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd);
KORVOSKIN_API unsigned long GetDialogBkColor();
KORVOSKIN_API unsigned long GetMsgDialogBorderColor();
KORVOSKIN_API unsigned long GetMsgDialogBackColor();
KORVOSKIN_API unsigned long GetCardBackColor();
}
