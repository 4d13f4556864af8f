// Command images: the three image lists, strips and icon files read into them, and icons
// handed out from them.
#include "CInterfaceTheme.h"
#include "CIconFile.h"
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>

namespace
{
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

// An empty list of square images, in the deepest colour the system gives.
BOOL CreateEmptyList(CImageList& list, int nPixels)
{
    for (UINT nFlags : { ILC_COLOR32, ILC_COLOR24, ILC_COLOR16 })
        if (list.Create(nPixels, nPixels, nFlags | ILC_MASK, 16, 4))
            return TRUE;
    return FALSE;
}

// Appends an icon to a list. An icon already of the list's size in 32-bit colour goes in as its
// own colour and mask bitmaps, the same pixels at a fraction of the cost of converting the icon;
// any other is converted (and scaled) by the list.
int AppendIcon(HIMAGELIST hList, HICON hIcon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return -1;
    CBitmap colour, mask;
    colour.Attach(info.hbmColor);
    mask.Attach(info.hbmMask);
    BITMAP bm = {};
    int cx = 0, cy = 0;
    if (info.hbmColor && ImageList_GetIconSize(hList, &cx, &cy) && ::GetObjectW(info.hbmColor, sizeof(bm), &bm) &&
        bm.bmBitsPixel == 32 && bm.bmWidth == cx && bm.bmHeight == cy)
        return ImageList_Add(hList, info.hbmColor, info.hbmMask);
    return ImageList_ReplaceIcon(hList, -1, hIcon);
}

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

CImageList* CInterfaceTheme::BaseListOf(int nSize)
{
    switch (nSize)
    {
    case SIZE_CODE_16: return &m_ilBase16;
    case SIZE_CODE_32: return &m_ilBase32;
    case SIZE_CODE_48: return &m_ilBase48;
    default: return NULL;
    }
}

BOOL CInterfaceTheme::CreateImageLists()
{
    BOOL bAll = TRUE;
    for (int nSize : { SIZE_CODE_16, SIZE_CODE_32, SIZE_CODE_48 })
    {
        CImageList* pList = ImageListOf(nSize);
        if (pList->m_hImageList)
            continue;
        CImageList* pBase = BaseListOf(nSize);
        if (pBase->m_hImageList && pList->Create(pBase))
        {
            for (const BASE_IMAGE& image : m_baseImages)
                if (image.nSize == nSize)
                    (*ImageMapOf(nSize))[image.nCmdID] = image.nImage;
            continue;
        }
        bAll = CreateEmptyList(*pList, PixelsOfSizeCode(nSize)) && bAll;
    }
    return bAll;
}

void CInterfaceTheme::AddBaseIcon(UINT nCmdID, HICON hIcon, int nSize)
{
    CImageList* pBase = BaseListOf(nSize);
    if (!pBase || !hIcon || (!pBase->m_hImageList && !CreateEmptyList(*pBase, PixelsOfSizeCode(nSize))))
        return;
    int nImage = AppendIcon(pBase->m_hImageList, hIcon);
    if (nImage < 0)
        return;
    m_baseImages.push_back({ nSize, nCmdID, nImage });
    AddIcon(nCmdID, hIcon, nSize);
}

void CInterfaceTheme::AddIcon(UINT nCmdID, HICON hIcon, int nSize)
{
    CImageList* pList = GetImageList(nSize);
    if (!pList || !hIcon || ImageList_GetImageCount(pList->m_hImageList) >= MAX_COMMAND_IMAGES)
        return;
    int nImage = AppendIcon(pList->m_hImageList, hIcon);
    if (nImage >= 0)
    {
        (*ImageMapOf(nSize))[nCmdID] = nImage;
        m_scaled.Forget(nCmdID);
    }
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

BOOL CInterfaceTheme::DrawSizedImage(const SIZED_IMAGE& image, CDC* pDC, int x, int y)
{
    return pDC && m_drawings.Draw(image.hList, image.nImage, pDC->m_hDC, x, y);
}

int CInterfaceTheme::ImagePixelsForDpi(UINT nDpi)
{
    const int nWanted = CDpiScale(nDpi).Scale(16);
    int nBest = CScaledCommandImages::SIZES[0];
    for (int nPixels : CScaledCommandImages::SIZES)
        if (abs(nPixels - nWanted) < abs(nBest - nWanted))
            nBest = nPixels;
    return nBest;
}

BOOL CInterfaceTheme::GetSizedImage(UINT nCmdID, int nPixels, SIZED_IMAGE& image)
{
    // The command's images in the load's own lists, smallest first.
    struct
    {
        int nPixels, nSize;
    } const owned[] = { { 16, SIZE_CODE_16 }, { 32, SIZE_CODE_32 }, { 48, SIZE_CODE_48 } };
    // A command shows an image at any size only when it has its 16-pixel one, so a skin shows
    // images for the same commands at every DPI as it always has at 96.
    if (GetImageIndex(nCmdID, SIZE_CODE_16) < 0 || !GetImageList(SIZE_CODE_16))
        return FALSE;
    int nSource = -1;
    for (int n = 0; n < 3; n++)
    {
        if (GetImageIndex(nCmdID, owned[n].nSize) < 0 || !GetImageList(owned[n].nSize))
            continue;
        if (owned[n].nPixels == nPixels)
        {
            image = { GetImageList(owned[n].nSize)->m_hImageList, GetImageIndex(nCmdID, owned[n].nSize), nPixels };
            return TRUE;
        }
        // The first larger one, else the largest smaller one.
        if (nSource < 0 || owned[nSource].nPixels < nPixels)
            nSource = n;
    }
    if (nSource < 0)
        return FALSE;
    image = { GetImageList(owned[nSource].nSize)->m_hImageList, GetImageIndex(nCmdID, owned[nSource].nSize),
              owned[nSource].nPixels };
    int nMade = m_scaled.Find(nCmdID, nPixels);
    CScaledCommandImages::PIXELS source;
    if (nMade < 0 && CScaledCommandImages::ReadListImage(image.hList, image.nImage, source))
        nMade = m_scaled.Add(nCmdID, nPixels, source);
    if (nMade >= 0)
        image = { m_scaled.GetList(nPixels), nMade, nPixels };
    return TRUE;
}

BOOL CInterfaceTheme::AddImageStrip(CXmlElement* pBitmap, CSkinImage& image, COLORREF crMask, int nSize,
                                    CSkinDiagnostics* pDiagnostics)
{
    CImageList* pList = GetImageList(nSize);
    BITMAP info = {};
    if (!pList || !pBitmap || !image.GetBitmap() || !::GetObjectW(image.GetBitmap(), sizeof(info), &info))
        return FALSE;
    const int nPixels = PixelsOfSizeCode(nSize);
    if (info.bmWidth / nPixels > MAX_COMMAND_IMAGES - ImageList_GetImageCount(pList->m_hImageList))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pBitmap,
                   L"the strip would pass 4096 command images of its size: it is not added");
        return FALSE;
    }
    const int nStripImages = info.bmWidth / nPixels;
    if (pDiagnostics && (info.bmHeight < nPixels || nStripImages < 1))
    {
        CString strSize;
        strSize.Format(L"%dx%d", (int)info.bmWidth, (int)info.bmHeight);
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pBitmap, L"path"),
                   L"image '" + pBitmap->GetAttributeValue(L"path") + L"' (" + strSize +
                   L") cannot hold one square image of the strip's size");
    }
    // Masking blackens the bitmap's mask colour in place, and the bitmap may be shared: the
    // list is given a copy of the rows it takes. A translucent strip brings its own alpha.
    CBitmap copy;
    if (!CScaledCommandImages::CopyStripRows(image, info.bmWidth, std::min<int>(info.bmHeight, nPixels), copy))
        return FALSE;
    int nFirst = image.HasAlpha() ? ImageList_Add(pList->m_hImageList, (HBITMAP)copy.m_hObject, NULL)
                                  : ImageList_AddMasked(pList->m_hImageList, (HBITMAP)copy.m_hObject, crMask);
    if (nFirst < 0)
        return FALSE;
    CMap<UINT, UINT, int, int>& mapImages = *ImageMapOf(nSize);
    // The commands the strip maps, with their positions in it.
    std::vector<std::pair<UINT, int>> commands;

    int nPosition = 0;
    for (POSITION pos = pBitmap->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pImage = pBitmap->m_listChildren.GetNext(pos);
        if (!pImage->IsNamed(L"image"))
        {
            SkinReportUnknownElement(pDiagnostics, pImage, pBitmap);
            continue;
        }
        SkinCheckAttributes(pDiagnostics, pImage, { L"index", L"id", L"id1", L"id2", L"id3", L"id4", L"id5", L"id6",
                                                    L"id7", L"id8", L"id9" });
        CString strIndex = pImage->GetAttributeValue(L"index");
        int nIndex = nPosition;
        if (!strIndex.IsEmpty() && swscanf(strIndex, L"%i", &nIndex) != 1)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pImage, L"index"),
                       L"index '" + strIndex + L"' is not a number: <image> is skipped");
            continue;
        }
        // A position no list can reach maps nothing, and cannot overflow the sum below.
        if (nIndex < 0 || nIndex >= MAX_COMMAND_IMAGES)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pImage, L"index"),
                       L"index '" + strIndex + L"' is outside 0 to 4095: <image> is skipped");
            continue;
        }
        nPosition = nIndex;
        if (pDiagnostics && nPosition >= nStripImages)
        {
            CString strCount;
            strCount.Format(L"%d", nPosition);
            CString strImages;
            strImages.Format(L"%d", nStripImages);
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pImage,
                       L"position " + strCount + L" is past the " + strImages + L" images of the strip");
        }

        int nImage = nFirst + nPosition;
        UINT nID = ResolveID(pImage, L"id", pDiagnostics);
        if (nID)
        {
            mapImages[nID] = nImage;
            commands.push_back({ nID, nPosition });
        }
        for (int n = 1; n <= 9; n++)
        {
            CString strAttribute;
            strAttribute.Format(L"id%d", n);
            nID = NameToID(pImage->GetAttributeValue(strAttribute));
            if (!nID)
                break;
            mapImages[nID] = nImage;
            commands.push_back({ nID, nPosition });
        }
        nPosition++;
    }
    // The strip gives its commands new sources; its variants, their images at those scales.
    for (const auto& command : commands)
        m_scaled.Forget(command.first);
    if (nSize == SIZE_CODE_16)
        for (int nPercent : { CSkinImage::VARIANT_150, CSkinImage::VARIANT_200 })
            if (CSkinImage* pVariant = image.GetVariant(nPercent))
                m_scaled.AddStripVariant(*pVariant, 16 * nPercent / 100, crMask, commands);
    return TRUE;
}

