#include "CSliderLook.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CDpiScale.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CGdiSelect.h"
#include "ControlTheme.h"
#include <initializer_list>

namespace
{
const BYTE SHADE_STEP = 51;

// Halfway from a to b per channel, rounded toward minus infinity.
COLORREF HalfwayColor(COLORREF crA, COLORREF crB)
{
    int nChannels[3];
    for (int i = 0; i < 3; i++)
    {
        int a = (crA >> (8 * i)) & 0xFF;
        int b = (crB >> (8 * i)) & 0xFF;
        int d = b - a;
        nChannels[i] = a + (d >= 0 ? d / 2 : -((-d + 1) / 2));
    }
    return RGB(nChannels[0], nChannels[1], nChannels[2]);
}

void Line(CDC* pDC, CPen& pen, std::initializer_list<POINT> points)
{
    CGdiSelect select(pDC, pen);
    const POINT* p = points.begin();
    pDC->MoveTo(p->x, p->y);
    for (++p; p != points.end(); ++p)
        pDC->LineTo(p->x, p->y);
}

// Selects the frame pen and the thumb's brush while a thumb is outlined and filled.
class CThumbFrame
{
public:
    CThumbFrame(CDC* pDC, COLORREF crThumb)
        : m_pDC(pDC), m_crFrame(::GetSysColor(COLOR_WINDOWFRAME)), m_penFrame(PS_SOLID, 1, m_crFrame),
          m_brThumb(crThumb), m_selectPen(pDC, m_penFrame), m_selectBrush(pDC, m_brThumb)
    {
    }
    // Draws a closed outline in the frame colour and fills it from (x, y) inside it.
    template <size_t N> void Outline(const POINT (&outline)[N], int x, int y)
    {
        m_pDC->Polyline(outline, (int)N);
        ::FloodFill(m_pDC->m_hDC, x, y, m_crFrame);
    }

private:
    CDC* m_pDC;
    COLORREF m_crFrame;
    CPen m_penFrame;
    CBrush m_brThumb;
    CGdiSelect m_selectPen;
    CGdiSelect m_selectBrush;
};

// The thumb of a slider with ticks on both sides: the same rounded box in either orientation.
void DrawRoundThumb(CDC* pDC, const CRect& rect, COLORREF crFace, COLORREF crLight, COLORREF crLighter,
                    COLORREF crDark, COLORREF crDarker)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    pDC->RoundRect(l, t, r, b, 2, 2);
    pDC->Draw3dRect(CRect(l + 1, t + 1, r - 1, b - 1), crLight, crDark);
    pDC->SetPixel(l + 1, t + 1, crLighter);
    pDC->SetPixel(r - 2, t + 1, crFace);
    pDC->SetPixel(r - 2, b - 2, crDarker);
    pDC->SetPixel(l + 1, b - 2, crFace);
}

// The grip lines of an enabled thumb, across it: light ones at 1, 3 (5, 7) along it, dark ones
// between them; four light lines where the thumb is wider than 9 pixels along the slider.
// Along and across are x and y on a horizontal slider's thumb, swapped on a vertical one's.
void DrawGrip(CDC* pDC, const CRect& rcGrip, int nExtent, bool bHorizontal, CPen& penLight, CPen& penDarker,
              COLORREF crLighter)
{
    int nAlong = bHorizontal ? rcGrip.left : rcGrip.top;
    int nFrom = bHorizontal ? rcGrip.top : rcGrip.left;
    int nTo = bHorizontal ? rcGrip.bottom : rcGrip.right;
    auto At = [bHorizontal](int a, int c) { return bHorizontal ? POINT{ a, c } : POINT{ c, a }; };
    int nLight = nExtent > 9 ? 4 : 2;
    for (int i = 0; i < nLight; i++)
    {
        int a = nAlong + 1 + 2 * i;
        Line(pDC, penLight, { At(a, nFrom + 5), At(a, nTo - 5) });
        POINT ptDot = At(a, nFrom + 4);
        pDC->SetPixel(ptDot.x, ptDot.y, crLighter);
    }
    int nDark = nExtent > 9 ? 3 : 2;
    for (int i = 0; i < nDark; i++)
        Line(pDC, penDarker, { At(nAlong + 2 + 2 * i, nFrom + 5), At(nAlong + 2 + 2 * i, nTo - 4) });
}

