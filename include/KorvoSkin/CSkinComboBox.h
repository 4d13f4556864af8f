// A drop-down combo box whose two frames and flat drop button are painted over the system look
// in the interface theme's colours: normal, hover (polled while the pointer is over it) and
// pressed (also shown while it has the focus).
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CComboBoxLook;

class KORVOSKIN_API CSkinComboBox : public CComboBox, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinComboBox)
public:
    enum enTypeShow
    {
        enShowNormal = 0,
        enShowHover = 1,
        enShowPressed = 2
    };

    CSkinComboBox();
    virtual ~CSkinComboBox();

    void DrawCombo(enTypeShow nShow, CDC* pDC);
    void DrawArrow(CDC* pDC, CRect rect);
    BOOL IsHover() const;
    BOOL IsPressed() const;

    // Overridables
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // An owner-draw combo of this class draws no items.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCbnKillfocus();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg void OnCloseup();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Fits the drop button's width to the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Host-facing data: the drop button's width; the system's scroll thumb width unless a
    // derived class sets it; refitted to the window's DPI, a width set meanwhile taken as meant
    // for the last one.
    int m_nArrowWidth;

private:
    std::unique_ptr<CComboBoxLook> m_pLook;
    CSkinComboBox(const CSkinComboBox&) = delete;
    void operator=(const CSkinComboBox&) = delete;
};
