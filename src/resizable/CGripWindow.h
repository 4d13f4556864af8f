// The size grip in the bottom-right corner of a resizable window: a size-grip scroll bar that
// can be cut to its lower-right triangle and can let the parent's background show around its
// dots.
#pragma once
#include <afxwin.h>
#include <memory>

class CGripSeeThrough;

class CGripWindow : public CScrollBar
{
public:
    CGripWindow();
    virtual ~CGripWindow();

    // Creates the grip at its system size at the top-left of the parent's client area.
    BOOL Create(CWnd* pParentWnd);
    void EnableTriangle(BOOL bEnable);
    void EnableSeeThrough(BOOL bEnable);
    BOOL IsTriangle() const { return m_bTriangleShape; }
    BOOL IsSeeThrough() const { return m_pSeeThrough != nullptr; }
    const CSize& GetGripSize() const { return m_szGrip; }

protected:
    // Message handlers a derived class may chain to
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CSize m_szGrip;
    BOOL m_bTriangleShape;
    // Present while the grip lets the parent show around its dots.
    std::unique_ptr<CGripSeeThrough> m_pSeeThrough;
};
