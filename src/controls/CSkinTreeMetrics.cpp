#include "CSkinTreeMetrics.h"
#include "../parts/CDpiScale.h"

void CSkinTreeMetrics::FollowDpi(CTreeCtrl& tree)
{
    m_dpi.Follow(&tree, [&](UINT nOld, UINT nNew) {
        // The window rounds some heights (to even ones), so what it took is read back.
        tree.SetItemHeight((SHORT)m_itemHeight.Fit(tree.GetItemHeight(), nOld, nNew));
        m_itemHeight.Took(tree.GetItemHeight());
        tree.SetIndent((UINT)m_indent.Fit((int)tree.GetIndent(), nOld, nNew));
        m_indent.Took((int)tree.GetIndent());
        // A surface sized for the larger scale is not kept at the smaller one.
        m_buffer.Release();
    });
}

HFONT CSkinTreeMetrics::Font(CTreeCtrl& tree)
{
    return m_font.Get((HFONT)tree.SendMessage(WM_GETFONT), CDpiScale(CControlDpi::FontScaleDpi(tree.m_hWnd)));
}
