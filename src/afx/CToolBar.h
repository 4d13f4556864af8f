// The common controls' toolbar as a control bar, filled from a toolbar resource (RT_TOOLBAR)
// and its bitmap of the same name.
#pragma once
#include "CControlBar.h"
#include "CGdiObject.h"

class AFX_API CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of the resource; its bitmap, when there is one, gives their images.
    BOOL LoadToolBar(LPCWSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEW(nIDResource)); }
    // One button per ID; ID_SEPARATOR (0) makes a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;

    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // The control's buttons in a row (or a column, along a side) and the bar's edges.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bmImages;
    CSize m_sizeImage;
};

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
