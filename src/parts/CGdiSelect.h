// Selects a GDI object into a device context for one scope and puts the previous object back,
// so no painting path leaves a pen, brush, font or bitmap selected after it returns.
#pragma once
#include <afxwin.h>

class CGdiSelect
{
public:
    // A null object or DC selects nothing; IsSelected() then tells.
    CGdiSelect(HDC hDC, HGDIOBJ hObject);
    CGdiSelect(CDC* pDC, const CGdiObject& object);
    ~CGdiSelect();

    bool IsSelected() const { return m_hOld != NULL; }

    CGdiSelect(const CGdiSelect&) = delete;
    CGdiSelect& operator=(const CGdiSelect&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
