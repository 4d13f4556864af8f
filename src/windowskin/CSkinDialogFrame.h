// What a skinned top-level window holds of the skin, and how its frame answers the window's
// messages: the registry's window skin it is framed by (let go when the registry says its skins
// are going), its own hover and press, and the small icon it was given. It works on any
// top-level window: a CSkinDialog keeps one behind a pointer and calls it from its message
// handlers; a window created by other code is attached to one by CSkinnedWindow. Each message
// entry point returns FALSE (or leaves the answer to the window) when the skin does not answer,
// so the window's own processing runs instead.
#pragma once
#include <KorvoSkin/CSkinDialog.h>
#include "../skin/CWindowSkinListener.h"
#include "CDialogColours.h"
#include "CFrameMenuBar.h"
#include "CSystemFrameLook.h"
#include "CDpiWindowSize.h"
#include "CFrameShadow.h"
#include "CWindowSkinState.h"
#include <functional>
#include <memory>
#include <type_traits>

class CSkinRegistry;
class CSkinContext;
class CWindowSkin;
class CInterfaceTheme;

class CSkinDialogFrame : public CWindowSkinListener
{
public:
    // The window's own processing of a message: what it would do without the skin.
    typedef std::function<LRESULT(UINT, WPARAM, LPARAM)> DefaultProc;
    // Told how much the frame grew (both edges together) when it changed around the client area.
    typedef std::function<void(const CSize&)> FrameChanged;

    // The window takes its window skins and colours from the context's registry and theme.
    CSkinDialogFrame(CWnd& wnd, const CSkinContext& context, DefaultProc defaultProc,
                     FrameChanged frameChanged = FrameChanged());
    ~CSkinDialogFrame();

    // Frames the dialog from another context than the default one it was constructed with;
    // FALSE once the dialog has a window.
    static BOOL UseContext(CSkinDialog& dlg, const CSkinContext& context);
    // The frame of a dialog, which processes messages with the dialog's default procedure.
    static std::unique_ptr<CSkinDialogFrame> ForDialog(CSkinDialog& dlg, const CSkinContext& context);

    // The window skin a dialog is framed by now; null for the system frame.
    static CWindowSkin* SkinOf(const CSkinDialog& dlg) { return dlg.m_pFrame->m_pSkin; }
    // The dialog's own hover, press and brush.
    static CWindowSkinState& StateOf(const CSkinDialog& dlg) { return dlg.m_pFrame->m_state; }
    CWindowSkin* GetSkin() const { return m_pSkin; }
    // The window's own hover, press and brush, handed to its skin.
    CWindowSkinState& State() { return m_state; }
    CDialogColours Colours() const { return CDialogColours(m_theme); }

    // The registry's newest skin for pszName, or the system frame; TRUE when a skin was found.
    BOOL SkinMe(LPCWSTR pszName, UINT nIconID);
    // The caption style (WS_CAPTION bits) the window shows with the system frame; WS_CAPTION
    // unless set otherwise.
    void SetPlainCaption(DWORD dwCaption) { m_dwPlainCaption = dwCaption & WS_CAPTION; }
    // Widths of the frame around the client area (left, top, right, bottom): the skin's and its
    // menu bar's, or the system's for the window's style and menu.
    CRect GetFrameThickness();
    // The window is going: no skin, no icon.
    void Release();

    // Messages (CSkinDialogFrameMessages.cpp) ---------------------------------------------
    BOOL OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    BOOL OnNcHitTest(CPoint point, UINT& nHitTest);
    // bStayActive: the window keeps its active look while it is not (as a frame's WF_STAYACTIVE).
    BOOL OnNcActivate(BOOL bActive, BOOL bStayActive);
    BOOL OnNcPaint();
    BOOL OnNcLButtonDown(UINT nHitTest, CPoint point);
    BOOL OnNcLButtonUp(UINT nHitTest, CPoint point);
    BOOL OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    // The window's own processing follows these two in any case.
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcMouseLeave();
    void OnSize();
    // The window moved, was sized, shown, hidden or raised (nFlags: WINDOWPOS's): its shadow
    // follows.
    void OnWindowPosChanged(UINT nFlags) { m_shadow.Follow(nFlags); }
    // WM_SETREDRAW, after the window's own processing: while redraw is off the window is not
    // seen as visible, and its shadow stays as it was.
    void OnSetRedraw(BOOL bRedraw) { m_shadow.Hold(!bRedraw); }
    // The desktop began or stopped composing windows: the system shadows the frame, or the skin.
    void OnCompositionChanged() { m_shadow.Apply(m_wnd.m_hWnd, m_pSkin); }
    BOOL OnEraseBkgnd(CDC* pDC);
    // Stores the text through the window's own processing without its system caption being
    // painted, then paints the skin's caption; FALSE, doing nothing, without a skin.
    BOOL OnSetText(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    // WM_INITMENU: FALSE when the window is not to hear it; wParam may become its bar's menu.
    BOOL OnInitMenu(WPARAM& wParam) const { return m_menuBar.OnInitMenu(wParam); }
    // The window's icon changed: the caption asks for it again.
    void OnSetIcon() { m_state.ForgetIcon(); }
    // The colours of one WM_CTLCOLOR* answer, hDefault being the window's own answer.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pChild, UINT nCtlColor, HBRUSH hDefault);
    // Answers assistive technology for the client area (as nRole; 0 leaves the client area to
    // the window's own processing) and the skin's title bar.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam, LONG nRole);
    // wParam's DPI becomes the window's; the window takes lParam's suggested rectangle.
    // scale runs first with the old and the new DPI, arrange after the window is placed.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam, const std::function<void(UINT, UINT)>& scale,
                         const std::function<void()>& arrange);
    void OnNcDestroy();

private:
    struct CIconDestroyer
    {
        void operator()(HICON hIcon) const { ::DestroyIcon(hIcon); }
    };

    // The window lets go of its skin and shows the plain frame until it is skinned again.
    void OnWindowSkinsDeleting() override;
    void SetSkin(CWindowSkin* pSkin);
    void SetSmallIcon(UINT nIconID);
    void ShowPlainCaption();
    // Puts the current frame around the unchanged client area in place of the one that was
    // rcOldFrame thick, and moves the normal placement (and, through m_frameChanged, the
    // tracking sizes) with it.
    void ChangeFrame(const CRect& rcOldFrame);

    CWnd& m_wnd;
    CSkinRegistry& m_registry;
    CInterfaceTheme& m_theme;
    DefaultProc m_default;
    FrameChanged m_frameChanged;
    DWORD m_dwPlainCaption;
    CWindowSkin* m_pSkin;
    CWindowSkinState m_state;
    // The bar of a menu set with SetMenu, drawn below the skin's caption.
    CFrameMenuBar m_menuBar;
    CSystemFrameLook m_systemLook;
    CDpiWindowSize m_dpiSize;
    CFrameShadow m_shadow;
    // The small icon SkinMe gave the window, which goes with the window.
    std::unique_ptr<std::remove_pointer<HICON>::type, CIconDestroyer> m_pSmallIcon;

    CSkinDialogFrame(const CSkinDialogFrame&) = delete;
    CSkinDialogFrame& operator=(const CSkinDialogFrame&) = delete;
};
