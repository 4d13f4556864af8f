#include "CMenuItemConversion.h"
#include "CMenuSkinner.h"

namespace
{
// Reads an item's text whatever its length.
CString MenuItemText(HMENU hMenu, int nPosition, const MENUITEMINFOW& info)
{
    CString strText;
    if (info.cch == 0)
        return strText;
    MENUITEMINFOW textInfo = { sizeof(textInfo) };
    textInfo.fMask = MIIM_STRING;
    textInfo.cch = info.cch + 1;
    textInfo.dwTypeData = strText.GetBuffer((int)info.cch + 1);
    BOOL bRead = ::GetMenuItemInfoW(hMenu, nPosition, TRUE, &textInfo);
    strText.ReleaseBuffer(bRead ? (int)textInfo.cch : 0);
    return strText;
}

BOOL SetTypeAndData(HMENU hMenu, UINT nPosition, UINT nType, ULONG_PTR nData)
{
    MENUITEMINFOW info = { sizeof(info) };
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = nType;
    info.dwItemData = nData;
    return ::SetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
}
} // namespace

void CMenuItemConversion::Convert(HMENU hMenu, TEXTS& texts)
{
    Restore(hMenu);
    // Popups destroyed while open (their window's end, a menu rebuilt) leave records no close
    // will take away.
    for (auto it = m_menus.begin(); it != m_menus.end();)
        it = ::IsMenu(it->first) ? std::next(it) : m_menus.erase(it);
    const int nCount = ::GetMenuItemCount(hMenu);
    std::vector<CSaved> saved;
    for (int nPosition = 0; nPosition < nCount; nPosition++)
    {
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(hMenu, (UINT)nPosition, TRUE, &info) || (info.fType & MFT_OWNERDRAW))
            continue;
        // Separators carry no key: they have no text to look up.
        ULONG_PTR nKey = 0;
        if (!(info.fType & MFT_SEPARATOR))
        {
            const DWORD nTextKey = CMenuSkinner::ItemKey(hMenu, info.wID);
            texts[nTextKey] = MenuItemText(hMenu, nPosition, info);
            nKey = nTextKey;
        }
        if (SetTypeAndData(hMenu, (UINT)nPosition, info.fType | MFT_OWNERDRAW, nKey))
            saved.push_back({ (UINT)nPosition, info.fType, info.dwItemData, nKey });
    }
    if (!saved.empty())
        m_menus[hMenu] = std::move(saved);
}

void CMenuItemConversion::Restore(HMENU hMenu)
{
    auto it = m_menus.find(hMenu);
    if (it == m_menus.end())
        return;
    for (const CSaved& item : it->second)
    {
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (::GetMenuItemInfoW(hMenu, item.nPosition, TRUE, &info) && (info.fType & MFT_OWNERDRAW) &&
            info.dwItemData == item.nKey && (info.fType & ~MFT_OWNERDRAW) == (item.nType & ~MFT_OWNERDRAW))
            SetTypeAndData(hMenu, item.nPosition, item.nType, item.nData);
    }
    m_menus.erase(it);
}

void CMenuItemConversion::RestoreAll()
{
    while (!m_menus.empty())
        Restore(m_menus.begin()->first);
}
