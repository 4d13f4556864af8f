#include "CImageList.h"
#include "AfxThreadState.h"
#include "CHandleMap.h"
#include "CDC.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

typedef CHandleMap<CImageList, HIMAGELIST> CImageListHandleMap;

static CImageListHandleMap& ImageListMap()
{
    return CImageListHandleMap::ForThread<&CImageList::m_hImageList>(AFX_MAP_HIMAGELIST);
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap().FromHandle(hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return ImageListMap().Attach(this, m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return ImageListMap().Detach(m_hImageList);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList && pImageList->m_hImageList && Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, pbmImage ? (HBITMAP)pbmImage->m_hObject : NULL,
                         pbmMask ? (HBITMAP)pbmMask->m_hObject : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, pbmImage ? (HBITMAP)pbmImage->m_hObject : NULL, crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC ? pDC->m_hDC : NULL, pt.x, pt.y, nStyle);
}
