// The library's palette and drawing resources: the colours of the current skin (the dialog
// background among them), the two menu fonts, one shared off-screen buffer, the command images
// and the name-to-ID map. Everything is read through accessors; only the skin's readers set it.
#pragma once
#include "../xml/CXmlElement.h"
#include "../parts/COffscreenBuffer.h"
#include "../parts/CImageListDrawCache.h"
#include "CSkinImageCache.h"
#include "CSkinDiagnostics.h"
#include "CScaledCommandImages.h"
#include "CSolidBrushCache.h"
#include "SkinColour.h"
#include <vector>

// Image-size codes of the command images; any other code selects no image list.
const int SIZE_CODE_16 = 1;
const int SIZE_CODE_32 = 0;
const int SIZE_CODE_48 = 100;

// Command of the built-in check mark image that menus show for checked items without one.
const UINT ID_DEFAULT_CHECK_MARK = 100;

// Images each of the three command-image lists may hold after one load; an <image> index
// must lie below it.
const int MAX_COMMAND_IMAGES = 4096;

// The parts of the controls the library draws or hosts that take colours of their own.
enum class ControlPart
{
    Edit, EditReadOnly, EditDisabled, Combo, ComboDisabled, ComboList, List, Touch,
    Tree, TreeSelection, TreeSelectionInactive, GroupBox, ScrollBar
};

// A control part's text and paper; either is NO_COLOUR where the part keeps its own.
struct CONTROL_COLOURS
{
    COLORREF crText;
    COLORREF crBack;
    bool IsSet() const { return crText != NO_COLOUR || crBack != NO_COLOUR; }
};

class CInterfaceTheme
{
public:
    CInterfaceTheme();
    virtual ~CInterfaceTheme();

    // Colours -----------------------------------------------------------------------------
    // A key of a skin's colour scheme and the colour it sets.
    struct COLOUR_KEY
    {
        LPCWSTR pszKey;
        SkinColour colour;
    };
    // Every key the scheme reader knows; nCount receives how many.
    static const COLOUR_KEY* GetColourKeys(int& nCount);
    // With bCustom FALSE the base colours are first taken from the system; the rest are
    // always derived from the base colours as they stand.
    void CalculateColours(BOOL bCustom);
    // Every colour the system's own, unblended, for a user who needs the system's contrast (high
    // contrast): the colours a skin may leave unset stay unset, so each part keeps its system look.
    void UseSystemColours();
    // The colours that outlive a load as they were before UseSystemColours; Reset calls it.
    void GiveBackKeptColours();
    void CreateFonts();
    // Start of every skin load: Clear, then Reset.
    void Clear();
    void Reset();

    // Reads one <colourScheme>/<colorScheme> section.
    void LoadColourScheme(CXmlElement* pSection, CSkinDiagnostics* pDiagnostics = NULL);

    // The shared memory DC with a bitmap at least ClipToBuffer(size) large and no clipping.
    // The buffer grows up to the size of the desktop; callers draw at its origin, copy out no
    // more than ClipToBuffer(size) and never free it.
    CDC* GetBufferDC(CDC* pDC, const CSize& size);
    CSize GetBufferSize() const;
    // size cut to the largest buffer there can be: what a caller may compose and copy out.
    static CSize ClipToBuffer(const CSize& size);

    // Name-to-ID map ----------------------------------------------------------------------
    // The mapped ID of an exactly matching name, else the decimal number the text starts
    // with, else 0.
    UINT NameToID(const wchar_t* pszText) const;
    void SetNameID(const wchar_t* pszName, UINT nID);
    // NameToID of an element's attribute; a 0 is reported to pDiagnostics, when given, as the
    // element being skipped.
    UINT ResolveID(const CXmlElement* pElement, const wchar_t* pszAttribute, CSkinDiagnostics* pDiagnostics) const;

