// Keeps the children of a resizable window anchored to points of its client area, moves them
// in one deferred batch on every size change, and erases the background only where no child
// covers it.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <memory>

// The window message registered under the name "WMU_RESIZESUPPORT": children may answer it to
// take part in the layout's clipping and refresh decisions. wParam is one of the codes below,
// lParam points to the structure named beside it; a child that handles the code fills it and
// returns non-zero.

#define RESIZE_QUERY_PROPERTIES 101 // RESIZE_PROPERTIES
#define RESIZE_QUERY_CLIPPING 102   // RESIZE_CLIPPING, preset FALSE
#define RESIZE_QUERY_REFRESH 103    // RESIZE_REFRESH, preset TRUE

class CResizableLayoutState;

struct RESIZE_PROPERTIES
{
    BOOL bQueryClipping; // ask again with RESIZE_QUERY_CLIPPING at every use
    BOOL bQueryRefresh;  // ask again with RESIZE_QUERY_REFRESH at every use
    BOOL bClipping;      // the answer kept when not asking again
    BOOL bRefresh;
};

struct RESIZE_CLIPPING
{
    BOOL bLikesClipping;
};

struct RESIZE_REFRESH
{
    BOOL bNeedsRefresh;
    RECT rcOld;
    RECT rcNew;
};

// Anchor points in percent of the parent's width (cx) and height (cy). CResizableLayout and every
// class derived from it (CResizableDialog, CSkinDialog, a host's dialogs) name them unqualified,
// as in AddAnchor(IDC_NAME, TOP_LEFT, TOP_RIGHT); elsewhere they are CResizableLayout::TOP_LEFT.
// They are inline constants of a base of their own, one copy in each module, so no module imports
// them from another.
struct CResizableAnchors
{
    inline static const CSize TOP_LEFT{0, 0};
    inline static const CSize TOP_CENTER{50, 0};
    inline static const CSize TOP_RIGHT{100, 0};
    inline static const CSize MIDDLE_LEFT{0, 50};
    inline static const CSize MIDDLE_CENTER{50, 50};
    inline static const CSize MIDDLE_RIGHT{100, 50};
    inline static const CSize BOTTOM_LEFT{0, 100};
    inline static const CSize BOTTOM_CENTER{50, 100};
    inline static const CSize BOTTOM_RIGHT{100, 100};
    // As a bottom-right anchor: the same point as the top-left anchor, so the child keeps its size.
    inline static const CSize NOANCHOR{-1, -1};
};

class KORVOSKIN_API CResizableLayout : public CResizableAnchors
{
public:
    struct LayoutInfo
    {
        LayoutInfo()
            : hwndChild(NULL), nCallbackKey(0), bSupportsMessage(FALSE), bQueryClipping(TRUE), bQueryRefresh(TRUE),
              bClipping(FALSE), bRefresh(FALSE)
        {
        }

        HWND hwndChild;
        UINT nCallbackKey;
        CString strClassName;
        CSize anchorTopLeft;
        CSize marginTopLeft;
        CSize anchorBottomRight;
        CSize marginBottomRight;
        BOOL bSupportsMessage;
        BOOL bQueryClipping;
        BOOL bQueryRefresh;
        BOOL bClipping;
        BOOL bRefresh;
    };

    CResizableLayout();

protected:
    // Overridables
    virtual void InitResizeProperties(LayoutInfo& layout);
    virtual BOOL LikesClipping(const LayoutInfo& layout);
    virtual BOOL NeedsRefresh(const LayoutInfo& layout, const CRect& rectOld, const CRect& rectNew);
    virtual void GetTotalClientRect(LPRECT lpRect);
    // Callback entries are placed by the derived class: it fills in the child and the anchors
    // and returns TRUE, or returns FALSE to leave the entry out of this pass.
    virtual BOOL ArrangeLayoutCallback(LayoutInfo& layout);
    virtual CWnd* GetResizableWnd() = 0;
public:
    virtual ~CResizableLayout();

protected:
    // For a derived class: it anchors its children, arranges them and clips its painting.
    void AddAnchor(HWND hWnd, CSize anchorTopLeft, CSize anchorBottomRight = NOANCHOR);
    void AddAnchor(UINT nID, CSize anchorTopLeft, CSize anchorBottomRight = NOANCHOR);
    void AddAnchorCallback(UINT nCallbackKey);
    void ArrangeLayout();
    BOOL GetAnchorPosition(HWND hWnd, const CRect& rectParent, CRect& rectChild, UINT* pFlags = NULL);
    BOOL GetAnchorPosition(UINT nID, const CRect& rectParent, CRect& rectChild, UINT* pFlags = NULL);
    BOOL RemoveAnchor(HWND hWnd);
    BOOL RemoveAnchor(UINT nID);
    void RemoveAllAnchors();
    // The window's DPI changed: every margin follows it (the next arrangement moves the children).
    void ScaleLayout(UINT nFromDpi, UINT nToDpi);

    void GetClippingRegion(CRgn* pRegion);
    void ClipChildren(CDC* pDC);
    void EraseBackground(CDC* pDC);

private:
    friend class CAnchorPlacement;
    friend class CResizableLayoutState;
    // The anchors: the children's entries, their index by window, and the callback entries.
    std::unique_ptr<CResizableLayoutState> m_pLayout;

    CResizableLayout(const CResizableLayout&) = delete;
    void operator=(const CResizableLayout&) = delete;
};
