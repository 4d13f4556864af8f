// Saves a window's placement as the "WindowPlacement" value of a section of the host
// application's profile, and restores it.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

class KORVOSKIN_API CResizableState
{
public:
    CResizableState();

protected:
    // Overridables
    virtual CWnd* GetResizableWnd() = 0;
public:
    virtual ~CResizableState();

protected:
    // For a derived class: it saves its placement when it closes and restores it when it opens.
    // bRectOnly keeps only the window rectangle, as a plainly shown window.
    BOOL StorePlacement(LPCWSTR pszSection, BOOL bRectOnly);
    // A missing or malformed value leaves the window where it is and returns FALSE.
    BOOL RestorePlacement(LPCWSTR pszSection, BOOL bRectOnly);
};
