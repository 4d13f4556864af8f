#include "CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../xml/XML.h"
#include <stdio.h>

CSkinRegistry::CSkinRegistry()
    : m_crDialogBack(0), m_pWindowSkinOperations(NULL), m_nMenusCreated(0), m_nMenuItemsCreated(0),
      m_hTrackedMenu(NULL), m_hRetiredMenu(NULL)
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

void CSkinRegistry::Clear()
{
    if (!m_listWindowSkins.IsEmpty() && m_pWindowSkinOperations)
    {
        if (m_pWindowSkinOperations->pfnBeforeDelete)
            m_pWindowSkinOperations->pfnBeforeDelete();
        for (POSITION pos = m_listWindowSkins.GetHeadPosition(); pos;)
            m_pWindowSkinOperations->pfnDelete(m_listWindowSkins.GetNext(pos));
    }
    m_listWindowSkins.RemoveAll();

    for (POSITION pos = m_mapWatermarks.GetStartPosition(); pos;)
    {
        CString strName;
        HBITMAP hBitmap;
        m_mapWatermarks.GetNextAssoc(pos, strName, hBitmap);
        ::DeleteObject(hBitmap);
    }
    m_mapWatermarks.RemoveAll();

    ClearMenus();

    m_mapStrings.RemoveAll();
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
    if (!m_pWindowSkinOperations)
        return TRUE;
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"windowSkin"))
            continue;
        if (CWindowSkin* pSkin = m_pWindowSkinOperations->pfnParse(pElement, strFolder))
            m_listWindowSkins.AddHead(pSkin);
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
        HBITMAP hOld = NULL;
        if (m_mapWatermarks.Lookup(strTarget, hOld))
        {
            // The old image goes either way; never leave its deleted handle in the map.
            ::DeleteObject(hOld);
            m_mapWatermarks.RemoveKey(strTarget);
        }
        HBITMAP hBitmap = (HBITMAP)::LoadImageW(g_hSkinInstance, strFolder + strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
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

CWindowSkin* CSkinRegistry::FindWindowSkin(const wchar_t* pszName) const
{
    // Targets are stored one after another, each between bars: a name that is empty or holds a
    // bar would match across the boundary of two targets.
    if (!pszName || !*pszName || wcschr(pszName, L'|') || !m_pWindowSkinOperations)
        return NULL;
    CString strKey;
    strKey.Format(L"|%s|", pszName);
    for (POSITION pos = m_listWindowSkins.GetHeadPosition(); pos;)
    {
        CWindowSkin* pSkin = m_listWindowSkins.GetNext(pos);
        if (m_pWindowSkinOperations->pfnHasTarget(pSkin, strKey))
            return pSkin;
    }
    return NULL;
}
