#include "CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../xml/XML.h"
#include <algorithm>
#include <stdio.h>

CSkinRegistry::CSkinRegistry(const CWindowSkinReader& windowSkinReader)
    : m_crDialogBack(0), m_windowSkinReader(windowSkinReader), m_nWindowSkinGeneration(0)
{
    m_mapWatermarks.InitHashTable(31);
    m_mapMenus.InitHashTable(83);
    m_mapStrings.InitHashTable(1531);
    m_mapToolbars.InitHashTable(61);
}

CSkinRegistry::~CSkinRegistry()
{
    Clear();
}

void CSkinRegistry::Load(CString strFirst, CString strSecond)
{
    Reset();
    if (!strSecond.IsEmpty())
        LoadDefinitionFile(g_strAppFolder + strSecond);
    if (!strFirst.IsEmpty())
        LoadDefinitionFile(g_strAppFolder + strFirst);
    m_brDialogBack.CreateSolidBrush(m_crDialogBack);
}

void CSkinRegistry::Reset()
{
    Clear();
    g_Theme.Clear();
    g_Theme.Reset();
    m_crDialogBack = ::GetSysColor(COLOR_BTNFACE);
    HICON hTick = (HICON)::LoadImageW(g_hSkinInstance, MAKEINTRESOURCEW(100), IMAGE_ICON, 16, 16, 0);
    if (hTick)
    {
        g_Theme.AddIcon(100, hTick, SIZE_CODE_16);
        ::DestroyIcon(hTick);
    }
    LoadDefinitionFile(g_strAppFolder + L"Definitions\\Definitions.xml");
}

void CSkinRegistry::DeleteWindowSkins()
{
    if (m_windowSkins.empty())
        return;
    // Taken out first: a listener looking for a skin while it lets go finds none of these.
    std::vector<std::unique_ptr<CWindowSkinBase>> deleted;
    deleted.swap(m_windowSkins);
    m_nWindowSkinGeneration++;
    std::vector<CWindowSkinListener*> listeners;
    listeners.swap(m_windowSkinListeners);
    for (CWindowSkinListener* pListener : listeners)
        pListener->OnWindowSkinsDeleting();
}

void CSkinRegistry::AddWindowSkinListener(CWindowSkinListener* pListener)
{
    if (pListener && std::find(m_windowSkinListeners.begin(), m_windowSkinListeners.end(), pListener) == m_windowSkinListeners.end())
        m_windowSkinListeners.push_back(pListener);
}

void CSkinRegistry::RemoveWindowSkinListener(CWindowSkinListener* pListener)
{
    m_windowSkinListeners.erase(std::remove(m_windowSkinListeners.begin(), m_windowSkinListeners.end(), pListener),
                                m_windowSkinListeners.end());
}

void CSkinRegistry::Clear()
{
    DeleteWindowSkins();

    m_mapWatermarks.RemoveAll();
    g_Theme.m_images.Clear();

    for (POSITION pos = m_mapMenus.GetStartPosition(); pos;)
    {
        CString strName;
        CMenu* pMenu;
        m_mapMenus.GetNextAssoc(pos, strName, pMenu);
        delete pMenu;
    }
    m_mapMenus.RemoveAll();

    m_mapStrings.RemoveAll();
    m_mapToolbars.RemoveAll();
    m_brDialogBack.DeleteObject();
}

BOOL CSkinRegistry::LoadDefinitionFile(const wchar_t* pszPath)
{
    CXmlElement* pRoot = XmlLoadFile(pszPath, FALSE);
    if (!pRoot)
        return FALSE;
    CString strPath(pszPath);
    CString strFolder = strPath.Left(strPath.ReverseFind(L'\\') + 1);
    BOOL bResult = LoadDefinition(pRoot, strFolder);
    delete pRoot;
    return bResult;
}

