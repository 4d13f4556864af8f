// One flicker-free paint of a rectangle: drawing goes to an off-screen buffer in the target's own
// coordinates, and the end of the scope copies the rectangle to the target in one transfer.
// A window keeps its COffscreenBuffer between paints, so a paint allocates nothing.
#pragma once
#include "COffscreenBuffer.h"

class CBufferedPaint
{
public:
    // Where no buffer can be had, GetDC() is the target itself: the paint still happens, only
    // unbuffered. An empty rectangle draws nothing and copies nothing.
    CBufferedPaint(COffscreenBuffer& buffer, CDC* pTargetDC, const CRect& rect);
    ~CBufferedPaint();

    CDC* GetDC() const { return m_pDC; }
    bool IsBuffered() const { return m_pDC != m_pTargetDC; }
    const CRect& GetRect() const { return m_rect; }

    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

private:
    CDC* m_pTargetDC;
    CDC* m_pDC;
    CRect m_rect;
    POINT m_ptOldOrg;
};
