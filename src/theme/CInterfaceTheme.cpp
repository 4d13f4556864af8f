#include "CInterfaceTheme.h"
#include <shellapi.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>

namespace
{
// Skin key of every colour the scheme sets; "dialog.back" belongs to the registry.
struct COLOUR_KEY
{
    LPCWSTR pszKey;
    COLORREF CInterfaceTheme::*pMember;
};

const COLOUR_KEY s_colourKeys[] = {
    { L"system.base.window", &CInterfaceTheme::m_crWindow },
    { L"system.base.midtone", &CInterfaceTheme::m_crMidtone },
    { L"system.base.text", &CInterfaceTheme::m_crText },
    { L"system.base.hitext", &CInterfaceTheme::m_crHiText },
    { L"system.base.hiborder", &CInterfaceTheme::m_crHiBorder },
    { L"system.base.highlight", &CInterfaceTheme::m_crHighlight },
    { L"system.back.normal", &CInterfaceTheme::m_crBackNormal },
    { L"system.back.selected", &CInterfaceTheme::m_crBackSel },
    { L"system.back.checked", &CInterfaceTheme::m_crBackCheck },
    { L"system.back.checked.selected", &CInterfaceTheme::m_crBackCheckSel },
    { L"system.margin", &CInterfaceTheme::m_crMargin },
    { L"system.border", &CInterfaceTheme::m_crBorder },
    { L"system.shadow", &CInterfaceTheme::m_crSysShadow },
    { L"system.text", &CInterfaceTheme::m_crCmdText },
    { L"system.text.selected", &CInterfaceTheme::m_crCmdTextSel },
    { L"system.disabled", &CInterfaceTheme::m_crDisabled },
    { L"tooltip.back", &CInterfaceTheme::m_crTipBack },
    { L"tooltip.text", &CInterfaceTheme::m_crTipText },
    { L"tooltip.border", &CInterfaceTheme::m_crTipBorder },
    { L"tooltip.warnings", &CInterfaceTheme::m_crTipWarnings },
    { L"msg.border", &CInterfaceTheme::m_crMsgBorder },
    { L"msg.back", &CInterfaceTheme::m_crMsgBack },
    { L"card.back", &CInterfaceTheme::m_crCardBack },
    { L"menu.border", &CInterfaceTheme::m_crMenuBorder },
    { L"menu.back", &CInterfaceTheme::m_crMenuBack },
    { L"menu.hover", &CInterfaceTheme::m_crMenuHover },
    { L"dialog.back", NULL },
};

const COLOUR_KEY* FindColourKey(const CString& strKey)
{
    for (const COLOUR_KEY& key : s_colourKeys)
        if (strKey == key.pszKey)
            return &key;
    return NULL;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// Six hexadecimal digits, red pair first. Every character must be a digit: a lenient pair
// read ("0G" as 0, "-1" as a huge number) would store a colour the skin never wrote.
BOOL ParseColour(const CString& strValue, COLORREF& crOut)
{
    if (strValue.GetLength() != 6)
        return FALSE;
    int nChannels[3];
    for (int n = 0; n < 3; n++)
    {
        int nHigh = HexDigit(strValue[n * 2]);
        int nLow = HexDigit(strValue[n * 2 + 1]);
        if (nHigh < 0 || nLow < 0)
            return FALSE;
        nChannels[n] = nHigh * 16 + nLow;
    }
    crOut = RGB(nChannels[0], nChannels[1], nChannels[2]);
    return TRUE;
}

const COLORREF NO_COLOUR = 0xFFFFFFFF;
const int MAP_BUCKETS_16 = 347;
const int MAP_BUCKETS_32 = 61;
const int MAP_BUCKETS_48 = 61;
const int MAP_BUCKETS_NAMES = 509;

int PixelsOfSizeCode(int nSize)
{
    switch (nSize)
    {
    case SIZE_CODE_16: return 16;
    case SIZE_CODE_32: return 32;
    case SIZE_CODE_48: return 48;
    default: return 0;
    }
}

// The size code of a pixel size written in a skin file, or -1.
int SizeCodeOfPixels(int nPixels)
{
    switch (nPixels)
    {
    case 16: return SIZE_CODE_16;
    case 32: return SIZE_CODE_32;
    case 48: return SIZE_CODE_48;
    default: return -1;
    }
}
}

COLORREF BlendColour(COLORREF crA, COLORREF crB, int nWeight)
{
    COLORREF crResult = 0;
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        int nA = (int)((crA >> nShift) & 0xFF);
        int nB = (int)((crB >> nShift) & 0xFF);
        int nChannel = nA * (255 - nWeight) / 255 + nB * nWeight / 255;
        crResult |= (COLORREF)(nChannel & 0xFF) << nShift;
    }
    return crResult;
}

