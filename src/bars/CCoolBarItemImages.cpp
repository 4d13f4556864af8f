#include "CCoolBarItemImages.h"

CCoolBarItemImages::CCoolBarItemImages() : m_bGrid()
{
}

void CCoolBarItemImages::Load(const CString& strName, CCoolBarImageTable* pTable,
                              const CCoolBarTheme::WatermarkLookup& lookup, unsigned nGeneration)
{
    static const wchar_t* const s_suffixes[CCoolBarItem::IMAGE_COUNT] = { L"", L".HOVER", L".SELECT" };
    for (int i = 0; i < CCoolBarItem::IMAGE_COUNT; i++)
    {
        CCoolBarTheme::WATERMARK watermark;
        if (lookup)
            watermark = lookup(strName + s_suffixes[i]);
        // A button on no bar has nothing to share with, and holds its own copy.
        m_pImages[i] = pTable ? pTable->Share(watermark.pImage, nGeneration) : CCoolBarImage::Copy(watermark.pImage);
        m_bGrid[i] = m_pImages[i] && watermark.bGrid;
        m_rcGrid[i] = watermark.rcGrid;
    }
}

HBITMAP CCoolBarItemImages::GetBitmap(int nState) const
{
    return nState >= 0 && nState < CCoolBarItem::IMAGE_COUNT && m_pImages[nState] ? m_pImages[nState]->GetBitmap()
                                                                                  : NULL;
}

CSize CCoolBarItemImages::GetSize(int nState) const
{
    return nState >= 0 && nState < CCoolBarItem::IMAGE_COUNT && m_pImages[nState] ? m_pImages[nState]->GetSize()
                                                                                  : CSize(0, 0);
}

void CCoolBarItemImages::Draw(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const
{
    if (nState >= 0 && nState < CCoolBarItem::IMAGE_COUNT && m_pImages[nState])
        m_pImages[nState]->Draw(pDC, pWorkDC, x, y, cx, cy);
}

bool CCoolBarItemImages::HasGrid(int nState) const
{
    return nState >= 0 && nState < CCoolBarItem::IMAGE_COUNT && m_pImages[nState] && m_bGrid[nState];
}

CRect CCoolBarItemImages::DrawLook(CDC* pDC, int nState, const CRect& rcItem, const CDpiScale& scale) const
{
    if (nState < 0 || nState >= CCoolBarItem::IMAGE_COUNT || !m_pImages[nState])
        return CRect(0, 0, 0, 0);
    if (m_bGrid[nState])
    {
        m_pImages[nState]->DrawGrid(pDC, rcItem, m_rcGrid[nState], scale);
        return rcItem;
    }
    const CRect rcImage(rcItem.TopLeft(), scale.Scale(m_pImages[nState]->GetSize()));
    CRect rcShown;
    if (!rcShown.IntersectRect(&rcImage, &rcItem))
        return CRect(0, 0, 0, 0);
    if (rcShown == rcImage)
        m_pImages[nState]->Draw(pDC, rcImage, scale);
    else
    {
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rcShown);
        m_pImages[nState]->Draw(pDC, rcImage, scale);
        pDC->RestoreDC(nSaved);
    }
    return rcShown;
}
