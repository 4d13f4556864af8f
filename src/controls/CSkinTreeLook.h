// What a skinned tree keeps behind its one pointer: the background its host chose, the host's
// extra image list, and what follows the window's DPI (item height, indent, font and the
// off-screen surface, CSkinTreeMetrics). It paints the tree through a CSkinTreePainter.
#pragma once
#include <KorvoSkin/CSkinTree.h>
#include "CSkinTreeMetrics.h"

class CSkinTreeLook
{
public:
    static CSkinTreeLook& Of(CSkinTree& tree) { return *tree.m_pLook; }

    // The whole client area, off screen, then onto pDC in one copy.
    void Paint(CSkinTree& tree, CDC& dc);

    CSkinTree::BkMode m_mode = CSkinTree::BkModeSolid;
    bool m_bGradientHorz = true;
    bool m_bBitmapTiled = false;
    CBitmap m_bitmap;
    CImageList* m_pImageListEx = nullptr;
    CSkinTreeMetrics m_metrics;
};
