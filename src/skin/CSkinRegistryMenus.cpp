// The registry's menus and toolbar templates: the <menus> and <toolbars> readers and the
// lookups that hand them out.
#include "CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include <algorithm>

namespace
{
// Whether hMenu is hRoot or one of its submenus, at any depth.
BOOL MenuContains(HMENU hRoot, HMENU hMenu)
{
    if (hRoot == hMenu)
        return TRUE;
    int nCount = ::GetMenuItemCount(hRoot);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSub = ::GetSubMenu(hRoot, i);
        if (hSub && MenuContains(hSub, hMenu))
            return TRUE;
    }
    return FALSE;
}
}

void CSkinRegistry::ClearMenus()
{
    for (const std::unique_ptr<CSkinMenu>& pMenu : m_menuStore)
        ReleaseMenuHandle(pMenu.get());
    // A shell a host was given stays, empty, so its pointer stays good; the others go.
    std::vector<std::unique_ptr<CSkinMenu>> kept;
    for (std::unique_ptr<CSkinMenu>& pMenu : m_menuStore)
        if (pMenu->m_bHandedOut)
            kept.push_back(std::move(pMenu));
    m_menuStore.swap(kept);
    m_mapMenus.RemoveAll();
    for (const std::unique_ptr<CSkinMenu>& pMenu : m_menuStore)
        m_mapMenus[pMenu->m_strName] = pMenu.get();

    m_mapToolbars.RemoveAll();
    m_toolbarStore.clear();
    m_nMenusCreated = m_nMenuItemsCreated = 0;
}

void CSkinRegistry::ReleaseMenuHandle(CSkinMenu* pMenu)
{
    if (!pMenu->m_hMenu)
        return;
    if (m_hTrackedMenu && !m_hRetiredMenu && MenuContains(pMenu->m_hMenu, m_hTrackedMenu))
    {
        // Destroying a menu inside its own modal loop pulls the loop's memory away: end the
        // loop and destroy the menu once it has returned.
        m_hRetiredMenu = pMenu->Detach();
        ::EndMenu();
    }
    else
        pMenu->DestroyMenu();
}

void CSkinRegistry::BeginMenuTracking(HMENU hMenu)
{
    m_hTrackedMenu = hMenu;
    m_hRetiredMenu = NULL;
}

BOOL CSkinRegistry::EndMenuTracking()
{
    m_hTrackedMenu = NULL;
    if (!m_hRetiredMenu)
        return FALSE;
    ::DestroyMenu(m_hRetiredMenu);
    m_hRetiredMenu = NULL;
    return TRUE;
}

BOOL CSkinRegistry::LoadMenus(CXmlElement* pSection, const CString&)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"menu"))
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
        else if (!LoadMenu(pElement))
            return FALSE;
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadMenu(CXmlElement* pElement)
{
    SkinCheckAttributes(m_pDiagnostics, pElement, { L"name", L"type" });
    CString strName = pElement->GetAttributeValue(L"name");
    if (strName.IsEmpty())
    {
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                   L"<menu> without a name: the rest of the file is not read");
        return FALSE;
    }
    // A later menu of the same name takes the earlier one's place (and object).
    CMenu* pFound = NULL;
    CSkinMenu* pShell = m_mapMenus.Lookup(strName, pFound) ? static_cast<CSkinMenu*>(pFound) : NULL;
    if (pShell && pShell->m_hMenu)
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                   L"menu '" + strName + L"' replaces an earlier one of that name");
    if (pShell)
        ReleaseMenuHandle(pShell);
    BOOL bBar = pElement->GetAttributeValue(L"type", L"popup").CompareNoCase(L"bar") == 0;
    HMENU hMenu = CreateFilledMenu(pElement, bBar, 1);
    if (!hMenu)
        return FALSE;
    if (!pShell)
    {
        m_menuStore.push_back(std::unique_ptr<CSkinMenu>(new CSkinMenu(strName)));
        pShell = m_menuStore.back().get();
        m_mapMenus[strName] = pShell;
    }
    pShell->Attach(hMenu);
    return TRUE;
}

