// A flat owner-drawn push button with one 16x16 icon and a caption, in the interface theme's
// colours and font. The icon comes from the host or from the theme's command images, so the
// button shows the same image as the command's menu item. Looks: normal, focused, hovered (the
// icon lifts off its shadow), pressed and disabled.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CIconButtonLook;

class KORVOSKIN_API CIconButton : public CButton, public CAccessibleName
{
    DECLARE_DYNAMIC(CIconButton)
public:
    CIconButton();
    virtual ~CIconButton();

    // Takes ownership of hIcon (destroyed here); NULL is ignored. No repaint.
    void SetIcon(HICON hIcon);
    // The command's 16-pixel image from the theme; repaints either way.
    void SetCoolIcon(UINT nCmdID);
    // Repaints only when the text changes.
    void SetText(LPCWSTR lpszText);
    void SetLeftAlin(bool bLeftAlign);
    void SetHandCursor(BOOL bHand);

    bool IsHover() const;
    int GetIconCount() const;

    // Overridables
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CIconButtonLook> m_pLook;
    CIconButton(const CIconButton&) = delete;
    void operator=(const CIconButton&) = delete;
};
