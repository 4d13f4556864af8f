#include "CAccessibleProxy.h"
#include "AccessibleNames.h"
#include <new>

namespace
{
// mingw-w64's oleacc import library gives IID_IAccessible as a code thunk, not the GUID: the
// compiler's own record of the interface's GUID is taken instead.
const IID& IID_ACCESSIBLE = __uuidof(IAccessible);

BSTR NewBstr(const CString& strText)
{
    return ::SysAllocStringLen(strText, (UINT)strText.GetLength());
}

// A BSTR answer: S_FALSE with null when there is no text.
HRESULT AnswerText(const CString& strText, BSTR* pbstr)
{
    *pbstr = NULL;
    if (strText.IsEmpty())
        return S_FALSE;
    *pbstr = NewBstr(strText);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* pvar, long idChild)
{
    pvar->vt = VT_I4;
    pvar->lVal = idChild;
}

// The question this thread is asking, and of which window.
struct PENDING_QUERY
{
    HWND hWnd;
    CAccessibleQuery* pQuery;
};
thread_local PENDING_QUERY t_pending = { NULL, NULL };
}

BOOL CAccessibleQuery::Send(HWND hWnd, CAccessibleQuery& query)
{
    if (!hWnd || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return FALSE;
    // A handler may ask another window in turn; the outer question is pending again after.
    const PENDING_QUERY outer = t_pending;
    t_pending = { hWnd, &query };
    // wParam only tells this message from one that reaches the window while it is pending.
    LRESULT lResult = ::SendMessageW(hWnd, WM_GETOBJECT, (WPARAM)&query, OBJID_QUERY);
    t_pending = outer;
    return lResult != 0;
}

CAccessibleQuery* CAccessibleQuery::Of(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    CAccessibleQuery* pQuery = t_pending.pQuery;
    if ((LONG)lParam != OBJID_QUERY || !pQuery || t_pending.hWnd != hWnd || wParam != (WPARAM)pQuery
        || ::InSendMessage())
        return NULL;
    t_pending = { NULL, NULL };
    return pQuery;
}

CAccessibleProxy::CAccessibleProxy(HWND hWnd, LONG idObject) : m_nRefs(1), m_hWnd(hWnd), m_idObject(idObject)
{
}

LRESULT CAccessibleProxy::Serve(HWND hWnd, WPARAM wParam, LPARAM lParam, LONG idObject)
{
    if ((LONG)lParam != idObject)
        return 0;
    CAccessibleProxy* pProxy = new (std::nothrow) CAccessibleProxy(hWnd, idObject);
    if (!pProxy)
        return 0;
    LRESULT lResult = ::LresultFromObject(IID_ACCESSIBLE, wParam, static_cast<IAccessible*>(pProxy));
    pProxy->Release();
    return FAILED((HRESULT)lResult) ? 0 : lResult;
}

HRESULT CAccessibleProxy::Ask(const VARIANT& varChild, CAccessibleQuery& query, bool bDo) const
{
    if (!::IsWindow(m_hWnd))
        return CO_E_OBJNOTCONNECTED;
    if (varChild.vt != VT_I4)
        return E_INVALIDARG;
    query.idObject = m_idObject;
    if (varChild.lVal != CHILDID_SELF)
    {
        // Only items the object has.
        CAccessibleQuery self;
        self.idObject = m_idObject;
        if (!CAccessibleQuery::Send(m_hWnd, self) || varChild.lVal < 1 || varChild.lVal > self.nItems)
            return E_INVALIDARG;
    }
    query.idChild = varChild.lVal;
    query.bDoDefaultAction = bDo;
    return CAccessibleQuery::Send(m_hWnd, query) ? S_OK : E_FAIL;
}

HRESULT CAccessibleProxy::AskSelf(CAccessibleQuery& self) const
{
    VARIANT varSelf;
    SetChild(&varSelf, CHILDID_SELF);
    return Ask(varSelf, self);
}

HRESULT CAccessibleProxy::Begin(VARIANT* pvarOut, const VARIANT& varChild, CAccessibleQuery& query) const
{
    if (!pvarOut)
        return E_POINTER;
    ::VariantInit(pvarOut);
    return Ask(varChild, query);
}

HRESULT CAccessibleProxy::Begin(BSTR* pszOut, const VARIANT& varChild, CAccessibleQuery& query) const
{
    if (!pszOut)
        return E_POINTER;
    *pszOut = NULL;
    return Ask(varChild, query);
}

HRESULT CAccessibleProxy::BeginSelf(VARIANT* pvarOut, CAccessibleQuery& self) const
{
    if (!pvarOut)
        return E_POINTER;
    ::VariantInit(pvarOut);
    return AskSelf(self);
}

CRect CAccessibleProxy::SelfRect(const CAccessibleQuery& self) const
{
    if (!self.rcScreen.IsRectNull())
        return self.rcScreen;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)&rc, 2);
    return rc;
}

