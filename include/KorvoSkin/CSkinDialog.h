// A resizable top-level dialog whose frame, caption, caption buttons and shape come from a
// window skin of the loaded skin definition.
#pragma once
#include <KorvoSkin/CResizableDialog.h>
#include <memory>

class CSkinDialogFrame;

class KORVOSKIN_API CSkinDialog : public CResizableDialog
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

protected:
    // Message handlers a derived class may chain to
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
    afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    // The frame's shadow follows the window.
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // wParam's DPI becomes the window's; the window takes lParam's suggested rectangle.
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The desktop began or stopped composing windows: the frame's shadow changes hands.
    afx_msg LRESULT OnDwmCompositionChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CSkinDialogFrame;
    std::unique_ptr<CSkinDialogFrame> m_pFrame;
};
