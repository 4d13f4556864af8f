// A resizable top-level dialog whose frame, caption, caption buttons and shape come from a
// window skin of the loaded skin definition.
#pragma once
#include <KorvoSkin/CResizableDialog.h>
#include <KorvoSkin/CWindowSkinListener.h>
#include <memory>
#include <type_traits>

class CWindowSkin;

class KORVOSKIN_API CSkinDialog : public CResizableDialog, private CWindowSkinListener
{
    DECLARE_DYNAMIC(CSkinDialog)
public:
    explicit CSkinDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = NULL);
    virtual ~CSkinDialog();

    // Takes the newest window skin that targets pszName, or goes back to the system frame
    // when none does; the client area keeps its size either way. TRUE when a skin was found.
    BOOL SkinMe(LPCWSTR pszName, UINT nIconID = 0);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // A window skin of the registry, which tells the dialog before it deletes it.
    CWindowSkin* m_pSkin;

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // wParam's DPI becomes the window's; the window takes lParam's suggested rectangle.
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct CIconDestroyer
    {
        void operator()(HICON hIcon) const { ::DestroyIcon(hIcon); }
    };

    // The registry is about to delete its window skins: the dialog lets go of its skin and
    // shows the plain frame until the host calls SkinMe again.
    void OnWindowSkinsDeleting() override;
    void SetSkin(CWindowSkin* pSkin);
    void SetSmallIcon(UINT nIconID);
    // Widths of the frame around the client area (left, top, right, bottom): the skin's, or
    // the system's for the dialog's style.
    CRect GetFrameThickness() const;
    // Puts the current frame around the unchanged client area in place of the one that was
    // rcOldFrame thick, and moves the tracking sizes and the normal placement with it.
    void ChangeFrame(const CRect& rcOldFrame);

    // The small icon SkinMe gave the window, which goes with the window.
    std::unique_ptr<std::remove_pointer<HICON>::type, CIconDestroyer> m_pSmallIcon;
};
