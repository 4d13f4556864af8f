// A window skin's images: drawing the frame's parts along their modes and grids, the translucent
// frame made from an alpha image, and the watermark.
#include "CWindowSkin.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../parts/CGdiSelect.h"
#include "../theme/SkinGrid.h"
#include <new>
#include <stdlib.h>

namespace
{
// The colour image with the alpha image's grey levels as its opacity, premultiplied; both the
// same size. FALSE when it cannot be made.
BOOL Blend(CSkinImage& colourImage, CSkinImage& alphaImage, CSkinImage& blendedImage)
{
    const CSize size = colourImage.GetSize();
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    std::vector<BYTE> colour((size_t)size.cx * size.cy * 4), alpha(colour.size());
    CClientDC screen(NULL);
    CBitmap blended;
    void* pBits = NULL;
    if (!::GetDIBits(screen.m_hDC, colourImage.GetBitmap(), 0, size.cy, colour.data(), &info, DIB_RGB_COLORS) ||
        !::GetDIBits(screen.m_hDC, alphaImage.GetBitmap(), 0, size.cy, alpha.data(), &info, DIB_RGB_COLORS) ||
        !blended.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0)))
        return FALSE;
    BYTE* pOut = (BYTE*)pBits;
    for (size_t i = 0; i < colour.size(); i += 4)
    {
        const BYTE a = (BYTE)((alpha[i] + alpha[i + 1] * 2 + alpha[i + 2]) / 4);
        for (int c = 0; c < 3; c++)
            pOut[i + c] = (BYTE)((colour[i + c] * a + 127) / 255);
        pOut[i + 3] = a;
    }
    return blendedImage.CopyFrom((HBITMAP)blended.m_hObject);
}
}

CRect CWindowSkin::ReadPartGrid(const CXmlElement* pPart, const CRect& rcPart, CSkinDiagnostics* pDiagnostics,
                                const wchar_t* pszWhat)
{
    const CXmlAttribute* pGrid = pPart->GetAttribute(L"grid");
    if (!pGrid)
        return CRect(0, 0, 0, 0);
    CRect rcGrid;
    if (!ReadSkinGrid(pGrid->m_strValue, rcGrid))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pGrid,
                   L"grid '" + pGrid->m_strValue + L"' is not four numbers from 0 to 32767: the " + pszWhat +
                       L" has no grid");
        return CRect(0, 0, 0, 0);
    }
    if (!CSkinImage::GridFits(CSize(abs(rcPart.Width()), abs(rcPart.Height())), rcGrid))
    {
        CString strMessage;
        strMessage.Format(L"grid '%s' leaves nothing of the %dx%d %s between its margins: the %s has no grid",
                          (LPCWSTR)pGrid->m_strValue, abs(rcPart.Width()), abs(rcPart.Height()), pszWhat, pszWhat);
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
    if (!m_theme.Images().CountPixels((LONGLONG)size.cx * size.cy))
    {
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                   L"the translucent frame would pass the load's pixel budget: the frame is drawn opaque");
        return;
    }
    if (!Blend(*m_pImage, *m_pAlphaImage, m_imageBlended))
        return;
    // The higher-DPI variants both images have blend the same way; where either lacks one, the
    // translucent frame scales its 1x pixels.
    for (int nPercent : { CSkinImage::VARIANT_150, CSkinImage::VARIANT_200 })
    {
        CSkinImage* pColour = m_pImage->GetVariant(nPercent);
        CSkinImage* pAlpha = m_pAlphaImage->GetVariant(nPercent);
        std::unique_ptr<CSkinImage> pBlended(new (std::nothrow) CSkinImage);
        if (pColour && pAlpha && pColour->GetSize() == pAlpha->GetSize() && pBlended &&
            Blend(*pColour, *pAlpha, *pBlended) && m_theme.Images().CountPixels(pBlended->GetPixelCount()))
            m_imageBlended.AddVariant(nPercent, pBlended);
    }
}

COLORREF CWindowSkin::BackgroundColour() const
{
    return m_theme.DialogBackColour();
}

void CWindowSkin::CopyPart(CDC* pDC, int nPart, int x, int y, const CDpiScale& scale, bool bUnder)
{
    const CRect& rcPart = m_pPartRects[nPart];
    const CRect rcDest(x, y, x + PartWidth(nPart, scale), y + PartHeight(nPart, scale));
    CSkinImage* pImage = FrameImage();
    if (bUnder && !pImage->IsOpaque(rcPart))
        pDC->FillSolidRect(rcDest, BackgroundColour());
    pImage->Draw(pDC->m_hDC, rcDest, rcPart, CSkinImage::FILL_STRETCH, scale);
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

void CWindowSkin::DrawWatermark(CDC* pDC, const CRect& rcClient, const CDpiScale& scale)
{
    const CSize size = m_pWatermark->GetSize();
    if (m_pWatermark->HasAlpha())
        pDC->FillSolidRect(rcClient, BackgroundColour());
    if (m_rcWatermarkGrid.IsRectNull())
        m_pWatermark->Draw(pDC->m_hDC, rcClient, CRect(CPoint(0, 0), size), CSkinImage::FILL_TILE, scale);
    else
        m_pWatermark->DrawGrid(pDC->m_hDC, rcClient, CRect(CPoint(0, 0), size), m_rcWatermarkGrid,
                               CSkinImage::FILL_STRETCH, scale);
}

BOOL CWindowSkin::PaintWatermark(CWnd* pWnd, CDC* pDC)
{
    if (!m_pWatermark)
        return FALSE;
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    DrawWatermark(pDC, rcClient, ScaleOf(pWnd));
    return TRUE;
}

HBRUSH CWindowSkin::GetWatermarkBrush(CWnd* pWnd, CWindowSkinState& state)
{
    if (!m_pWatermark)
        return NULL;
    const CDpiScale scale = ScaleOf(pWnd);
    const bool bPanel = !m_rcWatermarkGrid.IsRectNull();
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    // A panel repeats nowhere: its pattern is the whole client area.
    const CSize sizePattern = bPanel ? rcClient.Size() : scale.Scale(m_pWatermark->GetSize());
    if (state.brWatermark.m_hObject && state.nWatermarkBrushDpi == scale.GetDpi() && state.sizeWatermarkBrush == sizePattern)
        return (HBRUSH)state.brWatermark.m_hObject;
    state.brWatermark.DeleteObject();
    state.nWatermarkBrushDpi = scale.GetDpi();
    state.sizeWatermarkBrush = sizePattern;
    // A pattern brush copies the bitmap, so the image may stay in its drawing DC.
    if (!bPanel && scale.IsBase() && !m_pWatermark->HasAlpha())
    {
        state.brWatermark.CreatePatternBrush(m_pWatermark->GetBitmap());
        return (HBRUSH)state.brWatermark.m_hObject;
    }
    CClientDC screen(NULL);
    CDC dc;
    CBitmap pattern;
    if (sizePattern.cx <= 0 || sizePattern.cy <= 0 || !dc.CreateCompatibleDC(&screen) ||
        !pattern.CreateCompatibleBitmap(&screen, sizePattern.cx, sizePattern.cy))
        return NULL;
    {
        CGdiSelect select(dc.m_hDC, pattern.m_hObject);
        DrawWatermark(&dc, CRect(CPoint(0, 0), sizePattern), scale);
    }
    state.brWatermark.CreatePatternBrush((HBITMAP)pattern.m_hObject);
    return (HBRUSH)state.brWatermark.m_hObject;
}
