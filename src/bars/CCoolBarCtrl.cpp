#include <KorvoSkin/CCoolBarCtrl.h>
#include "../skin/CSkinRegistry.h"
#include "../theme/CMenuSkinner.h"
#include "CCoolBarImageTable.h"
#include "CCoolBarLayout.h"
#include <algorithm>
#include <new>

BEGIN_MESSAGE_MAP(CCoolBarCtrl, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CCoolBarCtrl::CCoolBarCtrl()
    : m_hbmErase(NULL), m_pPressed(NULL), m_pHot(NULL), m_bHoverTimer(FALSE), m_bTipActive(FALSE), m_crBack(CLR_INVALID),
      m_bVertical(false), m_pTipItem(NULL), m_hOldBuffer(NULL), m_pImageTable(new (std::nothrow) CCoolBarImageTable)
{
}

CCoolBarCtrl::~CCoolBarCtrl()
{
    // The window's last messages still reach this object, so it goes before the items do.
    DestroyWindow();
}

BOOL CCoolBarCtrl::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    if (!(m_dwStyle & CBRS_ORIENT_HORZ))
        m_bVertical = true;
    return CreateEx(WS_EX_CONTROLPARENT, NULL, L"CCoolBarCtrl", dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
}

int CCoolBarCtrl::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetBorders(0, 0, 0, 0);
    InitToolTip();
    return 0;
}

void CCoolBarCtrl::OnDestroy()
{
    KillTimer(TIMER_HOVER);
    m_bHoverTimer = FALSE;
    CControlBar::OnDestroy();
}

CCoolBarItem* CCoolBarCtrl::Add(UINT nID, LPCWSTR lpszName, int nSize, LPCWSTR lpszTip, int nIndex)
{
    std::unique_ptr<CCoolBarItem> pItem(new CCoolBarItem(this, nSize, nID, lpszName));
    CCoolBarItem* pAdded = pItem.get();
    if (nIndex >= 0 && nIndex < GetCount())
        m_items.insert(m_items.begin() + nIndex, std::move(pItem));
    else
        m_items.push_back(std::move(pItem));
    if (lpszTip)
        pAdded->SetText(lpszTip);
    return pAdded;
}

BOOL CCoolBarCtrl::LoadToolBar(UINT nIDResource)
{
    CToolBar bar;
    if (!bar.Create(this) || !bar.LoadToolBar(nIDResource))
        return FALSE;
    for (int i = 0; i < bar.GetCount(); i++)
    {
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(i, nID, nStyle, iImage);
        Add((nStyle & TBSTYLE_SEP) ? 0 : nID, NULL, 16, NULL, -1);
    }
    return TRUE;
}

void CCoolBarCtrl::Copy(CCoolBarCtrl* pSrc)
{
    if (pSrc == this)
        return;
    Clear();
    if (!pSrc)
        return;
    for (const std::unique_ptr<CCoolBarItem>& pItem : pSrc->m_items)
        m_items.push_back(std::unique_ptr<CCoolBarItem>(new CCoolBarItem(this, pItem.get())));
    m_bVertical = pSrc->m_bVertical;
    OnUpdated();
}

void CCoolBarCtrl::Clear()
{
    m_items.clear();
    m_hbmErase = NULL;
    m_pPressed = m_pHot = m_pTipItem = NULL;
    if (m_wndTip.m_hWnd)
        m_wndTip.Activate(FALSE);
    m_bTipActive = FALSE;
    OnUpdated();
}

CCoolBarItem* CCoolBarCtrl::GetIndex(int n) const
{
    return n >= 0 && n < GetCount() ? m_items[n].get() : NULL;
}

CCoolBarItem* CCoolBarCtrl::GetID(UINT nID) const
{
    int n = GetIndexForID(nID);
    return n >= 0 ? m_items[n].get() : NULL;
}

int CCoolBarCtrl::GetIndexForID(UINT nID) const
{
    for (int n = 0; n < GetCount(); n++)
        if (m_items[n]->m_nID == nID)
            return n;
    return -1;
}

BOOL CCoolBarCtrl::HasItem(const CCoolBarItem* pItem) const
{
    for (const std::unique_ptr<CCoolBarItem>& p : m_items)
        if (p.get() == pItem)
            return TRUE;
    return FALSE;
}

void CCoolBarCtrl::SetAlignVert(bool bVertical)
{
    m_bVertical = bVertical;
    OnUpdated();
}

void CCoolBarCtrl::SetEraseBg(HBITMAP hBitmap)
{
    m_hbmErase = hBitmap;
    OnUpdated();
}

void CCoolBarCtrl::OnUpdated()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

