#include <KorvoSkin/CUserHeadPhoto.h>
#include "../parts/CWindowDpi.h"
#include "CHeadPhotoPainter.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CUserHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CUserHeadPhoto, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

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

void CUserHeadPhoto::OnMouseMove(UINT, CPoint)
{
    m_pPainter->MouseMove(this);
    Default();
}

LRESULT CUserHeadPhoto::OnMouseLeave(WPARAM, LPARAM)
{
    m_pPainter->MouseLeave(this);
    return 1;
}

LRESULT CUserHeadPhoto::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeGraphic(query, m_pPainter->IsHover());
    });
    return lResult ? lResult : Default();
}

LRESULT CUserHeadPhoto::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pPainter->FollowDpi(this);
    return 0;
}
