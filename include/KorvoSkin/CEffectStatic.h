// A static text on a background colour of its own, wrapped by characters to the control's width
// with a fixed line height.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CEffectStaticLook;

class KORVOSKIN_API CEffectStatic : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CEffectStatic)
public:
    CEffectStatic();
    virtual ~CEffectStatic();

    void SetLineHeight(DWORD nLineHeight);
    void SetBackColor(COLORREF crBack);
    // Sets the text and repaints.
    void SetWindowTextW(LPCWSTR lpszText);

    // Overridables
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Message handlers a derived class may chain to
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CEffectStaticLook> m_pLook;
    CEffectStatic(const CEffectStatic&) = delete;
    void operator=(const CEffectStatic&) = delete;
};
