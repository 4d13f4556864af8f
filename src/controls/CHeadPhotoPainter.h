// The painting and hover tracking the two head-photo controls share: the background bitmap at
// the control's origin, and a 55 by 55 portrait square at (8, 7), optionally in grey.
#pragma once
#include "../afx/afxwin.h"

class CHeadPhotoPainter
{
public:
    static const int PORTRAIT_SIZE = 55;
    static const int PORTRAIT_X = 8;
    static const int PORTRAIT_Y = 7;

    // Copies the hover or normal background over the control when both are set.
    static void PaintBackground(CDC* pDC, const CSize& size, HBITMAP hNormal, HBITMAP hHover, bool bHover);

    // A portrait square compatible with the paint DC, not cleared: it is drawn into, then Put.
    explicit CHeadPhotoPainter(CDC* pDC);
    ~CHeadPhotoPainter();
    CHeadPhotoPainter(const CHeadPhotoPainter&) = delete;
    CHeadPhotoPainter& operator=(const CHeadPhotoPainter&) = delete;
    CDC* Square() { return m_bValid ? &m_dcSquare : NULL; }
    // Turns the square grey, when asked, and copies it to the control.
    void Put(bool bGray);

    // The BT.601 luma of a colour, the grey level of a grey portrait.
    static BYTE GreyLevel(COLORREF cr);

    // Marks the control hovered and asks for the leave notification once per entry; TRUE when
    // the hover began.
    static BOOL EnterHover(CWnd* pWnd, bool& bHover);

private:
    CDC* m_pDC;
    CDC m_dcSquare;
    CBitmap m_bitmap;
    HGDIOBJ m_hOld;
    bool m_bValid;
};
