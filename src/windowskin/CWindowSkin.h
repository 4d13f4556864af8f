// One window skin: the frame, caption strip, caption buttons, caption text, shape and resize
// border that replace the system non-client area of a top-level window. A skin is read-only once
// parsed and holds no window: every entry point is given the window it acts for and, where it
// needs one, that window's own CWindowSkinState (hover, press, brush), so every window of a
// skin's name shares one skin.
// The class spans a file for each concern: reading the definition (CWindowSkinParse.cpp),
// painting with the caption-strip cache (CWindowSkinPaint.cpp), hit testing and the caption
// buttons (CWindowSkinHitTest.cpp), and the window's shape (CWindowSkinShape.cpp).
#pragma once
#include "../xml/CXmlElement.h"
#include "../skin/CWindowSkinBase.h"
#include "../theme/CSkinDiagnostics.h"
#include "../theme/SkinColour.h"
#include "CCaptionStripCache.h"
#include "CWindowSkinState.h"
#include "../parts/CDpiScale.h"
#include "../parts/CSkinImage.h"
#include <memory>
#include <vector>

struct CAccessibleQuery;
class CInterfaceTheme;

const int WINDOWSKIN_PART_COUNT = 30;
const int WINDOWSKIN_ANCHOR_COUNT = 5;

class CWindowSkin : public CWindowSkinBase
{
public:
    // Part indexes. The caption buttons' three variants follow each other, so button b
    // (1 to 4) uses PART_SYSTEM + 3 (b - 1) and the two after it.
    enum
    {
        PART_TOPLEFT, PART_TOP, PART_TOPRIGHT,
        PART_TOPLEFT_IA, PART_TOP_IA, PART_TOPRIGHT_IA,
        PART_LEFTTOP, PART_LEFT, PART_LEFTBOTTOM,
        PART_RIGHTTOP, PART_RIGHT, PART_RIGHTBOTTOM,
        PART_BOTTOMLEFT, PART_BOTTOM, PART_BOTTOMRIGHT,
        PART_SYSTEM, PART_SYSTEM_HOVER, PART_SYSTEM_DOWN,
        PART_MINIMISE, PART_MINIMISE_HOVER, PART_MINIMISE_DOWN,
        PART_MAXIMISE, PART_MAXIMISE_HOVER, PART_MAXIMISE_DOWN,
        PART_CLOSE, PART_CLOSE_HOVER, PART_CLOSE_DOWN,
        // The Maximise button's looks while the window is maximised; each falls back to the
        // Maximise look of its state.
        PART_RESTORE, PART_RESTORE_HOVER, PART_RESTORE_DOWN
    };
    // Anchor indexes; 1 to 4 double as the caption-button numbers, 0 meaning no button.
    enum { ANCHOR_ICON, ANCHOR_SYSTEM, ANCHOR_MINIMISE, ANCHOR_MAXIMISE, ANCHOR_CLOSE };
    enum { MODE_TILE = 0, MODE_STRETCH = 1 };
    enum { STATE_WORK_OUT = 0, STATE_INACTIVE = 1, STATE_ACTIVE = 2 };
    enum { ALIGN_LEFT = 0, ALIGN_CENTER = 1, ALIGN_RIGHT = 2 };
    enum { FIGURE_RECTANGLE, FIGURE_ELLIPSE, FIGURE_ROUND_RECT };
    enum { COMBINE_NONE, COMBINE_AND, COMBINE_OR, COMBINE_XOR, COMBINE_COPY, COMBINE_DIFF };

    // Bounds on what a definition may ask for. No window is wider or taller than the window
    // manager's 16-bit coordinates reach, so a figure with a number past that fits no window.
    enum { MAX_FIGURE_COORDINATE = 0x7FFF, MAX_FIGURES = 256, MAX_CAPTION_FONT_PIXELS = 72 };

