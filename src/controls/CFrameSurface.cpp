#include "CFrameSurface.h"
#include "../parts/CGdiSelect.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{
// Memory the kept frames of one animation may take.
const SIZE_T KEPT_FRAMES_BUDGET = 16 * 1024 * 1024;
}

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

void CFrameSurface::KeepFrame(HDC hTargetDC, UINT nFrame)
{
    if (!m_pGraphics || (nFrame < m_frames.size() && m_frames[nFrame]))
        return;
    const SIZE_T nFrameBytes = (SIZE_T)m_size.cx * m_size.cy * 4;
    if (nFrameBytes == 0 || (SIZE_T)(nFrame + 1) > KEPT_FRAMES_BUDGET / nFrameBytes)
        return;
    if (!m_dcFrame.m_hDC && !m_dcFrame.Attach(::CreateCompatibleDC(hTargetDC)))
        return;
    std::unique_ptr<CBitmap> pFrame(new CBitmap);
    if (!pFrame->Attach(::CreateCompatibleBitmap(hTargetDC, m_size.cx, m_size.cy)))
        return;
    BOOL bCopied;
    {
        CGdiSelect frame(m_dcFrame.m_hDC, pFrame->m_hObject);
        bCopied = frame.IsSelected() && ::BitBlt(m_dcFrame.m_hDC, 0, 0, m_size.cx, m_size.cy, m_dc.m_hDC, 0, 0, SRCCOPY);
    }
    if (!bCopied)
        return;
    if (m_frames.size() <= nFrame)
        m_frames.resize(nFrame + 1);
    m_frames[nFrame] = std::move(pFrame);
}

bool CFrameSurface::CopyKeptFrameTo(HDC hTargetDC, UINT nFrame)
{
    if (!m_pGraphics || nFrame >= m_frames.size() || !m_frames[nFrame] || !m_dcFrame.m_hDC)
        return false;
    CGdiSelect frame(m_dcFrame.m_hDC, m_frames[nFrame]->m_hObject);
    return frame.IsSelected() && ::BitBlt(hTargetDC, 0, 0, m_size.cx, m_size.cy, m_dcFrame.m_hDC, 0, 0, SRCCOPY);
}

void CFrameSurface::Release()
{
    // The kept frames were composed at the old size.
    m_frames.clear();
    m_dcFrame.DeleteDC();
    m_pGraphics.reset();
    if (m_hOldBitmap)
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
    m_hOldBitmap = NULL;
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_size = CSize(0, 0);
}
