// Message-map entries of windows: one cracker per handler signature, and the ON_WM_ macros.
#pragma once
#include "CWnd.h"
#include "CDC.h"
#include "CMenu.h"

// Messages registered at run time: the entry keeps the address of the variable holding the ID.
#define AFX_REGISTERED_MESSAGE 0xC000

template <class PMF> inline PMF AfxHandlerOf(AFX_PMSG pfn) { return reinterpret_cast<PMF>(pfn); }

#define AFX_CRACKER(name, type, call, result) \
    inline BOOL name(CCmdTarget* pTarget, AFX_PMSG pfn, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    { \
        (void)nMsg; (void)wParam; (void)lParam; \
        CWnd* pWnd = static_cast<CWnd*>(pTarget); \
        type pmf = AfxHandlerOf<type>(pfn); \
        LRESULT lResult = 0; \
        call; \
        (void)pWnd; (void)pmf; (void)lResult; \
        if (pResult) *pResult = (result); \
        return TRUE; \
    }

typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vv)();
typedef int (AFX_MSG_CALL CWnd::*AFX_PMSG_iCS)(LPCREATESTRUCTW);
typedef BOOL (AFX_MSG_CALL CWnd::*AFX_PMSG_bD)(CDC*);
typedef BOOL (AFX_MSG_CALL CWnd::*AFX_PMSG_bb)(BOOL);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwii)(UINT, int, int);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vii)(int, int);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vMMI)(MINMAXINFO*);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vPOS)(WINDOWPOS*);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vCALC)(BOOL, NCCALCSIZE_PARAMS*);
typedef UINT (AFX_MSG_CALL CWnd::*AFX_PMSG_wp)(CPoint);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwp)(UINT, CPoint);
typedef BOOL (AFX_MSG_CALL CWnd::*AFX_PMSG_bWww)(CWnd*, UINT, UINT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vt)(UINT_PTR);
typedef HBRUSH (AFX_MSG_CALL CWnd::*AFX_PMSG_hDWw)(CDC*, CWnd*, UINT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vMwb)(CMenu*, UINT, BOOL);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vMIS)(int, LPMEASUREITEMSTRUCT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vDIS)(int, LPDRAWITEMSTRUCT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vws)(UINT, LPCWSTR);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vWp)(CWnd*, CPoint);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwl)(UINT, LPARAM);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vbw)(BOOL, UINT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwWb)(UINT, CWnd*, BOOL);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwww)(UINT, UINT, UINT);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vW)(CWnd*);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vb)(BOOL);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vwwS)(UINT, UINT, CScrollBar*);
typedef LRESULT (AFX_MSG_CALL CWnd::*AFX_PMSG_lwl)(WPARAM, LPARAM);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSG_vNMHDRpl)(NMHDR*, LRESULT*);

AFX_CRACKER(AfxCrack_vv, AFX_PMSG_vv, (pWnd->*pmf)(), 0)
AFX_CRACKER(AfxCrack_iCS, AFX_PMSG_iCS, lResult = (pWnd->*pmf)((LPCREATESTRUCTW)lParam), lResult)
AFX_CRACKER(AfxCrack_bD, AFX_PMSG_bD, lResult = (pWnd->*pmf)(CDC::FromHandle((HDC)wParam)), lResult)
AFX_CRACKER(AfxCrack_bb, AFX_PMSG_bb, lResult = (pWnd->*pmf)((BOOL)wParam), lResult)
AFX_CRACKER(AfxCrack_vwii, AFX_PMSG_vwii, (pWnd->*pmf)((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)), 0)
AFX_CRACKER(AfxCrack_vii, AFX_PMSG_vii, (pWnd->*pmf)((short)LOWORD(lParam), (short)HIWORD(lParam)), 0)
AFX_CRACKER(AfxCrack_vMMI, AFX_PMSG_vMMI, (pWnd->*pmf)((MINMAXINFO*)lParam), 0)
AFX_CRACKER(AfxCrack_vPOS, AFX_PMSG_vPOS, (pWnd->*pmf)((WINDOWPOS*)lParam), 0)
AFX_CRACKER(AfxCrack_vCALC, AFX_PMSG_vCALC, (pWnd->*pmf)((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam), 0)
AFX_CRACKER(AfxCrack_wp, AFX_PMSG_wp, lResult = (pWnd->*pmf)(CPoint(lParam)), lResult)
AFX_CRACKER(AfxCrack_vwp, AFX_PMSG_vwp, (pWnd->*pmf)((UINT)wParam, CPoint(lParam)), 0)
AFX_CRACKER(AfxCrack_bWww, AFX_PMSG_bWww, lResult = (pWnd->*pmf)(CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam)), lResult)
AFX_CRACKER(AfxCrack_vt, AFX_PMSG_vt, (pWnd->*pmf)((UINT_PTR)wParam), 0)
AFX_CRACKER(AfxCrack_hDWw, AFX_PMSG_hDWw,
            lResult = (LRESULT)(pWnd->*pmf)(CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nMsg - WM_CTLCOLORMSGBOX), lResult)