BOOL CSkinRegistry::FillMenu(CXmlElement* pElement, HMENU hMenu, int nDepth)
{
    int nEntries = 0;
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        BOOL bItem = pChild->IsNamed(L"item"), bMenu = pChild->IsNamed(L"menu"), bSeparator = pChild->IsNamed(L"separator");
        if (!bItem && !bMenu && !bSeparator)
        {
            SkinReportUnknownElement(m_pDiagnostics, pChild, pElement);
            continue;
        }
        if (m_nMenuItemsCreated >= MAX_MENU_ITEMS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pChild,
                       L"one load creates 10000 menu items: the rest of the file is not read");
            return FALSE;
        }
        if (nEntries >= MAX_MENU_ENTRIES)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pChild,
                       L"a menu keeps 1000 entries: this one and the rest of its menu are ignored");
            return TRUE;
        }
        if (bMenu && nDepth >= MAX_MENU_DEPTH)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pChild,
                       L"menus nest 16 deep: this submenu is ignored");
            continue;
        }
        if (bItem)
            SkinCheckAttributes(m_pDiagnostics, pChild, { L"id", L"text", L"shortcut" });
        else if (bMenu)
            SkinCheckAttributes(m_pDiagnostics, pChild, { L"text" });
        else
            SkinCheckAttributes(m_pDiagnostics, pChild, {});
        // The first underscore marks the mnemonic.
        CString strText = pChild->GetAttributeValue(L"text");
        int nMnemonic = strText.Find(L'_');
        if (nMnemonic >= 0)
            strText.SetAt(nMnemonic, L'&');
        if (bItem)
        {
            UINT nID = m_theme.ResolveID(pChild, L"id", m_pDiagnostics);
            if (!nID)
                continue;
            CString strShortcut = pChild->GetAttributeValue(L"shortcut");
            if (!strShortcut.IsEmpty())
                strText += L"\t" + strShortcut;
            ::AppendMenuW(hMenu, MF_STRING, nID, strText);
        }
        else if (bMenu)
        {
            HMENU hSubMenu = CreateFilledMenu(pChild, FALSE, nDepth + 1);
            if (!hSubMenu)
                return FALSE;
            // A submenu the platform refuses is the reader's to destroy.
            if (!::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hSubMenu, strText))
                ::DestroyMenu(hSubMenu);
        }
        else
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
        nEntries++;
        m_nMenuItemsCreated++;
    }
    return TRUE;
}

HMENU CSkinRegistry::CreateFilledMenu(CXmlElement* pElement, BOOL bBar, int nDepth)
{
    if (m_nMenusCreated >= MAX_MENUS)
    {
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                   L"one load creates 1000 menus: the rest of the file is not read");
        return NULL;
    }
    HMENU hMenu = bBar ? ::CreateMenu() : ::CreatePopupMenu();
    if (!hMenu)
        return NULL;
    m_nMenusCreated++;
    if (!FillMenu(pElement, hMenu, nDepth))
    {
        ::DestroyMenu(hMenu);
        return NULL;
    }
    return hMenu;
}

