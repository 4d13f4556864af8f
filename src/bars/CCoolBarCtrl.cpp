// The bar's content, geometry and painting; its input is in CCoolBarCtrlInput.cpp.
#include <KorvoSkin/CCoolBarCtrl.h>
#include "CCoolBarState.h"
#include "CCoolBarTheme.h"
#include "CCoolBarItemImages.h"
#include "../parts/CWindowDpi.h"
#include <algorithm>

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
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CCoolBarCtrl::CCoolBarCtrl() : m_pState(new CCoolBarState(*this))
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
        m_pState->m_bVertical = true;
    // No text: a text the host gives the bar is its name for assistive technology.
    return CreateEx(WS_EX_CONTROLPARENT, NULL, L"", dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
}

int CCoolBarCtrl::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetBorders(0, 0, 0, 0);
    m_pState->UpdateDpi();
    InitToolTip();
    return 0;
}

LRESULT CCoolBarCtrl::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    if (!m_pState->UpdateDpi())
        return 0;
    Invalidate(FALSE);
    // The bar needs another size now: the parent docks its bars again, a frame its pane too.
    CWnd* pParent = GetParent();
    if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        ((CFrameWnd*)pParent)->RecalcLayout();
    else if (pParent)
        pParent->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    return 0;
}

void CCoolBarCtrl::OnDestroy()
{
    m_pState->StopHover();
    CControlBar::OnDestroy();
}

CCoolBarItem* CCoolBarCtrl::Add(UINT nID, LPCWSTR lpszName, int nSize, LPCWSTR lpszTip, int nIndex)
{
    std::unique_ptr<CCoolBarItem> pItem(new CCoolBarItem(this, nSize, nID, lpszName));
    CCoolBarItem* pAdded = pItem.get();
    CCoolBarLayout::Items& items = m_pState->m_items;
    if (nIndex >= 0 && nIndex < GetCount())
        items.insert(items.begin() + nIndex, std::move(pItem));
    else
        items.push_back(std::move(pItem));
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
    for (const std::unique_ptr<CCoolBarItem>& pItem : pSrc->m_pState->m_items)
        m_pState->m_items.push_back(std::unique_ptr<CCoolBarItem>(new CCoolBarItem(this, pItem.get())));
    m_pState->m_bVertical = pSrc->m_pState->m_bVertical;
    m_pState->m_strSkinName = pSrc->m_pState->m_strSkinName;
    OnUpdated();
}

void CCoolBarCtrl::Clear()
{
    CCoolBarState& state = *m_pState;
    state.m_items.clear();
    state.m_hbmErase = NULL;
    state.m_pPressed = state.m_pHot = state.m_pTipItem = state.m_pFocus = NULL;
    state.m_strSkinName.Empty();
    if (m_wndTip.m_hWnd)
        m_wndTip.Activate(FALSE);
    state.m_bTipActive = FALSE;
    OnUpdated();
}

int CCoolBarCtrl::GetCount() const
{
    return (int)m_pState->m_items.size();
}

CCoolBarItem* CCoolBarCtrl::GetIndex(int n) const
{
    return n >= 0 && n < GetCount() ? m_pState->m_items[n].get() : NULL;
}

CCoolBarItem* CCoolBarCtrl::GetID(UINT nID) const
{
    return GetIndex(GetIndexForID(nID));
}

int CCoolBarCtrl::GetIndexForID(UINT nID) const
{
    for (int n = 0; n < GetCount(); n++)
        if (m_pState->m_items[n]->m_nID == nID)
            return n;
    return -1;
}

void CCoolBarCtrl::SetAlignVert(bool bVertical)
{
    m_pState->m_bVertical = bVertical;
    OnUpdated();
}

bool CCoolBarCtrl::GetAlignVert() const
{
    return m_pState->m_bVertical;
}

void CCoolBarCtrl::SetEraseBg(HBITMAP hBitmap)
{
    m_pState->m_hbmErase = hBitmap;
    OnUpdated();
}

void CCoolBarCtrl::OnUpdated()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

void CCoolBarCtrl::SetCheck(UINT nID)
{
    for (int n = GetCount() - 1; n >= 0; n--)
    {
        if (m_pState->m_items[n]->m_nID == nID)
        {
            m_pState->m_pPressed = m_pState->m_items[n].get();
            OnUpdated();
            return;
        }
    }
}

CCoolBarItem* CCoolBarCtrl::GetPressed() const
{
    return m_pState->m_pPressed;
}

CCoolBarItem* CCoolBarCtrl::GetHot() const
{
    return m_pState->m_pHot;
}

void CCoolBarCtrl::PrepareRect(CRect* pRect) const
{
    GetClientRect(pRect);
    m_pState->DeflateToButtons(*pRect);
    pRect->bottom -= m_pState->GetScale().Scale(1);
}