AFX_CRACKER(AfxCrack_vMwb, AFX_PMSG_vMwb, (pWnd->*pmf)(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam)), 0)
AFX_CRACKER(AfxCrack_vMIS, AFX_PMSG_vMIS, (pWnd->*pmf)((int)wParam, (LPMEASUREITEMSTRUCT)lParam), TRUE)
AFX_CRACKER(AfxCrack_vDIS, AFX_PMSG_vDIS, (pWnd->*pmf)((int)wParam, (LPDRAWITEMSTRUCT)lParam), TRUE)
AFX_CRACKER(AfxCrack_vws, AFX_PMSG_vws, (pWnd->*pmf)((UINT)wParam, (LPCWSTR)lParam), 0)
AFX_CRACKER(AfxCrack_vWp, AFX_PMSG_vWp, (pWnd->*pmf)(CWnd::FromHandle((HWND)wParam), CPoint(lParam)), 0)
AFX_CRACKER(AfxCrack_vwl, AFX_PMSG_vwl, (pWnd->*pmf)((UINT)wParam, lParam), 0)
AFX_CRACKER(AfxCrack_vbw, AFX_PMSG_vbw, (pWnd->*pmf)((BOOL)wParam, (UINT)lParam), 0)
AFX_CRACKER(AfxCrack_vwWb, AFX_PMSG_vwWb, (pWnd->*pmf)(LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam)), 0)
AFX_CRACKER(AfxCrack_vwww, AFX_PMSG_vwww, (pWnd->*pmf)((UINT)wParam, LOWORD(lParam), HIWORD(lParam)), 0)
AFX_CRACKER(AfxCrack_vW, AFX_PMSG_vW, (pWnd->*pmf)(CWnd::FromHandle((HWND)(nMsg == WM_CAPTURECHANGED ? lParam : wParam))), 0)
AFX_CRACKER(AfxCrack_vb, AFX_PMSG_vb, (pWnd->*pmf)((BOOL)wParam), 0)
AFX_CRACKER(AfxCrack_vwwS, AFX_PMSG_vwwS, (pWnd->*pmf)(LOWORD(wParam), (short)HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam)), 0)
AFX_CRACKER(AfxCrack_lwl, AFX_PMSG_lwl, lResult = (pWnd->*pmf)(wParam, lParam), lResult)

inline BOOL AfxCrack_vNMHDRpl(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    (static_cast<CWnd*>(pTarget)->*AfxHandlerOf<AFX_PMSG_vNMHDRpl>(pfn))((NMHDR*)lParam, pResult);
    return TRUE;
}

#define AFX_ON_WM(msg, cracker, type, memberFxn) \
    { msg, 0, 0, 0, &cracker, AFX_HANDLER(type, &ThisClass::memberFxn) },

