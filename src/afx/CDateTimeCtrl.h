// Date and time picker control.
#pragma once
#include "CWnd.h"

class AFX_API CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // GDT_VALID, GDT_NONE (a picker with a check box left unchecked) or GDT_ERROR.
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return (DWORD)::SendMessageW(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest); }
    // A null time clears the check box of a picker that has one.
    BOOL SetTime(const SYSTEMTIME* pTimeNew)
    {
        return (BOOL)::SendMessageW(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, (LPARAM)pTimeNew);
    }
    BOOL SetFormat(LPCWSTR pstrFormat) { return (BOOL)::SendMessageW(m_hWnd, DTM_SETFORMATW, 0, (LPARAM)pstrFormat); }
    DWORD GetRange(LPSYSTEMTIME pMinMax) const { return (DWORD)::SendMessageW(m_hWnd, DTM_GETRANGE, 0, (LPARAM)pMinMax); }
    BOOL SetRange(DWORD dwFlags, const SYSTEMTIME* pMinMax) { return (BOOL)::SendMessageW(m_hWnd, DTM_SETRANGE, dwFlags, (LPARAM)pMinMax); }
    HWND GetMonthCalCtrl() const { return (HWND)::SendMessageW(m_hWnd, DTM_GETMONTHCAL, 0, 0); }
};
