// Everything a skin definition declares apart from colours and command images: strings,
// watermarks, menus, toolbar templates and window skins.
#pragma once
#include "../xml/CXmlElement.h"
#include "../theme/CSkinDiagnostics.h"
#include "CWindowSkinListener.h"
#include "CWindowSkinReader.h"
#include "CSkinMenu.h"
#include "CSkinToolbarTemplate.h"
#include <map>
#include <memory>
#include <vector>

class CInterfaceTheme;
class CSkinImage;

// What one load may create, however large or hostile its files: entries read past a bound are
// ignored. Each is far above what any real skin declares and well below the platform's quota of
// objects per process. Entries are counted as they are read, replacements included.
const int SKIN_MAX_STRINGS = 5000;              // <string> and <tip> entries
const int SKIN_MAX_WATERMARKS = 800;            // <watermark> entries, each of which may load a bitmap
const int SKIN_MAX_RESOURCE_NAMES = 5000;       // <resourceMap> entries

class CSkinRegistry
{
public:
    // One load keeps at most this many window skins, the first ones read.
    enum { MAX_WINDOW_SKINS = 256 };

    // The registry fills theme with the colours, command images, names and images of each load;
    // window skins are read by windowSkinReader. Both outlive the registry. hModule is the
    // module whose resources the registry loads (the library's own).
    CSkinRegistry(CInterfaceTheme& theme, const CWindowSkinReader& windowSkinReader, HINSTANCE hModule);
    virtual ~CSkinRegistry();

    // Where the readers report what they ignore or reject; null (the default) for none.
    void SetDiagnostics(CSkinDiagnostics* pDiagnostics) { m_pDiagnostics = pDiagnostics; }

    // Definition file names are relative to strAppFolder, the host executable's folder, unless
    // they are absolute (a drive's root or a network share): a launcher names files anywhere.
    void Load(const CString& strAppFolder, CString strFirst, CString strSecond);
    // With bSystem TRUE the loads that follow leave the look to the system, for a user who needs
    // its contrast: they read no window skins (windows keep the system's frames) and no colour
    // schemes (every colour is the system's); strings, menus, toolbars, watermarks and command
    // images, which carry the program's meaning, are read as always.
    void SetSystemLook(BOOL bSystem) { m_bSystemLook = bSystem; }
    BOOL LeavesLookToSystem() const { return m_bSystemLook; }
    static CString DefinitionPath(const CString& strAppFolder, const CString& strName);
    void Reset(const CString& strAppFolder);
    void Clear();
    BOOL LoadDefinitionFile(const wchar_t* pszPath);
    BOOL LoadDefinition(CXmlElement* pRoot, const CString& strFolder);

