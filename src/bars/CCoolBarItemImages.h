// The looks of one button: copies of the skin's images for its three states, so a later skin
// load cannot pull them away, shared with the other buttons of its bar that name the same file.
#pragma once
#include <KorvoSkin/CCoolBarItem.h>
#include "CCoolBarImageTable.h"
#include "CCoolBarTheme.h"

class CCoolBarItemImages
{
public:
    CCoolBarItemImages();

    static CCoolBarItemImages& Of(CCoolBarItem& item) { return *item.m_pImages; }
    static const CCoolBarItemImages& Of(const CCoolBarItem& item) { return *item.m_pImages; }

    // Takes the watermarks named strName, + ".HOVER" and + ".SELECT" from lookup (of the skin
    // load nGeneration), through pTable when the button is on a bar; a missing image, or one
    // past the table's bound, leaves that state without.
    void Load(const CString& strName, CCoolBarImageTable* pTable, const CCoolBarTheme::WatermarkLookup& lookup,
              unsigned nGeneration);

    HBITMAP GetBitmap(int nState) const;
    CSize GetSize(int nState) const;
    void Draw(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const;
    // Whether the state's look is a nine-grid, drawn to fill its button.
    bool HasGrid(int nState) const;
    // Draws the look of nState for a button rcItem laid out at scale, and returns what it
    // covers: a nine-grid fills the button, its margins at scale; any other image is scaled
    // from the button's top-left corner, and what passes the button is cut off.
    CRect DrawLook(CDC* pDC, int nState, const CRect& rcItem, const CDpiScale& scale) const;

private:
    std::shared_ptr<const CCoolBarImage> m_pImages[CCoolBarItem::IMAGE_COUNT];
    // Each state's grid, where its watermark has one.
    bool m_bGrid[CCoolBarItem::IMAGE_COUNT];
    CRect m_rcGrid[CCoolBarItem::IMAGE_COUNT];
};
