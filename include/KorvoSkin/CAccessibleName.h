// The name a host gives a control for assistive technology (screen readers). Without one, a
// control is named by its window text, or else by the static label just before it in the tab
// order; a control with neither, such as a picture, is named only by the host.
#pragma once
#include <afxwin.h>

class CAccessibleName
{
public:
    // An empty name goes back to the window text or the label.
    void SetAccessibleName(LPCWSTR pszName) { m_strAccessibleName = pszName ? pszName : L""; }
    const CString& GetAccessibleName() const { return m_strAccessibleName; }

private:
    CString m_strAccessibleName;
};