void RemakePen(CPen& pen, COLORREF cr)
{
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, 1, cr);
}
}

CSliderLook::CSliderLook()
    : m_crSelection(::GetSysColor(COLOR_HIGHLIGHT)), m_crChannel(::GetSysColor(COLOR_WINDOW)),
      m_crThumb(::GetSysColor(COLOR_BTNFACE)), m_nLevel(0), m_nThumbDpi(CWindowDpi::OfScreen()), m_nBaseThumb(0),
      m_bFixedAdded(false)
{
    MakeShades();
}

COLORREF CSliderLook::LightenColor(COLORREF crColor, BYTE nAmount)
{
    COLORREF crResult = 0;
    for (int i = 0; i < 3; i++)
    {
        int nChannel = (crColor >> (8 * i)) & 0xFF;
        if (nChannel + nAmount <= 255)
            nChannel += nAmount;
        crResult |= (COLORREF)nChannel << (8 * i);
    }
    return crResult;
}

COLORREF CSliderLook::DarkenColor(COLORREF crColor, BYTE nAmount)
{
    COLORREF crResult = 0;
    for (int i = 0; i < 3; i++)
    {
        int nChannel = (crColor >> (8 * i)) & 0xFF;
        if (nChannel >= nAmount)
            nChannel -= nAmount;
        crResult |= (COLORREF)nChannel << (8 * i);
    }
    return crResult;
}

void CSliderLook::SetThumbColor(COLORREF crColor)
{
    m_crThumb = crColor;
    MakeShades();
}

