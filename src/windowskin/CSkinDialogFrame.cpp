#include "CSkinDialogFrame.h"
#include "CWindowSkin.h"
#include "../skin/CSkinContext.h"
#include "../skin/CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"

CSkinDialogFrame::CSkinDialogFrame(CSkinDialog& dlg, const CSkinContext& context)
    : m_dlg(dlg), m_registry(context.Registry()), m_theme(context.Theme()), m_pSkin(NULL)
{
}

BOOL CSkinDialogFrame::UseContext(CSkinDialog& dlg, const CSkinContext& context)
{
    if (dlg.m_hWnd)
        return FALSE;
    dlg.m_pFrame.reset(new CSkinDialogFrame(dlg, context));
    return TRUE;
}

CSkinDialogFrame::~CSkinDialogFrame()
{
    SetSkin(NULL);
}

void CSkinDialogFrame::SetSkin(CWindowSkin* pSkin)
{
    // The registry listens only while there is a skin to take back; it has forgotten the
    // dialog when it told it its skin was going.
    if (pSkin && !m_pSkin)
        m_registry.AddWindowSkinListener(this);
    else if (!pSkin && m_pSkin)
        m_registry.RemoveWindowSkinListener(this);
    if (pSkin != m_pSkin)
        m_state.Reset();
    m_pSkin = pSkin;
}

void CSkinDialogFrame::OnWindowSkinsDeleting()
{
    m_state.Reset();
    if (!m_dlg.m_hWnd)
    {
        m_pSkin = NULL;
        return;
    }
    const CRect rcOldFrame = GetFrameThickness();
    m_pSkin = NULL;
    m_dlg.ModifyStyle(0, WS_CAPTION);
    ChangeFrame(rcOldFrame);
}

BOOL CSkinDialogFrame::SkinMe(LPCWSTR pszName, UINT nIconID)
{
    // Without a window there is no frame to replace.
    if (!::IsWindow(m_dlg.m_hWnd))
        return FALSE;
    const CRect rcOldFrame = GetFrameThickness();
    SetSkin(dynamic_cast<CWindowSkin*>(m_registry.FindWindowSkin(pszName)));

    if (nIconID)
        SetSmallIcon(nIconID);

    if (m_pSkin)
        m_dlg.ModifyStyle(WS_CAPTION, 0);
    else
        m_dlg.ModifyStyle(0, WS_CAPTION);
    ChangeFrame(rcOldFrame);
    return m_pSkin != NULL;
}

CRect CSkinDialogFrame::GetFrameThickness() const
{
    if (m_pSkin)
        return m_pSkin->GetFrameThickness(CWindowSkin::ScaleOf(&m_dlg));
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, m_dlg.GetStyle(), FALSE, m_dlg.GetExStyle());
    return CRect(-rc.left, -rc.top, rc.right, rc.bottom);
}

void CSkinDialogFrame::ChangeFrame(const CRect& rcOldFrame)
{
    const CRect rcFrame = GetFrameThickness();
    const CSize change(rcFrame.left + rcFrame.right - rcOldFrame.left - rcOldFrame.right,
                       rcFrame.top + rcFrame.bottom - rcOldFrame.top - rcOldFrame.bottom);

    // The tracking sizes were taken with the old frame: moved with it they keep limiting the
    // client area as before, and the minimum cannot hold a thinner frame back.
    m_dlg.OffsetTrackSizes(change);

    // A minimised or maximised dialog comes back to its normal rectangle later, which must
    // keep its client area too.
    const BOOL bIconic = m_dlg.IsIconic();
    if (bIconic || m_dlg.IsZoomed())
    {
        WINDOWPLACEMENT wp;
        wp.length = sizeof(wp);
        if (m_dlg.GetWindowPlacement(&wp))
        {
            wp.rcNormalPosition.right += change.cx;
            wp.rcNormalPosition.bottom += change.cy;
            wp.flags = 0;
            wp.showCmd = m_dlg.IsWindowVisible() ? SW_SHOWNA : SW_HIDE;
            m_dlg.SetWindowPlacement(&wp);
        }
    }

    CRect rc;
    m_dlg.GetClientRect(&rc);
    if (m_pSkin)
        m_pSkin->CalcFrame(&rc, FALSE, CWindowSkin::ScaleOf(&m_dlg));
    else
        ::AdjustWindowRectEx(&rc, m_dlg.GetStyle(), FALSE, m_dlg.GetExStyle());
    m_dlg.SetWindowRgn(NULL, FALSE);
    m_dlg.SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (bIconic ? SWP_NOSIZE : 0));
    if (m_pSkin)
        m_pSkin->ApplyRegion(&m_dlg);
}

void CSkinDialogFrame::SetSmallIcon(UINT nIconID)
{
    // The theme hands out a new icon on every call; the dialog keeps the one it shows and
    // destroys it when it takes another or when the window goes. An icon the host set is the
    // host's own and stays.
    HICON hIcon = m_theme.GetIcon(nIconID, SIZE_CODE_16);
    if (!hIcon)
        return;
    m_dlg.SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    m_pSmallIcon.reset(hIcon);
}

void CSkinDialogFrame::Release()
{
    SetSkin(NULL);
    m_pSmallIcon.reset();
}