    // One figure of the window's shape, as read from a <shape> element. Coordinates are left,
    // top, right and bottom; negative ones count back from the far edges (-1 is the far edge).
    struct CFigure
    {
        int nType;
        int nCombine;
        int pCoordinates[4];
        int nCornerWidth;
        int nCornerHeight;
    };

    static const wchar_t* const s_pszPartNames[WINDOWSKIN_PART_COUNT];
    static const wchar_t* const s_pszAnchorNames[WINDOWSKIN_ANCHOR_COUNT];

    // The theme whose image cache, buffer and pixel budget the skin uses.
    explicit CWindowSkin(CInterfaceTheme& theme);
    ~CWindowSkin() override;

    // Definition --------------------------------------------------------------------------
    // Reads a <windowSkin> element; image paths are strFolder followed by the "path" text.
    // TRUE when the main image is loaded at the end.
    // What is ignored or rejected goes to pDiagnostics when given.
    BOOL Parse(const CXmlElement* pElement, const CString& strFolder, CSkinDiagnostics* pDiagnostics = NULL);
    // "rect" as x,y,width,height or "point" as x,y (right and bottom 0); numbers in %i form.
    static BOOL ParseRect(const CXmlElement* pElement, CRect& rc);
    BOOL HasTarget(const wchar_t* pszName) const override;
    const std::vector<CString>& GetTargets() const override { return m_targets; }

