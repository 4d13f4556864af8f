#include "CSkinnedWindow.h"
#include "CSkinDialogFrame.h"
#include "../skin/CSkinContext.h"
#include "../theme/CMenuSkinner.h"
#include "../parts/CDwmAttributes.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CWindowProcLink.h"
#include <AfxChainedSubclass.h>
#include <windowsx.h>
#include <algorithm>

// The library's link in the subclass chain of a child dialog whose controls it skins.
static const UINT_PTR CONTAINER_SUBCLASS = 0x4B53;

thread_local int CSkinnedWindow::s_nDispatching = 0;

namespace
{
// A child asking for its colours, wrapped for the colour code for the length of the question. A
// temporary wrapper of the framework's would live until the framework's idle time, which a host
// with its own message loop, or a modal message box, never reaches: one would pile up for every
// child of every window that comes and goes.
struct CAskingChild : CWnd
{
    explicit CAskingChild(HWND hWnd) { m_hWnd = hWnd; }
    ~CAskingChild() { m_hWnd = NULL; }
};
} // namespace

std::vector<std::unique_ptr<CWnd>>& CSkinnedWindow::LetGo()
{
    static thread_local std::vector<std::unique_ptr<CWnd>> s_letGo;
    return s_letGo;
}

void CSkinnedWindow::DeleteLetGo()
{
    if (s_nDispatching == 0 && AfxChainedMessageDepth() == 0)
        LetGo().clear();
}

CSkinnedWindow::CSkinnedWindow(HWND hWnd, const CSkinContext& context, GoneProc gone)
    : m_menus(context.Menus()), m_gone(std::move(gone)), m_dwCaption(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION), m_bAttached(FALSE),
      m_nDepth(0), m_bDisposed(FALSE)
{
    m_wnd.m_hWnd = hWnd;
    m_pFrame.reset(new CSkinDialogFrame(m_wnd, context, [this](UINT nMsg, WPARAM wParam, LPARAM lParam) {
        return Default(nMsg, wParam, lParam);
    }));
    m_pFrame->SetPlainCaption(m_dwCaption);
}

std::unique_ptr<CSkinnedWindow> CSkinnedWindow::Attach(HWND hWnd, const CSkinContext& context, GoneProc gone)
{
    std::unique_ptr<CSkinnedWindow> pWindow(new CSkinnedWindow(hWnd, context, std::move(gone)));
    if (!CWindowProcLink::Attach(hWnd, &CSkinnedWindow::LinkProc, pWindow.get()))
    {
        pWindow->m_wnd.m_hWnd = NULL;
        return NULL;
    }
    pWindow->m_bAttached = TRUE;
    CMenuSkinner::ServeWindow(hWnd, TRUE);
    return pWindow;
}

void CSkinnedWindow::Dispose(std::unique_ptr<CSkinnedWindow> pWindow)
{
    if (!pWindow)
        return;
    pWindow->Detach();
    // Its frame and state are on the stack of the message being answered.
    if (pWindow->m_nDepth > 0)
        pWindow.release()->m_bDisposed = TRUE;
    pWindow.reset();
    DeleteLetGo();
}

CSkinnedWindow::~CSkinnedWindow()
{
    Detach();
    m_pFrame.reset();
    m_wnd.m_hWnd = NULL;
}

BOOL CSkinnedWindow::SkinFrame(LPCWSTR pszTarget)
{
    m_strTarget = pszTarget ? pszTarget : L"";
    return m_bAttached && m_pFrame->SkinMe(m_strTarget, 0);
}

void CSkinnedWindow::Reskin()
{
    if (m_bAttached && HasTarget())
        m_pFrame->SkinMe(m_strTarget, 0);
}

void CSkinnedWindow::AdoptControl(std::unique_ptr<CWnd> pControl, DWORD dwOldStyle)
{
    m_controls.push_back(CAttachedControl{std::move(pControl), dwOldStyle});
}

BOOL CSkinnedWindow::HoldsChild(HWND hChild) const
{
    if (!hChild)
        return FALSE;
    for (const CAttachedControl& control : m_controls)
        if (control.pWnd->m_hWnd == hChild)
            return TRUE;
    for (const std::unique_ptr<CWnd>& pBar : m_bars)
        if (pBar->m_hWnd == hChild)
            return TRUE;
    return FALSE;
}