CInterfaceTheme::CInterfaceTheme()
    : m_crWindow(0), m_crMidtone(0), m_crText(0), m_crHiText(0), m_crHiBorder(0), m_crHighlight(0),
      m_crBackNormal(0), m_crBackSel(0), m_crBackCheck(0), m_crBackCheckSel(0), m_crMargin(0), m_crBorder(0),
      m_crSysShadow(0), m_crCmdText(0), m_crCmdTextSel(0), m_crDisabled(0), m_crTipBack(0), m_crTipText(0),
      m_crTipBorder(0), m_crTipWarnings(0), m_crMsgBorder(0), m_crMsgBack(0), m_crCardBack(0),
      m_crMenuBorder(0), m_crMenuBack(0), m_crMenuHover(0), m_hOldBitmap(NULL)
{
    m_mapImages16.InitHashTable(MAP_BUCKETS_16);
    m_mapImages32.InitHashTable(MAP_BUCKETS_32);
    m_mapImages48.InitHashTable(MAP_BUCKETS_48);
    m_mapNameToID.InitHashTable(MAP_BUCKETS_NAMES);
}

CInterfaceTheme::~CInterfaceTheme()
{
    Clear();
    POSITION pos = m_mapIconWindows.GetStartPosition();
    while (pos)
    {
        HICON hIcon;
        HWND hWnd;
        m_mapIconWindows.GetNextAssoc(pos, hIcon, hWnd);
        ::DestroyIcon(hIcon);
    }
    m_mapIconWindows.RemoveAll();
}

void CInterfaceTheme::CalculateColours(BOOL bCustom)
{
    if (!bCustom)
    {
        m_crWindow = ::GetSysColor(COLOR_WINDOW);
        m_crMidtone = ::GetSysColor(COLOR_BTNFACE);
        m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
        m_crHiText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        m_crHiBorder = ::GetSysColor(COLOR_HIGHLIGHT);
        m_crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    }

    m_crBackNormal = BlendColour(m_crMidtone, m_crWindow, 215);
    m_crBackSel = BlendColour(m_crHighlight, m_crWindow, 178);
    m_crBackCheck = BlendColour(m_crHighlight, m_crWindow, 200);
    m_crBackCheckSel = BlendColour(m_crHighlight, m_crWindow, 127);
    m_crMargin = BlendColour(m_crMidtone, m_crWindow, 39);
    m_crSysShadow = BlendColour(m_crHighlight, ::GetSysColor(COLOR_BTNSHADOW), 200);
    m_crBorder = m_crHighlight;

    m_crCmdText = ::GetSysColor(COLOR_MENUTEXT);
    m_crCmdTextSel = ::GetSysColor(COLOR_MENUTEXT);
    m_crDisabled = ::GetSysColor(COLOR_GRAYTEXT);
    m_crTipBack = ::GetSysColor(COLOR_INFOBK);
    m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
    m_crTipBorder = BlendColour(m_crTipBack, 0x000000, 100);
    m_crTipWarnings = 0x404040;
}