bool CAccessibleProxy::HasFocus(const CAccessibleQuery& self) const
{
    HWND hFocus = ::GetFocus();
    return hFocus && (hFocus == m_hWnd || (self.bFocusWithin && ::IsChild(m_hWnd, hFocus)));
}

STDMETHODIMP CAccessibleProxy::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_ACCESSIBLE)
        *ppv = static_cast<IAccessible*>(this);
    else if (riid == IID_IOleWindow)
        *ppv = static_cast<IOleWindow*>(this);
    else
    {
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CAccessibleProxy::AddRef()
{
    return (ULONG)::InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) CAccessibleProxy::Release()
{
    LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (!nRefs)
        delete this;
    return (ULONG)nRefs;
}

STDMETHODIMP CAccessibleProxy::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleProxy::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleProxy::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleProxy::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = NULL;
    if (!::IsWindow(m_hWnd))
        return CO_E_OBJNOTCONNECTED;
    // The client area and the title bar are both parts of the window object.
    return ::AccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

STDMETHODIMP CAccessibleProxy::get_accChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    CAccessibleQuery self;
    HRESULT hr = AskSelf(self);
    *pcountChildren = SUCCEEDED(hr) ? self.nItems : 0;
    return hr;
}

STDMETHODIMP CAccessibleProxy::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = NULL;
    CAccessibleQuery query;
    HRESULT hr = Ask(varChild, query);
    // Items are simple elements, reached through this object with their child ID.
    return SUCCEEDED(hr) ? S_FALSE : hr;
}

STDMETHODIMP CAccessibleProxy::get_accName(VARIANT varChild, BSTR* pszName)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pszName, varChild, query);
    if (FAILED(hr))
        return hr;
    if (query.strName.IsEmpty() && query.idChild == CHILDID_SELF && m_idObject == OBJID_CLIENT)
        query.strName = AccessibleNameOf(m_hWnd, query.bTextIsValue);
    return AnswerText(query.strName, pszName);
}

STDMETHODIMP CAccessibleProxy::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pszValue, varChild, query);
    if (FAILED(hr))
        return hr;
    if (!query.bHasValue)
        return DISP_E_MEMBERNOTFOUND;
    // A protected text (a password) keeps its value to itself.
    if (query.nState & STATE_SYSTEM_PROTECTED)
        return E_ACCESSDENIED;
    *pszValue = NewBstr(query.strValue);
    return *pszValue ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAccessibleProxy::get_accDescription(VARIANT, BSTR* pszDescription)
{
    if (!pszDescription)
        return E_POINTER;
    *pszDescription = NULL;
    return S_FALSE;
}

STDMETHODIMP CAccessibleProxy::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pvarRole, varChild, query);
    if (SUCCEEDED(hr))
        SetChild(pvarRole, query.nRole);
    return hr;
}

STDMETHODIMP CAccessibleProxy::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pvarState, varChild, query);
    if (FAILED(hr))
        return hr;
    long nState = query.nState;
    if (query.idChild == CHILDID_SELF && m_idObject == OBJID_CLIENT)
    {
        // What every window shares: shown or not, enabled or not, holding the focus or not.
        if (!::IsWindowVisible(m_hWnd))
            nState |= STATE_SYSTEM_INVISIBLE;
        if (!::IsWindowEnabled(m_hWnd))
            nState = (nState & ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED)) | STATE_SYSTEM_UNAVAILABLE;
        if (HasFocus(query))
            nState |= STATE_SYSTEM_FOCUSED;
    }
    SetChild(pvarState, nState);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::get_accHelp(VARIANT, BSTR* pszHelp)
{
    if (!pszHelp)
        return E_POINTER;
    *pszHelp = NULL;
    return S_FALSE;
}

STDMETHODIMP CAccessibleProxy::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic)
{
    if (pszHelpFile)
        *pszHelpFile = NULL;
    if (pidTopic)
        *pidTopic = 0;
    return S_FALSE;
}

STDMETHODIMP CAccessibleProxy::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pszKeyboardShortcut, varChild, query);
    if (FAILED(hr))
        return hr;
    if (!query.strShortcut.IsEmpty() || query.idChild != CHILDID_SELF || m_idObject != OBJID_CLIENT)
        return AnswerText(query.strShortcut, pszKeyboardShortcut);
    return AnswerText(AccessibleShortcutOf(m_hWnd, query.bTextIsValue), pszKeyboardShortcut);
}

