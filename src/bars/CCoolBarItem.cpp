#include <KorvoSkin/CCoolBarCtrl.h>
#include "../skin/CSkinRegistry.h"

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, int nSize, UINT nID, LPCWSTR lpszName)
    : m_bVisible(TRUE), m_bChecked(FALSE), m_pBar(pBar), m_nSize(nID == ID_COOLBAR_GAP ? 20 : nSize),
      m_strName(lpszName ? lpszName : L""), m_bEnabled(TRUE)
{
    m_nID = nID;
}

CCoolBarItem::CCoolBarItem(CCoolBarCtrl* pBar, const CCoolBarItem* pSrc)
    : m_bVisible(pSrc->m_bVisible), m_bChecked(pSrc->m_bChecked), m_strTip(pSrc->m_strTip), m_pBar(pBar),
      m_nSize(pSrc->m_nSize), m_strName(pSrc->m_strName), m_bEnabled(TRUE)
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
    for (int i = 0; i < IMAGE_COUNT; i++)
    {
        m_bmImages[i].DeleteObject();
        m_sizeImages[i] = CSize(0, 0);
        HBITMAP hSkin = g_Registry.GetWatermark(m_strName + s_suffixes[i]);
        if (!hSkin)
            continue;
        BITMAP bm = {};
        if (::GetObjectW(hSkin, sizeof(bm), &bm) && m_bmImages[i].Attach(::CopyImage(hSkin, IMAGE_BITMAP, 0, 0, 0)))
            m_sizeImages[i] = CSize(bm.bmWidth, bm.bmHeight);
    }
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
