// An owner-drawn check box with a state of its own, a framed 13-pixel box that lights orange
// while the pointer is over it, and a thick check mark. Hover is polled with a timer.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CCheckBoxLook;

class KORVOSKIN_API CSkinCheckBox : public CButton, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinCheckBox)
public:
    CSkinCheckBox();
    virtual ~CSkinCheckBox();

    int GetCheck() const;
    // Repaints at the next paint.
    void SetCheck(int nCheck);
    BOOL IsHover() const;
    void DrawCheck(CDC* pDC, CRect rect);
    void DrawOrange(CDC* pDC, CRect rect);

    // Overridables
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Repaints the box at the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CCheckBoxLook> m_pLook;
    CSkinCheckBox(const CSkinCheckBox&) = delete;
    void operator=(const CSkinCheckBox&) = delete;
};