void CInterfaceTheme::CreateFonts()
{
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntNormal.CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    m_fntBold.CreateFont(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void CInterfaceTheme::Clear()
{
    m_mapNameToID.RemoveAll();
    m_mapImages16.RemoveAll();
    m_mapImages32.RemoveAll();
    m_mapImages48.RemoveAll();
    m_ilImages16.DeleteImageList();
    m_ilImages32.DeleteImageList();
    m_ilImages48.DeleteImageList();
    ReleaseBuffer();
}

void CInterfaceTheme::Reset()
{
    CreateFonts();
    CalculateColours(FALSE);
    CreateImageLists();
}

BOOL CInterfaceTheme::LoadColourScheme(CXmlElement* pSection, COLORREF& crDialogBack)
{
    if (!pSection)
        return TRUE;

    // Base colours come first; the first other system colour derives the rest from them, so
    // it and every later entry override the derived values.
    BOOL bSystemSeen = FALSE;
    BOOL bDerived = FALSE;
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pColour = pSection->m_listChildren.GetNext(pos);
        if (!pColour->IsNamed(L"colour") && !pColour->IsNamed(L"color"))
            continue;

        CString strName = pColour->GetAttributeValue(L"name");
        strName.MakeLower();
        const COLOUR_KEY* pKey = FindColourKey(strName);
        if (!pKey)
            continue;
        COLORREF& crTarget = pKey->pMember ? this->*(pKey->pMember) : crDialogBack;

        CString strValue = pColour->GetAttributeValue(L"value");
        if (strValue.IsEmpty())
        {
            crTarget = NO_COLOUR;
            continue;
        }
        COLORREF crValue;
        if (!ParseColour(strValue, crValue))
            continue;
        if (strName.Find(L"system.") >= 0)
        {
            bSystemSeen = TRUE;
            if (!bDerived && strName.Find(L".base.") < 0)
            {
                bDerived = TRUE;
                CalculateColours(TRUE);
            }
        }
        crTarget = crValue;
    }
    if (bSystemSeen && !bDerived)
        CalculateColours(TRUE);
    return TRUE;
}

CDC* CInterfaceTheme::GetBufferDC(CDC* pDC, const CSize& size)
{
    if (size.cx <= m_szBuffer.cx && size.cy <= m_szBuffer.cy && m_dcBuffer.m_hDC)
    {
        m_dcBuffer.SelectClipRgn(NULL);
        return &m_dcBuffer;
    }
    if (!pDC || !pDC->m_hDC)
        return NULL;

    if (m_bmBuffer.m_hObject)
    {
        m_dcBuffer.SelectObject(m_hOldBitmap);
        m_bmBuffer.DeleteObject();
        m_hOldBitmap = NULL;
    }
    m_szBuffer.cx = std::max(m_szBuffer.cx, size.cx);
    m_szBuffer.cy = std::max(m_szBuffer.cy, size.cy);
    if (!m_dcBuffer.m_hDC && !m_dcBuffer.CreateCompatibleDC(pDC))
        return NULL;
    if (!m_bmBuffer.CreateCompatibleBitmap(pDC, m_szBuffer.cx, m_szBuffer.cy))
    {
        // Nothing is buffered, so the next request tries again.
        m_szBuffer = CSize(0, 0);
        return &m_dcBuffer;
    }
    m_hOldBitmap = (HBITMAP)m_dcBuffer.SelectObject((HGDIOBJ)m_bmBuffer.m_hObject);
    m_dcBuffer.SelectClipRgn(NULL);
    return &m_dcBuffer;
}

void CInterfaceTheme::ReleaseBuffer()
{
    if (m_bmBuffer.m_hObject)
    {
        m_dcBuffer.SelectObject(m_hOldBitmap);
        m_bmBuffer.DeleteObject();
    }
    m_hOldBitmap = NULL;
    m_dcBuffer.DeleteDC();
    m_szBuffer = CSize(0, 0);
}

UINT CInterfaceTheme::NameToID(const wchar_t* pszText) const
{
    if (!pszText)
        return 0;
    UINT nID;
    if (m_mapNameToID.Lookup(CString(pszText), nID))
        return nID;
    return (UINT)wcstoul(pszText, NULL, 10);
}

void CInterfaceTheme::SetNameID(const wchar_t* pszName, UINT nID)
{
    m_mapNameToID[CString(pszName)] = nID;
}

CImageList* CInterfaceTheme::ImageListOf(int nSize) const
{
    switch (nSize)
    {
    case SIZE_CODE_16: return const_cast<CImageList*>(&m_ilImages16);
    case SIZE_CODE_32: return const_cast<CImageList*>(&m_ilImages32);
    case SIZE_CODE_48: return const_cast<CImageList*>(&m_ilImages48);
    default: return NULL;
    }
}

CMap<UINT, UINT, int, int>* CInterfaceTheme::ImageMapOf(int nSize) const
{
    switch (nSize)
    {
    case SIZE_CODE_16: return const_cast<CMap<UINT, UINT, int, int>*>(&m_mapImages16);
    case SIZE_CODE_32: return const_cast<CMap<UINT, UINT, int, int>*>(&m_mapImages32);
    case SIZE_CODE_48: return const_cast<CMap<UINT, UINT, int, int>*>(&m_mapImages48);
    default: return NULL;
    }
}

CImageList* CInterfaceTheme::GetImageList(int nSize)
{
    CImageList* pList = ImageListOf(nSize);
    return pList && pList->m_hImageList ? pList : NULL;
}

BOOL CInterfaceTheme::CreateImageLists()
{
    static const UINT s_nColourFlags[] = { ILC_COLOR32, ILC_COLOR24, ILC_COLOR16 };
    BOOL bAll = TRUE;
    for (int nSize : { SIZE_CODE_16, SIZE_CODE_32, SIZE_CODE_48 })
    {
        CImageList* pList = ImageListOf(nSize);
        if (pList->m_hImageList)
            continue;
        int nPixels = PixelsOfSizeCode(nSize);
        BOOL bCreated = FALSE;
        for (UINT nFlags : s_nColourFlags)
            if ((bCreated = pList->Create(nPixels, nPixels, nFlags | ILC_MASK, 16, 4)) != FALSE)
                break;
        bAll = bAll && bCreated;
    }
    return bAll;
}

void CInterfaceTheme::AddIcon(UINT nCmdID, HICON hIcon, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    if (!pList || !hIcon)
        return;
    int nImage = ImageList_ReplaceIcon(pList->m_hImageList, -1, hIcon);
    if (nImage >= 0)
        (*ImageMapOf(nSize))[nCmdID] = nImage;
}

int CInterfaceTheme::GetImageIndex(UINT nCmdID, int nSize) const
{
    CMap<UINT, UINT, int, int>* pMap = ImageMapOf(nSize);
    int nImage;
    if (pMap && pMap->Lookup(nCmdID, nImage))
        return nImage;
    return -1;
}

HICON CInterfaceTheme::GetIcon(UINT nCmdID, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    int nImage = GetImageIndex(nCmdID, nSize);
    if (pList && nImage >= 0)
    {
        HICON hIcon = ImageList_GetIcon(pList->m_hImageList, nImage, ILD_NORMAL);
        if (hIcon)
            return hIcon;
    }

    // A null module handle would make LoadImageW hand out the system's own OEM icons.
    HINSTANCE hResource = AfxGetResourceHandle();
    WORD nResourceID = LOWORD(nCmdID);
    if (!hResource || !nResourceID)
        return NULL;
    int nPixels = PixelsOfSizeCode(nSize);
    HICON hIcon = (HICON)::LoadImageW(hResource, MAKEINTRESOURCEW(nResourceID), IMAGE_ICON, nPixels, nPixels, 0);
    if (hIcon)
        AddIcon(nCmdID, hIcon, nSize);
    return hIcon;
}

void CInterfaceTheme::Draw(CDC* pDC, int nImage, int x, int y, UINT nStyle, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    if (pList && nImage >= 0 && pDC)
        ImageList_Draw(pList->m_hImageList, nImage, pDC->m_hDC, x, y, nStyle);
}

void CInterfaceTheme::DrawEx(CDC* pDC, int nImage, int x, int y, int dx, int dy, COLORREF crBack,
                             COLORREF crFore, UINT nStyle, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    if (pList && nImage >= 0 && pDC)
        ImageList_DrawEx(pList->m_hImageList, nImage, pDC->m_hDC, x, y, dx, dy, crBack, crFore, nStyle);
}

BOOL CInterfaceTheme::AddImageStrip(CXmlElement* pBitmap, HBITMAP hBitmap, COLORREF crMask, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    if (!pList || !pBitmap || !hBitmap)
        return FALSE;
    int nFirst = ImageList_AddMasked(pList->m_hImageList, hBitmap, crMask);
    if (nFirst < 0)
        return FALSE;
    CMap<UINT, UINT, int, int>& mapImages = *ImageMapOf(nSize);

    int nPosition = 0;
    for (POSITION pos = pBitmap->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pImage = pBitmap->m_listChildren.GetNext(pos);
        if (!pImage->IsNamed(L"image"))
            continue;
        CString strIndex = pImage->GetAttributeValue(L"index");
        if (!strIndex.IsEmpty() && swscanf(strIndex, L"%i", &nPosition) != 1)
            continue;

        int nImage = nFirst + nPosition;
        UINT nID = NameToID(pImage->GetAttributeValue(L"id"));
        if (nID)
            mapImages[nID] = nImage;
        for (int n = 1; n <= 9; n++)
        {
            CString strAttribute;
            strAttribute.Format(L"id%d", n);
            nID = NameToID(pImage->GetAttributeValue(strAttribute));
            if (!nID)
                break;
            mapImages[nID] = nImage;
        }
        nPosition++;
    }
    return TRUE;
}

BOOL CInterfaceTheme::LoadCommandImages(CXmlElement* pSection, const CString& strFolder)
{
    if (!pSection)
        return TRUE;
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = pSection->m_listChildren.GetNext(pos);
        if (pChild->IsNamed(L"icon"))
            LoadIconImages(pChild, strFolder);
        else if (pChild->IsNamed(L"bitmap"))
            LoadBitmapImages(pChild, strFolder);
    }
    return TRUE;
}

