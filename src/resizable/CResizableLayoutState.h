// What CResizableLayout keeps behind its one pointer: the children's anchors in the order they
// were added, the newest entry of each child by window, and the callback entries, which keep only
// their keys.
#pragma once
#include <KorvoSkin/CResizableLayout.h>

class CResizableLayoutState
{
public:
    typedef CResizableLayout::LayoutInfo LayoutInfo;

    static CResizableLayoutState& Of(CResizableLayout& layout) { return *layout.m_pLayout; }

    CResizableLayoutState() : m_mapLayoutPos(10), m_lstLayout(10), m_lstLayoutCallback(10)
    {
        m_mapLayoutPos.InitHashTable(17);
    }

    CMap<HWND, HWND, POSITION, POSITION> m_mapLayoutPos;
    CList<LayoutInfo, LayoutInfo&> m_lstLayout;
    CList<LayoutInfo, LayoutInfo&> m_lstLayoutCallback;
};