BOOL CSkinRegistry::LoadDefinition(CXmlElement* pRoot, const CString& strFolder)
{
    if (!pRoot || !pRoot->IsNamed(L"skin") || pRoot->m_listChildren.IsEmpty())
        return FALSE;
    for (POSITION pos = pRoot->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pSection = pRoot->m_listChildren.GetNext(pos);
        BOOL bContinue = TRUE;
        if (pSection->IsNamed(L"windowSkins"))
            bContinue = LoadWindowSkins(pSection, strFolder);
        else if (pSection->IsNamed(L"colourScheme") || pSection->IsNamed(L"colorScheme"))
            bContinue = LoadColourScheme(pSection);
        else if (pSection->IsNamed(L"watermarks"))
            bContinue = LoadWatermarks(pSection, strFolder);
        else if (pSection->IsNamed(L"menus"))
            bContinue = LoadMenus(pSection);
        else if (pSection->IsNamed(L"resourceMap"))
            bContinue = LoadResourceMap(pSection);
        else if (pSection->IsNamed(L"strings"))
            bContinue = LoadStrings(pSection);
        else if (pSection->IsNamed(L"commandImages"))
            bContinue = LoadCommandImages(pSection, strFolder);
        else if (pSection->IsNamed(L"toolbars"))
            bContinue = LoadToolbars(pSection);
        // <manifest> only describes the file, and unknown sections are skipped.
        if (!bContinue)
            return FALSE;
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadWindowSkins(CXmlElement* pSection, const CString& strFolder)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos && m_windowSkins.size() < MAX_WINDOW_SKINS;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"windowSkin"))
            continue;
        if (std::unique_ptr<CWindowSkinBase> pSkin = m_windowSkinReader.Read(pElement, strFolder))
            m_windowSkins.push_back(std::move(pSkin));
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadWatermarks(CXmlElement* pSection, const CString& strFolder)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"watermark"))
            continue;
        CString strTarget = pElement->GetAttributeValue(L"target");
        CString strPath = pElement->GetAttributeValue(L"path");
        if (strTarget.IsEmpty() || strPath.IsEmpty())
            continue;
        // The old image goes either way.
        m_mapWatermarks.RemoveKey(strTarget);
        HBITMAP hBitmap = g_Theme.m_images.BorrowBitmap(strFolder + strPath);
        if (hBitmap)
            m_mapWatermarks[strTarget] = hBitmap;
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadResourceMap(CXmlElement* pSection)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"command") && !pElement->IsNamed(L"control") && !pElement->IsNamed(L"resource"))
            continue;
        unsigned long nCode = 0;
        if (swscanf(pElement->GetAttributeValue(L"code"), L"%lu", &nCode) != 1)
            return FALSE;
        g_Theme.SetNameID(pElement->GetAttributeValue(L"id"), (UINT)nCode);
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadStrings(CXmlElement* pSection)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (pElement->IsNamed(L"string"))
        {
            UINT nID = g_Theme.NameToID(pElement->GetAttributeValue(L"id"));
            if (!nID)
                continue;
            CString strValue = pElement->GetAttributeValue(L"value");
            strValue.Replace(L"\\n", L"\n");
            m_mapStrings[nID] = strValue;
        }
        else if (pElement->IsNamed(L"tip"))
        {
            UINT nID = g_Theme.NameToID(pElement->GetAttributeValue(L"id"));
            if (!nID)
                continue;
            // Status-bar prompt, then the tooltip after a line feed.
            CString strValue = pElement->GetAttributeValue(L"message");
            CString strTip = pElement->GetAttributeValue(L"tip");
            if (!strTip.IsEmpty())
                strValue += L"\n" + strTip;
            m_mapStrings[nID] = strValue;
        }
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadMenus(CXmlElement* pSection)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (pElement->IsNamed(L"menu") && !LoadMenu(pElement))
            return FALSE;
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadMenu(CXmlElement* pElement)
{
    CString strName = pElement->GetAttributeValue(L"name");
    if (strName.IsEmpty())
        return FALSE;
    CMenu* pOld = NULL;
    if (m_mapMenus.Lookup(strName, pOld))
    {
        delete pOld;
        m_mapMenus.RemoveKey(strName);
    }
    CMenu* pMenu = new CMenu;
    if (pElement->GetAttributeValue(L"type", L"popup").CompareNoCase(L"bar") == 0)
        pMenu->CreateMenu();
    else
        pMenu->CreatePopupMenu();
    if (!FillMenu(pElement, pMenu->m_hMenu))
    {
        delete pMenu;
        return FALSE;
    }
    m_mapMenus[strName] = pMenu;
    return TRUE;
}

