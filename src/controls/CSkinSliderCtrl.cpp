#include <KorvoSkin/CSkinSliderCtrl.h>
#include "../parts/CBufferedPaint.h"
#include "../skin/CSkinRegistry.h"
#include <initializer_list>
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CSkinSliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CSkinSliderCtrl, CSliderCtrl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

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

// Selects a pen and a brush for one drawing and puts the previous ones back.
class CSelectPenBrush
{
public:
    CSelectPenBrush(CDC* pDC, HGDIOBJ hPen, HGDIOBJ hBrush)
        : m_hDC(pDC->m_hDC), m_hOldPen(::SelectObject(m_hDC, hPen)), m_hOldBrush(::SelectObject(m_hDC, hBrush))
    {
    }
    ~CSelectPenBrush()
    {
        ::SelectObject(m_hDC, m_hOldBrush);
        ::SelectObject(m_hDC, m_hOldPen);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOldPen;
    HGDIOBJ m_hOldBrush;
};

void Line(CDC* pDC, CPen& pen, std::initializer_list<POINT> points)
{
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, pen.m_hObject);
    const POINT* p = points.begin();
    pDC->MoveTo(p->x, p->y);
    for (++p; p != points.end(); ++p)
        pDC->LineTo(p->x, p->y);
    ::SelectObject(pDC->m_hDC, hOld);
}

// Selects the frame pen and the thumb's brush while a thumb is outlined and filled.
class CThumbFrame
{
public:
    CThumbFrame(CDC* pDC, COLORREF crThumb)
        : m_pDC(pDC), m_crFrame(::GetSysColor(COLOR_WINDOWFRAME)), m_penFrame(PS_SOLID, 1, m_crFrame),
          m_brThumb(crThumb), m_select(pDC, m_penFrame.m_hObject, m_brThumb.m_hObject)
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
    CSelectPenBrush m_select;
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
}

CSkinSliderCtrl::CSkinSliderCtrl()
    : m_crSelection(::GetSysColor(COLOR_HIGHLIGHT)), m_crChannel(::GetSysColor(COLOR_WINDOW)),
      m_crThumb(::GetSysColor(COLOR_BTNFACE)), m_nVolume(0)
{
    GetColors();
    CreatePens();
}

CSkinSliderCtrl::~CSkinSliderCtrl()
{
    // The window goes while the pens still exist: a last paint may still be on its way.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    DeletePens();
}

COLORREF CSkinSliderCtrl::LightenColor(COLORREF crColor, BYTE nAmount)
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

COLORREF CSkinSliderCtrl::DarkenColor(COLORREF crColor, BYTE nAmount)
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

void CSkinSliderCtrl::GetColors()
{
    m_crThumbLight = LightenColor(m_crThumb, SHADE_STEP);
    m_crThumbLighter = LightenColor(m_crThumbLight, SHADE_STEP);
    m_crThumbDark = DarkenColor(m_crThumb, SHADE_STEP);
    m_crThumbDarker = DarkenColor(m_crThumbDark, SHADE_STEP);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crShadowDark = HalfwayColor(crShadow, ::GetSysColor(COLOR_3DDKSHADOW));
    m_crShadowLight = HalfwayColor(::GetSysColor(COLOR_BTNFACE), crShadow);
    m_crHilight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
}

void CSkinSliderCtrl::DeletePens()
{
    for (CPen* pPen : { &m_penThumb, &m_penThumbLight, &m_penThumbLighter, &m_penThumbDark, &m_penThumbDarker,
                        &m_penShadowDark, &m_penShadowLight, &m_penHilight })
    {
        if (pPen->m_hObject)
            pPen->DeleteObject();
    }
}

void CSkinSliderCtrl::CreatePens()
{
    DeletePens();
    m_penThumb.CreatePen(PS_SOLID, 1, m_crThumb);
    m_penThumbLight.CreatePen(PS_SOLID, 1, m_crThumbLight);
    m_penThumbLighter.CreatePen(PS_SOLID, 1, m_crThumbLighter);
    m_penThumbDark.CreatePen(PS_SOLID, 1, m_crThumbDark);
    m_penThumbDarker.CreatePen(PS_SOLID, 1, m_crThumbDarker);
    m_penShadowDark.CreatePen(PS_SOLID, 1, m_crShadowDark);
    m_penShadowLight.CreatePen(PS_SOLID, 1, m_crShadowLight);
    m_penHilight.CreatePen(PS_SOLID, 1, m_crHilight);
}

void CSkinSliderCtrl::SetChannelColor(COLORREF crColor)
{
    m_crChannel = crColor;
    GetColors();
    CreatePens();
}

