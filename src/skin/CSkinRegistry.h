// Everything a skin definition declares apart from colours and command images: strings,
// watermarks, menus, toolbar templates and window skins, and the dialog background.
#pragma once
#include "../xml/CXmlElement.h"

class CWindowSkin;
class CCoolBarCtrl;

// Window skins are defined in a layer above the registry; that layer hands the registry the
// operations it needs on them.
struct WINDOWSKIN_OPERATIONS
{
    // Reads one <windowSkin>; null when the definition is rejected.
    CWindowSkin* (*pfnParse)(CXmlElement* pElement, const CString& strFolder);
    void (*pfnDelete)(CWindowSkin* pSkin);
    // Whether the skin's target list holds the key ("|name|").
    BOOL (*pfnHasTarget)(const CWindowSkin* pSkin, const CString& strKey);
    // Runs before the registry deletes its window skins, so their borrowers can let go.
    void (*pfnBeforeDelete)();
};

class CSkinRegistry
{
public:
    CSkinRegistry();
    virtual ~CSkinRegistry();

    void Load(CString strFirst, CString strSecond);
    void Reset();
    void Clear();
    BOOL LoadDefinitionFile(const wchar_t* pszPath);
    BOOL LoadDefinition(CXmlElement* pRoot, const CString& strFolder);

    BOOL LoadWindowSkins(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadWatermarks(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadResourceMap(CXmlElement* pSection);
    BOOL LoadStrings(CXmlElement* pSection);
    BOOL LoadMenus(CXmlElement* pSection);
    BOOL LoadMenu(CXmlElement* pMenu);
    BOOL FillMenu(CXmlElement* pMenu, HMENU hMenu);
    BOOL LoadToolbars(CXmlElement* pSection);
    BOOL LoadColourScheme(CXmlElement* pSection);
    BOOL LoadCommandImages(CXmlElement* pSection, const CString& strFolder);

    BOOL GetString(UINT nID, CString& strOut) const;
    HBITMAP GetWatermark(const wchar_t* pszName) const;
    CWindowSkin* FindWindowSkin(const wchar_t* pszName) const;
    CMenu* GetMenu(const wchar_t* pszName) const;
    UINT TrackPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd);

    void SetWindowSkinOperations(const WINDOWSKIN_OPERATIONS* pOperations) { m_pWindowSkinOperations = pOperations; }

    CList<CWindowSkin*, CWindowSkin*> m_listWindowSkins;
    CMap<CString, const CString&, HBITMAP, HBITMAP> m_mapWatermarks;
    CMap<CString, const CString&, CMenu*, CMenu*> m_mapMenus;
    CMap<UINT, UINT, CString, const CString&> m_mapStrings;
    CMap<CString, const CString&, CCoolBarCtrl*, CCoolBarCtrl*> m_mapToolbars;
    COLORREF m_crDialogBack;
    CBrush m_brDialogBack;

private:
    const WINDOWSKIN_OPERATIONS* m_pWindowSkinOperations;
};

extern CSkinRegistry g_Registry;
