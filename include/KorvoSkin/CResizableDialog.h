// A dialog that can be resized: its children stay anchored, it cannot be made smaller than it
// was created, it owns a size grip and it can save and restore its placement.
#pragma once
#include <KorvoSkin/CResizableLayout.h>
#include <KorvoSkin/CResizableGrip.h>
#include <KorvoSkin/CResizableMinMax.h>
#include <KorvoSkin/CResizableState.h>
#include <memory>

class CResizableDialogState;

class KORVOSKIN_API CResizableDialog : public CDialog,
                                       public CResizableLayout,
                                       public CResizableGrip,
                                       public CResizableMinMax,
                                       public CResizableState
{
    DECLARE_DYNAMIC(CResizableDialog)
public:
    CResizableDialog();
    explicit CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CResizableDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CResizableDialog();

protected:
    // Overridables
    virtual CWnd* GetResizableWnd() override { return this; }

    // Saves the placement under pszSection when the window is destroyed, and restores the one
    // saved before at once.
    void EnableSaveRestore(LPCWSTR pszSection, BOOL bRectOnly = FALSE);

    // Message handlers a derived class may chain to
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CResizableDialogState> m_pState;
};
