// A static text whose colour and weight (the theme's normal or bold font) are set in one call,
// drawn on the skin's dialog background brush, with an optional tooltip and hand cursor.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

struct CSkinStaticState;

class KORVOSKIN_API CSkinStatic : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinStatic)
public:
    CSkinStatic();
    virtual ~CSkinStatic();

    // The font is the theme's; the control does not own it.
    void SetText(CString strText, COLORREF crText, BOOL bBold);
    // An empty text removes the tip.
    void SetToolTip(CString strText);
    void SetHandCursor(BOOL bHand);

    COLORREF GetTextColor() const;
    HCURSOR GetHandCursor() const;
    HWND GetToolTipWindow() const;

    // Overridables
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CSkinStaticState> m_pState;
    CSkinStatic(const CSkinStatic&) = delete;
    void operator=(const CSkinStatic&) = delete;
};
