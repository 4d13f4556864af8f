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
        m_bmMasks[i].DeleteObject();
        m_bmInk[i].DeleteObject();
        m_sizeImages[i] = CSize(0, 0);
        HBITMAP hSkin = g_Registry.GetWatermark(m_strName + s_suffixes[i]);
        if (!hSkin)
            continue;
        BITMAP bm = {};
        if (!::GetObjectW(hSkin, sizeof(bm), &bm) || !m_bmImages[i].Attach(::CopyImage(hSkin, IMAGE_BITMAP, 0, 0, 0)))
            continue;
        m_sizeImages[i] = CSize(bm.bmWidth, bm.bmHeight);
        MakeMask(i);
    }
}

// A 32-bit DIB section: drawn from and into without a trip to the display driver.
static BOOL CreateDibBitmap(CBitmap& bitmap, const CSize& size)
{
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    void* pBits = NULL;
    return bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0));
}

void CCoolBarItem::MakeMask(int nState)
{
    const CSize size = m_sizeImages[nState];
    CDC dcImage, dcMask, dcInk;
    CClientDC dcScreen(NULL);
    if (!dcImage.CreateCompatibleDC(&dcScreen) || !dcMask.CreateCompatibleDC(&dcScreen) || !dcInk.CreateCompatibleDC(&dcScreen) ||
        !m_bmMasks[nState].CreateBitmap(size.cx, size.cy, 1, 1, NULL) ||
        !CreateDibBitmap(m_bmInk[nState], size))
    {
        m_bmMasks[nState].DeleteObject();
        m_bmInk[nState].DeleteObject();
        return;
    }
    HGDIOBJ hOldImage = dcImage.SelectObject(m_bmImages[nState].m_hObject);
    HGDIOBJ hOldMask = dcMask.SelectObject(m_bmMasks[nState].m_hObject);
    HGDIOBJ hOldInk = dcInk.SelectObject(m_bmInk[nState].m_hObject);
    // Copying to a monochrome bitmap sets the pixels that match the background colour.
    dcImage.SetBkColor(RGB(255, 255, 255));
    dcMask.BitBlt(0, 0, size.cx, size.cy, &dcImage, 0, 0, SRCCOPY);
    // Ink = image AND NOT mask (set mask pixels become white through the background colour).
    dcInk.BitBlt(0, 0, size.cx, size.cy, &dcImage, 0, 0, SRCCOPY);
    dcInk.SetBkColor(RGB(255, 255, 255));
    dcInk.SetTextColor(RGB(0, 0, 0));
    dcInk.BitBlt(0, 0, size.cx, size.cy, &dcMask, 0, 0, 0x00220326);
    dcImage.SelectObject(hOldImage);
    dcMask.SelectObject(hOldMask);
    dcInk.SelectObject(hOldInk);
}

void CCoolBarItem::DrawImage(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const
{
    if (!m_bmMasks[nState].m_hObject)
    {
        ::SelectObject(pWorkDC->m_hDC, m_bmImages[nState].m_hObject);
        pDC->TransparentBlt(x, y, cx, cy, pWorkDC, 0, 0, cx, cy, RGB(255, 255, 255));
        return;
    }
    // The same pixels TransparentBlt gives with white as the transparent colour.
    COLORREF crOldBack = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF crOldText = pDC->SetTextColor(RGB(0, 0, 0));
    ::SelectObject(pWorkDC->m_hDC, m_bmMasks[nState].m_hObject);
    pDC->BitBlt(x, y, cx, cy, pWorkDC, 0, 0, SRCAND);
    ::SelectObject(pWorkDC->m_hDC, m_bmInk[nState].m_hObject);
    pDC->BitBlt(x, y, cx, cy, pWorkDC, 0, 0, SRCPAINT);
    pDC->SetBkColor(crOldBack);
    pDC->SetTextColor(crOldText);
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
