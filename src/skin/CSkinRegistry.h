// Everything a skin definition declares apart from colours and command images: strings,
// watermarks, menus, toolbar templates and window skins, and the dialog background.
#pragma once
#include "../xml/CXmlElement.h"
#include <KorvoSkin/CWindowSkinListener.h>
#include "CWindowSkinReader.h"
#include <memory>
#include <vector>

class CCoolBarCtrl;

class CSkinRegistry
{
public:
    // One load keeps at most this many window skins, the first ones read.
    enum { MAX_WINDOW_SKINS = 256 };

    // Window skins are read by windowSkinReader, which outlives the registry.
    explicit CSkinRegistry(const CWindowSkinReader& windowSkinReader);
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

    CMap<CString, const CString&, HBITMAP, HBITMAP> m_mapWatermarks;
    CMap<CString, const CString&, CMenu*, CMenu*> m_mapMenus;
    CMap<UINT, UINT, CString, const CString&> m_mapStrings;
    CMap<CString, const CString&, CCoolBarCtrl*, CCoolBarCtrl*> m_mapToolbars;
    COLORREF m_crDialogBack;
    CBrush m_brDialogBack;

private:
    void DeleteWindowSkins();

    const CWindowSkinReader& m_windowSkinReader;
    // In reading order.
    std::vector<std::unique_ptr<CWindowSkinBase>> m_windowSkins;
    std::vector<CWindowSkinListener*> m_windowSkinListeners;
    unsigned m_nWindowSkinGeneration;

    CSkinRegistry(const CSkinRegistry&) = delete;
    void operator=(const CSkinRegistry&) = delete;
};

extern CSkinRegistry g_Registry;