void CSliderLook::MakeShades()
{
    m_crThumbLight = LightenColor(m_crThumb, SHADE_STEP);
    m_crThumbLighter = LightenColor(m_crThumbLight, SHADE_STEP);
    m_crThumbDark = DarkenColor(m_crThumb, SHADE_STEP);
    m_crThumbDarker = DarkenColor(m_crThumbDark, SHADE_STEP);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    RemakePen(m_penThumbLight, m_crThumbLight);
    RemakePen(m_penThumbLighter, m_crThumbLighter);
    RemakePen(m_penThumbDark, m_crThumbDark);
    RemakePen(m_penThumbDarker, m_crThumbDarker);
    RemakePen(m_penShadowDark, HalfwayColor(crShadow, ::GetSysColor(COLOR_3DDKSHADOW)));
    RemakePen(m_penShadowLight, HalfwayColor(::GetSysColor(COLOR_BTNFACE), crShadow));
    RemakePen(m_penHilight, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CSliderLook::DrawChannel(CSliderCtrl& slider, CDC* pDC, const CRect& rect, bool bHorizontal)
{
    // A disabled slider shows a button-face channel; the host's colour stays stored.
    COLORREF crChannel = slider.m_hWnd && !slider.IsWindowEnabled() ? ::GetSysColor(COLOR_BTNFACE) : m_crChannel;
    int nMin = slider.GetRangeMin();
    int nMax = slider.GetRangeMax();
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    if (nMin != 0 || nMax != 0)
    {
        t += 1;
        b -= 1;
    }
    if (bHorizontal)
    {
        l += 1;
        r -= 1;
        b += 1;
    }
    else
    {
        t += 1;
        b -= 1;
    }

    CRect rcClient;
    slider.GetClientRect(&rcClient);
    CBrush brBack(ControlTheme::DialogBackColour());
    pDC->FillRect(&rcClient, &brBack);

    CBrush brChannel(crChannel);
    {
        CGdiSelect selectPen(pDC, m_penShadowDark);
        CGdiSelect selectBrush(pDC, brChannel);
        if (bHorizontal ? b - t >= 4 : r - l >= 4)
            pDC->RoundRect(l, t, r, b, 2, 2);
        Line(pDC, m_penShadowLight, { { l - 1, b - 2 }, { l - 1, t + 1 }, { l + 1, t - 1 }, { r - 1, t - 1 } });
        Line(pDC, m_penHilight,
             { { l, b - 1 }, { l + 1, b }, { r - 1, b }, { r - 1, b - 1 }, { r, b - 1 }, { r, t + 1 }, { r - 2, t - 1 } });

        int nStart = 0, nEnd = 0;
        slider.GetSelection(nStart, nEnd);
        // An empty range has no place for a selection.
        if (nStart < nEnd && nMax > nMin)
        {
            double dLength = bHorizontal ? rect.Width() : rect.Height();
            double dRange = (double)nMax - nMin;
            int nOffStart = (int)(((double)nStart - nMin) * dLength / dRange);
            int nOffEnd = (int)(((double)nEnd - nMin) * dLength / dRange);
            CRect rcSel = bHorizontal
                ? CRect(rect.left + nOffStart + 2, rect.top + 2, rect.left + nOffEnd - 2, rect.bottom - 1)
                : CRect(rect.left + 1, rect.top + nOffStart + 2, rect.right - 1, rect.top + nOffEnd - 2);
            CBrush brSelection(m_crSelection);
            pDC->FillRect(&rcSel, &brSelection);
        }
    }
    DrawLevel(pDC, CRect(l + 1, t + 1, r - 2, b - 1));
}

void CSliderLook::DrawLevel(CDC* pDC, const CRect& rect) const
{
    if (!pDC)
        return;
    int nWidth = rect.Width();
    int nGreen = (int)(nWidth * 0.6 * 0.2);
    int nRed = (int)(nWidth * 0.2 * 0.2);
    int nYellow = nWidth / 5 - nRed - nGreen;
    double dLit = m_nLevel * (1.0 / VOLUME_FULL_SCALE) * nWidth * 0.2;
    // A level above full scale lights the whole meter and nothing beyond it.
    int nSegments = nWidth > 0 ? (nWidth + 4) / 5 : 0;
    int nLit = dLit < 1.0 ? 0 : dLit >= nSegments ? nSegments : (int)dLit;
    CPen penEdge(PS_SOLID, 1, RGB(0, 0, 0));
    CGdiSelect select(pDC, penEdge);
    for (int i = 0; i < nLit; i++)
    {
        COLORREF crSegment = i < nGreen ? RGB(0, 255, 0) : i < nGreen + nYellow ? RGB(255, 255, 0) : RGB(255, 0, 0);
        int x = rect.left + 5 * i;
        pDC->FillSolidRect(x, rect.top, 5, rect.Height(), crSegment);
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
}

void CSliderLook::DrawThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rcThumb, bool bPressed)
{
    COLORREF crThumb = m_crThumb;
    if (bPressed)
        SetThumbColor(DarkenColor(crThumb, SHADE_STEP));
    if (rcThumb.Height() > rcThumb.Width())
        DrawHorizontalThumb(slider, pDC, rcThumb);
    else
        DrawVerticalThumb(slider, pDC, rcThumb);
    if (bPressed)
        SetThumbColor(crThumb);
}

void CSliderLook::DrawHorizontalThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rect)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int w = r - l;
    int k = w >> 1;
    DWORD dwStyle = slider.GetStyle();
    CRect rcGrip(l + 1, t + 1, r - 1, b - 1);
    {
        CThumbFrame frame(pDC, m_crThumb);
        if (dwStyle & TBS_BOTH)
            DrawRoundThumb(pDC, rect, m_crThumb, m_crThumbLight, m_crThumbLighter, m_crThumbDark, m_crThumbDarker);
        else if (dwStyle & TBS_TOP)
        {
            POINT outline[] = { { l, t + k - 1 }, { l, b - 2 }, { l + 1, b - 1 }, { r - 2, b - 1 }, { r - 1, b - 2 },
                                { r - 1, t + k - 1 }, { r - k, t }, { l + k - 1, t }, { l, t + k - 1 } };
            frame.Outline(outline, l + k, t + k);
            if (w > 5)
            {
                Line(pDC, m_penThumbLight, { { l + 1, t + k }, { l + 1, b - 2 } });
                Line(pDC, m_penThumbLight, { { r - k, t + 1 }, { r - k - 2, t + 1 } });
                Line(pDC, m_penThumbLighter, { { l + 1, t + k - 1 }, { l + k, t } });
                Line(pDC, m_penThumbDark, { { l + 2, b - 2 }, { r - 2, b - 2 }, { r - 2, t + k - 1 }, { r - k, t + 1 } });
            }
            rcGrip.SetRect(l + 1, t + 2, r - 1, b);
        }
        else
        {
            POINT outline[] = { { l, t + 1 }, { l, b - k }, { l + k - 1, b - 1 }, { r - k, b - 1 },
                                { r - 1, b - k }, { r - 1, t + 1 }, { r - 2, t }, { l, t } };
            frame.Outline(outline, l + k, t + k);
            if (w > 5)
            {
                pDC->SetPixel(l + 1, t + 1, m_crThumbLighter);
                Line(pDC, m_penThumbLight, { { l + 1, t + 2 }, { l + 1, b - k + 1 } });
                Line(pDC, m_penThumbLight, { { l + 2, t + 1 }, { r - 2, t + 1 } });
                Line(pDC, m_penThumbDark, { { l + 2, b - k + 1 }, { l + k - 1, b - 2 }, { r - k, b - 2 } });
                Line(pDC, m_penThumbDark, { { r - 2, b - k - 1 }, { r - 2, t + 1 } });
                Line(pDC, m_penThumbDarker, { { r - k, b - 2 }, { r - 1, b - k - 1 } });
            }
            rcGrip.SetRect(l + 1, t, r - 1, b - 2);
        }
    }
    if (slider.IsWindowEnabled() && w >= 6)
        DrawGrip(pDC, rcGrip, w, true, m_penThumbLight, m_penThumbDarker, m_crThumbLighter);
}

