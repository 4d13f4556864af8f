// What the library's windows tell assistive technology (Active Accessibility). The system's
// proxies read a window's class, which for an owner-drawn or self-painted control is not what the
// user sees: an owner-drawn check box looks like a push button, a self-painted slider has no
// value. A window of the library answers WM_GETOBJECT with a CAccessibleProxy, which asks the
// window itself (through a CAccessibleQuery) for role, state, value and default action at every
// call, so the proxy holds nothing that can go stale and outlives its window harmlessly. Name,
// location, focus and parent are worked out here the same way for every window.
#pragma once
#include <afxwin.h>
#include <oleacc.h>

// One question from a proxy to its window. It travels as WM_GETOBJECT with the private object ID
// OBJID_QUERY, but the question itself never rides in the message: the asking thread keeps it
// as its pending question, and the window's handler takes it from there. Any thread or process
// can send or post WM_GETOBJECT with the same ID and any wParam; such a message finds no pending
// question and is an unknown object ID like any other.
struct CAccessibleQuery
{
    enum { OBJID_QUERY = 0x4B51 };

    // Asks hWnd, a window of this thread, the question; FALSE when it has no answer (or
    // belongs to another thread).
    static BOOL Send(HWND hWnd, CAccessibleQuery& query);
    // The question this thread is asking hWnd when the WM_GETOBJECT is Send's own, taken so it
    // is answered once; null for every other WM_GETOBJECT. wParam is compared, never followed.
    static CAccessibleQuery* Of(HWND hWnd, WPARAM wParam, LPARAM lParam);

    // Asked: which object (OBJID_CLIENT, OBJID_TITLEBAR) and which part of it (CHILDID_SELF or
    // an item from 1 to nItems); with bDoDefaultAction the window also carries the action out.
    LONG idObject = OBJID_CLIENT;
    LONG idChild = CHILDID_SELF;
    bool bDoDefaultAction = false;
    // Asked of the object itself with bHitTest: which item lies at ptHit (screen coordinates).
    bool bHitTest = false;
    CPoint ptHit;

    // Answered. An empty name means the window text, else the label before the window; for a
    // window whose text is its value (an edit, a combo box) the label only.
    bool bTextIsValue = false;
    long nRole = ROLE_SYSTEM_CLIENT;
    long nState = 0;
    CString strName;
    bool bHasValue = false;
    CString strValue;
    CString strDefaultAction;
    // An item's keyboard shortcut ("Alt+F"); the object's own comes from its name's source.
    CString strShortcut;
    // The object itself: how many items it has and which one has the focus or the selection.
    long nItems = 0;
    long idFocusItem = CHILDID_SELF;
    long idSelectedItem = CHILDID_SELF;
    // The answer to bHitTest: the item at the point, CHILDID_SELF for none; left at
    // HIT_UNANSWERED, the proxy asks each item where it lies.
    enum { HIT_UNANSWERED = -1 };
    long idHit = HIT_UNANSWERED;
    // The focus may sit on a window inside the object (a combo box's edit) and is still its.
    bool bFocusWithin = false;
    // An item's place on the screen, or the object's when it is not its window's client area.
    CRect rcScreen;

    void SetValue(const CString& strText)
    {
        bHasValue = true;
        strValue = strText;
    }
};

class CAccessibleProxy : public IAccessible, public IOleWindow
{
public:
    // The answer to a WM_GETOBJECT for idObject: a new proxy handed over as the result, or 0
    // when the message asks for another object (the caller then goes on with default processing).
    static LRESULT Serve(HWND hWnd, WPARAM wParam, LPARAM lParam, LONG idObject = OBJID_CLIENT);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch: no type information; clients use IAccessible directly.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(long* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(long flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

private:
    CAccessibleProxy(HWND hWnd, LONG idObject);
    virtual ~CAccessibleProxy() {}

    // Asks the window about one of its parts; E_INVALIDARG for a part it does not have,
    // CO_E_OBJNOTCONNECTED once the window is gone.
    HRESULT Ask(const VARIANT& varChild, CAccessibleQuery& query, bool bDo = false) const;
    // The same about the object itself.
    HRESULT AskSelf(CAccessibleQuery& self) const;
    // A method's start: its out-argument checked (E_POINTER) and cleared, then the part asked
    // about.
    HRESULT Begin(VARIANT* pvarOut, const VARIANT& varChild, CAccessibleQuery& query) const;
    HRESULT Begin(BSTR* pszOut, const VARIANT& varChild, CAccessibleQuery& query) const;
    HRESULT BeginSelf(VARIANT* pvarOut, CAccessibleQuery& self) const;
    // The object's own rectangle on the screen.
    CRect SelfRect(const CAccessibleQuery& self) const;
    bool HasFocus(const CAccessibleQuery& self) const;

    LONG m_nRefs;
    HWND m_hWnd;
    LONG m_idObject;

    CAccessibleProxy(const CAccessibleProxy&) = delete;
    void operator=(const CAccessibleProxy&) = delete;
};