    // Rendering ---------------------------------------------------------------------------
    // Every length of the definition is written for 96 DPI; the entry points given a window
    // draw and measure at that window's DPI, the others at the scale they are given.
    static CDpiScale ScaleOf(const CWnd* pWnd);
    // The frame's thickness at each edge (left, top, right, bottom).
    CRect GetFrameThickness(const CDpiScale& scale) const;
    // bShrink: window rectangle to client rectangle; otherwise the reverse.
    void CalcFrame(LPRECT lpRect, BOOL bShrink, const CDpiScale& scale) const;
    // The frame around pWnd's client area: the skin's thickness, the caption alone while the
    // window is maximised (its side and bottom edges lie past the work area, as the system's do).
    CRect FrameOf(CWnd* pWnd, const CDpiScale& scale) const;
    void OnNcCalcSize(CWnd* pWnd, BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    // The anchor placed against rc: negative coordinates count from rc's right or bottom.
    CRect GetAnchorRect(const CRect& rc, int nAnchor, const CDpiScale& scale) const;
    // The caption font at a DPI: m_fontCaption at the DPI it was made for, a scaled copy
    // (kept for the next paints) at any other; null without a caption font.
    CFont* GetCaptionFont(const CDpiScale& scale);
    void Paint(CWnd* pWnd, const CWindowSkinState& state, CDC* pDC, BOOL bCaptionOnly, int nState);
    void OnNcPaint(CWnd* pWnd, const CWindowSkinState& state);
    // The caller answers WM_NCACTIVATE itself; the result is always 0.
    BOOL OnNcActivate(CWnd* pWnd, CWindowSkinState& state, BOOL bActive);
    void OnSetText(CWnd* pWnd, const CWindowSkinState& state);
    // The watermark over the client area at the window's DPI: tiled, or as a nine-grid panel
    // stretched over it when the skin gives the watermark a grid.
    BOOL PaintWatermark(CWnd* pWnd, CDC* pDC);
    // A brush that fills as PaintWatermark paints, from pWnd's client origin, kept in the
    // window's state; made on first use and again when the DPI (or, for a panel, the client
    // size) changed; null without a watermark.
    HBRUSH GetWatermarkBrush(CWnd* pWnd, CWindowSkinState& state);

    // Hit testing, caption buttons and shape ----------------------------------------------
    UINT HitTest(CWnd* pWnd, CPoint point, BOOL bResizable);
    // The caption buttons' hover and press live in the window's state.
    void OnNcMouseMove(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint point);
    // The pointer left the frame (for the client area or elsewhere): no button stays hot.
    void OnNcMouseLeave(CWnd* pWnd, CWindowSkinState& state);
    // A press of the system button tracks the system menu in a modal loop, which may destroy
    // the window (and with it the state) or delete this skin: neither is touched afterwards
    // unless both are still there.
    BOOL OnNcLButtonDown(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint point);
    BOOL OnNcLButtonUp(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint point);
    // A double click on the system button closes the window; the second click of a quick pair
    // on the Maximise button is one more press of it.
    BOOL OnNcLButtonDblClk(CWnd* pWnd, CWindowSkinState& state, UINT nHitTest, CPoint point);
    void ApplyRegion(CWnd* pWnd);
    void BuildShapeRegion(CWnd* pWnd);
    // The caption button of a hit-test code, 0 for none.
    static int ButtonOfHitTest(UINT nHitTest);
    // The caption buttons the window's style leaves out, as the system's caption does (bit n for
    // anchor n): all of them without a system menu, Minimise and Maximise without either box.
    static int HiddenButtons(HWND hWnd);
    // Whether a click on the skin's caption button does anything for this window: drawn, and, for
    // Minimise and Maximise, allowed by the window's style (the system greys out the one a window
    // lacks while it has the other).
    BOOL ButtonWorks(HWND hWnd, int nButton) const;

    // Assistive technology -----------------------------------------------------------------
    // Answers a question about the window's title bar or one of its buttons; FALSE for an item
    // the title bar does not have.
    BOOL DescribeTitleBar(CWnd* pWnd, const CWindowSkinState& state, CAccessibleQuery& query);

public:
    // Window names, each compared whole; none empty or holding a bar.
    std::vector<CString> m_targets;
    // Borrowed from the theme's image cache, which frees them at the next load. The alpha image,
    // when given, makes the main image translucent (m_imageBlended).
    CSkinImage* m_pImage;
    CSkinImage* m_pAlphaImage;
    CSkinImage* m_pWatermark;
    // The watermark's nine-grid margins; all 0 for a tiled watermark.
    CRect m_rcWatermarkGrid;
    int m_pPartPresent[WINDOWSKIN_PART_COUNT];
    int m_pPartMode[WINDOWSKIN_PART_COUNT];
    CRect m_pPartRects[WINDOWSKIN_PART_COUNT];
    // Each part's nine-grid margins (left, top, right, bottom); all 0 for none.
    CRect m_pPartGrids[WINDOWSKIN_PART_COUNT];
    int m_pAnchorPresent[WINDOWSKIN_ANCHOR_COUNT];
    CRect m_pAnchorRects[WINDOWSKIN_ANCHOR_COUNT];
    // Parts and anchors under names the tables do not know; stored only.
    CMap<CString, const CString&, CRect, const CRect&> m_mapParts;
    CMap<CString, const CString&, CRect, const CRect&> m_mapAnchors;
    CSize m_szMinimum;
    CRect m_rcMaximiseCrop;
    CRect m_rcResizeBorder;
    int m_bCaption;
    int m_bCaps;
    CRect m_rcCaption;
    // Made when the definition is read, for m_nCaptionFontDpi: the screen's DPI for sizes in
    // points and for the system's caption font, 96 for sizes in pixels.
    CFont m_fontCaption;
    UINT m_nCaptionFontDpi;
    COLORREF m_crCaption;
    COLORREF m_crCaptionInactive;
    COLORREF m_crShadow;
    COLORREF m_crOutline;
    int m_nCaptionAlign;
    // Whether the definition has a <region>; its figures, in order, at most MAX_FIGURES.
    BOOL m_bShaped;
    std::vector<CFigure> m_figures;
    // What a window without a shape asks of the system where the system rounds windows and draws
    // their border (<windowSkin corners="..." border="...">): CORNERS_SYSTEM and NO_COLOUR ask
    // nothing; BORDER_NONE asks for no border.
    enum { CORNERS_SYSTEM, CORNERS_ROUND, CORNERS_SMALL, CORNERS_SQUARE };
    static constexpr COLORREF BORDER_NONE = 0xFFFFFFFE;
    int m_nCorners;
    COLORREF m_crBorder;
    // The shadow drawn around the frame where the system draws none (<shadow>): nine-grid images
    // borrowed from the image cache (the inactive one null when the active look serves both), the
    // grid's margins, which are also how far the shadow reaches past each edge, and the offset;
    // m_pShadow null without a usable shadow. 96-DPI lengths.
    enum { MAX_SHADOW_GRID = 256, MAX_SHADOW_OFFSET = 64 };
    CSkinImage* m_pShadow;
    CSkinImage* m_pShadowInactive;
    CRect m_rcShadowGrid;
    CPoint m_ptShadowOffset;

private:
    CInterfaceTheme& m_theme;
    CCaptionStripCache m_captionCache;
    // Caption fonts scaled for other DPIs than m_nCaptionFontDpi, the newest last.
    struct SCALED_CAPTION_FONT
    {
        UINT nDpi;
        std::unique_ptr<CFont> pFont;
    };
    enum { MAX_SCALED_FONTS = 4 };
    std::vector<SCALED_CAPTION_FONT> m_scaledFonts;
    // The main image with the alpha image's grey levels as its opacity, made at the end of Parse.
    CSkinImage m_imageBlended;
    // The image the frame is drawn from: the blended one when made, else the main one.
    CSkinImage* FrameImage() { return m_imageBlended.IsLoaded() ? &m_imageBlended : m_pImage; }
    void BlendAlphaImage(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics);
    // The colour a translucent frame blends over, where the window's own background would be.
    COLORREF BackgroundColour() const;
    // The top corner pieces drawn in nState: the inactive ones where the skin has them.
    int TopLeftPart(int nState) const;
    int TopRightPart(int nState) const;

    void ParseParts(const CXmlElement* pParts, CSkinDiagnostics* pDiagnostics);
    // Checks that only tell pDiagnostics (CWindowSkinCheck.cpp); each does nothing without it.
    static void CheckPartMode(const CXmlElement* pPart, CSkinDiagnostics* pDiagnostics);
    static void CheckImageType(const CXmlElement* pImage, CSkinDiagnostics* pDiagnostics);
    static void CheckCaptionFont(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics);
    // Caption buttons with parts and no anchor, or an anchor and no normal part.
    void CheckButtons(const CXmlElement* pSkin, CSkinDiagnostics* pDiagnostics) const;
    // A <part>'s rectangle, never empty; FALSE without one or with a side no bitmap can have.
    static BOOL ReadPartRect(const CXmlElement* pPart, CRect& rc);
    // A <part>'s grid margins; empty (no grid) without one, or with one that is malformed or
    // leaves nothing of the part between its margins, which is told to pDiagnostics.
    // pszWhat names the element in the reports ("part", "watermark").
    static CRect ReadPartGrid(const CXmlElement* pPart, const CRect& rcPart, CSkinDiagnostics* pDiagnostics,
                              const wchar_t* pszWhat = L"part");
    // Draws the watermark over rcClient at a scale.
    void DrawWatermark(CDC* pDC, const CRect& rcClient, const CDpiScale& scale);
    // Every part that the main image cannot hold, told to pDiagnostics.
    void CheckPartsInImage(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics) const;
    // A caption colour that stands out from the frame beneath it by less than large text needs.
    void CheckCaptionContrast(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics);
    // The pixels of the caption text's box, without text or icon, in nState for a window cx wide.
    std::vector<COLORREF> CaptionBackground(int cx, int nState);
    // Where the caption text goes in a window nWidth wide: from the caption rectangle's left (from
    // the right when negative) to where the right corner begins.
    CRect CaptionBox(int nWidth, const CDpiScale& scale) const;
    void ParseAnchors(const CXmlElement* pAnchors, CSkinDiagnostics* pDiagnostics);
    void ParseCaption(const CXmlElement* pCaption, CSkinDiagnostics* pDiagnostics);
    BOOL ParseImage(const CXmlElement* pImage, const CString& strFolder, CSkinDiagnostics* pDiagnostics);
    void CreateCaptionFont(const CXmlElement* pCaption);
    void ParseRegion(const CXmlElement* pRegion, CSkinDiagnostics* pDiagnostics);
    // The corners and border attributes of <windowSkin> (CWindowSkinSystemFrame.cpp).
    void ParseSystemFrame(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics);
    // A <shadow> (CWindowSkinShadow.cpp); one that cannot be drawn is left out and told.
    void ParseShadow(const CXmlElement* pShadow, const CString& strFolder, CSkinDiagnostics* pDiagnostics);
    // A shadow image of the cache, null (told) when it cannot be loaded or has no transparency.
    CSkinImage* BorrowShadowImage(const CXmlElement* pShadow, const wchar_t* pszAttribute, const CString& strFolder,
                                  CSkinDiagnostics* pDiagnostics);
    // A <shape>'s figure; FALSE for an unknown type or a number past the bounds.
    static BOOL ParseFigure(const CXmlElement* pShape, CFigure& figure, CSkinDiagnostics* pDiagnostics);

    BOOL IsPartDrawn(int nPart) const { return m_pPartPresent[nPart] != 0; }
    // A part's size on the window at a scale.
    int PartWidth(int nPart, const CDpiScale& scale) const { return scale.Scale(m_pPartRects[nPart].Width()); }
    int PartHeight(int nPart, const CDpiScale& scale) const { return scale.Scale(m_pPartRects[nPart].Height()); }
    // Draws a part at its size at the scale, stretched nearest-neighbour when scaled so its edges
    // stay sharp (bUnder: over the background colour first, for a translucent frame).
    void CopyPart(CDC* pDC, int nPart, int x, int y, const CDpiScale& scale, bool bUnder = true);
    // Draws a part into rcDest along its mode and grid, tiles and margins at the scale.
    void FillPart(CDC* pDC, int nPart, const CRect& rcDest, const CDpiScale& scale);
    void FillHorizontal(CDC* pDC, int nPart, int xStart, int xEnd, int y, const CDpiScale& scale);
    void FillVertical(CDC* pDC, int nPart, int yStart, int yEnd, int x, const CDpiScale& scale);
    // The bottom corners and the side and bottom edges, straight into the window's DC; the
    // left and right columns start below the top corners' heights.
    void PaintEdges(CDC* pDC, int cx, int cy, int nTopLeftHeight, int nTopRightHeight, const CDpiScale& scale);
    // Whether every side part lies within the frame's thickness, so the edges can be kept
    // composed.
    bool EdgesFitFrame(const CRect& rcFrame, const CDpiScale& scale) const;
    // The part a caption button shows with the window's hover and press.
    int ButtonPart(int nButton, BOOL bZoomed, const CWindowSkinState& state) const;
    // Buttons, top corners, top edge, icon and text of a cx x cy window, into the buffer.
    void ComposeCaptionStrip(CDC* pBuffer, const CWindowSkinState& state, int cx, int cy, int nState, BOOL bZoomed,
                             int nHiddenButtons, int nTopLeft, int nTopRight, HICON hIcon, const CString& strText,
                             const CDpiScale& scale);
    void PaintCaptionText(CDC* pDC, const CString& strText, int nWidth, int nState, const CDpiScale& scale);
    static BOOL IsWindowActive(CWnd* pWnd);
    // Paints the caption strip through a fresh window DC.
    void RepaintCaption(CWnd* pWnd, const CWindowSkinState& state, int nState);

    CWindowSkin(const CWindowSkin&) = delete;
    void operator=(const CWindowSkin&) = delete;
};
