// A tree view that paints its whole client area off screen: a background (stretched or tiled
// bitmap, horizontal or vertical gradient, or solid colour), then each visible item as text over
// a gradient band (group rows always, other rows when selected), with an optional icon from an
// extra image list. Context menus the tree opens wear the skin's menu look.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CSkinTreeLook;

class KORVOSKIN_API CSkinTree : public CTreeCtrl, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinTree)
public:
    enum BkMode
    {
        BkModeBitmap = 0,
        BkModeGradient = 1,
        BkModeSolid = 2
    };

    CSkinTree();
    virtual ~CSkinTree();

    // The background: its mode (solid until set), whether a bitmap is tiled rather than
    // stretched (stretched until set) and whether a gradient runs across rather than down
    // (across until set). The next paint shows a change.
    BkMode GetBkMode() const;
    void SetBkMode(BkMode mode);
    bool GetBitmapTiledMode() const;
    void SetBitmapTiledMode(bool bTiled);
    bool GetGradientHorz() const;
    void SetGradientHorz(bool bHorz);
    // The list stays the caller's and must outlive its use by the tree; null for none.
    void SetImageListEx(CImageList* pImageList);
    // A bitmap resource of the library's own module; an unknown ID leaves the tree without one.
    void SetBitmapID(UINT nID);
    BOOL HasBitmap() const;

    // Overridables
    // Called once per drawn item when an extra image list is set, after its text; a host's
    // tree draws more of the item here.
    virtual void DrawTreeItem(CDC*, HTREEITEM, CRect) {}

protected:
    // Message handlers a derived class may chain to
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg BOOL OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Refits the item height, indent and font to the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    // Keeps assistive technology's numbering of the rows in step with the tree: every message
    // that may change them lets the numbering go.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    friend class CSkinTreeLook;
    // The background chosen, the paint's surface kept between paints, and what else follows
    // the window's DPI.
    std::unique_ptr<CSkinTreeLook> m_pLook;
    CSkinTree(const CSkinTree&) = delete;
    void operator=(const CSkinTree&) = delete;
};
