#include <KorvoSkin/CGroupHeadPhoto.h>
#include "../parts/CWindowDpi.h"
#include "CHeadPhotoPainter.h"
#include "CPictureHeader.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CGroupHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CGroupHeadPhoto, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

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

void CGroupHeadPhoto::OnMouseMove(UINT, CPoint)
{
    m_pPainter->MouseMove(this);
    Default();
}

LRESULT CGroupHeadPhoto::OnMouseLeave(WPARAM, LPARAM)
{
    m_pPainter->MouseLeave(this);
    return 1;
}

LRESULT CGroupHeadPhoto::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeGraphic(query, m_pPainter->IsHover());
    });
    return lResult ? lResult : Default();
}

LRESULT CGroupHeadPhoto::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pPainter->FollowDpi(this);
    return 0;
}
