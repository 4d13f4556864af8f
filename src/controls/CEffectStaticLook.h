// The effect static's look: its background colour and line height, and the text wrapped by
// characters to the control's width.
#pragma once
#include <afxwin.h>

class CEffectStaticLook
{
public:
    CEffectStaticLook() : m_nLineHeight(18), m_crBack(RGB(255, 255, 255)) {}

    void SetLineHeight(DWORD nLineHeight) { m_nLineHeight = nLineHeight; }
    void SetBackColor(COLORREF crBack) { m_crBack = crBack; }
    COLORREF GetBackColor() const { return m_crBack; }

    // The window text from 2 and 5 pixels in, a line each time the next character would pass
    // 12 pixels short of the width, at a line feed, or at the end.
    void Paint(CWnd* pStatic, CDC* pDC) const;

private:
    DWORD m_nLineHeight;
    COLORREF m_crBack;
};
