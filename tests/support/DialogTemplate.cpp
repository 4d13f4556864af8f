#include "DialogTemplate.h"

namespace KorvoTest
{
CDialogTemplate::CDialogTemplate(DWORD dwStyle, int cx, int cy, LPCWSTR pszTitle, DWORD dwExStyle)
{
    DLGTEMPLATE header = {};
    header.style = dwStyle;
    header.dwExtendedStyle = dwExStyle;
    header.cx = (short)cx;
    header.cy = (short)cy;
    const WORD* p = (const WORD*)&header;
    m_words.assign(p, p + sizeof(header) / sizeof(WORD));
    AddWord(0); // no menu
    AddWord(0); // default class
    AddString(pszTitle);
    if (dwStyle & DS_SETFONT)
    {
        AddWord(8);
        AddString(L"MS Shell Dlg");
    }
}

void CDialogTemplate::AddString(LPCWSTR psz)
{
    for (; psz && *psz; psz++)
        AddWord(*psz);
    AddWord(0);
}

void CDialogTemplate::Align()
{
    if (m_words.size() % 2)
        AddWord(0);
}

CDialogTemplate& CDialogTemplate::AddControl(LPCWSTR pszClass, UINT nID, DWORD dwStyle, int x, int y, int cx, int cy,
                                             LPCWSTR pszText, DWORD dwExStyle)
{
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = dwStyle | WS_CHILD;
    item.dwExtendedStyle = dwExStyle;
    item.x = (short)x;
    item.y = (short)y;
    item.cx = (short)cx;
    item.cy = (short)cy;
    item.id = (WORD)nID;
    const WORD* p = (const WORD*)&item;
    m_words.insert(m_words.end(), p, p + sizeof(item) / sizeof(WORD));
    AddString(pszClass);
    AddString(pszText);
    AddWord(0); // no creation data
    m_nItems++;
    return *this;
}

LPCDLGTEMPLATEW CDialogTemplate::Get()
{
    ((DLGTEMPLATE*)m_words.data())->cdit = m_nItems;
    return (LPCDLGTEMPLATEW)m_words.data();
}
}
