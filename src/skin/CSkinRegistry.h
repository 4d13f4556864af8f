// Everything a skin definition declares apart from colours and command images: strings,
// watermarks, menus, toolbar templates and window skins, and the dialog background.
#pragma once
#include "../xml/CXmlElement.h"
#include "CSkinMenu.h"
#include "CSkinToolbarTemplate.h"
#include <memory>
#include <vector>

class CWindowSkin;

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

class KORVOSKIN_API CSkinRegistry
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
    BOOL LoadToolbar(CXmlElement* pToolbar);
    BOOL LoadColourScheme(CXmlElement* pSection);
    BOOL LoadCommandImages(CXmlElement* pSection, const CString& strFolder);

    BOOL GetString(UINT nID, CString& strOut) const;
    HBITMAP GetWatermark(const wchar_t* pszName) const;
    CWindowSkin* FindWindowSkin(const wchar_t* pszName) const;
    CMenu* GetMenu(const wchar_t* pszName) const;
    UINT TrackPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd);
    const CSkinToolbarTemplate* GetToolbar(const wchar_t* pszName) const;

    // Brackets the modal loop of a menu (or of a submenu of one) that may be the registry's: a
    // skin load inside the loop ends the menu and leaves destroying it to EndMenuTracking, which
    // returns TRUE when that happened.
    void BeginMenuTracking(HMENU hMenu);
    BOOL EndMenuTracking();

    // What one load may create at most: menus (submenus included), menu items, toolbar
    // templates and buttons of one toolbar.
    static const int MAX_MENUS = 1000;
    static const int MAX_MENU_ITEMS = 10000;
    static const int MAX_TOOLBARS = 1000;
    static const int MAX_TOOLBAR_BUTTONS = 256;
    static const int MAX_BUTTON_SIZE = 1024;

    void SetWindowSkinOperations(const WINDOWSKIN_OPERATIONS* pOperations) { m_pWindowSkinOperations = pOperations; }

    CList<CWindowSkin*, CWindowSkin*> m_listWindowSkins;
    CMap<CString, const CString&, HBITMAP, HBITMAP> m_mapWatermarks;
    CMap<CString, const CString&, CMenu*, CMenu*> m_mapMenus;
    CMap<UINT, UINT, CString, const CString&> m_mapStrings;
    CMap<CString, const CString&, CSkinToolbarTemplate*, CSkinToolbarTemplate*> m_mapToolbars;
    COLORREF m_crDialogBack;
    CBrush m_brDialogBack;

private:
    void ClearMenus();
    // Destroys the shell's menu, or only takes it away while a menu loop is tracking it.
    void ReleaseMenuHandle(CSkinMenu* pMenu);

    const WINDOWSKIN_OPERATIONS* m_pWindowSkinOperations;
    // Owners of what m_mapMenus and m_mapToolbars index by name.
    std::vector<std::unique_ptr<CSkinMenu>> m_menuStore;
    std::vector<std::unique_ptr<CSkinToolbarTemplate>> m_toolbarStore;
    int m_nMenusCreated;
    int m_nMenuItemsCreated;
    HMENU m_hTrackedMenu;
    HMENU m_hRetiredMenu;
};

extern KORVOSKIN_API CSkinRegistry g_Registry;