void CSliderLook::DrawVerticalThumb(CSliderCtrl& slider, CDC* pDC, const CRect& rect)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int h = b - t;
    int k = h >> 1;
    DWORD dwStyle = slider.GetStyle();
    CRect rcGrip(l + 1, t + 1, r - 1, b - 1);
    {
        CThumbFrame frame(pDC, m_crThumb);
        if (dwStyle & TBS_BOTH)
            DrawRoundThumb(pDC, rect, m_crThumb, m_crThumbLight, m_crThumbLighter, m_crThumbDark, m_crThumbDarker);
        else if (dwStyle & TBS_LEFT)
        {
            POINT outline[] = { { l + k - 1, t }, { l, t + k - 1 }, { l, b - k }, { l + k - 1, b - 1 }, { r - 2, b - 1 },
                                { r - 1, b - 2 }, { r - 1, t + 1 }, { r - 2, t }, { l + k - 2, t } };
            frame.Outline(outline, l + k, t + k);
            Line(pDC, m_penThumbLighter, { { l + 1, t + k - 1 }, { l + k, t } });
            Line(pDC, m_penThumbLight, { { l + 1, t + k + 1 }, { l + 1, t + k - 1 } });
            Line(pDC, m_penThumbLight, { { l + k, t + 1 }, { r - 2, t + 1 } });
            Line(pDC, m_penThumbDark, { { l + 2, b - k + 1 }, { l + k - 1, b - 2 }, { r - 2, b - 2 }, { r - 2, t + 1 } });
            rcGrip.SetRect(l + 2, t + 1, r, b);
        }
        else
        {
            POINT outline[] = { { l, t + 1 }, { l, b - 2 }, { l + 1, b - 1 }, { r - k, b - 1 }, { r - 1, b - k },
                                { r - 1, t + k - 1 }, { r - k, t }, { l, t } };
            frame.Outline(outline, l + k, t + k);
            Line(pDC, m_penThumbLight, { { l + 1, b - 2 }, { l + 1, t + 1 }, { r - k + 1, t + 1 } });
            pDC->SetPixel(l + 1, t + 1, m_crThumbLighter);
            Line(pDC, m_penThumbDark, { { l + 2, b - 2 }, { r - k, b - 2 } });
            Line(pDC, m_penThumbDark, { { r - 2, t + k }, { r - 2, t + k - 1 }, { r - k, t + 1 } });
            Line(pDC, m_penThumbDarker, { { r - k, b - 2 }, { r - 1, b - k - 1 } });
            rcGrip.SetRect(l, t + 1, r - 1, b);
        }
    }
    if (slider.IsWindowEnabled() && h >= 6)
        DrawGrip(pDC, rcGrip, h, false, m_penThumbLight, m_penThumbDarker, m_crThumbLighter);
}

