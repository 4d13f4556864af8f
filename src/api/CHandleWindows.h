// The top-level windows hosts skin by their handles through the C interface, each a
// CSkinnedWindow, and the host's callback for the skin changes the library makes on its own.
// Every function runs on the thread whose windows it holds: the owner thread, inside the host
// guard, or a thread korvorun's agent gave a skin of its own.
#pragma once
#include <korvoskin.h>
#include <afxwin.h>
#include <map>
#include <set>
#include <memory>

class CSkinContext;
class CSkinnedWindow;

class CHandleWindows
{
public:
    // The windows are framed from the context's registry and theme.
    explicit CHandleWindows(const CSkinContext& context);
    ~CHandleWindows();

    // Each returns a KORVOSKIN_ code (the counts and handles as korvoskin.h says).
    int Skin(HWND hWnd, LPCWSTR pszTarget);
    int Unskin(HWND hWnd);
    int SkinControls(HWND hParent);
    HWND CreateToolBar(HWND hParent, LPCWSTR pszName, UINT nID);
    // The controls of a dialog inside a window whose controls are skinned (a property page made
    // after the sheet), skinned for that window; how many.
    int SkinContainerControls(HWND hContainer);
    // Marks a window the thread skinner took; ReleaseThreadWindows lets every such window go.
    void MarkThreadWindow(HWND hWnd);
    void ReleaseThreadWindows();
    // Whether the library holds the window (framed or with skinned controls).
    BOOL IsSkinned(HWND hWnd) const;
    // A child dialog.
    static BOOL IsContainer(HWND hWnd);

    // After a load: every window framed again for its target.
    void Reskin();
    // Lets every window go (Uninit).
    void Clear();

    void SetSkinChangedCallback(KORVOSKIN_SKIN_CHANGED_PROC pfnProc, void* pContext);
    // Calls the host's callback; FALSE when there is none (the library sends its message).
    BOOL TellSkinChanged(BOOL bDark);

    // KORVOSKIN_OK for a top-level window of the calling thread, else the code for it.
    static int CheckTopLevel(HWND hWnd);

private:
    // The window's record, made (attached) when it has none; null when it cannot be attached.
    CSkinnedWindow* Record(HWND hWnd);
    void Forget(HWND hWnd);
    // Skins hParent's controls for window, and those of the dialogs inside it.
    int AttachControls(CSkinnedWindow& window, HWND hParent, int nDepth);
    // Dialogs inside dialogs are followed this deep.
    static const int MAX_CONTAINER_DEPTH = 4;

    const CSkinContext& m_context;
    std::map<HWND, std::unique_ptr<CSkinnedWindow>> m_windows;
    std::set<HWND> m_threadWindows;
    KORVOSKIN_SKIN_CHANGED_PROC m_pfnSkinChanged;
    void* m_pSkinChangedContext;

    CHandleWindows(const CHandleWindows&) = delete;
    void operator=(const CHandleWindows&) = delete;
};