STDMETHODIMP CAccessibleProxy::get_accFocus(VARIANT* pvarChild)
{
    CAccessibleQuery self;
    HRESULT hr = BeginSelf(pvarChild, self);
    if (FAILED(hr))
        return hr;
    if (!HasFocus(self))
        return S_FALSE;
    SetChild(pvarChild, self.idFocusItem);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::get_accSelection(VARIANT* pvarChildren)
{
    CAccessibleQuery self;
    HRESULT hr = BeginSelf(pvarChildren, self);
    if (FAILED(hr))
        return hr;
    if (self.idSelectedItem == CHILDID_SELF)
        return S_FALSE;
    SetChild(pvarChildren, self.idSelectedItem);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    CAccessibleQuery query;
    HRESULT hr = Begin(pszDefaultAction, varChild, query);
    if (FAILED(hr))
        return hr;
    if (query.strDefaultAction.IsEmpty())
        return DISP_E_MEMBERNOTFOUND;
    return AnswerText(query.strDefaultAction, pszDefaultAction);
}

STDMETHODIMP CAccessibleProxy::accSelect(long flagsSelect, VARIANT varChild)
{
    CAccessibleQuery query;
    HRESULT hr = Ask(varChild, query);
    if (FAILED(hr))
        return hr;
    if (flagsSelect != SELFLAG_TAKEFOCUS || query.idChild != CHILDID_SELF || m_idObject != OBJID_CLIENT)
        return DISP_E_MEMBERNOTFOUND;
    ::SetFocus(m_hWnd);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    CAccessibleQuery query;
    HRESULT hr = Ask(varChild, query);
    if (FAILED(hr))
        return hr;
    CRect rc = query.idChild == CHILDID_SELF ? SelfRect(query) : query.rcScreen;
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    CAccessibleQuery self;
    HRESULT hr = BeginSelf(pvarEndUpAt, self);
    if (FAILED(hr))
        return hr;
    if (varStart.vt != VT_I4 || varStart.lVal < 0 || varStart.lVal > self.nItems)
        return E_INVALIDARG;
    // Among the object's own items only; neighbours of the object itself are its parent's
    // business.
    long idEnd = 0;
    if (varStart.lVal == CHILDID_SELF)
        idEnd = navDir == NAVDIR_FIRSTCHILD ? 1 : navDir == NAVDIR_LASTCHILD ? self.nItems : 0;
    else if (navDir == NAVDIR_NEXT || navDir == NAVDIR_DOWN)
        idEnd = varStart.lVal < self.nItems ? varStart.lVal + 1 : 0;
    else if (navDir == NAVDIR_PREVIOUS || navDir == NAVDIR_UP)
        idEnd = varStart.lVal - 1;
    if (idEnd < 1 || idEnd > self.nItems)
        return S_FALSE;
    SetChild(pvarEndUpAt, idEnd);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    ::VariantInit(pvarChild);
    CPoint point(xLeft, yTop);
    CAccessibleQuery self;
    self.bHitTest = true;
    self.ptHit = point;
    HRESULT hr = AskSelf(self);
    if (FAILED(hr))
        return hr;
    if (self.idHit > CHILDID_SELF && self.idHit <= self.nItems)
    {
        SetChild(pvarChild, self.idHit);
        return S_OK;
    }
    // A window that knows its items' places answers at once; a few items are asked in turn.
    for (long idItem = 1; self.idHit == CAccessibleQuery::HIT_UNANSWERED && idItem <= self.nItems; idItem++)
    {
        VARIANT varItem;
        SetChild(&varItem, idItem);
        CAccessibleQuery item;
        if (SUCCEEDED(Ask(varItem, item)) && !(item.nState & STATE_SYSTEM_INVISIBLE) && item.rcScreen.PtInRect(point))
        {
            SetChild(pvarChild, idItem);
            return S_OK;
        }
    }
    if (!SelfRect(self).PtInRect(point))
        return S_FALSE;
    SetChild(pvarChild, CHILDID_SELF);
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::accDoDefaultAction(VARIANT varChild)
{
    CAccessibleQuery query;
    HRESULT hr = Ask(varChild, query, true);
    if (FAILED(hr))
        return hr;
    return query.strDefaultAction.IsEmpty() ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP CAccessibleProxy::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleProxy::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleProxy::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_hWnd;
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}
