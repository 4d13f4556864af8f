// The library's palette and drawing resources: the colours of the current skin, the two menu
// fonts, one shared off-screen buffer, the command images and the name-to-ID map.
#pragma once
#include "../xml/CXmlElement.h"
#include "../parts/COffscreenBuffer.h"
#include "CSkinImageCache.h"
#include "CSkinDiagnostics.h"
#include "CScaledCommandImages.h"
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

// Mixes two colours channel by channel: weight 0 gives crA, 255 gives crB.
COLORREF BlendColour(COLORREF crA, COLORREF crB, int nWeight);
// Six hexadecimal digits, red pair first, as skin files write colours; FALSE for anything else.
BOOL ParseSkinColour(const CString& strValue, COLORREF& crOut);
// What the skin stores for an empty value: no colour.
const COLORREF NO_COLOUR = 0xFFFFFFFF;
// crSet unless it is NO_COLOUR, else crDefault.
inline COLORREF SkinColourOr(COLORREF crSet, COLORREF crDefault)
{
    return crSet == NO_COLOUR ? crDefault : crSet;
}

class CInterfaceTheme
{
public:
    CInterfaceTheme();
    virtual ~CInterfaceTheme();

    // Colours -----------------------------------------------------------------------------
    // A key of a skin's colour scheme and the member it sets; "dialog.back" has none, as the
    // registry keeps it.
    struct COLOUR_KEY
    {
        LPCWSTR pszKey;
        COLORREF CInterfaceTheme::*pMember;
    };
    // Every key the scheme reader knows; nCount receives how many.
    static const COLOUR_KEY* GetColourKeys(int& nCount);
    // With bCustom FALSE the base colours are first taken from the system; the rest are
    // always derived from the base colours as they stand.
    void CalculateColours(BOOL bCustom);
    void CreateFonts();
    // Start of every skin load: Clear, then Reset.
    void Clear();
    void Reset();

    // Reads one <colourScheme>/<colorScheme> section. The dialog background is the registry's:
    // the result is crDialogBack as the section leaves it ("dialog.back" may set or clear it).
    COLORREF LoadColourScheme(CXmlElement* pSection, COLORREF crDialogBack, CSkinDiagnostics* pDiagnostics = NULL);

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

public:
    // Base colours.
    COLORREF m_crWindow;
    COLORREF m_crMidtone;
    COLORREF m_crText;
    COLORREF m_crHiText;
    COLORREF m_crHiBorder;
    COLORREF m_crHighlight;
    // Derived and system-taken colours.
    COLORREF m_crBackNormal;
    COLORREF m_crBackSel;
    COLORREF m_crBackCheck;
    COLORREF m_crBackCheckSel;
    COLORREF m_crMargin;
    COLORREF m_crBorder;
    COLORREF m_crSysShadow;
    COLORREF m_crCmdText;
    COLORREF m_crCmdTextSel;
    COLORREF m_crDisabled;
    COLORREF m_crTipBack;
    COLORREF m_crTipText;
    COLORREF m_crTipBorder;
    COLORREF m_crTipWarnings;
    // Plain colours: never derived, kept across skin loads.
    COLORREF m_crMsgBorder;
    COLORREF m_crMsgBack;
    COLORREF m_crCardBack;
    COLORREF m_crMenuBorder;
    COLORREF m_crMenuBack;
    COLORREF m_crMenuHover;
    // Text colours: NO_COLOUR at every load, which leaves each text the colour it had without
    // them (the system's or the derived one).
    COLORREF m_crDialogText;
    COLORREF m_crControlText;
    // The paper under the skinned tree's items when it is solid; NO_COLOUR at every load too.
    COLORREF m_crControlBack;
    COLORREF m_crMenuText;
    COLORREF m_crMenuTextSel;
    COLORREF m_crMenuTextDisabled;

    // Whether a skinned dialog's labels draw their text over its painted background (the
    // watermark) rather than on a solid block of the dialog background; FALSE at every load.
    BOOL m_bTransparentLabels;

    // The colour of a popup menu's or menu bar's item text.
    COLORREF GetMenuTextColour(BOOL bSelected, BOOL bGrayed) const;

    CFont m_fntNormal;
    CFont m_fntBold;

    COffscreenBuffer m_buffer;
    // The images of the current load; watermarks and window skins borrow from it too.
    CSkinImageCache m_images;

    CImageList m_ilImages16;
    CImageList m_ilImages32;
    CImageList m_ilImages48;
    CMap<UINT, UINT, int, int> m_mapImages16;
    CMap<UINT, UINT, int, int> m_mapImages32;
    CMap<UINT, UINT, int, int> m_mapImages48;
    CMap<HICON, HICON, HWND, HWND> m_mapIconWindows;

    CMap<CString, const CString&, UINT, UINT> m_mapNameToID;

private:
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

    CInterfaceTheme(const CInterfaceTheme&) = delete;
    void operator=(const CInterfaceTheme&) = delete;
};

extern CInterfaceTheme g_Theme;
