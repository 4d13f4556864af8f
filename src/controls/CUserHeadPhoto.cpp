#include <KorvoSkin/CUserHeadPhoto.h>
#include "CHeadPhotoPainter.h"

IMPLEMENT_DYNAMIC(CUserHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CUserHeadPhoto, CStatic)
    ON_HEAD_PHOTO_MESSAGES()
    ON_WM_PAINT()
END_MESSAGE_MAP()

IMPLEMENT_HEAD_PHOTO_HANDLERS(CUserHeadPhoto)

CUserHeadPhoto::CUserHeadPhoto() : m_pPainter(std::make_unique<CHeadPhotoPainter>())
{
}

CUserHeadPhoto::~CUserHeadPhoto()
{
}

void CUserHeadPhoto::SetEraseBg(HBITMAP hNormal, HBITMAP hHover)
{
    m_pPainter->SetEraseBg(hNormal, hHover);
}

bool CUserHeadPhoto::SetUserPicture(CImageList* pImageList, DWORD nImage)
{
    if (!pImageList || !pImageList->m_hImageList)
        return false;
    int nCount = ImageList_GetImageCount(pImageList->m_hImageList);
    if (nCount <= 0 || nImage >= (DWORD)nCount)
        return false;
    m_pPainter->m_pImageList = pImageList;
    m_pPainter->m_nImage = nImage;
    if (m_hWnd)
        InvalidateRect(NULL, TRUE);
    return true;
}

void CUserHeadPhoto::SetGray(bool bGray)
{
    m_pPainter->SetGray(this, bGray);
}

BOOL CUserHeadPhoto::DestroyWindow()
{
    m_pPainter->m_pImageList = NULL;
    m_pPainter->m_nImage = 0;
    return CStatic::DestroyWindow();
}

void CUserHeadPhoto::OnPaint()
{
    m_pPainter->Paint(this, m_pPainter->m_pImageList, (int)m_pPainter->m_nImage);
}