void CSkinSliderCtrl::SetThumbColor(COLORREF crColor)
{
    m_crThumb = crColor;
    GetColors();
    CreatePens();
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSkinSliderCtrl::SetSelectionColor(COLORREF crColor)
{
    m_crSelection = crColor;
    GetColors();
    CreatePens();
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSkinSliderCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMCUSTOMDRAW* pDraw = (NMCUSTOMDRAW*)pNMHDR;
    if (pDraw->dwDrawStage == CDDS_PREPAINT)
    {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->dwDrawStage != CDDS_ITEMPREPAINT)
    {
        *pResult = CDRF_DODEFAULT;
        return;
    }
    if (pDraw->dwItemSpec == TBCD_TICS)
    {
        *pResult = CDRF_DODEFAULT;
        return;
    }
    CDC* pDC = CDC::FromHandle(pDraw->hdc);
    CRect rc(pDraw->rc);
    int nSaved = pDC->SaveDC();
    if (pDraw->dwItemSpec == TBCD_THUMB)
    {
        // A pressed thumb is drawn one shade darker, for this drawing only.
        COLORREF crThumb = m_crThumb;
        BOOL bPressed = (pDraw->uItemState & CDIS_SELECTED) != 0;
        if (bPressed)
        {
            m_crThumb = DarkenColor(m_crThumb, SHADE_STEP);
            GetColors();
            CreatePens();
        }
        DrawThumb(pDC, rc);
        if (bPressed)
        {
            m_crThumb = crThumb;
            GetColors();
            CreatePens();
        }
    }
    else if (pDraw->dwItemSpec == TBCD_CHANNEL)
    {
        CRect rcThumb;
        GetThumbRect(&rcThumb);
        DrawChannel(pDC, rc, rcThumb.Height() > rcThumb.Width());
    }
    pDC->RestoreDC(nSaved);
    *pResult = CDRF_SKIPDEFAULT;
}

void CSkinSliderCtrl::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CSkinSliderCtrl::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CSkinSliderCtrl::DrawThumb(CDC* pDC, const CRect& rcThumb)
{
    if (rcThumb.Height() > rcThumb.Width())
        DrawHorizontalThumb(pDC, rcThumb);
    else
        DrawVerticalThumb(pDC, rcThumb);
}

void CSkinSliderCtrl::DrawChannel(CDC* pDC, const CRect& rect, BOOL bHorizontal)
{
    // A disabled slider shows a button-face channel; the host's colour stays stored.
    COLORREF crChannel = m_hWnd && !IsWindowEnabled() ? ::GetSysColor(COLOR_BTNFACE) : m_crChannel;
    int nMin = GetRangeMin();
    int nMax = GetRangeMax();
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
    GetClientRect(&rcClient);
    CBrush brBack(g_Registry.m_crDialogBack);
    pDC->FillRect(&rcClient, &brBack);

    CBrush brChannel(crChannel);
    {
        CSelectPenBrush select(pDC, m_penShadowDark.m_hObject, brChannel.m_hObject);
        if (bHorizontal ? b - t >= 4 : r - l >= 4)
            pDC->RoundRect(l, t, r, b, 2, 2);
        Line(pDC, m_penShadowLight, { { l - 1, b - 2 }, { l - 1, t + 1 }, { l + 1, t - 1 }, { r - 1, t - 1 } });
        Line(pDC, m_penHilight,
             { { l, b - 1 }, { l + 1, b }, { r - 1, b }, { r - 1, b - 1 }, { r, b - 1 }, { r, t + 1 }, { r - 2, t - 1 } });

        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
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
    DrawVolumn(pDC, CRect(l + 1, t + 1, r - 2, b - 1));
}

void CSkinSliderCtrl::DrawVolumn(CDC* pDC, CRect rect)
{
    if (!pDC)
        return;
    int nWidth = rect.Width();
    int nGreen = (int)(nWidth * 0.6 * 0.2);
    int nRed = (int)(nWidth * 0.2 * 0.2);
    int nYellow = nWidth / 5 - nRed - nGreen;
    double dLit = m_nVolume * (1.0 / VOLUME_FULL_SCALE) * nWidth * 0.2;
    // A level above full scale lights the whole meter and nothing beyond it.
    int nSegments = nWidth > 0 ? (nWidth + 4) / 5 : 0;
    int nLit = dLit < 1.0 ? 0 : dLit >= nSegments ? nSegments : (int)dLit;
    CPen penEdge(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, penEdge.m_hObject);
    for (int i = 0; i < nLit; i++)
    {
        COLORREF crSegment = i < nGreen ? RGB(0, 255, 0) : i < nGreen + nYellow ? RGB(255, 255, 0) : RGB(255, 0, 0);
        int x = rect.left + 5 * i;
        pDC->FillSolidRect(x, rect.top, 5, rect.Height(), crSegment);
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
    ::SelectObject(pDC->m_hDC, hOldPen);
}

void CSkinSliderCtrl::DrawHorizontalThumb(CDC* pDC, const CRect& rect)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int w = r - l;
    int k = w >> 1;
    DWORD dwStyle = GetStyle();
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
    if (IsWindowEnabled() && w >= 6)
        DrawGrip(pDC, rcGrip, w, true, m_penThumbLight, m_penThumbDarker, m_crThumbLighter);
}

void CSkinSliderCtrl::DrawVerticalThumb(CDC* pDC, const CRect& rect)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int h = b - t;
    int k = h >> 1;
    DWORD dwStyle = GetStyle();
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
    if (IsWindowEnabled() && h >= 6)
        DrawGrip(pDC, rcGrip, h, false, m_penThumbLight, m_penThumbDarker, m_crThumbLighter);
}

void CSkinSliderCtrl::SetVolumn(int nLevel)
{
    m_nVolume = nLevel;
    if (!m_hWnd)
        return;
    CDC* pDC = GetDC();
    if (!pDC->GetSafeHdc())
        return;
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        COffscreenBuffer buffer;
        CBufferedPaint paint(buffer, pDC, rcClient);
        paint.GetDC()->FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
        CRect rcThumb, rcChannel;
        GetThumbRect(&rcThumb);
        GetChannelRect(&rcChannel);
        DrawChannel(paint.GetDC(), rcChannel, rcThumb.Height() > rcThumb.Width());
        DrawThumb(paint.GetDC(), rcThumb);
    }
    ReleaseDC(pDC);
}

LRESULT CSkinSliderCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        query.nRole = ROLE_SYSTEM_SLIDER;
        query.nState |= STATE_SYSTEM_FOCUSABLE;
        CString strPos;
        strPos.Format(L"%d", GetPos());
        query.SetValue(strPos);
    });
    return lResult ? lResult : Default();
}