BOOL CInterfaceTheme::LoadCommandImages(CXmlElement* pSection, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    if (!pSection)
        return TRUE;
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pChild = pSection->m_listChildren.GetNext(pos);
        if (pChild->IsNamed(L"icon"))
            LoadIconImages(pChild, strFolder, pDiagnostics);
        else if (pChild->IsNamed(L"bitmap"))
            LoadBitmapImages(pChild, strFolder, pDiagnostics);
        else
            SkinReportUnknownElement(pDiagnostics, pChild, pSection);
    }
    return TRUE;
}

BOOL CInterfaceTheme::LoadIconImages(CXmlElement* pIcon, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    if (!pIcon)
        return FALSE;
    SkinCheckAttributes(pDiagnostics, pIcon, { L"id", L"path", L"types" });
    CString strPath = strFolder + pIcon->GetAttributeValue(L"path");
    UINT nID = ResolveID(pIcon, L"id", pDiagnostics);
    if (!nID)
        return FALSE;

    // Read once, at the first size that needs the file.
    CIconFile file;
    BOOL bRead = FALSE;
    CString strTypes = pIcon->GetAttributeValue(L"types", L"16");
    int nStart = 0;
    for (;;)
    {
        int nComma = strTypes.Find(L',', nStart);
        CString strPiece = nComma < 0 ? strTypes.Mid(nStart) : strTypes.Mid(nStart, nComma - nStart);
        int nPixels = _wtoi(strPiece);
        int nSize = SizeCodeOfPixels(nPixels);
        // No 48-pixel icon is taken from a file.
        if (nSize < 0 || nPixels == 48)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pIcon, L"types"),
                       L"icon size '" + strPiece + L"' is not 16 or 32: it and the sizes after it are skipped");
            return FALSE;
        }
        if (!bRead && !(bRead = m_images.ReadIconFile(strPath, file)))
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pIcon, L"path"),
                       L"icon file '" + pIcon->GetAttributeValue(L"path") + L"' cannot be read as an .ico file");
            return FALSE;
        }
        if (!m_images.CountIcon())
            return FALSE;
        HICON hIcon = file.CreateIcon(nPixels);
        if (!hIcon)
            return FALSE;
        AddIcon(nID, hIcon, nSize);
        ::DestroyIcon(hIcon);

        if (nComma < 0)
            return TRUE;
        nStart = nComma + 1;
    }
}

