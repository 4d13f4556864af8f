// Everything a skin definition declares apart from colours and command images: strings,
// watermarks, menus, toolbar templates and window skins, and the dialog background.
#pragma once
#include "../xml/CXmlElement.h"
#include <map>
#include <memory>
#include <type_traits>

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

// What one load may create, however large or hostile its files: entries read past a bound are
// ignored. Each is far above what any real skin declares and well below the platform's quota of
// objects per process. Entries are counted as they are read, replacements included.
const int SKIN_MAX_STRINGS = 5000;              // <string> and <tip> entries
const int SKIN_MAX_WATERMARKS = 800;            // <watermark> entries, each of which may load a bitmap
const int SKIN_MAX_RESOURCE_NAMES = 5000;       // <resourceMap> entries

// Deletes a GDI object with the owner that holds it.
struct CGdiObjectDeleter
{
    void operator()(HGDIOBJ hObject) const { ::DeleteObject(hObject); }
};
typedef std::unique_ptr<std::remove_pointer<HBITMAP>::type, CGdiObjectDeleter> CBitmapPtr;

class KORVOSKIN_API CSkinRegistry
{
public:
    CSkinRegistry();
    virtual ~CSkinRegistry();

    // The module whose resources the registry loads (the library's own); set once by its entry point.
    void SetModule(HINSTANCE hModule) { m_hModule = hModule; }

    // Definition file names are relative to strAppFolder, the host executable's folder.
    void Load(const CString& strAppFolder, CString strFirst, CString strSecond);
    void Reset(const CString& strAppFolder);
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
    // Sorted maps: a file may fill them, and no choice of names or ids slows their lookups.
    std::map<CString, CBitmapPtr> m_mapWatermarks;
    CMap<CString, const CString&, CMenu*, CMenu*> m_mapMenus;
    std::map<UINT, CString> m_mapStrings;
    CMap<CString, const CString&, CCoolBarCtrl*, CCoolBarCtrl*> m_mapToolbars;
    COLORREF m_crDialogBack;
    CBrush m_brDialogBack;

private:
    const WINDOWSKIN_OPERATIONS* m_pWindowSkinOperations;
    HINSTANCE m_hModule;
    // Entries read by this load, against the bounds above.
    int m_nStringEntries;
    int m_nWatermarkEntries;
    int m_nResourceEntries;
};

extern KORVOSKIN_API CSkinRegistry g_Registry;
