#include "CImageList.h"
#include "AfxThreadState.h"
#include "CHandleMap.h"
#include "CDC.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

typedef CHandleMap<CImageList, HIMAGELIST> CImageListHandleMap;

static CImageListHandleMap& ImageListMap()
{
    CHandleMapBase*& pMap = AfxGetThreadState()->m_pHandleMaps[AFX_MAP_HIMAGELIST];
    if (!pMap)
        pMap = new CImageListHandleMap(
            [](HIMAGELIST h) { CImageList* p = new CImageList; p->m_hImageList = h; return p; },
            [](CImageList* p) { p->m_hImageList = NULL; });
    return *static_cast<CImageListHandleMap*>(pMap);
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
    if (!hImageList)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList)
        ImageListMap().RemoveHandle(hImageList);
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
