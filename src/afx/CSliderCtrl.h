// Trackbar control.
#pragma once
#include "CWnd.h"

class AFX_API CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(TRACKBAR_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetRangeMin() const { return (int)::SendMessageW(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return (int)::SendMessageW(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { ::SendMessageW(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { ::SendMessageW(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    int GetPos() const { return (int)::SendMessageW(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessageW(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    void GetSelection(int& nMin, int& nMax) const
    {
        nMin = (int)::SendMessageW(m_hWnd, TBM_GETSELSTART, 0, 0);
        nMax = (int)::SendMessageW(m_hWnd, TBM_GETSELEND, 0, 0);
    }
    void SetSelection(int nMin, int nMax)
    {
        ::SendMessageW(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
        ::SendMessageW(m_hWnd, TBM_SETSELEND, TRUE, nMax);
    }
    void ClearSel(BOOL bRedraw = FALSE) { ::SendMessageW(m_hWnd, TBM_CLEARSEL, bRedraw, 0); }
    void GetThumbRect(LPRECT lprc) const { ::SendMessageW(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
    void GetChannelRect(LPRECT lprc) const { ::SendMessageW(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void SetTicFreq(int nFreq) { ::SendMessageW(m_hWnd, TBM_SETTICFREQ, nFreq, 0); }
    int SetPageSize(int nSize) { return (int)::SendMessageW(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
    int SetLineSize(int nSize) { return (int)::SendMessageW(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
    void SetThumbLength(int nLength) { ::SendMessageW(m_hWnd, TBM_SETTHUMBLENGTH, nLength, 0); }
};
