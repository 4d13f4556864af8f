// What the bars take from the current skin and palette, in one place: the background a bar is
// painted on, the colours and font of a menu bar's captions, the watermarks buttons show and the
// hand-over of a tracked menu to the skin.
#pragma once
#include <afxwin.h>
#include "../parts/CSkinImage.h"
#include <functional>

class CSkinToolbarTemplate;

class CCoolBarTheme
{
public:
    // A skin image, and whether it is drawn as a nine-grid with rcGrid's margins.
    struct WATERMARK
    {
        const CSkinImage* pImage = NULL;
        bool bGrid = false;
        CRect rcGrid;
    };
    // A skin image by name, borrowed for the current load; null when the skin has none.
    typedef std::function<WATERMARK(const wchar_t*)> WatermarkLookup;

    // The current skin's watermarks and the number of its load, which tells copies of two
    // loads apart.
    static WatermarkLookup GetWatermarks();
    static unsigned GetImageGeneration();

    // The dialog background: the skin's brush and colour, the system's face colour without one.
    static HBRUSH GetDialogBrush();
    static COLORREF GetDialogColour();
    // The background of static controls sitting on a bar.
    static COLORREF GetControlBackColour();

    // A menu bar's captions: the menu font (null for the DC's own) and the menus' colours.
    static HFONT GetCaptionFont();
    static COLORREF GetMenuBackColour();
    static COLORREF GetMenuBorderColour();
    static COLORREF GetMenuHoverColour();
    static COLORREF GetMenuTextColour(bool bHighlighted);

    // Around TrackPopupMenuEx of a bar's popup: where the skinned popup attaches, and keeping a
    // skin load inside the loop from destroying the menu. EndMenuTracking is TRUE when such a
    // load happened, so the menu's choice no longer stands.
    static void BeginMenuTracking(HMENU hMenu, const CRect& rcButton);
    static BOOL EndMenuTracking();
    // Where a popup the bar's owner tracks itself attaches.
    static void SetMenuAttach(const CRect& rcButton);

    // Names for assistive technology: the text of command nID in the menu of the top-level
    // window hWndTop, else in the skin's menus (empty when none has it); the skin's name of a
    // menu or a toolbar template (empty for one that is not the skin's).
    static CString GetCommandText(UINT nID, HWND hWndTop);
    static CString GetMenuName(HMENU hMenu);
    static CString GetToolbarName(const CSkinToolbarTemplate* pTemplate);
};
