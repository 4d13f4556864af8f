#include "CCoolBarItemImages.h"

CCoolBarItemImages::CCoolBarItemImages()
{
}

void CCoolBarItemImages::Load(const CString& strName, CCoolBarImageTable* pTable,
                              const CCoolBarTheme::WatermarkLookup& lookup, unsigned nGeneration)
{
    static const wchar_t* const s_suffixes[CCoolBarItem::IMAGE_COUNT] = { L"", L".HOVER", L".SELECT" };
    for (int i = 0; i < CCoolBarItem::IMAGE_COUNT; i++)
    {
        HBITMAP hSkin = lookup ? lookup(strName + s_suffixes[i]) : NULL;
        // A button on no bar has nothing to share with, and holds its own copy.
        m_pImages[i] = pTable ? pTable->Share(hSkin, nGeneration) : CCoolBarImage::Copy(hSkin);
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
