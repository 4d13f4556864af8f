// A status bar created by other code and skinned by its handle: painted by the library in the
// skin's dialog colours (background, text, the lines between parts and the size grip), each part's
// text and icon where the bar keeps them; parts the program draws itself are still asked of it.
// Everything else (parts, texts, simple mode, sizing) stays the status bar's own.
#pragma once
#include <afxwin.h>
#include "../parts/COffscreenBuffer.h"

class CAttachedStatusBar : public CWnd
{
protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // One part's icon and text (left, centred and right-aligned pieces split at tabs) in rcPart.
    void PaintPart(CDC* pDC, WPARAM nPart, const CRect& rcPart);
    void PaintGrip(CDC* pDC, const CRect& rcClient, COLORREF crDots);

    COffscreenBuffer m_buffer;
};
