// A drop-down list with a flat, light look: white, a rounded one-pixel frame that follows hover,
// focus and the "always" flag, the selected text, and a grey drop-down triangle while the pointer
// is over it. Hover ends with the platform's leave notification.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CTouchLook;

class KORVOSKIN_API CTouchComboBox : public CComboBox, public CAccessibleName
{
    DECLARE_DYNAMIC(CTouchComboBox)
public:
    CTouchComboBox();
    virtual ~CTouchComboBox();

    // Shows the plain frame also without the pointer over the control, from the next repaint.
    void SetAlwaysBorder(bool bAlways);

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Refits the frame, text and font to the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CTouchLook> m_pLook;
};