CCoolBarItem* CCoolBarCtrl::HitTest(const CPoint& pt, CRect* pRect, int) const
{
    CRect r;
    PrepareRect(&r);
    CCoolBarItem* pItem = m_pState->GetLayout().HitTest(r, pt, pRect);
    return pItem && pItem->m_nID ? pItem : NULL;
}

BOOL CCoolBarCtrl::GetItemRect(CCoolBarItem* pItem, CRect* pRect) const
{
    CRect r;
    PrepareRect(&r);
    return m_pState->GetLayout().GetItemRect(r, pItem, pRect);
}

CSize CCoolBarCtrl::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rcEdges(0, 0, 0, 0);
    m_pState->DeflateToButtons(rcEdges);
    CSize sizeContent = m_pState->GetLayout().GetContentSize([this](const CCoolBarItem* pItem) {
        return GetItemBreadth(pItem);
    });
    return CCoolBarLayout::GetFixedSize(sizeContent, CSize(-rcEdges.Width(), -rcEdges.Height()), bStretch, bHorz);
}

int CCoolBarCtrl::GetItemBreadth(const CCoolBarItem* pItem) const
{
    // Separators and gaps only space the buttons out; a button without images, or whose images
    // are nine-grids that fit any size, is square.
    if (!pItem->m_nID || pItem->m_nID == ID_COOLBAR_GAP)
        return 0;
    int nBreadth = -1;
    for (int nState = 0; nState < CCoolBarItem::IMAGE_COUNT; nState++)
    {
        if (!pItem->GetImage(nState) || CCoolBarItemImages::Of(*pItem).HasGrid(nState))
            continue;
        CSize size = pItem->GetImageSize(nState);
        nBreadth = std::max(nBreadth, (int)(m_pState->m_bVertical ? size.cx : size.cy));
    }
    return nBreadth >= 0 ? nBreadth : pItem->m_nSize;
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
    // Only the area being repainted is composed, so a hover change costs the two buttons it
    // touches.
    // The buttons lie where hit tests find them: in the room inside the bar style's edges.
    CRect rcRoom(rcClient);
    m_pState->DeflateToButtons(rcRoom);
    HBITMAP hbmErase = m_pState->m_hbmErase;
    m_pState->m_painter.Paint(pDC, rcClip, hbmErase, [&](CDC* pTarget) {
        DoPaint(pTarget, rcRoom, hbmErase != NULL);
    });
}

void CCoolBarCtrl::DoPaint(CDC* pDC, CRect& rc, BOOL)
{
    CDC* pImageDC = m_pState->m_painter.GetImageDC();
    if (m_pState->m_items.empty() || !pImageDC)
        return;
    // Buttons select their images into the kept DC one after another; what it held before is
    // put back when they are done.
    CGdiSelect keep(pImageDC->m_hDC, ::GetCurrentObject(pImageDC->m_hDC, OBJ_BITMAP));
    m_pState->GetLayout().Find(rc, [&](CCoolBarItem* pItem, const CRect& rcItem) {
        DrawItem(pDC, pImageDC, pItem, rcItem, pItem == m_pState->m_pPressed, pItem == m_pState->m_pHot);
        return false;
    });
}

void CCoolBarCtrl::DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot)
{
    if (pItem->m_nID == ID_COOLBAR_GAP || !pDC->RectVisible(&rcItem))
        return;
    int nState = bPressed ? CCoolBarItem::IMAGE_SELECT : bHot ? CCoolBarItem::IMAGE_HOVER : CCoolBarItem::IMAGE_NORMAL;
    CCoolBarPainter::DrawButton(pDC, pItem, rcItem, nState, m_pState->GetScale());
}

UINT CCoolBarCtrl::ThrowMenu(UINT nID, CMenu* pMenu, CWnd* pOwner, BOOL bReturnCmd, BOOL)
{
    if (!pMenu || !pMenu->m_hMenu)
        return 0;
    if (!pOwner)
        pOwner = AfxGetMainWnd();
    HWND hOwner = pOwner && pOwner->GetSafeHwnd() ? pOwner->GetSafeHwnd() : m_hWnd;
    CCoolBarItem* pItem = GetID(nID);
    m_pState->m_pPressed = pItem;
    if (!pItem)
        return 0;
    m_pState->AddDropDown(nID);
    Invalidate(FALSE);
    UpdateWindow();

    CRect r;
    GetItemRect(pItem, &r);
    ClientToScreen(&r);
    r.DeflateRect(m_pState->GetScale().Scale(CSize(1, 2)));
    TPMPARAMS params = { sizeof(params), r };
    HMENU hMenu = pMenu->m_hMenu;
    CCoolBarTheme::BeginMenuTracking(hMenu, r);
    UINT nResult = (UINT)::TrackPopupMenuEx(hMenu, TPM_VERTICAL | (bReturnCmd ? TPM_RETURNCMD : 0), r.left, r.bottom,
                                            hOwner, &params);
    if (CCoolBarTheme::EndMenuTracking())
        nResult = 0;

    m_pState->m_pPressed = NULL;
    if (m_hWnd)
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
    return nResult;
}