    // Command images ----------------------------------------------------------------------
    // Makes whichever of the three lists does not exist; a list starts as a copy of the base
    // images of its size.
    BOOL CreateImageLists();
    // Adds an icon that every later load's list of that size starts with, as well as the
    // current list. Converting an icon into a list is slow; copying a converted list is not.
    void AddBaseIcon(UINT nCmdID, HICON hIcon, int nSize);
    // The list of a size code, or null for an unknown code or a list not yet created.
    CImageList* GetImageList(int nSize);
    // Appends a copy of hIcon (the caller keeps it) and maps the command to it.
    void AddIcon(UINT nCmdID, HICON hIcon, int nSize);
    int GetImageIndex(UINT nCmdID, int nSize) const;
    // A new icon owned by the caller: the command's image, else the host's icon resource of
    // that ID (then kept in the list); null if neither exists.
    HICON GetIcon(UINT nCmdID, int nSize);
    void Draw(CDC* pDC, int nImage, int x, int y, UINT nStyle, int nSize);
    void DrawEx(CDC* pDC, int nImage, int x, int y, int dx, int dy, COLORREF crBack, COLORREF crFore,
                UINT nStyle, int nSize);
    // Adds a whole strip (masking a copy: the image is left as it is; a translucent one keeps its
    // alpha) and maps the commands of its <image> children. FALSE when the strip would overfill the list.
    BOOL AddImageStrip(CXmlElement* pBitmap, CSkinImage& image, COLORREF crMask, int nSize,
                       CSkinDiagnostics* pDiagnostics = NULL);

    // Command images at a DPI: the side to draw them at for nDpi, 16 pixels at 96 scaled and
    // brought to the nearest side kept (16, 24, 32 or 48; a tie goes to the smaller).
    static int ImagePixelsForDpi(UINT nDpi);
    struct SIZED_IMAGE
    {
        HIMAGELIST hList;
        int nImage;
        int nPixels; // the side of the list's images
    };
    // nCmdID's image nPixels wide: the one of that size, else one made once per load from the
    // command's nearest larger image, else from its largest smaller one. When no image can be
    // made, that source itself, of another size. FALSE when the command has no 16-pixel image.
    BOOL GetSizedImage(UINT nCmdID, int nPixels, SIZED_IMAGE& image);
    // Draws such an image at its own size, as ImageList_DrawEx with ILD_NORMAL does, through
    // the theme's record of drawings already made.
    BOOL DrawSizedImage(const SIZED_IMAGE& image, CDC* pDC, int x, int y);

    // Reads one <commandImages> section; image paths are relative to strFolder. Always TRUE.
    BOOL LoadCommandImages(CXmlElement* pSection, const CString& strFolder, CSkinDiagnostics* pDiagnostics = NULL);
    BOOL LoadIconImages(CXmlElement* pIcon, const CString& strFolder, CSkinDiagnostics* pDiagnostics = NULL);
    BOOL LoadBitmapImages(CXmlElement* pBitmap, const CString& strFolder, CSkinDiagnostics* pDiagnostics = NULL);

    // The small and large icon of an icon file that passes every check of CIconFile; a
    // 48-pixel icon is never found.
    static BOOL ExtractIconFile(LPCTSTR pszPath, HICON* phSmall, HICON* phLarge, HICON* phHuge);

    // Window icons: an icon given to a window is recorded until the window replaces it; every
    // icon still recorded is destroyed with the theme.
    void MapIconToWindow(HICON hIcon, HWND hWnd);
    // Forgets the icon; TRUE when it was recorded. The caller destroys it.
    BOOL UnmapIcon(HICON hIcon);

