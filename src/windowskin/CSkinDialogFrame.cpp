#include "CSkinDialogFrame.h"
#include "CWindowSkin.h"
#include "../skin/CSkinContext.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"

CSkinDialogFrame::CSkinDialogFrame(CWnd& wnd, const CSkinContext& context, DefaultProc defaultProc,
                                   FrameChanged frameChanged)
    : m_wnd(wnd), m_registry(context.Registry()), m_theme(context.Theme()), m_default(std::move(defaultProc)),
      m_frameChanged(std::move(frameChanged)), m_dwPlainCaption(WS_CAPTION), m_pSkin(NULL),
      m_menuBar(wnd, m_theme)
{
}

BOOL CSkinDialogFrame::UseContext(CSkinDialog& dlg, const CSkinContext& context)
{
    if (dlg.m_hWnd)
        return FALSE;
    dlg.m_pFrame = ForDialog(dlg, context);
    return TRUE;
}

std::unique_ptr<CSkinDialogFrame> CSkinDialogFrame::ForDialog(CSkinDialog& dlg, const CSkinContext& context)
{
    // The dialog's tracking sizes were taken with the old frame: moved with it they keep
    // limiting the client area as before, and the minimum cannot hold a thinner frame back.
    return std::unique_ptr<CSkinDialogFrame>(new CSkinDialogFrame(
        dlg, context, [&dlg](UINT nMsg, WPARAM wParam, LPARAM lParam) { return dlg.DefWindowProc(nMsg, wParam, lParam); },
        [&dlg](const CSize& change) { dlg.OffsetTrackSizes(change); }));
}

CSkinDialogFrame::~CSkinDialogFrame()
{
    SetSkin(NULL);
}

void CSkinDialogFrame::SetSkin(CWindowSkin* pSkin)
{
    // The registry listens only while there is a skin to take back; it has forgotten the
    // window when it told it its skin was going.
    if (pSkin && !m_pSkin)
        m_registry.AddWindowSkinListener(this);
    else if (!pSkin && m_pSkin)
        m_registry.RemoveWindowSkinListener(this);
    if (pSkin != m_pSkin)
    {
        m_state.Reset();
        m_shadow.Forget();
    }
    // Without a skin the system draws its own bar.
    if (!pSkin)
        m_menuBar.Clear();
    m_pSkin = pSkin;
}

void CSkinDialogFrame::OnWindowSkinsDeleting()
{
    m_state.Reset();
    m_shadow.Forget();
    if (!m_wnd.m_hWnd)
    {
        m_pSkin = NULL;
        m_shadow.Release();
        return;
    }
    const CRect rcOldFrame = GetFrameThickness();
    m_pSkin = NULL;
    m_menuBar.Clear();
    ShowPlainCaption();
    ChangeFrame(rcOldFrame);
}

void CSkinDialogFrame::ShowPlainCaption()
{
    m_wnd.ModifyStyle(WS_CAPTION & ~m_dwPlainCaption, m_dwPlainCaption);
}

BOOL CSkinDialogFrame::SkinMe(LPCWSTR pszName, UINT nIconID)
{
    // Without a window there is no frame to replace.
    if (!::IsWindow(m_wnd.m_hWnd))
        return FALSE;
    const CRect rcOldFrame = GetFrameThickness();
    SetSkin(dynamic_cast<CWindowSkin*>(m_registry.FindWindowSkin(pszName)));

    if (nIconID)
        SetSmallIcon(nIconID);

    if (m_pSkin)
        m_wnd.ModifyStyle(WS_CAPTION, 0);
    else
        ShowPlainCaption();
    ChangeFrame(rcOldFrame);
    return m_pSkin != NULL;
}

CRect CSkinDialogFrame::GetFrameThickness()
{
    if (m_pSkin)
    {
        const CDpiScale scale = CWindowSkin::ScaleOf(&m_wnd);
        CRect rcFrame = m_pSkin->GetFrameThickness(scale);
        CRect rcClient;
        m_wnd.GetClientRect(&rcClient);
        rcFrame.top += m_menuBar.Measure(rcClient.Width(), scale);
        return rcFrame;
    }
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, m_wnd.GetStyle(), ::GetMenu(m_wnd.m_hWnd) != NULL, m_wnd.GetExStyle());
    return CRect(-rc.left, -rc.top, rc.right, rc.bottom);
}

void CSkinDialogFrame::ChangeFrame(const CRect& rcOldFrame)
{
    const CRect rcFrame = GetFrameThickness();
    const CSize change(rcFrame.left + rcFrame.right - rcOldFrame.left - rcOldFrame.right,
                       rcFrame.top + rcFrame.bottom - rcOldFrame.top - rcOldFrame.bottom);

    if (m_frameChanged)
        m_frameChanged(change);

    // A minimised or maximised window comes back to its normal rectangle later, which must
    // keep its client area too.
    const BOOL bIconic = m_wnd.IsIconic();
    if (bIconic || m_wnd.IsZoomed())
    {
        WINDOWPLACEMENT wp;
        wp.length = sizeof(wp);
        if (m_wnd.GetWindowPlacement(&wp))
        {
            wp.rcNormalPosition.right += change.cx;
            wp.rcNormalPosition.bottom += change.cy;
            wp.flags = 0;
            wp.showCmd = m_wnd.IsWindowVisible() ? SW_SHOWNA : SW_HIDE;
            m_wnd.SetWindowPlacement(&wp);
        }
    }

    CRect rc;
    m_wnd.GetClientRect(&rc);
    if (m_pSkin)
        rc.InflateRect(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.bottom);
    else
        ::AdjustWindowRectEx(&rc, m_wnd.GetStyle(), ::GetMenu(m_wnd.m_hWnd) != NULL, m_wnd.GetExStyle());
    // Taking away a region the window does not have still costs the window manager a round trip.
    CRect rcRegion;
    if (::GetWindowRgnBox(m_wnd.m_hWnd, &rcRegion) != ERROR)
        m_wnd.SetWindowRgn(NULL, FALSE);
    // The client area's old pixels were drawn in the old look (or none): all of it is drawn anew.
    m_wnd.SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS | (bIconic ? SWP_NOSIZE : 0));
    if (m_pSkin)
        m_pSkin->ApplyRegion(&m_wnd);
    m_systemLook.Apply(m_wnd.m_hWnd, m_pSkin);
    m_shadow.Apply(m_wnd.m_hWnd, m_pSkin);
}

void CSkinDialogFrame::SetSmallIcon(UINT nIconID)
{
    // The theme hands out a new icon on every call; the window keeps the one it shows and
    // destroys it when it takes another or when the window goes. An icon the host set is the
    // host's own and stays.
    HICON hIcon = m_theme.GetIcon(nIconID, SIZE_CODE_16);
    if (!hIcon)
        return;
    m_wnd.SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    m_pSmallIcon.reset(hIcon);
}

void CSkinDialogFrame::Release()
{
    SetSkin(NULL);
    m_shadow.Release();
    m_menuBar.Clear();
    m_pSmallIcon.reset();
}
