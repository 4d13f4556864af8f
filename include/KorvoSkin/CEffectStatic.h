// A static text on a background colour of its own, wrapped by characters to the control's width
// with a fixed line height.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>

class KORVOSKIN_API CEffectStatic : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CEffectStatic)
public:
    CEffectStatic();
    virtual ~CEffectStatic();

    void SetLineHeight(DWORD nLineHeight) { m_nLineHeight = nLineHeight; }
    void SetBackColor(COLORREF crBack) { m_crBack = crBack; }
    // Sets the text and repaints.
    void SetWindowTextW(LPCWSTR lpszText);

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_nLineHeight;
    COLORREF m_crBack;
};
