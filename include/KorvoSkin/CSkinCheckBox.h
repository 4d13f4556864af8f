// An owner-drawn check box with a state of its own, a framed 13-pixel box that lights orange
// while the pointer is over it, and a thick check mark. Hover is polled with a timer.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>

class KORVOSKIN_API CSkinCheckBox : public CButton, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinCheckBox)
public:
    CSkinCheckBox();
    virtual ~CSkinCheckBox();

    int GetCheck() const { return m_nCheck; }
    // Repaints at the next paint.
    void SetCheck(int nCheck);
    BOOL IsHover() const { return m_bHover; }

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DrawCheck(CDC* pDC, CRect rect);
    void DrawOrange(CDC* pDC, CRect rect);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nCheck;
    COLORREF m_crFrame;
    COLORREF m_crCheck;
    BOOL m_bHover;
};
