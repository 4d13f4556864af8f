// State of one user-interface item during an update pass: a menu item or a control.
#pragma once
#include "AfxDefs.h"

class CMenu;
class CWnd;
class CCmdTarget;

class AFX_API CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;
    CWnd* m_pOther;
    UINT m_nIndexMax;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler for this item; with no handler the item is disabled
    // only when bDisableIfNoHndler asks for it and no command handler exists either.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
