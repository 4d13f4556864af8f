#include <KorvoSkin/CCoolBarCtrl.h>
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "CCoolBarImageTable.h"
#include <algorithm>
#include <new>

static const UINT_PTR TIMER_HOVER = 1;
static const UINT HOVER_INTERVAL = 100;

// The visible buttons lie one after the other from r's top-left corner, down a vertical bar and
// across a horizontal one. Hands each with its rectangle to fn until fn returns true, and returns
// that button (null when fn took none).
template <class FN>
static CCoolBarItem* FindLaidOut(const std::vector<std::unique_ptr<CCoolBarItem>>& items, bool bVertical, CRect r,
                                 FN fn)
{
    for (const std::unique_ptr<CCoolBarItem>& pItem : items)
    {
        if (!pItem->m_bVisible)
            continue;
        if (bVertical)
            r.bottom = r.top + pItem->m_nSize;
        else
            r.right = r.left + pItem->m_nSize;
        if (fn(pItem.get(), r))
            return pItem.get();
        if (bVertical)
            r.top = r.bottom;
        else
            r.left = r.right;
    }
    return NULL;
}

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

void CCoolBarCtrl::PrepareRect(CRect* pRect) const
{
    GetClientRect(pRect);
    CalcInsideRect(*pRect, FALSE);
    // Only the edges of the bar style stay out of the buttons' room.
    pRect->left -= m_cyTopBorder;
    pRect->top -= m_cxLeftBorder;
    pRect->right += m_cyBottomBorder;
    pRect->bottom += m_cxRightBorder;
    pRect->bottom -= 1;
}

CCoolBarItem* CCoolBarCtrl::HitTest(const CPoint& pt, CRect* pRect, int) const
{
    CRect r;
    PrepareRect(&r);
    CCoolBarItem* pItem = FindLaidOut(m_items, m_bVertical, r, [&](CCoolBarItem*, const CRect& rcItem) {
        if (!rcItem.PtInRect(pt))
            return false;
        if (pRect)
            *pRect = rcItem;
        return true;
    });
    return pItem && pItem->m_nID ? pItem : NULL;
}

BOOL CCoolBarCtrl::GetItemRect(CCoolBarItem* pItem, CRect* pRect) const
{
    if (!pItem || !pItem->m_bVisible || m_items.empty())
        return FALSE;
    CRect r;
    PrepareRect(&r);
    return FindLaidOut(m_items, m_bVertical, r, [&](CCoolBarItem* p, const CRect& rcItem) {
        if (p != pItem)
            return false;
        if (pRect)
            *pRect = rcItem;
        return true;
    }) != NULL;
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
    FindLaidOut(m_items, m_bVertical, rc, [&](CCoolBarItem* pItem, const CRect& rcItem) {
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

void CCoolBarCtrl::OnMouseMove(UINT, CPoint point)
{
    CCoolBarItem* pItem = HitTest(point);
    // The tooltip changes with the button under the mouse, not with every move.
    if (pItem && pItem != m_pTipItem)
        SetToolTip(pItem);
    CCoolBarItem* pHot = pItem && pItem != m_pPressed && pItem->m_bEnabled ? pItem : NULL;
    if (pHot != m_pHot)
    {
        InvalidateItem(m_pHot);
        m_pHot = pHot;
        InvalidateItem(m_pHot);
    }
    if (!m_bHoverTimer)
    {
        SetTimer(TIMER_HOVER, HOVER_INTERVAL);
        m_bHoverTimer = TRUE;
    }
    Default();
}

void CCoolBarCtrl::CheckHover()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect rc;
    GetClientRect(&rc);
    CWnd* pTop = GetTopLevelParent();
    if (rc.PtInRect(pt) && pTop && pTop->IsWindowEnabled())
        return;
    KillTimer(TIMER_HOVER);
    m_bHoverTimer = FALSE;
    if (m_pHot)
    {
        InvalidateItem(m_pHot);
        m_pHot = NULL;
    }
}

void CCoolBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_HOVER)
        CheckHover();
    CControlBar::OnTimer(nIDEvent);
}

void CCoolBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HWND hFocus = ::GetFocus();
    if (hFocus && ::IsChild(m_hWnd, hFocus))
        SetFocus();
    CControlBar::OnLButtonDown(nFlags, point);
}

void CCoolBarCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CCoolBarCtrl::OnLButtonUp(UINT, CPoint point)
{
    CCoolBarItem* pItem = HitTest(point);
    if (!pItem || pItem == m_pPressed || !pItem->m_bEnabled)
    {
        Default();
        return;
    }
    ::ReleaseCapture();
    InvalidateItem(pItem);
    if (CWnd* pOwner = GetOwner())
        pOwner->PostMessage(WM_COMMAND, pItem->m_nID, 0);
}

BOOL CCoolBarCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        // The owner hears of Enter and Escape in the bar (or a control on it) as a command of
        // the bar; the key goes no further, so a dialog owner does not also end.
        CWnd* pOwner = GetOwner();
        if (pOwner)
        {
            WORD wCode = pMsg->wParam == VK_ESCAPE ? 5 : 0;
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), wCode), (LPARAM)m_hWnd);
            return TRUE;
        }
    }
    else if (pMsg->message == WM_MOUSEMOVE && m_wndTip.m_hWnd)
        m_wndTip.RelayEvent(pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}

BOOL CCoolBarCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD wCode = HIWORD(wParam);
    if (wCode == EN_SETFOCUS || wCode == EN_KILLFOCUS)
        Invalidate(FALSE);
    CWnd* pParent = GetParent();
    if (pParent && pParent->SendMessage(WM_COMMAND, wParam, lParam))
        return TRUE;
    return CControlBar::OnCommand(wParam, lParam);
}

void CCoolBarCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)(pScrollBar ? pScrollBar->m_hWnd : NULL));
}

HBRUSH CCoolBarCtrl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC)
        return CControlBar::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!m_brBack.m_hObject || m_crBack != g_Theme.m_crMidtone)
    {
        m_brBack.DeleteObject();
        m_brBack.CreateSolidBrush(g_Theme.m_crMidtone);
        m_crBack = g_Theme.m_crMidtone;
    }
    pDC->SetBkColor(g_Theme.m_crMidtone);
    return (HBRUSH)m_brBack.m_hObject;
}

void CCoolBarCtrl::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdTarget* pCmdTarget = pTarget;
    if (!pCmdTarget)
        pCmdTarget = GetOwner();
    UINT nCount = 0;
    for (const std::unique_ptr<CCoolBarItem>& pItem : m_items)
        nCount += pItem->m_nID != 0;
    UINT nIndex = 0;
    for (size_t n = 0; n < m_items.size(); n++)
    {
        CCoolBarItem* pItem = m_items[n].get();
        if (!pItem->m_nID)
            continue;
        pItem->m_nIndex = nIndex++;
        pItem->m_pOther = this;
        pItem->m_nIndexMax = nCount;
        if (!OnCmdMsg(pItem->m_nID, CN_UPDATE_COMMAND_UI, pItem, NULL))
            pItem->DoUpdate(pCmdTarget, bDisableIfNoHndler);
    }
}

void CCoolBarCtrl::InitToolTip()
{
    if (!m_wndTip.Create(this))
        return;
    m_wndTip.SetDelayTime(TTDT_AUTOMATIC, 40);
    m_wndTip.SetTipTextColor(RGB(0x69, 0x69, 0x69));
    m_wndTip.SetTipBkColor(RGB(255, 255, 255));
    m_wndTip.Activate(TRUE);
    m_bTipActive = TRUE;
}

void CCoolBarCtrl::SetToolTip(CCoolBarItem* pItem)
{
    if (!m_wndTip.m_hWnd || !pItem)
        return;
    m_pTipItem = pItem;
    BOOL bActive = !pItem->m_strTip.IsEmpty();
    if (bActive != m_bTipActive)
    {
        m_wndTip.Activate(bActive);
        m_bTipActive = bActive;
    }
    if (!bActive)
        return;
    CRect rc;
    GetClientRect(&rc);
    TOOLINFOW ti;
    // One tool covers the bar; it is added once and then given each button's text.
    if (m_wndTip.GetToolInfo(&ti, this, 0))
    {
        if (m_wndTip.GetText(this, 0) != pItem->m_strTip)
            m_wndTip.UpdateTipText(pItem->m_strTip, this, 0);
        if (CRect(ti.rect) != rc)
            m_wndTip.SetToolRect(this, 0, &rc);
    }
    else
        m_wndTip.AddTool(this, pItem->m_strTip, &rc, 0);
}

INT_PTR CCoolBarCtrl::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    CRect rc;
    CCoolBarItem* pItem = HitTest(point, &rc);
    if (!pItem)
        return -1;
    if (!pTI)
        return 1;
    pTI->uFlags = 0;
    pTI->hwnd = m_hWnd;
    pTI->uId = pItem->m_nID;
    pTI->rect = rc;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return pItem->m_nID;
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