BOOL CSkinRegistry::LoadToolbars(CXmlElement* pSection, const CString&)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (pElement->IsNamed(L"toolbar"))
            LoadToolbar(pElement);
        else
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadToolbar(CXmlElement* pElement)
{
    SkinCheckAttributes(m_pDiagnostics, pElement, { L"name", L"types", L"align" });
    CString strName = pElement->GetAttributeValue(L"name");
    CSkinToolbarTemplate* pTemplate = NULL;
    if (m_mapToolbars.Lookup(strName, pTemplate))
    {
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                   L"toolbar '" + strName + L"' replaces an earlier one of that name");
        // The replaced buttons are never shown; the template object is reused.
        m_buttonSites.erase(std::remove_if(m_buttonSites.begin(), m_buttonSites.end(),
                                           [&](const BUTTON_SITE& site) { return site.pTemplate == pTemplate; }),
                            m_buttonSites.end());
        *pTemplate = CSkinToolbarTemplate();
    }
    else
    {
        if ((int)m_toolbarStore.size() >= MAX_TOOLBARS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       L"one load keeps 1000 toolbars: this one is ignored");
            return TRUE;
        }
        m_toolbarStore.push_back(std::unique_ptr<CSkinToolbarTemplate>(new CSkinToolbarTemplate));
        pTemplate = m_toolbarStore.back().get();
        m_mapToolbars[strName] = pTemplate;
    }
    pTemplate->m_bVertical = pElement->GetAttributeValue(L"align", L"false").CompareNoCase(L"true") == 0;
    int nSize = _wtoi(pElement->GetAttributeValue(L"types", L"16"));
    nSize = nSize < 0 ? 0 : nSize > MAX_BUTTON_SIZE ? MAX_BUTTON_SIZE : nSize;
    for (POSITION pos = pElement->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = pElement->m_listChildren.GetNext(pos);
        if ((int)pTemplate->m_buttons.size() >= MAX_TOOLBAR_BUTTONS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pChild,
                       L"a toolbar keeps 256 buttons and separators: this one and the rest are ignored");
            break;
        }
        if (pChild->IsNamed(L"button"))
        {
            SkinCheckAttributes(m_pDiagnostics, pChild, { L"id", L"text", L"visible" });
            CString strID = pChild->GetAttributeValue(L"id");
            UINT nID = m_theme.ResolveID(pChild, L"id", m_pDiagnostics);
            if (!nID)
                continue;
            if (m_pDiagnostics)
                m_buttonSites.push_back({ m_strCurrentFile, pChild->m_nOffset, strName, pTemplate, strID });
            bool bVisible = pChild->GetAttributeValue(L"visible", L"true").CompareNoCase(L"false") != 0;
            pTemplate->m_buttons.push_back({ nID, strID, nSize, pChild->GetAttributeValue(L"text"), bVisible });
        }
        else if (pChild->IsNamed(L"separator"))
            pTemplate->m_buttons.push_back({ 0, CString(), 16, CString(), true });
        else
            SkinReportUnknownElement(m_pDiagnostics, pChild, pElement);
    }
    return TRUE;
}

CMenu* CSkinRegistry::GetMenu(const wchar_t* pszName) const
{
    CMenu* pMenu = NULL;
    if (!pszName || !m_mapMenus.Lookup(pszName, pMenu) || !pMenu->m_hMenu)
        return NULL;
    static_cast<CSkinMenu*>(pMenu)->m_bHandedOut = true;
    return pMenu;
}

const CSkinToolbarTemplate* CSkinRegistry::GetToolbar(const wchar_t* pszName) const
{
    CSkinToolbarTemplate* pTemplate = NULL;
    if (!pszName || !m_mapToolbars.Lookup(pszName, pTemplate))
        return NULL;
    return pTemplate;
}

UINT CSkinRegistry::TrackPopupMenu(const wchar_t* pszName, const CPoint& point, UINT nDefaultItem, UINT nFlags, CWnd* pWnd)
{
    CMenu* pMenu = NULL;
    // One menu loop at a time: the platform would refuse a second one anyway.
    if (!pszName || !m_mapMenus.Lookup(pszName, pMenu) || !pMenu->m_hMenu || m_hTrackedMenu)
        return 0;
    HMENU hMenu = pMenu->m_hMenu;
    if (nDefaultItem)
        ::SetMenuDefaultItem(hMenu, nDefaultItem, FALSE);
    BeginMenuTracking(hMenu);
    UINT nResult = (UINT)::TrackPopupMenu(hMenu, nFlags | TPM_RIGHTBUTTON, point.x, point.y, 0,
                                          pWnd ? pWnd->m_hWnd : NULL, NULL);
    // A choice made in a menu the skin has since replaced is no choice.
    return EndMenuTracking() ? 0 : nResult;
}