    // The section readers, one per section name; strFolder is the definition file's folder, for
    // the sections that name files. FALSE stops reading the file.
    BOOL LoadWindowSkins(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadWatermarks(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadResourceMap(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadStrings(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadMenus(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadToolbars(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadColourScheme(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadCommandImages(CXmlElement* pSection, const CString& strFolder);
    BOOL LoadManifest(CXmlElement* pSection, const CString& strFolder);

    BOOL LoadMenu(CXmlElement* pMenu);
    // Fills hMenu, which lies nDepth menus deep (a top menu is 1), from pMenu's children.
    BOOL FillMenu(CXmlElement* pMenu, HMENU hMenu, int nDepth);
    // A new menu bar or popup nDepth deep filled from pMenu, counted against the menu limit;
    // null when the limit is reached or the content is refused.
    HMENU CreateFilledMenu(CXmlElement* pMenu, BOOL bBar, int nDepth);
    BOOL LoadToolbar(CXmlElement* pToolbar);

    BOOL GetString(UINT nID, CString& strOut) const;
    HBITMAP GetWatermark(const wchar_t* pszName) const;
    // The same watermark as the load's image, with the variants it has for other DPIs; null
    // when the skin has none. Valid until the next load.
    const CSkinImage* GetWatermarkImage(const wchar_t* pszName) const;
    // The nine-grid margins a watermark's grid attribute gives it; FALSE when it has none.
    BOOL GetWatermarkGrid(const wchar_t* pszName, CRect& rcGrid) const;
    // The window skin read last that targets pszName; null for none.
    CWindowSkinBase* FindWindowSkin(const wchar_t* pszName) const;
    // A listener hears once, before the window skins are next deleted; adding one twice or
    // removing one that is not there changes nothing.
    void AddWindowSkinListener(CWindowSkinListener* pListener);
    void RemoveWindowSkinListener(CWindowSkinListener* pListener);
    // Changes whenever the window skins are deleted: a skin found earlier is still alive while
    // this number is what it was then.
    unsigned GetWindowSkinGeneration() const { return m_nWindowSkinGeneration; }
    CMenu* GetMenu(const wchar_t* pszName) const;
    UINT TrackPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd);
    const CSkinToolbarTemplate* GetToolbar(const wchar_t* pszName) const;

    // Brackets the modal loop of a menu (or of a submenu of one) that may be the registry's: a
    // skin load inside the loop ends the menu and leaves destroying it to EndMenuTracking, which
    // returns TRUE when that happened.
    void BeginMenuTracking(HMENU hMenu);
    BOOL EndMenuTracking();

    // What one load may create at most: menus (submenus included), menu items, toolbar
    // templates and buttons of one toolbar. One menu keeps at most MAX_MENU_ENTRIES entries
    // (appending and tracking grow far faster than the count past a few thousand), and menus
    // nest at most MAX_MENU_DEPTH deep, the top menu counted, well within what the platform
    // attaches.
    static const int MAX_MENUS = 1000;
    static const int MAX_MENU_ITEMS = 10000;
    static const int MAX_MENU_ENTRIES = 1000;
    static const int MAX_MENU_DEPTH = 16;
    static const int MAX_TOOLBARS = 1000;
    static const int MAX_TOOLBAR_BUTTONS = 256;
    static const int MAX_BUTTON_SIZE = 1024;

    // A watermark: its image, borrowed from the theme's image cache of this load, and its
    // nine-grid margins when it has valid ones.
    struct WATERMARK
    {
        const CSkinImage* pImage;
        bool bGrid;
        CRect rcGrid;
    };
    // Sorted map: a file may fill it, and no choice of names slows its lookups.
    std::map<CString, WATERMARK> m_mapWatermarks;
    CMap<CString, const CString&, CMenu*, CMenu*> m_mapMenus;
    std::map<UINT, CString> m_mapStrings;
    CMap<CString, const CString&, CSkinToolbarTemplate*, CSkinToolbarTemplate*> m_mapToolbars;

private:
    void ClearMenus();
    // Fills in the watermark's grid when pElement gives a valid one.
    void ReadWatermarkGrid(const CXmlElement* pElement, WATERMARK& watermark);
    // Destroys the shell's menu, or only takes it away while a menu loop is tracking it.
    void ReleaseMenuHandle(CSkinMenu* pMenu);

    // Owners of what m_mapMenus and m_mapToolbars index by name.
    std::vector<std::unique_ptr<CSkinMenu>> m_menuStore;
    std::vector<std::unique_ptr<CSkinToolbarTemplate>> m_toolbarStore;
    int m_nMenusCreated;
    int m_nMenuItemsCreated;
    HMENU m_hTrackedMenu;
    HMENU m_hRetiredMenu;

    void DeleteWindowSkins();
    // Told, for the checker, when a toolbar button names no watermark for one of its looks.
    void CheckToolbarImages();

    CSkinDiagnostics* m_pDiagnostics;
    // With diagnostics only: each toolbar button read, its file and place, checked against the
    // watermarks once every file is read (a later file may still add them).
    struct BUTTON_SITE
    {
        CString strFile;
        int nOffset;
        CString strToolbar;
        const CSkinToolbarTemplate* pTemplate;
        CString strID;
    };
    std::vector<BUTTON_SITE> m_buttonSites;
    CString m_strCurrentFile;

    CInterfaceTheme& m_theme;
    const CWindowSkinReader& m_windowSkinReader;
    // In reading order.
    std::vector<std::unique_ptr<CWindowSkinBase>> m_windowSkins;
    std::vector<CWindowSkinListener*> m_windowSkinListeners;
    unsigned m_nWindowSkinGeneration;
    BOOL m_bSystemLook = FALSE;
    HINSTANCE m_hModule;
    // Entries read by this load, against the bounds above.
    int m_nStringEntries;
    int m_nWatermarkEntries;
    int m_nResourceEntries;

    CSkinRegistry(const CSkinRegistry&) = delete;
    void operator=(const CSkinRegistry&) = delete;
};