BOOL CInterfaceTheme::LoadIconImages(CXmlElement* pIcon, const CString& strFolder)
{
    if (!pIcon)
        return FALSE;
    CString strPath = strFolder + pIcon->GetAttributeValue(L"path");
    UINT nID = NameToID(pIcon->GetAttributeValue(L"id"));
    if (!nID)
        return FALSE;

    CString strTypes = pIcon->GetAttributeValue(L"types", L"16");
    int nStart = 0;
    for (;;)
    {
        int nComma = strTypes.Find(L',', nStart);
        CString strPiece = nComma < 0 ? strTypes.Mid(nStart) : strTypes.Mid(nStart, nComma - nStart);
        int nPixels = _wtoi(strPiece);
        int nSize = SizeCodeOfPixels(nPixels);
        if (nSize < 0)
            return FALSE;

        HICON hIcon = NULL;
        ExtractIconFile(strPath, nPixels == 16 ? &hIcon : NULL, nPixels == 32 ? &hIcon : NULL,
                        nPixels == 48 ? &hIcon : NULL);
        if (!hIcon)
            return FALSE;
        AddIcon(nID, hIcon, nSize);
        ::DestroyIcon(hIcon);

        if (nComma < 0)
            return TRUE;
        nStart = nComma + 1;
    }
}