#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxCrack_iCS, AFX_PMSG_iCS, OnCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxCrack_vv, AFX_PMSG_vv, OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxCrack_vv, AFX_PMSG_vv, OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxCrack_vv, AFX_PMSG_vv, OnClose)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxCrack_vv, AFX_PMSG_vv, OnPaint)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxCrack_bD, AFX_PMSG_bD, OnEraseBkgnd)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxCrack_vwii, AFX_PMSG_vwii, OnSize)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxCrack_vii, AFX_PMSG_vii, OnMove)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxCrack_vMMI, AFX_PMSG_vMMI, OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxCrack_vPOS, AFX_PMSG_vPOS, OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxCrack_vPOS, AFX_PMSG_vPOS, OnWindowPosChanged)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxCrack_vv, AFX_PMSG_vv, OnNcPaint)
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, AfxCrack_bb, AFX_PMSG_bb, OnNcActivate)
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, AfxCrack_vCALC, AFX_PMSG_vCALC, OnNcCalcSize)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxCrack_wp, AFX_PMSG_wp, OnNcHitTest)
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, AfxCrack_vwp, AFX_PMSG_vwp, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, AfxCrack_vwp, AFX_PMSG_vwp, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, AfxCrack_vwp, AFX_PMSG_vwp, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxCrack_vwp, AFX_PMSG_vwp, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_WM(WM_NCRBUTTONDOWN, AfxCrack_vwp, AFX_PMSG_vwp, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_WM(WM_NCRBUTTONUP, AfxCrack_vwp, AFX_PMSG_vwp, OnNcRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxCrack_vwp, AFX_PMSG_vwp, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxCrack_vwp, AFX_PMSG_vwp, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxCrack_vwp, AFX_PMSG_vwp, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxCrack_vwp, AFX_PMSG_vwp, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxCrack_vwp, AFX_PMSG_vwp, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxCrack_vwp, AFX_PMSG_vwp, OnRButtonUp)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxCrack_bWww, AFX_PMSG_bWww, OnSetCursor)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxCrack_vt, AFX_PMSG_vt, OnTimer)
// All WM_CTLCOLOR* messages reach this one entry; the handler gets the CTLCOLOR_ code.
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxCrack_hDWw, AFX_PMSG_hDWw, OnCtlColor)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, AfxCrack_vMwb, AFX_PMSG_vMwb, OnInitMenuPopup)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxCrack_vMIS, AFX_PMSG_vMIS, OnMeasureItem)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxCrack_vDIS, AFX_PMSG_vDIS, OnDrawItem)
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, AfxCrack_vws, AFX_PMSG_vws, OnSettingChange)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxCrack_vWp, AFX_PMSG_vWp, OnContextMenu)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxCrack_vwl, AFX_PMSG_vwl, OnSysCommand)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxCrack_vbw, AFX_PMSG_vbw, OnShowWindow)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxCrack_vwWb, AFX_PMSG_vwWb, OnActivate)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxCrack_vwww, AFX_PMSG_vwww, OnKeyDown)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxCrack_vwww, AFX_PMSG_vwww, OnChar)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxCrack_vW, AFX_PMSG_vW, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxCrack_vW, AFX_PMSG_vW, OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxCrack_vW, AFX_PMSG_vW, OnCaptureChanged)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxCrack_vb, AFX_PMSG_vb, OnEnable)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxCrack_vwwS, AFX_PMSG_vwwS, OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxCrack_vwwS, AFX_PMSG_vwwS, OnVScroll)

#define ON_MESSAGE(message, memberFxn) AFX_ON_WM(message, AfxCrack_lwl, AFX_PMSG_lwl, memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { AFX_REGISTERED_MESSAGE, 0, 0, 0, &AfxCrack_lwl, AFX_HANDLER(AFX_PMSG_lwl, &ThisClass::memberFxn), &(nMessageVariable) },
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), &AfxCrack_vNMHDRpl, AFX_HANDLER(AFX_PMSG_vNMHDRpl, &ThisClass::memberFxn) },

// Reflected messages: entries of a control's own map for notifications its parent hands back.
#define WM_REFLECT_BASE 0xBC00

typedef HBRUSH (AFX_MSG_CALL CWnd::*AFX_PMSG_hDw)(CDC*, UINT);
typedef BOOL (AFX_MSG_CALL CWnd::*AFX_PMSG_bv)();

AFX_CRACKER(AfxCrack_hDw, AFX_PMSG_hDw, lResult = (LRESULT)(pWnd->*pmf)(CDC::FromHandle((HDC)wParam), nMsg - WM_CTLCOLORMSGBOX), lResult)

// The handler's answer decides whether the parent still sees the notification.
inline BOOL AfxCrack_bvReflect(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM, LPARAM, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    return (static_cast<CWnd*>(pTarget)->*AfxHandlerOf<AFX_PMSG_bv>(pfn))();
}

typedef BOOL (AFX_MSG_CALL CWnd::*AFX_PMSG_bNMHDRpl)(NMHDR*, LRESULT*);
inline BOOL AfxCrack_bNMHDRplReflect(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    const BOOL bHandled = (static_cast<CWnd*>(pTarget)->*AfxHandlerOf<AFX_PMSG_bNMHDRpl>(pfn))((NMHDR*)lParam, &lResult);
    if (pResult)
        *pResult = lResult;
    return bHandled;
}

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, &AfxCrack_vv, AFX_HANDLER(AFX_PMSG_vv, &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, &AfxCrack_bvReflect, AFX_HANDLER(AFX_PMSG_bv, &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, &AfxCrack_vNMHDRpl, AFX_HANDLER(AFX_PMSG_vNMHDRpl, &ThisClass::memberFxn) },
// BOOL handler(NMHDR*, LRESULT*): FALSE lets the parent handle the notification as well.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, &AfxCrack_bNMHDRplReflect, AFX_HANDLER(AFX_PMSG_bNMHDRpl, &ThisClass::memberFxn) },
// HBRUSH CtlColor(CDC*, UINT nCtlColor): a brush answers the parent's WM_CTLCOLOR*, null leaves it to the parent.
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, &AfxCrack_hDw, AFX_HANDLER(AFX_PMSG_hDw, &ThisClass::CtlColor) },
