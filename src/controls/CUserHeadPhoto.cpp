#include <KorvoSkin/CUserHeadPhoto.h>
#include "CHeadPhotoPainter.h"

IMPLEMENT_DYNAMIC(CUserHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CUserHeadPhoto, CStatic)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CUserHeadPhoto::CUserHeadPhoto()
    : m_hEraseBg(NULL), m_hEraseBgHover(NULL), m_pImageList(NULL), m_nImage(0), m_bHover(false), m_bGray(false)
{
}

CUserHeadPhoto::~CUserHeadPhoto()
{
}

void CUserHeadPhoto::SetEraseBg(HBITMAP hNormal, HBITMAP hHover)
{
    m_hEraseBg = hNormal;
    m_hEraseBgHover = hHover;
}

bool CUserHeadPhoto::SetUserPicture(CImageList* pImageList, DWORD nImage)
{
    if (!pImageList || !pImageList->m_hImageList)
        return false;
    int nCount = ImageList_GetImageCount(pImageList->m_hImageList);
    if (nCount <= 0 || nImage >= (DWORD)nCount)
        return false;
    m_pImageList = pImageList;
    m_nImage = nImage;
    if (m_hWnd)
        InvalidateRect(NULL, TRUE);
    return true;
}

void CUserHeadPhoto::SetGray(bool bGray)
{
    m_bGray = bGray;
    if (m_hWnd)
        InvalidateRect(NULL, TRUE);
}

BOOL CUserHeadPhoto::DestroyWindow()
{
    m_pImageList = NULL;
    m_nImage = 0;
    return CStatic::DestroyWindow();
}

void CUserHeadPhoto::OnPaint()
{
    CPaintDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CHeadPhotoPainter::PaintBackground(&dc, rcWindow.Size(), m_hEraseBg, m_hEraseBgHover, m_bHover);
    if (!m_pImageList)
        return;
    CHeadPhotoPainter painter(&dc);
    if (!painter.Square())
        return;
    ImageList_Draw(m_pImageList->m_hImageList, (int)m_nImage, painter.Square()->m_hDC, 0, 0, ILD_NORMAL);
    painter.Put(m_bGray);
}

void CUserHeadPhoto::OnMouseMove(UINT, CPoint)
{
    CHeadPhotoPainter::EnterHover(this, m_bHover);
    Default();
}

LRESULT CUserHeadPhoto::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    InvalidateRect(NULL, TRUE);
    return 1;
}