void CSkinnedWindow::AdoptBar(std::unique_ptr<CWnd> pBar)
{
    m_bars.push_back(std::move(pBar));
    LayoutBars();
}

void CSkinnedWindow::LayoutBars()
{
    if (m_bars.empty() || !m_bAttached)
        return;
    UINT nFirst = 0xFFFF, nLast = 0;
    for (const std::unique_ptr<CWnd>& pBar : m_bars)
        if (pBar->m_hWnd)
        {
            const UINT nID = (UINT)::GetDlgCtrlID(pBar->m_hWnd);
            nFirst = std::min(nFirst, nID);
            nLast = std::max(nLast, nID);
        }
    // The host's own children in the range do not answer the bars' layout message and stay.
    if (nFirst <= nLast)
        m_wnd.RepositionBars(nFirst, nLast, 0);
}

void CSkinnedWindow::Detach()
{
    if (!m_bAttached)
        return;
    m_bAttached = FALSE;
    const HWND hWnd = m_wnd.m_hWnd;
    // A wrapper's own message may be on the stack (a click whose notification let the window
    // go): the wrappers are deleted once it is answered.
    for (CAttachedControl& control : m_controls)
    {
        const HWND hControl = control.pWnd->m_hWnd;
        if (hControl)
        {
            control.pWnd->UnsubclassWindow();
            ::SetWindowLongW(hControl, GWL_STYLE, (LONG)control.dwOldStyle);
            ::InvalidateRect(hControl, NULL, TRUE);
        }
        LetGo().push_back(std::move(control.pWnd));
    }
    m_controls.clear();
    for (std::unique_ptr<CWnd>& pBar : m_bars)
    {
        if (pBar->m_hWnd)
            pBar->DestroyWindow();
        LetGo().push_back(std::move(pBar));
    }
    m_bars.clear();
    for (HWND hContainer : m_containers)
    {
        ::RemoveWindowSubclass(hContainer, ContainerProc, CONTAINER_SUBCLASS);
        ::InvalidateRect(hContainer, NULL, TRUE);
    }
    m_containers.clear();
    // Without a skin (also while the window is being destroyed) the system frame is there.
    const BOOL bFramed = m_pFrame->GetSkin() != NULL;
    if (bFramed)
        m_pFrame->SkinMe(L"", 0);
    m_pFrame->Release();
    CWindowProcLink::Detach(hWnd);
    CMenuSkinner::ServeWindow(hWnd, FALSE);
    if (bFramed)
        ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CSkinnedWindow::ServeMenu(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (!m_menus.IsServing())
        return Default(nMsg, wParam, lParam);
    return m_menus.ServeOwnerMessage(m_wnd.m_hWnd, nMsg, wParam, lParam, [&] { return Default(nMsg, wParam, lParam); });
}

LRESULT CSkinnedWindow::Default(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return CWindowProcLink::CallNext(m_wnd.m_hWnd, nMsg, wParam, lParam);
}

LRESULT CSkinnedWindow::Default(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return hWnd == m_wnd.m_hWnd ? Default(nMsg, wParam, lParam) : ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

BOOL CSkinnedWindow::OnChildMessage(HWND hParent, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    switch (nMsg)
    {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (Reflect((HWND)lParam, nMsg, wParam, lParam, lResult))
            return TRUE;
        lResult = Default(hParent, nMsg, wParam, lParam);
        // A request without a device context (any process can send one) has nothing to colour.
        if (wParam)
        {
            CWnd* pChild = CWnd::FromHandlePermanent((HWND)lParam);
            CAskingChild child((HWND)lParam);
            lResult = (LRESULT)m_pFrame->OnCtlColor(CDC::FromHandle((HDC)wParam), pChild ? pChild : &child,
                                                    nMsg - WM_CTLCOLORMSGBOX, (HBRUSH)lResult);
        }
        return TRUE;
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* pItem = (const DRAWITEMSTRUCT*)lParam;
        if (pItem && Reflect(pItem->hwndItem, nMsg, wParam, lParam, lResult))
        {
            lResult = TRUE;
            return TRUE;
        }
        return FALSE;
    }
    case WM_MEASUREITEM:
    {
        const MEASUREITEMSTRUCT* pItem = (const MEASUREITEMSTRUCT*)lParam;
        if (pItem && Reflect(::GetDlgItem(hParent, (int)pItem->CtlID), nMsg, wParam, lParam, lResult))
        {
            lResult = TRUE;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY:
    {
        // Custom drawing is the control's; other notifications reach the host as well.
        const NMHDR* pHeader = (const NMHDR*)lParam;
        return pHeader && Reflect(pHeader->hwndFrom, nMsg, wParam, lParam, lResult) && pHeader->code == (UINT)NM_CUSTOMDRAW;
    }
    case WM_COMMAND:
        // The control hears its notification first; the host hears it as well.
        if (lParam)
            Reflect((HWND)lParam, nMsg, wParam, lParam, lResult);
        return FALSE;
    }
    return FALSE;
}

BOOL CSkinnedWindow::AdoptContainer(HWND hContainer)
{
    if (std::find(m_containers.begin(), m_containers.end(), hContainer) != m_containers.end())
        return TRUE;
    if (!m_bAttached || !::SetWindowSubclass(hContainer, ContainerProc, CONTAINER_SUBCLASS, (DWORD_PTR)this))
        return FALSE;
    m_containers.push_back(hContainer);
    ::InvalidateRect(hContainer, NULL, TRUE);
    return TRUE;
}

LRESULT CALLBACK CSkinnedWindow::ContainerProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR dwRefData)
{
    CSkinnedWindow* pThis = (CSkinnedWindow*)dwRefData;
    if (nMsg == WM_NCDESTROY)
    {
        ::RemoveWindowSubclass(hWnd, ContainerProc, CONTAINER_SUBCLASS);
        pThis->m_containers.erase(std::remove(pThis->m_containers.begin(), pThis->m_containers.end(), hWnd),
                                  pThis->m_containers.end());
        return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
    // The window's own depth: a control's message may let the window go.
    pThis->m_nDepth++;
    s_nDispatching++;
    LRESULT lResult = 0;
    BOOL bDone = pThis->m_bAttached && pThis->OnChildMessage(hWnd, nMsg, wParam, lParam, lResult);
    // A page erases itself in the skin's dialog colour, not in the tab body a theme would give it.
    if (nMsg == WM_ERASEBKGND && wParam && pThis->m_bAttached && pThis->m_pFrame->GetSkin())
    {
        CDC* pDC = CDC::FromHandle((HDC)wParam);
        CAskingChild container(hWnd);
        if (HBRUSH hBrush = pThis->m_pFrame->OnCtlColor(pDC, &container, CTLCOLOR_DLG, NULL))
        {
            CRect rcClient;
            ::GetClientRect(hWnd, &rcClient);
            ::FillRect(pDC->m_hDC, &rcClient, hBrush);
            bDone = TRUE;
            lResult = TRUE;
        }
    }
    if (!bDone)
        lResult = ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    s_nDispatching--;
    if (--pThis->m_nDepth == 0 && pThis->m_bDisposed)
        delete pThis;
    DeleteLetGo();
    return lResult;
}

LRESULT CSkinnedWindow::LinkProc(void* pData, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CSkinnedWindow* pThis = (CSkinnedWindow*)pData;
    if (nMsg == WM_NCDESTROY)
    {
        const LRESULT lResult = CWindowProcLink::CallNext(hWnd, nMsg, wParam, lParam);
        pThis->m_pFrame->OnNcDestroy();
        pThis->Detach();
        // The owner disposes of this object: now, or when an outer message of the window is
        // answered.
        GoneProc gone = pThis->m_gone;
        if (gone)
            gone(hWnd);
        return lResult;
    }
    pThis->m_nDepth++;
    s_nDispatching++;
    const LRESULT lResult = pThis->OnMessage(nMsg, wParam, lParam);
    s_nDispatching--;
    if (--pThis->m_nDepth == 0 && pThis->m_bDisposed)
        delete pThis;
    DeleteLetGo();
    return lResult;
}

BOOL CSkinnedWindow::Reflect(HWND hChild, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    // A host built on the framework reflects to its own wrappers itself.
    return HoldsChild(hChild) && CWnd::ReflectMessage(hChild, nMsg, wParam, lParam, &lResult);
}

LRESULT CSkinnedWindow::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    LRESULT lResult = 0;
    switch (nMsg)
    {
    case WM_NCCALCSIZE:
        if (m_pFrame->OnNcCalcSize((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam))
            return 0;
        break;
    case WM_NCHITTEST:
    {
        UINT nHitTest = HTNOWHERE;
        if (m_pFrame->OnNcHitTest(point, nHitTest))
            return nHitTest;
        break;
    }
    case WM_NCACTIVATE:
        if (m_pFrame->OnNcActivate((BOOL)wParam, FALSE))
            return TRUE;
        break;
    case WM_NCPAINT:
        if (m_pFrame->OnNcPaint())
            return 0;
        break;
    case WM_NCLBUTTONDOWN:
        if (m_pFrame->OnNcLButtonDown((UINT)wParam, point))
            return 0;
        break;
    case WM_NCLBUTTONUP:
        if (m_pFrame->OnNcLButtonUp((UINT)wParam, point))
            return 0;
        break;
    case WM_NCLBUTTONDBLCLK:
        if (m_pFrame->OnNcLButtonDblClk((UINT)wParam, point))
            return 0;
        break;
    case WM_NCMOUSEMOVE:
        m_pFrame->OnNcMouseMove((UINT)wParam, point);
        break;
    case WM_NCMOUSELEAVE:
        m_pFrame->OnNcMouseLeave();
        break;
    case WM_SIZE:
        m_pFrame->OnSize();
        lResult = Default(nMsg, wParam, lParam);
        LayoutBars();
        return lResult;
    case WM_WINDOWPOSCHANGED:
        m_pFrame->OnWindowPosChanged(lParam ? ((const WINDOWPOS*)lParam)->flags : 0);
        break;
    case CDwmAttributes::COMPOSITION_CHANGED:
        m_pFrame->OnCompositionChanged();
        break;
    case WM_SETREDRAW:
        lResult = Default(nMsg, wParam, lParam);
        m_pFrame->OnSetRedraw((BOOL)wParam);
        return lResult;
    case WM_ERASEBKGND:
        // Skinned, the window is never erased with its class brush (a light one under a dark skin).
        if (wParam && m_pFrame->GetSkin() && (m_pFrame->OnEraseBkgnd(CDC::FromHandle((HDC)wParam))
                                              || m_pFrame->Colours().EraseBackground(&m_wnd, CDC::FromHandle((HDC)wParam))))
            return TRUE;
        break;
    case WM_SETICON:
        m_pFrame->OnSetIcon();
        break;
    case WM_INITMENU:
        if (!m_pFrame->OnInitMenu(wParam))
            return 0;
        break;
    case WM_SETTEXT:
        if (m_pFrame->OnSetText(wParam, lParam, lResult))
            return lResult;
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    {
        // DRAWITEMSTRUCT and MEASUREITEMSTRUCT both begin with the control's type; a control's
        // item goes on to the controls below.
        const UINT* pType = (const UINT*)lParam;
        if (pType && *pType == ODT_MENU)
            return ServeMenu(nMsg, wParam, lParam);
        break;
    }
    case WM_INITMENUPOPUP:
        return ServeMenu(nMsg, wParam, lParam);
    case WM_GETOBJECT:
        if (m_pFrame->GetSkin())
            return m_pFrame->OnGetObject(wParam, lParam, 0);
        break;
    case WM_DPICHANGED:
        if (m_pFrame->GetSkin())
            return m_pFrame->OnDpiChanged(wParam, lParam, std::function<void(UINT, UINT)>(), [this] { LayoutBars(); });
        break;
    }
    // What the window's controls ask of it, as a container's controls ask of theirs.
    if (OnChildMessage(m_wnd.m_hWnd, nMsg, wParam, lParam, lResult))
        return lResult;
    return Default(nMsg, wParam, lParam);
}