BOOL CInterfaceTheme::LoadBitmapImages(CXmlElement* pBitmap, const CString& strFolder)
{
    if (!pBitmap)
        return FALSE;
    CString strPath = strFolder + pBitmap->GetAttributeValue(L"path");
    COLORREF crMask;
    if (!ParseColour(pBitmap->GetAttributeValue(L"mask", L"00FF00"), crMask))
        return FALSE;
    int nSize = SizeCodeOfPixels(_wtoi(pBitmap->GetAttributeValue(L"types", L"16")));
    if (nSize < 0)
        return FALSE;

    HBITMAP hBitmap = (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!hBitmap)
        return FALSE;
    BOOL bResult = AddImageStrip(pBitmap, hBitmap, crMask, nSize);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CInterfaceTheme::ExtractIconFile(LPCTSTR pszPath, HICON* phSmall, HICON* phLarge, HICON* phHuge)
{
    if (phSmall)
        *phSmall = NULL;
    if (phLarge)
        *phLarge = NULL;
    if (phHuge)
        *phHuge = NULL;
    if ((!phSmall && !phLarge) || !pszPath)
        return FALSE;
    ::ExtractIconExW(pszPath, 0, phLarge, phSmall, 1);
    return (phSmall && *phSmall) || (phLarge && *phLarge);
}

void CInterfaceTheme::MapIconToWindow(HICON hIcon, HWND hWnd)
{
    if (hIcon)
        m_mapIconWindows[hIcon] = hWnd;
}

BOOL CInterfaceTheme::UnmapIcon(HICON hIcon)
{
    return m_mapIconWindows.RemoveKey(hIcon);
}
