// Dialog box from a template, modal or modeless.
#pragma once
#include "CWnd.h"

class AFX_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    // Modeless.
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = NULL);

    // Modal.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = NULL);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Commands the dialog does not handle go on to its owner, then to the application.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    LPCDLGTEMPLATEW m_lpDialogTemplate;
    CWnd* m_pParentWnd;

protected:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd);
    LPCDLGTEMPLATEW LoadTemplate() const;

    int m_nModalResult;
    BOOL m_bContinueModal;
    BOOL m_bInModalLoop;

    DECLARE_MESSAGE_MAP()
};