void CCoolBarCtrl::OnItemChanged(CCoolBarItem* pItem)
{
    if (m_pHot == pItem && (!pItem->m_bEnabled || !pItem->m_bVisible))
        m_pHot = NULL;
    if (m_pTipItem == pItem)
        SetToolTip(pItem);
    OnUpdated();
}

void CCoolBarCtrl::SetCheck(UINT nID)
{
    for (int n = GetCount() - 1; n >= 0; n--)
    {
        if (m_items[n]->m_nID == nID)
        {
            m_pPressed = m_items[n].get();
            OnUpdated();
            return;
        }
    }
}

void CCoolBarCtrl::DeflateToButtons(CRect& rc) const
{
    CalcInsideRect(rc, FALSE);
    // Only the edges of the bar style stay out of the buttons' room.
    rc.left -= m_cyTopBorder;
    rc.top -= m_cxLeftBorder;
    rc.right += m_cyBottomBorder;
    rc.bottom += m_cxRightBorder;
}

void CCoolBarCtrl::PrepareRect(CRect* pRect) const
{
    GetClientRect(pRect);
    DeflateToButtons(*pRect);
    pRect->bottom -= 1;
}

CCoolBarItem* CCoolBarCtrl::HitTest(const CPoint& pt, CRect* pRect, int) const
{
    CRect r;
    PrepareRect(&r);
    CCoolBarItem* pItem = CCoolBarLayout(m_items, m_bVertical).HitTest(r, pt, pRect);
    return pItem && pItem->m_nID ? pItem : NULL;
}

BOOL CCoolBarCtrl::GetItemRect(CCoolBarItem* pItem, CRect* pRect) const
{
    CRect r;
    PrepareRect(&r);
    return CCoolBarLayout(m_items, m_bVertical).GetItemRect(r, pItem, pRect);
}

CSize CCoolBarCtrl::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rcEdges(0, 0, 0, 0);
    DeflateToButtons(rcEdges);
    CSize sizeContent = CCoolBarLayout(m_items, m_bVertical).GetContentSize([this](const CCoolBarItem* pItem) {
        return GetItemBreadth(pItem);
    });
    return CCoolBarLayout::GetFixedSize(sizeContent, CSize(-rcEdges.Width(), -rcEdges.Height()), bStretch, bHorz);
}

int CCoolBarCtrl::GetItemBreadth(const CCoolBarItem* pItem) const
{
    // Separators and gaps only space the buttons out; a button without images is square.
    if (!pItem->m_nID || pItem->m_nID == ID_COOLBAR_GAP)
        return 0;
    int nBreadth = -1;
    for (int nState = 0; nState < CCoolBarItem::IMAGE_COUNT; nState++)
    {
        if (!pItem->GetImage(nState))
            continue;
        CSize size = pItem->GetImageSize(nState);
        nBreadth = std::max(nBreadth, (int)(m_bVertical ? size.cx : size.cy));
    }
    return nBreadth >= 0 ? nBreadth : pItem->m_nSize;
}

void CCoolBarCtrl::InvalidateItem(CCoolBarItem* pItem)
{
    CRect rc;
    if (m_hWnd && GetItemRect(pItem, &rc))
        InvalidateRect(&rc, FALSE);
}

void CCoolBarCtrl::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    rcClip &= rcClient;
    if (rcClip.IsRectEmpty())
        return;

    // The bar is composed in its own memory bitmap and copied in one piece; only the area being
    // repainted is composed, so a hover change costs the two buttons it touches.
    if (!m_dcBuffer.m_hDC)
        m_dcBuffer.CreateCompatibleDC(NULL);
    if (m_dcBuffer.m_hDC && (m_sizeBuffer != rcClient.Size() || !m_bmBuffer.m_hObject))
    {
        // A bitmap selected into a DC cannot be deleted.
        if (m_hOldBuffer)
            ::SelectObject(m_dcBuffer.m_hDC, m_hOldBuffer);
        m_hOldBuffer = NULL;
        m_bmBuffer.DeleteObject();
        m_sizeBuffer = CSize(0, 0);
        BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), rcClient.Width(), -rcClient.Height(), 1, 32, BI_RGB } };
        void* pBits = NULL;
        if (m_bmBuffer.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0)))
        {
            m_hOldBuffer = ::SelectObject(m_dcBuffer.m_hDC, m_bmBuffer.m_hObject);
            m_sizeBuffer = rcClient.Size();
        }
    }
    CDC* pTarget = m_hOldBuffer ? &m_dcBuffer : pDC;
    int nSaved = pTarget->SaveDC();
    pTarget->IntersectClipRect(&rcClip);
    if (m_hbmErase)
    {
        CBrush brErase;
        brErase.CreatePatternBrush(m_hbmErase);
        pTarget->FillRect(&rcClip, &brErase);
    }
    else if (g_Registry.m_brDialogBack.m_hObject)
        pTarget->FillRect(&rcClip, &g_Registry.m_brDialogBack);
    else
        pTarget->FillSolidRect(&rcClip, ::GetSysColor(COLOR_BTNFACE));
    DoPaint(pTarget, rcClient, m_hbmErase != NULL);
    pTarget->RestoreDC(nSaved);
    if (pTarget != pDC)
        pDC->BitBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), pTarget, rcClip.left, rcClip.top, SRCCOPY);
}

