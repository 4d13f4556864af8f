// A menu the registry hands out by name. The object outlives skin loads once a host has been
// given it, so a pointer the host kept never dangles: after a load it holds that load's menu of
// the same name, or no menu at all.
#pragma once
#include <afxwin.h>

class CSkinMenu : public CMenu
{
public:
    explicit CSkinMenu(const CString& strName) : m_strName(strName), m_bHandedOut(false) {}

    CString m_strName;
    mutable bool m_bHandedOut;
};