BOOL CSkinRegistry::FillMenu(CXmlElement* pElement, HMENU hMenu)
{
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        // The first underscore marks the mnemonic.
        CString strText = pChild->GetAttributeValue(L"text");
        int nMnemonic = strText.Find(L'_');
        if (nMnemonic >= 0)
            strText.SetAt(nMnemonic, L'&');
        if (pChild->IsNamed(L"item"))
        {
            UINT nID = g_Theme.NameToID(pChild->GetAttributeValue(L"id"));
            if (!nID)
                continue;
            CString strShortcut = pChild->GetAttributeValue(L"shortcut");
            if (!strShortcut.IsEmpty())
                strText += L"\t" + strShortcut;
            ::AppendMenuW(hMenu, MF_STRING, nID, strText);
        }
        else if (pChild->IsNamed(L"menu"))
        {
            HMENU hSubMenu = ::CreatePopupMenu();
            if (!FillMenu(pChild, hSubMenu))
            {
                ::DestroyMenu(hSubMenu);
                return FALSE;
            }
            ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hSubMenu, strText);
        }
        else if (pChild->IsNamed(L"separator"))
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadToolbars(CXmlElement*)
{
    // Toolbar templates are copies of toolbar controls, which this library does not have yet;
    // the section is accepted so that skins written for toolbars still load.
    return TRUE;
}

UINT CSkinRegistry::TrackPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd)
{
    CMenu* pMenu = GetMenu(pszName);
    if (!pMenu)
        return 0;
    if (nDefaultItem)
        ::SetMenuDefaultItem(pMenu->m_hMenu, nDefaultItem, FALSE);
    return pMenu->TrackPopupMenu(nFlags | TPM_RIGHTBUTTON, point.x, point.y, pWnd, NULL);
}

BOOL CSkinRegistry::LoadColourScheme(CXmlElement* pSection)
{
    return g_Theme.LoadColourScheme(pSection, m_crDialogBack);
}

BOOL CSkinRegistry::LoadCommandImages(CXmlElement* pSection, const CString& strFolder)
{
    return g_Theme.LoadCommandImages(pSection, strFolder);
}

BOOL CSkinRegistry::GetString(UINT nID, CString& strOut) const
{
    if (m_mapStrings.Lookup(nID, strOut))
        return TRUE;
    strOut.Empty();
    return FALSE;
}

HBITMAP CSkinRegistry::GetWatermark(const wchar_t* pszName) const
{
    HBITMAP hBitmap = NULL;
    if (!pszName || !m_mapWatermarks.Lookup(pszName, hBitmap))
        return NULL;
    return hBitmap;
}

CWindowSkinBase* CSkinRegistry::FindWindowSkin(const wchar_t* pszName) const
{
    if (!pszName || !*pszName)
        return NULL;
    for (auto it = m_windowSkins.rbegin(); it != m_windowSkins.rend(); ++it)
        if ((*it)->HasTarget(pszName))
            return it->get();
    return NULL;
}

CMenu* CSkinRegistry::GetMenu(const wchar_t* pszName) const
{
    CMenu* pMenu = NULL;
    if (!pszName || !m_mapMenus.Lookup(pszName, pMenu))
        return NULL;
    return pMenu;
}
