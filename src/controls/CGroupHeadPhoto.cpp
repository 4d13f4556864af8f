#include <KorvoSkin/CGroupHeadPhoto.h>
#include "CHeadPhotoPainter.h"
#include "CPictureHeader.h"

IMPLEMENT_DYNAMIC(CGroupHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CGroupHeadPhoto, CStatic)
    ON_HEAD_PHOTO_MESSAGES()
    ON_WM_PAINT()
END_MESSAGE_MAP()

IMPLEMENT_HEAD_PHOTO_HANDLERS(CGroupHeadPhoto)

CGroupHeadPhoto::CGroupHeadPhoto() : m_pPainter(std::make_unique<CHeadPhotoPainter>())
{
}

CGroupHeadPhoto::~CGroupHeadPhoto()
{
}

void CGroupHeadPhoto::SetEraseBg(HBITMAP hNormal, HBITMAP hHover)
{
    m_pPainter->SetEraseBg(hNormal, hHover);
}

bool CGroupHeadPhoto::Load(CString strPath)
{
    // A second Load would otherwise lose the first portrait's bitmap.
    Destroy();
    if (!CPictureHeader::IsWithinBounds(strPath))
        return false;
    return m_pPainter->m_photo.Attach(::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)) != FALSE;
}

void CGroupHeadPhoto::Destroy()
{
    m_pPainter->m_photo.DeleteObject();
}

void CGroupHeadPhoto::SetGray(bool bGray)
{
    m_pPainter->SetGray(this, bGray);
}

void CGroupHeadPhoto::OnPaint()
{
    m_pPainter->Paint(this, (HBITMAP)m_pPainter->m_photo.m_hObject);
}