BOOL CInterfaceTheme::LoadBitmapImages(CXmlElement* pBitmap, const CString& strFolder, CSkinDiagnostics* pDiagnostics)
{
    if (!pBitmap)
        return FALSE;
    SkinCheckAttributes(pDiagnostics, pBitmap, { L"path", L"types", L"mask" });
    CString strPath = strFolder + pBitmap->GetAttributeValue(L"path");
    COLORREF crMask;
    if (!ParseSkinColour(pBitmap->GetAttributeValue(L"mask", L"00FF00"), crMask))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pBitmap, L"mask"),
                   L"mask '" + pBitmap->GetAttributeValue(L"mask") + L"' is not six hexadecimal digits: the strip is skipped");
        return FALSE;
    }
    int nSize = SizeCodeOfPixels(_wtoi(pBitmap->GetAttributeValue(L"types", L"16")));
    if (nSize < 0)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pBitmap, L"types"),
                   L"strip size '" + pBitmap->GetAttributeValue(L"types") + L"' is not 16, 32 or 48: the strip is skipped");
        return FALSE;
    }

    // Borrowed from the load's images, which keep it.
    CSkinImage* pImage = m_images.BorrowImage(strPath);
    if (!pImage)
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pBitmap, L"path"),
                   L"image '" + pBitmap->GetAttributeValue(L"path") + L"' " + m_images.DescribeFailure(strPath) +
                       L": the strip is skipped");
        return FALSE;
    }
    return AddImageStrip(pBitmap, *pImage, crMask, nSize, pDiagnostics);
}

BOOL CInterfaceTheme::ExtractIconFile(LPCTSTR pszPath, HICON* phSmall, HICON* phLarge, HICON* phHuge)
{
    if (phSmall)
        *phSmall = NULL;
    if (phLarge)
        *phLarge = NULL;
    if (phHuge)
        *phHuge = NULL;
    CIconFile file;
    if ((!phSmall && !phLarge) || !pszPath || !file.Read(pszPath))
        return FALSE;
    if (phSmall)
        *phSmall = file.CreateIcon(16);
    if (phLarge)
        *phLarge = file.CreateIcon(32);
    return (phSmall && *phSmall) || (phLarge && *phLarge);
}
