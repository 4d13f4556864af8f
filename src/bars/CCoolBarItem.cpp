#include <KorvoSkin/CCoolBarCtrl.h>
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "CCoolBarImageTable.h"

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, int nSize, UINT nID, LPCWSTR lpszName)
    : m_bVisible(TRUE), m_bChecked(FALSE), m_pBar(pBar), m_nSize(nID == ID_COOLBAR_GAP ? 20 : nSize),
      m_strName(lpszName ? lpszName : L""), m_bEnabled(TRUE), m_hImages()
{
    m_nID = nID;
}

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, const CCoolBarItem* pSrc)
    : m_bVisible(pSrc->m_bVisible), m_bChecked(pSrc->m_bChecked), m_strTip(pSrc->m_strTip), m_pBar(pBar),
      m_nSize(pSrc->m_nSize), m_strName(pSrc->m_strName), m_bEnabled(TRUE), m_hImages()
{
    m_nID = pSrc->m_nID;
    LoadSkinImages();
}

CCoolBarItem::~CCoolBarItem()
{
}

void CCoolBarItem::LoadSkinImages()
{
    static const wchar_t* const s_suffixes[IMAGE_COUNT] = { L"", L".HOVER", L".SELECT" };
    const unsigned nGeneration = g_Theme.m_images.GetGeneration();
    for (int i = 0; i < IMAGE_COUNT; i++)
    {
        HBITMAP hSkin = g_Registry.GetWatermark(m_strName + s_suffixes[i]);
        // An item on no bar has nothing to share with, and holds its own copy.
        m_pImages[i] = m_pBar && m_pBar->m_pImageTable ? m_pBar->m_pImageTable->Share(hSkin, nGeneration)
                                                       : CCoolBarImage::Copy(hSkin);
        m_hImages[i] = m_pImages[i] ? m_pImages[i]->GetBitmap() : NULL;
        m_sizeImages[i] = m_pImages[i] ? m_pImages[i]->GetSize() : CSize(0, 0);
    }
}

void CCoolBarItem::DrawImage(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const
{
    if (m_pImages[nState])
        m_pImages[nState]->Draw(pDC, pWorkDC, x, y, cx, cy);
}

void CCoolBarItem::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    bOn = bOn ? TRUE : FALSE;
    if (m_bEnabled == bOn)
        return;
    m_bEnabled = bOn;
    if (m_pBar)
        m_pBar->OnItemChanged(this);
}

void CCoolBarItem::SetCheck(int nCheck)
{
    m_bChecked = nCheck == 1;
}

void CCoolBarItem::SetText(LPCWSTR lpszText)
{
    if (!lpszText || m_strTip == lpszText)
        return;
    m_strTip = lpszText;
    if (m_pBar)
        m_pBar->OnItemChanged(this);
}

void CCoolBarItem::Show(BOOL bShow)
{
    m_bVisible = bShow;
    if (m_pBar)
        m_pBar->OnItemChanged(this);
}
