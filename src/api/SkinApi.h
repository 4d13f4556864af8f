// The library's exported free functions: loading a skin and looking up what it declared.
#pragma once
#include "../afx/afxwin.h"
#include <KorvoSkin/KorvoSkinExport.h>

class CCoolBarCtrl;

extern "C" {
KORVOSKIN_API bool InitSkin();
KORVOSKIN_API bool UnInitSkin();
KORVOSKIN_API bool LoadSkin(CString strFirst, CString strSecond);
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
