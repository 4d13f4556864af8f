// What a skinned tree keeps for its window's DPI: its item height and indent in the window, the
// font its items are painted in, and its off-screen surface, all made again when the DPI moves.
#pragma once
#include <afxwin.h>
#include "../parts/COffscreenBuffer.h"
#include "../parts/CScaledFont.h"
#include "CControlDpi.h"
#include "CDpiLength.h"

class CSkinTreeMetrics
{
public:
    // Refits the tree to its window's DPI and repaints it, when the DPI moved.
    void FollowDpi(CTreeCtrl& tree);
    // The tree's own font, scaled from the screen's DPI to the window's.
    HFONT Font(CTreeCtrl& tree);
    COffscreenBuffer& Buffer() { return m_buffer; }

private:
    CControlDpi m_dpi;
    CDpiLength m_itemHeight;
    CDpiLength m_indent;
    CScaledFont m_font;
    COffscreenBuffer m_buffer;
};
