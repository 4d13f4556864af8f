#include "CFrameSurface.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

CFrameSurface::CFrameSurface() : m_hOldBitmap(NULL), m_size(0, 0)
{
}

CFrameSurface::~CFrameSurface()
{
    Release();
}

bool CFrameSurface::Prepare(HDC hTargetDC, const CSize& size)
{
    if (m_pGraphics && size == m_size)
        return true;
    Release();
    if (!hTargetDC || size.cx <= 0 || size.cy <= 0)
        return false;
    if (!m_dc.Attach(::CreateCompatibleDC(hTargetDC)))
        return false;
    if (!m_bitmap.Attach(::CreateCompatibleBitmap(hTargetDC, size.cx, size.cy)))
    {
        Release();
        return false;
    }
    m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
    GpGraphics* pGraphics = NULL;
    if (GdipCreateFromHDC(m_dc.m_hDC, &pGraphics) != Ok || !pGraphics)
    {
        Release();
        return false;
    }
    m_pGraphics.reset(pGraphics);
    m_size = size;
    return true;
}

void CFrameSurface::CopyTo(HDC hTargetDC) const
{
    if (m_pGraphics)
        ::BitBlt(hTargetDC, 0, 0, m_size.cx, m_size.cy, m_dc.m_hDC, 0, 0, SRCCOPY);
}

void CFrameSurface::Release()
{
    m_pGraphics.reset();
    if (m_hOldBitmap)
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
    m_hOldBitmap = NULL;
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_size = CSize(0, 0);
}
