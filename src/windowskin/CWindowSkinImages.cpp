// A window skin's images: drawing the frame's parts along their modes and grids, the translucent
// frame made from an alpha image, and the watermark.
#include "CWindowSkin.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/SkinGrid.h"
#include <stdlib.h>

CRect CWindowSkin::ReadPartGrid(const CXmlElement* pPart, const CRect& rcPart, CSkinDiagnostics* pDiagnostics)
{
    const CXmlAttribute* pGrid = pPart->GetAttribute(L"grid");
    if (!pGrid)
        return CRect(0, 0, 0, 0);
    CRect rcGrid;
    if (!ReadSkinGrid(pGrid->m_strValue, rcGrid))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pGrid,
                   L"grid '" + pGrid->m_strValue + L"' is not four numbers from 0 to 32767: the part has no grid");
        return CRect(0, 0, 0, 0);
    }
    if (!CSkinImage::GridFits(CSize(abs(rcPart.Width()), abs(rcPart.Height())), rcGrid))
    {
        CString strMessage;
        strMessage.Format(L"grid '%s' leaves nothing of the %dx%d part between its margins: the part has no grid",
                          (LPCWSTR)pGrid->m_strValue, abs(rcPart.Width()), abs(rcPart.Height()));
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pGrid, strMessage);
        return CRect(0, 0, 0, 0);
    }
    return rcGrid;
}

void CWindowSkin::BlendAlphaImage(const CXmlElement* pElement, CSkinDiagnostics* pDiagnostics)
{
    m_imageBlended.Reset();
    if (!m_pImage || !m_pAlphaImage)
        return;
    const CSize size = m_pImage->GetSize();
    if (m_pAlphaImage->GetSize() != size)
    {
        CString strMessage;
        strMessage.Format(L"the alpha image is %dx%d, not the main image's %dx%d: the frame is drawn opaque",
                          (int)m_pAlphaImage->GetSize().cx, (int)m_pAlphaImage->GetSize().cy, (int)size.cx, (int)size.cy);
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement, strMessage);
        return;
    }
    if (!m_theme.m_images.CountPixels((LONGLONG)size.cx * size.cy))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                   L"the translucent frame would pass the load's pixel budget: the frame is drawn opaque");
        return;
    }
    // Both images read into 32-bit rows; each pixel's opacity is the alpha image's grey level.
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    std::vector<BYTE> colour((size_t)size.cx * size.cy * 4), alpha(colour.size());
    CClientDC screen(NULL);
    CBitmap blended;
    void* pBits = NULL;
    if (!::GetDIBits(screen.m_hDC, m_pImage->GetBitmap(), 0, size.cy, colour.data(), &info, DIB_RGB_COLORS) ||
        !::GetDIBits(screen.m_hDC, m_pAlphaImage->GetBitmap(), 0, size.cy, alpha.data(), &info, DIB_RGB_COLORS) ||
        !blended.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0)))
        return;
    BYTE* pOut = (BYTE*)pBits;
    for (size_t i = 0; i < colour.size(); i += 4)
    {
        const BYTE a = (BYTE)((alpha[i] + alpha[i + 1] * 2 + alpha[i + 2]) / 4);
        for (int c = 0; c < 3; c++)
            pOut[i + c] = (BYTE)((colour[i + c] * a + 127) / 255);
        pOut[i + 3] = a;
    }
    m_imageBlended.CopyFrom((HBITMAP)blended.m_hObject);
}

COLORREF CWindowSkin::BackgroundColour()
{
    return g_Registry.m_brDialogBack.m_hObject ? g_Registry.m_crDialogBack : ::GetSysColor(COLOR_BTNFACE);
}

void CWindowSkin::CopyPart(CDC* pDC, int nPart, int x, int y, const CDpiScale& scale, bool bUnder)
{
    const CRect& rcPart = m_pPartRects[nPart];
    const CRect rcDest(x, y, x + PartWidth(nPart, scale), y + PartHeight(nPart, scale));
    CSkinImage* pImage = FrameImage();
    if (bUnder && !pImage->IsOpaque(rcPart))
        pDC->FillSolidRect(rcDest, BackgroundColour());
    pImage->Draw(pDC->m_hDC, rcDest, rcPart);
}

void CWindowSkin::FillPart(CDC* pDC, int nPart, const CRect& rcDest, const CDpiScale& scale)
{
    CSkinImage* pImage = FrameImage();
    if (!pImage->IsOpaque(m_pPartRects[nPart]))
        pDC->FillSolidRect(rcDest, BackgroundColour());
    const int nFill = m_pPartMode[nPart] == MODE_STRETCH ? CSkinImage::FILL_STRETCH : CSkinImage::FILL_TILE;
    pImage->DrawGrid(pDC->m_hDC, rcDest, m_pPartRects[nPart], m_pPartGrids[nPart], nFill, scale);
}

void CWindowSkin::FillHorizontal(CDC* pDC, int nPart, int xStart, int xEnd, int y, const CDpiScale& scale)
{
    // A part written with a negative width would never advance.
    if (PartWidth(nPart, scale) > 0 && xStart < xEnd)
        FillPart(pDC, nPart, CRect(xStart, y, xEnd, y + PartHeight(nPart, scale)), scale);
}

void CWindowSkin::FillVertical(CDC* pDC, int nPart, int yStart, int yEnd, int x, const CDpiScale& scale)
{
    if (PartHeight(nPart, scale) > 0 && yStart < yEnd)
        FillPart(pDC, nPart, CRect(x, yStart, x + PartWidth(nPart, scale), yEnd), scale);
}

BOOL CWindowSkin::PaintWatermark(CWnd* pWnd, CDC* pDC)
{
    if (!m_pWatermark)
        return FALSE;
    const CSize size = m_pWatermark->GetSize();
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    if (m_pWatermark->HasAlpha())
        pDC->FillSolidRect(rcClient, BackgroundColour());
    return m_pWatermark->Draw(pDC->m_hDC, rcClient, CRect(0, 0, size.cx, size.cy), CSkinImage::FILL_TILE);
}

HBRUSH CWindowSkin::GetWatermarkBrush()
{
    // A pattern brush copies the bitmap, so the image may stay in its drawing DC.
    if (!m_brWatermark.m_hObject && m_pWatermark)
        m_brWatermark.CreatePatternBrush(m_pWatermark->GetBitmap());
    return (HBRUSH)m_brWatermark.m_hObject;
}