void CSliderLook::PaintNow(CSliderCtrl& slider)
{
    CClientDC dc(&slider);
    if (!dc.GetSafeHdc())
        return;
    CRect rcClient;
    slider.GetClientRect(&rcClient);
    CBufferedPaint paint(m_buffer, &dc, rcClient);
    paint.GetDC()->FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    CRect rcThumb, rcChannel;
    slider.GetThumbRect(&rcThumb);
    slider.GetChannelRect(&rcChannel);
    bool bHorizontal = rcThumb.Height() > rcThumb.Width();
    DrawChannel(slider, paint.GetDC(), ScaleChannel(slider, rcChannel, bHorizontal), bHorizontal);
    DrawThumb(slider, paint.GetDC(), rcThumb, false);
}

BOOL CSliderLook::FitThumb(CSliderCtrl& slider)
{
    const CDpiScale scale(CWindowDpi::Of(slider.m_hWnd));
    if (scale.GetDpi() == m_nThumbDpi)
        return FALSE;
    const UINT nScreenDpi = CWindowDpi::OfScreen();
    if (m_nThumbDpi == nScreenDpi)
    {
        // The control sizes its own thumb only without the fixed-length style.
        m_nBaseThumb = (int)slider.SendMessage(TBM_GETTHUMBLENGTH);
        m_bFixedAdded = !(slider.GetStyle() & TBS_FIXEDLENGTH);
    }
    m_nThumbDpi = scale.GetDpi();
    if (scale.GetDpi() == nScreenDpi)
    {
        slider.SetThumbLength(m_nBaseThumb);
        if (m_bFixedAdded)
            slider.ModifyStyle(TBS_FIXEDLENGTH, 0);
        return TRUE;
    }
    if (m_bFixedAdded)
        slider.ModifyStyle(0, TBS_FIXEDLENGTH);
    CRect rcClient;
    slider.GetClientRect(&rcClient);
    int nRoom = slider.GetStyle() & TBS_VERT ? rcClient.Width() : rcClient.Height();
    int nLength = CDpiScale::MulDivRound(m_nBaseThumb, scale.GetDpi(), nScreenDpi);
    if (nLength > nRoom && nRoom >= m_nBaseThumb)
        nLength = nRoom;
    slider.SetThumbLength(nLength);
    return TRUE;
}

CRect CSliderLook::ScaleChannel(CSliderCtrl& slider, const CRect& rcChannel, bool bHorizontal)
{
    const CDpiScale scale(CWindowDpi::Of(slider.m_hWnd));
    CRect rc(rcChannel);
    // Grown about its middle, so it stays centred on the thumb.
    int nThickness = bHorizontal ? rc.Height() : rc.Width();
    int nGrow = scale.Scale(nThickness) - nThickness;
    if (bHorizontal)
        rc.InflateRect(0, nGrow / 2, 0, nGrow - nGrow / 2);
    else
        rc.InflateRect(nGrow / 2, 0, nGrow - nGrow / 2, 0);
    return rc;
}
