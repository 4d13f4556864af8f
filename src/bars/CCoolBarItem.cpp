#include <KorvoSkin/CCoolBarCtrl.h>
#include "CCoolBarItemImages.h"
#include "CCoolBarState.h"

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, int nSize, UINT nID, LPCWSTR lpszName)
    : m_bVisible(TRUE), m_bChecked(FALSE), m_pBar(pBar), m_nSize(nID == ID_COOLBAR_GAP ? 20 : nSize),
      m_strName(lpszName ? lpszName : L""), m_bEnabled(TRUE), m_pImages(new CCoolBarItemImages)
{
    m_nID = nID;
}

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, const CCoolBarItem* pSrc)
    : m_bVisible(pSrc->m_bVisible), m_bChecked(pSrc->m_bChecked), m_strTip(pSrc->m_strTip), m_pBar(pBar),
      m_nSize(pSrc->m_nSize), m_strName(pSrc->m_strName), m_bEnabled(TRUE), m_pImages(new CCoolBarItemImages)
{
    m_nID = pSrc->m_nID;
    LoadSkinImages();
}

CCoolBarItem::~CCoolBarItem()
{
}

void CCoolBarItem::LoadSkinImages()
{
    CCoolBarState* pState = CCoolBarState::Of(m_pBar);
    m_pImages->Load(m_strName, pState ? &pState->m_imageTable : NULL, CCoolBarTheme::GetWatermarks(),
                    CCoolBarTheme::GetImageGeneration());
}

HBITMAP CCoolBarItem::GetImage(int nState) const
{
    return m_pImages->GetBitmap(nState);
}

CSize CCoolBarItem::GetImageSize(int nState) const
{
    return m_pImages->GetSize(nState);
}

void CCoolBarItem::DrawImage(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const
{
    m_pImages->Draw(pDC, pWorkDC, nState, x, y, cx, cy);
}

void CCoolBarItem::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    bOn = bOn ? TRUE : FALSE;
    if (m_bEnabled == bOn)
        return;
    m_bEnabled = bOn;
    if (CCoolBarState* pState = CCoolBarState::Of(m_pBar))
        pState->OnItemChanged(this);
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
    if (CCoolBarState* pState = CCoolBarState::Of(m_pBar))
        pState->OnItemChanged(this);
}

void CCoolBarItem::Show(BOOL bShow)
{
    m_bVisible = bShow;
    if (CCoolBarState* pState = CCoolBarState::Of(m_pBar))
        pState->OnItemChanged(this);
}