    // The skin's colours -------------------------------------------------------------------
    COLORREF Colour(SkinColour colour) const { return m_colours[(int)colour]; }
    void SetColour(SkinColour colour, COLORREF cr) { m_colours[(int)colour] = cr; }
    // The colour of a popup menu's or menu bar's item text.
    COLORREF GetMenuTextColour(BOOL bSelected, BOOL bGrayed) const;
    // The dialog background: the skin's "dialog.back", else the system's face colour, and a
    // brush of it that lives until the next load (the system's own brush before a load makes one).
    COLORREF DialogBackColour() const;
    HBRUSH DialogBackBrush() const;
    // Made once a load has read every file, and let go when the load is cleared.
    void CreateDialogBackBrush();
    void ReleaseDialogBackBrush() { m_brDialogBack.DeleteObject(); }
    // Whether a load made the brush: a load has read its files and not been cleared since.
    BOOL IsDialogBackLoaded() const { return m_brDialogBack.m_hObject != NULL; }
    // The skin's colours for a control part, with the fallbacks docs/skin-format.md lists; both
    // NO_COLOUR for a skin that leaves the part alone.
    CONTROL_COLOURS ControlColours(ControlPart part) const;
    // Disabled text the library draws, in one flat colour: control.text.disabled, else a blend
    // of control.text into the dialog background when the skin gives control.text, else
    // NO_COLOUR (the system's embossed look stays).
    COLORREF DisabledTextColour() const;
    // A solid brush of cr kept until the load is cleared; null for NO_COLOUR.
    HBRUSH SolidBrush(COLORREF cr) const { return m_brushes.Get(cr); }
    // Whether a skinned dialog's labels draw their text over its painted background (the
    // watermark) rather than on a solid block of the dialog background; FALSE at every load.
    BOOL TransparentLabels() const { return m_bTransparentLabels; }

    // The menu fonts.
    CFont& NormalFont() { return m_fntNormal; }
    CFont& BoldFont() { return m_fntBold; }
    const CFont& NormalFont() const { return m_fntNormal; }
    const CFont& BoldFont() const { return m_fntBold; }

    // The images of the current load; watermarks and window skins borrow from it too.
    CSkinImageCache& Images() { return m_images; }
    const CSkinImageCache& Images() const { return m_images; }

private:
    COLORREF m_colours[(int)SkinColour::Count];
    // The colours that outlive a load (message, card and menu frame colours) as they stood before
    // UseSystemColours replaced them, given back at the next load that does not; valid while
    // m_bSystemColours.
    COLORREF m_keptColours[(int)SkinColour::Count];
    BOOL m_bSystemColours = FALSE;
    CBrush m_brDialogBack;
    // The brushes are a cache, made while painting through a const theme.
    mutable CSolidBrushCache m_brushes;
    BOOL m_bTransparentLabels;
    CFont m_fntNormal;
    CFont m_fntBold;
    COffscreenBuffer m_buffer;
    CSkinImageCache m_images;

    CImageList m_ilImages16;
    CImageList m_ilImages32;
    CImageList m_ilImages48;
    CMap<UINT, UINT, int, int> m_mapImages16;
    CMap<UINT, UINT, int, int> m_mapImages32;
    CMap<UINT, UINT, int, int> m_mapImages48;
    CMap<HICON, HICON, HWND, HWND> m_mapIconWindows;
    CMap<CString, const CString&, UINT, UINT> m_mapNameToID;

    CImageList* ImageListOf(int nSize) const;
    CImageList* BaseListOf(int nSize);

    // The base images of each size, kept across loads, and the commands mapped to them.
    CImageList m_ilBase16;
    CImageList m_ilBase32;
    CImageList m_ilBase48;
    struct BASE_IMAGE
    {
        int nSize;
        UINT nCmdID;
        int nImage;
    };
    std::vector<BASE_IMAGE> m_baseImages;
    CMap<UINT, UINT, int, int>* ImageMapOf(int nSize) const;
    // The images made at sides no list of the load has them in; emptied with the lists.
    CScaledCommandImages m_scaled;
    // Drawings of the lists' images; emptied with the lists.
    CImageListDrawCache m_drawings;

    CInterfaceTheme(const CInterfaceTheme&) = delete;
    void operator=(const CInterfaceTheme&) = delete;
};

