#include <KorvoSkin/CGroupHeadPhoto.h>
#include "CHeadPhotoPainter.h"

IMPLEMENT_DYNAMIC(CGroupHeadPhoto, CStatic)

BEGIN_MESSAGE_MAP(CGroupHeadPhoto, CStatic)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CGroupHeadPhoto::CGroupHeadPhoto() : m_hEraseBg(NULL), m_hEraseBgHover(NULL), m_hPhoto(NULL), m_bHover(false), m_bGray(false)
{
}

CGroupHeadPhoto::~CGroupHeadPhoto()
{
    Destroy();
}

void CGroupHeadPhoto::SetEraseBg(HBITMAP hNormal, HBITMAP hHover)
{
    m_hEraseBg = hNormal;
    m_hEraseBgHover = hHover;
}

bool CGroupHeadPhoto::Load(CString strPath)
{
    // A second Load would otherwise lose the first portrait's bitmap.
    Destroy();
    m_hPhoto = (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    return m_hPhoto != NULL;
}

void CGroupHeadPhoto::Destroy()
{
    if (m_hPhoto)
        ::DeleteObject(m_hPhoto);
    m_hPhoto = NULL;
}

void CGroupHeadPhoto::SetGray(bool bGray)
{
    m_bGray = bGray;
    if (m_hWnd)
        InvalidateRect(NULL, TRUE);
}

void CGroupHeadPhoto::OnPaint()
{
    CPaintDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CHeadPhotoPainter::PaintBackground(&dc, rcWindow.Size(), m_hEraseBg, m_hEraseBgHover, m_bHover);
    if (!m_hPhoto)
        return;
    CHeadPhotoPainter painter(&dc);
    CDC dcPhoto;
    if (!painter.Square() || !dcPhoto.CreateCompatibleDC(&dc))
        return;
    // Cropped to the square, not scaled.
    HGDIOBJ hOld = ::SelectObject(dcPhoto.m_hDC, m_hPhoto);
    ::BitBlt(painter.Square()->m_hDC, 0, 0, CHeadPhotoPainter::PORTRAIT_SIZE, CHeadPhotoPainter::PORTRAIT_SIZE, dcPhoto.m_hDC,
             0, 0, SRCCOPY);
    ::SelectObject(dcPhoto.m_hDC, hOld);
    painter.Put(m_bGray);
}

void CGroupHeadPhoto::OnMouseMove(UINT, CPoint)
{
    CHeadPhotoPainter::EnterHover(this, m_bHover);
    Default();
}

LRESULT CGroupHeadPhoto::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = false;
    InvalidateRect(NULL, TRUE);
    return 1;
}