void CCoolBarCtrl::DoPaint(CDC* pDC, CRect& rc, BOOL)
{
    if (m_items.empty() || (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(NULL)))
        return;
    // Buttons select their images into the kept DC one after another; none stays selected, so
    // a button can delete its images at any time.
    HGDIOBJ hOld = ::GetCurrentObject(m_dcImage.m_hDC, OBJ_BITMAP);
    CCoolBarLayout(m_items, m_bVertical).Find(rc, [&](CCoolBarItem* pItem, const CRect& rcItem) {
        DrawItem(pDC, &m_dcImage, pItem, rcItem, pItem == m_pPressed, pItem == m_pHot);
        return false;
    });
    ::SelectObject(m_dcImage.m_hDC, hOld);
}

void CCoolBarCtrl::DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot)
{
    if (pItem->m_nID == ID_COOLBAR_GAP || !pDC->RectVisible(&rcItem))
        return;
    int nState = bPressed ? CCoolBarItem::IMAGE_SELECT : bHot ? CCoolBarItem::IMAGE_HOVER : CCoolBarItem::IMAGE_NORMAL;
    HBITMAP hImage = pItem->GetImage(nState);
    if (!hImage)
        return;
    // The image's top-left corner fills the button; a smaller image covers only its own size.
    CSize size = pItem->GetImageSize(nState);
    int cx = std::min(rcItem.Width(), (int)size.cx), cy = std::min(rcItem.Height(), (int)size.cy);
    if (cx <= 0 || cy <= 0)
        return;
    pItem->DrawImage(pDC, pImageDC, nState, rcItem.left, rcItem.top, cx, cy);
    if (!pItem->m_bEnabled)
    {
        // Disabled: the image half faded into the dialog background.
        CDC dcFade;
        CBitmap bmFade;
        if (dcFade.CreateCompatibleDC(pDC) && bmFade.CreateCompatibleBitmap(pDC, 1, 1))
        {
            HGDIOBJ hOldFade = ::SelectObject(dcFade.m_hDC, bmFade.m_hObject);
            dcFade.SetPixel(0, 0, g_Registry.m_crDialogBack);
            BLENDFUNCTION blend = { AC_SRC_OVER, 0, 128, 0 };
            ::AlphaBlend(pDC->m_hDC, rcItem.left, rcItem.top, cx, cy, dcFade.m_hDC, 0, 0, 1, 1, blend);
            ::SelectObject(dcFade.m_hDC, hOldFade);
        }
    }
}

UINT CCoolBarCtrl::ThrowMenu(UINT nID, CMenu* pMenu, CWnd* pOwner, BOOL bReturnCmd, BOOL)
{
    if (!pMenu || !pMenu->m_hMenu)
        return 0;
    if (!pOwner)
        pOwner = AfxGetMainWnd();
    HWND hOwner = pOwner && pOwner->GetSafeHwnd() ? pOwner->GetSafeHwnd() : m_hWnd;
    CCoolBarItem* pItem = GetID(nID);
    if (!pItem)
    {
        m_pPressed = NULL;
        return 0;
    }
    m_pPressed = pItem;
    Invalidate(FALSE);
    UpdateWindow();

    CRect r;
    GetItemRect(pItem, &r);
    ClientToScreen(&r);
    r.DeflateRect(1, 2);
    CMenuSkinner::SetMenuAttach(r.left, r.bottom, r.Width());
    TPMPARAMS params = { sizeof(params), r };
    HMENU hMenu = pMenu->m_hMenu;
    // A skin load inside the menu's loop must not destroy the menu it is tracking.
    g_Registry.BeginMenuTracking(hMenu);
    UINT nResult = (UINT)::TrackPopupMenuEx(hMenu, TPM_VERTICAL | (bReturnCmd ? TPM_RETURNCMD : 0), r.left, r.bottom,
                                            hOwner, &params);
    if (g_Registry.EndMenuTracking())
        nResult = 0;

    m_pPressed = NULL;
    if (m_hWnd)
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
    return nResult;
}
