// A top-level window created by any code (a plain CreateWindowEx frame, a dialog from a resource
// template), skinned by its handle. It is attached by the library's link in the window's
// procedure chain, so subclasses the window's owner sets before or after keep working. Its frame
// is a CSkinDialogFrame, as a CSkinDialog's is; it also holds the wrappers of child controls
// attached for it and the bars made for it. It detaches when the window goes (WM_NCDESTROY) or when its
// owner lets it go: the subclass is removed, the system frame put back, the controls' wrappers
// detached and their styles restored, the bars destroyed.
#pragma once
#include <afxwin.h>
#include <functional>
#include <memory>
#include <vector>

class CSkinContext;
class CSkinDialogFrame;
class CMenuSkinner;

class CSkinnedWindow
{
public:
    // Told when the window went (WM_NCDESTROY); the owner then disposes of this object.
    typedef std::function<void(HWND)> GoneProc;

    // Attaches to hWnd, a top-level window of the calling thread; null when the subclass could
    // not be set.
    static std::unique_ptr<CSkinnedWindow> Attach(HWND hWnd, const CSkinContext& context, GoneProc gone);
    // Detaches (as above) and deletes pWindow, or, while one of its window's messages is being
    // answered, detaches now and deletes it once that answer is given.
    static void Dispose(std::unique_ptr<CSkinnedWindow> pWindow);
    ~CSkinnedWindow();

    HWND Handle() const { return m_wnd.m_hWnd; }
    // The window, as the parent of bars made for it.
    CWnd& Window() { return m_wnd; }

    // Frames the window with the newest window skin that targets pszTarget, which it keeps for
    // Reskin; FALSE, with the system frame, when the loaded skin has none.
    BOOL SkinFrame(LPCWSTR pszTarget);
    // Whether SkinFrame gave it a target.
    BOOL HasTarget() const { return !m_strTarget.IsEmpty(); }
    // After a load: framed again by the new skin for the same target.
    void Reskin();

    // Takes a wrapper subclassing a child control for this window, and the control's style
    // before it; detached, with that style back, when this goes.
    void AdoptControl(std::unique_ptr<CWnd> pControl, DWORD dwOldStyle);
    // Whether a wrapper of this window holds hChild.
    BOOL HoldsChild(HWND hChild) const;
    // Takes a child dialog (a property page, a common dialog's own template) whose controls are
    // skinned for this window: it hears what they ask of their parent (colours, owner drawing,
    // notifications) as the window does. FALSE when it cannot be subclassed.
    BOOL AdoptContainer(HWND hContainer);
    // Takes a bar made as a child of the window: laid out along the client area's edges as the
    // window's size changes, destroyed when this goes.
    void AdoptBar(std::unique_ptr<CWnd> pBar);
    // Lays the bars out again.
    void LayoutBars();

private:
    CSkinnedWindow(HWND hWnd, const CSkinContext& context, GoneProc gone);
    static LRESULT LinkProc(void* pData, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ContainerProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                          DWORD_PTR dwRefData);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // A control's message to hParent (the window or a container); FALSE leaves it to hParent.
    BOOL OnChildMessage(HWND hParent, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    // The messages a child control sends its parent, offered to the control's wrapper first.
    BOOL Reflect(HWND hChild, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    LRESULT Default(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // The same for a message of hWnd, the window or one of its containers.
    LRESULT Default(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // A popup's message to its owner, served by the menu engine after the window's own processing.
    LRESULT ServeMenu(UINT nMsg, WPARAM wParam, LPARAM lParam);
    void Detach();
    // Wrappers and bars let go of, kept until no message of a skinned window or of a wrapper is
    // being answered on this thread (one of their member functions may be on the stack), then
    // deleted.
    static std::vector<std::unique_ptr<CWnd>>& LetGo();
    static void DeleteLetGo();

    struct CAttachedControl
    {
        std::unique_ptr<CWnd> pWnd;
        DWORD dwOldStyle;
    };

    // The window, not entered in the framework's handle map: a host built on the framework may
    // have its own wrapper there.
    CWnd m_wnd;
    // The engine that re-frames the window's popups and draws their items.
    CMenuSkinner& m_menus;
    GoneProc m_gone;
    std::unique_ptr<CSkinDialogFrame> m_pFrame;
    CString m_strTarget;
    DWORD m_dwCaption;
    BOOL m_bAttached;
    std::vector<CAttachedControl> m_controls;
    std::vector<std::unique_ptr<CWnd>> m_bars;
    std::vector<HWND> m_containers;
    // Messages of the window being answered now, and whether this is to be deleted when the
    // outermost one is answered.
    int m_nDepth;
    BOOL m_bDisposed;
    // Messages of every skinned window being answered on this thread.
    static thread_local int s_nDispatching;

    CSkinnedWindow(const CSkinnedWindow&) = delete;
    CSkinnedWindow& operator=(const CSkinnedWindow&) = delete;
};
